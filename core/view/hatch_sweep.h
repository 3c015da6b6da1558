// Cutting a family of parallel lines to a closed boundary in one sweep along the family's normal:
// the pieces, split where they turn back along the normal, are sorted by where they begin, and
// each line meets only the pieces active at its offset.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "view/boundary_pieces.h"

namespace plenwick {

// Line k of a family runs through origin + k · spacing · normal in the direction `along`
// (model mm; `along` and `normal` unit vectors at right angles).
struct LineFamily {
  ModelPoint origin;
  ModelPoint along;
  ModelPoint normal;
  double spacing = 0;
};

// Which of a family's lines are wanted: those whose index is a multiple of `stride` and whose
// offset along the normal lies within [from, to] (model mm).
struct LineSelection {
  int64_t stride = 1;
  double from = -HUGE_VAL;
  double to = HUGE_VAL;
};

// What one hatching may still produce; shared by its families so that hostile records stay
// bounded in time and memory.
struct HatchBudget {
  int64_t crossings = 0;
  int64_t segments = 0;
};

// Calls inside(k, t0, t1) for every stretch t0 < t1 (model mm along `along` from the foot of
// line k) that lies inside the boundary by the even–odd rule. A piece covers the normal offsets
// from where it begins up to, not including, where it ends, so that a line through a vertex
// meets the boundary once where it passes and twice (or not at all) where it touches. Arc pieces
// whose vertices lie off their circle run straight between them. Returns false when the family
// was given up: more than maxLines lines over the boundary (counting every line, wanted or not), or
// the budget spent; nothing is drawn for a boundary with a number that is not finite. Only the
// `wanted` lines are cut.
bool SweepLineFamily(const LineFamily& family, const std::vector<BoundaryPiece>& pieces, int64_t maxLines,
                     HatchBudget& budget, const std::function<void(int64_t k, double t0, double t1)>& inside,
                     const LineSelection& wanted = {});

}  // namespace plenwick
