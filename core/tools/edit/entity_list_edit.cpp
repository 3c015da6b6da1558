// The entity list opened from the list mode, and its items applied to the drawing.
#include "tools/edit/entity_list_edit.h"

#include "exchange/list_item_adding.h"
#include "tools/edit/enty_list_dlg.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

ListedElements ListedElementsOf(EntityList& list, ModelPoint origin) {
  ListedElements out;
  for (DrawEntity& e : list) {
    if (e.mark != kMarkSelected || e.owner) continue;
    if (std::optional<ListItem> item = ListItemOf(e, origin)) {
      out.elements.push_back(&e);
      out.items.push_back(*item);
    }
  }
  return out;
}

EntityListOutcome EditEntityList(ToolView& view) {
  CPlenwickDoc& doc = view.doc();
  const ModelPoint origin{doc.originX, doc.originY};
  ListedElements listed = ListedElementsOf(doc.entities, origin);
  CEntyListDlg dialog(std::move(listed.items), origin);
  if (!view.ui().RunEntityList(dialog)) return EntityListOutcome::kCancelled;
  const ListItemsAdded done = ReplaceByListItems(doc, view.settings(), listed.elements, dialog.items());
  if (done.result == ListItemsResult::kRefused || done.result == ListItemsResult::kOutOfRange) {
    return EntityListOutcome::kRefused;
  }
  view.host().Invalidate(nullptr);
  return EntityListOutcome::kApplied;
}

}  // namespace plenwick
