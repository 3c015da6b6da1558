// How a picked record changes when figure selection drags one of its characteristic points: a
// line, curve or polygon point moves to the drop point; a circle keeps its opposite quadrant
// point; an arc keeps its other end and its bulge; an image keeps its opposite corner. And how
// picked lines and arcs joined to a line follow it when its midpoint is dragged.
#pragma once

#include <optional>

#include "tools/draw/line_geometry.h"
#include "tools/edit/record_transform.h"

namespace plenwick {

// The geometry of `e` with the handle `handle` (a characteristic point of kind `handleKind`)
// dropped at `drop` (model mm); none when the record stays as it was (another kind, a handle
// it does not have, a circle in a group, or a degenerate result).
std::optional<RecordGeometry> ReshapedByHandle(const DrawEntity& e, ModelPoint handle, int handleKind, ModelPoint drop);

// The geometry of a picked line or arc when the midpoint of the line `grabbed` is dragged by
// (dx, dy): its points on either end of `grabbed` move with it; none when it has none there.
std::optional<RecordGeometry> ReshapedByMidpointDrag(const DrawEntity& e, const LineEnds& grabbed, ModelPoint shift);

}  // namespace plenwick
