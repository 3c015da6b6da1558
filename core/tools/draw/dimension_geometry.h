// The constructions of the dimension tool as plain functions of model points (mm) and angles
// (degrees): where a distance, diameter, chain, radius or angle dimension puts its line or arc,
// and the leader and text of a perimeter. Each returns nothing for input that measures nothing
// (coincident points, a click on the centre or the vertex, a point off an arc), never a NaN.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "tools/draw/line_geometry.h"
#include "view/entity_shape.h"
#include "view/geometry.h"

namespace plenwick {

// The reading rule of a distance dimension from its line's ends d1, d2 and first measured point
// p1: 1 reverses the stored direction, 3 also swaps the stored points, 0 keeps both.
int DimensionOrientation(ModelPoint d1, ModelPoint d2, ModelPoint p1);

// A distance (or diameter) dimension as stored: the first measured point, the ends of the
// dimension line and its direction, with the orientation rule applied.
struct LinearPlacement {
  ModelPoint measured;
  ModelPoint end1;
  ModelPoint end2;
  double directionDeg = 0;
};
// The dimension line parallel to p1–p2 through `position`, its ends the feet of p1 and p2 on it
// (in model mm, so the line stays parallel at any zoom). None when p1 and p2 coincide (within
// 0.05 mm) or a value is not finite.
std::optional<LinearPlacement> PlaceLinearDimension(ModelPoint p1, ModelPoint p2, ModelPoint position);

// The measuring points of a horizontal (else vertical) chain sorted by x (else y), equal ones in
// the order they were taken.
void SortChainPoints(std::vector<ModelPoint>& points, bool horizontal);
// The sorted points projected onto the horizontal (vertical) line through `position`. None when
// they span less than 0.05 mm along the line.
std::optional<std::vector<ModelPoint>> ProjectChain(const std::vector<ModelPoint>& sorted, bool horizontal,
                                                    ModelPoint position);

// A radius dimension: the line from the point T on the circle toward the click (from the centre
// to T when the click lies inside, or on T, else from T to the click), its direction brought
// upright (never strictly between 90 and 270 degrees), and the value text's insertion point:
// centred on the line, `textSize`/3 to its left, for a text `textLength` long.
struct RadiusPlacement {
  ModelPoint tip;    // T, where the terminator goes
  ModelPoint other;  // the centre or the click
  ModelPoint text;
  double directionDeg = 0;
};
// None for a click on the centre, and for an arc whose T lies off it.
std::optional<RadiusPlacement> PlaceRadiusDimension(const CircleShape& circle, ModelPoint click, double textSize,
                                                    double textLength);

// The two measured points of a diameter: the ends of the diameter through the centre toward the
// click, the first one on the click's side. None for a click on the centre.
std::optional<LineEnds> DiameterToward(const CircleShape& circle, ModelPoint click);

// An angle dimension's arc about the vertex: of the two arcs between the rays, the one through
// the click, counter-clockwise from startDeg to endDeg; its radius the click's distance.
struct AngleArc {
  double radius = 0;
  double startDeg = 0;
  double endDeg = 0;
  double sweepDeg = 0;  // the value: 0 < sweep < 360
};
// None when the rays coincide or the click lies on the vertex.
std::optional<AngleArc> PlaceAngleArc(ModelPoint vertex, double ray1Deg, double ray2Deg, ModelPoint click);
// The direction (degrees) of the ray from the vertex through p; none when p lies on the vertex.
std::optional<double> RayDirection(ModelPoint vertex, ModelPoint p);

// A perimeter's text: it occupies textSize × (characters + 1) along a shoulder from the final
// click, to the right unless the click lies left of where the boundary was picked.
struct PerimeterText {
  ModelPoint shoulderEnd;
  ModelPoint text;
};
PerimeterText PlacePerimeterText(ModelPoint picked, ModelPoint click, double textSize, std::size_t characters);

}  // namespace plenwick
