// Guards the shell of the tool framework: the palette opened by the first drawing and kept in
// step with tool commands, its family buttons and mode list, its place taken by the parts
// browser and given back, the prompt box and the operation bar following the chosen mode, bar
// edits reaching the tool values (refusals told, Enter kept inside the bar), the numeric input
// dialog's arithmetic and refusals, the tools' context menu, the menu built from the tables, the
// figure-selection bar's flat picture buttons, and a running line's exclusive-or feedback that
// zooms, pans, partial repaints and resizes of the window leave without a ghost pixel.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <array>
#include <set>
#include <filesystem>

#include "child_frame.h"
#include "command_actions.h"
#include "frame_boxes.h"
#include "main_frame.h"
#include "model/document_file.h"
#include "model/program_settings.h"
#include "tools/edit/idou_zahyo_dlg.h"
#include "idou_zahyo_dialog.h"
#include "line_input_dialog.h"
#include "numeric_input_dialog.h"
#include "operation_bar_widget.h"
#include "palette_window.h"
#include "parts_browser_window.h"
#include "support/entity_builders.h"
#include "support/recording_ui.h"
#include "support/scoped_temp_folder.h"
#include "view/tool_framework/line_input.h"
#include "view/tool_framework/numeric_input.h"
#include "view/tool_framework/operation_bar.h"
#include "view/snap_registration.h"
#include "view/tool_framework/view_tool_router.h"
#include "view_widget.h"
#include "frame_fixture.h"
#include "widget_test_support.h"

namespace plenwick {
namespace {

using testing::Child;
using testing::RecordingUserInterface;
using testing::ScopedTempFolder;
using testing::WhenModal;

class ToolShellTest : public testing::FrameFixture {
 protected:
  void SetUp() override {
    // Nothing another test installed may stand in for the program's own start-up.
    InstallSnapPointRegistrar({});
    FrameFixture::SetUp();
    const std::string path = tmp / "t.pwk";
    {
      RecordingUserInterface quiet;
      CPlenwickDoc doc(folders.program, quiet);
      testing::AddGrid(doc.entities);
      testing::AddLine(doc.entities, 10, 10, 287, 200);
      EXPECT_EQ(SaveDocumentFile(doc, path), 0);
    }
    child = frame->OpenDrawing(QString::fromStdString(path));
    ASSERT_TRUE(child && testing::WaitFor([this] { return child->viewWidget().initialized(); }));
  }
  QString Prompt() const { return frame->promptBox()->text(); }
  // A left click at (x, y) of a widget, after the mouse came there.
  static void ClickAt(QWidget* widget, int x, int y) {
    for (QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, QPointF(x, y), widget->mapToGlobal(QPointF(x, y)),
                        type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(widget, &event);
    }
  }
  // 任意文字 and a click at (x, y) of the drawing's view: the text box it opens.
  QLineEdit* OpenTextBox(int x, int y) {
    frame->OnCommand(32832);  // 任意文字
    ClickAt(child->viewWidget().viewport(), x, y);
    return child->viewWidget().textBox();
  }
  QString BarTitle() const { return frame->findChild<QToolBar*>("operationBarArea")->windowTitle(); }

  CChildFrame* child = nullptr;
};

TEST_F(ToolShellTest, TheFirstDrawingOpensThePaletteOnTheSelectionTool) {
  DrawingPaletteWindow* palette = frame->palette();
  ASSERT_NE(palette, nullptr);
  EXPECT_TRUE(palette->isVisible());
  EXPECT_EQ(palette->windowTitle(), QString::fromUtf8("作図パレット"));
  EXPECT_EQ(palette->familyButtons()->checkedId(), 0);
  ASSERT_EQ(palette->modeList()->count(), 5);
  EXPECT_EQ(palette->modeList()->item(4)->text(), QString::fromUtf8("作図要素リスト"));
  EXPECT_EQ(palette->modeList()->currentRow(), 0);
  EXPECT_EQ(Prompt(), QString::fromUtf8("図形を選んで移動・変形を行います。（Ｗクリックで属性変更）"));
  EXPECT_EQ(BarTitle(), QString::fromUtf8("図形選択"));
  EXPECT_TRUE(frame->IsCommandChecked(32870));
}

TEST_F(ToolShellTest, ACommandChoosesTheToolAndThePaletteFollows) {
  frame->OnCommand(32811);  // 直線
  EXPECT_EQ(frame->tools().state().CurrentToolCode, 2);
  EXPECT_EQ(Prompt(), QString::fromUtf8("直線を作図します。始端を指示して下さい。"));
  EXPECT_EQ(BarTitle(), QString::fromUtf8("直線指定"));
  EXPECT_NE(frame->operationBar()->control(1141), nullptr);
  DrawingPaletteWindow* palette = frame->palette();
  EXPECT_EQ(palette->familyButtons()->checkedId(), 2);
  EXPECT_EQ(palette->modeList()->count(), 9);
  EXPECT_EQ(palette->modeList()->currentRow(), 0);

  palette->modeList()->setCurrentRow(4);  // 平行線
  EXPECT_EQ(frame->tools().state().ToolMode, 4);
  EXPECT_EQ(Prompt(), QString::fromUtf8("平行基準線を指示して下さい。"));
  EXPECT_EQ(BarTitle(), QString::fromUtf8("平行線指定"));

  palette->familyButtons()->button(4)->click();  // 円・円弧
  EXPECT_EQ(frame->tools().state().CurrentToolCode, 4);
  EXPECT_EQ(Prompt(), QString::fromUtf8("円を作図します。中心位置指示して下さい。"));
  palette->familyButtons()->button(2)->click();  // back: the family's last mode
  EXPECT_EQ(frame->tools().state().ToolMode, 4);
  EXPECT_EQ(palette->modeList()->currentRow(), 4);

  frame->OnCommand(32842);  // 単一削除: no bar
  EXPECT_FALSE(frame->findChild<QToolBar*>("operationBarArea")->isVisible());
}

TEST_F(ToolShellTest, AToolChosenOnThePaletteEndsAHandMove) {
  // The palette must end a hand move as the menu does: no open-hand cursor or checked
  // ハンド移動 left behind while the tool is already at work.
  frame->OnCommand(kCmdHandMove);
  CViewWidget& w = child->viewWidget();
  ASSERT_EQ(w.view().ViewMode, kViewHandMove);
  ASSERT_TRUE(frame->IsCommandChecked(kCmdHandMove));
  frame->palette()->familyButtons()->button(2)->click();  // 直線
  EXPECT_EQ(w.view().ViewMode, kViewNormal);
  EXPECT_FALSE(frame->IsCommandChecked(kCmdHandMove));
  EXPECT_FALSE(w.viewport()->testAttribute(Qt::WA_SetCursor));
}

TEST_F(ToolShellTest, ClosingThePaletteOnlyClosesItUntilThereIsAPartsBrowser) {
  frame->tools().SetPartsBrowserAvailable(false);
  frame->OnCommand(32811);
  frame->palette()->close();
  EXPECT_FALSE(frame->palette()->isVisible());
  EXPECT_EQ(frame->partsBrowser(), nullptr);
  EXPECT_FALSE(frame->IsCommandChecked(32870));
  EXPECT_EQ(frame->tools().state().CurrentToolCode, 2) << "the active tool stays";
  frame->OnCommand(32870);  // 作図パレット opens it again
  EXPECT_TRUE(frame->palette()->isVisible());
  EXPECT_TRUE(frame->IsCommandChecked(32870));
}

TEST_F(ToolShellTest, ClosingThePaletteBringsThePartsBrowserAndBack) {
  frame->palette()->close();
  ASSERT_NE(frame->partsBrowser(), nullptr);
  EXPECT_TRUE(frame->partsBrowser()->isVisible());
  EXPECT_FALSE(frame->palette()->isVisible());
  EXPECT_TRUE(frame->IsCommandChecked(32871));
  EXPECT_EQ(frame->tools().state().CurrentToolCode, 16);
  EXPECT_EQ(Prompt(), QString::fromUtf8("部品データの配置位置をクリックしてください。"));
  frame->OnCommand(32870);
  EXPECT_TRUE(frame->palette()->isVisible());
  EXPECT_FALSE(frame->partsBrowser()->isVisible());
  frame->OnCommand(32871);
  EXPECT_TRUE(frame->partsBrowser()->isVisible());
  frame->partsBrowser()->close();  // closing the browser gives the palette back
  EXPECT_TRUE(frame->palette()->isVisible());
}

TEST_F(ToolShellTest, BarEditsReachTheToolValues) {
  frame->OnCommand(32811);
  OperationBarWidget* bar = frame->operationBar();
  auto* length = qobject_cast<QLineEdit*>(bar->control(1141));
  ASSERT_NE(length, nullptr);
  length->setText("125.5");
  emit length->textEdited(length->text());
  emit length->editingFinished();
  EXPECT_FLOAT_EQ(CurrentSettings().LineLength, 125.5f);

  auto* angle = qobject_cast<QLineEdit*>(bar->control(1169));
  ASSERT_NE(angle, nullptr);
  EXPECT_FALSE(angle->isEnabled());  // until "角度指定"
  qobject_cast<QCheckBox*>(bar->control(1372))->click();
  EXPECT_TRUE(angle->isEnabled());
  angle->setText("400");
  emit angle->textEdited(angle->text());
  // Enter in the edit takes the value there and goes no further.
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(angle, &enter);
  EXPECT_TRUE(enter.isAccepted());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], "-360 から 360 までの数値を入力してください。");
  EXPECT_EQ(angle->text(), "0");  // the previous value again

  qobject_cast<QRadioButton*>(bar->control(1319))->click();
  EXPECT_EQ(CurrentSettings().LineHVMode, 1);
  EXPECT_TRUE(qobject_cast<QRadioButton*>(bar->control(1319))->isChecked());
  EXPECT_FALSE(qobject_cast<QRadioButton*>(bar->control(1318))->isChecked());
}

// The hatching bar refuses spacings no hatching can be drawn with; the paint bar offers its seven
// fills as pictures, each a different swatch, and the one clicked is the paint's pattern.
TEST_F(ToolShellTest, HatchingAndPaintBarsTakeTheirChoices) {
  frame->OnCommand(32862);
  OperationBarWidget* bar = frame->operationBar();
  auto* spacing = qobject_cast<QLineEdit*>(bar->control(1066));
  ASSERT_NE(spacing, nullptr);
  spacing->setText("0");
  emit spacing->textEdited(spacing->text());
  emit spacing->editingFinished();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], "0.01 から 1000000 までの数値を入力してください。");
  EXPECT_FLOAT_EQ(CurrentSettings().HatchSpacingY, 20.0f);

  frame->OnCommand(32863);
  bar = frame->operationBar();
  std::set<qint64> swatches;
  for (int id = 1464; id < 1471; ++id) {
    auto* button = qobject_cast<QToolButton*>(bar->control(id));
    ASSERT_NE(button, nullptr) << id;
    ASSERT_FALSE(button->icon().isNull()) << id;
    const QImage picture = button->icon().pixmap(16, 15).toImage();
    swatches.insert(qHashBits(picture.constBits(), static_cast<std::size_t>(picture.sizeInBytes())));
  }
  EXPECT_GE(swatches.size(), 7u);
  qobject_cast<QToolButton*>(bar->control(1467))->click();
  EXPECT_EQ(frame->tools().state().PaintPattern, 3);
}

TEST_F(ToolShellTest, NumericInputEvaluatesFromLeftToRight) {
  struct Case {
    const char* typed;
    bool accepted;
    double value;
    const char* message;
  } cases[] = {
      {"1+2*3", true, 9, ""},
      {"10/4", true, 2.5, ""},
      {"-5", true, -5, ""},
      {"２", false, 0, "入力文字に誤りがあります。[0-9 . +-*/]"},
      {"", false, 0, "数値の入力がありません！"},
  };
  for (const Case& c : cases) {
    ui.messages.clear();
    CInputNumDlg model(1);
    NumericInputDialog dialog(model, ui);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("数値入力　（四則演算式入力可能）"));
    EXPECT_EQ(Child<QLabel>(&dialog, "label")->text(), QString::fromUtf8("半径入力 （mm）"));
    dialog.show();
    dialog.edit()->setText(QString::fromUtf8(c.typed));
    Child<QPushButton>(&dialog, "ok")->click();
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.typed;
    if (c.accepted) {
      EXPECT_DOUBLE_EQ(model.value(), c.value) << c.typed;
      EXPECT_TRUE(ui.messages.empty());
    } else {
      EXPECT_EQ(ui.messages, std::vector<std::string>{c.message}) << c.typed;
    }
  }
}

// The line dialog's window: the radio buttons relabel the edits, both texts are evaluated left
// to right, and a refused text keeps the dialog open with the focus on the edit at fault.
TEST_F(ToolShellTest, LineInputDialogSwitchesModesAndEvaluatesBothEdits) {
  ProgramSettings settings;
  CLineInputDlg model(kLineInputPolar, settings);
  LineInputDialog dialog(model, ui);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("数値入力"));
  const QString polarLabel = Child<QLabel>(&dialog, "label0")->text();
  dialog.modeButton(kLineInputOffset)->click();
  EXPECT_EQ(model.mode(), kLineInputOffset);
  EXPECT_NE(Child<QLabel>(&dialog, "label0")->text(), polarLabel);
  dialog.modeButton(kLineInputPolar)->click();
  EXPECT_EQ(Child<QLabel>(&dialog, "label0")->text(), polarLabel);

  dialog.edit(0)->setText("10+5*2");
  dialog.edit(1)->setText("1.2.3");
  Child<QPushButton>(&dialog, "ok")->click();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(model.focusField(), 1);

  dialog.edit(1)->setText("-30");
  Child<QPushButton>(&dialog, "ok")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_DOUBLE_EQ(model.value(0), 30);
  EXPECT_DOUBLE_EQ(model.value(1), -30);
}

// The moving tool's displacement window: its texts, edits of 40 characters, an empty edit told by
// its own message with the focus put there, and both values after 実　行.
TEST_F(ToolShellTest, DisplacementDialogEvaluatesBothEdits) {
  IdouZahyoDlg model;
  IdouZahyoDialog dialog(model, ui);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("移動・複写値入力"));
  EXPECT_EQ(Child<QPushButton>(&dialog, "ok")->text(), QString::fromUtf8("実\u3000行"));
  EXPECT_EQ(dialog.edit(1)->maxLength(), 40);
  dialog.edit(0)->setText("2*3");
  Child<QPushButton>(&dialog, "ok")->click();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], "Ｙ方向値の入力がありません！");
  EXPECT_EQ(model.focusField(), 1);
  dialog.edit(1)->setText("-4/2");
  Child<QPushButton>(&dialog, "ok")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_DOUBLE_EQ(model.dx(), 6);
  EXPECT_DOUBLE_EQ(model.dy(), -2);
}

TEST_F(ToolShellTest, NumericInputForTheLineRunsTheLineDialog) {
  frame->OnCommand(32811);  // 直線
  frame->tools().state().InputStep = 1;
  bool shown = false;
  WhenModal([&shown](QWidget* dialog) {
    shown = dialog->findChild<QRadioButton*>("mode0") != nullptr;
    Child<QPushButton>(dialog, "cancel")->click();
  });
  frame->OnCommand(32886);
  EXPECT_TRUE(shown) << "the line's any-direction step takes length and angle";
}

TEST_F(ToolShellTest, NumericInputCommandRunsTheDialogForTheTool) {
  frame->OnCommand(32824);  // 円(半径)
  frame->tools().state().InputStep = 1;
  WhenModal([](QWidget* dialog) {
    EXPECT_EQ(Child<QLabel>(dialog, "label")->text(), QString::fromUtf8("半径入力 （mm）"));
    Child<QLineEdit>(dialog, "value")->setText("2*3+4");
    Child<QPushButton>(dialog, "ok")->click();
  });
  frame->OnCommand(32886);
  EXPECT_DOUBLE_EQ(frame->tools().state().EnteredValue, 10);
  EXPECT_EQ(frame->tools().state().NumericEntered, 0);  // taken by the one release
}

TEST_F(ToolShellTest, TheToolsContextMenuOffersItsCommandAndCancel) {
  frame->OnCommand(32811);
  frame->tools().state().InputStep = 1;
  QStringList offered;
  QTimer::singleShot(50, [&offered] {
    QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* a : menu->actions()) offered << a->text();
    menu->close();
  });
  child->router().OnContextMenu({300, 300});
  EXPECT_EQ(offered, QString::fromUtf8("数値入力...,キャンセル").split(','));
}

TEST_F(ToolShellTest, LeftClicksReachTheToolAfterItsContextMenu) {
  // A menu opened on the right press takes the release: the view would think the right button
  // still down and turn the next left press into a zoom range, and the tool would never see it.
  QWidget* viewport = child->viewWidget().viewport();
  auto mouse = [&](QEvent::Type type, int x, int y, Qt::MouseButton button) {
    QMouseEvent event(type, QPointF(x, y), viewport->mapToGlobal(QPointF(x, y)), button,
                      type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
    if (type == QEvent::MouseButtonPress && button == Qt::RightButton) {
      QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(x, y), viewport->mapToGlobal(QPoint(x, y)));
      QApplication::sendEvent(viewport, &menu);  // what the platform sends with the press
    }
  };
  frame->OnCommand(32811);  // 直線
  mouse(QEvent::MouseButtonPress, 200, 200, Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, 200, 200, Qt::LeftButton);
  ASSERT_EQ(frame->tools().state().InputStep, 1);
  bool offered = false;
  QTimer::singleShot(50, [&offered] {
    if (QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      offered = true;
      menu->close();
    }
  });
  mouse(QEvent::MouseButtonPress, 250, 250, Qt::RightButton);
  EXPECT_FALSE(offered) << "not on the press";
  mouse(QEvent::MouseButtonRelease, 250, 250, Qt::RightButton);
  EXPECT_TRUE(offered) << "on the release";
  CPlenwickView& view = child->viewWidget().view();
  EXPECT_EQ(view.rightButtonDown, 0);
  mouse(QEvent::MouseButtonPress, 300, 200, Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, 300, 200, Qt::LeftButton);
  EXPECT_EQ(view.ViewMode, kViewNormal);
  EXPECT_EQ(frame->tools().state().InputStep, 0) << "the second click ended the line";
}

TEST_F(ToolShellTest, ViewChangesUnderARunningLineLeaveNoGhostPixels) {
  CViewWidget& w = child->viewWidget();
  QWidget* viewport = w.viewport();
  auto mouse = [&](QEvent::Type type, int x, int y, Qt::MouseButton button) {
    QMouseEvent event(type, QPointF(x, y), viewport->mapToGlobal(QPointF(x, y)), button,
                      type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
    viewport->repaint();
  };
  auto clean = [&] {
    w.InvalidateAll();
    viewport->repaint();
    return w.Picture();
  };
  const QImage empty = clean();
  frame->OnCommand(32811);  // 直線
  mouse(QEvent::MouseMove, 200, 200, Qt::NoButton);
  mouse(QEvent::MouseButtonPress, 200, 200, Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, 200, 200, Qt::LeftButton);
  mouse(QEvent::MouseMove, 260, 230, Qt::NoButton);
  ASSERT_EQ(frame->tools().state().InputStep, 1);
  EXPECT_NE(w.Picture(), empty);  // the cross and the rubber band

  w.RunCommand(kCmdPageUp);
  viewport->repaint();
  mouse(QEvent::MouseMove, 300, 250, Qt::NoButton);
  w.RunCommand(kCmdPanUp);
  mouse(QEvent::MouseMove, 320, 240, Qt::NoButton);  // before the pan is painted
  viewport->repaint();
  const PixelRect part{250, 200, 330, 260};  // across the rubber band, which ends inside it
  w.Invalidate(&part);
  viewport->repaint();
  EXPECT_EQ(frame->tools().state().InputStep, 1);
  frame->OnCommand(32783);  // Esc
  viewport->repaint();
  const QImage afterPartial = w.Picture();
  EXPECT_EQ(afterPartial, clean()) << "after a partial repaint";

  // A resize makes a new picture of the whole client under a running line.
  mouse(QEvent::MouseMove, 200, 200, Qt::NoButton);
  mouse(QEvent::MouseButtonPress, 200, 200, Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, 200, 200, Qt::LeftButton);
  mouse(QEvent::MouseMove, 260, 230, Qt::NoButton);
  child->resize(child->width() - 40, child->height() - 30);
  mouse(QEvent::MouseMove, 310, 230, Qt::NoButton);
  EXPECT_EQ(frame->tools().state().InputStep, 1);
  frame->OnCommand(32783);  // Esc
  viewport->repaint();
  const QImage afterResize = w.Picture();
  EXPECT_EQ(afterResize, clean()) << "after a resize";
}

TEST_F(ToolShellTest, TheMagnetMeetsEndsMidpointsQuadrantsAndCrossingsOfTheProgramsDrawings) {
  // The program's start-up must install what registers characteristic points: without it the
  // magnet met nothing, and clicks landed on the foot of the nearest line instead.
  const std::string path = tmp / "snap.pwk";
  {
    RecordingUserInterface quiet;
    CPlenwickDoc doc(folders.program, quiet);
    testing::AddLine(doc.entities, 40, 40, 200, 200);   // midpoint (120, 120)
    testing::AddLine(doc.entities, 40, 200, 200, 40);   // crosses the first at (120, 120) too
    testing::AddLine(doc.entities, 220, 40, 220, 160);  // ends (220, 40) and (220, 160)
    testing::AddCircle(doc.entities, 100, 250, 30);     // top (100, 280)
    ASSERT_EQ(SaveDocumentFile(doc, path), 0);
  }
  CChildFrame* drawing = frame->OpenDrawing(QString::fromStdString(path));
  ASSERT_NE(drawing, nullptr);
  CViewWidget& w = drawing->viewWidget();
  QElapsedTimer started;
  started.start();
  while (!w.initialized() && started.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  ASSERT_TRUE(w.initialized());
  CurrentSettings().GridDisplay = 0;
  CurrentSettings().Magnet = 1;
  const ViewMapping& m = w.view().mapping();
  ASSERT_GT(m.PixelsPerMm / m.scale, 0.8) << "a click three pixels off must stay within a few mm";

  // A click three pixels off a model point, after the mouse came there.
  auto clickNear = [&](ModelPoint target) {
    const PixelPoint p = m.ModelToScreen(target);
    const QPointF at(p.x + 3, p.y - 2);
    for (QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
      QMouseEvent event(type, at, w.viewport()->mapToGlobal(at), button,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(w.viewport(), &event);
    }
  };
  auto lastLine = [&] {
    const DrawEntity* e = drawing->document().entities.tail;
    EXPECT_TRUE(e && e->kind == kLine);
    return std::array<double, 4>{e->values[0], e->values[1], e->values[2], e->values[3]};
  };

  frame->OnCommand(32811);  // 直線
  clickNear({120, 120});    // the crossing, also the first line's midpoint
  clickNear({220, 160});    // a line's end
  EXPECT_EQ(lastLine(), (std::array<double, 4>{120, 120, 220, 160}));
  clickNear({170, 140});  // the midpoint of the line just drawn: half its length along it
  clickNear({100, 280});  // the circle's top
  const std::array<double, 4> second = lastLine();
  EXPECT_NEAR(second[0], 170, 1e-9);
  EXPECT_NEAR(second[1], 140, 1e-9);
  EXPECT_EQ(second[2], 100);
  EXPECT_EQ(second[3], 280);

  // The magnet switched off by its tool button: the same kind of click lands where it is.
  QToolBar* displayBar = frame->toolBar(1);
  QAction* magnet = frame->commands().Action(32879);
  auto* button = qobject_cast<QToolButton*>(displayBar->widgetForAction(magnet));
  ASSERT_NE(button, nullptr);
  button->click();
  EXPECT_EQ(CurrentSettings().Magnet, 0);
  clickNear({120, 120});
  clickNear({220, 160});
  const std::array<double, 4> free = lastLine();
  const ModelPoint expectedStart = m.ScreenToModel(m.ModelToScreen(120, 120).x + 3, m.ModelToScreen(120, 120).y - 2);
  EXPECT_DOUBLE_EQ(free[0], expectedStart.x);
  EXPECT_DOUBLE_EQ(free[1], expectedStart.y);
  EXPECT_NE(free[2], 220.0);
}

TEST_F(ToolShellTest, TheSelectionBarShowsFlatPictureButtonsThatActOnThePicks) {
  ASSERT_EQ(BarTitle(), QString::fromUtf8("図形選択"));
  OperationBarWidget* bar = frame->operationBar();
  const char* const tips[] = {"前面移動", "背面移動", "左右反転", "上下反転", "右へ90°", "左へ90°"};
  for (int i = 0; i < 6; ++i) {
    const int id = 1493 + i;
    auto* button = bar->findChild<QToolButton*>(QString("barButton%1").arg(id));
    ASSERT_NE(button, nullptr) << id;
    EXPECT_TRUE(button->isVisible()) << id;
    EXPECT_TRUE(button->autoRaise()) << id;
    EXPECT_FALSE(button->icon().isNull()) << id;
    EXPECT_EQ(button->toolTip(), QString::fromUtf8(tips[i])) << id;
  }
  EXPECT_EQ(bar->findChildren<QToolButton*>().size(), 6);

  // The drawing's line (10, 10)-(287, 200) picked by a click on it, then turned left about its
  // centre (148.5, 105).
  CViewWidget& w = child->viewWidget();
  const PixelPoint on = w.view().mapping().ModelToScreen(10 + 277 / 4.0, 10 + 190 / 4.0);
  const QPointF at(on.x, on.y);
  for (QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, w.viewport()->mapToGlobal(at), button,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.viewport(), &event);
  }
  bar->findChild<QToolButton*>("barButton1498")->click();
  std::vector<std::vector<double>> lines;
  for (const DrawEntity& e : child->document().entities) {
    if (e.kind == kLine) lines.push_back({e.values[0], e.values[1], e.values[2], e.values[3]});
  }
  ASSERT_EQ(lines.size(), 1u);
  const double turned[] = {243.5, -33.5, 53.5, 243.5};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(lines[0][i], turned[i], 1e-9) << i;
}

TEST_F(ToolShellTest, JapaneseTypedThroughTheInputMethodIsStoredAsShiftJis) {
  CViewWidget& w = child->viewWidget();
  QLineEdit* box = OpenTextBox(200, 300);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(box->geometry().bottomLeft().x(), 200) << "the box's lower left is on the point";
  auto texts = [&] {
    std::vector<std::string> out;
    for (const DrawEntity& e : child->document().entities) {
      if (e.kind == kText && e.mark != kMarkDeleted) out.emplace_back(e.text.view());
    }
    return out;
  };
  // A conversion in progress is not the box's text: Enter then adds nothing and keeps the box.
  QInputMethodEvent preedit(QString::fromUtf8("すんぽう"), {});
  QApplication::sendEvent(box, &preedit);
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf8("寸法"));
  QApplication::sendEvent(box, &commit);
  EXPECT_EQ(box->text(), QString::fromUtf8("寸法"));
  // A character a drawing cannot keep is named and the box stays with the text.
  box->insert(QString::fromUtf8("😀"));
  frame->OnCommand(kCmdReturnKey);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back(), "「😀」は図面に保存できない文字です。");
  ASSERT_NE(w.textBox(), nullptr);
  box->backspace();  // the emoji
  box->insert(QString::fromUtf8("〜"));
  frame->OnCommand(kCmdReturnKey);
  EXPECT_EQ(w.textBox(), nullptr) << "Enter closes the box";
  ASSERT_EQ(texts().size(), 1u);
  EXPECT_EQ(texts()[0], std::string("\x90\xA1\x96\x40\x81\x60")) << "寸法〜 in CP932";
}

TEST_F(ToolShellTest, EditingKeysInTheTextBoxEditTheTextNotTheDrawing) {
  // The frame's keys (arrows pan, Space opens the numeric input, Ctrl+Z undoes the drawing) must
  // not take the keys a text is typed and edited with.
  CViewWidget& w = child->viewWidget();
  QLineEdit* box = OpenTextBox(200, 300);
  ASSERT_NE(box, nullptr);
  box->setFocus();
  QApplication::setActiveWindow(frame.get());
  const PixelPoint scrolled = w.view().mapping().ScrollOffset;
  const std::size_t records = child->document().entities.size();
  QTest::keyClicks(box, "AB");
  QTest::keyClick(box, Qt::Key_Space);
  QTest::keyClicks(box, "C");
  QTest::keyClick(box, Qt::Key_Left);
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(box->text(), QString("ABC"));
  QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(box->selectedText(), box->text());
  EXPECT_EQ(w.view().mapping().ScrollOffset.x, scrolled.x) << "no pan";
  EXPECT_EQ(w.view().mapping().ScrollOffset.y, scrolled.y);
  EXPECT_EQ(child->document().entities.size(), records) << "no drawing undo";
  EXPECT_NE(w.textBox(), nullptr) << "the box is still open";
  // Enter is the frame's key: it reaches the tool, which commits the text.
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(w.textBox(), nullptr);
  EXPECT_EQ(child->document().entities.size(), records + 1);
}

TEST_F(ToolShellTest, TheDrawingMenuHasAFamilyPerSubmenu) {
  QMenu* drawing = nullptr;
  for (QAction* a : frame->menuBar()->actions()) {
    if (a->text() == QString::fromUtf8("作図(&D)")) drawing = a->menu();
  }
  ASSERT_NE(drawing, nullptr);
  QStringList families;
  for (QAction* a : drawing->actions()) families << a->text();
  EXPECT_EQ(families.size(), 16);
  EXPECT_EQ(families[2], QString::fromUtf8("直線"));
  EXPECT_EQ(families[15], QString::fromUtf8("展開図"));
  QStringList lines;
  for (QAction* a : drawing->actions()[2]->menu()->actions()) lines << a->text();
  EXPECT_EQ(lines.size(), 9);
  EXPECT_EQ(lines[0], QString::fromUtf8("直線"));
  EXPECT_TRUE(frame->IsCommandEnabled(32811));
}

}  // namespace
}  // namespace plenwick
