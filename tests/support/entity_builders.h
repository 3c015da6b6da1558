// Short ways to add common elements in tests.
#pragma once

#include "model/entity_core.h"

namespace plenwick::testing {

inline DrawEntity* AddLine(EntityList& list, double x1, double y1, double x2, double y2, int16_t layer = 0) {
  const int16_t codes[] = {10, 20, 11, 22};
  const double values[] = {x1, y1, x2, y2};
  DrawEntity* e = nullptr;
  AddEntity({kLine, 0, 0, layer, 4}, nullptr, list, codes, 0, values, nullptr, &e);
  return e;
}

inline DrawEntity* AddGrid(EntityList& list, double pitch = 20.0) {
  const int16_t codes[] = {10, 20, 30};
  const double values[] = {0, 0, pitch};
  DrawEntity* e = nullptr;
  AddEntity({kGrid, 1, 0, 0, 3}, nullptr, list, codes, 0, values, nullptr, &e);
  return e;
}

inline DrawEntity* AddCircle(EntityList& list, double cx, double cy, double r) {
  const int16_t codes[] = {10, 20, 40};
  const double values[] = {cx, cy, r};
  DrawEntity* e = nullptr;
  AddEntity({kCircle, 0, 0, 0, 3}, nullptr, list, codes, 0, values, nullptr, &e);
  return e;
}

inline DrawEntity* AddText(EntityList& list, const char* text, const char* font = nullptr, double x = 0,
                           double y = 0) {
  const int16_t codes[] = {10, 20, 30, 40, 50};
  const double values[] = {x, y, 5, 5, 0};
  DrawEntity* e = nullptr;
  AddEntity({kText, 0, 0, 0, 5}, font, list, codes, 0, values, text, &e);
  return e;
}

inline DrawEntity* AddGroupHeader(EntityList& list) {
  const int16_t codes[] = {10, 20, 0, 0};
  const double values[] = {0, 0, 0, 0};
  DrawEntity* e = nullptr;
  AddEntity({kGroupHeader, 0, 0, 0, 4}, nullptr, list, codes, 0, values, nullptr, &e);
  return e;
}

}  // namespace plenwick::testing
