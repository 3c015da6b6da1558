// The picking context of a view of a drawing: what CPlenwickView hands to PickEntity and the
// snapping functions.
#pragma once

#include "model/snap_point_list.h"
#include "view/pick_view.h"
#include "view/plenwick_view.h"

namespace plenwick {

// The view's elements with the drawing's snap points, its mapping, layer states and current
// layer, the grid origin it draws the grid from, and the pick tolerance from the program-wide
// grid pitch and sensitivity. The view must outlive the result.
PickView PickViewOf(CPlenwickView& view, SnapPointList& points);

}  // namespace plenwick
