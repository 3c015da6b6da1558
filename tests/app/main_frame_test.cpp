// Guards the main frame: no drawing at start, opening (and refusing) files, new drawings through
// the information dialog (cancel leaves no window), saving and the close question, PageUp zoom
// and status coordinates, the layer list carrying its changes to the active drawing, drawing
// information, undo, dropped files, the recently-used list in the program folder, and the
// commands that must stay disabled.
#include <gtest/gtest.h>

#include <fstream>

#include <QComboBox>
#include <QFileDialog>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QToolBar>
#include <sys/stat.h>
#include <filesystem>
#include <span>
#include <vector>

#include "child_frame.h"
#include "command_actions.h"
#include "exchange/jww_exchange.h"
#include "frame_boxes.h"
#include "logo.h"
#include "main_frame.h"
#include "model/document_file.h"
#include "model/parameter_file.h"
#include "model/program_settings.h"
#include "model/undo.h"
#include "platform/sjis.h"
#include "pop_layer.h"
#include "splash_window.h"
#include "support/entity_builders.h"
#include "support/jwc_file_builder.h"
#include "support/recording_ui.h"
#include "view/tool_framework/command_ids.h"
#include "support/scoped_temp_folder.h"
#include "view_widget.h"
#include "frame_fixture.h"
#include "widget_test_support.h"

namespace plenwick {
namespace {

using testing::Child;
using testing::ClickMessageButton;
using testing::RecordingUserInterface;
using testing::ScopedTempFolder;
using testing::WhenModal;

using testing::WaitFor;

class MainFrameTest : public testing::FrameFixture {
 protected:
  // A drawing with a diagonal line and a circle on A4 at 1:1, saved as `name`.
  QString WriteDrawing(const std::string& name) {
    const std::string path = tmp / name;
    {
      RecordingUserInterface quiet;
      CPlenwickDoc doc(folders.program, quiet);
      testing::AddGrid(doc.entities);
      testing::AddLine(doc.entities, 10, 10, 287, 200);
      testing::AddCircle(doc.entities, 148, 105, 50);
      doc.areaSet = 1;
      doc.areaMax = {297, 210, 0};
      doc.header.setPaperMode(0);  // the paper of the table, not the printer's
      EXPECT_EQ(SaveDocumentFile(doc, path), 0);
    }
    return QString::fromStdString(path);
  }

  CChildFrame* OpenShown(const QString& path) {
    CChildFrame* child = frame->OpenDrawing(path);
    EXPECT_NE(child, nullptr);
    if (child) {
      EXPECT_TRUE(WaitFor([child] { return child->viewWidget().initialized(); }));
    }
    return child;
  }

  bool Enabled(int id) { return frame->IsCommandEnabled(id); }
};

TEST_F(MainFrameTest, StartsWithoutADrawing) {
  EXPECT_TRUE(frame->Children().isEmpty());
  EXPECT_EQ(frame->windowTitle(), "Plenwick");
  EXPECT_EQ(frame->StatusText(0), QString::fromUtf8("レディ"));
  EXPECT_EQ(frame->StatusText(1), "X:          0");
  EXPECT_EQ(frame->StatusText(2), "Y:          0");
  QStringList menus;
  for (QAction* a : frame->menuBar()->actions()) menus << a->text();
  EXPECT_EQ(menus, QString::fromUtf8("ファイル(&F),編集(&E),表示(&V),作図(&D),オプション(&O),ウィンドウ(&W),ヘルプ(&H)").split(','));
  QStringList bars;
  for (int i = 0; i < 5; ++i) bars << frame->toolBar(i)->windowTitle();
  EXPECT_EQ(bars, QString::fromUtf8("ファイル処理,表示処理,グリッド,メッセージ,情報").split(','));
  for (int id : {57600, 57601, 32872, 32789}) EXPECT_TRUE(Enabled(id)) << id;
  // Nothing to act on, or no handler (yet).
  for (int id : {57603, 57643, 32880, 32894, 32876, 32899, 57607, 32891, 32892, 32895, 32782}) EXPECT_FALSE(Enabled(id)) << id;
}

TEST_F(MainFrameTest, ADxfFileOpensAsANewDrawingBesideItAndABrokenOneOpensNothing) {
  const auto write = [this](const std::string& name, const std::string& text) {
    std::ofstream(tmp / name, std::ios::binary) << text;
    return QString::fromStdString(tmp / name);
  };
  const QString plan = write("Plan.DXF",
                             "  0\nSECTION\n  2\nHEADER\n  9\n$EXTMAX\n 10\n297\n 20\n210\n  9\n$LTSCALE\n 40\n1\n"
                             "  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n0\n 10\n-10\n 20\n0\n 11\n10\n"
                             " 21\n5\n  0\nENDSEC\n  0\nEOF\n");
  CChildFrame* child = OpenShown(plan);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->path(), QString::fromStdString(tmp / "Plan.pwk"));
  EXPECT_FALSE(child->document().IsModified());
  EXPECT_EQ(child->document().header.paperSize(), 4);
  const DrawEntity* line = nullptr;
  for (const DrawEntity& e : child->document().entities) {
    if (e.kind == kLine) line = &e;
  }
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(std::vector<double>(line->values.get(), line->values.get() + 4), (std::vector<double>{138.5, 105, 158.5, 110}));
  EXPECT_TRUE(ui.messages.empty());

  const QString bad = write("bad.dxf", "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n");
  EXPECT_EQ(frame->OpenDrawing(bad), nullptr);
  EXPECT_EQ(frame->Children().size(), 1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].find("bad.dxf"), std::string::npos) << ui.messages[0];
}

TEST_F(MainFrameTest, AJwwFileOpensByItsContentsAndACutOffOneKeepsWhatWasRead) {
  // A line on layer 20 (group 1) and a circle, written as JWW at 1:1 on A4 with the origin at the
  // paper's centre.
  EntityList list;
  testing::AddLine(list, -10, 0, 10, 5);
  list.head->layer = 20;
  testing::AddCircle(list, 0, 0, 20);
  JwwContext context;
  context.paperSize = 4;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(WriteJww(context, list, [&bytes](std::span<const uint8_t> b) {
    bytes.insert(bytes.end(), b.begin(), b.end());
    return true;
  }));
  const auto write = [this](const std::string& name, std::span<const uint8_t> b) {
    std::ofstream(tmp / name, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return QString::fromStdString(tmp / name);
  };
  EXPECT_TRUE(Enabled(kCmdOpenJww));
  EXPECT_FALSE(Enabled(kCmdSaveJww));
  CChildFrame* child = OpenShown(write("Plan.JWW", bytes));
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->path(), QString::fromStdString(tmp / "Plan.pwk"));
  EXPECT_TRUE(Enabled(kCmdSaveJww));
  const CPlenwickDoc& doc = child->document();
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.header.paperSize(), 4);
  EXPECT_EQ(doc.layers.layerCount, 21);
  ASSERT_EQ(doc.entities.size(), 2u);
  const DrawEntity& line = *doc.entities.head;
  EXPECT_EQ(std::vector<double>(line.values.get(), line.values.get() + 4), (std::vector<double>{138.5, 105, 158.5, 110}));
  EXPECT_EQ(line.layer, 20);
  EXPECT_TRUE(ui.messages.empty());

  // Contents, not the name, make a JWW file; cut off in its circle, it opens with its line.
  const QString cut = write("cut.dat", std::span<const uint8_t>(bytes.data(), bytes.size() - 20));
  CChildFrame* partial = OpenShown(cut);
  ASSERT_NE(partial, nullptr);
  EXPECT_EQ(partial->document().entities.size(), 1u);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], "ファイルが途中で終わっています。");
}

TEST_F(MainFrameTest, TheJwcCommandOpensAFileAsANewDrawingAndAStoppedFileKeepsWhatItHeld) {
  testing::JwcDrawing d;
  d.scale = 10;
  d.paper = 3;
  d.paperWidth = 210;  // 20 model mm a file unit
  d.lines = {{1, 2, 3, 4, 0, 0, 9}};
  d.arcs = {{5, 5, 1}};
  const std::vector<uint8_t> bytes = testing::BuildJwcFile(d);
  testing::WriteBytes(tmp / "Old.JWC", bytes);
  ASSERT_TRUE(Enabled(kCmdOpenJwc));
  WhenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("ＪＷ-ＣＡＤ形式ファイル指定"));
    EXPECT_EQ(dialog->nameFilters(), QStringList{QString::fromUtf8("ＪＷＣファイル (*.JWC)")});
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(tmp / "Old.JWC"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  frame->OnCommand(kCmdOpenJwc);
  ASSERT_EQ(frame->Children().size(), 1);
  CChildFrame* child = frame->Children()[0];
  EXPECT_EQ(child->path(), QString::fromStdString(tmp / "Old.pwk"));
  EXPECT_FALSE(child->document().IsModified());
  EXPECT_EQ(child->document().header.scale(), 10.0f);
  EXPECT_EQ(frame->sizeBox()->text(), QString::fromUtf8("用紙 Ａ３ 横　縮尺 1/10"));
  EXPECT_EQ(child->document().layers.layerCount, 10);  // the line lies on layer 9
  std::vector<std::vector<double>> values;
  for (const DrawEntity& e : child->document().entities) values.emplace_back(e.values.get(), e.values.get() + e.valueCount);
  EXPECT_EQ(values, (std::vector<std::vector<double>>{{20, 40, 60, 80}, {100, 100, 20}}));
  EXPECT_TRUE(ui.messages.empty());

  // From the command line or dropped: a file that stops after the line opens with the line.
  testing::WriteBytes(tmp / "cut.jwc", std::vector<uint8_t>(bytes.begin(), bytes.end() - 1));
  CChildFrame* cut = OpenShown(QString::fromStdString(tmp / "cut.jwc"));
  ASSERT_NE(cut, nullptr);
  EXPECT_EQ(cut->document().entities.size(), 1u);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"ERROR:READ 円弧要素の読み込み"});
  // One that holds nothing opens nothing.
  ui.messages.clear();
  testing::WriteBytes(tmp / "short.jwc", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 100));
  EXPECT_EQ(frame->OpenDrawing(QString::fromStdString(tmp / "short.jwc")), nullptr);
  EXPECT_EQ(ui.messages, std::vector<std::string>{tmp / "short.jwc" + " を開けませんでした。\nERROR:1002 JWC_HEADER#1 CAN'T RAED"});
  EXPECT_EQ(frame->Children().size(), 2);
}

TEST_F(MainFrameTest, OpensAFileShowsItAndRemembersIt) {
  const QString path = WriteDrawing("plan.pwk");
  CChildFrame* child = OpenShown(path);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(frame->windowTitle(), "Plenwick - [plan.pwk]");
  EXPECT_EQ(frame->sizeBox()->text(), QString::fromUtf8("用紙 Ａ４ 横　縮尺 1/1"));
  // The picture holds drawing pixels beside the white paper.
  const QImage picture = child->viewWidget().Picture();
  int drawn = 0;
  for (int y = 0; y < picture.height(); y += 2) {
    for (int x = 0; x < picture.width(); x += 2) drawn += (picture.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
  }
  EXPECT_GT(drawn, 100);
  EXPECT_EQ(frame->recentFiles().files(), QStringList{path});
  QSettings ini(QString::fromStdString(folders.program) + "/Plenwick.ini", QSettings::IniFormat);
  EXPECT_EQ(ini.value("Recent File List/File1").toString(), path);
  // Opening it again shows the same window.
  EXPECT_EQ(frame->OpenDrawing(path), child);
  EXPECT_EQ(frame->Children().size(), 1);
  for (int id : {57603, 57643, 32880, 32894, 32876}) EXPECT_TRUE(Enabled(id)) << id;
}

TEST_F(MainFrameTest, AFileThatCannotBeOpenedIsToldAndLeavesNoWindow) {
  // A FIFO without a writer and an endless device once hung the program in its reader.
  testing::WriteBytes(tmp / "bad.pwk", {'P', 'W', 1, 2, 3});
  ASSERT_EQ(::mkfifo((tmp / "fifo.pwk").c_str(), 0600), 0);
  for (const std::string& path : {tmp / "missing.pwk", tmp / "bad.pwk", tmp / "fifo.pwk", std::string("/dev/zero")}) {
    ui.messages.clear();
    EXPECT_EQ(frame->OpenDrawing(QString::fromStdString(path)), nullptr) << path;
    ASSERT_EQ(ui.messages.size(), 1u) << path;
    EXPECT_NE(ui.messages[0].find("を開けませんでした。"), std::string::npos);
    if (path.ends_with("fifo.pwk") || path == "/dev/zero") {
      EXPECT_TRUE(ui.messages[0].ends_with(path + ": not a regular file")) << ui.messages[0];
    }
  }
  EXPECT_TRUE(frame->Children().isEmpty());
  EXPECT_TRUE(frame->recentFiles().files().isEmpty());
}

TEST_F(MainFrameTest, CancellingTheNewDrawingDialogLeavesNoWindow) {
  WhenModal([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("図面情報"));
    Child<QPushButton>(dialog, "cancel")->click();
  });
  EXPECT_EQ(frame->NewDrawing(), nullptr);
  EXPECT_TRUE(frame->Children().isEmpty());
}

TEST_F(MainFrameTest, ANewDrawingTakesTheDialogsValues) {
  WhenModal([](QWidget* dialog) {
    Child<QLineEdit>(dialog, "fileName")->setText(QString::fromUtf8("平面図"));
    Child<QLineEdit>(dialog, "scale")->setText("50");
    Child<QPushButton>(dialog, "ok")->click();
  });
  CChildFrame* child = frame->NewDrawing();
  ASSERT_NE(child, nullptr);
  EXPECT_TRUE(WaitFor([child] { return child->viewWidget().initialized(); }));
  EXPECT_EQ(child->Title(), QString::fromUtf8("平面図"));
  EXPECT_EQ(frame->windowTitle(), QString::fromUtf8("Plenwick - [平面図]"));
  EXPECT_EQ(child->document().header.scale(), 50.0f);
  EXPECT_FALSE(child->document().IsModified());
  // The grid element of a new drawing is there.
  ASSERT_FALSE(child->document().entities.empty());
  EXPECT_EQ(child->document().entities.head->kind, kGrid);
}

TEST_F(MainFrameTest, SavingWritesTheFileAndAFailureIsTold) {
  CChildFrame* child = OpenShown(WriteDrawing("a.pwk"));
  ASSERT_NE(child, nullptr);
  const QString copy = QString::fromStdString(tmp / "copy.pwk");
  child->document().SetModifiedFlag();
  EXPECT_TRUE(child->SaveTo(copy));
  EXPECT_FALSE(child->document().IsModified());
  EXPECT_EQ(child->path(), copy);
  EXPECT_EQ(frame->windowTitle(), "Plenwick - [copy.pwk]");
  EXPECT_EQ(frame->recentFiles().files().first(), copy);
  {
    RecordingUserInterface quiet;
    CPlenwickDoc reread(folders.program, quiet);
    EXPECT_EQ(OpenDocumentFile(reread, copy.toStdString()), 0);
    EXPECT_EQ(reread.entities.size(), child->document().entities.size());
  }
  EXPECT_FALSE(child->SaveTo(QString::fromStdString(tmp / "no/such/folder/x.pwk")));
  EXPECT_EQ(ui.messages, std::vector<std::string>{"ファイルの書き込みに失敗しました。"});
  EXPECT_EQ(child->path(), copy);
}

TEST_F(MainFrameTest, ClosingAModifiedDrawingAsksFirst) {
  CChildFrame* child = OpenShown(WriteDrawing("b.pwk"));
  ASSERT_NE(child, nullptr);
  child->document().SetModifiedFlag();
  QString asked;
  WhenModal([&](QWidget* box) {
    asked = qobject_cast<QMessageBox*>(box)->text();
    ClickMessageButton(box, QString::fromUtf8("キャンセル"));
  });
  frame->OnCommand(57602);
  EXPECT_EQ(asked, QString::fromUtf8("b.pwk への変更を保存しますか?"));
  EXPECT_EQ(frame->Children().size(), 1);
  WhenModal([](QWidget* box) { ClickMessageButton(box, QString::fromUtf8("いいえ")); });
  frame->OnCommand(57602);
  EXPECT_TRUE(WaitFor([this] { return frame->Children().isEmpty(); }));
  EXPECT_EQ(frame->windowTitle(), "Plenwick");
}

TEST_F(MainFrameTest, QuittingAsksAboutEveryDrawingBeforeClosingAny) {
  // A cancel on the second question must keep the first drawing too, although the user had
  // already said not to save it.
  CChildFrame* first = OpenShown(WriteDrawing("q1.pwk"));
  CChildFrame* second = OpenShown(WriteDrawing("q2.pwk"));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  first->document().SetModifiedFlag();
  second->document().SetModifiedFlag();
  QStringList asked;
  std::function<void(QWidget*)> answerNoThenCancel = [&](QWidget* box) {
    asked << qobject_cast<QMessageBox*>(box)->text();
    if (asked.size() == 1) {
      WhenModal(answerNoThenCancel);
      ClickMessageButton(box, QString::fromUtf8("いいえ"));
    } else {
      ClickMessageButton(box, QString::fromUtf8("キャンセル"));
    }
  };
  WhenModal(answerNoThenCancel);
  EXPECT_FALSE(frame->close());
  EXPECT_EQ(asked.size(), 2);
  EXPECT_EQ(frame->Children().size(), 2);
}

TEST_F(MainFrameTest, GridBarShowsTheStoredPitch) {
  ParameterBlock stored = DefaultParameterBlock();
  stored.SetF32(ParameterBlock::kGridPitch, 10);
  ASSERT_TRUE(WriteParameterFile(ParameterFilePath(folders.program), stored));
  ASSERT_NE(OpenShown(WriteDrawing("g.pwk")), nullptr);
  EXPECT_EQ(frame->gridBar()->pitch(), 10);
}

TEST_F(MainFrameTest, PageUpZoomsAndTheMouseShowsCoordinates) {
  CChildFrame* child = OpenShown(WriteDrawing("c.pwk"));
  ASSERT_NE(child, nullptr);
  CPlenwickView& view = child->viewWidget().view();
  const double before = view.mapping().ViewWindow.width();
  QTest::keyClick(frame.get(), Qt::Key_PageUp);
  EXPECT_NEAR(view.mapping().ViewWindow.width(), before * 0.9, before * 1e-9);
  QTest::keyClick(frame.get(), Qt::Key_PageDown);
  EXPECT_NEAR(view.mapping().ViewWindow.width(), before * 0.99, before * 1e-9);

  QWidget* viewport = child->viewWidget().viewport();
  QMouseEvent move(QEvent::MouseMove, QPointF(200, 150), viewport->mapToGlobal(QPointF(200, 150)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &move);
  const ModelPoint m = view.ScreenToModel(200, 150);
  EXPECT_EQ(frame->StatusText(1).toStdString(), CursorCoordinateText('X', m.x - child->document().originX));
  EXPECT_EQ(frame->StatusText(2).toStdString(), CursorCoordinateText('Y', m.y - child->document().originY));
}

TEST_F(MainFrameTest, LayerListCarriesItsChangesToTheActiveDrawing) {
  CChildFrame* child = OpenShown(WriteDrawing("d.pwk"));
  ASSERT_NE(child, nullptr);
  CPopLayer* list = frame->layerList();
  ASSERT_NE(list, nullptr);  // opened by the first view
  EXPECT_TRUE(frame->IsCommandChecked(32872));
  ASSERT_EQ(list->list()->count(), 8);
  EXPECT_EQ(list->list()->item(0)->text(), QString::fromUtf8(" □ Layer01"));

  list->list()->setCurrentRow(3);
  CPlenwickDoc& doc = child->document();
  EXPECT_EQ(doc.layers.currentLayer, 3);
  EXPECT_EQ(child->viewWidget().view().layers().currentLayer, 3);

  emit list->list()->itemDoubleClicked(list->list()->item(5));
  EXPECT_EQ(list->list()->item(5)->text(), QString::fromUtf8(" ＿ Layer06"));
  EXPECT_EQ(doc.layers.states[5], kLayerHidden);

  list->button(0)->click();
  for (int i = 0; i < 8; ++i) EXPECT_EQ(doc.layers.states[static_cast<std::size_t>(i)], kLayerNormal) << i;
  EXPECT_FALSE(doc.IsModified());  // display states alone

  WhenModal([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("レイヤーの追加"));
    EXPECT_EQ(Child<QLineEdit>(dialog, "layerName")->text(), "Layer09");
    Child<QPushButton>(dialog, "ok")->click();
  });
  frame->OnCommand(32782);
  EXPECT_EQ(doc.layers.layerCount, 9);
  EXPECT_EQ(doc.layers.currentLayer, 8);
  EXPECT_EQ(list->list()->count(), 9);
  EXPECT_EQ(list->list()->currentRow(), 8);
  EXPECT_TRUE(doc.IsModified());

  WhenModal([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("レイヤープロパティの変更"));
    Child<QLineEdit>(dialog, "layerName")->setText(QString::fromUtf8("寸法"));
    Child<QPushButton>(dialog, "ok")->click();
  });
  frame->OnCommand(32785);
  EXPECT_EQ(SjisToUtf8(doc.layers.name(8)), "寸法");
  frame->OnCommand(32780);
  EXPECT_EQ(doc.layers.states[8], kLayerHidden);
  EXPECT_EQ(list->list()->item(8)->text(), QString::fromUtf8(" ＿ 寸法"));

  // Closed, the layer commands rest.
  frame->OnCommand(32872);
  EXPECT_TRUE(WaitFor([this] { return frame->layerList() == nullptr; }));
  EXPECT_FALSE(Enabled(32782));
  EXPECT_FALSE(frame->IsCommandChecked(32872));
}

TEST_F(MainFrameTest, LayerListRememberedFarOffScreenComesBack) {
  // Offsets from a damaged settings file must not put the list where it cannot be reached.
  ProgramLayers layers;
  RecordingUserInterface quiet;
  for (const QPoint stored : {QPoint(-30000, 30000), QPoint(2000, -2000)}) {
    CurrentSettings().LayerListLeft = static_cast<int16_t>(stored.x());
    CurrentSettings().LayerListTop = static_cast<int16_t>(stored.y());
    CPopLayer list(layers, quiet, {}, frame.get());
    EXPECT_EQ(list.pos() - frame->geometry().topLeft(), QPoint(100, 100));
  }
  CurrentSettings().LayerListLeft = -20;
  CurrentSettings().LayerListTop = 30;
  CPopLayer list(layers, quiet, {}, frame.get());
  EXPECT_EQ(list.pos() - frame->geometry().topLeft(), QPoint(-20, 30)) << "a place just beside the frame is kept";
}

TEST_F(MainFrameTest, EachDrawingKeepsItsOwnLayers) {
  CChildFrame* first = OpenShown(WriteDrawing("e1.pwk"));
  CChildFrame* second = OpenShown(WriteDrawing("e2.pwk"));
  ASSERT_TRUE(first && second);
  frame->layerList()->list()->setCurrentRow(2);
  EXPECT_EQ(second->document().layers.currentLayer, 2);
  frame->findChild<QMdiArea*>("mdiClient")->setActiveSubWindow(first);
  EXPECT_EQ(frame->programLayers().table.currentLayer, 0);
  EXPECT_EQ(frame->layerList()->list()->currentRow(), 0);
  EXPECT_EQ(second->document().layers.currentLayer, 2);
}

TEST_F(MainFrameTest, DrawingInformationChangesTheScaleAndTheSizeBox) {
  CChildFrame* child = OpenShown(WriteDrawing("f.pwk"));
  ASSERT_NE(child, nullptr);
  WhenModal([](QWidget* dialog) {
    EXPECT_FALSE(Child<QLineEdit>(dialog, "fileName")->isEnabled());
    EXPECT_EQ(Child<QLineEdit>(dialog, "fileName")->text(), "f.pwk");
    Child<QLineEdit>(dialog, "scale")->setText("20");
    Child<QComboBox>(dialog, "paperSize")->setCurrentIndex(3);
    Child<QPushButton>(dialog, "ok")->click();
  });
  frame->OnCommand(32894);
  EXPECT_EQ(child->document().header.scale(), 20.0f);
  EXPECT_TRUE(child->document().IsModified());
  EXPECT_EQ(child->windowTitle(), "f.pwk *");
  EXPECT_EQ(frame->sizeBox()->text(), QString::fromUtf8("用紙 Ａ３ 横　縮尺 1/20"));
}

TEST_F(MainFrameTest, UndoTakesBackTheLastStep) {
  CChildFrame* child = OpenShown(WriteDrawing("g.pwk"));
  ASSERT_NE(child, nullptr);
  CPlenwickDoc& doc = child->document();
  const std::size_t before = doc.entities.size();
  BeginOperation(doc.entities, doc.snapPoints);
  testing::AddLine(doc.entities, 0, 0, 50, 50);
  frame->OnCommand(57643);
  EXPECT_EQ(doc.entities.size(), before);
  frame->OnCommand(57643);  // and again gives it back
  EXPECT_EQ(doc.entities.size(), before + 1);
}

TEST_F(MainFrameTest, DroppedFilesAreOpened) {
  const QString a = WriteDrawing("h1.pwk"), b = WriteDrawing("h2.pwk");
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(frame.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(frame.get(), &drop);
  EXPECT_EQ(frame->Children().size(), 2);
}

TEST_F(MainFrameTest, RecentFilesKeepFourAndReopen) {
  QStringList paths;
  for (int i = 0; i < 5; ++i) paths << WriteDrawing("r" + std::to_string(i) + ".pwk");
  for (const QString& p : paths) frame->OpenDrawing(p);
  EXPECT_EQ(frame->recentFiles().files(), (QStringList{paths[4], paths[3], paths[2], paths[1]}));
  for (CChildFrame* c : frame->Children()) c->CloseWithoutAsking();
  EXPECT_TRUE(WaitFor([this] { return frame->Children().isEmpty(); }));
  EXPECT_TRUE(Enabled(57616 + 3));
  frame->OnCommand(57616 + 3);
  ASSERT_EQ(frame->Children().size(), 1);
  EXPECT_EQ(frame->Children().first()->path(), paths[1]);
  // A second frame reads the same list back from the program folder.
  CMainFrame again(folders, &ui);
  EXPECT_EQ(again.recentFiles().files().first(), paths[1]);
}

TEST(SplashTest, AKeyPressEndsTheSplash) {
  QWidget after;
  CSplashWnd::ShowSplashScreen(&after);
  ASSERT_NE(CSplashWnd::Current(), nullptr);
  CSplashWnd* first = CSplashWnd::Current();
  CSplashWnd::ShowSplashScreen(&after);  // only one at a time
  EXPECT_EQ(CSplashWnd::Current(), first);
  QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  QApplication::sendEvent(&after, &key);
  EXPECT_TRUE(WaitFor([] { return CSplashWnd::Current() == nullptr; }));
}

TEST(LogoTest, TheNameStaysInsideTheLogo) {
  // The name was laid out in a fixed box and ran past the logo's right edge in a wide face.
  const QImage logo = LogoPixmap().toImage();
  auto whiteIn = [&](int fromX, int toX) {
    int n = 0;
    for (int y = 0; y < logo.height(); ++y) {
      for (int x = fromX; x < toX; ++x) n += logo.pixelColor(x, y).lightness() > 240;
    }
    return n;
  };
  EXPECT_GT(whiteIn(145, logo.width() / 2 + 40), 100) << "the name is drawn";
  EXPECT_EQ(whiteIn(logo.width() - 6, logo.width()), 0) << "and ends before the edge";
}

}  // namespace
}  // namespace plenwick
