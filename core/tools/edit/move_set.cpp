// The moving tool's changes: the selected set moved (replaced), copied (an added block) or
// handed through the transfer list into another drawing, each checked whole before anything
// changes.
#include <cmath>
#include <unordered_map>
#include <utility>

#include "model/undo.h"
#include "tools/edit/move_tool.h"
#include "tools/edit/record_replacement.h"
#include "view/render_context.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

// Up to this many new records are drawn one by one; more repaint the view once.
constexpr std::size_t kDrawnOneByOne = 256;

// The new geometry of every record of the set (a group header unchanged); none, after the
// message, when one of them would not be kept by a drawing file.
std::optional<std::vector<Replacement>> MappedSet(const std::vector<DrawEntity*>& set, const PointMap& map,
                                                  UserInterface& ui) {
  std::vector<Replacement> out;
  out.reserve(set.size());
  for (DrawEntity* e : set) {
    std::optional<RecordGeometry> g = e->kind == kGroupHeader ? GeometryOf(*e) : MappedGeometry(*e, map);
    if (g) out.push_back({e, std::move(*g)});
    if (!g || !Keepable(out.back())) {
      ui.ShowMessage(kMoveOutOfRangeMessage);
      return std::nullopt;
    }
  }
  return out;
}

// Appends the copies as one undo step of `view`'s drawing and shows them.
void AddCopiesAsStep(CFeedbackTool& tool, ToolView& view, std::vector<Replacement> set, int layer) {
  CPlenwickDoc& doc = view.doc();
  BeginOperation(doc.entities, doc.snapPoints);
  const std::vector<DrawEntity*> added = AppendCopies(doc, std::move(set), GroupNumbers::kNew, layer);
  if (added.empty()) return;
  MarkAddedBlock(doc.entities, added.front(), doc.ui());
  if (added.size() > kDrawnOneByOne) {
    view.host().Invalidate(nullptr);
    return;
  }
  tool.DrawUnderneath(view, [&](Canvas& canvas) {
    for (const DrawEntity* e = added.front(); e; e = e->next) view.view().DrawElement(canvas, *e, kMarkNone);
  });
}

}  // namespace

std::vector<DrawEntity*> CMoveTool::SelectedSet(ToolView& view) const {
  std::vector<DrawEntity*> out;
  if (!selection_.Any(kMarkSelected)) return out;
  for (DrawEntity& e : view.doc().entities) {
    if (e.mark == kMarkSelected && e.kind != kGrid && !IsDimensionPart(e)) out.push_back(&e);
  }
  return out;
}

std::optional<PointMap> CMoveTool::BarMap(ToolView& view, ModelPoint from, ModelPoint to) const {
  const double scale = view.settings().MoveScale, degrees = view.settings().MoveAngle;
  if (scale == 0 || !std::isfinite(scale) || !std::isfinite(degrees) || !std::isfinite(to.x) || !std::isfinite(to.y)) {
    view.ui().Beep();
    return std::nullopt;
  }
  return PointMap::Similarity(from, to, scale, degrees);
}

bool CMoveTool::TransformSelected(ToolView& view, const PointMap& map, bool copy) {
  const std::vector<DrawEntity*> set = SelectedSet(view);
  if (set.empty()) return false;
  if (view.doc().RefuseIfProtected()) {
    ClearSelection(view);
    return false;
  }
  std::optional<std::vector<Replacement>> mapped = MappedSet(set, map, view.ui());
  if (!mapped) {
    ClearSelection(view);
    return false;
  }
  if (copy) {
    ClearSelection(view);
    selection_.Forget();
    AddCopiesAsStep(*this, view, std::move(*mapped), -1);
    return true;
  }
  // The replaced records leave the list with their marks.
  const bool replaced = ReplaceRecords(*this, view, std::move(*mapped)) == ReplaceResult::kReplaced;
  if (replaced) {
    selection_.Forget();
    state().pending = 0;
  } else {
    ClearSelection(view);
  }
  return replaced;
}

void CMoveTool::FillTransfer(ToolView& view) {
  const std::vector<DrawEntity*> set = SelectedSet(view);
  FreeTransfer();
  if (set.empty()) return;
  transfer_ = std::make_unique<EntityList>();
  // The copies keep the groups of the set: a member follows the copy of its header.
  std::unordered_map<const DrawEntity*, DrawEntity*> headers;
  for (const DrawEntity* e : set) {
    DrawEntity* copy = AppendRecord(*transfer_, *e, GeometryOf(*e), e->layer);
    if (!copy) continue;
    copy->groupNo = e->groupNo;
    if (e->kind == kGroupHeader) headers[e] = copy;
    const auto header = e->owner ? headers.find(e->owner) : headers.end();
    if (header != headers.end()) copy->owner = header->second;
  }
  source_ = &view;
  ClearSelection(view);
  selection_.Forget();
}

void CMoveTool::CopyTransferInto(ToolView& view, ModelPoint at) {
  if (!transfer_) return;
  const std::optional<PointMap> map = BarMap(view, base_, at);
  std::vector<DrawEntity*> set;
  for (DrawEntity& e : *transfer_) {
    if (!IsDimensionPart(e)) set.push_back(&e);
  }
  if (!map || set.empty() || view.doc().RefuseIfProtected()) return;
  std::optional<std::vector<Replacement>> mapped = MappedSet(set, *map, view.ui());
  if (!mapped) return;
  // Into the destination's current layer; its groups take numbers of that drawing.
  AddCopiesAsStep(*this, view, std::move(*mapped), view.settings().CurrentLayer);
}

void CMoveTool::FreeTransfer() {
  transfer_.reset();
  source_ = nullptr;
}

}  // namespace plenwick
