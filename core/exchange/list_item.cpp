// The points, lines, circles and arcs of a drawing as plain numbers.
#include "exchange/list_item.h"

#include <cmath>
#include <utility>

namespace plenwick {

namespace {

constexpr double kFullCircleTolerance = 0.001;  // degrees

// By ListItemKind: the element kind, its subKind and its codes.
constexpr int16_t kItemKinds[3] = {kPoint, kLine, kArc};
constexpr int16_t kItemSubKinds[3] = {0, 0, 1};
constexpr int16_t kItemCodes[3][5] = {{10, 20}, {10, 20, 11, 22}, {10, 20, 40, 50, 51}};

// Adds `offset` to the item's coordinates (not to radius and angles).
void Shift(ListItem& item, ModelPoint offset) {
  item.values[0] += offset.x;
  item.values[1] += offset.y;
  if (item.kind == ListItemKind::kLine) {
    item.values[2] += offset.x;
    item.values[3] += offset.y;
  }
}

}  // namespace

std::optional<ListItem> ListItemOf(const DrawEntity& e, ModelPoint origin) {
  ListItem item;
  int needed = 0;
  switch (e.kind) {
    case kPoint: item.kind = ListItemKind::kPoint, needed = 2; break;
    case kLine: item.kind = ListItemKind::kLine, needed = 4; break;
    case kCircle: item.kind = ListItemKind::kCircle, needed = 3; break;
    case kArc: item.kind = ListItemKind::kCircle, needed = 5; break;
    default: return std::nullopt;
  }
  if (!e.values || e.valueCount < needed) return std::nullopt;
  for (int i = 0; i < needed; ++i) {
    if (!std::isfinite(e.values[i])) return std::nullopt;
    item.values[static_cast<std::size_t>(i)] = e.values[i];
  }
  Shift(item, {-origin.x, -origin.y});
  // Direction 1 runs counter-clockwise from the start angle; any other clockwise, which is the
  // counter-clockwise arc from the end angle. The list knows no direction.
  if (e.kind == kArc && e.subKind != 1) std::swap(item.values[3], item.values[4]);
  return item;
}

int ValueCountOf(ListItemKind kind) {
  switch (kind) {
    case ListItemKind::kPoint: return 2;
    case ListItemKind::kLine: return 4;
    case ListItemKind::kCircle: return 5;
  }
  return 0;
}

bool IsFullCircleItem(const ListItem& item) {
  if (item.kind != ListItemKind::kCircle) return false;
  const double start = item.values[3], end = item.values[4];
  return std::fabs(start) <= kFullCircleTolerance &&
         (std::fabs(end) <= kFullCircleTolerance || std::fabs(end - 360) <= kFullCircleTolerance);
}

std::vector<ListItem> ListItemsOf(const EntityList& list, ModelPoint origin, bool selectedOnly) {
  std::vector<ListItem> items;
  for (const DrawEntity& e : list) {
    if (selectedOnly && e.mark != kMarkSelected) continue;
    if (std::optional<ListItem> item = ListItemOf(e, origin)) items.push_back(*item);
  }
  return items;
}

std::optional<ItemElement> ElementOfItem(const ListItem& item, ModelPoint origin) {
  ListItem shifted = item;
  Shift(shifted, origin);
  const std::span<const double> values = ValuesOf(shifted);
  if (!AllInCoordinateRange(values)) return std::nullopt;
  const auto k = static_cast<std::size_t>(item.kind);
  ItemElement element;
  element.attr = {kItemKinds[k], kItemSubKinds[k], 0, 0, static_cast<int16_t>(values.size())};
  element.codes = kItemCodes[k];
  element.values = shifted.values;
  return element;
}

}  // namespace plenwick
