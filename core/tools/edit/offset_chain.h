// Lines and arcs joined end to end into chains and closed loops, as the offset tool follows them:
// two pieces are joined when an end of one lies within 0.5 mm (in x and in y) of an end of the
// other, the first such piece in drawing order taken at each end. And which side of a loop a
// point lies on.
#pragma once

#include <cstddef>
#include <optional>
#include <unordered_map>
#include <vector>

#include "model/draw_entity.h"
#include "view/geometry.h"

namespace plenwick {

// A line or arc walked from `from` to `to`: an arc turns `direction` (+1 counter-clockwise) on
// the way.
struct WalkedPiece {
  const DrawEntity* record = nullptr;
  bool reversed = false;  // walked against its stored order
  bool arc = false;
  ModelPoint from;
  ModelPoint to;
  ModelPoint centre;  // arcs
  double radius = 0;  // arcs
  int direction = 1;  // arcs, in the walk's sense
};

// The piece a record makes, walked in its stored order: a line of kind 20 of two distinct ends, or
// an arc of kind 31 with a radius that is not a whole circle. None for anything else.
std::optional<WalkedPiece> PieceOf(const DrawEntity& e);
// The same piece walked the other way.
WalkedPiece Reversed(WalkedPiece p);

struct Chain {
  std::vector<WalkedPiece> pieces;  // in walking order, from a free end for an open chain
  bool closed = false;
};

// The pieces that may be joined (the selected lines and arcs, in drawing order) with their ends
// filed by position.
class PieceNetwork {
 public:
  explicit PieceNetwork(const std::vector<const DrawEntity*>& records);

  // The chain through `record` (one of the network's): followed at most `steps` pieces from each
  // of its ends, never through a piece twice; closed when the walk comes back to it. An open chain
  // starts at the free end reached by walking back from the record's start.
  Chain ChainThrough(const DrawEntity& record, std::size_t steps) const;
  bool Contains(const DrawEntity& record) const { return index_.count(&record) != 0; }

 private:
  // The first piece in drawing order, other than `except` and those already `used`, with an end
  // joining `at`; walked away from `at`.
  std::optional<WalkedPiece> NextAt(ModelPoint at, std::size_t except, const std::vector<bool>& used) const;
  static long long Cell(double v);
  void File(ModelPoint p, std::size_t piece);

  std::vector<WalkedPiece> pieces_;
  std::unordered_map<const DrawEntity*, std::size_t> index_;
  // Piece ends by cell of 1 mm: (cell x, cell y) packed into one key.
  std::unordered_multimap<long long, std::size_t> ends_;
};

// Whether q lies inside the loop: a horizontal ray from q to +x crosses its pieces an odd number
// of times. An end or vertex on the ray counts as lying above it, so a ray through a vertex where
// the loop crosses counts once and one that only touches it counts twice or not at all.
bool InsideLoop(const Chain& loop, ModelPoint q);

// Twice the signed area the loop encloses (positive when it runs counter-clockwise).
double LoopOrientation(const Chain& loop);

}  // namespace plenwick
