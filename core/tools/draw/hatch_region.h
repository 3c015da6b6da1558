// The closed region a hatching or a paint fills, as the coded boundary pieces the drawing keeps,
// and the records of both kinds.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "tools/draw/dimension_boundary.h"
#include "view/boundary_pieces.h"

namespace plenwick {

// The pieces of a picked region in picking order: each straight piece as its start vertex, each arc
// piece with the sense it runs along its own arc between its vertices, a circle whole, a polygon
// as its vertices (one closing the outline on the first is dropped).
std::vector<BoundaryPiece> RegionPieces(const std::vector<BoundaryStretch>& region);

// What a hatching's lines are laid out by (model mm, degrees).
struct HatchSpacing {
  int16_t pattern = 1;
  double spacingY = 20;
  double spacingX = 20;
  double angleDeg = 0;
};

struct RegionRecord {
  int16_t subKind = 0;
  std::vector<int16_t> codes;
  std::vector<double> values;
};

// A hatching (kind 71): subKind the pattern; codes pieces, 0, 0, 60, 61, 62, 63 over the spacings
// (vertical, then horizontal distance), the angle and the box; then the pieces. Nothing when the
// pieces need more values than a record holds.
std::optional<RegionRecord> HatchRecordOf(const std::vector<BoundaryPiece>& pieces, const HatchSpacing& hatch);
// A paint (kind 70): subKind the number of pieces; values 0 and 1 (codes pieces, 0) hold 0; then
// the pieces. Nothing when they need more values than a record holds.
std::optional<RegionRecord> PaintRecordOf(const std::vector<BoundaryPiece>& pieces);

// The limit on a paint's outline: counted in order, a straight piece adds one point and an arc the
// points of its flattening while the total stays below 300; a straight piece met at 299 or more
// ends the count refused. Arcs whose flattening fails are counted in `failedArcs` and skipped.
inline constexpr int kMaxPaintPoints = 300;
bool PaintPointsAllowed(const std::vector<BoundaryPiece>& pieces, int* failedArcs);

}  // namespace plenwick
