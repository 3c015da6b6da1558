// Guards the routes from a view to its active tool: mouse events go to the tool only while the
// view is in its normal mode (and a left release only while the view holds the capture), the
// view's own modes keep theirs, the colours reach the tool before every move, keys and commands
// reach the right slot, events without a tool are ignored, and the numeric input hands its value
// to the tool as one release at (100, 100) (or cancels) with the step the tool had.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "support/recording_tool.h"
#include "support/tool_test_view.h"
#include "view/tool_framework/command_ids.h"
#include "view/tool_framework/tool_rules.h"

namespace plenwick {
namespace {

using Calls = std::vector<std::string>;
using testing::RecordingTool;

class ToolRouting : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int code = 0; code < kToolCodeCount; ++code) {
      tools[code] = static_cast<RecordingTool*>(
          t.tools->toolList().Register(std::make_unique<RecordingTool>(code, t.state())));
    }
  }
  RecordingTool& Active() { return *tools[t.state().CurrentToolCode]; }
  Calls TakeCalls() { return std::exchange(Active().calls, {}); }

  testing::ToolTestView t;
  RecordingTool* tools[kToolCodeCount] = {};
};

TEST_F(ToolRouting, LeftButtonGoesToTheToolWhileTheViewHoldsTheCapture) {
  t.router->OnLButtonDown(kMkLButton | kMkShift, {10, 20});
  t.router->OnLButtonUp(kMkShift, {12, 22});
  EXPECT_EQ(TakeCalls(), (Calls{"LDown 5 10,20", "LUp 4 12,22"}));
  EXPECT_EQ(t.window.captures, 1);
  EXPECT_EQ(t.window.releases, 1);
  // A release without a press in the view (and so without the capture) is not routed.
  t.router->OnLButtonUp(0, {30, 30});
  EXPECT_TRUE(TakeCalls().empty());
  // A tool that lets go of the capture itself: the view does not release it twice.
  Active().releaseCapture = true;
  t.router->OnLButtonDown(kMkLButton, {1, 1});
  t.router->OnLButtonUp(0, {1, 1});
  EXPECT_EQ(t.window.captures, 2);
  EXPECT_EQ(t.window.releases, 2);
}

TEST_F(ToolRouting, TheViewsOwnModesKeepTheMouse) {
  for (const int16_t mode : {kViewRangeArmed, kViewCentreMove, kViewHandMove}) {
    t.view->ViewMode = mode;
    t.router->OnLButtonDown(kMkLButton, {100, 100});
    t.router->OnMouseMove(kMkLButton, {150, 150});
    t.router->OnLButtonUp(0, {300, 300});
    EXPECT_TRUE(TakeCalls().empty()) << mode;
    t.view->ViewMode = kViewNormal;
  }
  // A left press while the right button is held starts a range; the release is not the tool's.
  t.router->OnRButtonDown(kMkRButton, {5, 5});
  t.router->OnLButtonDown(kMkLButton | kMkRButton, {100, 100});
  t.router->OnLButtonUp(kMkRButton, {300, 300});
  EXPECT_EQ(TakeCalls(), (Calls{"RDown 2 5,5"}));
  t.router->OnRButtonUp(0, {5, 5});
  EXPECT_EQ(t.view->rightButtonDown, 0);
}

TEST_F(ToolRouting, RightPressGoesToTheToolFirstThenStartsTheViewRange) {
  t.router->OnLButtonDown(kMkLButton, {40, 40});
  t.router->OnRButtonDown(kMkLButton | kMkRButton, {50, 60});
  EXPECT_EQ(TakeCalls(), (Calls{"LDown 1 40,40", "RDown 3 50,60"}));
  EXPECT_EQ(t.view->ViewMode, kViewRubber);
}

TEST_F(ToolRouting, DoubleClickReachesTheToolInAnyMode) {
  t.view->ViewMode = kViewCentreMove;
  t.router->OnLButtonDblClk(kMkLButton, {7, 8});
  EXPECT_EQ(TakeCalls(), (Calls{"LDblClk 1 7,8"}));
}

TEST_F(ToolRouting, MovesCopyTheViewColoursIntoTheToolAndAlwaysShowTheCoordinates) {
  t.router->OnMouseMove(0, {400, 300});
  EXPECT_EQ(TakeCalls(), (Calls{"Move 0 400,300"}));
  const RenderSettings& colours = t.view->renderSettings();
  EXPECT_EQ(Active().indicatorColour, colours.colour(kColourIndicatorLine));
  EXPECT_EQ(Active().highlightColour, colours.colour(kColourHighlight));
  EXPECT_EQ(Active().backgroundColour, colours.colour(kColourBackground));
  EXPECT_FALSE(t.host.status[1].empty());
  t.host.status.clear();
  t.view->ViewMode = kViewHandMove;
  t.router->OnMouseMove(0, {10, 10});
  EXPECT_TRUE(TakeCalls().empty());
  EXPECT_FALSE(t.host.status[1].empty());
}

TEST_F(ToolRouting, KeysAndCommandsReachTheirSlots) {
  const struct {
    int command;
    const char* call;
  } cases[] = {
      {kCmdReturnKey, "ReturnKey"},        {kCmdFocusOperationBar, "FocusOperationBar"},
      {kCmdCancel, "Cancel"},              {kCmdEscape, "Cancel"},
      {kCmdUndo, "Undo"},                  {kCmdSelectAll, "SelectAll"},
      {kCmdSelectAllKey, "SelectAll"},     {kCmdEndSelection, "EndSelection"},
      {kCmdGroupRegister, "Command 32884"}, {kCmdGroupRelease, "Command 32885"},
      {kCmdPartsRegistration, "Command 32883"}, {kCmdListEdit, "Command 32771"},
      {kCmdScaleInput, "Command 32887"},   {1493, "Command 1493"},
      {1498, "Command 1498"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(t.router->OnCommand(c.command));
    EXPECT_EQ(TakeCalls(), (Calls{c.call})) << c.command;
  }
  const ModelRect before = t.view->mapping().ViewWindow;
  EXPECT_TRUE(t.router->OnCommand(kCmdZoomIn));  // the view's own
  EXPECT_NE(t.view->mapping().ViewWindow, before);
  EXPECT_FALSE(t.router->OnCommand(kCmdFileSave));  // the shell's
  EXPECT_TRUE(TakeCalls().empty());
}

TEST_F(ToolRouting, SelectAllIsOfferedToTheSelectionAndMoveToolsOnly) {
  for (int code = 0; code < kToolCodeCount; ++code) {
    t.state().CurrentToolCode = code;
    EXPECT_EQ(t.router->IsCommandEnabled(kCmdSelectAll), code == 0 || code == 11) << code;
  }
  EXPECT_FALSE(t.router->IsCommandEnabled(kCmdInfoLeft));
  EXPECT_TRUE(t.router->IsCommandEnabled(kCmdFileSave));
  CurrentSettings().Magnet = 1;
  EXPECT_TRUE(t.router->IsCommandChecked(kCmdMagnet));
}

TEST_F(ToolRouting, EventsWithoutATool) {
  testing::ToolTestView empty;  // no tool registered at all
  empty.router->OnLButtonDown(kMkLButton, {1, 1});
  empty.router->OnLButtonUp(0, {1, 1});
  empty.router->OnMouseMove(0, {2, 2});
  empty.router->OnRButtonDown(kMkRButton, {3, 3});
  empty.router->OnLButtonDblClk(kMkLButton, {1, 1});
  empty.router->OnContextMenu({4, 4});
  for (const int id : std::initializer_list<int>{kCmdReturnKey, kCmdEscape, kCmdUndo, kCmdSelectAll, kCmdNumericInput, kCmdGroupRegister, 1495}) {
    EXPECT_TRUE(empty.router->OnCommand(id)) << id;
  }
  EXPECT_TRUE(empty.ui.numericKinds.empty());
}

TEST_F(ToolRouting, NumericInputHandsTheValueToTheToolAsOneRelease) {
  InteractionState& s = t.state();
  s.CurrentToolCode = kCircleToolCode;
  s.ToolMode = 3;
  s.InputStep = 2;
  t.ui.numericAnswers = {"1++", "10/4"};  // the first is refused, the dialog stays open
  t.router->OnCommand(kCmdNumericInput);
  EXPECT_EQ(TakeCalls(), (Calls{"NumericInput", "LUp 0 100,100 value=2.500000"}));
  EXPECT_EQ(t.ui.numericKinds, (std::vector<int>{2}));  // circle arc, step 2: the start angle
  EXPECT_EQ(t.ui.messages, (std::vector<std::string>{"入力文字に誤りがあります。[0-9 . +-*/]"}));
  EXPECT_EQ(s.InputStep, 2);  // restored after the tool's preparation
  EXPECT_EQ(s.EnteredValue, 2.5);
  EXPECT_EQ(s.NumericEntered, 0);  // a later click does not take the value again

  t.router->OnCommand(kCmdNumericInput);  // no answer: cancelled
  EXPECT_EQ(TakeCalls(), (Calls{"NumericInput", "Cancel"}));
}

TEST_F(ToolRouting, TheLineToolsAnyDirectionInputUsesItsOwnDialogWhenThereIsOne) {
  InteractionState& s = t.state();
  s.CurrentToolCode = kLineToolCode;
  s.ToolMode = 0;
  s.InputStep = 1;
  t.ui.numericAnswers = {"5"};
  t.router->OnCommand(kCmdSpace);  // no line dialog in this shell: the single-value one, kind 0
  EXPECT_EQ(t.ui.lineInputs, 1);
  EXPECT_EQ(t.ui.numericKinds, (std::vector<int>{0}));
  EXPECT_EQ(TakeCalls(), (Calls{"NumericInput", "LUp 0 100,100 value=5.000000"}));

  t.ui.lineAnswer = ToolUi::DialogResult::kOk;
  t.ui.lineTexts = {{"30", "45"}};
  t.router->OnCommand(kCmdSpace);
  EXPECT_EQ(t.ui.numericKinds.size(), 1u);
  EXPECT_EQ(s.EnteredValue2, 45);
  EXPECT_EQ(TakeCalls(), (Calls{"NumericInput", "LUp 0 100,100 value=30.000000"}));

  CurrentSettings().LineHVMode = 1;  // horizontal/vertical lines take one value
  t.ui.numericAnswers = {"7"};
  t.router->OnCommand(kCmdSpace);
  EXPECT_EQ(t.ui.lineInputs, 2);
  EXPECT_EQ(t.ui.numericKinds.size(), 2u);
}

TEST(NumericInputKinds, ByToolModeAndStep) {
  const struct {
    int code, mode, step, kind;
  } cases[] = {
      {4, 0, 1, 1}, {4, 3, 1, 1}, {4, 3, 2, 2}, {4, 3, 3, 3}, {4, 4, 1, 1}, {4, 4, 2, 2}, {4, 4, 3, 3},
      {5, 2, 1, 1}, {5, 2, 2, 4}, {2, 3, 1, 6}, {2, 3, 2, 7}, {2, 3, 3, 8}, {2, 0, 1, 0}, {2, 4, 1, 0},
      {5, 0, 1, 0}, {0, 0, 1, 0}, {4, 3, 4, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(NumericInputKindFor(c.code, c.mode, c.step), c.kind) << c.code << c.mode << c.step;
}

TEST_F(ToolRouting, BaseSlots) {
  // A tool with the base behaviour only.
  ToolList& list = t.tools->toolList();
  InteractionState& s = t.state();
  s.pending = 1;
  s.textBoxOpen = 1;
  CDrawTool& tool = *list.Register(std::make_unique<CDrawTool>(kTextToolCode, s));
  EXPECT_EQ(s.pending, 0);  // a new tool clears both
  EXPECT_EQ(s.textBoxOpen, 0);
  EXPECT_EQ(tool.vertexCount, 3);
  EXPECT_EQ(tool.distanceLabelShown, 1);
  tool.pressPoint = {5, 5};
  s.CurrentToolCode = kTextToolCode;
  tool.OnLButtonUp(t.toolView(), 0, {6, 5});
  EXPECT_EQ(s.CurrentToolCode, kTextToolCode);
  tool.OnLButtonUp(t.toolView(), 0, {5, 5});  // released where pressed: back to the selection tool
  EXPECT_EQ(s.CurrentToolCode, kSelectToolCode);
  s.CurrentToolCode = kTextToolCode;
  tool.OnMouseMove(t.toolView(), 0, {9, 8});
  EXPECT_EQ(tool.lastPoint, (PixelPoint{9, 8}));
  tool.OnToolCancel();
  EXPECT_EQ(s.CurrentToolCode, kSelectToolCode);
  EXPECT_EQ(list.FindTool(kTextToolCode), tools[kTextToolCode]);  // the first registered wins
}

}  // namespace
}  // namespace plenwick
