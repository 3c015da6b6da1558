// Guards the model-to-client mapping: its rounding, the three fit branches, recentring, the
// visible window, and that hostile values never reach an int conversion unclamped.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "view/view_mapping.h"

namespace plenwick {
namespace {

ViewMapping Client(int w, int h, double scale = 1) {
  ViewMapping m;
  m.clientWidth = m.extentWidth = w;
  m.clientHeight = m.extentHeight = h;
  m.scale = scale;
  return m;
}

TEST(ViewMapping, ModelToScreenRoundsByIntegerPartOfValuePlusHalf) {
  ViewMapping m = Client(800, 600);
  m.PixelsPerMm = 2;
  m.ScrollOffset = {10, 20};
  struct Case {
    double x, y;
    PixelPoint expected;
  } cases[] = {
      {0, 0, {-10, 620}},
      {1.3, 1.3, {-7, 617}},      // near(2.6) = 3
      {1.2, 1.2, {-8, 618}},      // near(2.4) = 2
      {-1.35, -1.35, {-12, 622}}, // near(-2.7) = integer part of -2.2 = -2
      {-0.2, -0.2, {-10, 620}},   // near(-0.4) = 0
  };
  for (const Case& c : cases) {
    EXPECT_EQ(m.ModelToScreen(c.x, c.y), c.expected) << c.x;
  }
}

TEST(ViewMapping, ScreenToModelIsNotRounded) {
  ViewMapping m = Client(800, 600, 100);
  m.PixelsPerMm = 4;
  m.ScrollOffset = {-3, 7};
  const ModelPoint p = m.ScreenToModel(5, 11);
  EXPECT_DOUBLE_EQ(p.x, (-3 + 5) / 4.0 * 100);
  EXPECT_DOUBLE_EQ(p.y, (600 - 11 + 7) / 4.0 * 100);
}

TEST(ViewMapping, FitTakesTheBranchTheShapesCallFor) {
  struct Case {
    int w, h;
    ModelRect window;
    double scale;
    double expected;
  } cases[] = {
      {800, 600, {0, 0, 400, 200}, 1, 2.0},     // wide window, wide client, too wide for the height: width
      {800, 600, {0, 0, 400, 300}, 1, 2.0},     // 400 * 600/300 = 800 fits: height
      {800, 600, {0, 0, 500, 100}, 10, 16.0},   // width: 800 / 500 * 10
      {800, 600, {0, 0, 100, 100}, 1, 6.0},     // dy >= dx: height, even though...
      {300, 600, {0, 0, 100, 120}, 1, 5.0},     // ...the width would allow only 3
      {600, 800, {0, 0, 400, 200}, 1, 1.5},     // tall client with a wide window: width
  };
  for (const Case& c : cases) {
    ViewMapping m = Client(c.w, c.h, c.scale);
    m.ViewWindow = c.window;
    ASSERT_TRUE(m.FitViewWindow());
    EXPECT_DOUBLE_EQ(m.PixelsPerMm, c.expected) << c.w << "x" << c.h;
  }
}

TEST(ViewMapping, FitRefusesWindowsThatGiveNoFiniteFactor) {
  const ModelRect windows[] = {
      {0, 0, 0, 0},
      {0, 0, std::nan(""), 10},
      {0, 0, 10, std::numeric_limits<double>::infinity()},
      {5, 5, 1, 1},
  };
  for (const ModelRect& w : windows) {
    ViewMapping m = Client(800, 600);
    m.PixelsPerMm = 3;
    m.ViewWindow = w;
    EXPECT_FALSE(m.FitViewWindow());
    EXPECT_EQ(m.PixelsPerMm, 3);
  }
}

TEST(ViewMapping, RecentringPutsTheWindowCentreAtTheClientCentre) {
  ViewMapping m = Client(801, 601, 50);
  m.ViewWindow = {1000, 2000, 5000, 4000};
  ASSERT_TRUE(m.FitViewWindow());
  m.Recentre();
  const PixelPoint c = m.ModelToScreen(3000, 3000);
  EXPECT_NEAR(c.x, 801 / 2, 1);
  EXPECT_NEAR(c.y, 601 - 601 / 2, 1);
}

TEST(ViewMapping, VisibleWindowCoversTheClientExtent) {
  ViewMapping m = Client(800, 600, 2);
  m.extentWidth = 1000;
  m.extentHeight = 700;
  m.PixelsPerMm = 4;
  m.ScrollOffset = {100, 150};
  const ModelRect w = m.VisibleWindow();
  EXPECT_DOUBLE_EQ(w.xmin, 100 / 4.0 * 2);
  EXPECT_DOUBLE_EQ(w.xmax, 1100 / 4.0 * 2);
  EXPECT_DOUBLE_EQ(w.ymin, (150 + 600 - 700) / 4.0 * 2);
  EXPECT_DOUBLE_EQ(w.ymax, 750 / 4.0 * 2);
  // The client's corners map onto the window's corners.
  EXPECT_EQ(m.ModelToScreen(w.xmin, w.ymax), (PixelPoint{0, 0}));
  EXPECT_EQ(m.ModelToScreen(w.xmax, w.ymin), (PixelPoint{1000, 700}));
}

TEST(ViewMapping, HostileValuesAreClampedNotConverted) {
  ViewMapping m = Client(800, 600);
  m.PixelsPerMm = 1e6;
  m.ScrollOffset = {std::numeric_limits<int>::max(), std::numeric_limits<int>::min() + 1};
  const double hostile[] = {1e300, -1e300, std::nan(""), std::numeric_limits<double>::infinity(), 99999999999.9};
  for (double v : hostile) {
    const PixelPoint p = m.ModelToScreen(v, v);
    EXPECT_LE(std::abs(p.x), kPixelLimit);
    EXPECT_LE(std::abs(p.y), kPixelLimit);
  }
  EXPECT_EQ(NearPixel(std::nan("")), 0);
  EXPECT_EQ(TruncToInt(1e20), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(TruncToInt(-1e20), std::numeric_limits<int32_t>::min() + 1);
  m.ViewWindow = {-1e308, -1e308, 1e308, 1e308};
  m.FitViewWindow();
  m.Recentre();  // must not overflow
  EXPECT_EQ(UsableScale(0), 1);
  EXPECT_EQ(UsableScale(-5), 1);
  EXPECT_EQ(UsableScale(std::nan("")), 1);
  EXPECT_EQ(UsableScale(100), 100);
}

}  // namespace
}  // namespace plenwick
