// Joining two lines.
#include "tools/edit/join_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "tools/edit/arc_span.h"
#include "view/geometry.h"

namespace plenwick {

namespace {

double OffLine(const LineCoef& l, ModelPoint p) { return std::abs(l.a * p.x + l.b * p.y + l.c) / std::hypot(l.a, l.b); }

// The end of the line that stays when it is taken to t.
ModelPoint KeptEnd(LineEnds l, ModelPoint c, ModelPoint t) {
  const double toA = Distance(l.a, t), toB = Distance(l.b, t);
  if (IsOnSegment(t, l.a, l.b) != 0) return toA >= toB ? l.a : l.b;
  // t splits the line: the end whose side of t holds the click.
  const double side = (c.x - t.x) * (l.a.x - t.x) + (c.y - t.y) * (l.a.y - t.y);
  return side > 0 ? l.a : l.b;
}

bool Long(LineEnds l) { return Distance(l.a, l.b) >= kShortestPiece; }

}  // namespace

std::optional<JoinedLines> JoinLines(LineEnds l1, ModelPoint c1, LineEnds l2, ModelPoint c2) {
  LineCoef k1, k2;
  if (LineCoefficients(l1.a, l1.b, &k1) != 0 || LineCoefficients(l2.a, l2.b, &k2) != 0) return std::nullopt;
  if (OffLine(k1, l2.a) <= kOnTolerance && OffLine(k1, l2.b) <= kOnTolerance) {
    const std::array<ModelPoint, 4> ends{l1.a, l1.b, l2.a, l2.b};
    const ModelPoint d{l1.b.x - l1.a.x, l1.b.y - l1.a.y};
    auto along = [&](ModelPoint p) { return (p.x - l1.a.x) * d.x + (p.y - l1.a.y) * d.y; };
    const auto [lo, hi] = std::minmax_element(ends.begin(), ends.end(),
                                              [&](ModelPoint p, ModelPoint q) { return along(p) < along(q); });
    const LineEnds one{*lo, *hi};
    if (!Long(one)) return std::nullopt;
    return JoinedLines{one, std::nullopt};
  }
  ModelPoint t;
  if (IntersectLines(k1, k2, &t) != 0) return std::nullopt;
  const LineEnds first{KeptEnd(l1, c1, t), t}, second{KeptEnd(l2, c2, t), t};
  if (!Long(first) || !Long(second)) return std::nullopt;
  return JoinedLines{first, second};
}

}  // namespace plenwick
