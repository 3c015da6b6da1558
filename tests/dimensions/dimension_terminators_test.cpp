// Guards the terminators of dimensions: placed at the right ends and pointing away from the
// dimension line or arc, shaped and sized by the mark code and the size mode on screen and when
// printing, and never drawn without a direction.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dimensions/dimension_records.h"
#include "model/program_settings.h"
#include "support/render_fixture.h"
#include "tools/standard_tools.h"
#include "view/dimension_terminators.h"
#include "view/geometry.h"

namespace plenwick {
namespace {

using namespace plenwick::testing;

class DimensionTerminators : public ::testing::Test {
 protected:
  DimensionTerminators() { InstallToolExtensions(); }
  // A distance dimension along y = 400 from x = 100 to x = 500 with the mark code.
  DrawEntity* Distance(RenderFixture& f, int marks) {
    DimRecord r = DistanceRecord({100, 300}, {100, 400}, {500, 400}, 400);
    r.Set(14, marks);
    r.layer = 0;  // the current layer: drawn in its own colour
    return r.AddTo(f.list);
  }
};

// Arrow type 3 at size 4: at each end two strokes of 15 pixels, 30° either side of the line back
// toward the other end, their ends truncated to whole pixels; dot type 1 at size 0: filled
// circles of radius 2.
TEST_F(DimensionTerminators, ArrowsAndDotsOfTheWorkedExample) {
  RenderFixture f;
  const DrawEntity* dim = Distance(f, 4 + 33300);
  f.Draw(*dim);
  const auto strokes = f.canvas.OfKind(CanvasOp::kLine);
  ASSERT_EQ(strokes.size(), 4u);
  int turns = 0;  // +1 per stroke turned counter-clockwise on the screen, -1 clockwise
  for (const RecordedPrimitive& s : strokes) {
    const PixelPoint tip = s.points[0], end = s.points[1];
    const PixelPoint left = f.At(100, 400), right = f.At(500, 400);
    ASSERT_TRUE(tip == left || tip == right);
    const double inward = tip == left ? 0 : 180;  // screen degrees back along the line
    int matched = 0;
    for (const int turn : {-1, 1}) {
      const double a = (inward + 30 * turn) * kPi / 180;
      const double x = tip.x + 15 * std::cos(a), y = tip.y + 15 * std::sin(a);
      if (static_cast<int>(x) == end.x && static_cast<int>(y) == end.y) {
        matched = turn;
        turns += turn;
      }
    }
    EXPECT_NE(matched, 0) << end.x << "," << end.y;
    EXPECT_EQ(s.pen, (Pen{PenKind::kCosmetic, PenStyle::kSolid, 1, static_cast<ColourRef>(dim->colour)}));
  }
  EXPECT_EQ(turns, 0);  // one stroke either side at each end
  RenderFixture g;
  g.Draw(*Distance(g, 11100));
  const auto dots = g.canvas.OfKind(CanvasOp::kEllipse);
  ASSERT_EQ(dots.size(), 2u);
  const PixelPoint t = g.At(100, 400);
  EXPECT_EQ(dots[0].rect, (PixelRect{t.x - 2, t.y - 2, t.x + 3, t.y + 3}));
  EXPECT_EQ(dots[0].brush.kind, BrushKind::kSolid);
}

// Sizes by mode and device: mode 0 fixed pixels on screen and a third of a millimetre's pixels
// (plus half a millimetre for strokes) on paper; mode 1 millimetres of paper everywhere.
TEST_F(DimensionTerminators, SizesFollowTheModeOnScreenAndPaper) {
  struct Case {
    int mode;
    bool printing;
    double pixelsPerMm;
    int dotIndex, arrowIndex;
    TerminatorSize want;
  } cases[] = {
      {0, false, 1, 0, 4, {2, 15}},
      {0, false, 3, 4, 0, {6, 6}},
      {0, true, 600 / 25.4, 0, 4, {15, 129}},  // 23.6 × 2 / 3; 23.6 × 15 / 3 + 11.8
      {1, false, 2, 0, 4, {4, 24}},
      {1, true, 600 / 25.4, 1, 0, {70, 94}},   // 3 mm and near(4 mm) of 23.6 px/mm
      {1, false, 0.1, 0, 0, {0, 0}},            // too small for strokes
  };
  for (const Case& c : cases) {
    RenderFixture f;
    f.settings.dimArrowSizeMode = c.mode;
    f.mapping.PixelsPerMm = c.pixelsPerMm;
    RenderContext ctx = f.Context();
    ctx.printing = c.printing;
    ctx.devicePixelsPerMm = c.pixelsPerMm;
    const TerminatorSize got = DimensionTerminatorSize(ctx, {c.dotIndex, c.arrowIndex});
    EXPECT_EQ(got.dotRadius, c.want.dotRadius) << c.mode << c.printing;
    EXPECT_EQ(got.strokeLength, c.want.strokeLength) << c.mode << c.printing;
  }
  // Size digits beyond the tables count as the largest.
  DimRecord r = AreaRecord({0, 0}, 1);
  r.Set(14, 99);
  EntityList l;
  const DimensionMarkSizes sizes = DimensionMarkSizesOf(DimensionRecord(*r.AddTo(l)));
  EXPECT_EQ(sizes.dotIndex, 4);
  EXPECT_EQ(sizes.arrowIndex, 4);
}

TEST_F(DimensionTerminators, PrintedWithThePensWidthAndSkippedOutsideTheWindow) {
  RenderFixture f;
  f.mapping.PixelsPerMm = 600 / 25.4;
  DimRecord r = DistanceRecord({1, 1}, {1, 2}, {2000, 2}, 400);  // the second end is off the page
  r.Set(14, 33304);
  const DrawEntity* dim = r.AddTo(f.list);
  RenderContext ctx = f.Context();
  ctx.printing = true;
  ctx.devicePixelsPerMm = f.mapping.PixelsPerMm;
  DrawDimensionTerminators(ctx, *dim, 0, 0x123456);
  const auto strokes = f.canvas.OfKind(CanvasOp::kLine);
  ASSERT_EQ(strokes.size(), 2u);
  EXPECT_EQ(strokes[0].points[0], f.At(1, 2));
  // Pen 3 is 0.5 mm: 11.8 device pixels, rounded.
  EXPECT_EQ(strokes[0].pen, (Pen{PenKind::kGeometric, PenStyle::kSolid, 12, 0x123456}));
}

// Where each kind puts its terminators, and which direction they point.
TEST_F(DimensionTerminators, PlacementByKind) {
  EntityList l;
  // A chain: both ends, and two at each inner point, one toward each neighbour.
  DimRecord chain = ChainRecord(kDimHorizontal, {0, 0}, {{0, 5}, {3, 5}, {9, 5}});
  chain.Set(14, 12300);
  auto t = PlaceDimensionTerminators(*chain.AddTo(l));
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[0].tip, (ModelPoint{0, 5}));
  EXPECT_EQ(t[0].from, (ModelPoint{9, 5}));
  EXPECT_EQ(t[0].type, 1);
  EXPECT_EQ(t[1].tip, (ModelPoint{9, 5}));
  EXPECT_EQ(t[1].type, 2);
  EXPECT_EQ(t[2].from, (ModelPoint{0, 5}));
  EXPECT_EQ(t[3].from, (ModelPoint{9, 5}));
  EXPECT_EQ(t[3].type, 3);

  // Radius: one terminator at the stored tip, pointing away from the other end, in all four cases.
  for (const ModelPoint other : {ModelPoint{0, 0}, ModelPoint{12, 0}}) {
    for (const double side : {1.0, -1.0}) {
      t = PlaceDimensionTerminators(*RadiusRecord({5 * side, 0}, {other.x * side, 0}, {1, 2}, 5, 0).AddTo(l));
      ASSERT_EQ(t.size(), 1u);
      EXPECT_EQ(t[0].tip, (ModelPoint{5 * side, 0}));
      EXPECT_EQ(t[0].from, (ModelPoint{other.x * side, 0}));
    }
  }

  // An angle's arc from 0° to 90° of radius 10: the start points clockwise, the end
  // counter-clockwise, both away from the arc.
  t = PlaceDimensionTerminators(*AngleRecord(kDimAngleLines, {0, 0}, 10, 0, 90, {5, 5}, 90).AddTo(l));
  ASSERT_EQ(t.size(), 2u);
  EXPECT_NEAR(t[0].tip.x, 10, 1e-9);
  EXPECT_GT(t[0].from.y, t[0].tip.y + 999);  // θ points down: away from the arc
  EXPECT_NEAR(t[1].tip.y, 10, 1e-9);
  EXPECT_GT(t[1].from.x, t[1].tip.x + 999);  // θ points left

  // None: an area; an arc too small to give a direction; coincident chain points; type 0 or 5.
  EXPECT_TRUE(PlaceDimensionTerminators(*AreaRecord({0, 0}, 1).Set(14, 33333).AddTo(l)).empty());
  EXPECT_TRUE(PlaceDimensionTerminators(*AngleRecord(kDimAngleArc, {0, 0}, 0.4, 0, 90, {5, 5}, 90).AddTo(l)).empty());
  EXPECT_TRUE(PlaceDimensionTerminators(*ChainRecord(kDimVertical, {0, 0}, {{1, 1}, {1, 1}}).AddTo(l)).empty());
  EXPECT_TRUE(PlaceDimensionTerminators(*DistanceRecord({0, 0}, {0, 5}, {9, 5}, 9).Set(14, 5000).AddTo(l)).empty());
}

}  // namespace
}  // namespace plenwick
