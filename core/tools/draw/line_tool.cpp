// The line tool's slots: routing events to the sub-mode, its feedback and the end of operations.
#include "tools/draw/line_tool.h"

#include "tools/draw/line_sub_mode.h"
#include "view/feedback_shapes.h"
#include "view/render_context.h"
#include "view/tool_framework/distance_label.h"
#include "view/tool_framework/point_entry.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

// Half the size of the magnet's snap marker, pixels.
constexpr int kMagnetMarkerHalf = 4;
constexpr int kStateHighlight = 1;  // the drawing state of the highlight colour

}  // namespace

CLineTool::CLineTool(InteractionState& state)
    : CDrawTool(kLineToolCode, state),
      modes_{MakeStraightLineMode(), MakePolylineMode(),  MakeInfiniteLineMode(),
             MakePerpendicularMode(), MakeParallelMode(), MakeCentreLineMode(),
             MakeWidthLineMode(),     MakeTangentMode(),  MakeAngleMoveMode()} {}

CLineTool::~CLineTool() = default;

LineSubMode* CLineTool::Mode() const {
  const int mode = state().ToolMode;
  return mode >= 0 && mode < kModeCount ? modes_[static_cast<std::size_t>(mode)].get() : nullptr;
}

void CLineTool::Attach(ToolView& view) {
  if (view_ && view_ != &view) ClearFeedback(*view_);
  view_ = &view;
  // An operation abandoned without this tool being told (a tool chosen with no view to cancel
  // on) still has its feedback up.
  if (state().InputStep == 0) DropOperation(view);
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
  feedback_.Erase(view, kLineRubberSlot);
  state().RubberDrawn = 0;
  LineSession session(*this, view);
  mode->Click(session, point);
  if (state().InputStep != 0) ShowPreview(view, state().NumericEntered ? lastPoint : point);
}

void CLineTool::OnMouseMove(ToolView& view, unsigned, PixelPoint point) {
  Attach(view);
  lastPoint = point;
  lastCursor = view.view().ScreenToModel(point.x, point.y);
  TrackMagnet(*this, view, point);
  ShowMagnet(view);
  if (state().InputStep != 0) {
    previewWanted_ = true;
    ShowPreview(view, point);
  }
}

void CLineTool::OnRButtonDown(ToolView& view, unsigned, PixelPoint) {
  Attach(view);
  const LineSubMode* mode = Mode();
  if (mode && state().InputStep != 0 && mode->CancelsOnRightClick()) EndOperation(view, std::nullopt);
}

void CLineTool::OnCancel(ToolView& view) {
  Attach(view);
  if (state().InputStep != 0) EndOperation(view, std::nullopt);
  ForgetMagnet(view);
}

void CLineTool::ClearFeedback(ToolView& view) {
  if (view_ != &view) return;  // nothing of this tool is on that view
  // The step belongs to whichever tool is active.
  if (state().CurrentToolCode == code() && state().InputStep != 0) {
    EndOperation(view, std::nullopt);
  } else {
    DropOperation(view);
  }
  ForgetMagnet(view);
  feedback_.EraseAll(view);
  view_ = nullptr;
}

void CLineTool::ClearFeedbackEverywhere() {
  if (view_) ClearFeedback(*view_);
}

void CLineTool::OnNumericInput(ToolView& view) {
  Attach(view);
  feedback_.Erase(view, kLineRubberSlot);
  state().RubberDrawn = 0;
  previewWanted_ = false;
}

void CLineTool::OnUndo(ToolView& view) {
  Attach(view);
  if (state().InputStep != 0) EndOperation(view, std::nullopt);
  // The undo repaints parts of the view: no exclusive-or pixels may be caught in it.
  ForgetMagnet(view);
  feedback_.EraseAll(view);
  CDrawTool::OnUndo(view);
}

void CLineTool::BeforeViewPaint(ToolView& view) {
  if (view_ == &view) feedback_.DrawAllAgain(view);
}

void CLineTool::AfterViewPaint(ToolView& view, bool wholeClient) {
  if (view_ != &view) return;
  if (!wholeClient) {
    // Only part of the client was painted and the mapping is the one the figures were made in.
    feedback_.DrawAllAgain(view);
    DrawHighlights(view);
    return;
  }
  // The figures went with the old picture; the pixels of model points follow the mapping.
  const bool magnet = feedback_.IsShown(kLineMagnetSlot);
  feedback_.Forget();
  DrawHighlights(view);
  const ViewMapping& mapping = view.view().mapping();
  lastCursor = mapping.ScreenToModel(lastPoint.x, lastPoint.y);
  if (crossAt_) ShowCross(view, *crossAt_);
  if (guide_) ShowGuide(view, *guide_);
  // The unmoved cursor now stands over another place: the magnet judges it afresh.
  if (magnet) {
    TrackMagnet(*this, view, lastPoint);
    ShowMagnet(view);
  }
  // The mouse has not moved: the rubber band still ends at its pixel.
  if (previewWanted_ && state().CurrentToolCode == code() && state().InputStep != 0) ShowPreview(view, lastPoint);
}

void CLineTool::DropOperation(ToolView& view) {
  feedback_.Erase(view, kLineRubberSlot);
  feedback_.Erase(view, kLineCrossSlot);
  feedback_.Erase(view, kLineGuideSlot);
  crossAt_.reset();
  guide_.reset();
  previewWanted_ = false;
  RestoreHighlights(view);
  for (const auto& mode : modes_) mode->Reset();
}

void CLineTool::EndOperation(ToolView& view, std::optional<std::string_view> prompt) {
  DropOperation(view);
  InteractionState& s = state();
  s.InputStep = 0;
  s.RubberDrawn = 0;
  s.phaseFlag = 0;
  s.lineReferenceFlag = 0;
  if (prompt) {
    view.ShowPrompt(0, *prompt);
  } else {
    view.ShowFirstPrompt();
  }
}

void CLineTool::RestoreHighlights(ToolView& view) {
  if (highlighted_.empty()) return;
  feedback_.DrawUnderneath(view, [&](Canvas& canvas) {
    for (DrawEntity* e : highlighted_) view.view().DrawElement(canvas, *e, e->mark);
  });
  highlighted_.clear();
}

void CLineTool::ShowCross(ToolView& view, ModelPoint at) {
  crossAt_ = at;
  XorFigure cross;
  cross.pen = {PenKind::kCosmetic, PenStyle::kSolid, 1, indicatorColour};
  for (const PixelLine& line : CrossMarkLines(view.view().mapping().ModelToScreen(at))) cross.lines.push_back(line);
  feedback_.Show(view, kLineCrossSlot, std::move(cross));
}

void CLineTool::ShowGuide(ToolView& view, const LineEnds& guide) {
  guide_ = guide;
  XorFigure figure;
  figure.pen = {PenKind::kCosmetic, PenStyle::kDot, 1, highlightColour};
  figure.AddSegment(view.view().mapping(), guide.a, guide.b);
  feedback_.Show(view, kLineGuideSlot, std::move(figure));
}

void CLineTool::Highlight(ToolView& view, DrawEntity& e) {
  feedback_.DrawUnderneath(view, [&](Canvas& canvas) { view.view().DrawElement(canvas, e, kStateHighlight); });
  highlighted_.push_back(&e);
}

void CLineTool::DrawHighlights(ToolView& view) {
  if (highlighted_.empty()) return;
  feedback_.DrawUnderneath(view, [&](Canvas& canvas) {
    for (DrawEntity* e : highlighted_) view.view().DrawElement(canvas, *e, kStateHighlight);
  });
}

void CLineTool::ShowPreview(ToolView& view, PixelPoint cursor) {
  LineSubMode* mode = Mode();
  if (!mode) return;
  LineSession session(*this, view);
  LineRubber rubber;
  mode->Preview(session, cursor, &rubber);
  const ViewMapping& mapping = view.view().mapping();
  XorFigure figure;
  figure.pen = {PenKind::kCosmetic, PenStyle::kSolid, 1, indicatorColour};
  for (const LineEnds& segment : rubber.segments) figure.AddSegment(mapping, segment.a, segment.b);
  if (rubber.measured && view.settings().DistanceDisplay) {
    figure.label = PlanDistanceLabel(mapping, rubber.measured->a, rubber.measured->b);
  }
  state().RubberDrawn = figure.IsEmpty() ? 0 : 1;
  feedback_.Show(view, kLineRubberSlot, std::move(figure));
}

void CLineTool::ShowMagnet(ToolView& view) {
  XorFigure marker;
  if (snapHit) {
    marker.pen = {PenKind::kCosmetic, PenStyle::kSolid, 1, highlightColour};
    const PixelPoint p = snapPixel;
    marker.rects.push_back({p.x - kMagnetMarkerHalf, p.y - kMagnetMarkerHalf, p.x + kMagnetMarkerHalf + 1,
                            p.y + kMagnetMarkerHalf + 1});
  }
  feedback_.Show(view, kLineMagnetSlot, std::move(marker));
}

void CLineTool::ForgetMagnet(ToolView& view) {
  snapHit = false;
  feedback_.Erase(view, kLineMagnetSlot);
}

}  // namespace plenwick
