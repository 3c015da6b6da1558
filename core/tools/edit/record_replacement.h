// Replacing records by changed copies in one undo step, the way every edit changes the drawing:
// the old records leave the list for the undo buffer and the new ones are appended, so that one
// Ctrl+Z brings the old ones back.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "model/plenwick_doc.h"
#include "tools/edit/record_transform.h"

namespace plenwick {

class CFeedbackTool;
class ToolView;

struct Replacement {
  DrawEntity* old = nullptr;
  RecordGeometry geometry;  // of the new record
  bool dropped = false;     // the old record goes without a new one
  // The new record's line attribute (type * 100 + pen) and colour when they change too.
  std::optional<int16_t> lineAttr{};
  std::optional<int32_t> colour{};
  RecordStrings strings{};  // the new record's string and font when they change
};

enum class ReplaceResult { kReplaced, kNothing, kRefused };

// Whether the drawing takes a new record of the replacement's geometry and a drawing file keeps
// it (a dropped record always passes).
bool Keepable(const Replacement& r);

// How the new records of a block take their group numbers: a replacement keeps the old ones; a
// copy of a group is a new group, its header taking the next free number and its members that.
enum class GroupNumbers { kKept, kNew };

// Appends a record for each replacement not dropped, with the old record's line attribute,
// colour, font, text and group number, on the old record's layer or on `layer` when given. The
// copies of a group's members follow the copy of its header and are linked to it; a dimension
// makes its parts anew. The snap points of the block are registered together once the last is
// in, as a reader registers a drawing's (the same points as one by one). Neither undo nor the
// protection is looked at. The set is used up as its records are appended (each geometry freed
// once its record is in, the rest before the snap points are registered), so that a large set
// never lives twice. Returns the new records (not the dimension parts), in list order.
std::vector<DrawEntity*> AppendCopies(CPlenwickDoc& doc, std::vector<Replacement> set, GroupNumbers numbers,
                                      int layer = -1);

// Replaces each old record by a new one of its geometry (none when dropped; an old record listed
// twice is replaced by both) with the old one's line attribute,
// colour, layer, font, text and group number. A replaced dimension takes its parts along (its copy
// makes new ones); a replaced group header comes first and the copies of its members, which
// follow it, are linked to the new header. Nothing changes when the drawing is protected (the
// user is told: kRefused) or when a new record could not be kept by a drawing file (kNothing).
// The screen: the old records erased and the new ones drawn, or the whole view repainted once
// when there are many.
// Appends a record of geometry `g` with the line attribute, colour, font and text of `old` (or
// those of `strings` where given) on `layer` to a list, without snap points, undo or protection (a drawing's records go through
// AddCopy or AppendCopies); null when the list refused it.
DrawEntity* AppendRecord(EntityList& list, const DrawEntity& old, const RecordGeometry& g, int16_t layer,
                         const RecordStrings& strings = {});

// Appends a record of geometry `g` with the line attribute, colour, layer, font, text and group
// number of `old`, through the document (snap points, modified flag); null when it refused.
DrawEntity* AddCopy(CPlenwickDoc& doc, const DrawEntity& old, const RecordGeometry& g);

// The replacements of the records `change` gives a new geometry (none: unchanged), with every
// group a changed record belongs to replaced whole (its header unchanged first, its unchanged
// members as they are), so that a group's records always follow their header. `records` in list
// order, each group's header and members among them.
std::vector<Replacement> WithWholeGroups(const std::vector<DrawEntity*>& records,
                                         const std::function<std::optional<RecordGeometry>(DrawEntity&)>& change);

// The set's geometries are used up.
ReplaceResult ReplaceRecords(CFeedbackTool& tool, ToolView& view, std::vector<Replacement>&& set);
inline ReplaceResult ReplaceRecords(CFeedbackTool& tool, ToolView& view, const std::vector<Replacement>& set) {
  return ReplaceRecords(tool, view, std::vector<Replacement>(set));
}

}  // namespace plenwick
