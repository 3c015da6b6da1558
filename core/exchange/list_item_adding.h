// Adding list items to a drawing as new points, lines and arcs in one undo step.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "exchange/list_item.h"
#include "model/plenwick_doc.h"
#include "model/program_settings.h"

namespace plenwick {

enum class ListItemsResult { kAdded, kNothing, kRefused };

struct ListItemsAdded {
  ListItemsResult result = ListItemsResult::kNothing;
  std::vector<DrawEntity*> added;  // the new elements in list order, for the caller to draw
  std::size_t skipped = 0;         // items a drawing file could not keep
};

// Adds the element of each item in order (ElementOfItem at the drawing's origin offset) with the
// settings' current line type, pen, colour and layer; items a drawing file could not keep are
// skipped. The elements form one undo step. Nothing changes when no item can be added (kNothing) or when the
// drawing is protected (the user is told: kRefused). The screen is the caller's.
ListItemsAdded AddListItems(CPlenwickDoc& doc, const ProgramSettings& settings, std::span<const ListItem> items);

}  // namespace plenwick
