// Guards the tangent (from a circle to a point or to a second circle, the pair and line the clicks
// choose, nothing at all when no tangent exists) and the angle-moved line (pivot at the nearer
// end, the set angle and optional length, the notes when the pick is not a line).
#include <gtest/gtest.h>

#include <cmath>

#include "line_fixture.h"

namespace plenwick {
namespace {

using testing::ExpectNear;
using testing::LineRecord;

class TangentAndAngle : public testing::LineToolTest {
 protected:
  // Each end of the line touches its circle: at the radius, and square to it.
  static void ExpectTouches(ModelPoint touch, ModelPoint other, ModelPoint centre, double radius) {
    EXPECT_NEAR(Distance(touch, centre), radius, 1e-6);
    EXPECT_NEAR((other.x - touch.x) * (touch.x - centre.x) + (other.y - touch.y) * (touch.y - centre.y), 0, 1e-6);
  }
};

TEST_F(TangentAndAngle, FromACircleToAPoint) {
  testing::AddCircle(t.doc->entities, 200, 200, 50);
  Select(7);
  EXPECT_EQ(prompt(), "接線を作図します。円をクリックして下さい。");
  Click(50, 50);
  EXPECT_EQ(prompt(), "１番目は、円を選択してください。");
  EXPECT_EQ(t.tools->promptBox().kind(), 1);
  EXPECT_EQ(step(), 0);
  Click(235, 235);
  EXPECT_EQ(prompt(), "接線の終端、円、他の図形、任意場所をクリックしてください。");
  Move(380, 210);
  Click(400, 200);
  ASSERT_EQ(Lines().size(), 1u);
  const LineRecord line = Lines()[0];
  ExpectNear(line.a, {212.5, 200 + 50 * std::sqrt(1 - 0.25 * 0.25)});  // the upper one, nearer the first click
  ExpectNear(line.b, {400, 200});
  ExpectTouches(line.a, line.b, {200, 200}, 50);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(prompt(), "接線を作図します。円をクリックして下さい。");
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(TangentAndAngle, BetweenTwoCirclesTheClicksChooseOuterOrInner) {
  testing::AddCircle(t.doc->entities, 200, 200, 50);
  testing::AddCircle(t.doc->entities, 400, 200, 30);
  const struct {
    ModelPoint click1, click2;
    bool inner;
    bool upperOnFirst;
  } cases[] = {
      {{200, 250}, {400, 230}, false, true},
      {{200, 150}, {400, 170}, false, false},
      {{200, 250}, {400, 170}, true, true},
      {{200, 150}, {400, 230}, true, false},
  };
  Select(7);
  for (const auto& c : cases) {
    Click(c.click1.x, c.click1.y);
    Click(c.click2.x, c.click2.y);
    const LineRecord line = Lines().back();
    ExpectTouches(line.a, line.b, {200, 200}, 50);
    ExpectTouches(line.b, line.a, {400, 200}, 30);
    EXPECT_EQ(line.a.y > 200, c.upperOnFirst);
    EXPECT_EQ((line.a.y - 200) * (line.b.y - 200) < 0, c.inner);
  }
  EXPECT_EQ(Lines().size(), 4u);
}

TEST_F(TangentAndAngle, NoTangentMakesNothingAndStartsOver) {
  testing::AddCircle(t.doc->entities, 200, 200, 50);
  testing::AddCircle(t.doc->entities, 210, 200, 20);  // inside the first
  Select(7);
  const ModelPoint seconds[] = {{180, 180}, {230, 200}};  // a point inside; the inner circle
  for (const ModelPoint& second : seconds) {
    Click(250, 200);
    Click(second.x, second.y);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(step(), 0);
    EXPECT_EQ(prompt(), "接線を作図します。円をクリックして下さい。");
  }
  EXPECT_EQ(t.ui.beeps, 0);
  EXPECT_TRUE(t.ui.messages.empty());
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(TangentAndAngle, ARightClickDropsTheCircle) {
  testing::AddCircle(t.doc->entities, 200, 200, 50);
  Select(7);
  Click(250, 200);
  Move(400, 300);
  RightClick(400, 300);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(TangentAndAngle, AngleMovedLinesTurnAboutTheNearerEnd) {
  testing::AddLine(t.doc->entities, 100, 100, 300, 100);
  Select(8);
  EXPECT_EQ(prompt(), "基準となる点または線を指示して下さい。");
  const struct {
    float angle;
    int16_t lengthOn;
    ModelPoint click, a, b;
  } cases[] = {
      {90, 0, {150, 100}, {100, 100}, {100, 300}},
      {90, 0, {280, 100}, {300, 100}, {300, -100}},
      {90, 1, {280, 100}, {300, 100}, {300, 50}},
      {-45, 0, {120, 100}, {100, 100}, {100 + 200 / std::sqrt(2.0), 100 - 200 / std::sqrt(2.0)}},
  };
  for (const auto& c : cases) {
    s().AngleMoveAngle = c.angle;
    s().AngleMoveLengthOn = c.lengthOn;
    s().LineLength = 50;
    Click(c.click.x, c.click.y);
    ExpectNear(Lines().back().a, c.a);
    ExpectNear(Lines().back().b, c.b);
    EXPECT_EQ(prompt(), "角度移動する直線の始点側をクリックしてください。");
  }
  ExpectNear(Lines()[0].b, {300, 100});  // the picked line stays
  EXPECT_EQ(step(), 0);
}

TEST_F(TangentAndAngle, AngleMoveNeedsALine) {
  testing::AddCircle(t.doc->entities, 200, 200, 50);
  testing::AddLine(t.doc->entities, 100, 100, 300, 100);
  Select(8);
  Click(250, 200);  // a circle
  EXPECT_EQ(prompt(), "【注意】＊＊＊直線を選んでください＊＊＊");
  EXPECT_EQ(t.ui.beeps, 1);
  EXPECT_EQ(Lines().size(), 1u);
  // Right in the middle neither end is nearer: the stored order decides, after the note.
  Click(200, 100);
  EXPECT_EQ(t.ui.beeps, 2);
  EXPECT_EQ(t.ui.messages, (std::vector<std::string>{"ERROR_GMTD07 プログラムエラー"}));
  ExpectNear(Lines().back().a, {100, 100});
}

}  // namespace
}  // namespace plenwick
