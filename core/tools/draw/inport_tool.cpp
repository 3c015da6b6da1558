// The parts placement: the click, the copies and their one undo step.
#include "tools/draw/inport_tool.h"

#include "model/plenwick_doc.h"
#include "model/undo.h"
#include "tools/draw/element_adding.h"
#include "view/tool_framework/point_entry.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

bool Placed(const DrawEntity& e) {
  if (e.mark == kMarkDeleted) return false;
  if (e.owner && e.owner->kind == kDimension) return false;
  switch (e.kind) {
    case kGrid:
    case kGroupHeader:
    case kHorizontalInfiniteLine:
    case kVerticalInfiniteLine:
    case kAngledInfiniteLine:
    case kImage: return false;
    default: return true;
  }
}

}  // namespace

std::vector<Replacement> PlacedPartCopies(PartPlacement& part, ModelPoint at) {
  const PointMap map = PointMap::Similarity(part.BasePoint(), at, part.scale, part.angle);
  std::vector<Replacement> copies;
  for (DrawEntity& e : part.buffer) {
    if (!Placed(e)) continue;
    std::optional<RecordGeometry> g = MappedGeometry(e, map);
    if (!g) continue;
    // A placed text grows in height only: its width is the character spacing the part was drawn with.
    if (e.kind == kText && g->values.size() >= 4) g->values[3] = e.values.get()[3];
    Replacement r{.old = &e, .geometry = std::move(*g)};
    // Scaled far down or far out, a copy may no longer be what a drawing keeps: it is left out.
    if (Keepable(r) && ToolElementStorable(r.geometry.kind, r.geometry.values)) copies.push_back(std::move(r));
  }
  return copies;
}

CInportTool::CInportTool(InteractionState& state) : CFeedbackTool(kInportToolCode, state) {}

void CInportTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  StepClick(view, point, [&] {
    const ModelPoint at = ClickedPoint(*this, view, point, kPickAll);
    PartPlacement& part = CurrentPartPlacement();
    std::vector<Replacement> copies = PlacedPartCopies(part, at);
    CPlenwickDoc& d = view.doc();
    // Nothing to place (no part chosen, an unreadable one): no empty group, no undo step.
    if (copies.empty()) {
      view.ui().Beep();
      return;
    }
    if (d.RefuseIfProtected()) return;
    BeginOperation(d.entities, d.snapPoints);
    static constexpr int16_t kHeaderCodes[4] = {10, 20, 10, 20};
    const ModelPoint base = part.BasePoint();
    const double header[4] = {base.x, base.y, part.scale, part.angle};
    const int16_t layer = view.settings().CurrentLayer;
    DrawEntity* group = nullptr;
    if (d.AddDocumentEntity({kGroupHeader, 0, 0, layer, 4}, nullptr, kHeaderCodes, 0, header, nullptr, &group) != 0) {
      return;
    }
    for (DrawEntity* e : AppendCopies(d, std::move(copies), GroupNumbers::kNew, layer)) {
      e->owner = group;
      e->groupNo = group->groupNo;
    }
    MarkAddedBlock(d.entities, group, view.ui());
    DrawUnderneath(view, [&](Canvas& canvas) {
      for (DrawEntity* e = group->next; e; e = e->next) view.view().DrawElement(canvas, *e, kMarkNone);
    });
    EndOperation(view, std::nullopt);
  });
}

}  // namespace plenwick
