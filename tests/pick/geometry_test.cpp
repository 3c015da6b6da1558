// Guards the shared geometry against drifting from its exact rules: the 0.5 mm horizontal and
// vertical line cases and their direction, the parallel tests, the 0.5 mm tangency and on-element
// tolerances, the arc sweeps and the odd constants of the angle functions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "view/geometry.h"

namespace plenwick {
namespace {

constexpr double kEps = 1e-9;

void ExpectPoint(ModelPoint p, double x, double y, double eps = kEps) {
  EXPECT_NEAR(p.x, x, eps);
  EXPECT_NEAR(p.y, y, eps);
}

TEST(LineCoefficients, HorizontalVerticalAndGeneralCases) {
  struct Case {
    ModelPoint p1, p2;
    double a, b, c;
  } cases[] = {
      {{0, 0}, {10, 0.4}, 0, -1, 0},     // dy < 0.5: horizontal through the first point
      {{10, 3}, {0, 3.3}, 0, 1, -3},     // leftward: B = 1, C = −y1
      {{2, 0}, {2.4, 10}, 1, 0, -2},     // dx < 0.5, upward: A = 1, C = −x1
      {{2, 10}, {2.3, 0}, -1, 0, 2},     // downward: A = −1, C = x1
      {{1, 2}, {4, 6}, 4, -3, 2 * 4 - 6 * 1},  // A = y2 − y1, B = x1 − x2, C = y1·x2 − y2·x1
  };
  for (const Case& c : cases) {
    LineCoef l;
    ASSERT_EQ(LineCoefficients(c.p1, c.p2, &l), 0);
    EXPECT_DOUBLE_EQ(l.a, c.a);
    EXPECT_DOUBLE_EQ(l.b, c.b);
    EXPECT_DOUBLE_EQ(l.c, c.c);
    // (−B, A) points from the first point toward the second.
    EXPECT_GT(-l.b * (c.p2.x - c.p1.x) + l.a * (c.p2.y - c.p1.y), 0);
  }
  LineCoef l;
  EXPECT_EQ(LineCoefficients({1, 1}, {1, 1}, &l), -1);
}

TEST(PointDistance, IdenticalPointsReportMinusOne) {
  double d = 7;
  EXPECT_EQ(PointDistance({1, 1}, {1, 1}, &d), -1);
  EXPECT_EQ(d, 0);
  EXPECT_EQ(PointDistance({0, 0}, {3, 4}, &d), 0);
  EXPECT_DOUBLE_EQ(d, 5);
}

TEST(IntersectLines, ParallelAndCrossing) {
  LineCoef h1;
  LineCoef h2;
  LineCoef v;
  LineCoef d1;
  LineCoef d2;
  LineCoefficients({0, 0}, {10, 0}, &h1);
  LineCoefficients({0, 5}, {10, 5}, &h2);
  LineCoefficients({3, -5}, {3, 5}, &v);
  LineCoefficients({0, 0}, {1, 1}, &d1);
  LineCoefficients({0, 1}, {1, 2}, &d2);
  ModelPoint at;
  EXPECT_EQ(IntersectLines(h1, h2, &at), -1) << "determinant 0";
  EXPECT_EQ(IntersectLines(d1, d2, &at), -1);
  // Nearly parallel with a tiny determinant: parallel by direction.
  LineCoef n1{1, -1, 0};
  LineCoef n2{1, -1.00001, 1};
  EXPECT_EQ(IntersectLines(n1, n2, &at), -2);
  ASSERT_EQ(IntersectLines(h1, v, &at), 0);
  ExpectPoint(at, 3, 0);
  ASSERT_EQ(IntersectLines(d1, v, &at), 0);
  ExpectPoint(at, 3, 3);
}

TEST(IntersectLineCircle, TwoPointsInOrderTangencyAndMiss) {
  LineCoef l;
  LineCoefficients({-20, 0}, {20, 0}, &l);  // A = 0, B = −1, C = 0: (−B, A) = (1, 0)
  int n = 0;
  ModelPoint pts[2];
  ASSERT_EQ(IntersectLineCircle(l, {0, 0}, 5, &n, pts), 0);
  ASSERT_EQ(n, 2);
  ExpectPoint(pts[0], 5, 0);  // foot + h·(−B, A)/L first
  ExpectPoint(pts[1], -5, 0);
  ASSERT_EQ(IntersectLineCircle(l, {0, 5.3}, 5, &n, pts), 0);
  ASSERT_EQ(n, 1) << "within 0.5 of tangency: one point, the foot";
  ExpectPoint(pts[0], 0, 0);
  EXPECT_EQ(IntersectLineCircle(l, {0, 6}, 5, &n, pts), -1);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(IntersectLineCircle(LineCoef{0, 0, 1}, {0, 0}, 5, &n, pts), -2);
}

TEST(IntersectCircles, CasesOfTheRule) {
  int n = 0;
  ModelPoint pts[2];
  ASSERT_EQ(IntersectCircles({0, 0}, 5, {8, 0}, 5, &n, pts), 0);
  ASSERT_EQ(n, 2);
  ExpectPoint(pts[0], 4, -3);  // C1 + a·u + h·(uy, −ux)
  ExpectPoint(pts[1], 4, 3);
  ASSERT_EQ(IntersectCircles({0, 0}, 5, {10.02, 0}, 5, &n, pts), 0) << "within 0.5 of touching";
  EXPECT_EQ(n, 1);
  struct Miss {
    ModelPoint c2;
    double r2;
  } misses[] = {{{0, 0}, 3}, {{11, 0}, 5}, {{1, 0}, 1}};
  for (const Miss& m : misses) EXPECT_EQ(IntersectCircles({0, 0}, 5, m.c2, m.r2, &n, pts), 1);
}

TEST(PerpendicularFoot, FootAndDegenerateLine) {
  LineCoef l;
  LineCoefficients({0, 0}, {10, 10}, &l);
  ModelPoint f;
  ASSERT_EQ(PerpendicularFoot({0, 4}, l, &f), 0);
  ExpectPoint(f, 2, 2);
  EXPECT_EQ(PerpendicularFoot({0, 4}, LineCoef{0.001, 0.001, 0}, &f), -1);
}

TEST(IsOnSegment, ToleranceEndsAndExtension) {
  struct Case {
    ModelPoint p;
    int expected;
  } cases[] = {
      {{5, 0}, 0},        {{5, 0.5}, 0},      {{5, 0.51}, -1},   // 0.5 from the line
      {{10.0004, 0}, 0},  {{10.001, 0}, -1},  {{-0.001, 0}, -1},  // length + 0.0005 from either end
      {{15, 0}, -1},                                              // on the extension
  };
  for (const Case& c : cases) EXPECT_EQ(IsOnSegment(c.p, {0, 0}, {10, 0}), c.expected) << c.p.x << "," << c.p.y;
  EXPECT_EQ(IsOnSegment({0, 0}, {0, 0}, {0.00005, 0}), -1) << "degenerate segment";
}

TEST(IsOnLine, HalfMillimetre) {
  LineCoef l;
  LineCoefficients({0, 0}, {0, 10}, &l);
  EXPECT_EQ(IsOnLine({0.5, 100}, l), 1);
  EXPECT_EQ(IsOnLine({0.6, 3}, l), 0);
}

TEST(IsOnArc, DirectionEndsAndDegenerate) {
  const ModelPoint c{0, 0};
  ModelPoint s;
  ModelPoint e;
  ArcEndPoints(c, 10, 0, 90, &s, &e);  // (10, 0) to (0, 10)
  const ModelPoint mid{10 * std::cos(0.7853981633974483), 10 * std::sin(0.7853981633974483)};
  const ModelPoint below{0, -10};
  EXPECT_EQ(IsOnArc(1, mid, s, e, c, 10), 0);
  EXPECT_EQ(IsOnArc(1, below, s, e, c, 10), -1);
  EXPECT_EQ(IsOnArc(-1, below, s, e, c, 10), 0) << "clockwise from 0° to 90° passes 270°";
  EXPECT_EQ(IsOnArc(-1, mid, s, e, c, 10), -1);
  EXPECT_EQ(IsOnArc(1, {10.4, 0.4}, s, e, c, 10), 0) << "within 0.5 of an end";
  EXPECT_EQ(IsOnArc(1, {7.9, 7.9}, s, e, c, 10), -1) << "off the radius by more than 0.5";
  EXPECT_EQ(IsOnArc(1, mid, s, {10.2, 0.3}, c, 10), -1) << "degenerate arc";
}

TEST(SweepLength, DirectionAndRadii) {
  double len = 0;
  ASSERT_EQ(SweepLength(1, {10, 0}, {0, 10}, {0, 0}, &len), 0);
  EXPECT_NEAR(len, 10 * 3.14159265358979 / 2, 1e-9);
  ASSERT_EQ(SweepLength(-1, {10, 0}, {0, 10}, {0, 0}, &len), 0);
  EXPECT_NEAR(len, 10 * 3 * 3.14159265358979 / 2, 1e-9);
  ASSERT_EQ(SweepLength(1, {10, 0}, {10.3, 0.2}, {0, 0}, &len), 0);
  EXPECT_EQ(len, 0);
  EXPECT_EQ(SweepLength(1, {10, 0}, {0, 11}, {0, 0}, &len), 1);
}

// The sweep is taken from atan2 of the points about the centre; points on the axes through the
// centre (the quadrant points) are answered without calling it and must get the same lengths to
// the last bit, whatever the signs of their zero offsets.
TEST(SweepLength, AlongTheAxesAsAtan2Gives) {
  const double pi = 3.14159265358979323846;
  auto reference = [&](int direction, ModelPoint p, ModelPoint q, ModelPoint c) {
    double sweep = (std::atan2(q.y - c.y, q.x - c.x) - std::atan2(p.y - c.y, p.x - c.x)) * direction;
    if (sweep < 0) sweep += 2 * pi;
    const double dx = p.x - c.x;
    const double dy = p.y - c.y;
    return std::sqrt(dx * dx + dy * dy) * sweep;
  };
  const ModelPoint centres[] = {{0, 0}, {-0.0, -0.0}, {12.5, -7.25}, {1e9, 3}, {-4e10, 2.5e10}};
  const double radii[] = {10, 0.75, 1e-3, 123456.789};
  for (const ModelPoint c : centres) {
    for (const double r : radii) {
      const ModelPoint onAxes[] = {{c.x - r, c.y}, {c.x + r, c.y}, {c.x, c.y - r}, {c.x, c.y + r}};
      for (const ModelPoint p : onAxes) {
        for (const ModelPoint q : onAxes) {
          for (const int direction : {1, -1}) {
            double len = 0;
            if (SweepLength(direction, p, q, c, &len) != 0 || Distance(p, q) < 0.5) continue;
            const double expected = reference(direction, p, q, c);
            EXPECT_EQ(std::memcmp(&len, &expected, sizeof len), 0) << c.x << " " << r << " " << len << " " << expected;
          }
        }
      }
    }
  }
}

TEST(CircleFrom3Points, CentreRadiusOrientation) {
  CircleThrough3 ccw = CircleFrom3Points({10, 0}, {0, 10}, {-10, 0});
  ExpectPoint(ccw.centre, 0, 0);
  EXPECT_NEAR(ccw.radius, 10, kEps);
  EXPECT_EQ(ccw.orientation, 1);
  EXPECT_EQ(CircleFrom3Points({-10, 0}, {0, 10}, {10, 0}).orientation, -1);
  CircleThrough3 line = CircleFrom3Points({0, 0}, {1, 1}, {2, 2});
  EXPECT_EQ(line.orientation, 0);
  EXPECT_EQ(line.radius, 0);
}

TEST(TangentPoints, OnInsideOutside) {
  int n = 0;
  ModelPoint pts[2];
  ASSERT_EQ(TangentPoints({10.2, 0}, {0, 0}, 10, &n, pts), 0);
  ASSERT_EQ(n, 1);
  ExpectPoint(pts[0], 10.2, 0);
  EXPECT_EQ(TangentPoints({1, 0}, {0, 0}, 10, &n, pts), 1);
  ASSERT_EQ(TangentPoints({20, 0}, {0, 0}, 10, &n, pts), 0);
  ASSERT_EQ(n, 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_NEAR(Distance(pts[i], {0, 0}), 10, 1e-9);
    // The radius is perpendicular to the tangent.
    EXPECT_NEAR(pts[i].x * (pts[i].x - 20) + pts[i].y * pts[i].y, 0, 1e-9);
  }
}

TEST(MirrorPoint, AboutLinesAndDegenerate) {
  LineCoef diag;
  LineCoefficients({0, 0}, {10, 10}, &diag);
  ModelPoint m;
  ASSERT_EQ(MirrorPoint({3, 1}, diag, &m), 0);
  ExpectPoint(m, 1, 3);
  LineCoef h;
  LineCoefficients({0, 2}, {10, 2}, &h);
  ASSERT_EQ(MirrorPoint({5, 5}, h, &m), 0);
  ExpectPoint(m, 5, -1);
  EXPECT_EQ(MirrorPoint({1, 1}, LineCoef{0, 0, 3}, &m), 1);
}

TEST(PointAlongAndAngleBetween, Rules) {
  ExpectPoint(PointAlong({0, 0}, {3, 4}, 10), 6, 8);
  ExpectPoint(PointAlong({2, 2}, {2, 2}, 10), 2, 2);
  double a = 0;
  ASSERT_EQ(AngleBetween(1, {10, 0}, {0, -10}, {0, 0}, &a), 0);
  EXPECT_NEAR(a, 270, 1e-9);
  ASSERT_EQ(AngleBetween(-1, {10, 0}, {0, -10}, {0, 0}, &a), 0);
  EXPECT_NEAR(a, 90, 1e-9);
  EXPECT_EQ(AngleBetween(1, {1, 1}, {1, 1}, {0, 0}, &a), 1);
}

TEST(OctantOf, QuadrantsAndBoundaries) {
  struct Case {
    ModelPoint to;
    int expected;
  } cases[] = {{{0, 1}, 1}, {{0, -1}, 2}, {{1, 0}, 3}, {{-1, 0}, 4}, {{0.00005, 0.00005}, -1},
               // The diagonals fall by the rounded constants: π/4 is below 0.7853981633975 while
               // 3π/4 is below 2.3561944901925003.
               {{1, 1}, 3}, {{1, -1}, 3}, {{-1, 1}, 1}, {{-1, -1}, 2}};
  for (const Case& c : cases) EXPECT_EQ(OctantOf({0, 0}, c.to), c.expected) << c.to.x << "," << c.to.y;
}

TEST(NearestOfPoints, FirstOfEqualsAndNone) {
  const double xs[] = {5, -5, 1};
  const double ys[] = {0, 0, 100};
  ModelPoint p;
  EXPECT_EQ(NearestOfPoints(xs, ys, 3, {0, 0}, &p), 0);
  EXPECT_EQ(NearestOfPoints(xs, ys, 0, {0, 0}, &p), -1);
  const double far[] = {1e6};
  EXPECT_EQ(NearestOfPoints(far, far, 1, {0, 0}, &p), -1) << "nothing nearer than the starting 1e10 squared";
}

TEST(SnapAngle, ConstantsAndQuadrants) {
  EXPECT_EQ(SnapAngle(0, 1), 1.570796326794865);
  EXPECT_EQ(SnapAngle(0, -1), 4.712388980384594);
  EXPECT_EQ(SnapAngle(0, 0), 0);
  EXPECT_NEAR(SnapAngle(1, 1), 0.7853981633974483, 1e-12);
  EXPECT_NEAR(SnapAngle(-1, 1), 0.7853981633974483 * 3, 1e-12);
  EXPECT_NEAR(SnapAngle(-1, -1), 0.7853981633974483 * 5, 1e-12);
  EXPECT_NEAR(SnapAngle(1, -1), 0.7853981633974483 * 7, 1e-12);
}

}  // namespace
}  // namespace plenwick
