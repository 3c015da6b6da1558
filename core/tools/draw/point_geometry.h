// Where the point tool puts its points, as plain functions of elements and model points (mm):
// the intersections of two elements (lines as the infinite lines through them, arcs within their
// extent, curves as drawn), a point moved along a line, circle or arc, and the characteristic
// points of an element.
#pragma once

#include <optional>
#include <vector>

#include "model/draw_entity.h"
#include "view/entity_shape.h"
#include "view/geometry.h"

namespace plenwick {

// The points where a and b meet: lines (kinds 20–23) as infinite lines (parallel lines meet
// nowhere), circles whole, arcs within their extent, curves (24, 26) as drawn; points closer than
// 0.05 mm counted once. None for a pair of curves and for kinds that do not meet.
std::vector<ModelPoint> CrossingPoints(const DrawEntity& a, const DrawEntity& b);

// The point at distance d from p along the line through s1 and s2, toward the side of `toward`
// (the line's own direction from s1 to s2 when `toward` is p itself); d < 0 goes the other way.
// None when the line has no direction or the values are not finite.
std::optional<ModelPoint> MovedAlongLine(ModelPoint p, ModelPoint s1, ModelPoint s2, ModelPoint toward, double d);

// The point reached from p by an arc length d along the circle (counter-clockwise for d > 0); on
// an arc it must lie within the arc's extent. None otherwise.
std::optional<ModelPoint> MovedAlongCircle(ModelPoint p, const CircleShape& circle, double d);

// Whether p lies on the element the moved point follows: a circle within 0.05 of its radius, an
// arc by the arc test, a line on the segment.
bool LiesOnForMoving(ModelPoint p, const DrawEntity& e);

// The characteristic points of an element: a line's two ends, a control-point curve's control
// points, a circle's centre, an arc's centre, start and end, a text's insertion point; none for
// other kinds.
std::vector<ModelPoint> ConstituentPoints(const DrawEntity& e);

}  // namespace plenwick
