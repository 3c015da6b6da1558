// Guards what the line tool leaves on the screen: the magnet marker and the feedback of a running
// operation go when another tool is chosen, when an undo runs and when the view closes, the
// highlighted element is drawn normally again, and the distance label shows the rubber band's
// length while the distance display is on.
#include <gtest/gtest.h>

#include "line_fixture.h"

namespace plenwick {
namespace {

class LineFeedback : public testing::LineToolTest {};

TEST_F(LineFeedback, TheMagnetMarkerGoesWithTheTool) {
  HoverNearALineEnd();
  EXPECT_EQ(t.host.canvas.Count(CanvasOp::kRectangle), 1u);
  Command(32842);  // another tool, with nothing entered yet
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(LineFeedback, TheMagnetMarkerOfAWindowLeftGoesWithTheTool) {
  // The marker shown in one window must go when another tool is chosen in another window, not
  // stay there (and come back at every repaint) while another tool works.
  HoverNearALineEnd();
  ASSERT_EQ(t.host.canvas.Count(CanvasOp::kRectangle), 1u);
  testing::RecordingUserInterface otherUi;
  testing::RecordingViewHost otherHost;
  testing::RecordingToolViewHost otherWindow;
  CPlenwickDoc other(t.folder.path(), otherUi, DocumentEnvironment{{2025, 1, 1}, "test"});
  CPlenwickView otherView(ViewDocumentOf(other), otherHost);
  otherView.OnInitialUpdate();
  otherView.OnSize(800, 600);
  ViewToolRouter otherRouter(*t.tools, other, otherView, otherHost, otherWindow);
  otherRouter.Activate();
  ASSERT_TRUE(otherRouter.OnCommand(32842));  // another tool, chosen in the other window
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(LineFeedback, AnUndoEndsTheRunningOperationFirst) {
  testing::AddLine(t.doc->entities, 100, 100, 300, 100);
  Select(3);
  Click(200, 100);
  Click(150, 100);
  Move(170, 160);
  Command(kCmdUndo);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
  EXPECT_NE(LastSolidColour(), HighlightColour());  // drawn normally again
}

TEST_F(LineFeedback, ClosingTheViewTakesTheOperationOffIt) {
  testing::AddLine(t.doc->entities, 100, 100, 300, 100);
  Select(4);
  Click(200, 100);
  Move(170, 160);
  const ColourRef highlight = HighlightColour();
  EXPECT_EQ(LastSolidColour(), highlight);
  t.router.reset();
  EXPECT_EQ(step(), 0);
  EXPECT_NE(LastSolidColour(), highlight);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(LineFeedback, AnOperationDroppedWithoutAViewIsClearedAtTheNextEvent) {
  testing::AddLine(t.doc->entities, 100, 100, 300, 100);
  Select(4);
  Click(200, 100);
  Move(170, 160);
  t.tools->SetActiveView(nullptr);
  t.tools->SelectTool(0, 8);  // nobody to cancel on
  t.tools->SelectTool(4, 2);
  EXPECT_EQ(step(), 0);
  Move(180, 170);
  EXPECT_NE(LastSolidColour(), HighlightColour());
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(LineFeedback, TheDistanceLabelShowsTheRubberBandsLength) {
  Select(0);
  Click(100, 100);
  Move(130, 140);
  EXPECT_EQ(t.host.canvas.Count(CanvasOp::kText), 0u);  // the display is off
  Command(kCmdDistanceDisplay);
  Move(160, 180);
  const std::vector<RecordedPrimitive> texts = t.host.canvas.OfKind(CanvasOp::kText);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "100");
  EXPECT_EQ(texts[0].drawMode, DrawMode::kXor);
  Click(160, 180);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(LineFeedback, TheOperationBarTakesTheFocusInItsModes) {
  const int expected[9] = {1, 1, 1, 1, 0, 0, 1, 0, 1};
  for (int mode = 0; mode < 9; ++mode) {
    Select(mode);
    const int before = t.ui.barFocus;
    Command(kCmdFocusOperationBar);
    EXPECT_EQ(t.ui.barFocus - before, expected[mode]) << mode;
  }
}

}  // namespace
}  // namespace plenwick
