// Guards typed values in the line tools: the context menu and Space opening the right dialog,
// polar and XY ends from the last point, horizontal and vertical distances toward the mouse's
// side, the perpendicular's three labelled steps, and a cancelled dialog abandoning the
// operation without leaving feedback behind.
#include <gtest/gtest.h>

#include "line_fixture.h"

namespace plenwick {
namespace {

using testing::ExpectNear;

class NumericEntry : public testing::LineToolTest {
 protected:
  // The context menu's "数値入力..." at the cursor.
  void TypeThroughMenu(double x, double y) {
    t.ui.contextAnswer = kCmdNumericInput;
    RightClick(x, y);
  }
};

TEST_F(NumericEntry, PolarAndXYEndsFromTheStart) {
  t.ui.lineAnswer = ToolUi::DialogResult::kOk;
  Select(0);
  Click(100, 100);
  Move(150, 150);
  t.ui.lineTexts = {{"10+5*2", "90"}};
  TypeThroughMenu(150, 150);
  EXPECT_EQ(t.ui.contextMenus.back().first, kMenuNumericInput);
  ASSERT_EQ(Lines().size(), 1u);
  ExpectNear(Lines().back().b, {100, 130});
  EXPECT_EQ(step(), 0);

  Click(100, 100);
  t.ui.lineMode = 1;
  t.ui.lineTexts = {{"30", "-40"}};
  Command(kCmdSpace);
  ExpectNear(Lines().back().b, {130, 60});
  EXPECT_EQ(t.ui.lineStartModes, (std::vector<int>{0, 0}));

  // The next dialog starts in the mode of the last use.
  t.ui.lineMode.reset();
  Click(100, 100);
  t.ui.lineTexts = {{"", "1"}, {"20", "-90"}};  // the first answer is refused, the dialog stays
  Command(kCmdSpace);
  EXPECT_EQ(t.ui.lineStartModes.back(), 1);
  ExpectNear(Lines().back().b, {120, 10});
  EXPECT_EQ(t.ui.lineFocus, (std::vector<int>{0}));
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(NumericEntry, NegativeTypedAnglesActAsTheirMirror) {
  t.ui.lineAnswer = ToolUi::DialogResult::kOk;
  Select(0);
  Click(100, 100);
  t.ui.lineTexts = {{"20", "-30"}};
  Command(kCmdSpace);
  ExpectNear(Lines().back().b, {100 + 20 * std::cos(kPi / 6), 100 + 20 * std::sin(kPi / 6)});
}

TEST_F(NumericEntry, PresetsComeFromTheLengthAndAngleOptions) {
  s().LineLengthOn = 1;
  s().LineLength = 50;
  t.ui.lineAnswer = ToolUi::DialogResult::kOk;
  Select(0);
  Click(100, 100);
  t.ui.lineTexts = {{"50", "0"}};
  Command(kCmdSpace);
  EXPECT_EQ(t.ui.lineInitialTexts.back(), (std::pair<std::string, std::string>{"50.00", "0.00"}));
}

TEST_F(NumericEntry, AShellWithoutTheLineDialogAsksForTheLength) {
  s().LineAngleOn = 1;
  s().LineAngle = 90;
  Select(0);
  Click(100, 100);
  t.ui.numericAnswers = {"25"};
  Command(kCmdSpace);
  EXPECT_EQ(t.ui.numericKinds, (std::vector<int>{0}));
  ExpectNear(Lines().back().b, {100, 125}, 1e-9);
}

TEST_F(NumericEntry, CancellingTheDialogAbandonsTheOperation) {
  t.ui.lineAnswer = ToolUi::DialogResult::kCancel;
  Select(0);
  Click(100, 100);
  Move(180, 140);
  Command(kCmdSpace);
  EXPECT_EQ(step(), 0);
  EXPECT_TRUE(Lines().empty());
  EXPECT_EQ(prompt(), "直線を作図します。始端を指示して下さい。");
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(NumericEntry, SpaceNeedsAPointEntered) {
  Select(0);
  Command(kCmdSpace);
  EXPECT_EQ(t.ui.lineInputs + static_cast<int>(t.ui.numericKinds.size()), 0);
  // A value that reaches the first step anyway (the menu command) places nothing.
  t.ui.lineAnswer = ToolUi::DialogResult::kOk;
  t.ui.lineTexts = {{"10", "0"}};
  Command(kCmdNumericInput);
  EXPECT_TRUE(Lines().empty());
  EXPECT_EQ(step(), 0);
}

TEST_F(NumericEntry, HorizontalAndVerticalDistancesGoTowardTheMouse) {
  s().LineHVMode = 1;
  Select(0);
  const struct {
    ModelPoint mouse, end;
  } cases[] = {{{160, 110}, {140, 100}}, {{40, 90}, {60, 100}}, {{110, 170}, {100, 140}}, {{95, 20}, {100, 60}}};
  for (const auto& c : cases) {
    Click(100, 100);
    Move(c.mouse.x, c.mouse.y);
    t.ui.numericAnswers = {"40"};
    Command(kCmdSpace);
    ExpectNear(Lines().back().b, c.end);
  }
  EXPECT_EQ(t.ui.lineInputs, 0);  // one value: the single-value dialog
}

TEST_F(NumericEntry, PolylineChainsTypedPoints) {
  t.ui.lineAnswer = ToolUi::DialogResult::kOk;
  Select(1);
  Click(100, 100);
  t.ui.lineTexts = {{"50", "0"}, {"50", "90"}};
  Command(kCmdSpace);
  Command(kCmdSpace);
  ASSERT_EQ(Lines().size(), 2u);
  ExpectNear(Lines()[0].b, {150, 100});
  ExpectNear(Lines()[1].a, {150, 100});
  ExpectNear(Lines()[1].b, {150, 150});
  EXPECT_EQ(step(), 3);
}

TEST_F(NumericEntry, PerpendicularStepsAskForTheirOwnDistances) {
  testing::AddLine(t.doc->entities, 100, 100, 300, 100);
  Select(3);
  Click(200, 100);
  t.ui.numericAnswers = {"50"};
  Command(kCmdSpace);  // the foot, 50 from the first end
  t.ui.numericAnswers = {"30"};
  Command(kCmdSpace);  // the start, 30 from the line (clockwise from the way to the second end)
  t.ui.numericAnswers = {"10"};
  Command(kCmdSpace);  // the end, 10 from the start toward the line
  EXPECT_EQ(t.ui.numericKinds, (std::vector<int>{6, 7, 8}));
  ASSERT_EQ(Lines().size(), 2u);
  ExpectNear(Lines().back().a, {150, 70});
  ExpectNear(Lines().back().b, {150, 80});
}

TEST_F(NumericEntry, ParallelAtATypedDistanceOnTheMouseSide) {
  testing::AddLine(t.doc->entities, 100, 100, 300, 100);
  Select(4);
  Click(200, 100);
  Move(250, 80);
  t.ui.numericAnswers = {"15"};
  Command(kCmdNumericInput);
  ASSERT_EQ(Lines().size(), 2u);
  ExpectNear(Lines().back().a, {100, 85});
  ExpectNear(Lines().back().b, {300, 85});
}

}  // namespace
}  // namespace plenwick
