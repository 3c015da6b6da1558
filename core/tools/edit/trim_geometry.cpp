// Trimming and extending lines, circles and arcs to a boundary.
#include "tools/edit/trim_geometry.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/draw/circle_geometry.h"
#include "tools/edit/arc_span.h"
#include "view/entity_shape.h"
#include "view/geometry.h"

namespace plenwick {

namespace {

bool IsLineRecord(const DrawEntity& e) { return e.kind >= kLine && e.kind <= kAngledInfiniteLine; }

bool InfiniteLineOf(const DrawEntity& e, LineCoef* line) {
  ModelPoint p1, p2;
  return IsLineRecord(e) && SegmentOf(e, &p1, &p2) && LineCoefficients(p1, p2, line) == 0;
}

bool OnShape(const CircleShape& s, ModelPoint p) {
  return s.whole || IsOnArc(s.direction, p, s.start, s.end, s.centre, s.radius) == 0;
}

// Where the circle of `target` meets the boundary record: a line's infinite line (only its
// segment when `onBoundaryOnly` and it is a plain line), a circle, or an arc's circle (only the
// arc itself when `onBoundaryOnly`). False for other kinds.
bool Crossings(const CircleShape& target, const DrawEntity& b, bool onBoundaryOnly, std::vector<ModelPoint>* out) {
  ModelPoint found[2];
  int count = 0;
  LineCoef line;
  CircleShape other;
  if (InfiniteLineOf(b, &line)) {
    if (IntersectLineCircle(line, target.centre, target.radius, &count, found) != 0) count = 0;
    ModelPoint p1, p2;
    SegmentOf(b, &p1, &p2);
    for (int i = 0; i < count; ++i) {
      if (!onBoundaryOnly || b.kind != kLine || IsOnSegment(found[i], p1, p2) == 0) out->push_back(found[i]);
    }
    return true;
  }
  if (!CircleOf(b, &other)) return false;
  if (IntersectCircles(target.centre, target.radius, other.centre, other.radius, &count, found) != 0) count = 0;
  for (int i = 0; i < count; ++i) {
    if (!onBoundaryOnly || OnShape(other, found[i])) out->push_back(found[i]);
  }
  return true;
}

ModelPoint Nearer(const std::vector<ModelPoint>& points, ModelPoint q) {
  return *std::min_element(points.begin(), points.end(),
                           [&](ModelPoint a, ModelPoint b) { return Distance(a, q) < Distance(b, q); });
}

// Three quarters of the circle, without the quarter that holds q.
std::optional<RecordGeometry> WithoutQuarter(const CircleShape& s, ModelPoint q) {
  const int quarter = std::clamp(static_cast<int>(AngleAbout(s.centre, q) / 90.0), 0, 3);
  const double start = quarter == 3 ? 0 : (quarter + 1) * 90.0;
  const double end = quarter == 0 ? 360 : quarter * 90.0;
  return ArcRecord(s.centre, s.radius, start, end, 1);
}

// The arc between the two meeting points s1, s2 that holds c.
std::optional<RecordGeometry> BetweenCrossings(const CircleShape& s, ModelPoint s1, ModelPoint s2, ModelPoint c) {
  int direction = 0;
  if (IsOnArc(-1, c, s1, s2, s.centre, s.radius) == 0) {
    direction = -1;
  } else if (IsOnArc(1, c, s1, s2, s.centre, s.radius) == 0) {
    direction = 1;
  }
  if (direction == 0) return std::nullopt;
  return ArcRecord(s.centre, s.radius, AngleAbout(s.centre, s1), AngleAbout(s.centre, s2), direction);
}

// The piece of the arc, split at the points on it, that holds c.
std::optional<RecordGeometry> SplitPiece(const CircleShape& s, const std::vector<ModelPoint>& points, ModelPoint c) {
  const ArcSpan span = ArcSpan::Of(s);
  const double margin = kShortestPiece / s.radius * 180.0 / kPi;
  std::vector<double> cuts{0};
  for (ModelPoint p : points) {
    const double u = span.Along(p);
    if (u > margin && u < span.sweepDeg - margin) cuts.push_back(u);
  }
  if (cuts.size() == 1) return std::nullopt;
  std::sort(cuts.begin(), cuts.end());
  cuts.push_back(span.sweepDeg);
  double uc = span.Along(c);
  // A click just beyond an end belongs to the piece at that end.
  if (uc > span.sweepDeg) uc = uc - span.sweepDeg < 360 - uc ? span.sweepDeg : 0;
  for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
    if (uc >= cuts[i] && uc <= cuts[i + 1]) return span.Piece(cuts[i], cuts[i + 1]);
  }
  return std::nullopt;
}

}  // namespace

std::optional<ModelPoint> LineTarget(ModelPoint p1, ModelPoint p2, const TrimBoundary& boundary) {
  LineCoef own;
  if (LineCoefficients(p1, p2, &own) != 0) return std::nullopt;
  ModelPoint t;
  LineCoef line;
  CircleShape round;
  if (boundary.record && InfiniteLineOf(*boundary.record, &line)) {
    if (IntersectLines(own, line, &t) != 0) return std::nullopt;
    return t;
  }
  if (boundary.record && CircleOf(*boundary.record, &round)) {
    ModelPoint found[2];
    int count = 0;
    if (IntersectLineCircle(own, round.centre, round.radius, &count, found) != 0) return std::nullopt;
    std::vector<ModelPoint> on;
    for (int i = 0; i < count; ++i) {
      if (OnShape(round, found[i])) on.push_back(found[i]);
    }
    if (on.empty()) return std::nullopt;
    return Nearer(on, boundary.q);
  }
  if (PerpendicularFoot(boundary.q, own, &t) != 0) return std::nullopt;
  return t;
}

std::optional<LineEnds> KeptLine(ModelPoint p1, ModelPoint p2, ModelPoint t, ModelPoint c) {
  LineEnds kept;
  if (IsOnSegment(c, p1, t) == 0) {
    kept = {p1, t};
  } else if (IsOnSegment(c, t, p2) == 0) {
    kept = {t, p2};
  } else {
    return std::nullopt;
  }
  if (!(Distance(kept.a, kept.b) >= kShortestPiece)) return std::nullopt;
  return kept;
}

std::optional<RecordGeometry> TrimmedRound(const DrawEntity& round, ModelPoint c, const TrimBoundary& boundary) {
  CircleShape s;
  if (!CircleOf(round, &s) || !(s.radius > 0)) return std::nullopt;
  std::vector<ModelPoint> points;
  const bool bare = !boundary.record || boundary.record == &round ||
                    !Crossings(s, *boundary.record, !s.whole, &points);
  if (s.whole) {
    if (bare) return WithoutQuarter(s, boundary.q);
    if (points.size() < 2) return std::nullopt;
    return BetweenCrossings(s, points[0], points[1], c);
  }
  if (bare) {
    // A bare position splits the arc where the ray from the centre through it meets the arc.
    const std::optional<ModelPoint> foot = PointOnCircleToward(s.centre, s.radius, boundary.q);
    if (!foot || !OnShape(s, *foot)) return std::nullopt;
    points = {*foot};
  }
  return SplitPiece(s, points, c);
}

}  // namespace plenwick
