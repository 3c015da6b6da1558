// The plotter commands in the program: "プロッターの設定..." keeps its combos in the parameter file
// and a port's device in the ini file ("ｷｬﾝｾﾙ" keeps nothing); "プロッター出力..." refuses a
// correction beyond 300, plots to COM1 overridden to a pseudo-terminal the test reads, and a
// plotter that takes nothing is named in the progress window, whose "ｷｬﾝｾﾙ" ends it;
// "HPGL形式で保存..." writes the file through its dialog; a drawing of nothing but its grid plots
// nothing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "child_frame.h"
#include "main_frame.h"
#include "model/document_file.h"
#include "model/program_settings.h"
#include "output/hpgl_file.h"
#include "output/plot_dlg.h"
#include "output/ploter_set_dlg.h"
#include "output/plotter_output.h"
#include "plotter_ports.h"
#include "qt_user_interface.h"
#include "support/entity_builders.h"
#include "support/recording_ui.h"
#include "support/scoped_temp_folder.h"
#include "view/tool_framework/command_ids.h"
#include "view_widget.h"
#include "frame_fixture.h"
#include "widget_test_support.h"

namespace plenwick {
namespace {

using testing::Child;
using testing::WhenModal;

using testing::WaitFor;

std::vector<QString> Items(QComboBox* combo) {
  std::vector<QString> items;
  for (int i = 0; i < combo->count(); ++i) items.push_back(combo->itemText(i));
  return items;
}

template <std::size_t N>
std::vector<QString> Texts(const std::array<std::string_view, N>& texts) {
  std::vector<QString> out;
  for (std::string_view t : texts) out.push_back(FromUtf8(t));
  return out;
}

int32_t ParameterWord(const std::string& folder, std::size_t offset) {
  std::ifstream in(folder + "/PWKPRM.DAT", std::ios::binary);
  in.seekg(static_cast<std::streamoff>(offset));
  int32_t v = 0;
  in.read(reinterpret_cast<char*>(&v), 4);
  return v;
}

struct Pty {
  int master = posix_openpt(O_RDWR | O_NOCTTY);
  std::string slave;
  Pty() {
    grantpt(master);
    unlockpt(master);
    slave = ptsname(master);
  }
  ~Pty() { ::close(master); }
};

class PlotterTest : public testing::FrameFixture {
 protected:
  // A drawing on A3 at 1:1 with `lines` lines, a circle and a text; opened.
  CChildFrame* Open(int lines) {
    const std::string path = tmp / "plot.pwk";
    {
      testing::RecordingUserInterface quiet;
      CPlenwickDoc doc(folders.program, quiet);
      testing::AddGrid(doc.entities);
      // Short lines apart from each other: no crossings to file as snap points.
      for (int i = 0; i < lines; ++i) {
        const double x = 5.0 * (i % 80), y = 10 + 0.01 * (i / 80);
        testing::AddLine(doc.entities, x, y, x + 3, y);
      }
      testing::AddCircle(doc.entities, 200, 150, 40);
      testing::AddText(doc.entities, "PLOT", nullptr, 20, 20);
      doc.areaSet = 1;
      doc.areaMax = {420, 297, 0};
      doc.header.setScale(1);
      EXPECT_EQ(SaveDocumentFile(doc, path), 0);
    }
    CChildFrame* child = frame->OpenDrawing(QString::fromStdString(path));
    EXPECT_NE(child, nullptr);
    if (child) {
      EXPECT_TRUE(WaitFor([child] { return child->viewWidget().initialized(); }));
    }
    return child;
  }

  void OverrideCom1(const std::string& device) {
    PlotterPortDevices ports(QString::fromStdString(folders.program));
    PlotterPortDevices::Devices d = ports.devices();
    d[0] = device;
    ports.Save(d);
  }
};

TEST_F(PlotterTest, SettingsAreSavedOrDiscarded) {
  ASSERT_TRUE(Open(1));
  ASSERT_TRUE(frame->IsCommandEnabled(kCmdPlotterSettings));
  WhenModal([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("プロッター設定"));
    EXPECT_EQ(Items(Child<QComboBox>(dialog, "command")), Texts(kPlotterCommandItems));
    EXPECT_EQ(Items(Child<QComboBox>(dialog, "port")), Texts(kPlotterPortItems));
    EXPECT_EQ(Items(Child<QComboBox>(dialog, "baudRate")), Texts(kBaudRateItems));
    EXPECT_EQ(Items(Child<QComboBox>(dialog, "dataBits")), Texts(kDataBitsItems));
    EXPECT_EQ(Items(Child<QComboBox>(dialog, "parity")), Texts(kParityItems));
    EXPECT_EQ(Items(Child<QComboBox>(dialog, "stopBits")), Texts(kStopBitsItems));
    EXPECT_EQ(Items(Child<QComboBox>(dialog, "flowControl")), Texts(kFlowControlItems));
    // The parameter file's defaults: 9600 bps, 8 bits, 2 stop bits.
    EXPECT_EQ(Child<QComboBox>(dialog, "baudRate")->currentIndex(), 2);
    EXPECT_EQ(Child<QComboBox>(dialog, "dataBits")->currentIndex(), 4);
    EXPECT_EQ(Child<QComboBox>(dialog, "stopBits")->currentIndex(), 2);
    EXPECT_EQ(Child<QLineEdit>(dialog, "device")->text(), "/dev/ttyS0");
    Child<QComboBox>(dialog, "command")->setCurrentIndex(1);
    Child<QComboBox>(dialog, "port")->setCurrentIndex(1);
    EXPECT_EQ(Child<QLineEdit>(dialog, "device")->text(), "/dev/ttyS1");
    Child<QLineEdit>(dialog, "device")->setText("/dev/ttyUSB0");
    Child<QComboBox>(dialog, "baudRate")->setCurrentIndex(8);
    Child<QComboBox>(dialog, "dataBits")->setCurrentIndex(3);
    Child<QComboBox>(dialog, "parity")->setCurrentIndex(2);
    Child<QComboBox>(dialog, "stopBits")->setCurrentIndex(0);
    Child<QComboBox>(dialog, "flowControl")->setCurrentIndex(3);
    Child<QPushButton>(dialog, "save")->click();
  });
  frame->OnCommand(kCmdPlotterSettings);
  const int32_t saved[] = {8, 3, 3, 1, 2, 1, 0};  // offsets 8, 12, ..., 32
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(ParameterWord(folders.program, 8 + 4 * i), saved[i]) << 8 + 4 * i;
  EXPECT_EQ(PlotterPortDevices(QString::fromStdString(folders.program)).device(1), "/dev/ttyUSB0");
  EXPECT_EQ(PlotterPortDevices(QString::fromStdString(folders.program)).device(0), "/dev/ttyS0");

  WhenModal([](QWidget* dialog) {
    EXPECT_EQ(Child<QComboBox>(dialog, "baudRate")->currentIndex(), 8);
    Child<QComboBox>(dialog, "baudRate")->setCurrentIndex(0);
    Child<QLineEdit>(dialog, "device")->setText("/dev/ttyUSB9");
    Child<QPushButton>(dialog, "cancel")->click();
  });
  frame->OnCommand(kCmdPlotterSettings);
  EXPECT_EQ(CurrentSettings().PlotterBaudRate, 8);
  EXPECT_EQ(ParameterWord(folders.program, 8), 8);
  EXPECT_EQ(PlotterPortDevices(QString::fromStdString(folders.program)).device(1), "/dev/ttyUSB0");
}

TEST_F(PlotterTest, PlotsToThePortAfterTheCorrectionsAreChecked) {
  CChildFrame* child = Open(50);
  ASSERT_TRUE(child);
  Pty pty;
  OverrideCom1(pty.slave);
  std::atomic<bool> reading = true;
  std::string read;
  std::thread reader([&] {
    char buffer[4096];
    while (reading) {
      pollfd p{pty.master, POLLIN, 0};
      if (poll(&p, 1, 20) > 0 && (p.revents & POLLIN)) {
        const ssize_t n = ::read(pty.master, buffer, sizeof buffer);
        if (n > 0) read.append(buffer, static_cast<std::size_t>(n));
      }
    }
  });
  ASSERT_TRUE(frame->IsCommandEnabled(kCmdPlotterOutput));
  WhenModal([this](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("プロッター出力処理"));
    EXPECT_EQ(Child<QComboBox>(dialog, "scale")->currentText(), QString::fromUtf8("１／１"));
    EXPECT_EQ(Child<QComboBox>(dialog, "paper")->count(), 7);
    Child<QComboBox>(dialog, "paper")->setCurrentIndex(3);
    Child<QCheckBox>(dialog, "paperBased")->setChecked(true);
    Child<QLineEdit>(dialog, "correctionX")->setText("400");
    Child<QPushButton>(dialog, "output")->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(ui.messages.back(), CPlotDlg::kCorrectionMessage);
    Child<QLineEdit>(dialog, "correctionX")->setText("-12");
    Child<QLineEdit>(dialog, "correctionY")->setText("30");
    Child<QPushButton>(dialog, "show")->click();
    Child<QPushButton>(dialog, "output")->click();
  });
  frame->OnCommand(kCmdPlotterOutput);
  EXPECT_TRUE(WaitFor([&] { return read.find("PUSPPG;") != std::string::npos; }, 3000));
  reading = false;
  reader.join();
  HpglOptions o;
  o.paperSize = 3;
  o.scaleChoice = 6;
  o.paperBased = true;
  o.correctionX = -12;
  o.correctionY = 30;
  std::string expected;
  CPlenwickDoc& doc = child->document();
  HpglGenerator g(o, HpglDrawingOf(doc.areaMin, doc.areaMax, 1, doc.layers), [&](std::string_view c) { expected += c; });
  g.Start();
  for (const DrawEntity& e : doc.entities) g.Element(e);
  g.End();
  EXPECT_TRUE(read == expected) << read.size() << " of " << expected.size() << " bytes";
  // The values stay for the next plot and the HP-GL files.
  const HpglOptions kept = PlotOptionsOf(CurrentSettings(), 0);
  EXPECT_EQ(kept.paperSize, 3);
  EXPECT_EQ(kept.correctionX, -12);
  EXPECT_EQ(kept.correctionY, 30);
  EXPECT_EQ(ParameterWord(folders.program, 0), 4);
}

TEST_F(PlotterTest, APlotterThatTakesNothingIsNamedAndCancelEndsThePlot) {
  ASSERT_TRUE(Open(30000));
  Pty pty;  // never read
  OverrideCom1(pty.slave);
  bool stalledShown = false;
  WhenModal([&](QWidget* dialog) {
    Child<QPushButton>(dialog, "output")->click();
    WhenModal(
        [&](QWidget* progress) {
          EXPECT_EQ(progress->windowTitle(), QString::fromUtf8("プロッタ-出力"));
          auto* stalled = Child<QLabel>(progress, "stalled");
          stalledShown = WaitFor([stalled] { return stalled->isVisible(); }, 9000);
          EXPECT_EQ(stalled->text(), FromUtf8(kPlotterStalledMessage));
          EXPECT_TRUE(Child<QPushButton>(progress, "wait")->isVisible());
          EXPECT_LT(Child<QLabel>(progress, "progress")->text().trimmed().chopped(2).toInt(), 100);
          Child<QPushButton>(progress, "cancel")->click();
        },
        dialog);
  });
  QElapsedTimer t;
  t.start();
  frame->OnCommand(kCmdPlotterOutput);
  EXPECT_TRUE(stalledShown);
  EXPECT_LT(t.elapsed(), 15000);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(PlotterTest, HpglFileThroughItsDialog) {
  ASSERT_TRUE(Open(5));
  const std::string target = tmp / "out";
  ASSERT_TRUE(frame->IsCommandEnabled(kCmdSaveHpgl));
  WhenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("HPGL形式で図面データの保存"));
    EXPECT_EQ(dialog->nameFilters(), QStringList{QString::fromUtf8("図面データ (*.PGL)")});
    EXPECT_EQ(dialog->defaultSuffix(), "pgl");
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QString::fromUtf8("未設定ファイル"));
    name->setText(QString::fromStdString(target));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  frame->OnCommand(kCmdSaveHpgl);
  std::ifstream in(target + ".pgl", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  const std::string pgl = text.str();
  EXPECT_EQ(pgl.substr(0, 5), "IN;\r\n");
  ASSERT_GT(pgl.size(), 9u);
  EXPECT_EQ(pgl.substr(pgl.size() - 9), "PUSPPG;\r\n");
  EXPECT_NE(pgl.find("LBPLOT\x03\r\n"), std::string::npos);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PlotterTest, AGridOnlyDrawingPlotsNothing) {
  const std::string path = tmp / "grid.pwk";
  {
    testing::RecordingUserInterface quiet;
    CPlenwickDoc doc(folders.program, quiet);
    testing::AddGrid(doc.entities);
    ASSERT_EQ(SaveDocumentFile(doc, path), 0);
  }
  ASSERT_TRUE(frame->OpenDrawing(QString::fromStdString(path)));
  Pty pty;
  OverrideCom1(pty.slave);
  WhenModal([](QWidget* dialog) { Child<QPushButton>(dialog, "output")->click(); });
  frame->OnCommand(kCmdPlotterOutput);
  EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kNothingToPlotMessage)});
  ui.messages.clear();
  WhenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(tmp / "grid.pgl"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  frame->OnCommand(kCmdSaveHpgl);
  EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kNothingToPlotMessage)});
}

}  // namespace
}  // namespace plenwick
