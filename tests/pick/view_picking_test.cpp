// Guards the picking context a view hands out: the tolerance from the grid settings, the grid
// origin the view draws from, and the view's own mapping and layers, so that a click picks what
// the view shows where it shows it.
#include <gtest/gtest.h>

#include "model/program_settings.h"
#include "support/view_test_drawing.h"
#include "view/pick.h"
#include "view/view_picking.h"

namespace plenwick {
namespace {

using testing::RecordingViewHost;
using testing::TestDrawing;

class ViewPicking : public ::testing::Test {
 protected:
  void SetUp() override { ResetCurrentSettings(); }
  void TearDown() override { ResetCurrentSettings(); }

  TestDrawing drawing;
  RecordingViewHost host;
  CPlenwickView view{drawing.view(), host};
  SnapPointList points;
};

TEST_F(ViewPicking, ContextFollowsTheViewAndTheSettings) {
  CurrentSettings().GridPitch = 20;
  CurrentSettings().GridSensitivity = 5;
  CurrentSettings().GridDisplay = 1;
  view.OnInitialUpdate();
  view.OnSize(800, 600);
  view.ShowBaseScreen();
  view.SetCurrentLayer(3);
  const PickView pick = PickViewOf(view, points);
  EXPECT_EQ(pick.tolerancePixels, 4);
  EXPECT_EQ(pick.mapping, &view.mapping());
  EXPECT_EQ(pick.currentLayer, 3);
  EXPECT_EQ(pick.gridOrigin.x, drawing.originX);
  EXPECT_EQ(pick.gridOrigin.y, drawing.originY);
  EXPECT_EQ(pick.entities, &drawing.entities);
  // A click on the pixel of a grid crossing lands on that crossing.
  const DrawEntity* grid = drawing.entities.head;
  ASSERT_NE(grid, nullptr);
  ASSERT_EQ(grid->kind, kGrid);
  ASSERT_NE(grid->subKind, 0);
  const double pitch = grid->values[2];
  const ModelPoint crossing{drawing.originX + 3 * pitch, drawing.originY + 2 * pitch};
  const PickHit hit = PickEntity(pick, kPickGridOnly, view.ModelToScreen(crossing.x, crossing.y));
  EXPECT_EQ(hit.entity, grid);
  EXPECT_NEAR(hit.point.x, crossing.x, 1e-9);
  EXPECT_NEAR(hit.point.y, crossing.y, 1e-9);
}

}  // namespace
}  // namespace plenwick
