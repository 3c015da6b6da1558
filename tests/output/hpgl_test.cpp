// Guards the plotter stream against commands written here from the plotter's formulas: every
// element kind (the point's square, lines, circles, both senses of arcs, texts of half- and
// double-width characters, leader texts, curves, infinite lines, dimension terminators), pens and
// line types sent only when they change, scales, paper factors, corrections and the layer rule;
// the .pgl file's lines, what a failed or stopped export leaves; and hp2xx reading every kind in
// both command sets without an unknown command.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "dimensions/dimension_records.h"
#include "output/hpgl_file.h"
#include "support/entity_builders.h"
#include "tools/standard_tools.h"

namespace plenwick {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180;

DrawEntity* Add(EntityList& list, int16_t kind, int16_t subKind, int16_t lineAttr, std::vector<double> values,
                const char* text = nullptr, int16_t layer = 0) {
  std::vector<int16_t> codes(values.size(), 10);
  DrawEntity* e = nullptr;
  AddEntity({kind, subKind, lineAttr, layer, static_cast<int16_t>(values.size())}, nullptr, list,
            KindHasCodes(kind) ? codes.data() : nullptr, 0, values.data(), text, &e);
  return e;
}

std::vector<std::string> Stream(const EntityList& list, const HpglOptions& options, const HpglDrawing& drawing) {
  std::vector<std::string> out;
  HpglGenerator g(options, drawing, [&](std::string_view c) { out.emplace_back(c); });
  for (const DrawEntity& e : list) g.Element(e);
  return out;
}

std::string Fixed(double v, int decimals = 2) {
  char b[64];
  std::snprintf(b, sizeof b, "%0.*f", decimals, v);
  return b;
}

// Commands of the plotter's formulas at 1:1 (40 units a millimetre), origin (0, 0).
struct Expected {
  std::vector<std::string> c;
  static std::string P(double x, double y) { return Fixed(x / 0.025) + "," + Fixed(y / 0.025); }
  void Up(double x, double y) { c.push_back("PU" + P(x, y) + ";"); }
  void Down(double x, double y) { c.push_back("PD" + P(x, y) + ";"); }
  void Segment(double x1, double y1, double x2, double y2) {
    Up(x1, y1);
    Down(x2, y2);
  }
};

HpglDrawing Sheet() {
  HpglDrawing d;
  d.areaMin = {0, 0};
  d.areaMax = {297, 210};
  d.scale = 1;
  d.layerStates.fill(kLayerNormal);
  return d;
}

TEST(Hpgl, EveryKindAsThePlotterDrawsIt) {
  InstallToolExtensions();
  EntityList list;
  testing::AddGrid(list);
  Add(list, kPoint, 0, 0, {10, 10});
  Add(list, kLine, 0, 0, {10, 20, 110, 20});
  Add(list, kCircle, 0, 8, {50, 50, 20});  // pen 8 plots with pen 2 as pen 0 does: no new SP
  Add(list, kArc, 1, 3, {100, 100, 10, 30, 120});
  Add(list, kArc, -1, 3, {100, 100, 10, 30, 120});  // clockwise: the arc from 120 to 30
  Add(list, kArc, 1, 3, {100, 100, 10, 270, 0});    // ends at 0: sweeps to 360
  Add(list, kText, 0, 1, {20, 150, 5, 5, 30.7}, "ABC");
  Add(list, kText, 0, 1, {20, 170, 4, 5, 0}, "A\x82\xa0");  // with a double-byte character
  Add(list, kLeaderText, 0, 1, {20, 190, 4, 4, 0, 60, 190, 70, 195, 80, 195}, "L");
  Add(list, kHorizontalInfiniteLine, 0, 1, {0, 60, 1, 60});
  Add(list, kPolygon, 0, 1, {0, 0, 10, 0, 10, 10});

  Expected x;
  x.c.push_back("SP2;");  // the grid's pen
  const double a = 10 / 0.025 - 20, b = 10 / 0.025 + 20;
  const double square[12][2] = {{a, a}, {b, a}, {b, a}, {b, b}, {b, b}, {a, b}, {a, b}, {a, a}, {a, b}, {b, a}, {b, b}, {a, a}};
  for (int i = 0; i < 12; ++i) x.c.push_back((i % 2 ? "PD" : "PU") + Fixed(square[i][0]) + "," + Fixed(square[i][1]) + ";");
  x.Segment(10, 20, 110, 20);
  x.Up(50, 50);
  x.c.push_back("CI" + Fixed(20 / 0.025) + ",5;");
  x.c.push_back("SP3;");
  for (const auto& [from, sweep] : std::vector<std::pair<double, double>>{{30, 90}, {120, 270}, {270, 90}}) {
    x.Up(100 + 10 * std::cos(from * kDeg), 100 + 10 * std::sin(from * kDeg));
    x.c.push_back("PD;");
    x.c.push_back("AA" + Fixed(100 / 0.025, 3) + "," + Fixed(100 / 0.025, 3) + "," + Fixed(sweep, 3) + ",5;");
  }
  x.c.push_back("SP1;");
  x.c.push_back("DI" + Fixed(std::cos(30 * kDeg), 3) + "," + Fixed(std::sin(30 * kDeg), 3) + ";");
  x.Up(20, 150);
  x.c.push_back("SI0.250,0.500;");
  x.c.push_back("LBABC\x03");
  x.c.push_back("DI1.000,0.000;");
  x.Up(20, 170);
  x.c.push_back("SI0.500,0.400;");
  x.c.push_back("LBA\x82\xa0\x03");
  x.c.push_back("DI1.000,0.000;");
  x.Up(20, 190);
  x.c.push_back("SI0.200,0.400;");
  x.c.push_back("LBL\x03");
  x.Segment(60, 190, 70, 195);
  x.Segment(70, 195, 80, 195);
  x.Segment(0, 60, 297, 60);  // over the drawing area only
  x.Segment(0, 0, 10, 0);
  x.Segment(10, 0, 10, 10);

  HpglOptions options;
  options.scaleChoice = 6;  // 1/1
  EXPECT_EQ(Stream(list, options, Sheet()), x.c);
}

TEST(Hpgl, DimensionsPlotTheirPartsAndTerminators) {
  InstallToolExtensions();
  for (int type = 1; type <= 4; ++type) {
    EntityList list;
    testing::DimRecord r = testing::DistanceRecord({0, -100}, {0, 0}, {100, 0}, 100);
    r.Set(14, type * 10000 + type * 1000 + 2 * 10 + 3);  // dot size 2, arrow size 3
    ASSERT_NE(r.AddTo(list), nullptr);
    HpglOptions options;
    options.scaleChoice = 6;
    const std::vector<std::string> out = Stream(list, options, Sheet());
    std::vector<std::string> expected;
    if (type == 1) {
      for (double x : {0.0, 100.0}) {
        expected.push_back("PU" + Expected::P(x, 0) + ";");
        expected.push_back("CI40.00,5;");
      }
    } else {
      const std::vector<double> turns = type == 2 ? std::vector<double>{-150}
                                        : type == 3 ? std::vector<double>{-150, 150}
                                                    : std::vector<double>{-30, 30};
      for (const auto& [tip, theta] : std::vector<std::pair<double, double>>{{0, 180}, {100, 0}}) {
        for (double turn : turns) {
          expected.push_back("PU" + Expected::P(tip, 0) + ";");
          const double t = (theta + turn) * kDeg;
          expected.push_back("PD" + Fixed(tip / 0.025 + 120 * std::cos(t)) + "," + Fixed(120 * std::sin(t)) + ";");
        }
      }
    }
    // The terminators follow the dimension's own pen command; its parts come after it.
    const auto first = std::find(out.begin(), out.end(), expected.front());
    ASSERT_NE(first, out.end()) << "type " << type;
    EXPECT_EQ(std::vector<std::string>(first, first + static_cast<std::ptrdiff_t>(expected.size())), expected) << "type " << type;
    EXPECT_GT(std::count_if(out.begin(), out.end(), [](const std::string& c) { return c.rfind("LB", 0) == 0; }), 0);
  }
}

TEST(Hpgl, ScalesPaperCorrectionsCachesAndLayers) {
  // The automatic scale by the area's diagonal: 1 up to 10, else down to a multiple of 10.
  const double unit = 1494.02141885583 / 2.185;  // the diagonal of scale 1
  EXPECT_EQ(AutomaticPlotScale({0, 0}, {unit * 10.9, 0}), 1);
  EXPECT_EQ(AutomaticPlotScale({0, 0}, {unit * 57.5, 0}), 50);
  EXPECT_EQ(AutomaticPlotScale({5, 5}, {5, 5}), 1);
  HpglDrawing d = Sheet();
  d.areaMax = {unit * 300, 0};
  HpglOptions o;
  d.scale = 0.5;  // the drawing's own below 1: automatic
  EXPECT_EQ(PlotScale(o, d), 300);
  o.scaleChoice = 2;
  EXPECT_EQ(PlotScale(o, d), 50);
  o.paperBased = true;
  o.paperSize = 3;
  EXPECT_DOUBLE_EQ(PlotPaperFactor(o), 2);

  // 1/50 on Ａ３ against Ａ１ with corrections: (x − origin) / 2 / 50 / 0.025 + correction / 0.025.
  EntityList list;
  Add(list, kLine, 0, 105, {1000, 2000, 3000, 2000});
  Add(list, kLine, 0, 105, {0, 0, 10, 10});  // same pen and type: nothing sent again
  Add(list, kCircle, 0, 205, {0, 0, 100});    // a new type on a circle: the adaptive form
  Add(list, kLine, 0, 5, {0, 0, 10, 10});     // back to solid
  Add(list, kLine, 0, 5, {1, 1, 2, 2}, nullptr, 3);   // a hidden layer
  Add(list, kLine, 0, 5, {3, 3, 4, 4}, nullptr, 12);  // shown above layer 9: plots
  Add(list, kLine, 0, 5, {5, 5, 6, 6}, nullptr, 7);   // the current layer, hidden: plots
  o.correctionX = 10;
  o.correctionY = -300;
  d = Sheet();
  d.areaMin = {-500, 0};
  d.layerStates[3] = kLayerHidden;
  d.layerStates[7] = kLayerHidden;
  d.layerStates[12] = kLayerNormal;
  d.currentLayer = 7;
  auto P = [](double x, double y) { return Fixed((x + 500) / 2.5 + 400) + "," + Fixed(y / 2.5 - 12000); };
  const std::vector<std::string> expected = {
      "SP5;", "LT2,0.1;", "PU" + P(1000, 2000) + ";", "PD" + P(3000, 2000) + ";", "PU" + P(0, 0) + ";",
      "PD" + P(10, 10) + ";", "LT-3;", "PU" + P(0, 0) + ";", "CI40.00,5;", "LT;", "PU" + P(0, 0) + ";",
      "PD" + P(10, 10) + ";", "PU" + P(3, 3) + ";", "PD" + P(4, 4) + ";", "PU" + P(5, 5) + ";", "PD" + P(6, 6) + ";"};
  EXPECT_EQ(Stream(list, o, d), expected);
  o.allLayers = true;
  EXPECT_EQ(Stream(list, o, d).size(), expected.size() + 2);
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(Hpgl, FilesHoldOneCommandALineAndNeverLoseTheOldOne) {
  const std::string dir = ::testing::TempDir() + "hpgl_files";
  std::filesystem::create_directories(dir);
  const std::string path = dir + "/a.pgl";
  EntityList list;
  testing::AddGrid(list);
  HpglOptions o;
  o.scaleChoice = 6;
  std::string error;
  std::ofstream(path) << "old";
  EXPECT_EQ(ExportHpgl(path, o, Sheet(), list, nullptr, &error), HpglExportResult::kNothingToPlot);
  EXPECT_EQ(ReadAll(path), "old");

  testing::AddLine(list, 10, 20, 30, 40);
  EXPECT_EQ(ExportHpgl(path, o, Sheet(), list, nullptr, &error), HpglExportResult::kWritten);
  EXPECT_EQ(ReadAll(path), "IN;\r\nSP2;\r\nPU400.00,800.00;\r\nPD1200.00,1600.00;\r\nPUSPPG;\r\n");
  o.commandSet = kHpgl2;
  ASSERT_EQ(ExportHpgl(path, o, Sheet(), list, nullptr, &error), HpglExportResult::kWritten);
  EXPECT_EQ(ReadAll(path).substr(0, 12), "\x1b%-1BBPIN;\r\n");
  EXPECT_EQ(ReadAll(path).substr(ReadAll(path).size() - 10), "PUSP0PG;\r\n");

  // Stopped: what was written, closed by the end line.
  for (int i = 0; i < 10000; ++i) testing::AddLine(list, i, 0, i, 1);
  std::size_t told = 0;
  EXPECT_EQ(ExportHpgl(path, o, Sheet(), list, [&](std::size_t done, std::size_t) { return (told = done) < 4096; }, &error),
            HpglExportResult::kStopped);
  const std::string stopped = ReadAll(path);
  EXPECT_LT(std::count(stopped.begin(), stopped.end(), '\n'), 2 * 10000);
  EXPECT_EQ(stopped.substr(stopped.size() - 10), "PUSP0PG;\r\n");

  // Unwritable: the old file stays and the reason is told.
  EXPECT_EQ(ExportHpgl(dir + "/missing/b.pgl", o, Sheet(), list, nullptr, &error), HpglExportResult::kFailed);
  EXPECT_FALSE(error.empty());
}

TEST(Hpgl, Hp2xxReadsEveryKindInBothCommandSets) {
  if (std::system("command -v hp2xx >/dev/null 2>&1") != 0) GTEST_SKIP() << "hp2xx is not installed";
  InstallToolExtensions();
  EntityList list;
  testing::AddGrid(list);
  Add(list, kPoint, 0, 0, {10, 10});
  Add(list, kLine, 0, 104, {10, 20, 110, 20});
  Add(list, kCircle, 0, 203, {50, 50, 20});
  Add(list, kArc, -1, 3, {100, 100, 10, 30, 120});
  Add(list, kText, 0, 1, {20, 150, 5, 5, 30}, "ABC");
  Add(list, kLeaderText, 0, 1, {20, 190, 4, 4, 0, 60, 190, 70, 195, 80, 195}, "L");
  Add(list, kBezierCurve, 0, 2, {0, 0, 50, 80, 100, 0, 150, 80});
  testing::DimRecord r = testing::DistanceRecord({0, -100}, {0, 0}, {100, 0}, 100);
  r.Set(14, 33033);
  ASSERT_NE(r.AddTo(list), nullptr);
  const std::string dir = ::testing::TempDir();
  for (int set : {kHpgl, kHpgl2}) {
    HpglOptions o;
    o.commandSet = set;
    o.scaleChoice = 6;
    const std::string pgl = dir + "kinds" + std::to_string(set) + ".pgl", log = pgl + ".log";
    std::string error;
    ASSERT_EQ(ExportHpgl(pgl, o, Sheet(), list, nullptr, &error), HpglExportResult::kWritten);
    const std::string command = "hp2xx -q -m png -f " + pgl + ".png " + pgl + " >" + log + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << ReadAll(log);
    const std::string verbose = "hp2xx -m png -f " + pgl + ".png " + pgl + " 2>&1 | grep -E 'ignored|Unexpected' >" + log;
    ASSERT_EQ(std::system(verbose.c_str()), 0);
    const std::string report = ReadAll(log);
    EXPECT_NE(report.find("HPGL command(s) ignored: 0"), std::string::npos) << report;
    EXPECT_NE(report.find("Unexpected event(s):  0"), std::string::npos) << report;
  }
}

}  // namespace
}  // namespace plenwick
