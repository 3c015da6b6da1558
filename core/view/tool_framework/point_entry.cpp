// The magnet and the point of a click.
#include "view/tool_framework/point_entry.h"

#include "view/snap.h"

namespace plenwick {

namespace {

bool MagnetOn(const ToolView& view) { return view.settings().Magnet != 0; }

ModelPoint PointOfClick(const CDrawTool& tool, ToolView& view, PixelPoint click, int onFilter, int offFilter) {
  const bool magnet = MagnetOn(view);
  if (magnet && tool.snapHit) return tool.snapModel;
  const PickHit hit = PickEntity(view.picking(), magnet ? onFilter : offFilter, click);
  if (hit.entity) return hit.point;
  return view.view().ScreenToModel(click.x, click.y);
}

}  // namespace

void TrackMagnet(CDrawTool& tool, ToolView& view, PixelPoint cursor) {
  tool.snapHit = false;
  if (!MagnetOn(view)) return;
  const SnapHit hit = SnapNearest(view.picking(), cursor);
  if (hit.kind <= 0) return;
  tool.snapHit = true;
  tool.snapModel = hit.point;
  tool.snapPixel = view.view().mapping().ModelToScreen(hit.point);
}

ModelPoint ClickedPoint(const CDrawTool& tool, ToolView& view, PixelPoint click, int magnetFilter) {
  return PointOfClick(tool, view, click, magnetFilter, kPickMagnetOff);
}

ModelPoint ClickedPointOnAny(const CDrawTool& tool, ToolView& view, PixelPoint click, int filter) {
  return PointOfClick(tool, view, click, filter, filter);
}

ModelPoint CursorPoint(const CDrawTool& tool, ToolView& view, PixelPoint cursor) {
  if (MagnetOn(view) && tool.snapHit) return tool.snapModel;
  return view.view().ScreenToModel(cursor.x, cursor.y);
}

}  // namespace plenwick
