// Guards the image save's region against saving slivers, unnormalised or off-client rectangles,
// a rubber rectangle left in the picture, and a capture purpose that outlives its command (the
// next range zoom would save an image instead of zooming).
#include <gtest/gtest.h>

#include "model/program_settings.h"
#include "support/view_test_drawing.h"
#include "view/tool_framework/command_ids.h"

namespace plenwick {
namespace {

TEST(ImageCapture, TwoClicksSaveTheNormalisedRegionInsideTheClient) {
  struct Case {
    PixelPoint first, second;
    std::optional<PixelRect> saved;
  } cases[] = {
      {{100, 100}, {110, 110}, PixelRect{100, 100, 110, 110}},  // 10 x 10
      {{100, 100}, {109, 150}, std::nullopt},                    // 9 x 50
      {{100, 100}, {150, 109}, std::nullopt},
      {{300, 250}, {120, 40}, PixelRect{120, 40, 300, 250}},
      {{790, 590}, {900, 700}, PixelRect{790, 590, 800, 600}},   // past the edge: clipped
      {{-50, 20}, {30, 80}, PixelRect{0, 20, 30, 80}},
      {{795, 100}, {900, 200}, std::nullopt},                    // 5 wide once clipped
  };
  for (const Case& c : cases) {
    ResetCurrentSettings();
    testing::TestDrawing drawing;
    testing::RecordingViewHost host;
    CPlenwickView view(drawing.view(), host);
    view.OnInitialUpdate();
    view.OnSize(800, 600);
    view.ShowBaseScreen();
    const ModelRect window = view.mapping().ViewWindow;
    host.canvas.Clear();
    ASSERT_TRUE(view.OnCommand(kCmdSaveImage));
    EXPECT_TRUE(view.OnLButtonDown(c.first));
    EXPECT_TRUE(view.OnLButtonUp(c.first));
    EXPECT_TRUE(view.OnMouseMove({c.second.x - 3, c.second.y + 2}));
    EXPECT_TRUE(view.OnMouseMove(c.second));
    EXPECT_TRUE(view.OnLButtonDown(c.second));
    EXPECT_TRUE(view.OnLButtonUp(c.second));
    EXPECT_EQ(host.prompts, (std::vector<std::string>{"画像保存する開始位置をクリックしてください。",
                                                      "画像保存する図形を囲んで終了位置をクリックしてください。"}));
    if (c.saved) {
      ASSERT_EQ(host.savedRegions.size(), 1u);
      EXPECT_EQ(host.savedRegions[0], *c.saved);
    } else {
      EXPECT_TRUE(host.savedRegions.empty());
    }
    // Every rubber drawn was drawn again (exclusive-or) to erase it before the copy.
    EXPECT_EQ(host.canvas.Count(CanvasOp::kRectangle) % 2, 0u);
    EXPECT_EQ(view.ViewMode, kViewNormal);
    EXPECT_EQ(view.mapping().ViewWindow.xmin, window.xmin);  // no zoom
    EXPECT_EQ(view.AreaCaptureKind, 0);
    EXPECT_FALSE(view.IsChecked(kCmdRangeZoom));
  }
  ResetCurrentSettings();
}

}  // namespace
}  // namespace plenwick
