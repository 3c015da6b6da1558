// Guards the line tools' constructions taken alone: entered angles, the fixed-length rule, the
// quadrant and angle-only rules, typed ends, the stored ends of infinite lines and of parallel
// copies, offsets, clipping and the tangents.
#include <gtest/gtest.h>

#include <cmath>

#include "line_fixture.h"
#include "model/draw_entity.h"
#include "tools/draw/line_geometry.h"
#include "tools/draw/tangent_lines.h"

namespace plenwick {
namespace {

using testing::ExpectNear;

ModelPoint Polar(double degrees, double length) { return PointAtAngle({0, 0}, degrees, length); }

CircleShape Circle(double x, double y, double r) {
  CircleShape c;
  c.centre = {x, y};
  c.radius = r;
  return c;
}

TEST(LineGeometry, EnteredAnglesAndDirections) {
  EXPECT_EQ(EnteredAngle(-30), 390);
  EXPECT_EQ(EnteredAngle(30), 30);
  EXPECT_EQ(DirectionDegrees({0, 0}, {-1, -1}), 225);
  EXPECT_EQ(DirectionDegrees({0, 0}, {0, 0}), 0);
  EXPECT_EQ(DirectionDegrees({0, 0}, {1, -0.0}), 0);
}

TEST(LineGeometry, FixedLengthKeepsCloseClicks) {
  ExpectNear(FixedLengthEnd({0, 0}, {0.3, 0.3}, 50), {0.3, 0.3});
  ExpectNear(FixedLengthEnd({0, 0}, {0, -2}, 50), {0, -50});
}

TEST(LineGeometry, QuadrantRule) {
  const struct {
    ModelPoint toward;
    double degrees;
  } cases[] = {{{1, 1}, 30}, {{-1, 1}, 150}, {{-1, -1}, 210}, {{1, -1}, -30}, {{0, 1}, 150}, {{-1, 0}, 210}};
  for (const auto& c : cases) ExpectNear(LengthAndAngleEnd({0, 0}, c.toward, 50, 30), Polar(c.degrees, 50));
}

TEST(LineGeometry, TypedEnds) {
  ExpectNear(NumericLineEnd({10, 10}, 0, 20, 90), {10, 30});
  ExpectNear(NumericLineEnd({10, 10}, 0, 20, -90), {10, 30});  // 450 degrees
  ExpectNear(NumericLineEnd({10, 10}, 1, -5, 7), {5, 17});
  ExpectNear(AxisNumericEnd({0, 0}, {0, 0}, true, 5), {-5, 0});  // not right of the start
}

TEST(LineGeometry, ParallelCopiesOfInfiniteLinesStoreFixedEnds) {
  const LineEnds horizontal = HorizontalInfiniteLine(10);
  LineCoef h;
  ASSERT_EQ(LineCoefficients(horizontal.a, horizontal.b, &h), 0);
  for (int i = 1; i <= 3; ++i) {
    const LineEnds copy = ParallelAtDistance(kHorizontalInfiniteLine, horizontal, h, {0, 50}, 10.0 * i);
    ExpectNear(copy.a, {0, 10 + 10.0 * i});
    ExpectNear(copy.b, {100000, 10 + 10.0 * i});
  }
  const LineEnds vertical = VerticalInfiniteLine(5);
  LineCoef v;
  ASSERT_EQ(LineCoefficients(vertical.a, vertical.b, &v), 0);
  const LineEnds copy = ParallelThrough(kVerticalInfiniteLine, vertical, v, {-20, 3});
  ExpectNear(copy.a, {-20, 0});
  ExpectNear(copy.b, {-20, 100000});
}

TEST(LineGeometry, OffsetsAndClipping) {
  const LineEnds left = OffsetSegment({0, 0}, {10, 0}, 2);
  ExpectNear(left.a, {0, 2});
  ExpectNear(left.b, {10, 2});
  const LineEnds right = OffsetSegment({0, 0}, {0, 10}, -3);
  ExpectNear(right.a, {3, 0});
  LineEnds ends;
  ASSERT_TRUE(ClipLineToSquare({0, 0}, {1, 1}, 100, &ends));
  ExpectNear(ends.a, {-100, -100});
  ExpectNear(ends.b, {100, 100});
  EXPECT_FALSE(ClipLineToSquare({0, 500}, {1, 0}, 100, &ends));
  EXPECT_FALSE(ClipLineToSquare({0, 0}, {0, 0}, 100, &ends));
}

TEST(TangentLines, FromAPointTheNearerTouchingPoint) {
  const CircleShape circle = Circle(0, 0, 5);
  ModelPoint touch;
  ASSERT_TRUE(TangentFromPoint({10, 0}, circle, {0, 10}, &touch));
  ExpectNear(touch, {2.5, 5 * std::sqrt(3.0) / 2});
  ASSERT_TRUE(TangentFromPoint({10, 0}, circle, {0, -10}, &touch));
  ExpectNear(touch, {2.5, -5 * std::sqrt(3.0) / 2});
  EXPECT_FALSE(TangentFromPoint({1, 1}, circle, {0, 0}, &touch));  // inside
  EXPECT_FALSE(TangentFromPoint({5, 0}, circle, {0, 0}, &touch));  // on it
}

// Each line of a pair touches both circles: its distance from each centre is the radius, and the
// touching points are the feet of the centres.
void ExpectTouches(const LineEnds& line, const CircleShape& c1, const CircleShape& c2) {
  ExpectNear({Distance(line.a, c1.centre), Distance(line.b, c2.centre)}, {c1.radius, c2.radius});
  const double dx = line.b.x - line.a.x, dy = line.b.y - line.a.y;
  EXPECT_NEAR(dx * (line.a.x - c1.centre.x) + dy * (line.a.y - c1.centre.y), 0, 1e-6);
  EXPECT_NEAR(dx * (line.b.x - c2.centre.x) + dy * (line.b.y - c2.centre.y), 0, 1e-6);
}

TEST(TangentLines, OuterAndInnerPairs) {
  const struct {
    CircleShape c1, c2;
  } cases[] = {
      {Circle(0, 0, 5), Circle(30, 0, 5)}, {Circle(0, 0, 10), Circle(30, 10, 4)}, {Circle(0, 0, 3), Circle(-20, 15, 8)}};
  for (const auto& c : cases) {
    LineEnds pair[2];
    ASSERT_TRUE(OuterTangents(c.c1, c.c2, pair));
    for (const LineEnds& line : pair) ExpectTouches(line, c.c1, c.c2);
    ASSERT_TRUE(InnerTangents(c.c1, c.c2, pair));
    for (const LineEnds& line : pair) {
      ExpectTouches(line, c.c1, c.c2);
      // An inner tangent crosses the segment between the centres.
      EXPECT_TRUE(SegmentsCross(line.a, line.b, c.c1.centre, c.c2.centre));
    }
  }
  LineEnds pair[2];
  EXPECT_FALSE(OuterTangents(Circle(0, 0, 10), Circle(1, 0, 3), pair));  // one inside the other
  EXPECT_FALSE(InnerTangents(Circle(0, 0, 10), Circle(12, 0, 3), pair));  // overlapping
  EXPECT_FALSE(OuterTangents(Circle(0, 0, 10), Circle(0, 0, 10), pair));  // the same circle
}

TEST(TangentLines, TheClicksChooseThePairAndTheLine) {
  const CircleShape c1 = Circle(0, 0, 5), c2 = Circle(30, 0, 5);
  LineEnds line;
  ASSERT_TRUE(TangentBetweenCircles(c1, {0, 5}, c2, {30, 5}, &line));  // both on top: outer, upper
  ExpectNear(line.a, {0, 5});
  ExpectNear(line.b, {30, 5});
  ASSERT_TRUE(TangentBetweenCircles(c1, {0, -5}, c2, {30, 5}, &line));  // the clicks cross: inner
  EXPECT_LT(line.a.y, 0);
  EXPECT_GT(line.b.y, 0);
}

}  // namespace
}  // namespace plenwick
