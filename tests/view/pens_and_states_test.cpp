// Guards how states and layers choose colours and how line types become pens: screen styles and
// widths, printed widths from the pen and thick-line settings, printed dash patterns in device
// pixels and their cutting into pieces that continue across vertices and stay on the page.
#include <gtest/gtest.h>

#include "model/layer_table.h"
#include "support/render_fixture.h"
#include "view/line_style.h"

namespace plenwick {
namespace {

using testing::RenderFixture;

TEST(StateColour, EachStateDrawsInItsColour) {
  RenderSettings s;
  DrawEntity e;
  e.colour = 0x112233;
  struct Case {
    int state;
    ColourRef colour;
  } cases[] = {
      {-1, s.colour(kColourBackground)}, {0, 0x112233}, {1, s.colour(kColourHighlight)},
      {2, 0xA0A0A0 /* display colour 7 */}, {3, 0xFF00FF}, {4, 0xFF00FF},
      {5, s.colour(kColourIndicatorLine)}, {6, 0x112233}, {9, 0x112233},
  };
  for (const Case& c : cases) EXPECT_EQ(StateColour(s, e, c.state), c.colour) << c.state;
}

TEST(StateColour, LayerDecidesTheColourOfAPlainElement) {
  RenderFixture f;
  f.layers.currentLayer = 0;
  f.layers.states[0] = kLayerOffColour;  // the current layer is normal whatever its state
  f.layers.states[1] = kLayerOffColour;
  f.layers.states[2] = kLayerNormal;
  struct Case {
    int16_t layer, mark;
    ColourRef colour;
  } cases[] = {
      {0, 0, 0x112233},
      {1, 0, f.settings.colour(kColourLayerOff)},
      {1, kMarkSelected, kMarkedColour},  // selecting it shows magenta
      {2, 0, 0x112233},
  };
  for (const Case& c : cases) {
    f.canvas.Clear();
    DrawEntity* line = f.Add(kLine, {10, 10, 20, 20});
    line->layer = c.layer;
    line->mark = c.mark;
    f.Draw(*line, line->mark);
    ASSERT_EQ(f.canvas.Count(CanvasOp::kLine), 1u);
    EXPECT_EQ(f.canvas.primitives()[0].pen.colour, c.colour) << c.layer << "/" << c.mark;
  }
}

TEST(ScreenPens, LineTypesGiveStylesAndThickWidths) {
  struct Case {
    int lineAttr, state;
    PenStyle style;
    int width;
  } cases[] = {
      {0, 0, PenStyle::kSolid, 1},      {103, 0, PenStyle::kDot, 1},        {200, 0, PenStyle::kDash, 1},
      {300, 0, PenStyle::kDashDot, 1},  {400, 0, PenStyle::kDashDotDot, 1}, {500, 0, PenStyle::kSolid, 2},
      {601, 0, PenStyle::kSolid, 4},    {700, 0, PenStyle::kSolid, 8},      {800, 0, PenStyle::kSolid, 1},
      {200, -1, PenStyle::kSolid, 1},   {-100, 0, PenStyle::kSolid, 1},
  };
  for (const Case& c : cases) {
    RenderFixture f;
    DrawEntity* line = f.Add(kLine, {10, 10, 20, 20}, 0, static_cast<int16_t>(c.lineAttr));
    f.Draw(*line, c.state);
    ASSERT_EQ(f.canvas.Count(CanvasOp::kLine), 1u) << c.lineAttr;
    const RecordedPrimitive& p = f.canvas.primitives()[0];
    EXPECT_EQ(p.pen.kind, PenKind::kCosmetic);
    EXPECT_EQ(p.pen.style, c.style) << c.lineAttr;
    EXPECT_EQ(p.pen.width, c.width) << c.lineAttr;
    EXPECT_EQ(p.backgroundMode, BackgroundMode::kTransparent);
  }
}

TEST(PrintedPens, WidthsComeFromPenAndThickLineSettings) {
  RenderSettings s;
  const double perMm = 600 / 25.4;
  struct Case {
    int lineType, pen, width;
  } cases[] = {
      {0, 0, 3},   // 0.13 mm
      {0, 3, 12},  // 0.5 mm
      {2, 7, 35},  // 1.5 mm
      {0, 9, 3},   // pens outside 0..7 use pen 0
      {0, -1, 3},
      {5, 7, 2},   // thick 0.1 mm
      {6, 0, 5},   // thick 0.2 mm: line type 6 takes the second thick-line width
      {7, 0, 12},  // thick 0.5 mm
  };
  for (const Case& c : cases) EXPECT_EQ(PrintedPenWidth(s, c.lineType, c.pen, perMm), c.width) << c.lineType << "/" << c.pen;
  EXPECT_EQ(PrintedPenWidth(s, 0, 0, 1), 1);  // never thinner than a device pixel
}

TEST(PrintedPens, DashPatternsAreMultiplesOfTheDeviceUnit) {
  struct Case {
    int lineType;
    std::vector<int> pattern;
  } cases[] = {
      {0, {}}, {1, {23, 23}}, {2, {69, 23}}, {3, {69, 23, 23, 23}}, {4, {69, 23, 23, 23, 23, 23}}, {5, {}}, {9, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(PrintedDashPattern(c.lineType, 23), c.pattern) << c.lineType;
}

TEST(PrintedPens, BrokenLinesAreStrokedAsPiecesWithAGeometricPen) {
  RenderFixture f;
  f.mapping.PixelsPerMm = 600 / 25.4;
  f.mapping.clientWidth = f.mapping.extentWidth = 20000;
  f.mapping.clientHeight = f.mapping.extentHeight = 20000;
  RenderContext ctx = f.Context();
  ctx.printing = true;
  ctx.devicePixelsPerMm = 600 / 25.4;
  DrawEntity* line = f.Add(kLine, {10, 10, 110, 10}, 0, 203);
  RenderEntity(ctx, *line, 0);
  ASSERT_EQ(f.canvas.Count(CanvasOp::kStrokePath), 1u);
  const RecordedPrimitive& p = f.canvas.primitives()[0];
  EXPECT_EQ(p.pen.kind, PenKind::kGeometric);
  EXPECT_EQ(p.pen.width, 12);
  // 100 mm at 23.6 pixels per mm with [69 on, 23 off]: the pieces start at the first point.
  ASSERT_GE(p.pieces.size(), 25u);
  const PixelPoint start = f.mapping.ModelToScreen(10, 10);
  EXPECT_EQ(p.pieces[0].front(), start);
  EXPECT_EQ(p.pieces[0].back().x - start.x, 69);
  EXPECT_EQ(p.pieces[1].front().x - start.x, 92);
  // A solid printed line is a plain line with the geometric pen.
  f.canvas.Clear();
  DrawEntity* solid = f.Add(kLine, {10, 10, 110, 10}, 0, 601);
  RenderEntity(ctx, *solid, 0);
  ASSERT_EQ(f.canvas.Count(CanvasOp::kLine), 1u);
  EXPECT_EQ(f.canvas.primitives()[0].pen.kind, PenKind::kGeometric);
  EXPECT_EQ(f.canvas.primitives()[0].pen.width, 5);
}

TEST(DashPieces, PatternRunsAlongThePolylineAndAcrossVertices) {
  const PixelRect page{0, 0, 1000, 1000};
  struct Case {
    std::vector<PixelPoint> polyline;
    std::vector<int> pattern;
    std::vector<PixelPolyline> pieces;
  } cases[] = {
      {{{0, 0}, {40, 0}}, {10, 5}, {{{0, 0}, {10, 0}}, {{15, 0}, {25, 0}}, {{30, 0}, {40, 0}}}},
      {{{0, 0}, {8, 0}, {8, 10}}, {10, 5}, {{{0, 0}, {8, 0}, {8, 2}}, {{8, 7}, {8, 10}}}},
      {{{0, 0}, {20, 0}}, {}, {{{0, 0}, {20, 0}}}},  // no pattern: solid
  };
  for (const Case& c : cases) {
    std::vector<PixelPolyline> out;
    CollectDashPieces(c.polyline, c.pattern, page, out);
    EXPECT_EQ(out, c.pieces);
  }
}

TEST(DashPieces, OnlyThePageIsCutButThePhaseCountsFromTheStart) {
  std::vector<PixelPolyline> out;
  const std::vector<int> pattern{10, 5};
  const PixelPoint line[] = {{-1000000, 5}, {100, 5}};
  CollectDashPieces(line, pattern, {0, 0, 50, 10}, out);
  // 999998 pixels from the start to the page edge (-2): 999998 mod 15 = 8, two pixels of a dash left.
  ASSERT_GE(out.size(), 2u);
  EXPECT_EQ(out[0], (PixelPolyline{{-2, 5}, {0, 5}}));
  EXPECT_EQ(out[1], (PixelPolyline{{5, 5}, {15, 5}}));
  EXPECT_LE(out.back().back().x, 52);
  EXPECT_LE(out.size(), 5u);
}

}  // namespace
}  // namespace plenwick
