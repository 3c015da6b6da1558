// Adding list items to a drawing in one undo step.
#include "exchange/list_item_adding.h"

#include "model/entity_core.h"
#include "model/undo.h"

namespace plenwick {

std::string OutOfRangeItemMessage(std::size_t row) {
  return std::to_string(row) + " 行目の要素は座標の範囲を超えるため、図面に反映できません。";
}

ListItemsAdded AddListItems(CPlenwickDoc& doc, const ProgramSettings& settings, std::span<const ListItem> items) {
  return ReplaceByListItems(doc, settings, {}, items);
}

ListItemsAdded ReplaceByListItems(CPlenwickDoc& doc, const ProgramSettings& settings,
                                  std::span<DrawEntity* const> replaced, std::span<const ListItem> items) {
  ListItemsAdded out;
  // Checked before the step opens: opening it makes the recorded step permanent.
  if (items.empty() && replaced.empty()) return out;
  if (doc.RefuseIfProtected()) {
    out.result = ListItemsResult::kRefused;
    return out;
  }
  std::vector<ItemElement> elements;
  elements.reserve(items.size());
  for (const ListItem& item : items) {
    std::optional<ItemElement> element = ElementOfItem(item, {doc.originX, doc.originY});
    if (!element) {
      out.result = ListItemsResult::kOutOfRange;
      out.outOfRange = elements.size();
      doc.ui().ShowMessage(OutOfRangeItemMessage(out.outOfRange + 1));
      return out;
    }
    elements.push_back(*element);
  }
  BeginOperation(doc.entities, doc.snapPoints);
  for (DrawEntity* e : replaced) e->mark = kMarkDeleted;
  CommitDeletionOf(doc.entities, replaced);
  out.added.reserve(elements.size());
  for (ItemElement& element : elements) {
    element.attr.lineAttr = static_cast<int16_t>(settings.CurrentLineType * 100 + settings.CurrentPen);
    element.attr.layer = settings.CurrentLayer;
    DrawEntity* e = nullptr;
    // Only memory running out refuses an element checked so: the others still go in.
    if (doc.AddDocumentEntity(element.attr, nullptr, element.codes, settings.CurrentColour, element.values.data(),
                              nullptr, &e) == 0) {
      out.added.push_back(e);
    }
  }
  out.result = ListItemsResult::kAdded;
  if (!replaced.empty()) doc.SetModifiedFlag();
  if (out.added.empty()) {
    // Only removed: the step is the deletion.
    if (replaced.empty()) out.result = ListItemsResult::kNothing;
    return out;
  }
  // One undo takes the whole block back (and brings the replaced elements back with it).
  if (replaced.empty()) {
    MarkAddedBlock(doc.entities, out.added.front(), doc.ui());
  } else {
    MarkReplacement(doc.entities, replaced.front(), out.added.front());
  }
  return out;
}

}  // namespace plenwick
