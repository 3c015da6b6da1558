// Where two elements meet: the intersection points registered as snap points (lines, curves,
// circles and arcs) and the single meeting point the editing tools ask for (IntersectEntities).
#pragma once

#include <utility>
#include <vector>

#include "model/draw_entity.h"
#include "view/entity_shape.h"
#include "view/geometry.h"

namespace plenwick {

// Most intersection points registered for one pair of elements.
inline constexpr int kMaxPairIntersections = 20;

// Lines (20–23), curves (24, 26), circles and arcs: the kinds whose intersections are registered.
bool CanMeet(const DrawEntity& e);

// Whether the intersections of a new element with `other` are registered: lines (20–23) with
// lines, curves (24, 26), circles and arcs; curves with lines, circles and arcs; circles and arcs
// with all of these. Never an element with itself or one marked deleted.
bool IsIntersectionPair(const DrawEntity& added, const DrawEntity& other);

// An element as a plain shape for intersecting: a segment, a circle or arc, or a polyline.
struct MeetShape {
  enum Type { kNone, kSegment, kRound, kPolyline };
  Type type = kNone;
  ModelPoint p1;
  ModelPoint p2;
  CircleShape circle;
  std::vector<ModelPoint> path;
  Box box;            // the element's reach, when it has a bounded one
  bool bounded = false;
};
MeetShape MeetShapeOf(const DrawEntity& e);
// The same when ReachOf(e) is known already (`reach`, `box`).
MeetShape MeetShapeOf(const DrawEntity& e, Reach reach, const Box& box);

// The intersections of one element with others, its shape read once (IntersectionPoints with
// `a` fixed).
class IntersectionFinder {
 public:
  explicit IntersectionFinder(const DrawEntity& a) : shape_(MeetShapeOf(a)) {}
  explicit IntersectionFinder(MeetShape a) : shape_(std::move(a)) {}
  std::vector<ModelPoint> With(const DrawEntity& b) const { return With(MeetShapeOf(b)); }
  std::vector<ModelPoint> With(const MeetShape& b) const;

 private:
  MeetShape shape_;
};

// The points where `a` and `b` meet (on both: segments by IsOnSegment, arcs by IsOnArc), in the
// order the rules give them, points closer than 0.05 mm counted once, at most 20. A control-point
// curve meets as its sampled B-spline, a free curve as the polyline it is drawn as.
std::vector<ModelPoint> IntersectionPoints(const DrawEntity& a, const DrawEntity& b);

// The meeting point of two elements for the editing tools: lines (20–23) and arcs (31) only.
// On success *point (in: a point near the wanted intersection) is replaced and 1 is returned;
// 0 when they do not meet. Other kinds leave the point unchanged and return 1.
int IntersectEntities(const DrawEntity& a, const DrawEntity& b, ModelPoint* point);

}  // namespace plenwick
