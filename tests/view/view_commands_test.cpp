// Guards the view commands: initial update (grid element, paper, area, origin offset), the base
// screen, whole view, zooms (90 % / 110 %, ranges in either corner order, the 10-pixel minimum,
// the up-left drag that doubles), centre and hand moves, arrow panning, the frame and origin-mark
// switches with their erase state, cursor coordinates and the resize rules.
#include <gtest/gtest.h>

#include <cmath>

#include "model/entity_core.h"
#include "model/program_settings.h"
#include "support/entity_builders.h"
#include "support/view_test_drawing.h"

namespace plenwick {
namespace {

using testing::RecordingViewHost;
using testing::TestDrawing;

class ViewCommands : public ::testing::Test {
 protected:
  void SetUp() override { ResetCurrentSettings(); }
  void TearDown() override { ResetCurrentSettings(); }

  // A shown view of an 800 x 600 client.
  CPlenwickView& Shown(int w = 800, int h = 600) {
    view.OnInitialUpdate();
    view.OnSize(w, h);
    view.ShowBaseScreen();
    host.canvas.Clear();
    host.invalidated.clear();
    return view;
  }
  ModelRect Window() const { return view.mapping().ViewWindow; }

  TestDrawing drawing;
  RecordingViewHost host;
  CPlenwickView view{drawing.view(), host};
};

TEST_F(ViewCommands, InitialUpdateCreatesTheGridOfAnEmptyDrawingFromTheSettings) {
  ProgramSettings& s = CurrentSettings();
  s.GridKind = 2;
  s.GridLineType = 1;
  s.GridPitch = 12.5f;
  s.GridDisplay = 0;
  view.OnInitialUpdate();
  ASSERT_EQ(drawing.entities.size(), 1u);
  const DrawEntity& grid = *drawing.entities.head;
  EXPECT_EQ(grid.kind, kGrid);
  EXPECT_EQ(grid.layer, 0);
  EXPECT_EQ(grid.subKind, 0);
  EXPECT_EQ(grid.lineAttr, 102);
  EXPECT_EQ(grid.colour, 0);
  EXPECT_EQ(grid.values[0], 0);
  EXPECT_EQ(grid.values[1], 0);
  EXPECT_EQ(grid.values[2], 12.5);
}

TEST_F(ViewCommands, InitialUpdateLeavesADrawingWithElementsAlone) {
  testing::AddLine(drawing.entities, 0, 0, 10, 10);
  view.OnInitialUpdate();
  EXPECT_EQ(drawing.entities.size(), 1u);
  EXPECT_EQ(drawing.entities.head->kind, kLine);
}

TEST_F(ViewCommands, InitialUpdateTakesPaperAreaAndOriginOffset) {
  struct Case {
    int paper, orientation;
    float scale;
    int32_t areaSet;
    double width, height;  // paper mm
  } cases[] = {
      {0, 0, 1, 0, 1189, 840},  // A0's short side is 840
      {0, 1, 1, 0, 840, 1189},
      {3, 0, 100, 0, 420, 297},
      {9, 1, 2, 0, 128, 182},
      {4, 0, 1, 1, 297, 210},  // a stored area stays
  };
  for (const Case& c : cases) {
    TestDrawing d;
    d.header.setPaperSize(static_cast<int16_t>(c.paper));
    d.header.setOrientation(static_cast<int16_t>(c.orientation));
    d.header.setScale(c.scale);
    d.areaSet = c.areaSet;
    d.areaMin = {-7, -8, 0};
    d.areaMax = {70, 80, 0};
    RecordingViewHost h;
    CPlenwickView v(d.view(), h);
    v.OnInitialUpdate();
    EXPECT_EQ(v.paper(), (PaperSize{c.width, c.height})) << c.paper;
    EXPECT_DOUBLE_EQ(d.originX, c.width * c.scale / 2);
    EXPECT_DOUBLE_EQ(d.originY, c.height * c.scale / 2);
    if (c.areaSet) {
      EXPECT_EQ(d.areaMax[0], 70);
    } else {
      EXPECT_EQ(d.areaMin, (std::array<double, 3>{0, 0, 0}));
      EXPECT_DOUBLE_EQ(d.areaMax[0], c.width * c.scale);
      EXPECT_DOUBLE_EQ(d.areaMax[1], c.height * c.scale);
    }
  }
}

TEST_F(ViewCommands, PrinterPaperIsUsedWhenTheDrawingAsksForIt) {
  drawing.header.setPaperMode(1);
  host.printerPaper = PaperSize{400, 250};
  view.OnInitialUpdate();
  EXPECT_EQ(view.paper(), (PaperSize{400, 250}));
  EXPECT_DOUBLE_EQ(drawing.originX, 200);
}

TEST_F(ViewCommands, BaseScreenShowsTheWholePaperWithTheOriginAtItsCentre) {
  Shown();
  const ViewMapping& m = view.mapping();
  const PixelPoint lowerLeft = m.ModelToScreen(0, 0);
  const PixelPoint upperRight = m.ModelToScreen(297, 210);
  EXPECT_GE(lowerLeft.x, 4);
  EXPECT_LE(upperRight.x, 800 - 4);
  EXPECT_GE(upperRight.y, 4);
  EXPECT_LE(lowerLeft.y, 600 - 4);
  // The margin is 5 pixels at the factor before the fit (1 pixel per mm): 5 mm around the area.
  EXPECT_DOUBLE_EQ(Window().xmin, -5);
  EXPECT_DOUBLE_EQ(Window().ymax, 215);
  view.OnMouseMove({400, 300});
  EXPECT_EQ(host.status[1], "X :      0");
  EXPECT_EQ(host.status[2], "Y :      0");
  EXPECT_EQ(view.ViewMode, kViewNormal);
  EXPECT_EQ(m.extentWidth, 800);
}

TEST_F(ViewCommands, BaseScreenOfADegenerateAreaStopsAtOnePixelPerMillimetre) {
  drawing.areaSet = 1;
  drawing.areaMin = {10, 10, 0};
  drawing.areaMax = {10.04, 500, 0};
  view.OnInitialUpdate();
  EXPECT_DOUBLE_EQ(view.mapping().PixelsPerMm, 1);
  EXPECT_EQ(host.clientDraws, 0);
}

TEST_F(ViewCommands, ZoomInAndOutAreNinetyAndHundredTenPercentAndNotInverse) {
  Shown();
  const ModelRect before = Window();
  view.OnCommand(kCmdZoomIn);
  EXPECT_NEAR(Window().width(), before.width() * 0.9, 1e-9);
  EXPECT_NEAR(Window().height(), before.height() * 0.9, 1e-9);
  view.OnCommand(kCmdPageDown);
  EXPECT_NEAR(Window().width(), before.width() * 0.99, 1e-9);
  EXPECT_GT(host.clientDraws, 0);
  // Every repaint starts with the background.
  ASSERT_FALSE(host.canvas.primitives().empty());
  EXPECT_EQ(host.canvas.primitives().front().op, CanvasOp::kFillRect);
}

TEST_F(ViewCommands, ZoomToRectTakesEitherCornerOrderAndIgnoresSmallRanges) {
  Shown();
  const ModelPoint a = view.mapping().ScreenToModel(100, 400);
  const ModelPoint b = view.mapping().ScreenToModel(300, 200);
  const ModelRect expected{a.x, a.y, b.x, b.y};
  struct Case {
    PixelPoint p, q;
    bool zooms;
  } cases[] = {
      {{100, 200}, {300, 400}, true},
      {{300, 400}, {100, 200}, true},
      {{100, 400}, {300, 200}, true},
      {{100, 200}, {109, 400}, false},  // 9 pixels wide
      {{100, 200}, {300, 209}, false},  // 9 pixels high
  };
  for (const Case& c : cases) {
    Shown();
    const ModelRect before = Window();
    view.ZoomToRect(c.p, c.q);
    EXPECT_EQ(Window(), c.zooms ? expected : before);
  }
}

TEST_F(ViewCommands, ZoomingInStopsWhilePixelsCanStillBeCounted) {
  // Range after range into one spot: past some depth the pixels of the drawing would no longer
  // fit the mapping, neighbouring points would fall on one pixel and the cursor would read
  // wrong coordinates; the view must stop zooming before that.
  Shown();
  for (int i = 0; i < 40; ++i) view.ZoomToRect({300, 200}, {310, 210});
  const ViewMapping& m = view.mapping();
  for (const PixelPoint p : {PixelPoint{0, 0}, PixelPoint{400, 300}, PixelPoint{799, 599}}) {
    const ModelPoint at = m.ScreenToModel(p.x, p.y);
    EXPECT_EQ(m.ModelToScreen(at.x, at.y), p);
  }
  const ModelPoint centre = m.ScreenToModel(400, 300);
  EXPECT_LT(std::fabs(centre.x), 1000);
  EXPECT_LT(std::fabs(centre.y), 1000);
}

TEST_F(ViewCommands, RangeDragUpAndLeftDoublesTheWindow) {
  Shown();
  const ModelRect before = Window();
  view.OnCommand(kCmdRangeZoom);
  EXPECT_TRUE(view.IsChecked(kCmdRangeZoom));
  view.OnLButtonDown({400, 300});
  view.OnLButtonUp({400, 300});
  EXPECT_EQ(view.ViewMode, kViewRubber);
  view.OnMouseMove({350, 250});
  view.OnLButtonUp({350, 250});
  EXPECT_EQ(view.ViewMode, kViewNormal);
  EXPECT_NEAR(Window().width(), before.width() * 2, 1e-9);
  EXPECT_NEAR(Window().height(), before.height() * 2, 1e-9);
}

TEST_F(ViewCommands, RangeRubberIsDrawnInNotXorAndErasedByDrawingItAgain) {
  Shown();
  view.OnCommand(kCmdRangeZoom);
  view.OnLButtonDown({100, 100});
  view.OnLButtonUp({100, 100});
  view.OnMouseMove({200, 200});
  view.OnMouseMove({300, 250});
  view.OnLButtonUp({300, 250});
  const auto rects = host.canvas.OfKind(CanvasOp::kRectangle);
  ASSERT_GE(rects.size(), 4u);
  // drawn, erased, drawn, erased
  EXPECT_EQ(rects[0].rect, (PixelRect{100, 100, 200, 200}));
  EXPECT_EQ(rects[1].rect, rects[0].rect);
  EXPECT_EQ(rects[2].rect, (PixelRect{100, 100, 300, 250}));
  EXPECT_EQ(rects[3].rect, rects[2].rect);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(rects[i].drawMode, DrawMode::kNotXor);
    EXPECT_EQ(rects[i].pen.style, PenStyle::kDot);
    EXPECT_EQ(rects[i].pen.colour, view.renderSettings().colour(kColourZoomRange));
    EXPECT_EQ(rects[i].brush.kind, BrushKind::kNone);
  }
}

TEST_F(ViewCommands, PressingBothButtonsStartsARange) {
  Shown();
  view.OnLButtonDown({100, 100});
  EXPECT_FALSE(view.OnRButtonDown({100, 100}));  // still the tool's as well
  EXPECT_EQ(view.ViewMode, kViewRubber);
  view.OnRButtonUp({100, 100});
  view.OnMouseMove({250, 260});
  const ModelPoint a = view.mapping().ScreenToModel(100, 260);
  const ModelPoint b = view.mapping().ScreenToModel(250, 100);
  view.OnLButtonUp({250, 260});
  EXPECT_EQ(Window(), (ModelRect{a.x, a.y, b.x, b.y}));
}

TEST_F(ViewCommands, ShowWholeFitsTheElementsWithTextExtentByCharacters) {
  Shown();
  testing::AddLine(drawing.entities, 100, 100, 200, 150);
  // Two double-byte characters and one single byte: 3 characters of height 10.
  testing::AddText(drawing.entities, "\x82\xa0\x82\xa2" "A", nullptr, 300, 120);
  drawing.entities.tail->values[2] = 10;
  DrawEntity* deleted = testing::AddLine(drawing.entities, -5000, -5000, -4000, -4000);
  deleted->mark = kMarkDeleted;
  const double margin = 5 / view.mapping().PixelsPerMm;
  view.ShowWhole();
  EXPECT_NEAR(Window().xmin, 100 - margin, 1e-9);
  EXPECT_NEAR(Window().xmax, 330 + margin, 1e-9);
  EXPECT_NEAR(Window().ymin, 100 - margin, 1e-9);
  EXPECT_NEAR(Window().ymax, 150 + margin, 1e-9);
}

TEST_F(ViewCommands, ShowWholeLeavesTheViewWhenThereIsNothingToFit) {
  struct Case {
    const char* what;
    void (*add)(EntityList&);
  } cases[] = {
      {"grid only", [](EntityList&) {}},
      {"one point", [](EntityList& l) {
         const int16_t codes[] = {10, 20};
         const double values[] = {50, 50};
         AddEntity({kPoint, 0, 0, 0, 2}, nullptr, l, codes, 0, values, nullptr);
       }},
      {"a horizontal line", [](EntityList& l) { testing::AddLine(l, 0, 10, 100, 10.04); }},
  };
  for (const Case& c : cases) {
    TestDrawing d;
    RecordingViewHost h;
    CPlenwickView v(d.view(), h);
    v.OnInitialUpdate();
    c.add(d.entities);
    const ViewMapping before = v.mapping();
    const int draws = h.clientDraws;
    v.ShowWhole();
    EXPECT_EQ(v.mapping().ViewWindow, before.ViewWindow) << c.what;
    EXPECT_EQ(h.clientDraws, draws) << c.what;
  }
}

TEST_F(ViewCommands, CentreMovePutsThePointAtTheClientCentre) {
  Shown();
  const ModelPoint target = view.mapping().ScreenToModel(600, 150);
  view.OnCommand(kCmdCentreMove);
  EXPECT_TRUE(view.IsChecked(kCmdCentreMove));
  view.OnLButtonDown({600, 150});
  view.OnLButtonUp({600, 150});
  EXPECT_EQ(view.ViewMode, kViewNormal);
  const PixelPoint now = view.mapping().ModelToScreen(target);
  EXPECT_NEAR(now.x, 400, 1);
  EXPECT_NEAR(now.y, 300, 1);
}

TEST_F(ViewCommands, HandMoveFollowsTheDragAndIgnoresShortOnes) {
  Shown();
  view.OnCommand(kCmdHandMove);
  EXPECT_EQ(host.cursor, kCursorOpenHand);
  const PixelPoint before = view.mapping().ScrollOffset;
  view.OnLButtonDown({100, 100});
  EXPECT_EQ(host.cursor, kCursorClosedHand);
  view.OnLButtonUp({106, 107});  // 9.2 pixels
  EXPECT_EQ(view.mapping().ScrollOffset, before);
  view.OnLButtonDown({100, 100});
  view.OnLButtonUp({130, 80});
  EXPECT_EQ(view.mapping().ScrollOffset, (PixelPoint{before.x - 30, before.y - 20}));
  EXPECT_EQ(view.ViewMode, kViewHandMove);  // stays until chosen again
  EXPECT_EQ(host.cursor, kCursorOpenHand);
  view.OnCommand(kCmdHandMove);
  EXPECT_EQ(view.ViewMode, kViewNormal);
}

TEST_F(ViewCommands, ZoomAfterAPanKeepsThePlaceShown) {
  Shown();
  view.HandMove({100, 100}, {300, 200});
  const ModelPoint centre = view.mapping().ScreenToModel(400, 300);
  view.ZoomByFactor(-0.05);
  const PixelPoint now = view.mapping().ModelToScreen(centre);
  EXPECT_NEAR(now.x, 400, 2);
  EXPECT_NEAR(now.y, 300, 2);
}

TEST_F(ViewCommands, ArrowPanningStepsAQuarterWidthAndHalfHeight) {
  Shown(800, 600);
  struct Case {
    int command;
    PixelPoint delta;
  } cases[] = {
      {kCmdPanUp, {0, -200}},
      {kCmdPanDown, {0, 200}},
      {kCmdPanLeft, {300, 0}},
      {kCmdPanRight, {-300, 0}},
  };
  for (const Case& c : cases) {
    const PixelPoint before = view.mapping().ScrollOffset;
    host.invalidated.clear();
    view.OnCommand(c.command);
    EXPECT_EQ(view.mapping().ScrollOffset, (PixelPoint{before.x + c.delta.x, before.y + c.delta.y}));
    EXPECT_EQ(host.invalidated.size(), 1u);
  }
  view.textBoxShown = true;
  const PixelPoint before = view.mapping().ScrollOffset;
  view.OnCommand(kCmdPanUp);
  EXPECT_EQ(view.mapping().ScrollOffset, before);
}

TEST_F(ViewCommands, FrameSwitchedOffIsPaintedOverInTheBackgroundColour) {
  Shown();
  const ColourRef output = view.renderSettings().colour(kColourOutputRange);
  const ColourRef background = view.renderSettings().colour(kColourBackground);
  view.OnCommand(kCmdAreaFrame);  // on -> 2: erase now
  EXPECT_EQ(CurrentSettings().PaperFrameDisplay, 0);
  auto frames = host.canvas.OfKind(CanvasOp::kPolyline);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].pen.colour, background);
  EXPECT_EQ(frames[0].pen.style, PenStyle::kSolid);
  const PixelPoint p0 = view.mapping().ModelToScreen(0, 0), p1 = view.mapping().ModelToScreen(297, 210);
  EXPECT_EQ(frames[0].points.front(), p0);
  EXPECT_EQ(frames[0].points[2], p1);
  host.canvas.Clear();
  view.OnCommand(kCmdAreaFrame);  // 0 -> 1
  EXPECT_EQ(CurrentSettings().PaperFrameDisplay, 1);
  frames = host.canvas.OfKind(CanvasOp::kPolyline);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].pen.colour, output);
  EXPECT_EQ(frames[0].pen.style, PenStyle::kDot);
  EXPECT_EQ(frames[0].backgroundMode, BackgroundMode::kTransparent);
}

TEST_F(ViewCommands, OriginMarkSwitchedOffIsInvalidatedNotDrawn) {
  Shown();
  const PixelPoint mark = view.mapping().ModelToScreen(148.5, 105);
  view.OnCommand(kCmdOriginMark);
  EXPECT_EQ(CurrentSettings().OriginMarkDisplay, 0);
  const ColourRef output = view.renderSettings().colour(kColourOutputRange);
  auto markLines = [&] {
    std::vector<RecordedPrimitive> out;
    for (const RecordedPrimitive& p : host.canvas.OfKind(CanvasOp::kLine)) {
      if (p.pen.colour == output) out.push_back(p);
    }
    return out;
  };
  EXPECT_TRUE(markLines().empty());
  ASSERT_EQ(host.invalidated.size(), 1u);
  EXPECT_EQ(host.invalidated[0], (PixelRect{mark.x - 15, mark.y - 15, mark.x + 15, mark.y + 15}));
  host.canvas.Clear();
  view.OnCommand(kCmdOriginMark);
  const auto lines = markLines();
  ASSERT_EQ(lines.size(), 2u);
  const auto& horizontal = lines[0];
  EXPECT_EQ(horizontal.points[0], (PixelPoint{mark.x - 10, mark.y}));
  EXPECT_EQ(horizontal.points[1], (PixelPoint{mark.x + 10, mark.y}));
  EXPECT_EQ(horizontal.pen.style, PenStyle::kDot);
}

TEST_F(ViewCommands, GridToggleAndPitchChangeTheGridElement) {
  Shown();
  EXPECT_TRUE(view.IsChecked(kCmdGridDisplay));
  view.OnCommand(kCmdGridDisplay);
  EXPECT_EQ(drawing.entities.head->subKind, 0);
  EXPECT_EQ(CurrentSettings().GridDisplay, 0);
  EXPECT_FALSE(view.IsChecked(kCmdGridDisplay));
  CurrentSettings().GridPitch = 7;
  view.OnCommand(kCmdGridPitch);
  EXPECT_EQ(drawing.entities.head->values[2], 7);
  EXPECT_EQ(host.invalidated.size(), 2u);
}

TEST_F(ViewCommands, SwitchesToggle) {
  Shown();
  for (int id : {kCmdMagnet, kCmdDistanceDisplay}) {
    const bool before = view.IsChecked(id);
    EXPECT_TRUE(view.OnCommand(id));
    EXPECT_NE(view.IsChecked(id), before);
  }
  EXPECT_FALSE(view.OnCommand(12345));
}

TEST(CursorCoordinates, SmallMagnitudesShowAsZero) {
  struct Case {
    char axis;
    double value;
    const char* text;
  } cases[] = {
      {'X', -0.6, "X :      0"}, {'Y', 0.4, "Y :      0"}, {'X', 1.5, "X :      2"},
      {'Y', -1234.4, "Y :  -1234"}, {'X', 12345678, "X :12345678"},
  };
  for (const Case& c : cases) EXPECT_EQ(CursorCoordinateText(c.axis, c.value), c.text);
}

TEST_F(ViewCommands, ResizeSetsTheDocumentExtentWithAMinimumAndTheViewExtentOnlyGrows) {
  view.OnInitialUpdate();
  view.OnSize(1000, 300);
  EXPECT_EQ(drawing.extentWidth, 1000);
  EXPECT_EQ(drawing.extentHeight, 420);
  view.OnSize(200, 700);
  EXPECT_EQ(drawing.extentWidth, 594);
  EXPECT_EQ(drawing.extentHeight, 700);
  EXPECT_EQ(view.mapping().clientWidth, 200);
  EXPECT_EQ(view.mapping().extentWidth, 1000);
  EXPECT_EQ(view.mapping().extentHeight, 700);
}

TEST_F(ViewCommands, RedrawErasesEverythingFirst) {
  Shown();
  view.OnCommand(kCmdRedraw);
  ASSERT_FALSE(host.canvas.primitives().empty());
  EXPECT_EQ(host.canvas.primitives().front().op, CanvasOp::kFillRect);
  EXPECT_EQ(host.canvas.primitives().front().rect, (PixelRect{0, 0, 800, 600}));
}

TEST_F(ViewCommands, InvalidateEntityCoversTheElementWithAMargin) {
  Shown();
  const DrawEntity* line = testing::AddLine(drawing.entities, 10, 10, 50, 20);
  view.InvalidateEntity(*line);
  ASSERT_EQ(host.invalidated.size(), 1u);
  const PixelRect r = host.invalidated[0];
  const PixelPoint a = view.mapping().ModelToScreen(10, 10), b = view.mapping().ModelToScreen(50, 20);
  EXPECT_LE(r.left, a.x - 10);
  EXPECT_GE(r.right, b.x + 10);
  EXPECT_LE(r.top, b.y - 10);
  EXPECT_GE(r.bottom, a.y + 10);
}

}  // namespace
}  // namespace plenwick
