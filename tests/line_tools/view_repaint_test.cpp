// Guards the line tool's feedback against the view repainting under a running operation: a zoom,
// pan, scroll, redraw, grid or frame switch or resize wipes the picture (or paints over it) without
// the tool's doing, and the cross mark, rubber band, guide, magnet marker and highlights must come
// back at the new pixels of their model points with no exclusive-or ghost of the old ones; the
// rules judged in pixels (horizontal or vertical, a click on the start's own pixel) must use where
// the start is shown now, not where it was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "line_fixture.h"
#include "view/feedback_shapes.h"

namespace plenwick {
namespace {

using testing::ExpectNear;
using testing::LineRecord;
using testing::ToolTestView;

// A view change as the window delivers it: the command, then the paint of what it invalidated.
struct ViewChange {
  const char* name;
  void (*apply)(ToolTestView& t);
};

void PrintTo(const ViewChange& change, std::ostream* os) { *os << change.name; }

std::string ChangeName(const ::testing::TestParamInfo<ViewChange>& row) { return row.param.name; }

void RunCommand(ToolTestView& t, int command) {
  t.router->OnCommand(command);
  t.PaintInvalidated();
}

const ViewChange kViewChanges[] = {
    {"ZoomIn", [](ToolTestView& t) { RunCommand(t, kCmdPageUp); }},
    {"ZoomOut", [](ToolTestView& t) { RunCommand(t, kCmdPageDown); }},
    {"Redraw", [](ToolTestView& t) { RunCommand(t, kCmdRedraw); }},
    {"PanUp", [](ToolTestView& t) { RunCommand(t, kCmdPanUp); }},
    // The mouse moves before the window gets round to painting the pan.
    {"PanLeftMovedBeforePaint",
     [](ToolTestView& t) {
       t.router->OnCommand(kCmdPanLeft);
       t.router->OnMouseMove(0, {420, 380});
       t.PaintInvalidated();
     }},
    {"ScrollBars",
     [](ToolTestView& t) {
       t.view->ScrollBy(30, -20);
       t.PaintInvalidated();
     }},
    {"GridOnAndOff",
     [](ToolTestView& t) {
       RunCommand(t, kCmdGridDisplay);
       RunCommand(t, kCmdGridDisplay);
     }},
    // These two paint over the old picture without erasing it; the mark's second switch also
    // repaints a small square alone.
    {"AreaFrame", [](ToolTestView& t) { RunCommand(t, kCmdAreaFrame); }},
    {"OriginMarkOnAndOff",
     [](ToolTestView& t) {
       RunCommand(t, kCmdOriginMark);
       RunCommand(t, kCmdOriginMark);
     }},
    {"Resize",
     [](ToolTestView& t) {
       t.view->OnSize(700, 500);
       t.host.Invalidate(nullptr);
       t.PaintInvalidated();
     }},
};

class LineRepaint : public testing::LineToolTest {
 protected:
  void ClickPixel(PixelPoint p) {
    t.router->OnMouseMove(0, p);
    t.router->OnLButtonDown(kMkLButton, p);
    t.router->OnLButtonUp(0, p);
  }
  // Whether the cross mark of the indicator colour is on the screen at a pixel.
  bool CrossShownAt(PixelPoint at) const {
    int drawn = 0;
    for (const PixelLine& line : CrossMarkLines(at)) {
      int times = 0;
      for (const RecordedPrimitive& p : SinceWholeFill()) {
        times += p.op == CanvasOp::kLine && p.drawMode != DrawMode::kCopy && p.pen.colour == t.tools->FindTool()->indicatorColour &&
                 p.points.size() == 2 && p.points[0] == line.from && p.points[1] == line.to;
      }
      drawn += times % 2;
    }
    return drawn == 2;
  }
  // Elements drawn in the highlight colour since the last whole fill.
  std::size_t HighlightedSinceFill() const {
    std::size_t n = 0;
    for (const RecordedPrimitive& p : SinceWholeFill()) {
      n += p.drawMode == DrawMode::kCopy && p.op != CanvasOp::kFillRect && p.pen.colour == HighlightColour();
    }
    return n;
  }
};

class LineRepaintByChange : public LineRepaint, public ::testing::WithParamInterface<ViewChange> {};

TEST_P(LineRepaintByChange, TheStartCrossMovesWithThePictureAndNothingIsLeftWhenTheLineEnds) {
  Select(0);
  Click(100, 100);
  Move(150, 130);
  GetParam().apply(t);
  const PixelPoint start = t.view->ModelToScreen(100, 100);
  EXPECT_TRUE(CrossShownAt(start));
  const PixelPoint end{start.x + 60, start.y - 25};
  t.router->OnMouseMove(0, end);
  EXPECT_TRUE(CrossShownAt(start));
  ClickPixel(end);
  EXPECT_EQ(step(), 0);
  ASSERT_EQ(Lines().size(), 1u);
  ExpectNear(Lines()[0].a, {100, 100});
  ExpectNear(Lines()[0].b, t.view->ScreenToModel(end.x, end.y));
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_P(LineRepaintByChange, NothingIsLeftWhenTheOperationIsCancelled) {
  s().DistanceDisplay = 1;  // the label goes and comes with the rubber band
  Select(1);
  Click(100, 100);
  Click(200, 100);  // the chain's second start
  Move(250, 160);
  GetParam().apply(t);
  EXPECT_TRUE(CrossShownAt(t.view->ModelToScreen(200, 100)));
  Move(260, 170);
  Command(kCmdEscape);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(ViewChanges, LineRepaintByChange, ::testing::ValuesIn(kViewChanges),
                         ChangeName);

TEST_F(LineRepaint, AZoomMovesTheCrossAndTheRubberBandEndsAtTheMouse) {
  Select(0);
  Click(100, 100);
  Move(150, 130);
  const PixelPoint before = t.view->ModelToScreen(100, 100);
  Command(kCmdPageUp);
  const PixelPoint start = t.view->ModelToScreen(100, 100);
  ASSERT_NE(start, before);
  // At once, without waiting for the mouse: the cross at the start's new pixel, none at the old.
  EXPECT_TRUE(CrossShownAt(start));
  EXPECT_FALSE(CrossShownAt(before));
  // The rubber band runs from there to the mouse, which has not moved.
  bool rubber = false;
  for (const RecordedPrimitive& p : SinceWholeFill()) {
    rubber |= p.op == CanvasOp::kLine && p.drawMode != DrawMode::kCopy && p.points.size() == 2 &&
              p.points[0] == start && p.points[1] == Px(150, 130);
  }
  EXPECT_TRUE(rubber);
  EXPECT_EQ(XorLeftOnScreen().size(), 3u);  // the cross's two strokes and the rubber band
}

TEST_F(LineRepaint, HighlightsAndTheGuideComeBackAfterAZoom) {
  testing::AddLine(t.doc->entities, 100, 100, 300, 100);
  testing::AddLine(t.doc->entities, 100, 200, 300, 200);
  Select(5);
  Click(200, 100);
  Click(200, 200);  // parallels: the centre line is y = 150
  ASSERT_EQ(step(), 2);
  Command(kCmdPageUp);
  EXPECT_EQ(HighlightedSinceFill(), 2u);
  const int guideY = t.view->ModelToScreen(0, 150).y;
  int guides = 0;
  for (const RecordedPrimitive& p : SinceWholeFill()) {
    guides += p.op == CanvasOp::kLine && p.pen.style == PenStyle::kDot && p.drawMode != DrawMode::kCopy &&
              p.points[0].y == guideY && p.points[1].y == guideY;
  }
  EXPECT_EQ(guides, 1);
  Command(kCmdEscape);
  EXPECT_NE(LastSolidColour(), HighlightColour());  // drawn normally again
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(LineRepaint, ARubberBandThatComesIntoViewIsShown) {
  // A rubber band off the client (a parallel at a set distance just beyond the top) shows
  // nothing; once a zoom out brings it into view it must be shown without waiting for the mouse.
  testing::AddLine(t.doc->entities, 100, 100, 300, 100);
  RunCommand(t, kCmdPageDown);  // from here a zoom out shows more at the top
  const double top = t.view->ScreenToModel(400, 0).y;
  const double height = top - t.view->ScreenToModel(400, 600).y;
  s().ParallelDistanceOn = 1;
  s().ParallelDistance = static_cast<float>(top - 100 + height / 100);
  s().ParallelCount = 1;
  Select(4);
  const PixelPoint onLine = t.view->ModelToScreen(200, 100);
  t.router->OnMouseMove(0, onLine);
  t.router->OnLButtonDown(kMkLButton, onLine);
  t.router->OnLButtonUp(0, onLine);
  ASSERT_EQ(step(), 1);
  t.router->OnMouseMove(0, t.view->ModelToScreen(250, 150));  // the side above
  ASSERT_EQ(XorSinceWholeFill(CanvasOp::kLine), 0);
  RunCommand(t, kCmdPageDown);
  EXPECT_EQ(XorSinceWholeFill(CanvasOp::kLine), 1);
  Command(kCmdEscape);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(LineRepaint, TheMagnetJudgesTheUnmovedCursorAfresh) {
  // After a pan the cursor stands over another place: the magnet must not keep the point it had
  // (its marker far from the cursor, and a click without moving snapping to that point).
  HoverNearALineEnd();
  ASSERT_EQ(XorSinceWholeFill(CanvasOp::kRectangle), 1);
  RunCommand(t, kCmdPanUp);
  EXPECT_EQ(XorSinceWholeFill(CanvasOp::kRectangle), 0) << "no point near the cursor now";
  const PixelPoint cursor = Px(103, 104);
  t.router->OnLButtonDown(kMkLButton, cursor);
  t.router->OnLButtonUp(0, cursor);
  Click(250, 300);
  ASSERT_EQ(Lines().size(), 2u);
  const ModelPoint start = Lines()[1].a;
  EXPECT_FALSE(start.x == 100 && start.y == 100) << "the click snapped to the point it was near before the pan";
  Command(kCmdEscape);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

// A view change under a horizontal-or-vertical line: the decision is made from where the start
// is shown now.
class AxisAfterViewChange : public LineRepaint, public ::testing::WithParamInterface<ViewChange> {};

TEST_P(AxisAfterViewChange, TheDirectionIsJudgedFromTheStartsNewPixel) {
  s().LineHVMode = 1;
  Select(0);
  Click(100, 100);
  const PixelPoint old = Px(100, 100);
  GetParam().apply(t);
  const PixelPoint start = t.view->ModelToScreen(100, 100);
  // Beside the start as shown now, back toward where it was across and further away along y.
  const PixelPoint end{start.x + (start.x > old.x ? -40 : 40), start.y + (start.y >= old.y ? 5 : -5)};
  ASSERT_GT(std::abs(end.y - old.y), std::abs(end.x - old.x));  // a vertical drag from where it was
  ClickPixel(end);
  ASSERT_EQ(Lines().size(), 1u);
  ExpectNear(Lines()[0].a, {100, 100});
  ExpectNear(Lines()[0].b, {t.view->ScreenToModel(end.x, end.y).x, 100});
}

const ViewChange kMovingChanges[] = {
    {"ZoomIn", [](ToolTestView& t) { RunCommand(t, kCmdPageUp); }},
    {"ZoomOut", [](ToolTestView& t) { RunCommand(t, kCmdPageDown); }},
    {"PanUp", [](ToolTestView& t) { RunCommand(t, kCmdPanUp); }},
};
INSTANTIATE_TEST_SUITE_P(ViewChanges, AxisAfterViewChange, ::testing::ValuesIn(kMovingChanges),
                         ChangeName);

TEST_F(LineRepaint, AClickOnTheStartsPixelMeansTheStartWhereItIsShownNow) {
  Select(0);
  Click(100, 100);
  const PixelPoint old = Px(100, 100);
  RunCommand(t, kCmdPanUp);
  const PixelPoint start = t.view->ModelToScreen(100, 100);
  ASSERT_NE(start, old);
  ClickPixel(start);  // the start itself: nothing
  EXPECT_EQ(step(), 1);
  EXPECT_TRUE(Lines().empty());
  ClickPixel(old);  // where it used to be is another point now
  ASSERT_EQ(Lines().size(), 1u);
  ExpectNear(Lines()[0].b, t.view->ScreenToModel(old.x, old.y));
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

}  // namespace
}  // namespace plenwick
