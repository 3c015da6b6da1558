// Guards the whole chain from elements to pixels: a drawing holding every element kind is shown
// by the view on the Qt canvas, saved as PNG and read back, and known places carry the colours
// of the elements drawn there.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "model/entity_core.h"
#include "model/program_settings.h"
#include "platform/sjis.h"
#include "qt_canvas.h"
#include "support/view_test_drawing.h"

namespace plenwick {
namespace {

class ImageHost final : public ViewHost {
 public:
  explicit ImageHost(QtImageCanvas& c) : canvas(c) {}
  void DrawOnClient(const std::function<void(Canvas&)>& draw) override { draw(canvas); }
  void Invalidate(const PixelRect*) override {}
  void SetStatusText(int, std::string_view) override {}
  QtImageCanvas& canvas;
};

constexpr int32_t kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00, kBlack = 0;

DrawEntity* Add(EntityList& list, int16_t kind, std::vector<double> v, int32_t colour, int16_t sub = 0,
                int16_t lineAttr = 0, const char* text = nullptr, std::vector<int16_t> codes = {}) {
  if (codes.empty()) codes.assign(v.size(), 0);
  DrawEntity* e = nullptr;
  AddEntity({kind, sub, lineAttr, 0, static_cast<int16_t>(v.size())}, nullptr, list, codes.data(), colour, v.data(),
            text, &e);
  return e;
}

class RenderPng : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetCurrentSettings();
    CurrentSettings().GridDisplay = 0;
    CurrentSettings().PaperFrameDisplay = 0;
    CurrentSettings().OriginMarkDisplay = 0;
  }
  void TearDown() override { ResetCurrentSettings(); }
};

TEST_F(RenderPng, EveryKindLandsOnItsPixels) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage picture(8, 8, QImage::Format_RGB32);
  picture.fill(QColor(255, 200, 0));
  const QString picturePath = dir.filePath("picture.png");
  ASSERT_TRUE(picture.save(picturePath));

  testing::TestDrawing d;
  EntityList& l = d.entities;
  Add(l, kGrid, {0, 0, 20}, 0);
  Add(l, kLine, {10, 10, 100, 10}, kRed, 0, 600);  // 4 pixels wide
  Add(l, kCircle, {200, 100, 30}, kBlue);
  Add(l, kArc, {200, 100, 20, 0, 90}, kRed, 1);
  Add(l, kPoint, {120, 120}, kBlue, 2);
  Add(l, kText, {20, 150, 12, 12, 0}, kBlack, 0, 0, Utf8ToSjis("図面テキスト").c_str());
  Add(l, kPaint, {0, 0, 250, 150, 280, 150, 280, 180, 250, 180}, kGreen, 4, 0, nullptr, {0, 0, 10, 20, 10, 20, 10, 20, 10, 20});
  Add(l, kImage, {20, 40, 60, 70}, 0, 0, 0, Utf8ToSjis(picturePath.toStdString()).c_str());
  Add(l, kImage, {70, 40, 90, 70}, 0, 0, 0, "no-such-picture.png");
  Add(l, kVerticalInfiniteLine, {150, -999999.9, 150, 9999999.9}, kBlue, 0, 500);
  Add(l, kBezierCurve, {10, 190, 40, 200, 70, 190}, kRed, 0, 0, nullptr, {10, 20, 10, 20, 10, 20});
  Add(l, kFreeCurve, {220, 20, 240, 30, 260, 20}, kBlack);
  Add(l, kPolygon, {100, 160, 130, 160, 115, 190}, kBlack);
  Add(l, kLeaderText, {230, 60, 8, 8, 0, 170, 30, 220, 55, 240, 55}, kBlack, 13, 0, "L1");
  Add(l, kGroupHeader, {0, 0, 0, 0}, 0);

  QtImageCanvas canvas(900, 700, 0xFFFFFF);
  ImageHost host(canvas);
  CPlenwickView view(d.view(), host);
  view.OnInitialUpdate();
  view.OnSize(900, 700);
  view.ShowBaseScreen();
  const QString pngPath = dir.filePath("drawing.png");
  ASSERT_TRUE(canvas.Finish().save(pngPath));
  QImage png(pngPath);
  ASSERT_FALSE(png.isNull());
  ASSERT_EQ(png.size(), QSize(900, 700));

  const ViewMapping& m = view.mapping();
  auto colourAt = [&](double x, double y) {
    const PixelPoint p = m.ModelToScreen(x, y);
    return png.pixel(p.x, p.y) & 0xFFFFFF;
  };
  // Any pixel of the colour within r pixels of the model point.
  auto near = [&](double x, double y, QRgb colour, int r = 2) {
    const PixelPoint p = m.ModelToScreen(x, y);
    for (int dy = -r; dy <= r; ++dy) {
      for (int dx = -r; dx <= r; ++dx) {
        if ((png.pixel(p.x + dx, p.y + dy) & 0xFFFFFF) == (colour & 0xFFFFFF)) return true;
      }
    }
    return false;
  };
  const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), green = qRgb(0, 255, 0), white = qRgb(255, 255, 255);
  EXPECT_TRUE(near(55, 10, red, 1));                             // thick line
  EXPECT_TRUE(near(230, 100, blue));                             // circle, rightmost point
  EXPECT_TRUE(near(170, 100, blue));                             // circle, leftmost point
  EXPECT_EQ(colourAt(200, 100) & 0xFFFFFF, white & 0xFFFFFF);    // circles are not filled
  EXPECT_TRUE(near(200 + 20 * 0.7071, 100 + 20 * 0.7071, red));  // arc in the first quadrant
  EXPECT_FALSE(near(200 - 20 * 0.7071, 100 - 20 * 0.7071, red)); // not in the third
  EXPECT_TRUE(near(120, 120, blue, 1));                          // square point
  EXPECT_EQ(colourAt(265, 165) & 0xFFFFFF, green & 0xFFFFFF);    // solid paint
  EXPECT_EQ(colourAt(40, 55) & 0xFFFFFF, qRgb(255, 200, 0) & 0xFFFFFF);  // placed picture
  EXPECT_EQ(colourAt(80, 55) & 0xFFFFFF, white & 0xFFFFFF);      // missing picture: nothing
  EXPECT_TRUE(near(150, 50, blue, 1));                           // vertical infinite line
  EXPECT_TRUE(near(150, 205, blue, 1));                          // across the whole window
  EXPECT_TRUE(near(10, 190, red, 1));                            // curve starts on its first point
  EXPECT_TRUE(near(70, 190, red, 1));                            // and ends on its last
  EXPECT_TRUE(near(170, 30, 0, 1));                              // leader tip
  // The text leaves dark pixels above its insertion point and nothing far below it.
  const PixelPoint t = m.ModelToScreen(20, 150);
  const int h = static_cast<int>(12 * m.PixelsPerModelMm());
  int dark = 0;
  for (int y = t.y - h; y < t.y; ++y) {
    for (int x = t.x; x < t.x + 6 * h; ++x) dark += qGray(png.pixel(x, y)) < 128;
  }
  EXPECT_GT(dark, 30);
  EXPECT_EQ(colourAt(290, 5) & 0xFFFFFF, white & 0xFFFFFF);  // an empty corner
}

TEST_F(RenderPng, ExclusiveOrElementDrawnTwiceLeavesThePaintedView) {
  testing::TestDrawing d;
  Add(d.entities, kGrid, {0, 0, 20}, 0);
  DrawEntity* line = Add(d.entities, kLine, {10, 10, 200, 120}, kRed);
  Add(d.entities, kCircle, {100, 100, 50}, kBlue);
  QtImageCanvas canvas(600, 400, 0xFFFFFF);
  ImageHost host(canvas);
  CPlenwickView view(d.view(), host);
  view.OnInitialUpdate();
  view.OnSize(600, 400);
  view.ShowBaseScreen();
  const QImage painted = canvas.image().copy();
  canvas.SetDrawMode(DrawMode::kXor);
  view.DrawElement(canvas, *line, 5);
  EXPECT_NE(canvas.image(), painted);
  view.DrawElement(canvas, *line, 5);
  EXPECT_EQ(canvas.image(), painted);
}

}  // namespace
}  // namespace plenwick
