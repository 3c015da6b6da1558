// The selection tool's edits: drags that move or reshape the picks, the bar's turns and mirrors,
// and group registration and release, each one undo step of replaced records.
#include <algorithm>
#include <utility>

#include "exchange/part_files.h"
#include "model/entity_core.h"
#include "model/undo.h"
#include "tools/edit/entity_list_edit.h"
#include "tools/edit/record_replacement.h"
#include "tools/edit/select_reshape.h"
#include "tools/edit/select_tool.h"
#include "tools/edit/set_picking.h"
#include "view/render_context.h"
#include "view/snap.h"
#include "view/tool_framework/command_ids.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

// The snap correction of a drag looks at this many constituent points at most.
constexpr std::size_t kMostSnapCorrectedPoints = 20000;
constexpr int16_t kGroupHeaderCodes[4] = {10, 20, 10, 20};
constexpr double kGroupHeaderValues[4] = {0, 0, 1, 0};

}  // namespace

std::vector<DrawEntity*> CSelectTool::MarkedInListOrder(ToolView& view, int16_t mark) const {
  return plenwick::MarkedInListOrder(view.doc().entities, mark);
}

void CSelectTool::EndEdit(ToolView& view) {
  // The replaced records left the list with their marks; what stayed is cleared.
  ClearAll(view);
  selection_.Forget();
}

ModelPoint CSelectTool::SnappedShift(ToolView& view, const std::vector<ModelPoint>& moving, ModelPoint shift) const {
  const double reach = kSnapPixels * view.picking().ModelPerPixel();
  double best = reach;
  // The snapped shift is taken from the point itself, not added to the mouse's shift as a
  // correction: a sum of the two leaves rounding errors in every moved coordinate.
  std::optional<ModelPoint> snapped;
  const std::size_t looked = std::min(moving.size(), kMostSnapCorrectedPoints);
  for (std::size_t i = 0; i < looked; ++i) {
    const ModelPoint moved{moving[i].x + shift.x, moving[i].y + shift.y};
    double within = best;
    ModelPoint found;
    // The moving records' own points carry their mark and are left out of the search.
    if (SnapNearestWithin(view.doc().snapPoints, moved, &within, nullptr, &found) >= 0 && within < best) {
      best = within;
      snapped = ModelPoint{found.x - moving[i].x, found.y - moving[i].y};
    }
  }
  return snapped.value_or(shift);
}

void CSelectTool::ApplyDrag(ToolView& view, PixelPoint release) {
  CPlenwickDoc& doc = view.doc();
  if (doc.RefuseIfProtected()) return;
  const ViewMapping& m = view.view().mapping();
  const ModelPoint press = m.ScreenToModel(pressPoint.x, pressPoint.y);
  const ModelPoint drop = m.ScreenToModel(release.x, release.y);
  const std::vector<DrawEntity*> picks = MarkedInListOrder(view, kMarkPicked);
  std::vector<Replacement> set;
  if (dragKind_ == DragKind::kMove) {
    std::vector<ModelPoint> moving;
    for (const DrawEntity* e : picks) {
      const std::vector<ModelPoint> points = DefiningPoints(*e);
      moving.insert(moving.end(), points.begin(), points.end());
    }
    const ModelPoint shift = SnappedShift(view, moving, {drop.x - press.x, drop.y - press.y});
    const PointMap map = PointMap::Translation(shift.x, shift.y);
    for (DrawEntity* e : picks) {
      std::optional<RecordGeometry> g = e->kind == kGroupHeader ? GeometryOf(*e) : MappedGeometry(*e, map);
      if (!g) return;  // a record would leave the drawing's range: nothing moves
      set.push_back({e, std::move(*g)});
    }
  } else {
    // The grabbed point lands where the drop snaps to.
    const ModelPoint grabbed = handle_.point;
    const ModelPoint shift = SnappedShift(view, {grabbed}, {drop.x - grabbed.x, drop.y - grabbed.y});
    const ModelPoint at{grabbed.x + shift.x, grabbed.y + shift.y};
    if (dragKind_ == DragKind::kHandle) {
      set = WithWholeGroups(picks, [&](DrawEntity& e) { return ReshapedByHandle(e, grabbed, handle_.kind, at); });
    } else {
      const DrawEntity& line = *handle_.record;
      if (line.kind != kLine || line.valueCount != 4) return;
      const LineEnds ends{{line.values[0], line.values[1]}, {line.values[2], line.values[3]}};
      set = WithWholeGroups(picks, [&](DrawEntity& e) { return ReshapedByMidpointDrag(e, ends, shift); });
    }
  }
  if (ReplaceRecords(*this, view, std::move(set)) == ReplaceResult::kReplaced) EndEdit(view);
}

void CSelectTool::Reorder(ToolView& view, bool toEnd) {
  CPlenwickDoc& doc = view.doc();
  EntityList& list = doc.entities;
  // Every picked record (a dimension's parts too), in list order, with the record it follows.
  std::vector<std::pair<DrawEntity*, DrawEntity*>> moved;
  for (DrawEntity& e : list) {
    if (e.mark == kMarkPicked && &e != list.head) moved.push_back({&e, e.prev});
  }
  if (moved.empty() || doc.RefuseIfProtected()) return;
  BeginOperation(list, doc.snapPoints);
  if (toEnd) {
    SendMarkedToBack(list);
  } else {
    BringMarkedToFront(list);
  }
  // The reorder took the marks off; the snap points come back into play with them.
  for (const auto& entry : moved) doc.snapPoints.SetEntityState(entry.first, kSnapEnabled);
  RecordReorder(list, std::move(moved), toEnd);
  doc.SetModifiedFlag();
  ClearAll(view);
  view.host().Invalidate(nullptr);
}

void CSelectTool::TransformPicks(ToolView& view, int button) {
  if (button == kSelectBarFirstButton || button == kSelectBarFirstButton + 1) {
    // 前面へ: drawn last, on top; 背面へ: drawn first, under the others.
    Reorder(view, button == kSelectBarFirstButton);
    return;
  }
  const std::vector<DrawEntity*> picks = MarkedInListOrder(view, kMarkPicked);
  const std::optional<ModelPoint> centre = CentreOfRecords(picks);
  if (!centre) return;
  if (view.doc().RefuseIfProtected()) return;
  const ModelPoint c = *centre;
  std::optional<PointMap> map;
  switch (button - kSelectBarFirstButton) {
    case 2: map = PointMap::Mirror({c.x, c.y - 1}, {c.x, c.y + 1}); break;  // 左右反転
    case 3: map = PointMap::Mirror({c.x - 1, c.y}, {c.x + 1, c.y}); break;  // 上下反転
    case 4: map = PointMap::Similarity(c, c, 1, -90); break;
    case 5: map = PointMap::Similarity(c, c, 1, 90); break;
    default: return;
  }
  std::vector<Replacement> set;
  for (DrawEntity* e : picks) {
    std::optional<RecordGeometry> g = e->kind == kGroupHeader ? GeometryOf(*e) : MappedGeometry(*e, *map);
    if (!g) return;
    set.push_back({e, std::move(*g)});
  }
  if (ReplaceRecords(*this, view, std::move(set)) == ReplaceResult::kReplaced) EndEdit(view);
}

void CSelectTool::RegisterGroup(ToolView& view) {
  CPlenwickDoc& doc = view.doc();
  const std::vector<DrawEntity*> selected = MarkedInListOrder(view, kMarkSelected);
  if (selected.empty()) return;
  if (doc.RefuseIfProtected()) return;
  // The members are copies after their new header; the groups they belonged to go (a whole group
  // is always selected with its header).
  std::vector<RecordGeometry> members;
  std::vector<DrawEntity*> sources;
  for (DrawEntity* e : selected) {
    if (e->kind == kGroupHeader) continue;
    members.push_back(GeometryOf(*e));
    sources.push_back(e);
  }
  if (members.empty()) return;
  BeginOperation(doc.entities, doc.snapPoints);
  for (DrawEntity* e : selected) {
    e->mark = kMarkDeleted;
    if (e->kind == kDimension) ForEachMember(*e, [](DrawEntity& part) { part.mark = kMarkDeleted; });
  }
  selection_.Forget();
  CommitDeletion(doc.entities);
  DrawEntity* header = nullptr;
  const EntityAttr headerAttr{kGroupHeader, 0, 0, static_cast<int16_t>(view.settings().CurrentLayer), 4};
  if (doc.AddDocumentEntity(headerAttr, nullptr, kGroupHeaderCodes, 0, kGroupHeaderValues, nullptr, &header) != 0) {
    Undo(doc.entities, doc.ui());  // puts the removed records back
    view.host().Invalidate(nullptr);
    return;
  }
  // Recorded as the replacement of the first old record, which hands the header its own owner
  // and number: the header belongs to no group and keeps the number it was given.
  const int16_t number = header->groupNo;
  MarkReplacement(doc.entities, sources.front(), header);
  header->owner = nullptr;
  header->groupNo = number;
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (DrawEntity* e = AddCopy(doc, *sources[i], members[i])) {
      e->owner = header;
      e->groupNo = number;
    }
  }
  doc.SetModifiedFlag();
  view.host().Invalidate(nullptr);
  EndEdit(view);
  OnCancel(view);
}

void CSelectTool::ReleaseGroup(ToolView& view) {
  CPlenwickDoc& doc = view.doc();
  const std::vector<DrawEntity*> selected = MarkedInListOrder(view, kMarkSelected);
  bool anyGroup = false;
  for (const DrawEntity* e : selected) anyGroup = anyGroup || e->kind == kGroupHeader;
  if (!anyGroup) return;
  if (doc.RefuseIfProtected()) return;
  // The members become free records (copies without owner); the headers go.
  std::vector<Replacement> set;
  std::vector<DrawEntity*> headers;
  for (DrawEntity* e : selected) {
    if (e->kind == kGroupHeader) {
      headers.push_back(e);
    } else if (e->owner && e->owner->kind == kGroupHeader) {
      set.push_back({e, GeometryOf(*e)});
    }
  }
  BeginOperation(doc.entities, doc.snapPoints);
  for (DrawEntity* h : headers) h->mark = kMarkDeleted;
  for (const Replacement& r : set) r.old->mark = kMarkDeleted;
  selection_.Forget();
  CommitDeletion(doc.entities);
  DrawEntity* first = nullptr;
  for (const Replacement& r : set) {
    DrawEntity* e = AddCopy(doc, *r.old, r.geometry);
    if (!e) continue;
    if (!first) {
      first = e;
      MarkReplacement(doc.entities, r.old, e);
    }
    e->owner = nullptr;
    e->groupNo = 0;
  }
  doc.SetModifiedFlag();
  view.host().Invalidate(nullptr);
  EndEdit(view);
  OnCancel(view);
}

void CSelectTool::RegisterPart(ToolView& view) {
  if (state().ToolMode == kPartsRegister && !MarkedInListOrder(view, kMarkSelected).empty()) {
    int format = 0;
    const std::string path = view.ui().AskPartFileToRegister(format);
    if (!path.empty() && format >= 0 && format <= 2 &&
        WritePartFile(view.doc(), static_cast<PartFormat>(format), path) == 0) {
      view.ui().PartRegistered(path);
    }
  }
  OnCancel(view);
}

void CSelectTool::EditList(ToolView& view) {
  switch (EditEntityList(view)) {
    case EntityListOutcome::kApplied:
      EndEdit(view);
      OnCancel(view);
      break;
    case EntityListOutcome::kCancelled: OnCancel(view); break;
    case EntityListOutcome::kRefused: break;
  }
}

}  // namespace plenwick
