// Tangent constructions.
#include "tools/draw/tangent_lines.h"

#include <cmath>

namespace plenwick {

namespace {

// Radii closer than this make the outer tangents plain shifts of the centre line.
constexpr double kEqualRadii = 0.05;

ModelPoint Unit(ModelPoint from, ModelPoint to) {
  const double d = Distance(from, to);
  return {(to.x - from.x) / d, (to.y - from.y) / d};
}

ModelPoint Along(ModelPoint p, ModelPoint u, double length) { return {p.x + u.x * length, p.y + u.y * length}; }

double Cross(ModelPoint o, ModelPoint a, ModelPoint b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

}  // namespace

bool TangentFromPoint(ModelPoint q, const CircleShape& circle, ModelPoint near, ModelPoint* touch) {
  int count = 0;
  ModelPoint points[2];
  if (TangentPoints(q, circle.centre, circle.radius, &count, points) != 0 || count != 2) return false;
  *touch = Distance(points[0], near) < Distance(points[1], near) ? points[0] : points[1];
  return true;
}

bool OuterTangents(const CircleShape& c1, const CircleShape& c2, LineEnds pair[2]) {
  if (!(Distance(c1.centre, c2.centre) > 0)) return false;
  if (std::fabs(c1.radius - c2.radius) < kEqualRadii) {
    const ModelPoint u = Unit(c1.centre, c2.centre);
    const ModelPoint n{-u.y, u.x};
    for (int side = 0; side < 2; ++side) {
      const double s = side == 0 ? 1.0 : -1.0;
      pair[side] = {Along(c1.centre, n, s * c1.radius), Along(c2.centre, n, s * c2.radius)};
    }
    return true;
  }
  const bool firstLarger = c1.radius > c2.radius;
  const CircleShape& large = firstLarger ? c1 : c2;
  const CircleShape& small = firstLarger ? c2 : c1;
  int count = 0;
  ModelPoint points[2];
  if (TangentPoints(small.centre, large.centre, large.radius - small.radius, &count, points) != 0 || count != 2) {
    return false;
  }
  for (int i = 0; i < 2; ++i) {
    const ModelPoint w = Unit(large.centre, points[i]);
    const ModelPoint onLarge = Along(large.centre, w, large.radius);
    const ModelPoint onSmall = Along(small.centre, w, small.radius);
    pair[i] = firstLarger ? LineEnds{onLarge, onSmall} : LineEnds{onSmall, onLarge};
  }
  return true;
}

bool InnerTangents(const CircleShape& c1, const CircleShape& c2, LineEnds pair[2]) {
  int count = 0;
  ModelPoint points[2];
  if (TangentPoints(c2.centre, c1.centre, c1.radius + c2.radius, &count, points) != 0 || count != 2) return false;
  for (int i = 0; i < 2; ++i) {
    const ModelPoint w = Unit(c1.centre, points[i]);
    pair[i] = {Along(c1.centre, w, c1.radius), Along(c2.centre, w, -c2.radius)};
  }
  return true;
}

bool SegmentsCross(ModelPoint a1, ModelPoint a2, ModelPoint b1, ModelPoint b2) {
  const double d1 = Cross(b1, b2, a1), d2 = Cross(b1, b2, a2);
  const double d3 = Cross(a1, a2, b1), d4 = Cross(a1, a2, b2);
  if (d1 == 0 && d2 == 0 && d3 == 0 && d4 == 0) return false;  // collinear: no crossing to speak of
  return d1 * d2 <= 0 && d3 * d4 <= 0;
}

bool TangentBetweenCircles(const CircleShape& c1, ModelPoint click1, const CircleShape& c2, ModelPoint click2,
                           LineEnds* line) {
  LineEnds pair[2];
  const bool inner = SegmentsCross(click1, click2, c1.centre, c2.centre);
  if (!(inner ? InnerTangents(c1, c2, pair) : OuterTangents(c1, c2, pair))) return false;
  const double d0 = Distance(pair[0].a, click1) + Distance(pair[0].b, click2);
  const double d1 = Distance(pair[1].a, click1) + Distance(pair[1].b, click2);
  *line = d0 < d1 ? pair[0] : pair[1];
  return true;
}

}  // namespace plenwick
