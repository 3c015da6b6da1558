// Intersections, moved points and characteristic points for the point tool.
#include "tools/draw/point_geometry.h"

#include <algorithm>
#include <cmath>

#include "tools/edit/record_transform.h"
#include "view/intersections.h"

namespace plenwick {

namespace {

bool IsLineKind(int kind) { return kind >= kLine && kind <= kAngledInfiniteLine; }

bool Finite(ModelPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// The line of a line element drawn as a segment long enough to cross everything in `reach`: the
// intersection finder then meets the infinite line within the other element's extent.
std::optional<MeetShape> LineAcross(const MeetShape& line, const Box& reach) {
  const double length = Distance(line.p1, line.p2);
  if (!(length > 0) || !std::isfinite(length)) return std::nullopt;
  double far = length;
  for (ModelPoint corner : {ModelPoint{reach.minX, reach.minY}, ModelPoint{reach.maxX, reach.maxY},
                            ModelPoint{reach.minX, reach.maxY}, ModelPoint{reach.maxX, reach.minY}}) {
    far = std::max(far, Distance(line.p1, corner));
  }
  if (!std::isfinite(far)) return std::nullopt;
  far += 1;
  const double ux = (line.p2.x - line.p1.x) / length, uy = (line.p2.y - line.p1.y) / length;
  MeetShape s = line;
  s.p1 = {line.p1.x - ux * far, line.p1.y - uy * far};
  s.p2 = {line.p1.x + ux * far, line.p1.y + uy * far};
  s.bounded = false;
  return s;
}

}  // namespace

std::vector<ModelPoint> CrossingPoints(const DrawEntity& a, const DrawEntity& b) {
  const MeetShape sa = MeetShapeOf(a);
  const MeetShape sb = MeetShapeOf(b);
  if (sa.type == MeetShape::kNone || sb.type == MeetShape::kNone) return {};
  if (!IsLineKind(a.kind) && !IsLineKind(b.kind)) return IntersectionFinder(sa).With(sb);
  if (IsLineKind(a.kind) && IsLineKind(b.kind)) {
    LineCoef la, lb;
    ModelPoint at;
    if (LineCoefficients(sa.p1, sa.p2, &la) != 0 || LineCoefficients(sb.p1, sb.p2, &lb) != 0) return {};
    if (IntersectLines(la, lb, &at) != 0 || !Finite(at)) return {};
    return {at};
  }
  const MeetShape& line = IsLineKind(a.kind) ? sa : sb;
  const MeetShape& other = IsLineKind(a.kind) ? sb : sa;
  if (!other.bounded) return {};
  const std::optional<MeetShape> across = LineAcross(line, other.box);
  if (!across) return {};
  return IntersectionFinder(*across).With(other);
}

std::optional<ModelPoint> MovedAlongLine(ModelPoint p, ModelPoint s1, ModelPoint s2, ModelPoint toward, double d) {
  const double length = Distance(s1, s2);
  if (!(length > 0) || !std::isfinite(length) || !std::isfinite(d)) return std::nullopt;
  double ux = (s2.x - s1.x) / length, uy = (s2.y - s1.y) / length;
  // The side of the click along the line; a click on p itself has none: the line's direction.
  if ((toward.x - p.x) * ux + (toward.y - p.y) * uy < 0) ux = -ux, uy = -uy;
  const ModelPoint q{p.x + ux * d, p.y + uy * d};
  if (!Finite(q)) return std::nullopt;
  return q;
}

std::optional<ModelPoint> MovedAlongCircle(ModelPoint p, const CircleShape& c, double d) {
  if (!(c.radius > 0) || !std::isfinite(c.radius) || !std::isfinite(d) || !Finite(p) || p == c.centre) {
    return std::nullopt;
  }
  // The turn is taken modulo a whole turn first: a huge d keeps its place on the circle exact.
  const double turn = std::fmod(d / c.radius, 2 * kPi);
  const double angle = std::atan2(p.y - c.centre.y, p.x - c.centre.x) + turn;
  const ModelPoint q{c.centre.x + c.radius * std::cos(angle), c.centre.y + c.radius * std::sin(angle)};
  if (!Finite(q)) return std::nullopt;
  if (!c.whole && IsOnArc(c.direction, q, c.start, c.end, c.centre, c.radius) != 0) return std::nullopt;
  return q;
}

bool LiesOnForMoving(ModelPoint p, const DrawEntity& e) {
  if (IsLineKind(e.kind)) {
    ModelPoint s1, s2;
    return SegmentOf(e, &s1, &s2) && IsOnSegment(p, s1, s2) == 0;
  }
  CircleShape c;
  if (!CircleOf(e, &c)) return false;
  if (e.kind == kCircle || c.whole) return std::fabs(Distance(p, c.centre) - c.radius) <= kCoincidentTolerance;
  return IsOnArc(c.direction, p, c.start, c.end, c.centre, c.radius) == 0;
}

std::vector<ModelPoint> ConstituentPoints(const DrawEntity& e) {
  switch (e.kind) {
    case kLine:
    case kBezierCurve:
    case kCircle: return DefiningPoints(e);
    case kText: {
      std::vector<ModelPoint> points = DefiningPoints(e);
      points.resize(std::min<std::size_t>(points.size(), 1));
      return points;
    }
    case kArc: {
      CircleShape c;
      if (!CircleOf(e, &c)) return {};
      return {c.centre, c.start, c.end};
    }
    default: return {};
  }
}

}  // namespace plenwick
