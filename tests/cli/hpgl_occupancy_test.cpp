// The HP-GL file draws what the screen draws: for random drawings of lines, circles, arcs of both
// senses and curves, the picture hp2xx renders from plenwick-cli convert's .pgl file has its ink
// where plenwick-cli render's picture has ink, compared on coarse grids over each picture's inked
// box (the same frame: both fit the drawing).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "model/drawing_file.h"
#include "model/entity_core.h"

namespace plenwick {
namespace {

namespace fs = std::filesystem;

constexpr int kColumns = 24, kRows = 16;
using Grid = std::array<std::array<bool, kColumns>, kRows>;

// Cells of the dark pixels' box that hold a dark pixel.
Grid Occupancy(const QImage& image) {
  int minX = image.width(), minY = image.height(), maxX = -1, maxY = -1;
  auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 150; };
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (!dark(x, y)) continue;
      minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
  }
  Grid grid{};
  for (int y = minY; y <= maxY; ++y) {
    for (int x = minX; x <= maxX; ++x) {
      if (dark(x, y)) grid[(y - minY) * kRows / (maxY - minY + 1)][(x - minX) * kColumns / (maxX - minX + 1)] = true;
    }
  }
  return grid;
}

// Cells of `a` with no inked cell of `b` next to them (or on them).
int Unmatched(const Grid& a, const Grid& b) {
  int n = 0;
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      if (!a[r][c]) continue;
      bool near = false;
      for (int dr = -1; dr <= 1; ++dr) {
        for (int dc = -1; dc <= 1; ++dc) {
          const int rr = r + dr, cc = c + dc;
          near = near || (rr >= 0 && rr < kRows && cc >= 0 && cc < kColumns && b[rr][cc]);
        }
      }
      n += !near;
    }
  }
  return n;
}

TEST(HpglOccupancy, Hp2xxInksWhereTheRendererInks) {
  if (std::system("command -v hp2xx >/dev/null 2>&1") != 0) GTEST_SKIP() << "hp2xx is not installed";
  const fs::path dir = fs::temp_directory_path() / ("plenwick-occupancy-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::mt19937 random(1818);
  std::uniform_real_distribution<double> x(10, 400), y(10, 280), r(5, 60), angle(0, 360);
  for (int drawingNo = 0; drawingNo < 8; ++drawingNo) {
    DrawingFileInfo info;
    info.header.setScale(1);
    info.header.setPaperSize(3);
    info.layers.SetDefaults();
    info.areaMax = {420, 297, 0};
    // A white background, as paper is; the light paper frame stays out of the dark pixels.
    for (int i = 0; i < 8; ++i) info.drawingValues.setDisplayColour(i, 0xFFFFFF);
    info.drawingValues.setDisplayColour(1, 0xD2D2D2);
    EntityList list;
    const int16_t gc[] = {10, 20, 30};
    const double gv[] = {0, 0, 10};
    AddEntity({kGrid, 0, 0, 0, 3}, nullptr, list, gc, 0, gv, nullptr);
    const int16_t codes[] = {10, 20, 10, 20, 10, 20, 10, 20};
    for (int i = 0; i < 6; ++i) {
      switch (random() % 4) {
        case 0: {
          const double v[] = {x(random), y(random), x(random), y(random)};
          AddEntity({kLine, 0, 0, 0, 4}, nullptr, list, codes, 0, v, nullptr);
          break;
        }
        case 1: {
          const double v[] = {x(random), y(random), r(random)};
          AddEntity({kCircle, 0, 0, 0, 3}, nullptr, list, codes, 0, v, nullptr);
          break;
        }
        case 2: {
          const double v[] = {x(random), y(random), r(random), angle(random), angle(random)};
          AddEntity({kArc, static_cast<int16_t>(random() % 2 ? 1 : -1), 0, 0, 5}, nullptr, list, codes, 0, v, nullptr);
          break;
        }
        default: {
          const double v[] = {x(random), y(random), x(random), y(random), x(random), y(random), x(random), y(random)};
          AddEntity({kBezierCurve, 0, 0, 0, 8}, nullptr, list, codes, 0, v, nullptr);
          break;
        }
      }
    }
    const std::string pwk = (dir / "d.pwk").string();
    std::string error;
    ASSERT_EQ(SaveDrawingFile(pwk, info, list, &error), 0) << error;
    ASSERT_EQ(testing::RunCli("convert '" + pwk + "' '" + (dir / "d.pgl").string() + "'", dir).status, 0);
    ASSERT_EQ(testing::RunCli("render '" + pwk + "' '" + (dir / "r.png").string() + "' --width 960 --height 640", dir).status, 0);
    const std::string hp2xx = "hp2xx -q -m png -f '" + (dir / "h.png").string() + "' '" + (dir / "d.pgl").string() + "'";
    ASSERT_EQ(std::system(hp2xx.c_str()), 0);
    const Grid plotted = Occupancy(QImage(QString::fromStdString((dir / "h.png").string())));
    const Grid rendered = Occupancy(QImage(QString::fromStdString((dir / "r.png").string())));
    EXPECT_EQ(Unmatched(plotted, rendered), 0) << "drawing " << drawingNo;
    EXPECT_EQ(Unmatched(rendered, plotted), 0) << "drawing " << drawingNo;
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace plenwick
