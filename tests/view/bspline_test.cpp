// Guards the one B-spline sampling all curve output shares: it starts and ends on the end
// points, passes through the B-spline positions at the span joints, and copes with short input.
#include <gtest/gtest.h>

#include "view/bspline.h"

namespace plenwick {
namespace {

TEST(BSpline, PassesThroughEndsAndSpanJoints) {
  const std::vector<ModelPoint> p = {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {50, 150}};
  const int perSpan = 8;
  const std::vector<ModelPoint> s = SampleBSpline(p, perSpan);
  // Extended sequence: P0 P0 P0 P1 P2 P3 P4 P4 P4 has six spans.
  std::vector<ModelPoint> q = {p[0], p[0]};
  q.insert(q.end(), p.begin(), p.end());
  q.push_back(p.back());
  q.push_back(p.back());
  ASSERT_EQ(s.size(), 6u * perSpan + 1);
  EXPECT_EQ(s.front(), p.front());
  EXPECT_EQ(s.back(), p.back());
  for (std::size_t k = 0; k <= 6; ++k) {
    const ModelPoint joint{(q[k].x + 4 * q[k + 1].x + q[k + 2].x) / 6, (q[k].y + 4 * q[k + 1].y + q[k + 2].y) / 6};
    EXPECT_NEAR(s[k * perSpan].x, joint.x, 1e-9) << k;
    EXPECT_NEAR(s[k * perSpan].y, joint.y, 1e-9) << k;
  }
}

TEST(BSpline, ShortInputs) {
  EXPECT_TRUE(SampleBSpline({}).empty());
  const std::vector<ModelPoint> one = {{3, 4}};
  EXPECT_EQ(SampleBSpline(one), one);
  // Two points give the straight segment between them.
  const std::vector<ModelPoint> two = {{0, 0}, {30, 60}};
  for (const ModelPoint& q : SampleBSpline(two, 4)) EXPECT_NEAR(q.y, 2 * q.x, 1e-9);
  // One sample per span keeps just the joints.
  EXPECT_EQ(SampleBSpline(two, 1).size(), 4u);
  EXPECT_EQ(SampleBSpline(two, -5).size(), 4u);
}

TEST(BSpline, PointsFromValuesTakesPairs) {
  const double v[] = {1, 2, 3, 4, 5};
  EXPECT_EQ(PointsFromValues(v, 5), (std::vector<ModelPoint>{{1, 2}, {3, 4}}));
  EXPECT_TRUE(PointsFromValues(nullptr, 4).empty());
}

}  // namespace
}  // namespace plenwick
