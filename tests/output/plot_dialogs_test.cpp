// The plotter dialogs' logic: the output parameters survive the parameter file's two words for
// every value and start from the drawing's paper; the combos' indexes become line settings; the
// scale combo opens on the drawing's scale; corrections are whole numbers within ±300; the
// preview places lines, circles and arcs inside the drawing area where the plot puts them; the
// interface dialog keeps a device per port and refuses one that is not a path.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "model/layer_table.h"
#include "output/plot_dlg.h"
#include "output/ploter_set_dlg.h"
#include "support/entity_builders.h"
#include "support/recording_ui.h"

namespace plenwick {
namespace {

TEST(PlotDialogs, OutputParametersSurviveTheParameterFileAndStartFromTheDrawingsPaper) {
  ProgramSettings s;
  const HpglOptions fresh = PlotOptionsOf(s, 2);
  EXPECT_EQ(fresh.paperSize, 2);
  EXPECT_EQ(fresh.scaleChoice, 0);
  EXPECT_FALSE(fresh.paperBased);
  EXPECT_FALSE(fresh.allLayers);
  EXPECT_EQ(fresh.correctionX, 0);
  EXPECT_EQ(fresh.correctionY, 0);
  EXPECT_EQ(PlotOptionsOf(s, 9).paperSize, 4);  // B5 is no plotter paper: A4
  std::mt19937 random(18);
  for (int i = 0; i < 2000; ++i) {
    HpglOptions o;
    o.commandSet = static_cast<int>(random() % 2);
    o.paperSize = static_cast<int>(random() % 7);
    o.scaleChoice = static_cast<int>(random() % 7);
    o.paperBased = random() % 2;
    o.allLayers = random() % 2;
    o.correctionX = static_cast<int>(random() % 601) - 300;
    o.correctionY = static_cast<int>(random() % 601) - 300;
    s.PlotterCommand = o.commandSet;
    StorePlotOptions(o, s);
    const HpglOptions back = PlotOptionsOf(s, 0);
    EXPECT_EQ(back.commandSet, o.commandSet);
    EXPECT_EQ(back.paperSize, o.paperSize);
    EXPECT_EQ(back.scaleChoice, o.scaleChoice);
    EXPECT_EQ(back.paperBased, o.paperBased);
    EXPECT_EQ(back.allLayers, o.allLayers);
    EXPECT_EQ(back.correctionX, o.correctionX);
    EXPECT_EQ(back.correctionY, o.correctionY);
  }
  // Words from elsewhere stay within the ranges.
  s.PlotterOption1 = 99;
  s.PlotterOption2 = -1;
  const HpglOptions odd = PlotOptionsOf(s, 3);
  EXPECT_EQ(odd.paperSize, 3);
  EXPECT_EQ(odd.scaleChoice, 6);
  EXPECT_EQ(odd.correctionX, -1);
}

TEST(PlotDialogs, ComboIndexesBecomeLineSettings) {
  for (int baud = -1; baud <= 9; ++baud) {
    for (int bits = -1; bits <= 5; ++bits) {
      PlotterInterface p;
      p.baudRate = baud;
      p.dataBits = bits;
      p.parity = (baud + 1) % 4;
      p.stopBits = (bits + 1) % 4;
      p.flowControl = (baud + bits + 2) % 5;
      p.port = (baud + 1) % 7;
      const PortLineSettings line = LineSettingsOf(p);
      EXPECT_EQ(line.baudRate, baud >= 0 && baud < 9 ? kBaudRates[static_cast<std::size_t>(baud)] : 9600);
      EXPECT_EQ(line.dataBits, bits >= 0 && bits < 5 ? 4 + bits : 8);
      EXPECT_EQ(line.parity, p.parity == 1 ? Parity::kEven : p.parity == 2 ? Parity::kOdd : Parity::kNone);
      EXPECT_EQ(line.stopBits, p.stopBits == 1 ? StopBits::kOneAndHalf : p.stopBits == 2 ? StopBits::kTwo : StopBits::kOne);
      EXPECT_EQ(static_cast<int>(line.flow), p.flowControl <= 3 ? p.flowControl : 0);
      EXPECT_EQ(line.serial, p.port < 4);
    }
  }
}

TEST(PlotDialogs, ScaleComboOpensOnTheDrawingsScaleAndCorrectionsAreChecked) {
  const std::pair<double, int> scales[] = {{100, 1}, {50, 2}, {30, 3}, {20, 4}, {10, 5}, {1, 6}, {1.5, 6},
                                           {37, 0},  {0, 0},  {-100, 0}, {std::numeric_limits<double>::quiet_NaN(), 0}};
  for (const auto& [scale, index] : scales) {
    HpglDrawing d;
    d.scale = scale;
    HpglOptions stored;
    stored.scaleChoice = 3;
    EXPECT_EQ(CPlotDlg(stored, d).options().scaleChoice, index) << scale;
  }
  const std::tuple<const char*, const char*, bool, int> corrections[] = {
      {"0", "0", true, 0},        {"300", "-300", true, 0}, {"-12", "45", true, 0}, {"301", "0", false, 0},
      {"0", "-301", false, 1},    {"", "0", false, 0},      {"1.5", "0", false, 0}, {"0", " 5", false, 1},
      {"abc", "0", false, 0},     {"0", "5x", false, 1},    {"+5", "0", false, 0},  {"99999999999", "0", false, 0}};
  for (const auto& [x, y, taken, field] : corrections) {
    testing::RecordingUserInterface ui;
    CPlotDlg dlg({}, {});
    EXPECT_EQ(dlg.TakeCorrections(x, y, ui), taken) << x << " " << y;
    if (taken) {
      EXPECT_TRUE(ui.messages.empty());
      EXPECT_EQ(dlg.options().correctionX, std::atoi(x));
      EXPECT_EQ(dlg.options().correctionY, std::atoi(y));
    } else {
      EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(CPlotDlg::kCorrectionMessage)});
      EXPECT_EQ(dlg.focusField(), field) << x << " " << y;
    }
  }
}

TEST(PlotDialogs, PreviewPlacesWhatPlotsWhereItPlots) {
  EntityList list;
  testing::AddGrid(list);
  testing::AddLine(list, 0, 0, 100, 50);
  testing::AddCircle(list, 200, 100, 20);
  testing::AddCircle(list, 410, 100, 20);           // reaches past the area: left out
  testing::AddLine(list, 10, 10, 20, 20, 12);       // hidden layer
  testing::AddText(list, "T", nullptr, 5, 5);       // not a line, circle or arc
  const int16_t codes[] = {10, 20, 40, 50, 51};
  const double arc[] = {300, 150, 10, 90, 0};       // clockwise: the screen's arc from 0 to 90
  AddEntity({kArc, 0, 0, 0, 5}, nullptr, list, codes, 0, arc, nullptr);
  HpglDrawing d;
  d.areaMax = {420, 297};
  d.scale = 2;
  d.layerStates.fill(kLayerNormal);
  d.layerStates[12] = kLayerHidden;
  for (int paper : {0, 3, 4, 6}) {
    for (bool paperBased : {false, true}) {
      HpglOptions o;
      o.paperSize = paper;
      o.paperBased = paperBased;
      o.correctionX = 10;
      o.correctionY = -20;
      CPlotDlg dlg(o, d);
      const std::vector<PlotPreviewShape> shapes = dlg.Preview(list);
      ASSERT_EQ(shapes.size(), 3u);
      const double f = CPlotDlg::PreviewFactor(paper);
      const double mm = f / (2 * PlotPaperFactor(o));  // pixels per model millimetre
      const double left = CPlotDlg::kSheetLeft + 10 * f, bottom = CPlotDlg::kSheetTop + CPlotDlg::kSheetHeight + 20 * f;
      EXPECT_EQ(shapes[0].kind, PlotPreviewShape::Kind::kLine);
      EXPECT_NEAR(shapes[0].a.x, left, 1e-9);
      EXPECT_NEAR(shapes[0].a.y, bottom, 1e-9);
      EXPECT_NEAR(shapes[0].b.x, left + 100 * mm, 1e-9);
      EXPECT_NEAR(shapes[0].b.y, bottom - 50 * mm, 1e-9);
      EXPECT_EQ(shapes[1].kind, PlotPreviewShape::Kind::kCircle);
      EXPECT_NEAR(shapes[1].a.x, left + 200 * mm, 1e-9);
      EXPECT_NEAR(shapes[1].radius, 20 * mm, 1e-9);
      EXPECT_EQ(shapes[2].kind, PlotPreviewShape::Kind::kArc);
      EXPECT_EQ(shapes[2].startAngle, 0);
      EXPECT_EQ(shapes[2].sweep, 90);
    }
  }
  EXPECT_DOUBLE_EQ(CPlotDlg::PreviewFactor(4), 1);
  EXPECT_DOUBLE_EQ(CPlotDlg::PreviewFactor(0), 0.25);
  EXPECT_DOUBLE_EQ(CPlotDlg::PreviewFactor(6), 2);
}

TEST(PlotDialogs, InterfaceDialogKeepsADevicePerPortAndRefusesOneThatIsNoPath) {
  CPloterSetDlg::Devices devices;
  for (std::size_t i = 0; i < devices.size(); ++i) devices[i] = std::string(kDefaultPortDevices[i]);
  PlotterInterface stored;
  stored.port = 9;
  stored.dataBits = -3;
  CPloterSetDlg dlg(stored, devices);
  EXPECT_EQ(dlg.settings().port, 0);
  EXPECT_EQ(dlg.settings().dataBits, 0);
  dlg.SelectPort(4, "/dev/ttyUSB0");  // COM1's edit, then LPT1 shown
  EXPECT_EQ(dlg.device(0), "/dev/ttyUSB0");
  EXPECT_EQ(dlg.device(4), "/dev/lp0");
  testing::RecordingUserInterface ui;
  dlg.SelectPort(2, "usb/lp0");
  EXPECT_FALSE(dlg.OnSave("/dev/ttyS2", ui));
  EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(CPloterSetDlg::kDeviceMessage)});
  EXPECT_EQ(dlg.settings().port, 4);  // the port at fault is shown
  EXPECT_TRUE(dlg.OnSave("/dev/usb/lp0", ui));
  EXPECT_EQ(dlg.device(4), "/dev/usb/lp0");
}

}  // namespace
}  // namespace plenwick
