// Guards what a large drawing costs while its window settles: opening renders it whole once, and
// resizing before the first paint, activation, exposes, palette and layer-list moves and the
// cursor's status coordinates repaint from the back-buffer.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMouseEvent>

#include "child_frame.h"
#include "frame_fixture.h"
#include "main_frame.h"
#include "model/document_file.h"
#include "palette_window.h"
#include "pop_layer.h"
#include "support/entity_builders.h"
#include "view_widget.h"

namespace plenwick {
namespace {

using testing::WaitFor;

class WholeRenderTest : public testing::FrameFixture {
 protected:
  QString WriteDrawing() {
    const std::string path = tmp / "plan.pwk";
    testing::RecordingUserInterface quiet;
    CPlenwickDoc doc(folders.program, quiet);
    testing::AddGrid(doc.entities);
    for (int i = 0; i < 40; ++i) {
      testing::AddLine(doc.entities, 10 + 6 * i, 10, 20 + 6 * i, 200);
      testing::AddCircle(doc.entities, 20 + 6 * i, 105, 1 + i % 7);
    }
    doc.areaSet = 1;
    doc.areaMax = {297, 210, 0};
    doc.header.setPaperMode(0);
    EXPECT_EQ(SaveDocumentFile(doc, path), 0);
    return QString::fromStdString(path);
  }
  static void Settle() { WaitFor([] { return false; }, 300); }
};

TEST_F(WholeRenderTest, OpeningRendersTheDrawingWholeOnceAndTheWindowRepaintsFromTheBuffer) {
  CChildFrame* child = frame->OpenDrawing(WriteDrawing());
  ASSERT_NE(child, nullptr);
  // The frame changes size while the new window comes up, as a window manager's fitting does.
  frame->resize(1040, 820);
  CViewWidget& view = child->viewWidget();
  ASSERT_TRUE(WaitFor([&view] { return view.initialized(); }));
  Settle();
  EXPECT_EQ(view.view().wholeRenders(), 1);
  const QImage shown = view.Picture();

  QApplication::setActiveWindow(frame.get());
  frame->findChild<QMdiArea*>()->setActiveSubWindow(child);
  view.viewport()->repaint();
  view.viewport()->update(20, 20, 200, 100);
  ASSERT_NE(frame->palette(), nullptr);
  frame->palette()->move(frame->palette()->pos() + QPoint(60, 40));
  ASSERT_NE(frame->layerList(), nullptr);
  frame->layerList()->move(frame->layerList()->pos() + QPoint(-30, 50));
  Settle();
  EXPECT_EQ(view.view().wholeRenders(), 1);
  EXPECT_EQ(view.Picture(), shown);

  // The cursor's coordinates go to the status bar; the picture is not rendered for them.
  for (int x = 100; x < 400; x += 30) {
    QMouseEvent move(QEvent::MouseMove, QPointF(x, 150), view.viewport()->mapToGlobal(QPointF(x, 150)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
  }
  Settle();
  EXPECT_EQ(view.view().wholeRenders(), 1);
  EXPECT_NE(frame->StatusText(1), "X:          0");
}

}  // namespace
}  // namespace plenwick
