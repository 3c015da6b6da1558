// Guards the registration of characteristic points: the right kinds at the right places for every
// element kind, intersections only where both elements really are (at most 20 per pair), and
// points that follow their elements in and out of the undo buffer.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "model/undo.h"
#include "pick_fixture.h"
#include "support/recording_ui.h"
#include "view/snap.h"

namespace plenwick {
namespace {

using testing::PickDocument;
using testing::RecordingUserInterface;

struct P {
  int kind;
  double x, y;
  bool operator==(const P& o) const {
    return kind == o.kind && std::fabs(x - o.x) < 1e-9 && std::fabs(y - o.y) < 1e-9;
  }
};
std::ostream& operator<<(std::ostream& os, const P& p) { return os << "{" << p.kind << ", " << p.x << ", " << p.y << "}"; }

class RegistrationTest : public PickDocument {
 protected:
  std::vector<P> PointsOf(const DrawEntity* e) {
    std::vector<P> out;
    for (const SnapPoint* p : points.PointsOf(e)) out.push_back({p->pointKind, p->x, p->y});
    return out;
  }
  std::vector<P> Intersections() {
    std::vector<P> out;
    for (const SnapPoint* p = points.head(); p; p = p->next) {
      if (p->pointKind == kSnapIntersection) out.push_back({p->pointKind, p->x, p->y});
    }
    return out;
  }
  int EnabledCount() {
    int n = 0;
    for (const SnapPoint* p = points.head(); p; p = p->next) n += p->snapState == kSnapEnabled ? 1 : 0;
    return n;
  }
};

TEST_F(RegistrationTest, OwnPointsOfEveryKind) {
  const double s = std::sqrt(0.5) * 10;
  struct Case {
    int16_t kind;
    std::vector<double> values;
    int16_t subKind;
    std::vector<P> expected;
  } cases[] = {
      {kPoint, {1, 2}, 0, {{1, 1, 2}}},
      {kLine, {0, 0, 10, 0}, 0, {{2, 0, 0}, {3, 10, 0}, {4, 5, 0}}},
      {kLine, {3, 3, 3, 3}, 0, {{2, 3, 3}, {3, 3, 3}}},  // equal ends: no midpoint
      {kHorizontalInfiniteLine, {0, 5, 100000, 5}, 0, {}},
      {kAngledInfiniteLine, {0, 0, 10, 10}, 0, {}},
      {kBezierCurve, {0, 0, 5, 5, 10, 0}, 0, {{2, 0, 0}, {2, 5, 5}, {2, 10, 0}}},
      {kPolygon, {0, 0, 5, 5, 10, 0}, 0, {{2, 0, 0}, {2, 5, 5}, {2, 10, 0}}},
      {kFreeCurve, {0, 0, 5, 5, 10, 0}, 0, {{5, 0, 0}, {6, 10, 0}}},
      {kCircle, {0, 0, 10}, 0, {{7, -10, 0}, {8, 10, 0}, {9, 0, -10}, {10, 0, 10}}},
      {kArc, {0, 0, 10, 0, 360}, 1, {{7, -10, 0}, {8, 10, 0}, {9, 0, -10}, {10, 0, 10}}},
      {kArc, {0, 0, 10, 30, 30}, 1, {{7, -10, 0}, {8, 10, 0}, {9, 0, -10}, {10, 0, 10}}},  // equal angles
      // Half a degree of arc: no circle, though the angles share their whole degree.
      {kArc, {0, 0, 10, 90, 90.5}, 1, {{12, 0, 10}, {13, 10 * std::cos(90.5 * kPi / 180), 10 * std::sin(90.5 * kPi / 180)}}},
      {kArc, {0, 0, 10, 45, 135}, 1, {{12, s, s}, {13, -s, s}, {11, 0, 10}}},
      {kArc, {0, 0, 10, 45, 135}, -1, {{12, s, s}, {13, -s, s}, {11, -10, 0}, {11, 10, 0}, {11, 0, -10}}},
      {kImage, {0, 0, 4, 3}, 0, {{17, 0, 0}, {18, 0, 3}, {19, 4, 3}, {20, 4, 0}}},
      {kText, {0, 0, 5, 5, 0}, 0, {}},
  };
  for (const Case& c : cases) {
    DrawEntity* e = Add(c.kind, c.values, c.subKind, c.kind == kText ? "A" : nullptr);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(PointsOf(e), c.expected) << "kind " << c.kind;
    e->mark = kMarkDeleted;  // keeps later cases free of intersections with it
  }
}

TEST_F(RegistrationTest, CrossingLinesMeetOnceOnTheNewElement) {
  DrawEntity* a = Line(0, 0, 10, 10);
  DrawEntity* b = Line(0, 10, 10, 0);
  EXPECT_TRUE(PointsOf(a).size() == 3u) << "the earlier line gets nothing new";
  const std::vector<P> own = PointsOf(b);
  ASSERT_EQ(own.size(), 4u);
  EXPECT_EQ(own[3], (P{14, 5, 5}));
  EXPECT_EQ(points.PartnerOf(points.tail()), a);
}

TEST_F(RegistrationTest, IntersectionsOnlyWhereBothElementsAre) {
  struct Case {
    const char* name;
    int16_t kindA;
    std::vector<double> a;
    int16_t subA;
    int16_t kindB;
    std::vector<double> b;
    int16_t subB;
    std::vector<P> expected;
  } cases[] = {
      {"corner", kLine, {0, 0, 10, 0}, 0, kLine, {10, 0, 10, 10}, 0, {{14, 10, 0}}},
      {"lines that would meet beyond an end", kLine, {0, 0, 10, 0}, 0, kLine, {20, -5, 20, 5}, 0, {}},
      {"parallel", kLine, {0, 0, 10, 0}, 0, kLine, {0, 5, 10, 5}, 0, {}},
      {"line through circle", kCircle, {0, 0, 5}, 0, kLine, {-20, 0, 20, 0}, 0, {{14, 5, 0}, {14, -5, 0}}},
      {"segment ending inside", kCircle, {0, 0, 5}, 0, kLine, {0, 0, 20, 0}, 0, {{14, 5, 0}}},
      {"line through arc", kArc, {0, 0, 5, 0, 180}, 1, kLine, {-20, 3, 20, 3}, 0, {{14, 4, 3}, {14, -4, 3}}},
      {"line below arc", kArc, {0, 0, 5, 0, 180}, 1, kLine, {-20, -3, 20, -3}, 0, {}},
      {"circles", kCircle, {0, 0, 5}, 0, kCircle, {8, 0, 5}, 0, {{14, 4, 3}, {14, 4, -3}}},
      {"horizontal infinite line", kCircle, {0, 0, 5}, 0, kHorizontalInfiniteLine, {0, 0, 1, 0}, 0,
       {{14, 5, 0}, {14, -5, 0}}},
      {"curves never meet curves", kFreeCurve, {0, 0, 10, 10}, 0, kFreeCurve, {0, 10, 10, 0}, 0, {}},
      {"texts have none", kText, {0, 0, 10, 10, 0}, 0, kLine, {0, 0, 10, 10}, 0, {}},
      {"free curve as its polyline", kLine, {5, -10, 5, 10}, 0, kFreeCurve, {0, 0, 10, 4}, 0, {{14, 5, 2}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DrawEntity* a = Add(c.kindA, c.a, c.subA, "T");
    const std::size_t before = Intersections().size();
    DrawEntity* b = Add(c.kindB, c.b, c.subB);
    std::vector<P> found = Intersections();
    found.erase(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(before));
    ASSERT_EQ(found.size(), c.expected.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
      EXPECT_NEAR(found[i].x, c.expected[i].x, 1e-6);
      EXPECT_NEAR(found[i].y, c.expected[i].y, 1e-6);
    }
    a->mark = b->mark = kMarkDeleted;
  }
}

TEST_F(RegistrationTest, ControlPointCurveMeetsAsItsBSpline) {
  // The curve bulges up to y = 5 between its ends although its control point is at y = 10 …
  Add(kBezierCurve, {0, 0, 10, 10, 20, 0});
  Line(10, -20, 10, 20);
  const std::vector<P> found = Intersections();
  ASSERT_EQ(found.size(), 1u);
  EXPECT_NEAR(found[0].x, 10, 1e-6);
  EXPECT_GT(found[0].y, 3.0);
  EXPECT_LT(found[0].y, 7.0);
}

TEST_F(RegistrationTest, AtMostTwentyPointsPerPair) {
  std::vector<double> zigzag;
  for (int i = 0; i <= 30; ++i) zigzag.insert(zigzag.end(), {i * 10.0, i % 2 == 0 ? -10.0 : 10.0});
  Add(kFreeCurve, zigzag);
  Line(-10, 0, 400, 0);
  EXPECT_EQ(Intersections().size(), 20u);
}

TEST_F(RegistrationTest, PointsFollowTheirElementsThroughUndo) {
  RecordingUserInterface ui;
  BeginOperation(list, points);
  DrawEntity* a = Line(0, 0, 10, 10);
  BeginOperation(list, points);
  DrawEntity* b = Line(0, 10, 10, 0);  // its crossing with a is b's point, naming a
  ASSERT_EQ(EnabledCount(), 7);
  Undo(list, ui);  // b leaves
  EXPECT_EQ(EnabledCount(), 3);
  EXPECT_EQ(SnapNearest(view, Pixel(5, 5.5)).snap->entity, a) << "only a's points remain";
  Undo(list, ui);  // b is back
  EXPECT_EQ(EnabledCount(), 7);
  EXPECT_EQ(SnapNearest(view, Pixel(5, 5.5)).snap->entity, a) << "a's midpoint was registered first";

  // Deleting a disables its points and the crossing b holds with it.
  BeginOperation(list, points);
  a->mark = kMarkDeleted;
  CommitDeletion(list);
  EXPECT_EQ(EnabledCount(), 3);
  EXPECT_EQ(SnapNearest(view, Pixel(5, 5.5)).snap->entity, b);
  EXPECT_EQ(SnapNearest(view, Pixel(5, 5.5)).kind, kSnapLineMidpoint);
  Undo(list, ui);
  EXPECT_EQ(EnabledCount(), 7);
  Undo(list, ui);
  // The deletion becomes permanent: a is freed, and the crossing naming it goes with it.
  BeginOperation(list, points);
  EXPECT_EQ(points.size(), 3u);
  EXPECT_EQ(PointsOf(b).size(), 3u);
}

TEST_F(RegistrationTest, UndoUpdateForAListThatDoesNotReport) {
  SnapPointList quiet;
  EntityList other;  // destroyed before `quiet`
  RecordingUserInterface ui;
  const int16_t codes[] = {10, 20, 11, 22};
  const double first[] = {0, 0, 10, 10};
  const double second[] = {0, 10, 10, 0};
  DrawEntity* a = nullptr;
  DrawEntity* b = nullptr;
  AddEntity({kLine, 0, 0, 0, 4}, nullptr, other, codes, 0, first, nullptr, &a);
  RegisterEntitySnapPoints(quiet, other, *a);
  AddEntity({kLine, 0, 0, 0, 4}, nullptr, other, codes, 0, second, nullptr, &b);
  RegisterEntitySnapPoints(quiet, other, *b);
  ASSERT_EQ(quiet.size(), 7u);
  Undo(other, ui);
  UpdateSnapPointsAfterUndo(other, quiet, nullptr);
  int enabled = 0;
  for (const SnapPoint* p = quiet.head(); p; p = p->next) enabled += p->snapState == 0 ? 1 : 0;
  EXPECT_EQ(enabled, 3);
  DrawEntity* remembered = other.removedHead;
  Undo(other, ui);
  UpdateSnapPointsAfterUndo(other, quiet, remembered);
  enabled = 0;
  for (const SnapPoint* p = quiet.head(); p; p = p->next) enabled += p->snapState == 0 ? 1 : 0;
  EXPECT_EQ(enabled, 7);
  other.snapPoints = &quiet;  // freeing the list takes the points with it
}

TEST_F(RegistrationTest, RebuildRegistersEachPairOnce) {
  Line(0, 0, 10, 10);
  Line(0, 10, 10, 0);
  Line(5, -5, 5, 15);
  const std::vector<P> before = Intersections();
  ASSERT_EQ(before.size(), 3u);
  RebuildSnapPoints(points, list);
  EXPECT_EQ(Intersections(), before);
  EXPECT_EQ(points.size(), 3u * 3u + 3u);
}

}  // namespace
}  // namespace plenwick
