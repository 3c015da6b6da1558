// Guards the sub-modes built on picked lines: perpendiculars (also on polygon sides), parallels
// (free, at a distance and repeated, copies of infinite lines) and centre lines (bisector of
// crossing lines, midway between parallels), with the beep for a missed pick, the highlight put
// back, the dotted guide erased, and a right click starting over.
#include <gtest/gtest.h>

#include "line_fixture.h"
#include "model/entity_core.h"

namespace plenwick {
namespace {

using testing::ExpectNear;
using testing::LineRecord;

class ReferenceLines : public testing::LineToolTest {
 protected:
  DrawEntity* Line(double x1, double y1, double x2, double y2) {
    return testing::AddLine(t.doc->entities, x1, y1, x2, y2);
  }
};

TEST_F(ReferenceLines, APerpendicularThroughAFootOnThePickedLine) {
  Line(100, 100, 300, 200);
  Select(3);
  Click(50, 50);  // nothing there
  EXPECT_EQ(t.ui.beeps, 1);
  EXPECT_EQ(step(), 0);
  Click(200, 150);
  EXPECT_EQ(LastSolidColour(), HighlightColour());
  EXPECT_EQ(prompt(), "垂線の作図位置をクリックしてください。[マウス右：数値入力／中止]");
  Click(140, 120);  // the foot: on the line already
  EXPECT_EQ(prompt(), "垂線始点位置をクリックしてください。[マウス右：数値入力／中止]");
  Click(150, 110);  // projected onto the perpendicular through (140, 120)
  EXPECT_EQ(prompt(), "垂線終点位置をクリックしてください。[マウス右：数値入力／中止]");
  Click(100, 200);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(prompt(), "垂線を作図します。対象となる線を指示して下さい。");
  const LineRecord line = Lines().back();
  // The perpendicular through (140, 120) runs along (1, -2).
  ExpectNear(line.a, {146, 108});
  ExpectNear(line.b, {100, 200});
  EXPECT_NE(LastSolidColour(), HighlightColour());
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(ReferenceLines, APerpendicularOnAPolygonSide) {
  const double values[] = {300, 200, 300, 100, 100, 100};
  DrawEntity* polygon = nullptr;
  ASSERT_EQ(AddEntity({kPolygon, 0, 0, 0, 6}, nullptr, t.doc->entities, nullptr, 0, values, nullptr, &polygon), 0);
  Select(3);
  Click(300, 150);  // the vertical side
  EXPECT_EQ(step(), 1);
  Click(300, 130);
  Click(250, 130);
  Click(220, 130);
  ASSERT_EQ(Lines().size(), 1u);
  ExpectNear(Lines().back().a, {250, 130});
  ExpectNear(Lines().back().b, {220, 130});
}

TEST_F(ReferenceLines, ParallelThroughTheClick) {
  Line(100, 100, 300, 100);
  Select(4);
  EXPECT_EQ(prompt(), "平行基準線を指示して下さい。");
  Click(200, 100);
  EXPECT_EQ(prompt(), "作図位置をクリックしてください。");
  Move(150, 160);
  EXPECT_GT(XorCount(), 0u);
  Click(150, 140);
  ASSERT_EQ(Lines().size(), 2u);
  ExpectNear(Lines().back().a, {100, 140});
  ExpectNear(Lines().back().b, {300, 140});
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(ReferenceLines, RepeatedParallelsAtTheDistance) {
  s().ParallelDistanceOn = 1;
  s().ParallelDistance = 10;
  s().ParallelCount = 3;
  Line(100, 100, 300, 100);
  Select(4);
  Click(200, 100);
  EXPECT_EQ(prompt(), "作図方向を指示して下さい。");
  Click(250, 40);  // the side only
  ASSERT_EQ(Lines().size(), 4u);
  for (int i = 1; i <= 3; ++i) {
    ExpectNear(Lines()[static_cast<std::size_t>(i)].a, {100, 100 - 10.0 * i});
    ExpectNear(Lines()[static_cast<std::size_t>(i)].b, {300, 100 - 10.0 * i});
  }
  Command(kCmdUndo);  // each copy is a step of its own
  EXPECT_EQ(Lines().size(), 3u);
}

TEST_F(ReferenceLines, ParallelsOfInfiniteLinesTakeTheirKindAndStoredEnds) {
  const struct {
    int16_t kind;
    double x1, y1, x2, y2;
    ModelPoint pick, click, a, b;
  } cases[] = {
      {kHorizontalInfiniteLine, -999999.9, 100, 9999999.9, 100, {200, 100}, {200, 130}, {0, 130}, {100000, 130}},
      {kVerticalInfiniteLine, 250, -999999.9, 250, 9999999.9, {250, 300}, {210, 300}, {210, 0}, {210, 100000}},
  };
  for (const auto& c : cases) {
    const int16_t codes[] = {10, 20, 11, 22};
    const double values[] = {c.x1, c.y1, c.x2, c.y2};
    ASSERT_EQ(AddEntity({c.kind, 0, 0, 0, 4}, nullptr, t.doc->entities, codes, 0, values, nullptr), 0);
    Select(4);
    Click(c.pick.x, c.pick.y);
    EXPECT_EQ(t.state().lineReferenceFlag, 1);  // no typed distance from an infinite line
    Command(kCmdSpace);
    EXPECT_TRUE(t.ui.numericKinds.empty());
    Click(c.click.x, c.click.y);
    EXPECT_EQ(t.state().lineReferenceFlag, 0);
    EXPECT_EQ(Lines().back().kind, c.kind);
    ExpectNear(Lines().back().a, c.a);
    ExpectNear(Lines().back().b, c.b);
  }
}

TEST_F(ReferenceLines, ARightClickPutsTheReferenceBack) {
  Line(100, 100, 300, 100);
  const struct {
    int mode;
    int clicksBefore;
    const char* prompt;
  } cases[] = {{4, 1, "平行基準線を指示して下さい。"}, {5, 1, "中心線を作図します。対象とする線分を選んでください。"}};
  Line(200, 50, 200, 250);
  for (const auto& c : cases) {
    Select(c.mode);
    Click(150, 100);
    Move(160, 130);
    RightClick(160, 130);
    EXPECT_EQ(step(), 0);
    EXPECT_EQ(prompt(), c.prompt);
    EXPECT_TRUE(t.ui.contextMenus.empty());  // nothing left to offer a menu for
    EXPECT_NE(LastSolidColour(), HighlightColour());
    EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
    EXPECT_EQ(Lines().size(), 2u);
  }
}

TEST_F(ReferenceLines, TheCentreLineOfCrossingLinesHalvesTheirAngle) {
  Line(0, 100, 400, 100);
  Line(200, 0, 200, 400);
  Select(5);
  Click(300, 100);
  EXPECT_EQ(prompt(), "対象とする次の線分を選んでください。");
  Click(300, 100);  // the same line again
  EXPECT_EQ(t.ui.beeps, 1);
  EXPECT_EQ(step(), 1);
  Click(200, 180);
  EXPECT_EQ(prompt(), "中心線の始点位置を指定してください。");
  // The dotted guide is up.
  bool dotted = false;
  for (const RecordedPrimitive& p : t.host.canvas.primitives()) dotted |= p.pen.style == PenStyle::kDot;
  EXPECT_TRUE(dotted);
  Click(260, 150);  // foot on the bisector y − 100 = x − 200: (255, 155)
  EXPECT_EQ(prompt(), "中心線の終点位置を指定してください。");
  Click(330, 310);
  ASSERT_EQ(Lines().size(), 3u);
  ExpectNear(Lines().back().a, {255, 155});
  ExpectNear(Lines().back().b, {370, 270});
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(prompt(), "中心線を作図します。対象とする線分を選んでください。");
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(ReferenceLines, TheCentreLineOfParallelsRunsMidway) {
  Line(0, 100, 400, 100);
  Line(0, 160, 400, 160);
  Select(5);
  Click(100, 100);
  Click(300, 160);
  Click(50, 0);
  Click(350, 500);
  ExpectNear(Lines().back().a, {50, 130});
  ExpectNear(Lines().back().b, {350, 130});
}

TEST_F(ReferenceLines, TheCentreLineTakesATypedLengthTowardTheMouse) {
  Line(0, 100, 400, 100);
  Line(0, 160, 400, 160);
  Select(5);
  Click(100, 100);
  Click(300, 160);
  Click(200, 0);
  Move(100, 300);
  t.ui.numericAnswers = {"30"};
  Command(kCmdSpace);
  ExpectNear(Lines().back().a, {200, 130});
  ExpectNear(Lines().back().b, {170, 130});
}

}  // namespace
}  // namespace plenwick
