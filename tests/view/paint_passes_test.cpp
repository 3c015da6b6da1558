// Guards the paint routine: the grid first, other visible layers, then the current layer on top;
// hidden and out-of-range layers and deleted elements skipped; the grid's 2-pixel rule, its three
// kinds and its alignment to the origin; and what printing and exporting leave out.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/layer_table.h"
#include "support/render_fixture.h"
#include "view/view_paint.h"

namespace plenwick {
namespace {

using testing::RenderFixture;

class PaintPasses : public ::testing::Test {
 protected:
  DrawEntity* Line(int16_t layer, double y) {
    DrawEntity* e = f.Add(kLine, {10, y, 20, y});
    e->layer = layer;
    return e;
  }
  std::vector<int> DrawnRows() const {
    std::vector<int> rows;
    for (const RecordedPrimitive& p : f.canvas.OfKind(CanvasOp::kLine)) rows.push_back(800 - p.points[0].y);
    return rows;
  }
  RenderFixture f;
  ViewMarks noMarks{{0, 0}, {0, 0}, 0, 0};
};

TEST_F(PaintPasses, CurrentLayerIsDrawnLastAndHiddenLayersNot) {
  f.layers.currentLayer = 1;
  f.layers.states[0] = kLayerNormal;
  f.layers.states[1] = kLayerHidden;  // the current layer shows whatever its state
  f.layers.states[2] = kLayerHidden;
  f.layers.states[3] = kLayerOffColour;
  Line(1, 10);
  Line(0, 20);
  Line(2, 30);
  Line(3, 40);
  Line(200, 50);
  Line(-1, 60);
  Line(1, 70)->mark = kMarkDeleted;
  Line(0, 80);
  PaintEntities(f.Context(), f.list, noMarks);
  EXPECT_EQ(DrawnRows(), (std::vector<int>{20, 40, 80, 10}));
  const auto lines = f.canvas.OfKind(CanvasOp::kLine);
  EXPECT_EQ(lines[1].pen.colour, f.settings.colour(kColourLayerOff));
  EXPECT_EQ(lines[3].pen.colour, 0x112233u);
}

TEST_F(PaintPasses, GridIsDrawnFirstAndNeverWhenPrintingOrExporting) {
  f.Add(kGrid, {0, 0, 100}, 1);
  Line(0, 15);
  PaintEntities(f.Context(), f.list, noMarks);
  const auto& all = f.canvas.primitives();
  ASSERT_GT(all.size(), 2u);
  EXPECT_EQ(all.front().pen.colour, f.settings.colour(kColourGrid));
  EXPECT_EQ(all.back().pen.colour, 0x112233u);
  for (bool printing : {true, false}) {
    f.canvas.Clear();
    RenderContext ctx = f.Context();
    ctx.printing = printing;
    ctx.exporting = !printing;
    ctx.devicePixelsPerMm = 1;
    PaintEntities(ctx, f.list, noMarks);
    EXPECT_EQ(f.canvas.primitives().size(), 1u);
  }
}

TEST_F(PaintPasses, FrameAndOriginMarkFollowTheEntitiesOnScreenOnly) {
  Line(0, 15);
  const ViewMarks marks{{0, 0}, {100, 50}, 1, 1};
  PaintEntities(f.Context(), f.list, marks);
  const auto& all = f.canvas.primitives();
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[1].op, CanvasOp::kPolyline);
  EXPECT_EQ(all[1].points, (std::vector<PixelPoint>{{0, 800}, {200, 800}, {200, 700}, {0, 700}, {0, 800}}));
  EXPECT_EQ(all[2].points, (std::vector<PixelPoint>{{90, 750}, {110, 750}}));
  EXPECT_EQ(all[3].points, (std::vector<PixelPoint>{{100, 740}, {100, 760}}));
  EXPECT_EQ(all[1].pen.colour, 0x9A9A9Au) << "the eighth display colour, the output range line";
  f.canvas.Clear();
  RenderContext ctx = f.Context();
  ctx.printing = true;
  ctx.devicePixelsPerMm = 1;
  PaintEntities(ctx, f.list, marks);
  EXPECT_EQ(f.canvas.primitives().size(), 1u);
}

TEST_F(PaintPasses, GridNeedsTwoPixelsAndAVisibleFlag) {
  struct Case {
    double pitch;
    int16_t visible;
    bool drawn;
  } cases[] = {{1.4, 1, false}, {1.5, 1, true}, {1.6, 1, true}, {100, 0, false}, {0, 1, false}, {-5, 1, false}};
  for (const Case& c : cases) {
    RenderFixture g;
    DrawGrid(g.Context(), *g.Add(kGrid, {0, 0, c.pitch}, c.visible), {0, 0});
    EXPECT_EQ(!g.canvas.primitives().empty(), c.drawn) << c.pitch;
    if (!c.drawn) continue;
    // A fine grid still covers the whole client, up to its right and top edges.
    int right = 0, top = 800;
    for (const auto& l : g.canvas.OfKind(CanvasOp::kLine)) {
      if (l.points[0].y == l.points[1].y) {
        top = std::min(top, l.points[0].y);
      } else {
        right = std::max(right, l.points[0].x);
      }
    }
    EXPECT_GE(right, 998) << c.pitch;
    EXPECT_LE(top, 2) << c.pitch;
  }
}

TEST_F(PaintPasses, GridKindsAndOriginAlignment) {
  // Lines: pitch 100 from the origin offset (30, 20): x = -70, 30, 130 ... and y likewise (the
  // mapping rounds -70 to -69: the integer part of -69.5).
  DrawGrid(f.Context(), *f.Add(kGrid, {0, 0, 100}, 1, 100), {30, 20});
  const auto lines = f.canvas.OfKind(CanvasOp::kLine);
  ASSERT_FALSE(lines.empty());
  std::vector<int> xs, ys;
  for (const auto& l : lines) {
    EXPECT_EQ(l.pen.style, PenStyle::kDot);  // line type 1
    if (l.points[0].y == l.points[1].y) {
      ys.push_back(l.points[0].y);
      EXPECT_EQ(l.points[0].x, 0);
      EXPECT_EQ(l.points[1].x, 1000);
    } else {
      xs.push_back(l.points[0].x);
      EXPECT_EQ(l.points[0].y, 0);
      EXPECT_EQ(l.points[1].y, 800);
    }
  }
  EXPECT_EQ(xs, (std::vector<int>{-69, 30, 130, 230, 330, 430, 530, 630, 730, 830, 930}));
  EXPECT_EQ(ys, (std::vector<int>{879, 780, 680, 580, 480, 380, 280, 180, 80}));
  // Dots: solid 2-pixel squares at each crossing.
  f.canvas.Clear();
  DrawGrid(f.Context(), *f.Add(kGrid, {0, 0, 100}, 1, 101), {30, 20});
  const auto dots = f.canvas.OfKind(CanvasOp::kRectangle);
  EXPECT_EQ(dots.size(), xs.size() * ys.size());
  EXPECT_EQ(dots[0].rect, (PixelRect{-70, 878, -68, 880}));
  EXPECT_EQ(dots[0].brush.kind, BrushKind::kSolid);
  EXPECT_EQ(dots[0].pen.style, PenStyle::kSolid);
  // Crosses: from 4 before to 5 after.
  f.canvas.Clear();
  DrawGrid(f.Context(), *f.Add(kGrid, {0, 0, 100}, 1, 302), {30, 20});
  const auto crosses = f.canvas.OfKind(CanvasOp::kLine);
  ASSERT_EQ(crosses.size(), 2 * xs.size() * ys.size());
  EXPECT_EQ(crosses[0].points, (std::vector<PixelPoint>{{-73, 879}, {-64, 879}}));
  EXPECT_EQ(crosses[1].points, (std::vector<PixelPoint>{{-69, 875}, {-69, 884}}));
  EXPECT_EQ(crosses[0].pen.style, PenStyle::kSolid);  // crosses ignore the line type
}

}  // namespace
}  // namespace plenwick
