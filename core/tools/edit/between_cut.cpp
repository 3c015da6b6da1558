// Cutting a line between two lines.
#include "tools/edit/between_cut.h"

#include <algorithm>
#include <cmath>

namespace plenwick {

std::optional<std::vector<LineEnds>> CutBetween(LineEnds line, const LineCoef& l1, const LineCoef& l2) {
  const ModelPoint p1 = line.a, p2 = line.b;
  LineCoef own;
  ModelPoint x1, x2;
  if (LineCoefficients(p1, p2, &own) != 0 || IntersectLines(own, l1, &x1) != 0 || IntersectLines(own, l2, &x2) != 0) {
    return std::nullopt;
  }
  const bool on1 = IsOnSegment(x1, p1, p2) == 0, on2 = IsOnSegment(x2, p1, p2) == 0;
  if (!on1 && !on2) return std::nullopt;
  if (on1 != on2) {
    const ModelPoint x = on1 ? x1 : x2;
    if (WithinCoincidence(x, p1) || WithinCoincidence(x, p2)) return std::nullopt;
  }
  // Lines that cross on it leave nothing between them to cut.
  if (WithinCoincidence(x1, x2)) return std::nullopt;

  // Positions along p1 → p2: 0 at p1, 1 at p2.
  const double dx = p2.x - p1.x, dy = p2.y - p1.y;
  const double squared = dx * dx + dy * dy;
  auto along = [&](ModelPoint x) { return ((x.x - p1.x) * dx + (x.y - p1.y) * dy) / squared; };
  auto at = [&](double t) -> ModelPoint {
    if (t <= 0) return p1;
    if (t >= 1) return p2;
    return {p1.x + t * dx, p1.y + t * dy};
  };
  const double t1 = along(x1), t2 = along(x2);
  const double low = std::min(t1, t2), high = std::max(t1, t2);
  std::vector<std::pair<double, double>> kept;
  if (on1 && on2) {
    kept = {{0, low}, {high, 1}};
  } else {
    const double t = on1 ? t1 : t2;
    const bool p1InBand = low <= 0 && 0 <= high;
    kept = {p1InBand ? std::pair{t, 1.0} : std::pair{0.0, t}};
  }
  const double length = std::sqrt(squared);
  std::vector<LineEnds> pieces;
  for (auto [from, to] : kept) {
    from = std::clamp(from, 0.0, 1.0);
    to = std::clamp(to, 0.0, 1.0);
    if ((to - from) * length >= kCoincidentTolerance) pieces.push_back({at(from), at(to)});
  }
  return pieces;
}

}  // namespace plenwick
