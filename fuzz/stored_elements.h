// How many elements of a list a drawing file stores (generated dimension parts are not), and how
// many parts were generated.
#pragma once

#include <cstddef>

#include "model/draw_entity.h"
#include "model/entity_list.h"

namespace plenwick::fuzzing {

inline std::size_t CountStored(const EntityList& list) {
  std::size_t n = 0;
  for (const DrawEntity& e : list) n += IsDimensionPart(e) ? 0 : 1;
  return n;
}

inline std::size_t CountParts(const EntityList& list) {
  std::size_t n = 0;
  for (const DrawEntity& e : list) n += IsDimensionPart(e) ? 1 : 0;
  return n;
}

}  // namespace plenwick::fuzzing
