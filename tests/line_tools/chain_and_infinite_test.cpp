// Guards the polyline (segments joined end to start until Cancel or a double click, horizontal and
// vertical chains) and the infinite lines with their asymmetric stored ends and the frame rule
// of angled ones.
#include <gtest/gtest.h>

#include "line_fixture.h"

namespace plenwick {
namespace {

using testing::ExpectNear;

class ChainAndInfinite : public testing::LineToolTest {};

TEST_F(ChainAndInfinite, APolylineJoinsItsSegmentsUntilCancelled) {
  Select(1);
  EXPECT_EQ(prompt(), "連続線を作図します。始端を指示して下さい。");
  Click(100, 100);
  Click(200, 100);
  Click(200, 200);
  Click(200, 200);  // the same pixel again: nothing
  Click(100, 250);
  EXPECT_EQ(prompt(), "終端を指示して下さい。[マウス右：数値入力／中止]");
  ASSERT_EQ(Lines().size(), 3u);
  ExpectNear(Lines()[1].a, {200, 100});
  ExpectNear(Lines()[2].a, {200, 200});
  ExpectNear(Lines()[2].b, {100, 250});
  Move(50, 50);
  Command(kCmdEscape);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(prompt(), "連続線を作図します。始端を指示して下さい。");
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
  Click(10, 10);  // a new chain
  Click(20, 10);
  ExpectNear(Lines().back().a, {10, 10});
}

TEST_F(ChainAndInfinite, ADoubleClickEndsTheChainAtItsPoint) {
  Select(1);
  Click(100, 100);
  Click(150, 100);
  DoubleClick(150, 150);
  EXPECT_EQ(step(), 0);
  ASSERT_EQ(Lines().size(), 2u);
  ExpectNear(Lines().back().b, {150, 150});
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(ChainAndInfinite, HorizontalAndVerticalChains) {
  s().PolylineHVMode = 1;
  Select(1);
  Click(100, 100);
  EXPECT_EQ(prompt(), "終端を指示して下さい。[マウス右：中止]");
  Click(180, 110);
  Click(175, 190);
  Click(120, 200);
  ASSERT_EQ(Lines().size(), 3u);
  ExpectNear(Lines()[0].b, {180, 100});
  ExpectNear(Lines()[1].b, {180, 190});
  ExpectNear(Lines()[2].b, {120, 190});
}

TEST_F(ChainAndInfinite, InfiniteLinesStoreTheirAsymmetricEnds) {
  Select(2);
  EXPECT_EQ(prompt(), "無限線を作図します。");
  s().InfiniteLineMode = 0;
  Click(100, 120);
  s().InfiniteLineMode = 1;
  Click(130, 50);
  ASSERT_EQ(Lines().size(), 2u);
  EXPECT_EQ(Lines()[0].kind, kHorizontalInfiniteLine);
  ExpectNear(Lines()[0].a, {-999999.9, 120});
  ExpectNear(Lines()[0].b, {9999999.9, 120});
  EXPECT_EQ(Lines()[1].kind, kVerticalInfiniteLine);
  ExpectNear(Lines()[1].a, {130, -999999.9});
  ExpectNear(Lines()[1].b, {130, 9999999.9});
  EXPECT_EQ(step(), 0);
}

TEST_F(ChainAndInfinite, AngledInfiniteLinesMeetTheFrame) {
  s().InfiniteLineMode = 2;
  Select(2);
  const struct {
    double angle;
    ModelPoint a, b;
  } cases[] = {
      // Flat entered angles meet x = −999999.9 and x = 9999999.9.
      {45, {-999999.9, -999999.9}, {9999999.9, 9999999.9}},
      // Steep ones meet y = −999999.9 and y = 9999999.9.
      {60, {-999999.9 / std::tan(kPi / 3), -999999.9}, {9999999.9 / std::tan(kPi / 3), 9999999.9}},
      // −45 acts as 45 but, not lying in the flat ranges as typed, meets the horizontal lines.
      {-45, {-999999.9, -999999.9}, {9999999.9, 9999999.9}},
  };
  for (const auto& c : cases) {
    s().InfiniteLineAngle = static_cast<float>(c.angle);
    Click(0, 0);
    EXPECT_EQ(Lines().back().kind, kAngledInfiniteLine);
    ExpectNear(Lines().back().a, c.a, 1e-3);
    ExpectNear(Lines().back().b, c.b, 1e-3);
  }
}

TEST_F(ChainAndInfinite, AnInfiniteLineThatMissesTheFrameKeepsThePointAndAStepAlongIt) {
  // −180 acts as 180: a horizontal line tested against the horizontal frame lines.
  s().InfiniteLineMode = 2;
  s().InfiniteLineAngle = -180;
  Select(2);
  Click(100, 100);
  ExpectNear(Lines().back().a, {100, 100});
  ExpectNear(Lines().back().b, {100 - 1000, 100}, 1e-6);  // 1000 pixels at one pixel per mm
}

}  // namespace
}  // namespace plenwick
