// Turning a picked region into the boundary pieces and records of hatchings and paints.
#include "tools/draw/hatch_region.h"

#include <limits>

#include "view/geometry.h"

namespace plenwick {

namespace {

// A record's values are counted in 16 bits.
constexpr std::size_t kMaxRecordValues = std::numeric_limits<int16_t>::max();

BoundaryPiece Vertex(ModelPoint p) {
  BoundaryPiece piece;
  piece.point = p;
  return piece;
}

std::optional<RegionRecord> Finished(RegionRecord record, const std::vector<BoundaryPiece>& pieces) {
  EncodeBoundaryPieces(pieces, record.codes, record.values);
  if (record.values.size() > kMaxRecordValues || pieces.size() > kMaxRecordValues) return std::nullopt;
  return record;
}

}  // namespace

std::vector<BoundaryPiece> RegionPieces(const std::vector<BoundaryStretch>& region) {
  std::vector<BoundaryPiece> pieces;
  for (const BoundaryStretch& s : region) {
    switch (s.type) {
      case BoundaryStretch::Type::kSegment: pieces.push_back(Vertex(s.from)); break;
      case BoundaryStretch::Type::kArc: {
        BoundaryPiece arc = Vertex(s.from);
        arc.kind = BoundaryPiece::Kind::kArc;
        arc.centre = s.circle.centre;
        arc.radius = s.circle.radius;
        arc.counterClockwise = RunsCounterClockwise(s);
        pieces.push_back(arc);
        break;
      }
      case BoundaryStretch::Type::kCircle: {
        BoundaryPiece circle = Vertex(s.circle.centre);
        circle.kind = BoundaryPiece::Kind::kCircle;
        circle.centre = s.circle.centre;
        circle.radius = s.circle.radius;
        pieces.push_back(circle);
        break;
      }
      case BoundaryStretch::Type::kPolygon: {
        std::size_t n = s.vertices.size();
        if (n > 1 && s.vertices[n - 1].x == s.vertices[0].x && s.vertices[n - 1].y == s.vertices[0].y) --n;
        for (std::size_t i = 0; i < n; ++i) pieces.push_back(Vertex(s.vertices[i]));
        break;
      }
    }
  }
  return pieces;
}

std::optional<RegionRecord> HatchRecordOf(const std::vector<BoundaryPiece>& pieces, const HatchSpacing& hatch) {
  const Box box = BoundaryBox(pieces);
  if (box.IsEmpty() || pieces.size() > kMaxRecordValues) return std::nullopt;
  RegionRecord r;
  r.subKind = hatch.pattern;
  r.codes = {static_cast<int16_t>(pieces.size()), 0, 0, 60, 61, 62, 63};
  r.values = {hatch.spacingY, hatch.spacingX, hatch.angleDeg, box.minX, box.minY, box.maxX, box.maxY};
  return Finished(std::move(r), pieces);
}

std::optional<RegionRecord> PaintRecordOf(const std::vector<BoundaryPiece>& pieces) {
  if (pieces.empty() || pieces.size() > kMaxRecordValues) return std::nullopt;
  RegionRecord r;
  r.subKind = static_cast<int16_t>(pieces.size());
  r.codes = {static_cast<int16_t>(pieces.size()), 0};
  r.values = {0, 0};
  return Finished(std::move(r), pieces);
}

bool PaintPointsAllowed(const std::vector<BoundaryPiece>& pieces, int* failedArcs) {
  *failedArcs = 0;
  int points = 0;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const BoundaryPiece& p = pieces[k];
    if (p.kind == BoundaryPiece::Kind::kVertex) {
      if (points >= kMaxPaintPoints - 1) return false;
      ++points;
    } else if (p.kind == BoundaryPiece::Kind::kArc) {
      const int n = ArcPieceFlatteningPoints(p, pieces[(k + 1) % pieces.size()].point);
      if (n < 0) {
        ++*failedArcs;
      } else if (points + n < kMaxPaintPoints) {
        points += n;
      }
    }
  }
  return true;
}

}  // namespace plenwick
