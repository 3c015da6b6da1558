// Where two elements meet, as plain shapes: segments, circles or arcs, and polylines.
#include "view/intersections.h"

#include <cmath>


namespace plenwick {

namespace {

bool IsLineKind(int kind) { return kind >= kLine && kind <= kAngledInfiniteLine; }
bool IsCurveKind(int kind) { return kind == kBezierCurve || kind == kFreeCurve; }
bool IsRoundKind(int kind) { return kind == kCircle || kind == kArc; }

}  // namespace

namespace {

// The shape alone, without the reach.
MeetShape ShapeOf(const DrawEntity& e) {
  MeetShape s;
  if (IsLineKind(e.kind)) {
    if (SegmentOf(e, &s.p1, &s.p2)) s.type = MeetShape::kSegment;
  } else if (IsRoundKind(e.kind)) {
    if (CircleOf(e, &s.circle)) s.type = MeetShape::kRound;
  } else if (IsCurveKind(e.kind)) {
    // A control-point curve is drawn as its B-spline, a free curve as the polyline of its points.
    s.path = PolylineOf(e);
    if (!s.path.empty()) s.type = MeetShape::kPolyline;
  }
  return s;
}

}  // namespace

MeetShape MeetShapeOf(const DrawEntity& e) {
  MeetShape s = ShapeOf(e);
  if (s.type != MeetShape::kNone) s.bounded = ReachOf(e, &s.box) == Reach::kBox;
  return s;
}

MeetShape MeetShapeOf(const DrawEntity& e, Reach reach, const Box& box) {
  MeetShape s = ShapeOf(e);
  if (s.type != MeetShape::kNone) {
    s.box = box;
    s.bounded = reach == Reach::kBox;
  }
  return s;
}

bool CanMeet(const DrawEntity& e) { return IsLineKind(e.kind) || IsCurveKind(e.kind) || IsRoundKind(e.kind); }

namespace {

bool OnRound(const CircleShape& c, ModelPoint p) {
  return c.whole || IsOnArc(c.direction, p, c.start, c.end, c.centre, c.radius) == 0;
}

// Collects points, counting points closer than 0.05 mm once, up to the limit.
class PointSet {
 public:
  explicit PointSet(std::size_t limit) : limit_(limit) {}
  bool full() const { return points_.size() >= limit_; }
  void Add(ModelPoint p) {
    if (full()) return;
    for (ModelPoint q : points_) {
      if (std::fabs(q.x - p.x) < kCoincidentTolerance && std::fabs(q.y - p.y) < kCoincidentTolerance) return;
    }
    points_.push_back(p);
  }
  std::vector<ModelPoint> Take() { return std::move(points_); }

 private:
  std::size_t limit_;
  std::vector<ModelPoint> points_;
};

void SegmentSegment(ModelPoint a1, ModelPoint a2, ModelPoint b1, ModelPoint b2, PointSet* out) {
  LineCoef la;
  LineCoef lb;
  ModelPoint at;
  if (LineCoefficients(a1, a2, &la) != 0 || LineCoefficients(b1, b2, &lb) != 0) return;
  if (IntersectLines(la, lb, &at) != 0) return;
  if (IsOnSegment(at, a1, a2) == 0 && IsOnSegment(at, b1, b2) == 0) out->Add(at);
}

void SegmentRound(ModelPoint s1, ModelPoint s2, const CircleShape& c, PointSet* out) {
  LineCoef line;
  if (LineCoefficients(s1, s2, &line) != 0) return;
  int count = 0;
  ModelPoint points[2];
  IntersectLineCircle(line, c.centre, c.radius, &count, points);
  for (int i = 0; i < count; ++i) {
    if (IsOnSegment(points[i], s1, s2) == 0 && OnRound(c, points[i])) out->Add(points[i]);
  }
}

void RoundRound(const CircleShape& a, const CircleShape& b, PointSet* out) {
  int count = 0;
  ModelPoint points[2];
  if (IntersectCircles(a.centre, a.radius, b.centre, b.radius, &count, points) != 0) return;
  for (int i = 0; i < count; ++i) {
    if (OnRound(a, points[i]) && OnRound(b, points[i])) out->Add(points[i]);
  }
}

// A piece of a flattened curve is a short exact segment: the 0.5 mm horizontal and vertical
// rounding of LineCoefficients (meant for drawn lines) would move its crossings by up to 0.5 mm
// and make neighbouring pieces report the same crossing twice.
LineCoef ExactLine(ModelPoint p, ModelPoint q) { return {q.y - p.y, p.x - q.x, p.y * q.x - q.y * p.x}; }

bool WithinPiece(ModelPoint p, ModelPoint q, ModelPoint at) {
  const double dx = q.x - p.x;
  const double dy = q.y - p.y;
  const double length2 = dx * dx + dy * dy;
  if (length2 == 0) return false;
  const double t = ((at.x - p.x) * dx + (at.y - p.y) * dy) / length2;
  return t >= -1e-9 && t <= 1 + 1e-9;
}

void PieceSegment(ModelPoint p, ModelPoint q, ModelPoint s1, ModelPoint s2, PointSet* out) {
  LineCoef segment;
  ModelPoint at;
  if ((p.x == q.x && p.y == q.y) || LineCoefficients(s1, s2, &segment) != 0) return;
  if (IntersectLines(ExactLine(p, q), segment, &at) != 0) return;
  if (WithinPiece(p, q, at) && IsOnSegment(at, s1, s2) == 0) out->Add(at);
}

void PieceRound(ModelPoint p, ModelPoint q, const CircleShape& c, PointSet* out) {
  if (p.x == q.x && p.y == q.y) return;
  int count = 0;
  ModelPoint points[2];
  IntersectLineCircle(ExactLine(p, q), c.centre, c.radius, &count, points);
  for (int i = 0; i < count; ++i) {
    if (WithinPiece(p, q, points[i]) && OnRound(c, points[i])) out->Add(points[i]);
  }
}

// Calls f(from, to) for every piece of a polyline whose box (grown by the margin) meets `near`.
template <typename F>
void ForEachPieceNear(const std::vector<ModelPoint>& path, const Box& near, F&& f) {
  for (std::size_t i = 0; i + 1 < path.size(); ++i) {
    Box piece = Box::Around(path[i]);
    piece.Add(path[i + 1]);
    piece.Grow(1.0);
    if (!near.IsEmpty() && !piece.IsEmpty() && !piece.Intersects(near)) continue;
    f(path[i], path[i + 1]);
  }
}

}  // namespace

bool IsIntersectionPair(const DrawEntity& added, const DrawEntity& other) {
  if (&added == &other || other.mark == kMarkDeleted) return false;
  const int a = added.kind;
  const int b = other.kind;
  if (IsLineKind(a)) return IsLineKind(b) || IsCurveKind(b) || IsRoundKind(b);
  if (IsCurveKind(a)) return IsLineKind(b) || IsRoundKind(b);
  if (IsRoundKind(a)) return IsLineKind(b) || IsCurveKind(b) || IsRoundKind(b);
  return false;
}

std::vector<ModelPoint> IntersectionFinder::With(const MeetShape& sb) const {
  const MeetShape& sa = shape_;
  if (sa.type == MeetShape::kNone || sb.type == MeetShape::kNone) return {};
  // Elements whose reaches do not meet cannot meet.
  if (sa.bounded && sb.bounded && !sa.box.Intersects(sb.box)) return {};
  const Box nearA = sa.bounded ? sa.box : Box{};
  const Box nearB = sb.bounded ? sb.box : Box{};
  PointSet out(kMaxPairIntersections);
  using S = MeetShape;
  if (sa.type == S::kSegment && sb.type == S::kSegment) {
    SegmentSegment(sa.p1, sa.p2, sb.p1, sb.p2, &out);
  } else if (sa.type == S::kSegment && sb.type == S::kRound) {
    SegmentRound(sa.p1, sa.p2, sb.circle, &out);
  } else if (sa.type == S::kRound && sb.type == S::kSegment) {
    SegmentRound(sb.p1, sb.p2, sa.circle, &out);
  } else if (sa.type == S::kRound && sb.type == S::kRound) {
    RoundRound(sa.circle, sb.circle, &out);
  } else if (sa.type == S::kPolyline && sb.type == S::kSegment) {
    ForEachPieceNear(sa.path, nearB, [&](ModelPoint p, ModelPoint q) { if (!out.full()) PieceSegment(p, q, sb.p1, sb.p2, &out); });
  } else if (sa.type == S::kSegment && sb.type == S::kPolyline) {
    ForEachPieceNear(sb.path, nearA, [&](ModelPoint p, ModelPoint q) { if (!out.full()) PieceSegment(p, q, sa.p1, sa.p2, &out); });
  } else if (sa.type == S::kPolyline && sb.type == S::kRound) {
    ForEachPieceNear(sa.path, nearB, [&](ModelPoint p, ModelPoint q) { if (!out.full()) PieceRound(p, q, sb.circle, &out); });
  } else if (sa.type == S::kRound && sb.type == S::kPolyline) {
    ForEachPieceNear(sb.path, nearA, [&](ModelPoint p, ModelPoint q) { if (!out.full()) PieceRound(p, q, sa.circle, &out); });
  }
  return out.Take();
}

std::vector<ModelPoint> IntersectionPoints(const DrawEntity& a, const DrawEntity& b) { return IntersectionFinder(a).With(b); }

namespace {

// Distance along the circle between the candidate and the given point's projection on it.
double AlongArc(const CircleShape& c, ModelPoint given, ModelPoint candidate) {
  const double r = Distance(given, c.centre);
  if (r == 0) return Distance(given, candidate);
  const ModelPoint onCircle{c.centre.x + (given.x - c.centre.x) * c.radius / r, c.centre.y + (given.y - c.centre.y) * c.radius / r};
  double forward = 0;
  double backward = 0;
  if (SweepLength(c.direction, onCircle, candidate, c.centre, &forward) != 0 ||
      SweepLength(c.direction, candidate, onCircle, c.centre, &backward) != 0) {
    return Distance(given, candidate);
  }
  return forward < backward ? forward : backward;
}

}  // namespace

int IntersectEntities(const DrawEntity& a, const DrawEntity& b, ModelPoint* point) {
  const bool aLine = IsLineKind(a.kind);
  const bool bLine = IsLineKind(b.kind);
  if ((!aLine && a.kind != kArc) || (!bLine && b.kind != kArc)) return 1;
  const MeetShape sa = MeetShapeOf(a);
  const MeetShape sb = MeetShapeOf(b);
  if (sa.type == MeetShape::kNone || sb.type == MeetShape::kNone) return 0;
  PointSet found(2);
  if (aLine && bLine) {
    SegmentSegment(sa.p1, sa.p2, sb.p1, sb.p2, &found);
  } else if (aLine) {
    SegmentRound(sa.p1, sa.p2, sb.circle, &found);
  } else if (bLine) {
    SegmentRound(sb.p1, sb.p2, sa.circle, &found);
  } else {
    RoundRound(sa.circle, sb.circle, &found);
  }
  const std::vector<ModelPoint> points = found.Take();
  if (points.empty()) return 0;
  ModelPoint chosen = points[0];
  if (points.size() == 2) {
    const CircleShape& arc = aLine ? sb.circle : sa.circle;
    if (AlongArc(arc, *point, points[1]) < AlongArc(arc, *point, points[0])) chosen = points[1];
  }
  *point = chosen;
  return 1;
}

}  // namespace plenwick
