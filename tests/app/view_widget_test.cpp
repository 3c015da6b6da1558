// Guards the drawing window: the picture on the back-buffer, exclusive-or feedback that a second
// drawing removes, the range zoom driven by the mouse, the hand cursors, and scroll bars that
// appear only below the extent and move the picture.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QScrollBar>

#include "model/program_settings.h"
#include "support/entity_builders.h"
#include "view/standalone_drawing.h"
#include "view_widget.h"
#include "widget_test_support.h"

namespace plenwick {
namespace {

class ViewWidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetCurrentSettings();
    testing::AddLine(drawing.entities, 10, 10, 287, 200);
    testing::AddCircle(drawing.entities, 148, 105, 50);
    drawing.areaSet = 1;
    drawing.areaMax = {297, 210, 0};
  }
  void TearDown() override { ResetCurrentSettings(); }

  // A shown window of the given size, initial update done.
  std::unique_ptr<CViewWidget> Shown(int w, int h) { return testing::ShownViewWidget(drawing.view(), w, h); }
  static void Mouse(CViewWidget& w, QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(x, y), w.viewport()->mapToGlobal(QPointF(x, y)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w.viewport(), &event);
  }

  StandaloneDrawing drawing;
};

TEST_F(ViewWidgetTest, ThePictureShowsTheDrawing) {
  auto w = Shown(600, 450);
  const QImage picture = w->Picture();
  int inked = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) inked += (picture.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
  }
  EXPECT_GT(inked, 300);
}

TEST_F(ViewWidgetTest, ExclusiveOrFeedbackIsRemovedByDrawingItAgain) {
  auto w = Shown(400, 300);
  const QImage before = w->Picture();
  auto feedback = [](Canvas& c) {
    c.SetDrawMode(DrawMode::kNotXor);
    c.SetPen({PenKind::kCosmetic, PenStyle::kDot, 1, 0x0000FF});
    c.Rectangle({20, 20, 300, 200});
    c.Line({0, 0}, {399, 299});
    c.SetDrawMode(DrawMode::kCopy);
  };
  w->DrawOnClient(feedback);
  EXPECT_NE(w->Picture(), before);
  w->DrawOnClient(feedback);
  EXPECT_EQ(w->Picture(), before);
}

TEST_F(ViewWidgetTest, TheMouseDrawsAZoomRange) {
  auto w = Shown(600, 450);
  CPlenwickView& view = w->view();
  const double width = view.mapping().ViewWindow.width();
  ASSERT_TRUE(w->RunCommand(kCmdRangeZoom));
  EXPECT_TRUE(view.IsChecked(kCmdRangeZoom));
  Mouse(*w, QEvent::MouseButtonPress, 100, 100, Qt::LeftButton, Qt::LeftButton);
  Mouse(*w, QEvent::MouseButtonRelease, 100, 100, Qt::LeftButton, Qt::NoButton);
  Mouse(*w, QEvent::MouseMove, 250, 200, Qt::NoButton, Qt::NoButton);
  Mouse(*w, QEvent::MouseButtonPress, 300, 250, Qt::LeftButton, Qt::LeftButton);
  Mouse(*w, QEvent::MouseButtonRelease, 300, 250, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(view.ViewMode, kViewNormal);
  EXPECT_LT(view.mapping().ViewWindow.width(), width / 2);
}

TEST_F(ViewWidgetTest, HandMoveShowsOpenAndClosedHands) {
  auto w = Shown(600, 450);
  ASSERT_TRUE(w->RunCommand(kCmdHandMove));
  EXPECT_EQ(w->viewport()->cursor().shape(), Qt::OpenHandCursor);
  const PixelPoint offset = w->view().mapping().ScrollOffset;
  Mouse(*w, QEvent::MouseButtonPress, 100, 100, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(w->viewport()->cursor().shape(), Qt::ClosedHandCursor);
  Mouse(*w, QEvent::MouseButtonRelease, 160, 130, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(w->viewport()->cursor().shape(), Qt::OpenHandCursor);
  EXPECT_EQ(w->view().mapping().ScrollOffset, (PixelPoint{offset.x - 60, offset.y + 30}));
  ASSERT_TRUE(w->RunCommand(kCmdHandMove));
  EXPECT_EQ(w->viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ViewWidgetTest, ScrollBarsOnlyBelowTheExtentAndTheyMoveThePicture) {
  auto large = Shown(800, 600);
  EXPECT_EQ(large->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(large->verticalScrollBar()->maximum(), 0);

  auto small = Shown(300, 200);
  QScrollBar* h = small->horizontalScrollBar();
  QScrollBar* v = small->verticalScrollBar();
  ASSERT_GT(h->maximum(), 0);
  ASSERT_GT(v->maximum(), 0);
  const PixelPoint offset = small->view().mapping().ScrollOffset;
  h->setValue(40);
  v->setValue(25);
  EXPECT_EQ(small->view().mapping().ScrollOffset, (PixelPoint{offset.x + 40, offset.y - 25}));
}

}  // namespace
}  // namespace plenwick
