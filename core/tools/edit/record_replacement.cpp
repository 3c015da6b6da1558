// One undo step of replaced records, drawn at once or repainted whole.
#include "tools/edit/record_replacement.h"

#include <unordered_map>
#include <unordered_set>

#include "model/drawing_file_format.h"
#include "model/entity_core.h"
#include "model/snap_point_list.h"
#include "model/undo.h"
#include "tools/draw/feedback_tool.h"
#include "view/render_context.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

// Up to this many records are erased and drawn one by one; more repaint the view once.
constexpr std::size_t kDrawnOneByOne = 256;

// Whether the drawing takes the new record and a drawing file keeps it: checked for all of them
// before the first old record goes, so that a step is never left half done.
bool Keepable(const Replacement& r) {
  if (r.dropped) return true;
  const std::vector<double>& v = r.geometry.values;
  if (!pwk::StorableElement(r.geometry.kind, r.old->layer, v)) return false;
  if (!r.geometry.codes.empty() && r.geometry.codes.size() != v.size()) return false;
  if (v.size() > 0 && r.geometry.kind != kDimension && !InCoordinateRange(v[0])) return false;
  return v.size() < 2 || InCoordinateRange(v[1]);
}

}  // namespace

namespace {

// Appends the copy to the list alone, its snap points not yet registered.
DrawEntity* AppendCopy(EntityList& list, const DrawEntity& old, const RecordGeometry& g) {
  const EntityAttr attr{g.kind, g.subKind, old.lineAttr, old.layer, static_cast<int16_t>(g.values.size())};
  DrawEntity* e = nullptr;
  if (AddEntity(attr, old.font.IsNull() ? nullptr : old.font.c_str(), list, g.codes.empty() ? nullptr : g.codes.data(),
                old.colour, g.values.data(), old.text.IsNull() ? nullptr : old.text.c_str(), &e) != 0) {
    return nullptr;
  }
  e->groupNo = old.groupNo;
  return e;
}

}  // namespace

DrawEntity* AddCopy(CPlenwickDoc& doc, const DrawEntity& old, const RecordGeometry& g) {
  if (doc.RefuseIfProtected()) return nullptr;
  DrawEntity* e = AppendCopy(doc.entities, old, g);
  if (!e) return nullptr;
  doc.SetModifiedFlag();
  RegisterSnapPoints(doc.snapPoints, doc.entities, *e);
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

ReplaceResult ReplaceRecords(CFeedbackTool& tool, ToolView& view, const std::vector<Replacement>& set) {
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
  for (const Replacement& r : set) {
    r.old->mark = kMarkDeleted;
    if (r.old->kind == kDimension) {
      for (DrawEntity* part = r.old->next; part && part->owner == r.old; part = part->next) part->mark = kMarkDeleted;
    }
  }
  CommitDeletion(d.entities);

  std::unordered_map<const DrawEntity*, DrawEntity*> newHeaders;
  DrawEntity* firstNew = nullptr;
  std::vector<DrawEntity*> added;
  added.reserve(set.size());
  for (const Replacement& r : set) {
    if (r.dropped) continue;
    const DrawEntity& old = *r.old;
    // Many new records meet each other and the rest of the drawing as a drawing read does.
    DrawEntity* e = oneByOne ? AddCopy(d, old, r.geometry) : AppendCopy(d.entities, old, r.geometry);
    if (!e) continue;
    if (old.kind == kGroupHeader) newHeaders[&old] = e;
    if (old.owner) {
      const auto header = newHeaders.find(old.owner);
      e->owner = header != newHeaders.end() ? header->second : old.owner;
    }
    if (!firstNew) {
      firstNew = e;
      MarkReplacement(d.entities, r.old, e);
    }
    added.push_back(e);
  }
  if (!oneByOne) RegisterLoadedSnapPoints(d.snapPoints, d.entities, added);
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
