// One undo step of replaced records, drawn at once or repainted whole.
#include "tools/edit/record_replacement.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "model/drawing_file_format.h"
#include "model/entity_core.h"
#include "model/snap_point_list.h"
#include "model/undo.h"
#include "tools/draw/feedback_tool.h"
#include "view/entity_index.h"
#include "view/render_context.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

// Up to this many records are erased and drawn one by one; more repaint the view once.
constexpr std::size_t kDrawnOneByOne = 256;

}  // namespace

DrawEntity* AppendRecord(EntityList& list, const DrawEntity& old, const RecordGeometry& g, int16_t layer,
                         const RecordStrings& strings) {
  const EntityAttr attr{g.kind, g.subKind, old.lineAttr, layer, static_cast<int16_t>(g.values.size())};
  const char* font = strings.font ? strings.font->c_str() : old.font.IsNull() ? nullptr : old.font.c_str();
  const char* text = strings.text ? strings.text->c_str() : old.text.IsNull() ? nullptr : old.text.c_str();
  DrawEntity* e = nullptr;
  if (AddEntity(attr, font, list, g.codes.empty() ? nullptr : g.codes.data(), old.colour, g.values.data(), text, &e) !=
      0) {
    return nullptr;
  }
  return e;
}

// Checked for every record before the first old record goes, so that a step is never left half
// done.
bool Keepable(const Replacement& r) {
  if (r.dropped) return true;
  const std::vector<double>& v = r.geometry.values;
  if (!pwk::StorableElement(r.geometry.kind, r.old->layer, v)) return false;
  if (!r.geometry.codes.empty() && r.geometry.codes.size() != v.size()) return false;
  if (v.size() > 0 && r.geometry.kind != kDimension && !InCoordinateRange(v[0])) return false;
  return v.size() < 2 || InCoordinateRange(v[1]);
}

std::vector<DrawEntity*> AppendCopies(CPlenwickDoc& doc, std::vector<Replacement> set, GroupNumbers numbers,
                                      int layer) {
  std::unordered_map<const DrawEntity*, DrawEntity*> newHeaders;
  std::vector<DrawEntity*> added;
  added.reserve(set.size());
  for (Replacement& r : set) {
    if (r.dropped) continue;
    const DrawEntity& old = *r.old;
    DrawEntity* e =
        AppendRecord(doc.entities, old, r.geometry, static_cast<int16_t>(layer >= 0 ? layer : old.layer), r.strings);
    r.geometry = {};
    r.strings = {};
    if (!e) continue;
    if (r.lineAttr) e->lineAttr = *r.lineAttr;
    if (r.colour) e->colour = *r.colour;
    if (old.kind == kGroupHeader) {
      newHeaders[&old] = e;
      if (numbers == GroupNumbers::kKept) e->groupNo = old.groupNo;
    } else {
      e->groupNo = old.groupNo;
    }
    if (old.owner) {
      const auto header = newHeaders.find(old.owner);
      if (header != newHeaders.end()) {
        e->owner = header->second;
        e->groupNo = header->second->groupNo;
      } else if (numbers == GroupNumbers::kKept) {
        e->owner = old.owner;
      } else {
        e->groupNo = 0;  // its group is not copied: the copy belongs to none
      }
    }
    added.push_back(e);
  }
  std::vector<Replacement>().swap(set);
  if (!added.empty()) {
    if (RegistersLoadedTogether()) {
      RegisterLoadedSnapPoints(doc.snapPoints, doc.entities, added);
    } else {
      for (DrawEntity* e : added) RegisterSnapPoints(doc.snapPoints, doc.entities, *e);
    }
    doc.SetModifiedFlag();
  }
  return added;
}

DrawEntity* AddCopy(CPlenwickDoc& doc, const DrawEntity& old, const RecordGeometry& g) {
  if (doc.RefuseIfProtected()) return nullptr;
  DrawEntity* e = AppendRecord(doc.entities, old, g, old.layer);
  if (!e) return nullptr;
  doc.SetModifiedFlag();
  RegisterSnapPoints(doc.snapPoints, doc.entities, *e);
  e->groupNo = old.groupNo;
  return e;
}

std::vector<Replacement> WithWholeGroups(const std::vector<DrawEntity*>& records,
                                         const std::function<std::optional<RecordGeometry>(DrawEntity&)>& change) {
  std::vector<std::optional<RecordGeometry>> changed(records.size());
  std::unordered_set<const DrawEntity*> touchedGroups;
  for (std::size_t i = 0; i < records.size(); ++i) {
    DrawEntity& e = *records[i];
    if (e.kind == kGroupHeader) continue;
    changed[i] = change(e);
    if (changed[i] && e.owner && e.owner->kind == kGroupHeader) touchedGroups.insert(e.owner);
  }
  std::vector<Replacement> set;
  for (std::size_t i = 0; i < records.size(); ++i) {
    DrawEntity& e = *records[i];
    const bool inTouchedGroup = touchedGroups.count(&e) || (e.owner && touchedGroups.count(e.owner));
    if (changed[i]) {
      set.push_back({&e, std::move(*changed[i])});
    } else if (inTouchedGroup) {
      set.push_back({&e, GeometryOf(e)});
    }
  }
  return set;
}

ReplaceResult ReplaceRecords(CFeedbackTool& tool, ToolView& view, std::vector<Replacement>&& set) {
  if (set.empty()) return ReplaceResult::kNothing;
  CPlenwickDoc& d = view.doc();
  if (d.RefuseIfProtected()) return ReplaceResult::kRefused;
  for (const Replacement& r : set) {
    if (!Keepable(r)) return ReplaceResult::kNothing;
  }
  const bool oneByOne = set.size() <= kDrawnOneByOne;
  BeginOperation(d.entities, d.snapPoints);
  if (oneByOne) {
    tool.DrawUnderneath(view, [&](Canvas& canvas) {
      for (const Replacement& r : set) view.view().DrawElement(canvas, *r.old, kStateErase);
    });
  }
  std::vector<DrawEntity*> leaving;
  leaving.reserve(set.size());
  for (const Replacement& r : set) {
    r.old->mark = kMarkDeleted;
    leaving.push_back(r.old);
    if (r.old->kind == kDimension) {
      for (DrawEntity* part = r.old->next; part && part->owner == r.old; part = part->next) {
        part->mark = kMarkDeleted;
        leaving.push_back(part);
      }
    }
  }
  // The index knows the list order: the old records leave without a walk of the whole list.
  EntityIndex* index = EntityIndex::For(d.entities, d.snapPoints);
  std::vector<std::pair<uint64_t, DrawEntity*>> ordered;
  ordered.reserve(index ? leaving.size() : 0);
  for (std::size_t i = 0; index && i < leaving.size(); ++i) {
    const uint64_t order = index->OrderOf(leaving[i]);
    if (order == 0) index = nullptr;
    ordered.emplace_back(order, leaving[i]);
  }
  if (index) {
    std::sort(ordered.begin(), ordered.end());
    for (std::size_t i = 0; i < ordered.size(); ++i) leaving[i] = ordered[i].second;
    leaving.erase(std::unique(leaving.begin(), leaving.end()), leaving.end());
    CommitDeletionOf(d.entities, leaving);
  } else {
    CommitDeletion(d.entities);
  }

  DrawEntity* firstOld = nullptr;
  for (const Replacement& r : set) {
    if (!r.dropped) {
      firstOld = r.old;
      break;
    }
  }
  const std::vector<DrawEntity*> added = AppendCopies(d, std::move(set), GroupNumbers::kKept);
  // One undo step: the old records against the block that begins with the first new one.
  if (firstOld && !added.empty()) MarkReplacement(d.entities, firstOld, added.front());
  d.SetModifiedFlag();
  if (oneByOne) {
    tool.DrawUnderneath(view, [&](Canvas& canvas) {
      for (DrawEntity* e : added) view.view().DrawElement(canvas, *e, kMarkNone);
    });
  } else {
    view.host().Invalidate(nullptr);
  }
  return ReplaceResult::kReplaced;
}

}  // namespace plenwick
