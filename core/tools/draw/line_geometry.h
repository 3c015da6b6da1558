// The constructions of the line tools as plain functions of model points (mm) and angles
// (degrees): entered angles, fixed lengths, the angle and axis rules of a segment, numeric ends,
// infinite lines, parallel copies and offset segments.
#pragma once

#include <cstdint>

#include "view/canvas.h"
#include "view/geometry.h"

namespace plenwick {

struct LineEnds {
  ModelPoint a;
  ModelPoint b;
};

// An angle typed by the user: a negative angle a is used as 360 − a (so −30 acts as 30).
double EnteredAngle(double degrees);
// The direction from p to q in degrees, 0 ≤ θ < 360 (0 for the same point).
double DirectionDegrees(ModelPoint p, ModelPoint q);
// p + length · (cos, sin) of the angle (degrees).
ModelPoint PointAtAngle(ModelPoint p, double degrees, double length);

// The fixed-length rule: p + length · (q − p)/|q − p|, or q itself when it lies within 0.5 of p.
ModelPoint FixedLengthEnd(ModelPoint p, ModelPoint q, double length);

// The direction (degrees) a segment with both length and angle imposed takes toward a click in
// direction theta: A in [0, 90), 180 − A in [90, 180), A + 180 in [180, 270), −A in [270, 360).
double QuadrantAngle(double theta, double angle);
// The end with length and angle imposed: p + length in the quadrant's direction toward q.
ModelPoint LengthAndAngleEnd(ModelPoint p, ModelPoint q, double length, double angle);
// The end with the angle alone: the line through p at the entered angle meets the vertical line
// through the click when the angle lies in [0, 45), [135, 225) or [315, 360), else the
// horizontal line through it.
ModelPoint AngleOnlyEnd(ModelPoint p, ModelPoint click, double angle);
// A typed end from p: mode 0 length v1 at the entered angle v2, mode 1 the offsets (v1, v2).
ModelPoint NumericLineEnd(ModelPoint p, int mode, double v1, double v2);

// Whether a segment dragged from `start` to `mouse` (client pixels) is horizontal: |dx| ≥ |dy|.
bool IsHorizontalDrag(PixelPoint start, PixelPoint mouse);
// q moved onto the horizontal (or vertical) line through p.
ModelPoint AxisEnd(ModelPoint p, ModelPoint q, bool horizontal);
// A typed distance d along the axis from p toward the side of the mouse (right or up: +d,
// otherwise −d).
ModelPoint AxisNumericEnd(ModelPoint p, ModelPoint mouse, bool horizontal, double d);

// Infinite lines: the stored ends are asymmetric on purpose (files rely on them).
inline constexpr double kInfiniteLow = -999999.9;
inline constexpr double kInfiniteHigh = 9999999.9;
LineEnds HorizontalInfiniteLine(double y);
LineEnds VerticalInfiniteLine(double x);
// The infinite line through p at the entered angle (degrees, before the negative-angle rule):
// its meetings with x = low and x = high when the entered angle lies in [0, 45], [135, 225] or
// [315, 360], else with y = low and y = high. A meeting that fails is replaced by p (first end)
// or p + fallbackLength in the line's direction (second end).
LineEnds AngledInfiniteLine(ModelPoint p, double enteredAngle, double fallbackLength);

// Parallel copies of a reference line of `kind` (20..23) with the ends e and coefficients ref.
// Copies of horizontal and vertical infinite lines store 0 and 100000 in place of their x (or y)
// values.
inline constexpr double kParallelStoredLow = 0;
inline constexpr double kParallelStoredHigh = 100000;
// The copy through `through`; its ends are the feet of the reference's ends.
LineEnds ParallelThrough(int kind, const LineEnds& e, const LineCoef& ref, ModelPoint through);
// The copy at `distance` from the reference on the side of `side` (the positive side when it
// lies on the reference).
LineEnds ParallelAtDistance(int kind, const LineEnds& e, const LineCoef& ref, ModelPoint side, double distance);

// The segment p-q moved by `distance` to the left of its direction (negative: to the right);
// nothing moves when p and q coincide.
LineEnds OffsetSegment(ModelPoint p, ModelPoint q, double distance);

// The coefficients of the line through p in direction d (not normalised; (−B, A) = d).
LineCoef LineThrough(ModelPoint p, ModelPoint d);
// The part of the line through p in direction d within the square |x|, |y| ≤ half; false when
// the line misses it or d is zero.
bool ClipLineToSquare(ModelPoint p, ModelPoint d, double half, LineEnds* ends);

}  // namespace plenwick
