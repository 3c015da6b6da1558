// The boundary of a paint (kind 70) or hatching (kind 71) element read as its pieces: vertices,
// arc pieces and circles, in stored order.
#pragma once

#include <vector>

#include "model/draw_entity.h"

namespace plenwick {

struct BoundaryPiece {
  enum Type { kVertex, kArc, kCircle };
  Type type = kVertex;
  int code = 0;   // the piece's first code: 10 vertex, 0 or 1 arc (its sense), 50 circle
  int first = 0;  // index of its first value: vertex x, y; arc centre x, y, radius, start x, y;
                  // circle centre x, y, radius
};

// How the pieces are laid out: a paint's from value 2 on until an unknown code, a hatching's
// codes[0] pieces from value 7 on (circles allowed).
enum class BoundaryLayout { kPaint, kHatch };

// The pieces of a paint or hatching element by its kind (empty for other kinds), or read in the
// given layout. The walk stops at a piece of unknown code or one that would run past the values.
std::vector<BoundaryPiece> BoundaryPieces(const DrawEntity& e);
std::vector<BoundaryPiece> BoundaryPieces(const DrawEntity& e, BoundaryLayout layout);

}  // namespace plenwick
