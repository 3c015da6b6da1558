// The dimension tool's sub-modes: the steps of each, their rubber figures and the records they add.
#include "tools/draw/dimension_tool.h"

#include <cmath>

#include "model/dimension_text.h"
#include "platform/sjis.h"
#include "tools/draw/circle_geometry.h"
#include "tools/draw/dimension_geometry.h"
#include "tools/draw/element_adding.h"
#include "view/pick.h"
#include "view/tool_framework/point_entry.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

constexpr std::string_view kEndPosition = "終了位置を指示して下さい。";
constexpr std::string_view kLinePosition = "寸法線位置を指示して下さい。";
constexpr std::string_view kChainFirst = "測定位置を指示。マウス右クリックで中止します。";
constexpr std::string_view kChainMore = "測定位置を指示。マウス右クリックで寸法位置指定になります。";
constexpr std::string_view kChainPosition = "寸法線位置を指定指定してください。";
// The limit is 40 points; the message once named 20, which misled.
constexpr std::string_view kChainFull = "選択ポイントは、４０までです！";
constexpr std::string_view kRadiusPosition = "基準線位置を指示して下さい。";
constexpr std::string_view kDiameterDirection = "寸法線の方向を指示して下さい。";
constexpr std::string_view kSecondLine = "次の図形要素を選ん下さい。";
constexpr std::string_view kNextBoundaryElement = "次の図形要素を選んでください。";

// Pick filters: circles and arcs; lines and arcs; lines, circles and arcs; the same and polygons.
constexpr int kPickRound = -30;
constexpr int kPickLinesAndArcs = -27;
constexpr int kPickBoundary = -22;
constexpr int kPickAreaBoundary = -25;

// The steps of the angle: the second line awaited, then the arc's position.
constexpr int kSecondLineStep = 1;
constexpr int kArcPositionStep = 2;

}  // namespace

CDimensionTool::CDimensionTool(InteractionState& state) : CFeedbackTool(kDimensionToolCode, state) {}

void CDimensionTool::OnLButtonDown(ToolView&, unsigned, PixelPoint point) { pressPoint = point; }

void CDimensionTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  view.ReleaseCapture();
  Attach(view);
  // No sub-mode takes typed values.
  if (state().NumericEntered) return;
  EraseRubber(view);
  switch (state().ToolMode) {
    case kDistanceMode: DistanceClick(view, point); break;
    case kHorizontalMode:
    case kVerticalMode: ChainClick(view, point); break;
    case kPerimeterMode:
    case kAreaMode: BoundaryClick(view, point); break;
    case kRadiusMode: RadiusClick(view, point); break;
    case kDiameterMode: DiameterClick(view, point); break;
    case kAngleMode: AngleClick(view, point); break;
    default: return;
  }
  if (state().InputStep != 0) ShowPreview(view, point);
}

void CDimensionTool::OnRButtonDown(ToolView& view, unsigned, PixelPoint point) {
  Attach(view);
  if (state().InputStep == 0) return;
  const int mode = state().ToolMode;
  if ((mode == kHorizontalMode || mode == kVerticalMode) && !placingChain_ && points_.size() >= 2) {
    SortChainPoints(points_, horizontal());
    placingChain_ = true;
    view.ShowPrompt(0, kChainPosition);
    ShowPreview(view, point);
    return;
  }
  EndOperation(view, std::nullopt);
}

void CDimensionTool::Refuse(ToolView& view) const { view.ui().Beep(); }

DimensionStyle CDimensionTool::Style(ToolView& view) const {
  return DimensionStyleFor(view.settings(), state().ToolMode, view.view().mapping().scale);
}

std::size_t CDimensionTool::ValueTextCharacters(const DimensionStyle& style, double value) {
  DimensionTextInput input;
  input.value = value;
  input.decimals = style.decimals;
  input.prefix = style.prefix;
  input.toleranceType = style.toleranceType;
  input.tolerance1 = style.tolerance1;
  input.tolerance2 = style.tolerance2;
  return SjisCharacterCount(FormatDimensionTexts(input).value);
}

void CDimensionTool::Add(ToolView& view, const NewDimension& record) {
  AddToolElement(*this, view,
                 {.kind = kDimension, .subKind = record.kind, .codes = record.codes, .values = record.values,
                  .penOnly = true});
  EndOperation(view, std::nullopt);
}

void CDimensionTool::AddLinear(ToolView& view, int16_t kind, double value, ModelPoint position) {
  const std::optional<LinearPlacement> p = PlaceLinearDimension(points_[0], points_[1], position);
  if (!p) {
    Refuse(view);
    return;
  }
  Add(view, LinearDimensionRecord(Style(view), kind, value, p->directionDeg, p->measured, p->end1, p->end2));
}

void CDimensionTool::DistanceClick(ToolView& view, PixelPoint click) {
  const ModelPoint p = ClickedPointOnAny(*this, view, click);
  switch (state().InputStep) {
    case 0:
      points_ = {p};
      ShowCross(view, p);
      view.ShowPrompt(0, kEndPosition);
      state().InputStep = 1;
      return;
    case 1:
      // Coincident ends measure nothing.
      if (!(Distance(points_[0], p) >= kCoincidentTolerance)) {
        Refuse(view);
        return;
      }
      points_.push_back(p);
      ShowCross(view, p);
      view.ShowPrompt(0, kLinePosition);
      state().InputStep = 2;
      return;
    default: AddLinear(view, kDimDistance, Distance(points_[0], points_[1]), p);
  }
}

void CDimensionTool::ChainClick(ToolView& view, PixelPoint click) {
  const ModelPoint p = ClickedPointOnAny(*this, view, click);
  if (placingChain_) {
    const std::optional<std::vector<ModelPoint>> onLine = ProjectChain(points_, horizontal(), p);
    if (!onLine) {
      Refuse(view);
      return;
    }
    const int16_t kind = horizontal() ? kDimHorizontal : kDimVertical;
    Add(view, ChainDimensionRecord(Style(view), kind, horizontal() ? 0 : 90, points_.front(), *onLine));
    return;
  }
  if (points_.size() >= static_cast<std::size_t>(kMaxChainPoints)) {
    view.ui().ShowMessage(kChainFull);
    return;
  }
  points_.push_back(p);
  ShowCross(view, p);
  view.ShowPrompt(0, points_.size() == 1 ? kChainFirst : kChainMore);
  state().InputStep = static_cast<int>(points_.size());
}

bool CDimensionTool::PickCircle(ToolView& view, PixelPoint click) {
  const PickHit hit = PickEntity(view.picking(), kPickRound, click);
  CircleShape circle;
  if (!hit.entity || !CircleOf(*hit.entity, &circle) || !(circle.radius >= kMinToolRadius)) {
    Refuse(view);
    return false;
  }
  circle_ = circle;
  ShowCross(view, circle.centre);
  return true;
}

void CDimensionTool::RadiusClick(ToolView& view, PixelPoint click) {
  if (state().InputStep == 0) {
    if (!PickCircle(view, click)) return;
    view.ShowPrompt(0, kRadiusPosition);
    state().InputStep = 1;
    return;
  }
  const DimensionStyle style = Style(view);
  const double r = circle_->radius;
  const double textLength = static_cast<double>(ValueTextCharacters(style, r)) * style.textSize / 2;
  const std::optional<RadiusPlacement> p =
      PlaceRadiusDimension(*circle_, ClickedPoint(*this, view, click), style.textSize, textLength);
  if (!p) {
    Refuse(view);
    return;
  }
  Add(view, RadiusDimensionRecord(style, r, p->directionDeg, p->text, p->tip, p->other));
}

void CDimensionTool::DiameterClick(ToolView& view, PixelPoint click) {
  switch (state().InputStep) {
    case 0:
      if (!PickCircle(view, click)) return;
      view.ShowPrompt(0, kDiameterDirection);
      state().InputStep = 1;
      return;
    case 1: {
      const std::optional<LineEnds> ends = DiameterToward(*circle_, ClickedPoint(*this, view, click));
      if (!ends) {
        Refuse(view);
        return;
      }
      points_ = {ends->a, ends->b};
      view.ShowPrompt(0, kLinePosition);
      state().InputStep = 2;
      return;
    }
    default: AddLinear(view, kDimDiameter, 2 * circle_->radius, ClickedPoint(*this, view, click));
  }
}

void CDimensionTool::AngleClick(ToolView& view, PixelPoint click) {
  const int step = state().InputStep;
  if (step == kArcPositionStep) {
    // The text goes where the arc's position was clicked, unsnapped.
    const ModelPoint at = view.view().ScreenToModel(click.x, click.y);
    const std::optional<AngleArc> arc = PlaceAngleArc(vertex_, ray1Deg_, ray2Deg_, at);
    if (!arc) {
      Refuse(view);
      return;
    }
    Add(view, AngleDimensionRecord(Style(view), angleKind_, arc->sweepDeg, vertex_, arc->radius, arc->startDeg,
                                   arc->endDeg, at));
    return;
  }
  const PickHit hit = PickEntity(view.picking(), kPickLinesAndArcs, click);
  if (!hit.entity) {
    Refuse(view);
    return;
  }
  const DrawEntity& e = *hit.entity;
  if (step == 0 && e.kind == kArc) {
    CircleShape arc;
    if (!CircleOf(e, &arc) || arc.whole) {
      Refuse(view);
      return;
    }
    vertex_ = arc.centre;
    ray1Deg_ = arc.startDeg;
    ray2Deg_ = arc.endDeg;
    angleKind_ = kDimAngleArc;
  } else if (step == 0) {
    firstLine_ = &e;
    // The ray runs through the point on the line, not the click beside it: the angle is the lines'.
    firstLinePoint_ = hit.point;
    view.ShowPrompt(0, kSecondLine);
    state().InputStep = kSecondLineStep;
    return;
  } else {
    ModelPoint a1, a2, b1, b2;
    LineCoef l1, l2;
    ModelPoint vertex;
    if (e.kind == kArc || &e == firstLine_ || !SegmentOf(*firstLine_, &a1, &a2) || !SegmentOf(e, &b1, &b2) ||
        LineCoefficients(a1, a2, &l1) != 0 || LineCoefficients(b1, b2, &l2) != 0 ||
        IntersectLines(l1, l2, &vertex) != 0) {
      Refuse(view);
      return;
    }
    const std::optional<double> ray1 = RayDirection(vertex, firstLinePoint_);
    const std::optional<double> ray2 = RayDirection(vertex, hit.point);
    if (!ray1 || !ray2) {
      Refuse(view);
      return;
    }
    vertex_ = vertex;
    ray1Deg_ = *ray1;
    ray2Deg_ = *ray2;
    angleKind_ = kDimAngleLines;
  }
  ShowCross(view, vertex_);
  view.ShowPrompt(0, kLinePosition);
  state().InputStep = kArcPositionStep;
}

void CDimensionTool::BoundaryClick(ToolView& view, PixelPoint click) {
  const bool area = state().ToolMode == kAreaMode;
  const ModelPoint at = view.view().ScreenToModel(click.x, click.y);
  if (boundary_.closed()) {
    const DimensionStyle style = Style(view);
    if (area) {
      Add(view, AreaDimensionRecord(style, EnclosedArea(boundary_.pieces()), at));
      return;
    }
    const double length = BoundaryLength();
    const PerimeterText text = PlacePerimeterText(boundaryPicked_, at, style.textSize, ValueTextCharacters(style, length));
    Add(view, PerimeterDimensionRecord(style, length, boundaryPicked_, at, text.shoulderEnd, text.text));
    return;
  }
  const PickHit hit = PickEntity(view.picking(), area ? kPickAreaBoundary : kPickBoundary, click);
  if (!hit.entity) {
    Refuse(view);
    return;
  }
  const bool first = state().InputStep == 0;
  switch (boundary_.Add(*hit.entity, at, area)) {
    case BoundaryChain::Pick::kRefused: Refuse(view); return;
    case BoundaryChain::Pick::kTaken: view.ShowPrompt(0, kNextBoundaryElement); break;
    case BoundaryChain::Pick::kClosed: view.ShowPrompt(0, kLinePosition); break;
  }
  if (first) {
    boundaryPicked_ = hit.point;
    ShowCross(view, hit.point);
  }
  ++state().InputStep;
}

double CDimensionTool::BoundaryLength() const {
  double length = 0;
  for (const BoundaryStretch& piece : boundary_.pieces()) length += StretchLength(piece);
  return length;
}

void CDimensionTool::BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) {
  const ModelPoint m = CursorPoint(*this, view, cursor);
  // Where the click will place an arc or a text: unsnapped, as the click takes it.
  const ModelPoint raw = view.view().ScreenToModel(cursor.x, cursor.y);
  const int step = state().InputStep;
  const auto linear = [&] {
    const std::optional<LinearPlacement> p = PlaceLinearDimension(points_[0], points_[1], m);
    if (!p) return;
    const bool swapped = !(p->measured == points_[0]);
    shape->segments.push_back({p->end1, p->end2});
    shape->segments.push_back({points_[swapped ? 1 : 0], p->end1});
    shape->segments.push_back({points_[swapped ? 0 : 1], p->end2});
  };
  switch (state().ToolMode) {
    case kDistanceMode:
      if (step == 1) {
        shape->segments.push_back({points_[0], m});
        shape->measured = LineEnds{points_[0], m};
      } else if (step == 2) {
        linear();
      }
      return;
    case kDiameterMode:
      if (!circle_) return;
      if (step == 1) {
        if (const std::optional<LineEnds> ends = DiameterToward(*circle_, m)) shape->segments.push_back(*ends);
      } else if (step == 2) {
        linear();
      }
      return;
    case kRadiusMode:
      if (!circle_) return;
      if (const std::optional<RadiusPlacement> p = PlaceRadiusDimension(*circle_, m, 0, 0)) {
        shape->segments.push_back({p->tip, p->other});
      }
      return;
    case kHorizontalMode:
    case kVerticalMode:
      if (!placingChain_) return;
      if (const std::optional<std::vector<ModelPoint>> onLine = ProjectChain(points_, horizontal(), m)) {
        shape->segments.push_back({onLine->front(), onLine->back()});
        for (std::size_t i = 0; i < onLine->size(); ++i) shape->segments.push_back({points_[i], (*onLine)[i]});
      }
      return;
    case kAngleMode:
      if (step != kArcPositionStep) return;
      if (const std::optional<AngleArc> arc = PlaceAngleArc(vertex_, ray1Deg_, ray2Deg_, raw)) {
        const double ppm = view.view().mapping().PixelsPerMm / view.view().mapping().scale;
        shape->polylines.push_back(ArcPolyline(vertex_, arc->radius, arc->startDeg, arc->endDeg, 1, ppm));
      }
      return;
    case kPerimeterMode:
      if (boundary_.closed()) {
        const DimensionStyle style = Style(view);
        const std::size_t characters = ValueTextCharacters(style, BoundaryLength());
        shape->segments.push_back({boundaryPicked_, raw});
        shape->segments.push_back(
            {raw, PlacePerimeterText(boundaryPicked_, raw, style.textSize, characters).shoulderEnd});
      }
      return;
    default: return;
  }
}

void CDimensionTool::DropOwnOperation(ToolView&) {
  points_.clear();
  placingChain_ = false;
  circle_.reset();
  firstLine_ = nullptr;
  boundary_.Clear();
}

}  // namespace plenwick
