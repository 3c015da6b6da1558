// Registration of characteristic points, with the intersections found through the element index
// (or, for a drawing just read, a grid laid out for it).
#include "view/snap_registration.h"

#include <array>
#include <cmath>
#include <span>
#include <vector>

#include "view/entity_index.h"
#include "view/entity_shape.h"
#include "view/geometry.h"
#include "view/intersections.h"
#include "view/meeting_grid.h"

namespace plenwick {

namespace {

// The own points of one element, handed to the list a few at a time.
class OwnPoints {
 public:
  OwnPoints(SnapPointList& points, DrawEntity& e) : points_(points), e_(e) {}
  void Add(int kind, double x, double y) {
    if (count_ == room_.size()) Flush();
    room_[count_++] = {static_cast<int16_t>(kind), x, y};
  }
  void Add(int kind, ModelPoint p) { Add(kind, p.x, p.y); }
  void Flush() {
    points_.AddAll(&e_, std::span<const SnapPointList::NewPoint>(room_.data(), count_));
    count_ = 0;
  }

 private:
  SnapPointList& points_;
  DrawEntity& e_;
  std::array<SnapPointList::NewPoint, 16> room_;  // filled up to count_ (left unset beyond)
  std::size_t count_ = 0;
};

}  // namespace

void AddOwnSnapPoints(SnapPointList& list, DrawEntity& e) {
  const double* v = e.values.get();
  const int n = v ? e.valueCount : 0;
  OwnPoints points(list, e);
  switch (e.kind) {
    case kPoint:
      if (n >= 2) points.Add(kSnapPoint, v[0], v[1]);
      break;
    case kLine:
      if (n >= 4) {
        points.Add(kSnapLineStart, v[0], v[1]);
        points.Add(kSnapLineEnd, v[2], v[3]);
        double length = 0;
        if (PointDistance({v[0], v[1]}, {v[2], v[3]}, &length) == 0) {
          points.Add(kSnapLineMidpoint, PointAlong({v[0], v[1]}, {v[2], v[3]}, length / 2, length));
        }
      }
      break;
    case kBezierCurve: case kPolygon:
      for (int i = 0; i + 1 < n; i += 2) points.Add(kSnapLineStart, v[i], v[i + 1]);
      break;
    case kFreeCurve:
      if (n >= 2) {
        points.Add(kSnapCurveStart, v[0], v[1]);
        points.Add(kSnapCurveEnd, v[(n / 2 - 1) * 2], v[(n / 2 - 1) * 2 + 1]);
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
        for (int i = 0; i < 4; ++i) points.Add(kSnapQuadrant0 + i, quadrants[i]);
        break;
      }
      points.Add(kSnapArcStart, c.start);
      points.Add(kSnapArcEnd, c.end);
      const OnArcTest onArc(c.direction, c.start, c.end, c.centre, c.radius);
      for (const ModelPoint& q : quadrants) {
        if (onArc.Test(q) == 0) points.Add(kSnapArcQuadrant, q);
      }
      break;
    }
    case kImage:
      if (n >= 4) {
        points.Add(kSnapImageCorner0, v[0], v[1]);
        points.Add(kSnapImageCorner0 + 1, v[0], v[3]);
        points.Add(kSnapImageCorner0 + 2, v[2], v[3]);
        points.Add(kSnapImageCorner0 + 3, v[2], v[1]);
      }
      break;
    default:
      break;  // texts, dimensions, groups, fills, hatchings, grids and infinite lines have none
  }
  points.Flush();
}

namespace {

void AddIntersections(SnapPointList& points, const IntersectionFinder& finder, DrawEntity& added, DrawEntity& other) {
  if (!IsIntersectionPair(added, other)) return;
  for (const ModelPoint& p : finder.With(other)) points.AddIntersection(&added, &other, p.x, p.y);
}

}  // namespace

void RegisterEntitySnapPoints(SnapPointList& points, EntityList& entities, DrawEntity& added, bool earlierOnly) {
  AddOwnSnapPoints(points, added);
  if (!CanMeet(added)) return;
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
  if (added.empty()) return;
  // The grid is laid out for the elements read: it serves when the list held few others before.
  // Counted only as far as it matters, so that a few records added to a long list cost no walk.
  const std::size_t enough = added.size() / 4 + 1;
  std::size_t before = 0;
  for (const DrawEntity* e = entities.head; e && e != added.front() && before < enough; e = e->next) ++before;
  if (before >= enough) {
    for (DrawEntity* e : added) RegisterEntitySnapPoints(points, entities, *e, true);
    return;
  }
  MeetingGrid grid(added);
  if (!grid.usable()) {
    // Each element meets those before it through the element index.
    for (DrawEntity* e : added) RegisterEntitySnapPoints(points, entities, *e, true);
    return;
  }
  points.ReserveEntityNumbers(added.size());
  // Every element that can meet others is filed in list order, those read after meeting the
  // ones filed before them.
  auto next = added.begin();
  for (DrawEntity* e = entities.head; e; e = e->next) {
    const bool read = next != added.end() && *next == e;
    if (read && grid.crowded()) {
      // Too many elements lie outside the cells laid out: the rest meet the earlier ones through
      // the element index (which holds the whole list, and answers for the earlier ones only).
      for (; next != added.end(); ++next) RegisterEntitySnapPoints(points, entities, **next, true);
      return;
    }
    if (read) {
      ++next;
      AddOwnSnapPoints(points, *e);
    }
    if (!CanMeet(*e)) continue;
    Box box;
    const Reach reach = ReachOf(*e, &box);
    if (!read) {
      grid.File(*e, reach, box);
      continue;
    }
    const std::vector<DrawEntity*>& earlier = grid.MeetAndFile(*e, reach, box);
    if (earlier.empty()) continue;
    const IntersectionFinder finder(MeetShapeOf(*e, reach, box));
    for (DrawEntity* other : earlier) AddIntersections(points, finder, *e, *other);
  }
}

SnapPointRegistrar InstallDefaultSnapPointRegistrar() {
  return InstallSnapPointRegistrar(SnapPointRegistrar(
      [](SnapPointList& points, EntityList& entities, DrawEntity& added) { RegisterEntitySnapPoints(points, entities, added); },
      RegisterLoadedEntitySnapPoints));
}

void RebuildSnapPoints(SnapPointList& points, EntityList& entities) {
  points.Clear();
  for (DrawEntity& e : entities) {
    // A dimension's parts are made by their dimension: neither reading a drawing nor adding a
    // dimension registers points of theirs.
    if (!IsDimensionPart(e)) RegisterEntitySnapPoints(points, entities, e, true);
  }
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
