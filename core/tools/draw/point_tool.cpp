// The point tool's sub-modes: what each click picks and the points it adds.
#include "tools/draw/point_tool.h"

#include <cfloat>
#include <cmath>
#include <vector>

#include "model/entity_core.h"
#include "model/undo.h"
#include "tools/draw/element_adding.h"
#include "tools/draw/point_geometry.h"
#include "view/pick.h"
#include "view/tool_framework/numeric_input.h"
#include "view/tool_framework/point_entry.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

constexpr std::string_view kSecondElement = "交差する対象図形２を指示して下さい。";
constexpr std::string_view kElementForPoint = "移動する直線・円・円弧を指示して下さい。";
constexpr std::string_view kPointOnElement = "直線・円・円弧上の点を指示して下さい。";
constexpr std::string_view kMoveDistance = "移動距離を入力して下さい。";
constexpr std::string_view kNotOnCircle = "選択円に、選択点がありません。";
constexpr std::string_view kNotOnArc = "選択円弧に、選択点がありません。";
constexpr std::string_view kNotOnLine = "選択線上に、選択点がありません。";
constexpr std::string_view kMoveFailed = "移動処理エラー";

constexpr int16_t kPointCodes[2] = {10, 20};
// Lines, curves, circles and arcs: what meets for intersections.
constexpr int kPickMeeting = -24;
constexpr int kPickLinesAndRound = -22;
constexpr int kPickPointLinesAndRound = -51;

}  // namespace

CPointTool::CPointTool(InteractionState& state) : CFeedbackTool(kPointToolCode, state) {}

void CPointTool::FocusOperationBar(ToolView& view) {
  const int mode = state().ToolMode;
  if (mode == kOffsetPoint || mode == kMovedPoint) view.ui().FocusOperationBar();
}

void CPointTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  view.ReleaseCapture();
  Attach(view);
  if (state().NumericEntered) return;
  switch (state().ToolMode) {
    case kFreePoint: {
      const ModelPoint p = ClickedPoint(*this, view, point);
      AddPoints(view, {&p, 1});
      return;
    }
    case kOffsetPoint: OffsetPoint(view, point); return;
    case kIntersection: Intersection(view, point); return;
    case kMovedPoint: MovedPoint(view, point); return;
    case kConstituent: Constituent(view, point); return;
    default: return;
  }
}

void CPointTool::OnRButtonDown(ToolView& view, unsigned, PixelPoint) {
  Attach(view);
  if (state().ToolMode == kIntersection && state().InputStep != 0) EndOperation(view, std::nullopt);
}

void CPointTool::AddPoints(ToolView& view, std::span<const ModelPoint> at) {
  std::vector<ModelPoint> storable;
  for (const ModelPoint& p : at) {
    const double values[2] = {p.x, p.y};
    if (ToolElementStorable(kPoint, values)) storable.push_back(p);
  }
  if (storable.empty()) return;
  const auto shape = static_cast<int16_t>(view.settings().PointShape);
  DrawEntity* first = nullptr;
  for (const ModelPoint& p : storable) {
    const double values[2] = {p.x, p.y};
    DrawEntity* added = nullptr;
    // The first point opens the step; the others join it.
    if (AddToolElement(*this, view, {kPoint, shape, kPointCodes, values}, &added, first == nullptr) ==
        ElementAdded::kRefused) {
      return;
    }
    if (!first) first = added;
  }
  // Several points are one block: one undo takes them all back.
  if (first && storable.size() > 1) MarkAddedBlock(view.doc().entities, first, view.ui());
}

void CPointTool::OffsetPoint(ToolView& view, PixelPoint click) {
  const PickHit hit = PickEntity(view.picking(), kPoint, click);
  if (!hit.entity || !hit.entity->values || hit.entity->valueCount < 2) {
    view.ui().Beep();
    return;
  }
  // Flashed: the point the offset starts from is shown highlighted, then as it is.
  Highlight(view, *hit.entity);
  RestoreHighlights(view);
  const ProgramSettings& s = view.settings();
  const ModelPoint p{hit.entity->values[0] + s.PointOffsetX, hit.entity->values[1] + s.PointOffsetY};
  AddPoints(view, {&p, 1});
}

void CPointTool::Intersection(ToolView& view, PixelPoint click) {
  const PickHit hit = PickEntity(view.picking(), kPickMeeting, click);
  if (!hit.entity) {
    view.ui().Beep();
    return;
  }
  if (state().InputStep == 0) {
    first_ = hit.entity;
    Highlight(view, *hit.entity);
    view.ShowPrompt(0, kSecondElement);
    state().InputStep = 1;
    return;
  }
  const std::vector<ModelPoint> points = CrossingPoints(*first_, *hit.entity);
  EndOperation(view, std::nullopt);
  // Elements that do not meet, and pairs of curves, add nothing.
  if (points.empty()) {
    view.ui().Beep();
    return;
  }
  AddPoints(view, points);
}

void CPointTool::MovedPoint(ToolView& view, PixelPoint click) {
  if (state().InputStep == 0) {
    const PickHit hit = PickEntity(view.picking(), kPickPointLinesAndRound, click);
    if (!hit.entity) {
      view.ui().Beep();
      return;
    }
    if (hit.entity->kind == kPoint) {
      point_ = hit.entity;
      view.ShowPrompt(0, kElementForPoint);
    } else {
      along_ = hit.entity;
      clickedOn_ = hit.point;
      view.ShowPrompt(0, kPointOnElement);
    }
    Highlight(view, *hit.entity);
    state().InputStep = 1;
    return;
  }
  const PickHit hit = PickEntity(view.picking(), point_ ? kPickLinesAndRound : kPoint, click);
  if (!hit.entity) {
    // The pair cannot be made: the operation ends.
    view.ui().Beep();
    EndOperation(view, std::nullopt);
    return;
  }
  if (point_) {
    along_ = hit.entity;
    clickedOn_ = hit.point;
  } else {
    point_ = hit.entity;
  }
  MovePoint(view);
}

void CPointTool::MovePoint(ToolView& view) {
  DrawEntity& element = *along_;
  const ModelPoint p = point_->values && point_->valueCount >= 2
                           ? ModelPoint{point_->values[0], point_->values[1]}
                           : ModelPoint{NAN, NAN};
  const ModelPoint clickedOn = clickedOn_;
  EndOperation(view, std::nullopt);
  if (!LiesOnForMoving(p, element)) {
    view.ui().ShowMessage(element.kind == kCircle ? kNotOnCircle : element.kind == kArc ? kNotOnArc : kNotOnLine);
    return;
  }
  view.ShowPrompt(0, kMoveDistance);
  ProgramSettings& s = view.settings();
  CInputNumDlg dialog = CInputNumDlg::WithPreset(s.PointMoveDistance);
  const bool ok = view.ui().RunNumericInput(dialog);
  view.ShowFirstPrompt();
  if (!ok) return;
  const double d = dialog.value();
  // The setting keeps what a float holds; a distance beyond it still moves the point (or fails).
  if (std::fabs(d) <= FLT_MAX) s.PointMoveDistance = static_cast<float>(d);
  std::optional<ModelPoint> moved;
  CircleShape circle;
  if (element.kind == kCircle || element.kind == kArc) {
    if (CircleOf(element, &circle)) moved = MovedAlongCircle(p, circle, d);
  } else {
    ModelPoint s1, s2;
    if (SegmentOf(element, &s1, &s2)) moved = MovedAlongLine(p, s1, s2, clickedOn, d);
  }
  const double values[2] = {moved ? moved->x : NAN, moved ? moved->y : NAN};
  if (!moved || !ToolElementStorable(kPoint, values)) {
    view.ui().ShowMessage(kMoveFailed);
    return;
  }
  AddPoints(view, {&*moved, 1});
}

void CPointTool::Constituent(ToolView& view, PixelPoint click) {
  const PickHit hit = PickEntity(view.picking(), kPickAllButGrid, click);
  if (!hit.entity) {
    view.ui().Beep();
    return;
  }
  AddPoints(view, ConstituentPoints(*hit.entity));
}

void CPointTool::DropOwnOperation(ToolView& view) {
  RestoreHighlights(view);
  first_ = point_ = along_ = nullptr;
}

void CPointTool::ShowOwnFeedbackAgain(ToolView& view, bool) { DrawHighlights(view); }

}  // namespace plenwick
