// The constructions of the circle, arc and curve tools as plain functions of model points (mm)
// and angles (degrees): angles brought into [0, 360), points on a circle toward a click, the
// direction an arc takes from the mouse's swing, and the polylines of rubber circles and arcs.
#pragma once

#include <optional>
#include <vector>

#include "view/canvas.h"
#include "view/geometry.h"

namespace plenwick {

// The angle brought into [0, 360) by fmod (never by loops); NaN and infinities stay not finite.
double NormalizedDegrees(double degrees);

// Where the ray from the centre through `toward` meets the circle; none when `toward` is the
// centre itself or the values are not finite.
std::optional<ModelPoint> PointOnCircleToward(ModelPoint centre, double radius, ModelPoint toward);

// The direction of an arc being dragged from its start ray: counter-clockwise unless the mouse
// first swings from the start ray clockwise into the fourth quadrant; crossing back over the
// start ray from the fourth quadrant into the first turns it counter-clockwise again.
class ArcSweep {
 public:
  // Forgets the swing: no direction, the mouse on the start ray.
  void Reset() { *this = ArcSweep{}; }
  // The mouse seen at `mouseDeg` about the centre, the start ray at `startDeg` (degrees).
  void Track(double startDeg, double mouseDeg);
  // +1 counter-clockwise, −1 clockwise; +1 while no swing has decided it.
  int direction() const { return direction_ == 0 ? 1 : direction_; }

 private:
  int direction_ = 0;
  int quadrant_ = 0;
};

// The quadrant (0..3) of `u` degrees from the start ray: [0, 90], (90, 180], (180, 270],
// (270, 360).
int SweepQuadrant(double u);

// The points of the arc from startDeg to endDeg about the centre, in the direction (+1
// counter-clockwise, −1 clockwise), dense enough that no chord strays more than half a pixel at
// `pixelsPerMm`; a whole circle when the angles are equal and `wholeWhenEqual`.
std::vector<ModelPoint> ArcPolyline(ModelPoint centre, double radius, double startDeg, double endDeg, int direction,
                                    double pixelsPerMm, bool wholeWhenEqual = false);
// The whole circle.
std::vector<ModelPoint> CirclePolyline(ModelPoint centre, double radius, double pixelsPerMm);

// The arc through three points from `start` to `end` passing `through`, as an arc element stores
// it: centre, radius, start and end angle (degrees, [0, 360)) and direction (+1 counter-clockwise,
// −1 clockwise). None when the points are collinear.
struct ArcThrough3 {
  ModelPoint centre;
  double radius = 0;
  double startDeg = 0;
  double endDeg = 0;
  int direction = 1;
};
std::optional<ArcThrough3> ArcFrom3Points(ModelPoint start, ModelPoint end, ModelPoint through);

}  // namespace plenwick
