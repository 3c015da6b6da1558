// Tangent lines to circles as plain functions of model points (mm): from a point, and the outer
// and inner pairs between two circles with the choice a pair of clicks makes.
#pragma once

#include "tools/draw/line_geometry.h"
#include "view/entity_shape.h"

namespace plenwick {

// The point where a tangent from q touches the circle: of the two, the one nearer to `near`
// (the second on equal distance). False when there is no line: q inside the circle or on it.
bool TangentFromPoint(ModelPoint q, const CircleShape& circle, ModelPoint near, ModelPoint* touch);

// The outer pair of tangents (each from its touching point on c1 to the one on c2): for radii
// within 0.05 of each other the centre line shifted by ± the radius, otherwise built on the
// circle of the radius difference about the larger centre. False when one circle lies inside the
// other (or they touch from inside).
bool OuterTangents(const CircleShape& c1, const CircleShape& c2, LineEnds pair[2]);
// The inner (crossing) pair, built on the circle of the radius sum about c1. False when the
// circles overlap or touch.
bool InnerTangents(const CircleShape& c1, const CircleShape& c2, LineEnds pair[2]);

// Whether the segments a1-a2 and b1-b2 cross (touching counts).
bool SegmentsCross(ModelPoint a1, ModelPoint a2, ModelPoint b1, ModelPoint b2);

// The tangent the clicks on two circles choose: the inner pair when the segment between the
// clicks crosses the one between the centres, else the outer pair; of the pair the line whose
// touching points lie nearer to the clicks (summed; the second on equal distance). False when
// that pair does not exist.
bool TangentBetweenCircles(const CircleShape& c1, ModelPoint click1, const CircleShape& c2, ModelPoint click2,
                           LineEnds* line);

}  // namespace plenwick
