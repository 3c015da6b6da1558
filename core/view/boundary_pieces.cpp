// Coded boundary pieces of paints and hatchings.
#include "view/boundary_pieces.h"

#include <cmath>
#include <numbers>

namespace plenwick {

std::vector<BoundaryPiece> ReadBoundaryPieces(const DrawEntity& entity, int first, int maxPieces) {
  std::vector<BoundaryPiece> pieces;
  if (!entity.values || !entity.codes) return pieces;
  const int n = entity.valueCount;
  const double* v = entity.values.get();
  int i = first < 0 ? 0 : first;
  while (i < n && static_cast<int>(pieces.size()) < maxPieces) {
    const int code = entity.codes[i];
    BoundaryPiece p;
    if (code == 10 && i + 1 < n) {
      p.point = {v[i], v[i + 1]};
      i += 2;
    } else if ((code == 0 || code == 1) && i + 4 < n) {
      p.kind = BoundaryPiece::Kind::kArc;
      p.centre = {v[i], v[i + 1]};
      p.radius = v[i + 2];
      p.point = {v[i + 3], v[i + 4]};
      p.counterClockwise = code == 1;
      i += 5;
    } else if (code == 50 && i + 2 < n) {
      p.kind = BoundaryPiece::Kind::kCircle;
      p.centre = {v[i], v[i + 1]};
      p.radius = v[i + 2];
      p.point = p.centre;
      i += 3;
    } else {
      break;
    }
    pieces.push_back(p);
  }
  return pieces;
}

std::vector<ModelPoint> FlattenBoundary(const std::vector<BoundaryPiece>& pieces) {
  std::vector<ModelPoint> points;
  std::vector<const BoundaryPiece*> chain;
  for (const BoundaryPiece& p : pieces) {
    if (p.kind != BoundaryPiece::Kind::kCircle) chain.push_back(&p);
  }
  constexpr double kTwoPi = 2 * std::numbers::pi;
  constexpr double kStep = 5 * std::numbers::pi / 180;
  for (std::size_t k = 0; k < chain.size(); ++k) {
    const BoundaryPiece& p = *chain[k];
    points.push_back(p.point);
    if (p.kind != BoundaryPiece::Kind::kArc) continue;
    const ModelPoint end = chain[(k + 1) % chain.size()]->point;
    const double a0 = std::atan2(p.point.y - p.centre.y, p.point.x - p.centre.x);
    const double a1 = std::atan2(end.y - p.centre.y, end.x - p.centre.x);
    if (!std::isfinite(a0) || !std::isfinite(a1) || !std::isfinite(p.radius)) continue;
    double sweep = p.counterClockwise ? a1 - a0 : a0 - a1;
    sweep = std::fmod(sweep, kTwoPi);
    if (sweep <= 0) sweep += kTwoPi;
    if (!p.counterClockwise) sweep = -sweep;
    const int steps = static_cast<int>(std::ceil(std::fabs(sweep) / kStep));
    for (int s = 1; s < steps; ++s) {
      const double a = a0 + sweep * s / steps;
      points.push_back({p.centre.x + p.radius * std::cos(a), p.centre.y + p.radius * std::sin(a)});
    }
  }
  return points;
}

}  // namespace plenwick
