// The line tool's slots: routing events to the sub-mode, and its own feedback (guide, highlights).
#include "tools/draw/line_tool.h"

#include "tools/draw/line_sub_mode.h"
#include "view/render_context.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

constexpr int kGuideSlot = 2;       // the centre line's dotted guide

}  // namespace

CLineTool::CLineTool(InteractionState& state)
    : CFeedbackTool(kLineToolCode, state),
      modes_{MakeStraightLineMode(), MakePolylineMode(),  MakeInfiniteLineMode(),
             MakePerpendicularMode(), MakeParallelMode(), MakeCentreLineMode(),
             MakeWidthLineMode(),     MakeTangentMode(),  MakeAngleMoveMode()} {}

CLineTool::~CLineTool() = default;

LineSubMode* CLineTool::Mode() const {
  const int mode = state().ToolMode;
  return mode >= 0 && mode < kModeCount ? modes_[static_cast<std::size_t>(mode)].get() : nullptr;
}

void CLineTool::FocusOperationBar(ToolView& view) {
  const int mode = state().ToolMode;
  if ((mode >= 0 && mode <= 3) || mode == 6 || mode == 8) view.ui().FocusOperationBar();
}

void CLineTool::OnLButtonDown(ToolView&, unsigned, PixelPoint point) { pressPoint = point; }

void CLineTool::OnLButtonDblClk(ToolView& view, unsigned, PixelPoint) {
  Attach(view);
  if (state().InputStep != 0) EndOperation(view, std::nullopt);
}

void CLineTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  view.ReleaseCapture();
  Attach(view);
  LineSubMode* mode = Mode();
  if (!mode) return;
  // The rubber band belongs to the step that is ending.
  EraseRubber(view);
  LineSession session(*this, view);
  mode->Click(session, point);
  if (state().InputStep != 0) ShowPreview(view, state().NumericEntered ? lastPoint : point);
}

void CLineTool::OnRButtonDown(ToolView& view, unsigned, PixelPoint) {
  Attach(view);
  const LineSubMode* mode = Mode();
  if (mode && state().InputStep != 0 && mode->CancelsOnRightClick()) EndOperation(view, std::nullopt);
}

void CLineTool::BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) {
  LineSubMode* mode = Mode();
  if (!mode) return;
  LineSession session(*this, view);
  mode->Preview(session, cursor, shape);
}

void CLineTool::DropOwnOperation(ToolView& view) {
  feedback().Erase(view, kGuideSlot);
  guide_.reset();
  RestoreHighlights(view);
  for (const auto& mode : modes_) mode->Reset();
}

void CLineTool::ShowOwnFeedbackAgain(ToolView& view, bool wholeClient) {
  DrawHighlights(view);
  if (wholeClient && guide_) ShowGuide(view, *guide_);
}

void CLineTool::ResetOwnState() { state().lineReferenceFlag = 0; }

void CLineTool::ShowGuide(ToolView& view, const LineEnds& guide) {
  guide_ = guide;
  XorFigure figure;
  figure.pen = {PenKind::kCosmetic, PenStyle::kDot, 1, highlightColour};
  figure.AddSegment(view.view().mapping(), guide.a, guide.b);
  feedback().Show(view, kGuideSlot, std::move(figure));
}

}  // namespace plenwick
