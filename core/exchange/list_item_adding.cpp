// Adding list items to a drawing in one undo step.
#include "exchange/list_item_adding.h"

#include <array>

#include "model/entity_core.h"
#include "model/undo.h"

namespace plenwick {

namespace {

// By ListItemKind: the element kind and its codes.
constexpr int16_t kItemKinds[3] = {kPoint, kLine, kArc};
constexpr int16_t kItemCodes[3][5] = {{10, 20}, {10, 20, 11, 22}, {10, 20, 40, 50, 51}};

// The item's values in drawing coordinates.
std::array<double, 5> ValuesInDrawing(const ListItem& item, ModelPoint origin) {
  std::array<double, 5> v = item.values;
  v[0] += origin.x;
  v[1] += origin.y;
  if (item.kind == ListItemKind::kLine) {
    v[2] += origin.x;
    v[3] += origin.y;
  }
  return v;
}

}  // namespace

ListItemsAdded AddListItems(CPlenwickDoc& doc, const ProgramSettings& settings, std::span<const ListItem> items) {
  ListItemsAdded out;
  const ModelPoint origin{doc.originX, doc.originY};
  std::vector<std::array<double, 5>> keepable;
  std::vector<const ListItem*> kept;
  for (const ListItem& item : items) {
    const std::array<double, 5> v = ValuesInDrawing(item, origin);
    // A drawing file would drop the element, or keep a value that no longer means a place.
    if (!AllInCoordinateRange(std::span<const double>(v).first(static_cast<std::size_t>(ValueCountOf(item.kind))))) {
      ++out.skipped;
      continue;
    }
    keepable.push_back(v);
    kept.push_back(&item);
  }
  // Checked before the step opens: opening it makes the recorded step permanent.
  if (kept.empty()) return out;
  if (doc.RefuseIfProtected()) {
    out.result = ListItemsResult::kRefused;
    return out;
  }
  BeginOperation(doc.entities, doc.snapPoints);
  const auto lineAttr = static_cast<int16_t>(settings.CurrentLineType * 100 + settings.CurrentPen);
  out.added.reserve(kept.size());
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const ListItemKind kind = kept[i]->kind;
    const auto k = static_cast<std::size_t>(kind);
    const EntityAttr attr{kItemKinds[k], static_cast<int16_t>(kind == ListItemKind::kCircle ? 1 : 0), lineAttr,
                          settings.CurrentLayer, static_cast<int16_t>(ValueCountOf(kind))};
    DrawEntity* e = nullptr;
    if (doc.AddDocumentEntity(attr, nullptr, kItemCodes[k], settings.CurrentColour, keepable[i].data(), nullptr, &e) != 0) {
      ++out.skipped;
      continue;
    }
    out.added.push_back(e);
  }
  if (out.added.empty()) return out;
  // One undo takes the whole block back.
  MarkAddedBlock(doc.entities, out.added.front(), doc.ui());
  out.result = ListItemsResult::kAdded;
  return out;
}

}  // namespace plenwick
