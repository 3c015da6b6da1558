// Set picks and windows on the current layer, and redrawing what they changed.
#include "tools/edit/set_picking.h"

#include <cstdlib>

#include "view/pick.h"
#include "view/selection.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

// A press and release further apart than this in x or y make a window (pixels).
constexpr int kWindowPixels = 9;

}  // namespace

bool IsWindowGesture(PixelPoint press, PixelPoint release) {
  return std::abs(release.x - press.x) > kWindowPixels || std::abs(release.y - press.y) > kWindowPixels;
}

DrawEntity* HitSelectable(ToolView& view, PixelPoint point) {
  PickView pick = view.picking();
  pick.currentLayerOnly = true;
  // The magnet's own filter leaves the grid out; with the magnet off picks still take elements.
  DrawEntity* hit = PickEntity(pick, kPickAllButGrid, point).entity;
  if (!hit || hit->kind == kGrid || hit->layer != view.settings().CurrentLayer) return nullptr;
  return hit;
}

DrawEntity* PickOrWindow(ToolView& view, SelectionSet& selection, PixelPoint press, PixelPoint release, int16_t mark,
                         std::vector<DrawEntity*>* changed) {
  SnapPointList& points = view.doc().snapPoints;
  if (!IsWindowGesture(press, release)) {
    DrawEntity* hit = HitSelectable(view, release);
    if (hit) selection.Toggle(*hit, mark, points, changed);
    return hit;
  }
  const ViewMapping& m = view.view().mapping();
  const ModelPoint a = m.ScreenToModel(press.x, press.y), b = m.ScreenToModel(release.x, release.y);
  double x1 = a.x, y1 = a.y, x2 = b.x, y2 = b.y;
  NormalizeRectF(&x1, &y1, &x2, &y2);
  const Box box{x1, y1, x2, y2};
  const int layer = view.settings().CurrentLayer;
  for (DrawEntity& e : view.doc().entities) {
    if (e.layer != layer || e.kind == kGrid || e.mark == kMarkDeleted) continue;
    if (SelectionSet::UnitOf(e).mark == mark || !IsInsideRect(box, e)) continue;
    selection.Mark(e, mark, points, changed);
  }
  return nullptr;
}

void MarkAllOnLayer(ToolView& view, SelectionSet& selection, int16_t mark, std::vector<DrawEntity*>* changed) {
  const int layer = view.settings().CurrentLayer;
  for (DrawEntity& e : view.doc().entities) {
    if (e.layer == layer && e.kind != kGrid && e.mark != kMarkDeleted && SelectionSet::UnitOf(e).mark != mark) {
      selection.Mark(e, mark, view.doc().snapPoints, changed);
    }
  }
}

void RedrawRecords(CFeedbackTool& tool, ToolView& view, const std::vector<DrawEntity*>& changed) {
  if (changed.empty()) return;
  if (changed.size() > kRedrawnOneByOne) {
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
