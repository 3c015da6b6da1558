// Adding list items to a drawing as new points, lines and arcs in one undo step, alone or in
// place of elements they were taken from.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "exchange/list_item.h"
#include "model/plenwick_doc.h"
#include "model/program_settings.h"

namespace plenwick {

enum class ListItemsResult {
  kAdded,       // the items were added (and the replaced elements removed)
  kNothing,     // no items and nothing to replace
  kRefused,     // the drawing is protected
  kOutOfRange,  // an item would leave the coordinate range
};

struct ListItemsAdded {
  ListItemsResult result = ListItemsResult::kNothing;
  std::vector<DrawEntity*> added;  // the new elements in list order, for the caller to draw
  std::size_t outOfRange = 0;      // kOutOfRange: the index of the first such item
};

// What the user is told when the item at `row` (1-based, the list's "№") would leave the
// coordinate range in the drawing.
std::string OutOfRangeItemMessage(std::size_t row);

// Adds the element of each item in order (ElementOfItem at the drawing's origin offset) with the
// settings' current line type, pen, colour and layer, all in one undo step. Nothing changes when
// there are no items, when the drawing is protected (the user is told its protection), or when
// any item would lie outside the coordinate range, which a drawing file would not keep (the user
// is told the first such row): every item is checked before the first is added. The screen is
// the caller's.
ListItemsAdded AddListItems(CPlenwickDoc& doc, const ProgramSettings& settings, std::span<const ListItem> items);

// The same in place of the elements `replaced` (in list order, free elements of the drawing that
// belong to no group or dimension): they leave for the undo buffer and the items' elements are
// appended, so that one undo brings the old elements back. The checks come first: when the
// drawing is protected or an item is out of range, nothing changes at all.
ListItemsAdded ReplaceByListItems(CPlenwickDoc& doc, const ProgramSettings& settings,
                                  std::span<DrawEntity* const> replaced, std::span<const ListItem> items);

}  // namespace plenwick
