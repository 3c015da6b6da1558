// The points, lines, circles and arcs of a drawing as plain numbers: what the element list edits
// and what CSV files exchange. Coordinates are list coordinates, model mm relative to the
// drawing's origin offset; radii and angles (degrees) are as the elements hold them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/entity_core.h"
#include "model/entity_list.h"
#include "view/view_mapping.h"

namespace plenwick {

enum class ListItemKind : uint8_t { kPoint, kLine, kCircle };

struct ListItem {
  ListItemKind kind = ListItemKind::kPoint;
  // POINT: x, y. LINE: x1, y1, x2, y2. CIRCLE: centre x, centre y, radius, start and end angle,
  // counter-clockwise from start to end. Values past the kind's count are 0.
  std::array<double, 5> values{};
  bool operator==(const ListItem&) const = default;
};

// How many values the kind carries: 2, 4 or 5.
int ValueCountOf(ListItemKind kind);
// The values of the item that its kind carries.
inline std::span<const double> ValuesOf(const ListItem& item) {
  return std::span<const double>(item.values).first(static_cast<std::size_t>(ValueCountOf(item.kind)));
}

// A CIRCLE item whose start angle is within 0.001 of 0 and whose end angle is within 0.001 of 0
// or of 360: it is shown and written with its centre and radius only.
bool IsFullCircleItem(const ListItem& item);

// The item of a point (10), line (20), circle (30) or arc (31) with `origin` (model mm)
// subtracted from its coordinates, as ListItemsOf takes it; nothing for other kinds and for
// elements with too few values or values that are not finite.
std::optional<ListItem> ListItemOf(const DrawEntity& e, ModelPoint origin);

// The items of the points (10), lines (20), circles (30) and arcs (31) of `list` in list order,
// with `origin` (model mm) subtracted from their coordinates; with selectedOnly only those whose
// mark is 4. A circle gives angles 0 and 0. An arc that runs clockwise gives its angles exchanged,
// so that the item's counter-clockwise arc is the same arc. Elements with too few values or
// values that are not finite are left out.
std::vector<ListItem> ListItemsOf(const EntityList& list, ModelPoint origin, bool selectedOnly);

// What an item becomes in a drawing: a point (subKind 0), a line, or an arc (subKind 1,
// counter-clockwise from the start angle; a full circle has angles 0 and 0), with its codes and
// its values in drawing coordinates. attr.lineAttr and attr.layer are left 0 for the caller.
struct ItemElement {
  EntityAttr attr;
  const int16_t* codes = nullptr;
  std::array<double, 5> values{};
};
// The element of `item` in a drawing whose origin offset is `origin` (model mm); nothing when a
// value would lie outside the coordinate range there, which a drawing file would not keep.
std::optional<ItemElement> ElementOfItem(const ListItem& item, ModelPoint origin);

}  // namespace plenwick
