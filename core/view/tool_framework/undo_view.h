// "元に戻す" on the screen: one toggle of the drawing's undo step, with the elements it took away
// erased and their snap points disabled, and the elements it put back drawn and their snap
// points enabled.
#pragma once

#include "model/entity_list.h"
#include "model/snap_point_list.h"
#include "model/user_interface.h"
#include "view/plenwick_view.h"

namespace plenwick {

// Returns true when the step changed the drawing. Nothing happens while the last recorded step
// holds only the grid element.
bool UndoInView(EntityList& list, SnapPointList& points, UserInterface& ui, CPlenwickView& view, ViewHost& host);

}  // namespace plenwick
