// The list mode's "リスト編集...": the selected points, lines, circles and arcs go into the entity
// list, and on "データ反映" its items replace them in one undo step.
#pragma once

#include <vector>

#include "exchange/list_item.h"

namespace plenwick {

class ToolView;

// The free elements (of no group or dimension) that carry the list mode's mark and that the list
// shows, in list order, with their items: a group's members and a dimension's parts stay out,
// since replacing them would break what they belong to.
struct ListedElements {
  std::vector<DrawEntity*> elements;
  std::vector<ListItem> items;
};
ListedElements ListedElementsOf(EntityList& list, ModelPoint origin);

enum class EntityListOutcome { kCancelled, kApplied, kRefused };

// Opens the entity list over the listed elements; after "データ反映" they are replaced by the
// items with the current line type, pen, colour and layer (nothing changes when the drawing is
// protected: kRefused) and the view is repainted.
EntityListOutcome EditEntityList(ToolView& view);

}  // namespace plenwick
