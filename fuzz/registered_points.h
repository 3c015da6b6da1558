// The registered points of a list in a form two registrations can be compared by: every point in
// list order with its kind, state, element and partner (as positions in the list) and its
// coordinates bit for bit.
#pragma once

#include <map>
#include <string>

#include "model/entity_list.h"
#include "model/snap_point_list.h"

namespace plenwick {

inline std::string RegisteredPoints(const SnapPointList& points, const EntityList& list) {
  std::map<const DrawEntity*, int> position;
  int i = 0;
  for (const DrawEntity& e : list) position[&e] = i++;
  auto at = [&](const DrawEntity* e) {
    const auto found = position.find(e);
    return found == position.end() ? -1 : found->second;
  };
  std::string out;
  for (const SnapPoint* p = points.head(); p; p = p->next) {
    const int fields[] = {p->pointKind, p->snapState, at(p->entity), at(points.PartnerOf(p))};
    out.append(reinterpret_cast<const char*>(fields), sizeof fields);
    out.append(reinterpret_cast<const char*>(&p->x), sizeof p->x);
    out.append(reinterpret_cast<const char*>(&p->y), sizeof p->y);
  }
  return out;
}

}  // namespace plenwick
