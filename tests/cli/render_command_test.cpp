// Guards plenwick-cli render: PNG and SVG pictures of the whole drawing at the asked size, a PDF
// page of the drawing's paper at true scale, the grid only on request, and that an unreadable
// drawing or wrong arguments give one line, a non-zero status and no output file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <QRegularExpression>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <algorithm>
#include <cmath>

#include "model/drawing_file.h"
#include "model/entity_core.h"

namespace plenwick {
namespace {

namespace fs = std::filesystem;

struct RenderRun {
  int status = -1;
  std::string err;
};

RenderRun Render(const std::string& args, const fs::path& dir) {
  const fs::path err = dir / "stderr.txt";
  const std::string cmd = std::string("'") + PLENWICK_CLI_PATH + "' render " + args + " >/dev/null 2>'" + err.string() + "'";
  const int rc = std::system(cmd.c_str());
  std::ifstream in(err);
  std::stringstream s;
  s << in.rdbuf();
  return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, s.str()};
}

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class RenderCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("plenwick-render-test-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    drawing = (dir / "plan.pwk").string();
    WriteDrawing(drawing);
  }
  void TearDown() override { fs::remove_all(dir); }

  // A3 landscape at 1:100: a red rectangle round the paper's middle and a few other kinds.
  static void WriteDrawing(const std::string& path) {
    DrawingFileInfo info;
    info.header.setScale(100.0f);
    info.header.setPaperSize(3);
    info.header.setOrientation(0);
    info.layers.SetDefaults();
    info.areaMax = {42000, 29700, 0};
    for (int i = 0; i < 8; ++i) info.drawingValues.setDisplayColour(i, 0xFFFFFF);
    info.drawingValues.setDisplayColour(1, 0xD2D2D2);
    EntityList list;
    const int16_t gc[] = {10, 20, 30};
    const double gv[] = {0, 0, 1000};
    AddEntity({kGrid, 0, 0, 0, 3}, nullptr, list, gc, 0, gv, nullptr);
    const int16_t lc[] = {10, 20, 11, 22};
    const double corners[][2] = {{11000, 9850}, {31000, 9850}, {31000, 19850}, {11000, 19850}};
    for (int i = 0; i < 4; ++i) {
      const double lv[] = {corners[i][0], corners[i][1], corners[(i + 1) % 4][0], corners[(i + 1) % 4][1]};
      AddEntity({kLine, 0, 500, 0, 4}, nullptr, list, lc, 0x0000FF, lv, nullptr);
    }
    const int16_t cc[] = {10, 20, 40};
    const double cv[] = {21000, 14850, 3000};
    AddEntity({kCircle, 0, 0, 0, 3}, nullptr, list, cc, 0xFF0000, cv, nullptr);
    const int16_t tc[] = {10, 20, 30, 40, 50};
    const double tv[] = {12000, 11000, 800, 800, 0};
    AddEntity({kText, 0, 0, 0, 5}, nullptr, list, tc, 0, tv, "\x90\xbb\x90\x7d");  // 製図
    std::string error;
    ASSERT_EQ(SaveDrawingFile(path, info, list, &error), 0) << error;
  }

  fs::path dir;
  std::string drawing;
};

int Count(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
  }
  return n;
}

TEST_F(RenderCommand, PngShowsTheWholeDrawingAtTheAskedSize) {
  const fs::path out = dir / "plan.png";
  RenderRun r = Render("'" + drawing + "' '" + out.string() + "'", dir);
  ASSERT_EQ(r.status, 0) << r.err;
  QImage image(QString::fromStdString(out.string()));
  ASSERT_EQ(image.size(), QSize(1600, 1000));
  // The 2:1 rectangle fills the picture's width but for a small margin; the circle is in the middle.
  auto redIn = [&](int from, int to) {
    for (int x = from; x < to; ++x) {
      if ((image.pixel(x, 500) & 0xFFFFFF) == 0xFF0000u) return true;
    }
    return false;
  };
  EXPECT_TRUE(redIn(1, 30));
  EXPECT_TRUE(redIn(1570, 1599));
  EXPECT_FALSE(redIn(30, 1570));
  EXPECT_EQ(image.pixel(0, 500) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_GT(Count(image, qRgb(0, 0, 255)), 500);
  EXPECT_EQ(Count(image, qRgb(0xD2, 0xD2, 0xD2)), 0);  // no grid unless asked

  const fs::path small = dir / "small.png";
  r = Render("'" + drawing + "' '" + small.string() + "' --width 300 --height 200 --grid", dir);
  ASSERT_EQ(r.status, 0) << r.err;
  image = QImage(QString::fromStdString(small.string()));
  ASSERT_EQ(image.size(), QSize(300, 200));
  EXPECT_GT(Count(image, qRgb(0xD2, 0xD2, 0xD2)), 100);
}

TEST_F(RenderCommand, SvgAndPdf) {
  const fs::path svg = dir / "plan.svg";
  RenderRun r = Render("'" + drawing + "' '" + svg.string() + "' --width 800 --height 500", dir);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string svgText = Slurp(svg);
  EXPECT_NE(svgText.find("<svg"), std::string::npos);
  EXPECT_NE(svgText.find("viewBox=\"0 0 800 500\""), std::string::npos);

  const fs::path pdf = dir / "plan.PDF";
  r = Render("'" + drawing + "' '" + pdf.string() + "'", dir);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string pdfText = Slurp(pdf);
  ASSERT_EQ(pdfText.rfind("%PDF", 0), 0u);
  // The page is the drawing's paper, A3 landscape: 420 x 297 mm in points.
  const QRegularExpression box(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
  const auto match = box.match(QString::fromLatin1(pdfText.data(), static_cast<qsizetype>(pdfText.size())));
  ASSERT_TRUE(match.hasMatch());
  EXPECT_NEAR(match.captured(1).toDouble(), 420 / 25.4 * 72, 1);
  EXPECT_NEAR(match.captured(2).toDouble(), 297 / 25.4 * 72, 1);
}

// An independent reader (emf2svg) finds our lines and text where the drawing has them, at
// 20 units a mm on the A3 page, and nothing of the grid.
TEST_F(RenderCommand, EmfReadsBackThroughAnIndependentReader) {
  if (std::system("command -v emf2svg-conv >/dev/null 2>&1") != 0) GTEST_SKIP() << "emf2svg-conv is not installed";
  const fs::path emf = dir / "plan.EMF";
  RenderRun r = Render("'" + drawing + "' '" + emf.string() + "' --grid", dir);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string bytes = Slurp(emf);
  ASSERT_GT(bytes.size(), 108u);
  EXPECT_EQ(bytes.substr(40, 4), " EMF");
  const fs::path svg = dir / "plan.svg";
  const std::string cmd = "emf2svg-conv -i '" + emf.string() + "' -o '" + svg.string() + "' >/dev/null 2>&1";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  const std::string text = Slurp(svg);
  // The text, and the rectangle's corners (110, 98.5) and (310, 198.5) mm, y down from 297.
  EXPECT_NE(text.find("製図"), std::string::npos);
  const QString all = QString::fromStdString(text);
  const QRegularExpression number(QStringLiteral("-?[0-9]+(\\.[0-9]+)?"));
  std::vector<double> values;
  for (auto it = number.globalMatch(all); it.hasNext();) values.push_back(it.next().captured(0).toDouble());
  const auto has = [&values](double v) {
    return std::any_of(values.begin(), values.end(), [v](double x) { return std::fabs(x - v) < 1.5; });
  };
  for (double v : {110 * 20.0, 310 * 20.0, (297 - 98.5) * 20.0, (297 - 198.5) * 20.0}) EXPECT_TRUE(has(v)) << v;
  // The grid (pitch 10 m at 1:100, light grey) would add lines of that colour.
  EXPECT_EQ(text.find("#d2d2d2"), std::string::npos);
  EXPECT_EQ(text.find("#D2D2D2"), std::string::npos);
}

TEST_F(RenderCommand, FailuresPrintOneLineAndWriteNothing) {
  std::ofstream(dir / "junk.pwk") << "PX this is not a drawing";
  const fs::path out = dir / "out.png";
  struct Case {
    std::string args;
    int status;
  } cases[] = {
      {"'" + (dir / "missing.pwk").string() + "' '" + out.string() + "'", 1},
      {"'" + (dir / "junk.pwk").string() + "' '" + out.string() + "'", 1},
      {"'" + drawing + "' '" + (dir / "out.gif").string() + "'", 2},
      {"'" + drawing + "' '" + out.string() + "' --width 0", 2},
      {"'" + drawing + "' '" + out.string() + "' --height", 2},
      {"'" + drawing + "' '" + out.string() + "' --frame", 2},
      {"'" + drawing + "'", 2},
      {"'" + drawing + "' '" + (dir / "no-such-folder" / "x.png").string() + "'", 1},
  };
  for (const Case& c : cases) {
    const RenderRun r = Render(c.args, dir);
    EXPECT_EQ(r.status, c.status) << c.args;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.err.rfind("plenwick-cli: ", 0), 0u) << r.err;
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(dir / "out.gif"));
  }
}

}  // namespace
}  // namespace plenwick
