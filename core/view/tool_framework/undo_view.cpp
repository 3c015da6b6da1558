// The screen side of undo: which chain leaves the screen and which comes back after a toggle.
#include "view/tool_framework/undo_view.h"

#include "model/undo.h"
#include "view/snap_registration.h"

namespace plenwick {

namespace {

// Chains up to this long are erased and drawn element by element; a longer one repaints the view
// once.
constexpr std::size_t kDrawnOneByOne = 256;

bool Long(const DrawEntity* first) {
  std::size_t n = 0;
  for (const DrawEntity* e = first; e; e = e->next) {
    if (++n > kDrawnOneByOne) return true;
  }
  return false;
}

}  // namespace

bool UndoInView(EntityList& list, SnapPointList& points, UserInterface& ui, CPlenwickView& view, ViewHost& host) {
  if (!list.tail) return false;
  if (list.undoState == 0 && list.tail->kind == kGrid) return false;
  // State 1 is about to put the removed chain back at the end of the list.
  DrawEntity* remembered = list.undoState == 1 ? list.removedHead : nullptr;
  const int before = list.undoState;
  Undo(list, ui);
  DrawEntity* gone = nullptr;  // the chain that left the list
  DrawEntity* back = nullptr;  // the chain that came back
  switch (list.undoState) {
    case 1: gone = list.removedHead; break;
    case 2: back = remembered; break;
    case 3:
      gone = list.removedHead;
      back = list.replacedFirst;
      break;
    case 4:
      gone = list.replacedFirst;
      back = list.removedHead;
      break;
    case 5:
    case 6:
      // The drawing order changed: everything is painted again.
      host.Invalidate(nullptr);
      return true;
    default: return false;  // a buffer that did not match its chains was reset without a change
  }
  // Marks first: the snap points that come back take their element's mark.
  for (DrawEntity* e = back; e; e = e->next) e->mark = kMarkNone;
  UpdateSnapPointsAfterUndo(list, points, remembered);
  if (Long(gone) || Long(back)) {
    host.Invalidate(nullptr);
    return list.undoState != before;
  }
  for (DrawEntity* e = gone; e; e = e->next) view.InvalidateEntity(*e);
  if (back) {
    host.DrawOnClient([&](Canvas& canvas) {
      for (DrawEntity* e = back; e; e = e->next) view.DrawElement(canvas, *e, 0);
    });
  }
  return list.undoState != before;
}

}  // namespace plenwick
