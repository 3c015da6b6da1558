// The points, lines, circles and arcs of a drawing as plain numbers.
#include "exchange/list_item.h"

#include <cmath>
#include <utility>

namespace plenwick {

namespace {

constexpr double kFullCircleTolerance = 0.001;  // degrees

// The item of one element, or nothing for other kinds and unusable values.
bool ItemOf(const DrawEntity& e, ModelPoint origin, ListItem& item) {
  int needed = 0;
  switch (e.kind) {
    case kPoint: item.kind = ListItemKind::kPoint, needed = 2; break;
    case kLine: item.kind = ListItemKind::kLine, needed = 4; break;
    case kCircle: item.kind = ListItemKind::kCircle, needed = 3; break;
    case kArc: item.kind = ListItemKind::kCircle, needed = 5; break;
    default: return false;
  }
  if (!e.values || e.valueCount < needed) return false;
  item.values = {};
  for (int i = 0; i < needed; ++i) {
    if (!std::isfinite(e.values[i])) return false;
    item.values[static_cast<std::size_t>(i)] = e.values[i];
  }
  item.values[0] -= origin.x;
  item.values[1] -= origin.y;
  if (item.kind == ListItemKind::kLine) {
    item.values[2] -= origin.x;
    item.values[3] -= origin.y;
  }
  // Direction 1 runs counter-clockwise from the start angle; any other clockwise, which is the
  // counter-clockwise arc from the end angle. The list knows no direction.
  if (e.kind == kArc && e.subKind != 1) std::swap(item.values[3], item.values[4]);
  return true;
}

}  // namespace

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
  ListItem item;
  for (const DrawEntity& e : list) {
    if (selectedOnly && e.mark != kMarkSelected) continue;
    if (ItemOf(e, origin, item)) items.push_back(item);
  }
  return items;
}

}  // namespace plenwick
