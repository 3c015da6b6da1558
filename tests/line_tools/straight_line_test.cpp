// Guards the road of one line and the straight line's rules: the record a second click makes
// (kind, codes, attributes, one undo step each), a second click on the same pixel making nothing,
// the length and angle options with their quadrant rule, horizontal and vertical lines, and the
// feedback leaving nothing behind.
#include <gtest/gtest.h>

#include "line_fixture.h"
#include "model/plenwick_doc.h"

namespace plenwick {
namespace {

using testing::ExpectNear;
using testing::LineRecord;

class StraightLine : public testing::LineToolTest {};

TEST_F(StraightLine, TwoClicksAddOneLineWithTheCurrentAttributes) {
  s().CurrentLineType = 2;
  s().CurrentPen = 3;
  s().CurrentColour = 0x00123456;
  s().CurrentLayer = 5;
  Select(0);
  EXPECT_EQ(prompt(), "直線を作図します。始端を指示して下さい。");
  Click(100, 100);
  EXPECT_EQ(step(), 1);
  EXPECT_EQ(prompt(), "終端を指示して下さい。[マウス右：数値入力／中止]");
  EXPECT_FALSE(XorLeftOnScreen().empty());  // the cross mark at the start
  Move(200, 150);
  EXPECT_EQ(t.state().RubberDrawn, 1);
  Click(250, 180);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(prompt(), "直線を作図します。始端を指示して下さい。");

  const DrawEntity* e = LastElement();
  ASSERT_EQ(e->kind, kLine);
  EXPECT_EQ(e->subKind, 0);
  EXPECT_EQ(e->lineAttr, 203);
  EXPECT_EQ(e->layer, 5);
  EXPECT_EQ(e->colour, 0x00123456);
  ASSERT_EQ(e->valueCount, 4);
  EXPECT_EQ((std::vector<int>{e->codes[0], e->codes[1], e->codes[2], e->codes[3]}), (std::vector<int>{10, 20, 11, 22}));
  ExpectNear({e->values[0], e->values[1]}, {100, 100});
  ExpectNear({e->values[2], e->values[3]}, {250, 180});
  EXPECT_TRUE(t.doc->IsModified());
  // Its ends and midpoint can be snapped to at once.
  EXPECT_EQ(t.doc->snapPoints.PointsOf(e).size(), 3u);
  EXPECT_EQ(t.state().RubberDrawn, 0);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(StraightLine, EveryLineIsAnUndoStepOfItsOwn) {
  Select(0);
  Click(10, 10);
  Click(110, 10);
  Click(10, 50);
  Click(110, 50);
  ASSERT_EQ(Lines().size(), 2u);
  Command(kCmdUndo);
  ASSERT_EQ(Lines().size(), 1u);
  ExpectNear(Lines()[0].a, {10, 10});
  Command(kCmdUndo);  // redo
  EXPECT_EQ(Lines().size(), 2u);
}

TEST_F(StraightLine, ASecondClickOnTheSamePixelMakesNothing) {
  Select(0);
  Click(100, 100);
  Click(100, 100);
  EXPECT_TRUE(Lines().empty());
  EXPECT_EQ(step(), 1);  // still waiting for the end
  Click(140, 100);
  EXPECT_EQ(Lines().size(), 1u);
}

TEST_F(StraightLine, LengthAndAngleFollowTheQuadrantOfTheClick) {
  s().LineLengthOn = 1;
  s().LineLength = 50;
  s().LineAngleOn = 1;
  s().LineAngle = 30;
  const struct {
    double dx, dy, degrees;
  } cases[] = {{40, 20, 30}, {-40, 20, 150}, {-40, -20, 210}, {40, -20, -30}};
  Select(0);
  for (const auto& c : cases) {
    Click(300, 300);
    Click(300 + c.dx, 300 + c.dy);
    const LineRecord line = Lines().back();
    ExpectNear(line.a, {300, 300});
    ExpectNear(line.b, {300 + 50 * std::cos(c.degrees * kPi / 180), 300 + 50 * std::sin(c.degrees * kPi / 180)});
  }
}

TEST_F(StraightLine, LengthOrAngleAlone) {
  Select(0);
  s().LineLengthOn = 1;
  s().LineLength = 50;
  Click(100, 100);
  Click(130, 140);  // 50 toward the click: (30, 40) is exactly 50 long already
  ExpectNear(Lines().back().b, {130, 140});
  Click(100, 100);
  Click(400, 100);
  ExpectNear(Lines().back().b, {150, 100});

  s().LineLengthOn = 0;
  s().LineAngleOn = 1;
  const struct {
    double angle;
    ModelPoint click, end;
  } cases[] = {
      {45, {200, 150}, {150, 150}},   // steep: meets the horizontal line through the click
      {30, {200, 150}, {200, 100 + 100 * std::tan(30 * kPi / 180)}},  // flat: the vertical line
      {-30, {200, 150}, {200, 100 + 100 * std::tan(30 * kPi / 180)}},  // a negative angle acts as 360 − a
      {90, {180, 220}, {100, 220}},
  };
  for (const auto& c : cases) {
    s().LineAngle = static_cast<float>(c.angle);
    Click(100, 100);
    Click(c.click.x, c.click.y);
    ExpectNear(Lines().back().b, c.end, 1e-4);
  }
}

TEST_F(StraightLine, HorizontalAndVerticalByThePixelRule) {
  s().LineHVMode = 1;
  s().LineAngleOn = 1;  // has no say over horizontal and vertical lines
  s().LineAngle = 30;
  Select(0);
  const struct {
    ModelPoint click, end;
  } cases[] = {
      {{180, 130}, {180, 100}},  // |dx| > |dy|: horizontal
      {{130, 180}, {100, 180}},  // vertical
      {{140, 60}, {140, 100}},   // |dx| = |dy|: horizontal
      {{80, 20}, {100, 20}},
  };
  for (const auto& c : cases) {
    Click(100, 100);
    Click(c.click.x, c.click.y);
    ExpectNear(Lines().back().b, c.end);
  }
  s().LineLengthOn = 1;
  s().LineLength = 25;
  Click(100, 100);
  Click(20, 110);
  ExpectNear(Lines().back().b, {75, 100});
}

TEST_F(StraightLine, CancelRightClickAndSwitchingToolsLeaveNothingOnTheScreen) {
  s().DistanceDisplay = 1;
  const struct {
    const char* how;
    int cancelCommand;  // 0: right click with "キャンセル"; else a command
  } cases[] = {{"cancel", kCmdCancel}, {"escape", kCmdEscape}, {"right click", 0}, {"another tool", 32842},
               {"another mode", 32813}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    Select(0);
    Click(100, 100);
    Move(150, 160);
    Move(170, 120);
    EXPECT_GT(t.host.canvas.Count(CanvasOp::kText), 0u);  // the distance label
    if (c.cancelCommand == 0) {
      t.ui.contextAnswer = kCmdCancel;
      RightClick(170, 120);
      EXPECT_EQ(t.ui.contextMenus.back().first, kMenuNumericInput);
    } else {
      Command(c.cancelCommand);
    }
    EXPECT_EQ(step(), 0);
    EXPECT_TRUE(Lines().empty());
    EXPECT_GT(XorCount(), 0u);
    EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
  }
}

TEST_F(StraightLine, ADoubleClickAbandonsTheStart) {
  Select(0);
  DoubleClick(100, 100);
  EXPECT_EQ(step(), 0);
  EXPECT_TRUE(Lines().empty());
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(StraightLine, AProtectedDrawingRefusesWithItsMessage) {
  t.doc->protection = kWriteProtected;
  Select(0);
  Click(100, 100);
  Click(200, 100);
  EXPECT_TRUE(Lines().empty());
  EXPECT_EQ(t.docUi.messages, (std::vector<std::string>{std::string(kWriteProtectedMessage)}));
  EXPECT_EQ(step(), 0);
}

TEST_F(StraightLine, TheNextClickSnapsToTheNewLine) {
  s().Magnet = 1;
  Select(0);
  Click(100, 100);
  Click(200, 160);
  // Six pixels from the end: the magnet shows its marker there and the click lands on the end.
  Move(204, 164);
  EXPECT_TRUE(t.tools->FindTool()->snapHit);
  Click(204, 164);
  Click(300, 300);
  ExpectNear(Lines().back().a, {200, 160});
  Command(kCmdCancel);
  Move(500, 500);  // the marker goes with the cursor
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

}  // namespace
}  // namespace plenwick
