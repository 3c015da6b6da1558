// Guards the Qt canvas: exclusive-or drawing really erases on a second pass (lines, polylines
// with joints, outlines, ellipses, arcs), device-context pixel rules (last pixel of a line,
// exclusive right and bottom edges), hatch brushes, images (missing, stretched, faded), texts in
// Japanese faces and the mapping of face names to installed families.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "font_faces.h"
#include "image_loader.h"
#include "platform/sjis.h"
#include "qt_canvas.h"

namespace plenwick {
namespace {

constexpr ColourRef kWhite = 0xFFFFFF;
constexpr ColourRef kRed = MakeColourRef(255, 0, 0);

QRgb Pixel(QtImageCanvas& c, int x, int y) { return c.image().pixel(x, y) & 0xFFFFFF; }

int CountNot(const QImage& image, QRgb colour, const QRect& area) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF);
  }
  return n;
}

void DrawFigures(Canvas& c) {
  c.Line({10, 10}, {90, 60});
  const PixelPoint zigzag[] = {{10, 80}, {40, 120}, {70, 80}, {100, 120}, {100, 80}};
  c.Polyline(zigzag);
  c.Rectangle({120, 10, 180, 60});
  c.Ellipse({120, 80, 190, 140});
  c.Arc({10, 130, 90, 190}, 30, 200);
}

TEST(QtCanvas, ExclusiveOrDrawnTwiceRestoresThePicture) {
  struct Case {
    DrawMode mode;
    PenStyle style;
    int width;
  } cases[] = {
      {DrawMode::kXor, PenStyle::kSolid, 1},   {DrawMode::kNotXor, PenStyle::kDot, 1},
      {DrawMode::kXor, PenStyle::kDash, 1},    {DrawMode::kNotXor, PenStyle::kSolid, 1},
  };
  for (const Case& k : cases) {
    QtImageCanvas c(200, 200, kWhite);
    c.SetBrush({});
    c.SetPen({DrawMode::kCopy == k.mode ? PenKind::kCosmetic : PenKind::kCosmetic, PenStyle::kSolid, 1, 0x202020});
    c.Line({0, 100}, {200, 100});  // something under the figures
    const QImage before = c.image().copy();
    c.SetDrawMode(k.mode);
    c.SetBackgroundMode(BackgroundMode::kTransparent);
    c.SetPen({PenKind::kCosmetic, k.style, k.width, 0x3060C0});
    DrawFigures(c);
    EXPECT_GT(CountNot(c.image(), 0, QRect()), -1);
    EXPECT_NE(c.image(), before) << static_cast<int>(k.mode);
    DrawFigures(c);
    EXPECT_EQ(c.image(), before) << static_cast<int>(k.mode) << "/" << static_cast<int>(k.style);
  }
}

TEST(QtCanvas, ExclusiveOrCombinesWithThePicture) {
  QtImageCanvas c(50, 50, kWhite);
  c.SetDrawMode(DrawMode::kXor);
  c.SetPen({PenKind::kCosmetic, PenStyle::kSolid, 1, kRed});
  c.Line({0, 10}, {40, 10});
  EXPECT_EQ(Pixel(c, 5, 10), qRgb(0, 255, 255) & 0xFFFFFF);  // white ^ red = cyan
  c.SetDrawMode(DrawMode::kNotXor);
  c.Line({0, 20}, {40, 20});
  EXPECT_EQ(Pixel(c, 5, 20), qRgb(255, 0, 0) & 0xFFFFFF);    // ~(white ^ red) = red
}

TEST(QtCanvas, DeviceContextPixelRules) {
  QtImageCanvas c(50, 50, kWhite);
  c.SetPen({PenKind::kCosmetic, PenStyle::kSolid, 1, kRed});
  c.Line({10, 5}, {20, 5});
  EXPECT_EQ(Pixel(c, 10, 5), 0xFF0000u);
  EXPECT_EQ(Pixel(c, 19, 5), 0xFF0000u);
  EXPECT_EQ(Pixel(c, 20, 5), 0xFFFFFFu);  // the last pixel is left out
  c.SetBrush({BrushKind::kSolid, HatchStyle::kHorizontal, kRed});
  c.Rectangle({10, 10, 20, 20});
  EXPECT_EQ(Pixel(c, 10, 10), 0xFF0000u);
  EXPECT_EQ(Pixel(c, 19, 19), 0xFF0000u);
  EXPECT_EQ(Pixel(c, 15, 15), 0xFF0000u);
  EXPECT_EQ(Pixel(c, 20, 15), 0xFFFFFFu);
  EXPECT_EQ(Pixel(c, 15, 20), 0xFFFFFFu);
  c.FillRect({30, 30, 40, 40}, MakeColourRef(0, 0, 255));
  EXPECT_EQ(Pixel(c, 39, 39), 0x0000FFu);
  EXPECT_EQ(Pixel(c, 40, 39), 0xFFFFFFu);
}

TEST(QtCanvas, HatchBrushesLeaveGapsAndClipLimitsDrawing) {
  QtImageCanvas c(100, 100, kWhite);
  c.SetPen({PenKind::kCosmetic, PenStyle::kSolid, 1, kRed});
  c.SetBackgroundMode(BackgroundMode::kTransparent);
  c.SetBrush({BrushKind::kHatch, HatchStyle::kHorizontal, kRed});
  const PixelRect clip{0, 0, 50, 100};
  c.SetClip(&clip);
  c.Rectangle({10, 10, 90, 90});
  c.SetClip(nullptr);
  const int red = CountNot(c.image(), 0xFFFFFF, QRect(11, 11, 38, 78));
  EXPECT_GT(red, 100);
  EXPECT_LT(red, 38 * 78 / 2);
  EXPECT_EQ(CountNot(c.image(), 0xFFFFFF, QRect(51, 11, 38, 78)), 0);
}

TEST(QtCanvas, ImagesLoadStretchFadeOrFail) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage source(4, 4, QImage::Format_RGB32);
  source.fill(QColor(0, 0, 255));
  const QString path = dir.filePath("blue.png");
  ASSERT_TRUE(source.save(path));
  const std::string sjis = Utf8ToSjis(path.toStdString());
  QtImageCanvas c(100, 100, kWhite);
  EXPECT_FALSE(c.Image({0, 0, 50, 50}, Utf8ToSjis(dir.filePath("missing.png").toStdString()), nullptr));
  EXPECT_EQ(CountNot(c.image(), 0xFFFFFF, QRect(0, 0, 100, 100)), 0);
  EXPECT_FALSE(c.Image({0, 0, 50, 50}, std::string(300, 'a'), nullptr));
  EXPECT_TRUE(c.Image({10, 10, 50, 30}, sjis, nullptr));
  EXPECT_EQ(Pixel(c, 10, 10), 0x0000FFu);
  EXPECT_EQ(Pixel(c, 49, 29), 0x0000FFu);
  EXPECT_EQ(Pixel(c, 50, 30), 0xFFFFFFu);
  const ColourMatrix faded = ColourMatrix::Scale(0.8f, 0.8f, 0.8f, 0.4f);
  EXPECT_TRUE(c.Image({60, 60, 90, 90}, sjis, &faded));
  const QColor mixed(c.image().pixel(75, 75));
  // 40 % of the blue darkened to 80 % over white.
  EXPECT_NEAR(mixed.red(), 153, 2);
  EXPECT_NEAR(mixed.blue(), 235, 2);
  // A picture larger than its box is shrunk before its colours are mixed: the same colour.
  QImage large(400, 300, QImage::Format_RGB32);
  large.fill(QColor(0, 0, 255));
  const QString largePath = dir.filePath("large.png");
  ASSERT_TRUE(large.save(largePath));
  QtImageCanvas small(100, 100, kWhite);
  EXPECT_TRUE(small.Image({10, 10, 30, 25}, Utf8ToSjis(largePath.toStdString()), &faded));
  EXPECT_EQ(small.image().pixel(20, 20), c.image().pixel(75, 75));
  // A box far larger than the device still draws only what is visible.
  EXPECT_TRUE(c.Image({-100000000, -100000000, 100000000, 100000000}, sjis, nullptr));
  EXPECT_EQ(Pixel(c, 99, 0), 0x0000FFu);
}

TEST(ImageLoader, ADrawingOfManyPicturesReadsEachOnce) {
  // Painting a drawing that places more pictures than a handful must not read and decode every
  // file again at each paint.
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ImageLoader loader;
  std::vector<std::string> paths;
  for (int i = 0; i < 20; ++i) {
    QImage source(4, 4, QImage::Format_RGB32);
    source.fill(QColor(i, 0, 0));
    const QString path = dir.filePath(QString("p%1.png").arg(i));
    ASSERT_TRUE(source.save(path));
    paths.push_back(Utf8ToSjis(path.toStdString()));
    ASSERT_FALSE(loader.Load(paths.back()).isNull());
  }
  EXPECT_EQ(loader.cachedCount(), 20u);
  // Kept means served without the file: removed files still come back until pushed out.
  ASSERT_TRUE(dir.remove());
  for (const std::string& p : paths) EXPECT_FALSE(loader.Load(p).isNull());
}

TEST(QtCanvas, JapaneseTextIsDrawnInTheMappedFaceAndTurned) {
  QtImageCanvas c(300, 300, kWhite);
  c.SetTextColour(0);
  c.SetBackgroundMode(BackgroundMode::kTransparent);
  FontSpec font{Utf8ToSjis("ＭＳゴシック"), 40, 20, 0, kShiftJisCharSet, true};
  c.Text({10, 10}, Utf8ToSjis("製図"), font);
  EXPECT_GT(CountNot(c.image(), 0xFFFFFF, QRect(10, 10, 80, 40)), 50);
  EXPECT_EQ(CountNot(c.image(), 0xFFFFFF, QRect(10, 60, 280, 230)), 0);
  // Turned 90 degrees counter-clockwise about its top-left corner: the text runs upward.
  font.escapement = 900;
  c.Text({150, 290}, Utf8ToSjis("製図"), font);
  EXPECT_GT(CountNot(c.image(), 0xFFFFFF, QRect(150, 200, 40, 90)), 50);
  EXPECT_EQ(CountNot(c.image(), 0xFFFFFF, QRect(195, 200, 100, 95)), 0);
}

TEST(FontFaces, JapaneseFacesMapToInstalledFamilies) {
  struct Case {
    const char* face;
    const char* family;
  } cases[] = {
      {"ＭＳゴシック", "IPAGothic"}, {"ＭＳ ゴシック", "IPAGothic"}, {"MS Gothic", "IPAGothic"},
      {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"ＭＳ明朝", "IPAMincho"},   {"ＭＳ Ｐ明朝", "IPAPMincho"},
      {"MS Mincho", "IPAMincho"},     {"", "IPAGothic"},           {"System", "IPAGothic"},
      {"DejaVu Sans", "DejaVu Sans"},
  };
  for (const Case& c : cases) EXPECT_EQ(FamiliesForFace(c.face).front().toStdString(), c.family) << c.face;
}

}  // namespace
}  // namespace plenwick
