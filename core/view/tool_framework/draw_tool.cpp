// The base behaviour of the tool slots.
#include "view/tool_framework/draw_tool.h"

#include "view/feedback_shapes.h"
#include "view/tool_framework/distance_label.h"
#include "view/tool_framework/tool_view.h"
#include "view/tool_framework/undo_view.h"

namespace plenwick {

CDrawTool::CDrawTool(int code, InteractionState& state) : code_(code), state_(state) {
  state_.pending = 0;
  state_.textBoxOpen = 0;
}

void CDrawTool::OnReturnKey(ToolView&) {}
void CDrawTool::FocusOperationBar(ToolView&) {}
void CDrawTool::OnLButtonDown(ToolView&, unsigned, PixelPoint) {}
void CDrawTool::OnLButtonDblClk(ToolView&, unsigned, PixelPoint) {}

void CDrawTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  view.ReleaseCapture();
  if (point == pressPoint) state_.CurrentToolCode = kSelectToolCode;
}

void CDrawTool::OnMouseMove(ToolView&, unsigned, PixelPoint point) { lastPoint = point; }
void CDrawTool::OnRButtonDown(ToolView&, unsigned, PixelPoint) {}
void CDrawTool::OnToolCancel() { state_.CurrentToolCode = kSelectToolCode; }
void CDrawTool::OnCancel(ToolView&) {}
void CDrawTool::ClearFeedback(ToolView&) {}
void CDrawTool::ClearFeedbackEverywhere() {}
void CDrawTool::BeforeViewPaint(ToolView&) {}
void CDrawTool::AfterViewPaint(ToolView&, bool) {}
void CDrawTool::OnEndSelection(ToolView&) {}
void CDrawTool::OnViewActivated(ToolView&) {}

void CDrawTool::OnUndo(ToolView& view) {
  CPlenwickDoc& doc = view.doc();
  if (UndoInView(doc.entities, doc.snapPoints, doc.ui(), view.view(), view.host())) doc.SetModifiedFlag();
}

void CDrawTool::OnNumericInput(ToolView&) {}
void CDrawTool::OnSelectAll(ToolView&) {}
bool CDrawTool::OnToolCommand(ToolView&, int) { return false; }

void CDrawTool::DrawCrossMark(Canvas& canvas, int x, int y) const { plenwick::DrawCrossMark(canvas, x, y); }

void CDrawTool::DrawRubberRect(ToolView& view, PixelPoint point, int highlight) {
  RubberRectState rubber{pressPoint, rubberCorner, state_.RubberDrawn != 0};
  view.Draw([&](Canvas& canvas) {
    plenwick::DrawRubberRect(canvas, &rubber, point, highlight, indicatorColour, highlightColour);
  });
  rubberCorner = rubber.corner;
  state_.RubberDrawn = 1;
}

void CDrawTool::ShowDistanceLabel(ToolView& view, ModelPoint p, ModelPoint q) const {
  const std::optional<DistanceLabelPlan> plan = PlanDistanceLabel(view.view().mapping(), p, q);
  if (plan) view.Draw([&](Canvas& canvas) { DrawDistanceLabel(canvas, *plan); });
}

}  // namespace plenwick
