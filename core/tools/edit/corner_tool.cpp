// The corner tool: two picks, then the corner geometry applied as replaced lines and an added
// chamfer line or arc.
#include "tools/edit/corner_tool.h"

#include <string_view>
#include <vector>

#include "model/program_settings.h"
#include "tools/draw/element_adding.h"
#include "tools/edit/corner_geometry.h"
#include "tools/edit/record_replacement.h"
#include "view/entity_shape.h"
#include "view/pick.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

constexpr std::string_view kSecondPrompt = "交差する次の直線を指示して下さい。";

constexpr int kPickLines = -20;      // PickEntity: lines and infinite lines
constexpr int kStateHighlight = 1;   // the drawing state of the highlight colour
constexpr int16_t kLineCodes[4] = {10, 20, 11, 22};
constexpr int16_t kArcCodes[5] = {10, 20, 40, 50, 51};

// The bar's style; a value no radio button sets (a hostile settings file) is a sharp corner.
CornerStyle StyleOf(const ProgramSettings& s) {
  switch (s.CornerStyle) {
    case 1: return CornerStyle::kChamferStyle;
    case 2: return CornerStyle::kRoundStyle;
    default: return CornerStyle::kSharpStyle;
  }
}

RecordGeometry LineFrom(ModelPoint a, ModelPoint b) {
  return {kLine, 0, {a.x, a.y, b.x, b.y}, {std::begin(kLineCodes), std::end(kLineCodes)}};
}

}  // namespace

CCornerTool::CCornerTool(InteractionState& state) : CFeedbackTool(kCornerToolCode, state) {}

void CCornerTool::FocusOperationBar(ToolView& view) { view.ui().FocusOperationBar(); }

void CCornerTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  view.ReleaseCapture();
  Attach(view);
  const ProgramSettings& s = view.settings();
  if (StyleOf(s) != CornerStyle::kSharpStyle && !CornerDistanceUsable(s.CornerDistance)) return;
  const PickHit hit = PickEntity(view.picking(), kPickLines, point);
  DrawEntity* e = hit.entity;
  // Dimension parts are made anew from their dimension, never edited alone.
  if (!e || e->layer != s.CurrentLayer || IsDimensionPart(*e) || e == first_) {
    view.ui().Beep();
    return;
  }
  if (state().InputStep == 0) {
    first_ = e;
    firstPicked_ = hit.point;
    DrawFirst(view, true);
    state().InputStep = 1;
    view.ShowPrompt(0, kSecondPrompt);
    return;
  }
  DrawEntity& first = *first_;
  const ModelPoint firstPicked = firstPicked_;
  EndOperation(view, std::nullopt);
  MakeCornerOf(view, first, firstPicked, *e, hit.point);
}

void CCornerTool::OnRButtonDown(ToolView& view, unsigned, PixelPoint) {
  Attach(view);
  if (state().InputStep != 0) EndOperation(view, std::nullopt);
}

void CCornerTool::MakeCornerOf(ToolView& view, DrawEntity& first, ModelPoint firstPicked, DrawEntity& second,
                               ModelPoint secondPicked) {
  const ProgramSettings& s = view.settings();
  CornerLine line1{{}, {}, firstPicked};
  CornerLine line2{{}, {}, secondPicked};
  if (!SegmentOf(first, &line1.p1, &line1.p2) || !SegmentOf(second, &line2.p1, &line2.p2)) return;
  const CornerSettings settings{StyleOf(s), s.CornerDistance, s.CornerTrimLine1 != 0, s.CornerTrimLine2 != 0};
  const std::optional<CornerResult> corner = MakeCorner(line1, line2, settings);
  if (!corner) return;

  std::vector<Replacement> trimmed;
  if (settings.trim1) trimmed.push_back({&first, LineFrom(corner->kept1, corner->end1)});
  if (settings.trim2) trimmed.push_back({&second, LineFrom(corner->kept2, corner->end2)});
  const bool round = settings.style == CornerStyle::kRoundStyle;
  const NewElement join{round ? kArc : kLine, static_cast<int16_t>(round ? (corner->arcDirection > 0 ? 1 : -1) : 0),
                        round ? std::span<const int16_t>(kArcCodes) : std::span<const int16_t>(kLineCodes),
                        corner->joinValues};
  const bool joined = !corner->joinValues.empty();
  if (trimmed.empty() && !joined) return;
  // Everything is checked before the first line leaves the drawing.
  if (view.doc().RefuseIfProtected()) return;
  if (joined && !ToolElementStorable(join.kind, join.values)) return;
  // The join follows the trimmed lines into the same step: undo takes it off with them.
  if (!trimmed.empty() && ReplaceRecords(*this, view, trimmed) != ReplaceResult::kReplaced) return;
  if (joined) AddToolElement(*this, view, join, nullptr, trimmed.empty());
}

void CCornerTool::DrawFirst(ToolView& view, bool highlighted) {
  DrawEntity& e = *first_;
  DrawUnderneath(view, [&](Canvas& canvas) { view.view().DrawElement(canvas, e, highlighted ? kStateHighlight : e.mark); });
}

void CCornerTool::DropOwnOperation(ToolView& view) {
  if (first_) DrawFirst(view, false);
  first_ = nullptr;
}

void CCornerTool::ShowOwnFeedbackAgain(ToolView& view, bool) {
  if (first_) DrawFirst(view, true);
}

}  // namespace plenwick
