// Guards the feedback every tool shares: the rubber rectangle erases the one it drew before and
// follows the cursor in the colour the highlight argument picks, and the cross mark and the
// picking context reach the view's own drawing and mapping.
#include <gtest/gtest.h>

#include "support/entity_builders.h"
#include "support/tool_test_view.h"
#include "view/pick.h"
#include "tools/standard_tools.h"

namespace plenwick {
namespace {

class FeedbackSlots : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterStandardTools(*t.tools);
    tool = t.tools->FindTool();
    tool->indicatorColour = MakeColourRef(255, 0, 0);
    tool->highlightColour = MakeColourRef(0, 0, 255);
  }
  testing::ToolTestView t;
  CDrawTool* tool = nullptr;
};

TEST_F(FeedbackSlots, TheRubberRectangleErasesThePreviousOne) {
  tool->pressPoint = {10, 10};
  tool->DrawRubberRect(t.toolView(), {50, 40}, 1);
  auto rects = t.host.canvas.OfKind(CanvasOp::kRectangle);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].rect, (PixelRect{10, 10, 50, 40}));
  EXPECT_EQ(rects[0].drawMode, DrawMode::kNotXor);
  EXPECT_EQ(rects[0].pen.colour, MakeColourRef(255, 0, 0));
  EXPECT_EQ(t.state().RubberDrawn, 1);
  t.host.canvas.Clear();
  tool->DrawRubberRect(t.toolView(), {5, 60}, 0);  // drawn again to erase, then the new one
  rects = t.host.canvas.OfKind(CanvasOp::kRectangle);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].rect, (PixelRect{10, 10, 50, 40}));
  EXPECT_EQ(rects[1].rect, (PixelRect{5, 10, 10, 60}));
  EXPECT_EQ(rects[1].pen.colour, MakeColourRef(0, 0, 255));
  EXPECT_EQ(tool->rubberCorner, (PixelPoint{5, 60}));
  // A new tool selection forgets the feedback: the next rectangle is drawn alone.
  t.tools->SelectTool(0, 0);
  t.host.canvas.Clear();
  tool->DrawRubberRect(t.toolView(), {20, 20}, 1);
  EXPECT_EQ(t.host.canvas.OfKind(CanvasOp::kRectangle).size(), 1u);
}

TEST_F(FeedbackSlots, CrossMarkAndPickingUseTheView) {
  RecordingCanvas canvas;
  tool->DrawCrossMark(canvas, 100, 100);
  EXPECT_EQ(canvas.OfKind(CanvasOp::kLine).size(), 2u);
  DrawEntity* line = testing::AddLine(t.doc->entities, 0, 0, 400, 0);
  const PixelPoint onLine = t.view->ModelToScreen(200, 0);
  const PickHit hit = PickEntity(t.toolView().picking(), kPickAllButGrid, onLine);
  EXPECT_EQ(hit.entity, line);
}

}  // namespace
}  // namespace plenwick
