// Which elements a deletion takes: the elements a deletion may touch, the owners that go with
// their members (and the members with their owners), and the window deletion's filter. Deleted
// elements carry mark −1 until the step commits them.
#pragma once

#include "model/entity_list.h"
#include "tools/edit/delete_group_dlg.h"

namespace plenwick {

// Whether a deletion may take the element: on the current layer and not the grid.
bool Deletable(const DrawEntity& e, int currentLayer);

// The outermost owner of an element (itself when it has none).
DrawEntity& TopOwner(DrawEntity& e);

// Completes the marks of a deletion so that no element outlives its owner and no owner outlives
// its last member: a dimension goes whole when it or any part is marked; a marked group header
// takes its members; a group header goes exactly when every member goes. Elements that are not
// Deletable are never marked. A few passes over the list.
void CloseDeletionOverOwners(EntityList& list, int currentLayer);

// The window deletion's filter over the marks of a window (1 inside, 0 outside): every mark of
// the current layer returns to 0 and the elements the choice deletes get −1. A member of a
// dimension follows the dimension box, a member of a group goes when it is in the deleted range,
// and a group header follows its members (CloseDeletionOverOwners). Returns how many elements
// are marked.
int ApplyDeleteFilter(EntityList& list, int currentLayer, const DeleteChoice& choice);

}  // namespace plenwick
