// Guards the scroll bars' route into the view: the picture moves against the bar, the whole
// client is repainted and later zooms stay centred on what is shown.
#include <gtest/gtest.h>

#include "model/program_settings.h"
#include "support/view_test_drawing.h"

namespace plenwick {
namespace {

TEST(ViewScroll, ScrollBarsMoveThePictureAndTheWindow) {
  ResetCurrentSettings();
  testing::TestDrawing drawing;
  testing::RecordingViewHost host;
  CPlenwickView view(drawing.view(), host);
  view.OnInitialUpdate();
  view.OnSize(800, 600);
  view.ShowBaseScreen();
  const ModelPoint before = view.ScreenToModel(400, 300);
  const PixelPoint offset = view.mapping().ScrollOffset;
  host.invalidated.clear();

  view.ScrollBy(30, 20);  // bars moved right and down
  EXPECT_EQ(view.mapping().ScrollOffset, (PixelPoint{offset.x + 30, offset.y - 20}));
  ASSERT_EQ(host.invalidated.size(), 1u);
  EXPECT_EQ(host.invalidated[0], (PixelRect{-1, -1, -1, -1}));
  const ModelPoint after = view.ScreenToModel(400, 300);
  EXPECT_GT(after.x, before.x);  // what was right of the centre is now there
  EXPECT_LT(after.y, before.y);  // and what was below it
  // The window follows, so the next zoom keeps the picture where it is.
  const ModelRect& w = view.mapping().ViewWindow;
  EXPECT_NEAR((w.xmin + w.xmax) / 2, view.ScreenToModel(400, 300).x, 1);

  host.invalidated.clear();
  view.ScrollBy(0, 0);
  EXPECT_TRUE(host.invalidated.empty());
  ResetCurrentSettings();
}

}  // namespace
}  // namespace plenwick
