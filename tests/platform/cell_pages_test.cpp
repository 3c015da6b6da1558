// Guards the cell grids of the spatial indexes against losing or misfiling a cell: cell numbers
// must be the floor of the scaled coordinate (a point filed one cell off is missed by the searches
// that trust the cell), and the paged map must keep every value wherever its cells lie, whether
// found in the window, through the hash or after the window was laid anew.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "platform/cell_pages.h"

namespace plenwick {
namespace {

TEST(CellNumberOf, FloorWithinTheRange) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double v;
    double inverse;
    bool ok;
    int32_t cell;
  } cases[] = {
      {0, 1, true, 0},
      {0.99, 1, true, 0},
      {-0.01, 1, true, -1},
      {-1, 1, true, -1},
      {-1.5, 1, true, -2},
      {-0.0, 1, true, 0},
      {130, 1.0 / 64, true, 2},
      {-130, 1.0 / 64, true, -3},
      {1999999999.9, 1, true, 1999999999},
      {2e9, 1, false, 0},
      {-1999999999.0, 1, true, -1999999999},
      {-1999999999.5, 1, false, 0},  // its floor is -2e9: beyond
      {1e300, 1, false, 0},
      {inf, 1, false, 0},
      {-inf, 1, false, 0},
      {nan, 1, false, 0},
  };
  for (const Case& c : cases) {
    int32_t cell = 12345;
    EXPECT_EQ(CellNumberOf(c.v, c.inverse, &cell), c.ok) << c.v;
    if (c.ok) {
      EXPECT_EQ(cell, c.cell) << c.v;
      EXPECT_EQ(static_cast<double>(cell), std::floor(c.v * c.inverse)) << c.v;
    }
  }
}

TEST(CellNumberOf, ClampedBoundsOfARange) {
  EXPECT_EQ(ClampedCellNumber(-0.5, 1), -1);
  EXPECT_EQ(ClampedCellNumber(7.9, 0.5), 3);
  EXPECT_EQ(ClampedCellNumber(1e300, 1), static_cast<int64_t>(kLargestCellNumber));
  EXPECT_EQ(ClampedCellNumber(-1e300, 1), -static_cast<int64_t>(kLargestCellNumber));
}

TEST(FloatBounds, HoldTheDoubleBetweenThem) {
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> mantissa(-1, 1);
  std::uniform_int_distribution<int> exponent(-60, 90);
  for (int i = 0; i < 100000; ++i) {
    const double v = std::ldexp(mantissa(rng), exponent(rng));
    EXPECT_LE(double{FloatBelow(v)}, v);
    EXPECT_GE(double{FloatAbove(v)}, v);
    EXPECT_LT(double{FloatAbove(v)} - FloatBelow(v), std::fabs(v) * 1e-5 + 1e-29);
  }
  EXPECT_TRUE(std::isnan(FloatBelow(std::numeric_limits<double>::quiet_NaN())));
}

// Values set through Slot, in clusters near and far and one by one far apart (the window is laid
// anew as pages come, or stays away for sparse cells), against a plain map.
TEST(CellPages, KeepsEveryCellWhereverItLies) {
  struct Case {
    const char* name;
    int cells;
    int spread;  // cell numbers drawn from ±spread
    int far;     // every far-th cell moved about 1e9 cells away (0: none)
  } cases[] = {
      {"dense block", 20000, 300, 0},
      {"dense with strays", 20000, 300, 50},
      {"sparse", 3000, 1000000000, 0},
      {"row by row", 30000, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::mt19937 rng(7);
    std::uniform_int_distribution<int32_t> coord(-c.spread, c.spread);
    CellPages pages;
    std::map<std::pair<int32_t, int32_t>, uint32_t> expected;
    for (int i = 0; i < c.cells; ++i) {
      CellKey cell{coord(rng), coord(rng)};
      if (c.spread == 0) cell = {i % 700 - 350, i / 700 - 20};  // the order a drawing is swept in
      if (c.far > 0 && i % c.far == 0) cell.x = cell.x / 2 + 1000000000;
      const auto value = static_cast<uint32_t>(i);
      pages.Slot(cell) = value;
      expected[{cell.x, cell.y}] = value;
    }
    for (const auto& [cell, value] : expected) ASSERT_EQ(pages.Get({cell.first, cell.second}), value);
    EXPECT_EQ(pages.Get({500000000, 7}), CellPages::kEmpty);
    std::size_t seen = 0;
    pages.ForEach([&](const CellKey& cell, uint32_t value) {
      ++seen;
      EXPECT_EQ(expected.at({cell.x, cell.y}), value);
    });
    EXPECT_EQ(seen, expected.size());
    // A range, by pages or through every page when it spans more than there are.
    for (const int64_t half : {int64_t{3}, int64_t{40}, int64_t{3000000000}}) {
      std::vector<uint32_t> found;
      pages.ForEachIn(-half, -half, half, half / 2, [&](uint32_t value) { found.push_back(value); });
      std::size_t inside = 0;
      for (const auto& [cell, value] : expected) {
        inside += cell.first >= -half && cell.first <= half && cell.second >= -half && cell.second <= half / 2 ? 1 : 0;
      }
      EXPECT_EQ(found.size(), inside) << half;
    }
  }
}

}  // namespace
}  // namespace plenwick
