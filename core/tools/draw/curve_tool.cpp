// The curve tool's sub-modes: control points and their rubber curve, the arc chain, and the
// freehand trace drawn with the curve's own pen as the mouse drags.
#include "tools/draw/curve_tool.h"

#include <algorithm>
#include <cmath>

#include "model/entity_core.h"
#include "tools/draw/circle_geometry.h"
#include "tools/draw/element_adding.h"
#include "view/bspline.h"
#include "view/entity_stroke.h"
#include "view/tool_framework/point_entry.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

constexpr std::string_view kSplineNextCancel = "次のポイントを指示して下さい。[マウス右クリック/中止]";
constexpr std::string_view kSplineNextFinish = "次のポイントを指示して下さい。[マウス右クリック/終了]";
constexpr std::string_view kSplineLimit = "曲線の構成点は、40点以内で作図してください！";
constexpr std::string_view kChainThrough = "第２端を指示して下さい。[マウス右クリック/中止]";
constexpr std::string_view kChainEnd = "終端を指示して下さい。[マウス右クリック/中止]";
constexpr std::string_view kCollinear = "三点指定に誤りがあります。";
constexpr std::string_view kTraceTooLong =
    "自由曲線の作図要素が3000個を超えました。この曲線データは保存できません。";

// Points and grid crossings: what the arc chain meets with the magnet on.
constexpr int kPickPointsAndGrid = -10;
constexpr int16_t kArcCodes[5] = {10, 20, 40, 50, 51};

std::vector<double> ValuesOf(const std::vector<ModelPoint>& points) {
  std::vector<double> values;
  values.reserve(points.size() * 2);
  for (const ModelPoint& p : points) values.insert(values.end(), {p.x, p.y});
  return values;
}

}  // namespace

CCurveTool::CCurveTool(InteractionState& state) : CFeedbackTool(kCurveToolCode, state) {}

void CCurveTool::SetStepCount(std::size_t points) {
  state().InputStep = static_cast<int>(std::min<std::size_t>(points, kPointSlots - 1));
  state().phaseFlag = points > 0 ? 1 : 0;
}

void CCurveTool::OnLButtonDown(ToolView& view, unsigned, PixelPoint point) {
  pressPoint = point;
  if (state().ToolMode != kFreeCurveMode) return;
  Attach(view);
  ForgetMagnet(view);
  DiscardTrace(view);
  dragging_ = true;
  view.SetCapture();
  trace_.push_back(view.view().ScreenToModel(point.x, point.y));
  SetStepCount(1);
}

void CCurveTool::OnMouseMove(ToolView& view, unsigned flags, PixelPoint point) {
  if (!dragging_) {
    CFeedbackTool::OnMouseMove(view, flags, point);
    return;
  }
  Attach(view);
  lastPoint = point;
  // Every move is a point of the curve: no distance filter.
  trace_.push_back(view.view().ScreenToModel(point.x, point.y));
  DrawTrace(view, trace_.size() - 2);
  SetStepCount(trace_.size());
}

void CCurveTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  view.ReleaseCapture();
  Attach(view);
  EraseRubber(view);
  switch (state().ToolMode) {
    case kSplineMode: SplineClick(view, point); break;
    case kArcChainMode: ArcChainClick(view, point); break;
    case kFreeCurveMode: EndTrace(view); break;
    default: return;
  }
  if (state().InputStep != 0 && state().ToolMode != kFreeCurveMode) ShowPreview(view, point);
}

void CCurveTool::OnRButtonDown(ToolView& view, unsigned, PixelPoint) {
  Attach(view);
  if (state().ToolMode == kSplineMode && state().InputStep != 0) {
    if (points_.size() < 2) {
      view.ui().Beep();
      EndOperation(view, std::nullopt);
      return;
    }
    FinishSpline(view);
    return;
  }
  if (state().ToolMode == kArcChainMode && state().InputStep != 0) EndOperation(view, std::nullopt);
}

void CCurveTool::SplineClick(ToolView& view, PixelPoint click) {
  if (state().NumericEntered) return;
  points_.push_back(ClickedPoint(*this, view, click, kPickAll));
  if (points_.size() == 1) ShowCross(view, points_.front());
  if (points_.size() >= static_cast<std::size_t>(kMaxBezierPoints)) {
    FinishSpline(view);
    view.ui().ShowMessage(kSplineLimit);
    return;
  }
  view.ShowPrompt(0, points_.size() == 1 ? kSplineNextCancel : kSplineNextFinish);
  SetStepCount(points_.size());
}

void CCurveTool::FinishSpline(ToolView& view) {
  const std::vector<double> values = ValuesOf(points_);
  std::vector<int16_t> codes;
  for (std::size_t i = 0; i < points_.size(); ++i) codes.insert(codes.end(), {10, 20});
  EndOperation(view, std::nullopt);
  AddToolElement(*this, view, {kBezierCurve, 0, codes, values});
}

void CCurveTool::ArcChainClick(ToolView& view, PixelPoint click) {
  if (state().NumericEntered) return;
  const ModelPoint p = ClickedPoint(*this, view, click, kPickPointsAndGrid);
  switch (state().InputStep) {
    case 0:
      points_ = {p};
      ShowCross(view, p);
      view.ShowPrompt(0, kChainThrough);
      SetStepCount(1);
      return;
    case 1:
      points_.resize(1);
      points_.push_back(p);
      view.ShowPrompt(0, kChainEnd);
      SetStepCount(2);
      return;
    default: break;
  }
  const std::optional<ArcThrough3> arc = ArcFrom3Points(points_[0], p, points_[1]);
  if (!arc) {
    // The start and the through-point stay: another end may still make an arc.
    view.ui().ShowMessage(kCollinear);
    return;
  }
  const double values[5] = {arc->centre.x, arc->centre.y, arc->radius, arc->startDeg, arc->endDeg};
  if (AddToolElement(*this, view, {kArc, static_cast<int16_t>(arc->direction), kArcCodes, values}) ==
      ElementAdded::kRefused) {
    EndOperation(view, std::nullopt);
    return;
  }
  // The end starts the next arc of the chain.
  points_ = {p};
  ShowCross(view, p);
  view.ShowPrompt(0, kChainThrough);
  SetStepCount(1);
}

void CCurveTool::EndTrace(ToolView& view) {
  if (!dragging_) return;
  dragging_ = false;
  if (trace_.size() > static_cast<std::size_t>(kMaxFreeCurvePoints)) {
    view.ui().Beep();
    view.ui().ShowMessage(kTraceTooLong);
    DiscardTrace(view);
  } else if (trace_.size() >= 2) {
    const std::vector<double> values = ValuesOf(trace_);
    trace_.clear();
    AddToolElement(*this, view, {kFreeCurve, 0, {}, values});
  } else {
    DiscardTrace(view);  // a press without moves adds nothing
  }
  EndOperation(view, kSplineNextFinish);
}

void CCurveTool::DrawTrace(ToolView& view, std::size_t from) {
  if (trace_.size() < from + 2) return;
  const ProgramSettings& s = view.settings();
  const std::span<const ModelPoint> piece(trace_.data() + from, trace_.size() - from);
  DrawUnderneath(view, [&](Canvas& canvas) {
    const RenderContext ctx = view.view().MakeRenderContext(canvas);
    EntityStroke(ctx, s.CurrentLineType * 100 + s.CurrentPen, static_cast<ColourRef>(s.CurrentColour), 0)
        .Model(piece);
  });
}

void CCurveTool::DiscardTrace(ToolView& view) {
  if (trace_.empty()) return;
  const ViewMapping& mapping = view.view().mapping();
  PixelRect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (const ModelPoint& p : trace_) {
    const PixelPoint q = mapping.ModelToScreen(p);
    box = {std::min(box.left, q.x), std::min(box.top, q.y), std::max(box.right, q.x), std::max(box.bottom, q.y)};
  }
  trace_.clear();
  // Wide enough for the thickest pen.
  constexpr int kMargin = 10;
  const PixelRect dirty{box.left - kMargin, box.top - kMargin, box.right + kMargin, box.bottom + kMargin};
  view.host().Invalidate(&dirty);
}

void CCurveTool::BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) {
  if (points_.empty()) return;
  const ModelPoint m = CursorPoint(*this, view, cursor);
  if (state().ToolMode == kSplineMode) {
    std::vector<ModelPoint> controls = points_;
    controls.push_back(m);
    shape->polylines.push_back(SampleBSpline(controls));
    return;
  }
  if (state().ToolMode != kArcChainMode) return;
  if (points_.size() == 1) {
    shape->segments.push_back({points_[0], m});
    shape->measured = LineEnds{points_[0], m};
    return;
  }
  const double ppm = view.view().mapping().PixelsPerMm / view.view().mapping().scale;
  if (const std::optional<ArcThrough3> arc = ArcFrom3Points(points_[0], m, points_[1])) {
    shape->polylines.push_back(ArcPolyline(arc->centre, arc->radius, arc->startDeg, arc->endDeg, arc->direction, ppm));
  } else {
    shape->segments.push_back({points_[0], m});
  }
}

void CCurveTool::DropOwnOperation(ToolView& view) {
  points_.clear();
  if (dragging_) {
    dragging_ = false;
    view.ReleaseCapture();
  }
  DiscardTrace(view);
}

void CCurveTool::ShowOwnFeedbackAgain(ToolView& view, bool) {
  // The trace is drawn in copy mode: a repaint of its pixels takes it away.
  if (dragging_) DrawTrace(view, 0);
}

}  // namespace plenwick
