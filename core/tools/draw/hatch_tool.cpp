// Picking a closed region and adding its hatching or paint.
#include "tools/draw/hatch_tool.h"

#include <algorithm>
#include <cmath>

#include "tools/draw/element_adding.h"
#include "tools/draw/hatch_region.h"
#include "view/entity_shape.h"
#include "view/pick.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

constexpr std::string_view kNextRegionElement = "次の閉領域の要素を選んで下さい。";
// Lines, arcs, circles and polygons: what may bound a region.
constexpr int kPickRegion = -25;

// A circle or a polygon is a region by itself.
bool ClosedAlone(const DrawEntity& e) {
  CircleShape circle;
  return e.kind == kPolygon || (CircleOf(e, &circle) && circle.whole);
}

bool UsableSpacing(double s) { return std::isfinite(s) && s > 0; }

}  // namespace

CHatchiTool::CHatchiTool(InteractionState& state) : CFeedbackTool(kHatchiToolCode, state) {}

void CHatchiTool::FocusOperationBar(ToolView& view) {
  if (state().ToolMode == kHatching) view.ui().FocusOperationBar();
}

void CHatchiTool::OnMouseMove(ToolView& view, unsigned, PixelPoint point) {
  Attach(view);
  lastPoint = point;
  lastCursor = view.view().ScreenToModel(point.x, point.y);
}

void CHatchiTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  view.ReleaseCapture();
  Attach(view);
  if (state().NumericEntered) return;
  const PickHit hit = PickEntity(view.picking(), kPickRegion, point);
  if (!hit.entity) {
    view.ui().Beep();
    return;
  }
  // A circle or polygon picked after other elements starts the region afresh, alone.
  if (state().InputStep != 0 && ClosedAlone(*hit.entity)) EndOperation(view, std::nullopt);
  const ModelPoint at = view.view().ScreenToModel(point.x, point.y);
  switch (chain_.Add(*hit.entity, at, true)) {
    case BoundaryChain::Pick::kRefused: view.ui().Beep(); return;
    case BoundaryChain::Pick::kTaken:
      Mark(view, *hit.entity, state().InputStep == 0 ? kMarkSelected : kMarkTemporary);
      view.ShowPrompt(0, kNextRegionElement);
      ++state().InputStep;
      return;
    case BoundaryChain::Pick::kClosed: Fill(view); return;
  }
}

void CHatchiTool::OnRButtonDown(ToolView& view, unsigned, PixelPoint) {
  Attach(view);
  if (state().InputStep != 0) EndOperation(view, std::nullopt);
}

void CHatchiTool::Fill(ToolView& view) {
  const std::vector<BoundaryPiece> pieces = RegionPieces(chain_.pieces());
  // The marks go first: the new element is drawn over the elements as they are.
  EndOperation(view, std::nullopt);
  const ProgramSettings& s = view.settings();
  std::optional<RegionRecord> record;
  NewElement element;
  if (state().ToolMode == kHatching) {
    // In points mode the spacings are sizes on the paper: the drawing's scale turns them into mm.
    const double scale = s.TextSizeMode == 1 ? view.view().mapping().scale : 1.0;
    const HatchSpacing hatch{s.HatchPattern, s.HatchSpacingY * scale, s.HatchSpacingX * scale, s.HatchAngle};
    if (UsableSpacing(hatch.spacingX) && UsableSpacing(hatch.spacingY)) record = HatchRecordOf(pieces, hatch);
    element.kind = kHatch;
    element.penOnly = true;
  } else {
    int failedArcs = 0;
    const bool allowed = PaintPointsAllowed(pieces, &failedArcs);
    for (int i = 0; i < failedArcs; ++i) view.ui().Beep();
    if (allowed) record = PaintRecordOf(pieces);
    element.kind = kPaint;
    element.fillPattern = std::clamp<int16_t>(state().PaintPattern, 0, 6);
  }
  if (!record) {
    view.ui().Beep();
    return;
  }
  element.subKind = record->subKind;
  element.codes = record->codes;
  element.values = record->values;
  if (AddToolElement(*this, view, element) == ElementAdded::kDropped) view.ui().Beep();
}

void CHatchiTool::DropOwnOperation(ToolView& view) {
  RestoreHighlights(view);
  chain_.Clear();
}

}  // namespace plenwick
