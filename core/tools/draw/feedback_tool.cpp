// The exclusive-or feedback of the point-taking drawing tools, and the end of their operations.
#include "tools/draw/feedback_tool.h"

#include "view/feedback_shapes.h"
#include "view/selection.h"
#include "view/tool_framework/distance_label.h"
#include "view/tool_framework/point_entry.h"
#include "view/tool_framework/tool_rules.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

constexpr int kStateHighlight = 1;  // the drawing state of the highlight colour
// Half the size of the magnet's snap marker, pixels.
constexpr int kMagnetMarkerHalf = 4;

// Adds a polyline (model mm) as segments between the distinct pixels of its points.
void AddPolyline(XorFigure& figure, const ViewMapping& mapping, const std::vector<ModelPoint>& points) {
  if (points.size() < 2) return;
  ModelPoint from = points.front();
  PixelPoint fromPixel = mapping.ModelToScreen(from);
  for (std::size_t i = 1; i < points.size(); ++i) {
    const PixelPoint pixel = mapping.ModelToScreen(points[i]);
    if (pixel == fromPixel && i + 1 < points.size()) continue;
    figure.AddSegment(mapping, from, points[i]);
    from = points[i];
    fromPixel = pixel;
  }
}

}  // namespace

void CFeedbackTool::Attach(ToolView& view) {
  if (view_ && view_ != &view) ClearFeedback(*view_);
  view_ = &view;
  // An operation abandoned without this tool being told (a tool chosen with no view to cancel
  // on) still has its feedback up.
  if (state().InputStep == 0) DropOperation(view);
}

void CFeedbackTool::OnMouseMove(ToolView& view, unsigned, PixelPoint point) {
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

void CFeedbackTool::OnCancel(ToolView& view) {
  Attach(view);
  if (state().InputStep != 0) EndOperation(view, std::nullopt);
  ForgetMagnet(view);
}

void CFeedbackTool::ClearFeedback(ToolView& view) {
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

void CFeedbackTool::ClearFeedbackEverywhere() {
  if (view_) ClearFeedback(*view_);
}

void CFeedbackTool::OnNumericInput(ToolView& view) {
  Attach(view);
  EraseRubber(view);
  previewWanted_ = false;
}

void CFeedbackTool::OnUndo(ToolView& view) {
  Attach(view);
  if (state().InputStep != 0) EndOperation(view, std::nullopt);
  // The undo repaints parts of the view: no exclusive-or pixels may be caught in it.
  ForgetMagnet(view);
  feedback_.EraseAll(view);
  CDrawTool::OnUndo(view);
}

void CFeedbackTool::BeforeViewPaint(ToolView& view) {
  if (view_ == &view) feedback_.DrawAllAgain(view);
}

void CFeedbackTool::AfterViewPaint(ToolView& view, bool wholeClient) {
  if (view_ != &view) return;
  if (!wholeClient) {
    // Only part of the client was painted and the mapping is the one the figures were made in.
    feedback_.DrawAllAgain(view);
    ShowOwnFeedbackAgain(view, false);
    return;
  }
  // The figures went with the old picture; the pixels of model points follow the mapping.
  const bool magnet = feedback_.IsShown(kMagnetSlot);
  feedback_.Forget();
  const ViewMapping& mapping = view.view().mapping();
  lastCursor = mapping.ScreenToModel(lastPoint.x, lastPoint.y);
  ShowOwnFeedbackAgain(view, true);
  if (crossAt_) ShowCross(view, *crossAt_);
  // The unmoved cursor now stands over another place: the magnet judges it afresh.
  if (magnet) {
    TrackMagnet(*this, view, lastPoint);
    ShowMagnet(view);
  }
  // The mouse has not moved: the rubber figure still ends at its pixel.
  if (previewWanted_ && state().CurrentToolCode == code() && state().InputStep != 0) ShowPreview(view, lastPoint);
}

void CFeedbackTool::DrawUnderneath(ToolView& view, const std::function<void(Canvas&)>& draw) {
  feedback_.DrawUnderneath(view, draw);
}

void CFeedbackTool::DropOperation(ToolView& view) {
  feedback_.Erase(view, kRubberSlot);
  feedback_.Erase(view, kCrossSlot);
  crossAt_.reset();
  previewWanted_ = false;
  DropOwnOperation(view);
}

void CFeedbackTool::EndOperation(ToolView& view, std::optional<std::string_view> prompt) {
  DropOperation(view);
  InteractionState& s = state();
  s.InputStep = 0;
  s.RubberDrawn = 0;
  s.phaseFlag = 0;
  ResetOwnState();
  if (prompt) {
    view.ShowPrompt(0, *prompt);
  } else {
    view.ShowFirstPrompt();
  }
}

void CFeedbackTool::StepClick(ToolView& view, PixelPoint point, const std::function<void()>& click) {
  view.ReleaseCapture();
  Attach(view);
  EraseRubber(view);
  click();
  if (state().InputStep != 0) ShowPreview(view, state().NumericEntered ? lastPoint : point);
}

void CFeedbackTool::EndOnRightButton(ToolView& view) {
  Attach(view);
  if (state().InputStep != 0 && ContextMenuFor(state(), view.settings(), false) == 0) EndOperation(view, std::nullopt);
}

void CFeedbackTool::Highlight(ToolView& view, DrawEntity& e) {
  DrawUnderneath(view, [&](Canvas& canvas) { view.view().DrawElement(canvas, e, kStateHighlight); });
  highlighted_.push_back(&e);
}

void CFeedbackTool::DrawHighlights(ToolView& view) {
  if (highlighted_.empty()) return;
  DrawUnderneath(view, [&](Canvas& canvas) {
    for (DrawEntity* e : highlighted_) view.view().DrawElement(canvas, *e, kStateHighlight);
  });
}

void CFeedbackTool::Mark(ToolView& view, DrawEntity& e, int16_t mark) {
  marked_.push_back({&e, e.mark});
  e.mark = mark;
  DrawUnderneath(view, [&](Canvas& canvas) { view.view().DrawElement(canvas, e, mark); });
}

void CFeedbackTool::RestoreHighlights(ToolView& view) {
  if (highlighted_.empty() && marked_.empty()) return;
  // Latest first: an element marked twice gets back the mark it had before the first.
  for (auto it = marked_.rbegin(); it != marked_.rend(); ++it) it->first->mark = it->second;
  DrawUnderneath(view, [&](Canvas& canvas) {
    for (DrawEntity* e : highlighted_) view.view().DrawElement(canvas, *e, e->mark);
    for (const auto& [e, mark] : marked_) view.view().DrawElement(canvas, *e, e->mark);
  });
  highlighted_.clear();
  marked_.clear();
}

void CFeedbackTool::ShowCross(ToolView& view, ModelPoint at) {
  crossAt_ = at;
  XorFigure cross;
  cross.pen = {PenKind::kCosmetic, PenStyle::kSolid, 1, indicatorColour};
  for (const PixelLine& line : CrossMarkLines(view.view().mapping().ModelToScreen(at))) cross.lines.push_back(line);
  feedback_.Show(view, kCrossSlot, std::move(cross));
}

void CFeedbackTool::ShowWindowFrom(ToolView& view, ModelPoint anchor, PixelPoint cursor) {
  const PixelPoint a = view.view().mapping().ModelToScreen(anchor);
  int x1 = a.x, y1 = a.y, x2 = cursor.x, y2 = cursor.y;
  NormalizeRect(&x1, &y1, &x2, &y2);
  XorFigure rect;
  rect.pen = {PenKind::kCosmetic, PenStyle::kDot, 1, indicatorColour};
  rect.rects.push_back({x1, y1, x2 + 1, y2 + 1});
  feedback_.Show(view, kOwnSlot, std::move(rect));
}

void CFeedbackTool::BuildPreview(ToolView&, PixelPoint, RubberShape*) {}

void CFeedbackTool::ShowPreview(ToolView& view, PixelPoint cursor) {
  RubberShape shape;
  BuildPreview(view, cursor, &shape);
  const ViewMapping& mapping = view.view().mapping();
  XorFigure figure;
  figure.pen = {PenKind::kCosmetic, PenStyle::kSolid, 1, indicatorColour};
  for (const LineEnds& segment : shape.segments) figure.AddSegment(mapping, segment.a, segment.b);
  for (const std::vector<ModelPoint>& polyline : shape.polylines) AddPolyline(figure, mapping, polyline);
  if (shape.measured && view.settings().DistanceDisplay) {
    figure.label = PlanDistanceLabel(mapping, shape.measured->a, shape.measured->b);
  }
  state().RubberDrawn = figure.IsEmpty() ? 0 : 1;
  feedback_.Show(view, kRubberSlot, std::move(figure));
}

void CFeedbackTool::EraseRubber(ToolView& view) {
  feedback_.Erase(view, kRubberSlot);
  state().RubberDrawn = 0;
}

void CFeedbackTool::ShowMagnet(ToolView& view) {
  XorFigure marker;
  if (snapHit) {
    marker.pen = {PenKind::kCosmetic, PenStyle::kSolid, 1, highlightColour};
    const PixelPoint p = snapPixel;
    marker.rects.push_back({p.x - kMagnetMarkerHalf, p.y - kMagnetMarkerHalf, p.x + kMagnetMarkerHalf + 1,
                            p.y + kMagnetMarkerHalf + 1});
  }
  feedback_.Show(view, kMagnetSlot, std::move(marker));
}

void CFeedbackTool::ForgetMagnet(ToolView& view) {
  snapHit = false;
  feedback_.Erase(view, kMagnetSlot);
}

}  // namespace plenwick
