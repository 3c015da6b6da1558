// The crossing line's test against each kind of element.
#include "tools/edit/crossing.h"

#include <cmath>
#include <vector>

#include "view/entity_shape.h"
#include "view/intersections.h"

namespace plenwick {

namespace {

MeetShape SegmentShape(ModelPoint a, ModelPoint b) {
  MeetShape s;
  s.type = MeetShape::kSegment;
  s.p1 = a;
  s.p2 = b;
  return s;
}

// A closed outline through the points (the closing piece added).
MeetShape OutlineShape(std::vector<ModelPoint> points) {
  MeetShape s;
  if (points.size() < 2) return s;
  points.push_back(points.front());
  s.type = MeetShape::kPolyline;
  s.path = std::move(points);
  return s;
}

MeetShape TextFrameShape(const DrawEntity& e) {
  TextFrame f;
  if (!TextFrameOf(e, TextByteLength(e), &f)) return {};
  const double angle = DegreesToRadians(f.angleDeg);
  const ModelPoint along{std::cos(angle), std::sin(angle)};
  const ModelPoint up{-along.y, along.x};
  const ModelPoint o = f.origin;
  const ModelPoint w{along.x * f.width, along.y * f.width};
  const ModelPoint h{up.x * f.height, up.y * f.height};
  return OutlineShape({o, {o.x + w.x, o.y + w.y}, {o.x + w.x + h.x, o.y + w.y + h.y}, {o.x + h.x, o.y + h.y}});
}

bool Meets(const IntersectionFinder& cross, const MeetShape& shape) {
  return shape.type != MeetShape::kNone && !cross.With(shape).empty();
}

bool CrossesBoundary(const IntersectionFinder& cross, const DrawEntity& e) {
  const std::vector<BoundaryPiece> pieces = BoundaryOf(e);
  for (const BoundaryPiece& piece : pieces) {
    if (piece.kind != BoundaryPiece::Kind::kCircle) continue;
    MeetShape round;
    round.type = MeetShape::kRound;
    round.circle.centre = piece.centre;
    round.circle.radius = piece.radius;
    if (Meets(cross, round)) return true;
  }
  return Meets(cross, OutlineShape(FlattenBoundary(pieces)));
}

}  // namespace

bool CrossesEntity(const DrawEntity& e, ModelPoint a, ModelPoint b) {
  if (!e.values) return false;
  const IntersectionFinder cross(SegmentShape(a, b));
  switch (e.kind) {
    case kPoint: return e.valueCount >= 2 && IsOnSegment({e.values[0], e.values[1]}, a, b) == 0;
    case kText: return Meets(cross, TextFrameShape(e));
    case kLeaderText:
      if (e.valueCount >= 9 && Meets(cross, SegmentShape({e.values[5], e.values[6]}, {e.values[7], e.values[8]}))) {
        return true;
      }
      return Meets(cross, TextFrameShape(e));
    case kPaint: case kHatch: return CrossesBoundary(cross, e);
    case kImage: {
      Box r;
      if (!ImageRectOf(e, &r)) return false;
      return Meets(cross, OutlineShape({{r.minX, r.minY}, {r.maxX, r.minY}, {r.maxX, r.maxY}, {r.minX, r.maxY}}));
    }
    case kPolygon: return Meets(cross, OutlineShape(Vertices(e)));
    default: return CanMeet(e) && !cross.With(e).empty();
  }
}

}  // namespace plenwick
