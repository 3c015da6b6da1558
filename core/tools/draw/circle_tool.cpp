// The circle tool's sub-modes: the steps of each, their rubber figures and the elements they add.
#include "tools/draw/circle_tool.h"

#include <cmath>

#include "model/draw_entity.h"
#include "tools/draw/element_adding.h"
#include "view/pick.h"
#include "view/tool_framework/point_entry.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

constexpr std::string_view kRadiusEnd = "半径終端を指示して下さい。[マウス右：数値入力／中止]";
constexpr std::string_view kDiameterEnd = "直径終端を指示して下さい。";
constexpr std::string_view kThreePointSecond = "中間位置を指示して下さい。[マウス右：中止]";
constexpr std::string_view kThreePointThird = "終了位置を指示して下さい。[マウス右：中止]";
constexpr std::string_view kArcStart = "円弧始端位置を指定して下さい。[マウス右：角度入力／中止]";
constexpr std::string_view kArcEnd = "円弧終端位置を指定して下さい。[右クリック／角度入力 (始角度ﾖﾘ)]";
constexpr std::string_view kThreePointArcEnd = "円弧終端を指示して下さい。";
constexpr std::string_view kThreePointArcThird = "円弧第３点位置を指示して下さい。";
constexpr std::string_view kFixedRadiusDone = "円を作図します。中心位置指示して下さい。";
constexpr std::string_view kEqualAngles = "【注意】＊＊＊ 開始角度と終了角度が同じです。ご確認ください！";
constexpr std::string_view kCollinear = "三点指定に誤りがあります。";

// Smallest fixed radius the bars' one-click circles and arcs take (mm).
constexpr double kMinFixedRadius = 0.01;
// Points and grid crossings: what the three-point modes meet with the magnet on.
constexpr int kPickPointsAndGrid = -10;

constexpr int16_t kCircleCodes[3] = {10, 20, 40};
constexpr int16_t kArcCodes[5] = {10, 20, 40, 50, 51};

}  // namespace

CCircleTool::CCircleTool(InteractionState& state) : CFeedbackTool(kCircleToolCode, state) {}

void CCircleTool::FocusOperationBar(ToolView& view) {
  const int mode = state().ToolMode;
  if (mode == kRadiusCircle || mode == kRadiusArc) view.ui().FocusOperationBar();
}

void CCircleTool::OnLButtonDown(ToolView&, unsigned, PixelPoint point) { pressPoint = point; }

void CCircleTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  if (state().ToolMode < kRadiusCircle || state().ToolMode > kThreePointArc) {
    view.ReleaseCapture();
    Attach(view);
    return;
  }
  StepClick(view, point, [&] { Click(view, point); });
}

void CCircleTool::OnRButtonDown(ToolView& view, unsigned, PixelPoint) { EndOnRightButton(view); }

void CCircleTool::Click(ToolView& view, PixelPoint click) {
  const int mode = state().ToolMode;
  const int step = state().InputStep;
  if ((mode == kRadiusCircle || mode == kRadiusArc) && step == 0 && view.settings().CircleRadiusOn) {
    if (!state().NumericEntered) FixedRadius(view, click);
    return;
  }
  switch (mode) {
    case kRadiusCircle: CircleByTwoPoints(view, click, false); return;
    case kDiameterCircle: CircleByTwoPoints(view, click, true); return;
    case kThreePointCircle: ThreePoints(view, click, false); return;
    case kThreePointArc: ThreePoints(view, click, true); return;
    default: ArcBySteps(view, click); return;
  }
}

ModelPoint CCircleTool::ClickPoint(ToolView& view, PixelPoint click, int filter) const {
  return ClickedPoint(*this, view, click, filter);
}

void CCircleTool::TakeFirst(ToolView& view, ModelPoint p, PixelPoint click, std::string_view prompt) {
  first_.Start(p, click, view.view().mapping());
  ShowCross(view, p);
  view.ShowPrompt(0, prompt);
  state().InputStep = 1;
  state().phaseFlag = 1;
}

std::optional<CCircleTool::Circle> CCircleTool::CircleOf(ModelPoint second, bool diameter) const {
  const ModelPoint a = first_.anchor();
  const double d = Distance(a, second);
  if (!std::isfinite(d)) return std::nullopt;
  if (!diameter) return Circle{a, d};
  if (!(d > 0)) return std::nullopt;
  return Circle{PointAlong(a, second, d / 2, d), d / 2};
}

std::optional<ModelPoint> CCircleTool::TypedSecond(ToolView&, bool diameter) const {
  const double r = state().EnteredValue;
  if (!std::isfinite(r) || !(r > 0)) return std::nullopt;
  const ModelPoint a = first_.anchor();
  return ModelPoint{a.x + (diameter ? 2 * r : r), a.y};
}

std::optional<double> CCircleTool::AngleToward(ModelPoint p) const {
  if (!circle_) return std::nullopt;
  const ModelPoint c = circle_->centre;
  if (!std::isfinite(p.x) || !std::isfinite(p.y) || (p.x == c.x && p.y == c.y)) return std::nullopt;
  return DirectionDegrees(c, p);
}

void CCircleTool::FixedRadius(ToolView& view, PixelPoint click) {
  const ProgramSettings& s = view.settings();
  const double r = s.CircleRadius;
  if (!(r >= kMinFixedRadius)) return;
  const ModelPoint centre = ClickPoint(view, click, kPickAll);
  if (state().ToolMode == kRadiusCircle) {
    AddCircle(view, {centre, r});
  } else {
    const double start = NormalizedDegrees(s.ArcStartAngle);
    const double end = NormalizedDegrees(s.ArcEndAngle);
    if (start == end) {
      Warn(view, kEqualAngles);
      return;
    }
    AddArc(view, {centre, r}, start, end, s.ArcDirection == 1 ? 1 : -1);
  }
  view.ShowPrompt(0, kFixedRadiusDone);
}

void CCircleTool::CircleByTwoPoints(ToolView& view, PixelPoint click, bool diameter) {
  const bool numeric = state().NumericEntered != 0;
  const bool arc = state().ToolMode == kRadiusArc || state().ToolMode == kDiameterArc;
  if (state().InputStep == 0) {
    if (!numeric) TakeFirst(view, ClickPoint(view, click, kPickAll), click, diameter ? kDiameterEnd : kRadiusEnd);
    return;
  }
  std::optional<ModelPoint> second;
  if (numeric) {
    second = TypedSecond(view, diameter);
  } else if (!first_.SamePixel(click, view.view().mapping())) {
    second = ClickPoint(view, click, kPickAll);
  }
  if (!second) return;
  const std::optional<Circle> c = CircleOf(*second, diameter);
  if (!c || !(c->radius >= kMinToolRadius)) return;
  if (!arc) {
    AddCircle(view, *c);
    EndOperation(view, std::nullopt);
    return;
  }
  circle_ = c;
  sweep_.Reset();
  ShowCross(view, c->centre);
  view.ShowPrompt(0, kArcStart);
  state().InputStep = 2;
}

void CCircleTool::ArcBySteps(ToolView& view, PixelPoint click) {
  const int step = state().InputStep;
  if (step < 2) {
    CircleByTwoPoints(view, click, state().ToolMode == kDiameterArc);
    return;
  }
  const bool numeric = state().NumericEntered != 0;
  const double typed = state().EnteredValue;
  if (numeric && !std::isfinite(typed)) return;
  if (step == 2) {
    const std::optional<double> start =
        numeric ? std::optional<double>(NormalizedDegrees(typed)) : AngleToward(ClickPoint(view, click, kPickAll));
    if (!start) return;
    startDeg_ = *start;
    sweep_.Reset();
    view.ShowPrompt(0, kArcEnd);
    state().InputStep = 3;
    return;
  }
  double end = 0;
  int direction = 1;
  if (numeric) {
    end = NormalizedDegrees(startDeg_ + std::fmod(typed, 360.0));
    direction = typed > 0 ? 1 : -1;
  } else {
    const std::optional<double> angle = AngleToward(ClickPoint(view, click, kPickAll));
    if (!angle) return;
    sweep_.Track(startDeg_, *angle);
    end = *angle;
    direction = sweep_.direction();
  }
  if (end == startDeg_) {
    Warn(view, kEqualAngles);
    return;
  }
  AddArc(view, *circle_, startDeg_, end, direction);
  EndOperation(view, std::nullopt);
}

void CCircleTool::ThreePoints(ToolView& view, PixelPoint click, bool arc) {
  if (state().NumericEntered) return;
  const ModelPoint p = ClickPoint(view, click, kPickPointsAndGrid);
  switch (state().InputStep) {
    case 0: TakeFirst(view, p, click, arc ? kThreePointArcEnd : kThreePointSecond); return;
    case 1:
      second_ = p;
      view.ShowPrompt(0, arc ? kThreePointArcThird : kThreePointThird);
      state().InputStep = 2;
      return;
    default: break;
  }
  if (arc) {
    const std::optional<ArcThrough3> a = ArcFrom3Points(first_.anchor(), second_, p);
    EndOperation(view, std::nullopt);
    if (!a) {
      view.ui().ShowMessage(kCollinear);
      return;
    }
    AddArc(view, {a->centre, a->radius}, a->startDeg, a->endDeg, a->direction);
    return;
  }
  const CircleThrough3 c = CircleFrom3Points(first_.anchor(), second_, p);
  EndOperation(view, std::nullopt);
  if (c.orientation == 0) {
    view.ui().ShowMessage(kCollinear);
    return;
  }
  AddCircle(view, {c.centre, c.radius});
}

void CCircleTool::AddCircle(ToolView& view, const Circle& c) {
  const double values[3] = {c.centre.x, c.centre.y, c.radius};
  AddToolElement(*this, view, {kCircle, 0, kCircleCodes, values});
}

void CCircleTool::AddArc(ToolView& view, const Circle& c, double startDeg, double endDeg, int direction) {
  const double values[5] = {c.centre.x, c.centre.y, c.radius, NormalizedDegrees(startDeg), NormalizedDegrees(endDeg)};
  AddToolElement(*this, view, {kArc, static_cast<int16_t>(direction >= 0 ? 1 : -1), kArcCodes, values});
}

void CCircleTool::Warn(ToolView& view, std::string_view text) const { view.ShowPrompt(1, text); }

void CCircleTool::BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) {
  const ModelPoint m = CursorPoint(*this, view, cursor);
  const double ppm = view.view().mapping().PixelsPerMm / view.view().mapping().scale;
  const int mode = state().ToolMode;
  const int step = state().InputStep;
  const ModelPoint a = first_.anchor();
  if (mode == kThreePointCircle || mode == kThreePointArc) {
    if (step == 1) {
      shape->segments.push_back({a, m});
      shape->measured = LineEnds{a, m};
      return;
    }
    if (mode == kThreePointCircle) {
      const CircleThrough3 c = CircleFrom3Points(a, second_, m);
      if (c.orientation != 0) shape->polylines.push_back(CirclePolyline(c.centre, c.radius, ppm));
    } else if (const std::optional<ArcThrough3> arc = ArcFrom3Points(a, second_, m)) {
      shape->polylines.push_back(ArcPolyline(arc->centre, arc->radius, arc->startDeg, arc->endDeg, arc->direction, ppm));
    } else {
      shape->segments.push_back({a, second_});
    }
    return;
  }
  if (step == 1) {
    const bool diameter = mode == kDiameterCircle || mode == kDiameterArc;
    if (const std::optional<Circle> c = CircleOf(m, diameter)) {
      shape->polylines.push_back(CirclePolyline(c->centre, c->radius, ppm));
    }
    shape->segments.push_back({a, m});
    shape->measured = LineEnds{a, m};
    return;
  }
  if (!circle_) return;
  const ModelPoint c = circle_->centre;
  shape->segments.push_back({c, m});
  const std::optional<double> angle = AngleToward(m);
  if (step == 2 || !angle) {
    shape->polylines.push_back(CirclePolyline(c, circle_->radius, ppm));
    return;
  }
  sweep_.Track(startDeg_, *angle);
  shape->polylines.push_back(ArcPolyline(c, circle_->radius, startDeg_, *angle, sweep_.direction(), ppm));
}

void CCircleTool::DropOwnOperation(ToolView&) {
  circle_.reset();
  sweep_.Reset();
}

}  // namespace plenwick
