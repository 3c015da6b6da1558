// Picks, windows and select-all into a selection set, and drawing the records they changed.
#include "tools/edit/set_picking.h"

#include <cstdlib>

#include "tools/draw/feedback_tool.h"
#include "view/pick.h"
#include "view/selection.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

// A press and release further apart than this in x or y make a window (pixels).
constexpr int kWindowPixels = 9;
// More changed records than this repaint the view once instead of being drawn one by one.
constexpr std::size_t kDrawnOneByOne = 256;

bool Selectable(const DrawEntity& e, int layer) {
  return e.layer == layer && e.kind != kGrid && e.mark != kMarkDeleted;
}

}  // namespace

bool IsWindowGesture(PixelPoint press, PixelPoint release) {
  return std::abs(release.x - press.x) > kWindowPixels || std::abs(release.y - press.y) > kWindowPixels;
}

DrawEntity* HitOnCurrentLayer(ToolView& view, PixelPoint point) {
  PickView pick = view.picking();
  pick.currentLayerOnly = true;
  // The magnet's own filter leaves the grid out; with the magnet off picks still take elements.
  DrawEntity* hit = PickEntity(pick, kPickAllButGrid, point).entity;
  if (!hit || hit->kind == kGrid || hit->layer != view.settings().CurrentLayer) return nullptr;
  return hit;
}

DrawEntity* PickOrWindow(SelectionSet& set, ToolView& view, PixelPoint press, PixelPoint release, int16_t mark,
                         std::vector<DrawEntity*>* changed) {
  SnapPointList& points = view.doc().snapPoints;
  if (!IsWindowGesture(press, release)) {
    DrawEntity* hit = HitOnCurrentLayer(view, release);
    if (hit) set.Toggle(*hit, mark, points, changed);
    return hit;
  }
  const ViewMapping& m = view.view().mapping();
  const ModelPoint a = m.ScreenToModel(press.x, press.y), b = m.ScreenToModel(release.x, release.y);
  double x1 = a.x, y1 = a.y, x2 = b.x, y2 = b.y;
  NormalizeRectF(&x1, &y1, &x2, &y2);
  const Box box{x1, y1, x2, y2};
  const int layer = view.settings().CurrentLayer;
  for (DrawEntity& e : view.doc().entities) {
    if (!Selectable(e, layer) || SelectionSet::UnitOf(e).mark == mark || !IsInsideRect(box, e)) continue;
    set.Mark(e, mark, points, changed);
  }
  return nullptr;
}

void MarkCurrentLayer(SelectionSet& set, ToolView& view, int16_t mark, std::vector<DrawEntity*>* changed) {
  const int layer = view.settings().CurrentLayer;
  for (DrawEntity& e : view.doc().entities) {
    if (Selectable(e, layer) && SelectionSet::UnitOf(e).mark != mark) set.Mark(e, mark, view.doc().snapPoints, changed);
  }
}

void RedrawRecords(CFeedbackTool& tool, ToolView& view, const std::vector<DrawEntity*>& changed) {
  if (changed.empty()) return;
  if (changed.size() > kDrawnOneByOne) {
    view.host().Invalidate(nullptr);
    return;
  }
  tool.DrawUnderneath(view, [&](Canvas& canvas) {
    for (DrawEntity* e : changed) view.view().DrawElement(canvas, *e, e->mark);
  });
}

void AddWindowPreview(ToolView& view, PixelPoint press, PixelPoint cursor, RubberShape* shape) {
  if (!IsWindowGesture(press, cursor)) return;
  const ViewMapping& m = view.view().mapping();
  const ModelPoint a = m.ScreenToModel(press.x, press.y), b = m.ScreenToModel(cursor.x, cursor.y);
  shape->polylines.push_back({a, {b.x, a.y}, b, {a.x, b.y}, a});
}

std::vector<DrawEntity*> MarkedInListOrder(const EntityList& list, int16_t mark) {
  std::vector<DrawEntity*> out;
  for (DrawEntity* e = list.head; e; e = e->next) {
    if (e->mark == mark && e->kind != kGrid && !IsDimensionPart(*e)) out.push_back(e);
  }
  return out;
}

}  // namespace plenwick
