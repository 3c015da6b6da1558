// Guards snapping against landing on the wrong point: the 100 mm search and the 10-pixel reach,
// the first of equally near points, disabled and ignored elements, handles of picked elements,
// finding an element by its point and the nearest grid crossing.
#include <gtest/gtest.h>

#include "pick_fixture.h"
#include "view/snap.h"

namespace plenwick {
namespace {

using testing::PickDocument;
using testing::ScrollMapping;

class SnapTest : public PickDocument {};

TEST_F(SnapTest, NearestPointBeyondTenPixelsIsOutOfReach) {
  PointAt(100, 100);
  struct Case {
    double pixelsPerMm;
    double cursorX;
    int kind;
  } cases[] = {
      {1, 111, 0},   // 11 pixels: a point exists, but out of reach
      {1, 110, 1},   // 10 pixels
      {2, 105.5, 0}, // 5.5 mm at 2 pixels per mm
      {2, 105, 1},
      {0.1, 190, 1},   // 90 mm is 9 pixels zoomed out
      {0.1, 210, -1},  // beyond the 100 mm search: no candidate at all
  };
  for (const Case& c : cases) {
    mapping = ScrollMapping(c.pixelsPerMm);
    const SnapHit hit = SnapNearest(view, Pixel(c.cursorX, 100));
    EXPECT_EQ(hit.kind, c.kind) << c.pixelsPerMm << " " << c.cursorX;
    if (c.kind >= 0) {
      EXPECT_EQ(hit.point.x, 100);
    }
  }
}

TEST_F(SnapTest, FirstOfEquallyNearPointsWins) {
  DrawEntity* left = PointAt(95, 100);
  DrawEntity* right = PointAt(105, 100);
  EXPECT_EQ(SnapNearest(view, Pixel(100, 100)).snap->entity, left);
  DrawEntity* same = PointAt(95, 100);
  EXPECT_EQ(SnapNearest(view, Pixel(100, 100)).snap->entity, left) << "an equal later point does not replace";
  points.SetEntityState(left, kSnapDisabled);
  EXPECT_EQ(SnapNearest(view, Pixel(100, 100)).snap->entity, right);
  EXPECT_EQ(SnapNearestExcept(view, Pixel(100, 100), right).snap->entity, same);
}

TEST_F(SnapTest, PointsOfMarkedElementsAreSkipped) {
  DrawEntity* line = Line(0, 0, 100, 0);
  EXPECT_EQ(SnapNearest(view, Pixel(99, 1)).kind, kSnapLineEnd);
  points.SetEntityState(line, kMarkPicked);  // the state copies the mark
  EXPECT_EQ(SnapNearest(view, Pixel(99, 1)).kind, -1);
}

TEST_F(SnapTest, WithinSearchesModelDistanceOnly) {
  DrawEntity* a = PointAt(0, 0);
  PointAt(30, 0);
  double max = 50;
  ModelPoint found;
  EXPECT_EQ(SnapNearestWithin(points, {20, 0}, &max, nullptr, &found), kSnapPoint);
  EXPECT_EQ(max, 10);
  EXPECT_EQ(found.x, 30);
  max = 50;
  EXPECT_EQ(SnapNearestWithin(points, {20, 0}, &max, list.tail, &found), kSnapPoint);
  EXPECT_EQ(found.x, 0);
  EXPECT_EQ(max, 20);
  max = 5;
  EXPECT_EQ(SnapNearestWithin(points, {20, 0}, &max, nullptr, &found), -1);
  EXPECT_EQ(max, 5);
  max = 1e12;
  EXPECT_EQ(SnapNearestWithin(points, {-5e8, 0}, &max, nullptr, &found), kSnapPoint) << "far beyond the grid rings";
  EXPECT_EQ(found.x, 0);
  (void)a;
}

TEST_F(SnapTest, FindSnapPointOfKind) {
  DrawEntity* line = Line(0, 0, 10, 0);
  ModelPoint p;
  ASSERT_EQ(FindSnapPointOfKind(points, line, kSnapLineMidpoint, &p), 0);
  EXPECT_EQ(p.x, 5);
  EXPECT_EQ(FindSnapPointOfKind(points, line, kSnapQuadrant0, &p), 1);
  points.SetEntityState(line, kSnapDisabled);
  EXPECT_EQ(FindSnapPointOfKind(points, line, kSnapLineMidpoint, &p), 1) << "only enabled points";
}

TEST_F(SnapTest, HandlesOfPickedElements) {
  DrawEntity* line = Line(0, 0, 100, 0);
  DrawEntity* other = Line(0, 50, 100, 50);
  const PixelPoint nearEnd = Pixel(98, 2);
  EXPECT_EQ(PickSelectedHandle(view, nearEnd).entity, nullptr) << "nothing picked";
  line->mark = kMarkPicked;
  HandleHit hit = PickSelectedHandle(view, nearEnd);
  EXPECT_EQ(hit.entity, line);
  EXPECT_EQ(hit.kind, kSnapLineEnd);
  EXPECT_EQ(PickSelectedHandle(view, Pixel(50, 3)).kind, kSnapLineMidpoint);
  EXPECT_EQ(PickSelectedHandle(view, Pixel(50, 15)).entity, nullptr) << "beyond 10 pixels";
  DrawEntity* point = PointAt(200, 0);
  point->mark = kMarkPicked;
  EXPECT_EQ(PickSelectedHandle(view, Pixel(200, 1)).entity, nullptr) << "point elements offer no handle";
  DrawEntity* dimension = Add(kDimension, {0, 0});
  other->mark = kMarkPicked;
  other->owner = dimension;
  EXPECT_EQ(PickSelectedHandle(view, Pixel(100, 51)).entity, nullptr) << "parts of a dimension offer none";
}

TEST_F(SnapTest, FindEntityByPoint) {
  Line(0, 0, 10, 0);
  DrawEntity* second = Line(10, 0, 20, 5);
  EXPECT_EQ(FindEntityByPoint(points, kSnapLineStart, {10.5, 0.5}), second);
  EXPECT_EQ(FindEntityByPoint(points, kSnapLineEnd, {10.5, 0.5}), list.tail->prev);
  EXPECT_EQ(FindEntityByPoint(points, kSnapLineStart, {11, 0}), nullptr) << "1 mm or more away";
}

TEST_F(SnapTest, NearestGridPoint) {
  ModelPoint c;
  double d = 0;
  EXPECT_EQ(NearestGridPoint(view, {41, 58}, &c, &d), 1) << "no grid element";
  Grid(20);
  view.gridOrigin = {5, 0};
  ASSERT_EQ(NearestGridPoint(view, {41, 58}, &c, &d), 0);
  EXPECT_EQ(c.x, 45);
  EXPECT_EQ(c.y, 60);
  EXPECT_NEAR(d, std::sqrt(16.0 + 4.0), 1e-12);
}

}  // namespace
}  // namespace plenwick
