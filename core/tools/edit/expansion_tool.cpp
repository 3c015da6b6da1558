// The expansion tool's steps: picks, the highlight and cut preview, and the replacements.
#include "tools/edit/expansion_tool.h"

#include <string_view>

#include "tools/edit/arc_span.h"
#include "tools/edit/between_cut.h"
#include "tools/edit/cut_geometry.h"
#include "tools/edit/join_geometry.h"
#include "tools/edit/trim_geometry.h"
#include "tools/edit/window_cleanup.h"
#include "view/elements_near.h"
#include "view/entity_shape.h"
#include "view/pick.h"
#include "view/tool_framework/point_entry.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

constexpr std::string_view kTrimTo = "伸縮する位置・要素を選んで下さい。";
constexpr std::string_view kReferenceLines = "伸縮する直線を指示して下さい。[マウス右：終了]";
constexpr std::string_view kCutStart = "カット開始位置を指示して下さい。";
constexpr std::string_view kCutEnd = "カット終了位置を指示して下さい。";
constexpr std::string_view kJoinPartner = "接合対象図形を指示して下さい。";
constexpr std::string_view kSecondLine = "次の直線を指示して下さい。";
constexpr std::string_view kWindowEnd = "終了位置をクリックしてください。";

constexpr int kStateHighlight = 1;  // the drawing state of the highlight colour

LineEnds EndsOf(const DrawEntity& line) {
  LineEnds ends;
  SegmentOf(line, &ends.a, &ends.b);
  return ends;
}

bool IsLineKind(const DrawEntity& e) { return e.kind >= kLine && e.kind <= kAngledInfiniteLine; }

// A plain line the bulk edits may change: not an infinite line (it would become a finite piece),
// not a dimension's part (regenerated from its dimension) and not picked or highlighted.
bool BulkEditable(const DrawEntity& e) { return e.kind == kLine && e.mark == kMarkNone && !IsDimensionPart(e); }

// The replacements of `line` by `pieces` (it goes when there are none).
void AddPieces(DrawEntity& line, const std::vector<LineEnds>& pieces, std::vector<Replacement>* set);

// The replacement of a line by the line `ends`, of the old one's variant; none when it cannot be
// stored.
std::optional<Replacement> LineReplacement(DrawEntity& old, LineEnds ends) {
  std::optional<RecordGeometry> g = LineRecord(ends.a, ends.b);
  if (!g) return std::nullopt;
  g->subKind = old.subKind;
  return Replacement{&old, std::move(*g)};
}

void AddPieces(DrawEntity& line, const std::vector<LineEnds>& pieces, std::vector<Replacement>* set) {
  std::size_t added = 0;
  for (const LineEnds& piece : pieces) {
    if (const auto r = LineReplacement(line, piece)) {
      set->push_back(*r);
      ++added;
    }
  }
  if (added == 0) set->push_back({&line, {}, true});
}

}  // namespace

CExpansionTool::CExpansionTool(InteractionState& state) : CFeedbackTool(kExpansionToolCode, state) {}

void CExpansionTool::OnLButtonDown(ToolView&, unsigned, PixelPoint point) { pressPoint = point; }

void CExpansionTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  view.ReleaseCapture();
  Attach(view);
  switch (state().ToolMode) {
    case kTrimMode: Trim(view, point); break;
    case kReferenceMode: TrimToReference(view, point); break;
    case kCutMode: Cut(view, point); break;
    case kBetweenMode: CutBetweenLines(view, point); break;
    case kJoinMode: Join(view, point); break;
    case kCleanupMode: CleanUp(view, point); break;
    default: break;
  }
}

void CExpansionTool::OnMouseMove(ToolView& view, unsigned flags, PixelPoint point) {
  CFeedbackTool::OnMouseMove(view, flags, point);
  if (state().ToolMode == kCleanupMode && state().InputStep == 1 && attachedView() == &view) ShowWindowFrom(view, corner_, point);
}

void CExpansionTool::OnRButtonDown(ToolView& view, unsigned, PixelPoint) {
  Attach(view);
  if (state().InputStep > 0) EndOperation(view, std::nullopt);
}

DrawEntity* CExpansionTool::PickEditable(ToolView& view, PixelPoint point, bool lineOnly) {
  const PickHit hit = PickEntity(view.picking(), kPickAllButGrid, point);
  DrawEntity* e = hit.entity;
  const bool kindOk = e && (e->kind == kLine || (!lineOnly && (e->kind == kCircle || e->kind == kArc)));
  if (!kindOk || IsDimensionPart(*e)) {
    view.ui().Beep();
    return nullptr;
  }
  pickedAt_ = hit.point;
  return e;
}

void CExpansionTool::TakeFirst(ToolView& view, DrawEntity* record, std::string_view prompt) {
  picked_ = record;
  DrawUnderneath(view, [&](Canvas& canvas) { view.view().DrawElement(canvas, *record, kStateHighlight); });
  state().InputStep = 1;
  view.ShowPrompt(0, prompt);
}

void CExpansionTool::Trim(ToolView& view, PixelPoint point) {
  if (state().InputStep == 0) {
    if (DrawEntity* e = PickEditable(view, point, false)) TakeFirst(view, e, kTrimTo);
    return;
  }
  const PickHit hit = PickEntity(view.picking(), kPickAllButGrid, point);
  TrimBoundary boundary{hit.entity, hit.entity ? hit.point : view.view().ScreenToModel(point.x, point.y)};
  if (hit.entity && hit.entity->kind == kPoint) boundary.record = nullptr;
  DrawEntity& target = *picked_;
  const ModelPoint c = pickedAt_;
  EndOperation(view, std::nullopt);
  std::vector<Replacement> set;
  if (target.kind == kLine) {
    const LineEnds ends = EndsOf(target);
    const std::optional<ModelPoint> t = LineTarget(ends.a, ends.b, boundary);
    const std::optional<LineEnds> kept = t ? KeptLine(ends.a, ends.b, *t, c) : std::nullopt;
    if (const auto r = kept ? LineReplacement(target, *kept) : std::nullopt) set.push_back(*r);
  } else if (std::optional<RecordGeometry> g = TrimmedRound(target, c, boundary)) {
    set.push_back({&target, std::move(*g)});
  }
  Replace(view, set);
}

void CExpansionTool::TrimToReference(ToolView& view, PixelPoint point) {
  if (state().InputStep == 0) {
    const PickHit hit = PickEntity(view.picking(), kPickAllButGrid, point);
    if (!hit.entity || hit.entity->kind < kLine || hit.entity->kind > kAngledInfiniteLine) {
      view.ui().Beep();
      return;
    }
    TakeFirst(view, hit.entity, kReferenceLines);
    return;
  }
  DrawEntity* line = PickEditable(view, point, true);
  if (!line || line == picked_) return;
  const LineEnds ends = EndsOf(*line);
  const std::optional<ModelPoint> t = LineTarget(ends.a, ends.b, {picked_, pickedAt_});
  const std::optional<LineEnds> kept = t ? KeptLine(ends.a, ends.b, *t, pickedAt_) : std::nullopt;
  if (const auto r = kept ? LineReplacement(*line, *kept) : std::nullopt) Replace(view, {*r});
}

void CExpansionTool::Cut(ToolView& view, PixelPoint point) {
  if (state().InputStep == 0) {
    if (DrawEntity* e = PickEditable(view, point, false)) TakeFirst(view, e, kCutStart);
    return;
  }
  const std::optional<ModelPoint> at = CutPosition(*picked_, view.view().ScreenToModel(point.x, point.y));
  if (!at) return;
  if (state().InputStep == 1) {
    cutStart_ = *at;
    ShowCross(view, *at);
    state().InputStep = 2;
    view.ShowPrompt(0, kCutEnd);
    return;
  }
  DrawEntity& target = *picked_;
  const CutPlan plan = PlanCut(target, cutStart_, *at, view.view().mapping().PixelsPerModelMm());
  EndOperation(view, std::nullopt);
  std::vector<Replacement> set;
  for (const RecordGeometry& g : plan.kept) set.push_back({&target, g});
  Replace(view, set);
}

void CExpansionTool::Join(ToolView& view, PixelPoint point) {
  DrawEntity* e = PickEditable(view, point, false);
  if (!e) return;
  if (state().InputStep == 0) {
    CircleShape arc;
    if (e->kind == kArc && CircleOf(*e, &arc)) {
      // An arc is closed into its circle at once.
      if (std::optional<RecordGeometry> g = CircleRecord(arc.centre, arc.radius)) Replace(view, {{e, std::move(*g)}});
    } else if (e->kind == kLine) {
      TakeFirst(view, e, kJoinPartner);
    } else {
      view.ui().Beep();
    }
    return;
  }
  if (e->kind != kLine || e == picked_) {
    view.ui().Beep();
    return;
  }
  DrawEntity& first = *picked_;
  const ModelPoint c1 = pickedAt_;
  // PickEditable put the second pick's foot in pickedAt_.
  const std::optional<JoinedLines> joined = JoinLines(EndsOf(first), c1, EndsOf(*e), pickedAt_);
  EndOperation(view, std::nullopt);
  if (!joined) return;
  const auto one = LineReplacement(first, joined->first);
  const auto two = joined->second ? LineReplacement(*e, *joined->second) : Replacement{e, {}, true};
  if (!one || !two) return;
  Replace(view, {*one, *two});
}

void CExpansionTool::CutBetweenLines(ToolView& view, PixelPoint point) {
  const PickHit hit = PickEntity(view.picking(), kPickAllButGrid, point);
  if (!hit.entity || !IsLineKind(*hit.entity)) {
    view.ui().Beep();
    return;
  }
  if (state().InputStep == 0) {
    TakeFirst(view, hit.entity, kSecondLine);
    return;
  }
  if (hit.entity == picked_) return;
  const LineEnds one = EndsOf(*picked_), two = EndsOf(*hit.entity);
  EndOperation(view, std::nullopt);
  LineCoef l1, l2;
  if (LineCoefficients(one.a, one.b, &l1) != 0 || LineCoefficients(two.a, two.b, &l2) != 0) return;
  // Only a line that comes near one of the two can be cut.
  const ThroughPoints lines[] = {{one.a, one.b}, {two.a, two.b}};
  std::vector<Replacement> set;
  for (DrawEntity* e : ElementsAlongLines(view.picking(), lines, kOnTolerance + kCoincidentTolerance)) {
    if (!BulkEditable(*e)) continue;
    if (const auto pieces = CutBetween(EndsOf(*e), l1, l2)) AddPieces(*e, *pieces, &set);
  }
  Replace(view, set);
}

void CExpansionTool::CleanUp(ToolView& view, PixelPoint point) {
  const ModelPoint at = ClickedPoint(*this, view, point);
  if (state().InputStep == 0) {
    corner_ = at;
    cornerPixel_ = point;
    state().InputStep = 1;
    view.ShowPrompt(0, kWindowEnd);
    ShowWindowFrom(view, corner_, point);
    return;
  }
  EndOperation(view, std::nullopt);
  if (point.x == cornerPixel_.x && point.y == cornerPixel_.y) return;
  Box window = Box::Around(corner_);
  window.Add(at);
  std::vector<DrawEntity*> records;
  std::vector<CleanupLine> lines;
  for (DrawEntity* e : ElementsInWindow(view.picking(), window)) {
    if (!IsLineKind(*e) || e->mark != kMarkNone || IsDimensionPart(*e)) continue;
    const LineEnds ends = EndsOf(*e);
    if (e->kind == kLine) {
      if (!SegmentMeetsWindow(ends, window)) continue;
      lines.push_back({ends, true});
    } else if (const std::optional<LineEnds> inside = WindowCrossings(ends, window)) {
      lines.push_back({*inside, false});
    } else {
      continue;
    }
    records.push_back(e);
  }
  const auto changes = CleanUpWindow(window, lines);
  std::vector<Replacement> set;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (changes[i]) AddPieces(*records[i], *changes[i], &set);
  }
  Replace(view, set);
}

void CExpansionTool::Replace(ToolView& view, const std::vector<Replacement>& set) {
  ReplaceRecords(*this, view, set);
}

void CExpansionTool::BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) {
  if (state().ToolMode != kCutMode || state().InputStep != 2 || !picked_) return;
  const std::optional<ModelPoint> at = CutPosition(*picked_, view.view().ScreenToModel(cursor.x, cursor.y));
  if (!at) return;
  CutPlan plan = PlanCut(*picked_, cutStart_, *at, view.view().mapping().PixelsPerModelMm());
  if (plan.goes.size() >= 2) shape->polylines.push_back(std::move(plan.goes));
}

void CExpansionTool::DropOwnOperation(ToolView& view) {
  feedback().Erase(view, kOwnSlot);
  if (!picked_) return;
  DrawEntity* e = picked_;
  picked_ = nullptr;
  DrawUnderneath(view, [&](Canvas& canvas) { view.view().DrawElement(canvas, *e, e->mark); });
}

void CExpansionTool::ShowOwnFeedbackAgain(ToolView& view, bool wholeClient) {
  if (wholeClient && state().ToolMode == kCleanupMode && state().InputStep == 1) ShowWindowFrom(view, corner_, lastPoint);
  if (!picked_) return;
  DrawUnderneath(view, [&](Canvas& canvas) { view.view().DrawElement(canvas, *picked_, kStateHighlight); });
}

}  // namespace plenwick
