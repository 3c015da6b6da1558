// Registration of characteristic points, with the intersections found through the element index.
#include "view/snap_registration.h"

#include <cmath>
#include <vector>

#include "view/entity_index.h"
#include "view/entity_shape.h"
#include "view/geometry.h"
#include "view/intersections.h"

namespace plenwick {

void AddOwnSnapPoints(SnapPointList& points, DrawEntity& e) {
  const double* v = e.values.get();
  const int n = v ? e.valueCount : 0;
  switch (e.kind) {
    case kPoint:
      if (n >= 2) points.Add(&e, kSnapPoint, v[0], v[1]);
      break;
    case kLine:
      if (n >= 4) {
        points.Add(&e, kSnapLineStart, v[0], v[1]);
        points.Add(&e, kSnapLineEnd, v[2], v[3]);
        double length = 0;
        if (PointDistance({v[0], v[1]}, {v[2], v[3]}, &length) == 0) {
          const ModelPoint mid = PointAlong({v[0], v[1]}, {v[2], v[3]}, length / 2);
          points.Add(&e, kSnapLineMidpoint, mid.x, mid.y);
        }
      }
      break;
    case kBezierCurve: case kPolygon:
      for (int i = 0; i + 1 < n; i += 2) points.Add(&e, kSnapLineStart, v[i], v[i + 1]);
      break;
    case kFreeCurve:
      if (n >= 2) {
        points.Add(&e, kSnapCurveStart, v[0], v[1]);
        points.Add(&e, kSnapCurveEnd, v[(n / 2 - 1) * 2], v[(n / 2 - 1) * 2 + 1]);
      }
      break;
    case kCircle: case kArc: {
      CircleShape c;
      if (!CircleOf(e, &c)) break;
      const ModelPoint quadrants[4] = {{c.centre.x - c.radius, c.centre.y},
                                   {c.centre.x + c.radius, c.centre.y},
                                   {c.centre.x, c.centre.y - c.radius},
                                   {c.centre.x, c.centre.y + c.radius}};
      if (c.whole) {
        for (int i = 0; i < 4; ++i) points.Add(&e, static_cast<int16_t>(kSnapQuadrant0 + i), quadrants[i].x, quadrants[i].y);
        break;
      }
      points.Add(&e, kSnapArcStart, c.start.x, c.start.y);
      points.Add(&e, kSnapArcEnd, c.end.x, c.end.y);
      for (const ModelPoint& q : quadrants) {
        if (IsOnArc(c.direction, q, c.start, c.end, c.centre, c.radius) == 0) points.Add(&e, kSnapArcQuadrant, q.x, q.y);
      }
      break;
    }
    case kImage:
      if (n >= 4) {
        points.Add(&e, kSnapImageCorner0, v[0], v[1]);
        points.Add(&e, kSnapImageCorner0 + 1, v[0], v[3]);
        points.Add(&e, kSnapImageCorner0 + 2, v[2], v[3]);
        points.Add(&e, kSnapImageCorner0 + 3, v[2], v[1]);
      }
      break;
    default:
      break;  // texts, dimensions, groups, fills, hatchings, grids and infinite lines have none
  }
}

namespace {

void AddIntersections(SnapPointList& points, const IntersectionFinder& finder, DrawEntity& added, DrawEntity& other) {
  if (!IsIntersectionPair(added, other)) return;
  for (const ModelPoint& p : finder.With(other)) points.AddIntersection(&added, &other, p.x, p.y);
}

bool CanIntersect(const DrawEntity& e) {
  return (e.kind >= kLine && e.kind <= kAngledInfiniteLine) || e.kind == kBezierCurve || e.kind == kFreeCurve ||
         e.kind == kCircle || e.kind == kArc;
}

}  // namespace

void RegisterEntitySnapPoints(SnapPointList& points, EntityList& entities, DrawEntity& added, bool earlierOnly) {
  AddOwnSnapPoints(points, added);
  if (!CanIntersect(added)) return;
  const IntersectionFinder finder(added);
  if (EntityIndex* index = EntityIndex::For(entities, points)) {
    Box box;
    const Reach reach = ReachOf(added, &box);
    if (earlierOnly) {
      for (DrawEntity* other : index->EarlierCandidates(added, reach, box)) AddIntersections(points, finder, added, *other);
      return;
    }
    if (reach == Reach::kNone) return;
    if (reach == Reach::kEverywhere) box = Box{};  // no bound: every element is a candidate
    for (DrawEntity* other : index->Candidates(box)) AddIntersections(points, finder, added, *other);
    return;
  }
  for (DrawEntity& other : entities) {
    if (earlierOnly && &other == &added) break;
    AddIntersections(points, finder, added, other);
  }
}

void RegisterLoadedEntitySnapPoints(SnapPointList& points, EntityList& entities, std::span<DrawEntity* const> added) {
  EntityIndex* index = EntityIndex::For(entities, points);
  if (!index) {
    for (DrawEntity* e : added) RegisterEntitySnapPoints(points, entities, *e, true);
    return;
  }
  for (DrawEntity* e : added) {
    if (!CanIntersect(*e)) {
      AddOwnSnapPoints(points, *e);
      continue;
    }
    // An element without a shape meets nothing. The first query files the whole list in the
    // index, in list order, before the points of the first element that can meet others.
    const IntersectionFinder finder(*e);
    const MeetShape& shape = finder.shape();
    const std::vector<DrawEntity*>* others =
        shape.type == MeetShape::kNone ? nullptr : &index->EarlierCandidates(*e, shape.reach, shape.box);
    AddOwnSnapPoints(points, *e);
    if (!others) continue;
    for (DrawEntity* other : *others) AddIntersections(points, finder, *e, *other);
  }
}

SnapPointRegistrar InstallDefaultSnapPointRegistrar() {
  return InstallSnapPointRegistrar(SnapPointRegistrar(
      [](SnapPointList& points, EntityList& entities, DrawEntity& added) { RegisterEntitySnapPoints(points, entities, added); },
      RegisterLoadedEntitySnapPoints));
}

void RebuildSnapPoints(SnapPointList& points, EntityList& entities) {
  points.Clear();
  for (DrawEntity& e : entities) RegisterEntitySnapPoints(points, entities, e, true);
}

void UpdateSnapPointsAfterUndo(const EntityList& list, SnapPointList& points, DrawEntity* remembered) {
  auto disable = [&](DrawEntity* first) {
    for (DrawEntity* e = first; e; e = e->next) points.DisableEntity(e);
  };
  auto enable = [&](DrawEntity* first) {
    for (DrawEntity* e = first; e; e = e->next) points.EnableEntity(e);
  };
  switch (list.undoState) {
    case 1:
      disable(list.removedHead);
      break;
    case 2:
      enable(remembered);
      break;
    case 3:
      disable(list.removedHead);
      enable(list.replacedFirst);
      break;
    case 4:
      disable(list.replacedFirst);
      enable(list.removedHead);
      break;
    default:
      break;
  }
}

}  // namespace plenwick
