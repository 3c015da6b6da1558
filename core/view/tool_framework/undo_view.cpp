// The screen side of undo: which chain leaves the screen and which comes back after a toggle.
#include "view/tool_framework/undo_view.h"

#include <vector>

#include "model/undo.h"

namespace plenwick {

namespace {

std::vector<DrawEntity*> ChainOf(DrawEntity* first) {
  std::vector<DrawEntity*> chain;
  for (DrawEntity* e = first; e; e = e->next) chain.push_back(e);
  return chain;
}

void Hide(const std::vector<DrawEntity*>& chain, SnapPointList& points, CPlenwickView& view) {
  for (DrawEntity* e : chain) {
    view.InvalidateEntity(*e);
    points.SetEntityState(e, -1);
  }
}

void Show(const std::vector<DrawEntity*>& chain, SnapPointList& points, CPlenwickView& view, ViewHost& host) {
  for (DrawEntity* e : chain) {
    e->mark = kMarkNone;
    points.SetEntityState(e, 0);
  }
  if (chain.empty()) return;
  host.DrawOnClient([&](Canvas& canvas) {
    for (DrawEntity* e : chain) view.DrawElement(canvas, *e, 0);
  });
}

}  // namespace

bool UndoInView(EntityList& list, SnapPointList& points, UserInterface& ui, CPlenwickView& view, ViewHost& host) {
  if (!list.tail) return false;
  if (list.undoState == 0 && list.tail->kind == kGrid) return false;
  // State 1 is about to put the removed chain back at the end of the list.
  const std::vector<DrawEntity*> remembered = list.undoState == 1 ? ChainOf(list.removedHead) : std::vector<DrawEntity*>{};
  const int before = list.undoState;
  Undo(list, ui);
  switch (list.undoState) {
    case 1: Hide(ChainOf(list.removedHead), points, view); break;
    case 2: Show(remembered, points, view, host); break;
    case 3:
      Hide(ChainOf(list.removedHead), points, view);
      Show(ChainOf(list.replacedFirst), points, view, host);
      break;
    case 4:
      Hide(ChainOf(list.replacedFirst), points, view);
      Show(ChainOf(list.removedHead), points, view, host);
      break;
    default: break;
  }
  // A buffer that did not match its chains was reset to 0 without touching the list.
  return list.undoState != 0 && list.undoState != before;
}

}  // namespace plenwick
