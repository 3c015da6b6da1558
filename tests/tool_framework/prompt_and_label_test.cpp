// Guards what the framework paints itself: the prompt box (white inside a 1-pixel margin, blue
// instructions and red emphasis at (5, 4), nothing for an empty text) and the distance label
// (its text, its place beside near-horizontal segments, none for tiny segments, and drawn by
// exclusive-or so that drawing it twice removes it).
#include <gtest/gtest.h>

#include "platform/sjis.h"
#include "support/tool_test_view.h"
#include "view/recording_canvas.h"
#include "view/tool_framework/distance_label.h"
#include "view/tool_framework/prompt_box.h"
#include "tools/standard_tools.h"

namespace plenwick {
namespace {

TEST(PromptBox, PaintsBlueInstructionsAndRedEmphasis) {
  COperateMsgBox box;
  RecordingCanvas canvas;
  PaintPromptBox(canvas, {0, 0, 300, 24}, box);
  ASSERT_EQ(canvas.primitives().size(), 1u);  // only the white fill
  EXPECT_EQ(canvas.primitives()[0].rect, (PixelRect{1, 1, 299, 23}));
  EXPECT_EQ(canvas.primitives()[0].brush.colour, 0xFFFFFFu);
  EXPECT_EQ(canvas.primitives()[0].pen.colour, 0xFFFFFFu);
  for (const auto& [kind, colour] : {std::pair{0, MakeColourRef(0, 0, 255)}, std::pair{1, MakeColourRef(255, 0, 0)},
                                     std::pair{7, MakeColourRef(255, 0, 0)}}) {
    canvas.Clear();
    box.Set(kind, "始端を指示して下さい。");
    PaintPromptBox(canvas, {0, 0, 300, 24}, box);
    const auto texts = canvas.OfKind(CanvasOp::kText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0], (PixelPoint{5, 4}));
    EXPECT_EQ(texts[0].textColour, colour) << kind;
    EXPECT_EQ(texts[0].text, Utf8ToSjis("始端を指示して下さい。"));
    EXPECT_EQ(texts[0].font.height, 14);
    EXPECT_EQ(texts[0].font.width, 7);
    EXPECT_TRUE(texts[0].font.fixedPitch);
    EXPECT_EQ(texts[0].backgroundMode, BackgroundMode::kTransparent);
  }
}

TEST(DistanceLabel, TextAndPlace) {
  ViewMapping mapping;  // 1 pixel per mm, client 800 x 600
  mapping.clientWidth = 800;
  mapping.clientHeight = 600;
  const struct {
    ModelPoint p, q;
    const char* text;
    PixelPoint anchor;
  } cases[] = {
      // Horizontal: the midpoint (150, 500) moves left 8 pixels per character, one less with a point.
      {{100, 100}, {200, 100}, "100", {150 - 24, 500 - 15}},
      {{100, 100}, {112.34, 100}, "12.3", {106 - 24, 500 - 15}},
      {{200, 100}, {100, 105}, "100.1", {150 - 32, 497 - 15}},  // about 177 degrees
      {{100, 100}, {100, 200}, "100", {100, 450 - 15}},          // vertical: only up
      {{100, 100}, {200, 80}, "102", {150, 510 - 15}},           // about 349 degrees: not near 0 by the rule
  };
  for (const auto& c : cases) {
    const auto plan = PlanDistanceLabel(mapping, c.p, c.q);
    ASSERT_TRUE(plan.has_value()) << c.text;
    EXPECT_EQ(plan->text, c.text);
    EXPECT_EQ(plan->anchor, c.anchor) << c.text;
  }
  EXPECT_FALSE(PlanDistanceLabel(mapping, {1, 1}, {1.03, 1.03}).has_value());
  EXPECT_EQ(DistanceLabelText(2.0), "2");
  EXPECT_EQ(DistanceLabelText(2.04), "2");
  EXPECT_EQ(DistanceLabelText(2.06), "2.1");
}

TEST(DistanceLabel, IsDrawnByExclusiveOrOnTheView) {
  testing::ToolTestView t;
  RegisterStandardTools(*t.tools);
  CDrawTool& tool = *t.tools->FindTool();
  t.host.canvas.SetDrawMode(DrawMode::kCopy);
  tool.ShowDistanceLabel(t.toolView(), {0, 0}, {50, 0});
  const auto texts = t.host.canvas.OfKind(CanvasOp::kText);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].drawMode, DrawMode::kXor);
  EXPECT_EQ(texts[0].text, "50");
  EXPECT_EQ(texts[0].textColour, MakeColourRef(255, 255, 0));
  EXPECT_EQ(t.host.canvas.drawMode(), DrawMode::kCopy);  // the canvas state is given back
  tool.ShowDistanceLabel(t.toolView(), {0, 0}, {0.01, 0});
  EXPECT_EQ(t.host.canvas.OfKind(CanvasOp::kText).size(), 1u);
}

}  // namespace
}  // namespace plenwick
