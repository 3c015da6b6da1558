// Guards the snap-point list's bookkeeping: freeing an element takes its points and the
// intersections naming it, detached elements disable their points, points too far out for the
// grid are still found, and list order survives removals and reuse.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "model/entity_core.h"
#include "model/snap_point_list.h"
#include "model/undo.h"
#include "support/entity_builders.h"

namespace plenwick {
namespace {

using testing::AddLine;

std::vector<const SnapPoint*> InOrder(const SnapPointList& points) {
  std::vector<const SnapPoint*> out;
  const SnapPoint* prev = nullptr;
  for (const SnapPoint* p = points.head(); p; p = p->next) {
    EXPECT_EQ(p->prev, prev);
    if (prev) {
      EXPECT_LT(prev->order(), p->order());
    }
    out.push_back(p);
    prev = p;
  }
  EXPECT_EQ(points.tail(), prev);
  EXPECT_EQ(out.size(), points.size());
  return out;
}

TEST(SnapPointList, RemovingAnElementTakesItsPointsAndIntersectionsNamingIt) {
  SnapPointList points;
  EntityList list;
  DrawEntity* a = AddLine(list, 0, 0, 10, 10);
  DrawEntity* b = AddLine(list, 0, 10, 10, 0);
  DrawEntity* c = AddLine(list, 5, 0, 5, 10);
  points.Add(a, kSnapLineStart, 0, 0);
  points.Add(b, kSnapLineStart, 0, 10);
  points.AddIntersection(b, a, 5, 5);
  points.Add(c, kSnapLineStart, 5, 0);
  points.AddIntersection(c, a, 5, 5);
  points.AddIntersection(c, b, 5, 5);
  ASSERT_EQ(InOrder(points).size(), 6u);
  points.RemoveEntityPoints(a);
  const auto left = InOrder(points);
  ASSERT_EQ(left.size(), 3u);
  EXPECT_EQ(points.PointsOf(b).size(), 1u);
  EXPECT_EQ(points.PointsOf(c).size(), 2u);
  EXPECT_EQ(points.PartnerOf(left.back()), b);
  points.RemoveEntityPoints(b);
  EXPECT_EQ(InOrder(points).size(), 1u);
  // The freed slots are used again; order still follows the list.
  points.Add(a, kSnapPoint, 1, 1);
  points.Add(a, kSnapPoint, 2, 2);
  EXPECT_EQ(InOrder(points).size(), 3u);
  EXPECT_EQ(points.PointsOf(a).size(), 2u);
}

TEST(SnapPointList, DetachedElementsDisableTheirPointsAndTheirPartners) {
  SnapPointList points;
  EntityList list;
  list.snapPoints = &points;
  DrawEntity* a = AddLine(list, 0, 0, 10, 10);
  DrawEntity* b = AddLine(list, 0, 10, 10, 0);
  points.Add(a, kSnapLineStart, 0, 0);
  SnapPoint* crossing = points.AddIntersection(b, a, 5, 5);
  SnapPoint* own = points.Add(b, kSnapLineStart, 0, 10);
  BeginOperation(list, points);
  a->mark = kMarkDeleted;
  CommitDeletion(list);
  EXPECT_EQ(crossing->snapState, kSnapDisabled) << "its partner left the list";
  EXPECT_EQ(own->snapState, kSnapEnabled);
  SnapPoint* late = points.Add(a, kSnapPoint, 1, 1);
  EXPECT_EQ(late->snapState, kSnapDisabled) << "a point added for a detached element starts disabled";
  points.EnableEntity(a);
  EXPECT_EQ(crossing->snapState, kSnapEnabled);
  points.DisableEntity(b);
  EXPECT_EQ(crossing->snapState, kSnapDisabled);
  points.EnableEntity(b);
  EXPECT_EQ(crossing->snapState, kSnapEnabled);
}

TEST(SnapPointList, PointsBeyondTheGridAreStillVisited) {
  SnapPointList points;
  EntityList list;
  DrawEntity* a = AddLine(list, 0, 0, 1, 1);
  const double far = 1e300;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  points.Add(a, kSnapPoint, far, 0);
  points.Add(a, kSnapPoint, nan, 0);
  points.Add(a, kSnapPoint, 300, 400);
  int visited = 0;
  points.VisitNear(0, 0, 1, [&](const SnapPoint*) {
    ++visited;
    return 1.0;
  });
  EXPECT_EQ(visited, 2) << "the points outside the grid are always offered; (300, 400) lies in no cell near the query";
  visited = 0;
  points.VisitNear(far, 0, 1, [&](const SnapPoint*) {
    ++visited;
    return 1.0;
  });
  EXPECT_EQ(visited, 3) << "a query outside the grid offers everything";
  points.RemoveEntityPoints(a);
  EXPECT_EQ(points.size(), 0u);
}

}  // namespace
}  // namespace plenwick
