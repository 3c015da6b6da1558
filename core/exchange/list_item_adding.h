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

// Adds an element for each item in order, with the settings' current line type, pen, colour and
// layer: a point (subKind 0), a line, or an arc (subKind 1, counter-clockwise from the start
// angle; a full circle has angles 0 and 0). The origin offset of the drawing is added to the
// coordinates. Items with a value outside the coordinate range after that are skipped. The
// elements form one undo step. Nothing changes when no item can be added (kNothing) or when the
// drawing is protected (the user is told: kRefused). The screen is the caller's.
ListItemsAdded AddListItems(CPlenwickDoc& doc, const ProgramSettings& settings, std::span<const ListItem> items);

}  // namespace plenwick
