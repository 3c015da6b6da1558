// Guards texts drawn from kept glyph runs: the same pixels as shaping each text at every paint
// (Latin, Japanese, a missing character, stretched, turned, exclusive-or, a Mincho face), and
// a cache that keeps within its memory bound by pushing out the least recently used texts.
#include <gtest/gtest.h>

#include <QFont>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/sjis.h"
#include "qt_canvas.h"
#include "text_runs.h"

namespace plenwick {
namespace {

struct Sample {
  const char* text;
  const char* face;
  int height;
  int width;
  int escapement;
  PixelPoint at;
};

const Sample kSamples[] = {
    {"Plenwick R-1024", "ＭＳゴシック", 13, 6, 0, {5, 5}},
    {"製図の寸法線ｱｲｳ", "ＭＳゴシック", 16, 8, 0, {5, 30}},
    {"平面図 1:100", "ＭＳ明朝", 11, 5, 0, {5, 60}},
    {"幅広い文字", "ＭＳゴシック", 14, 12, 0, {5, 80}},
    {"turned 回転", "ＭＳゴシック", 12, 6, 300, {60, 230}},
    {"upward", "ＭＳ Ｐゴシック", 9, 4, 900, {230, 200}},
    {"小", "ＭＳゴシック", 4, 2, 1350, {200, 100}},
    {"\x7f\x80 odd bytes \xfd", "Nonexistent Face", 15, 7, 0, {5, 110}},
};

enum class Which { kAll, kUpright, kTurned };

QImage Draw(bool kept, DrawMode mode, Which which = Which::kAll) {
  QtImageCanvas c(300, 260, 0xF0F0F0);
  c.KeepShapedTexts(kept);
  c.SetPen({PenKind::kCosmetic, PenStyle::kSolid, 1, 0x0000FF});
  c.Line({0, 40}, {300, 40});
  c.SetBackgroundMode(BackgroundMode::kTransparent);
  c.SetDrawMode(mode);
  for (int pass = 0; pass < 2; ++pass) {  // the second pass draws from the cache when kept
    for (const Sample& s : kSamples) {
      if ((which == Which::kUpright && s.escapement != 0) || (which == Which::kTurned && s.escapement == 0)) continue;
      c.SetTextColour(pass == 0 ? MakeColourRef(20, 40, 60) : MakeColourRef(200, 0, 0));
      const std::string sjis = s.face[0] == 'N' ? std::string(s.text) : Utf8ToSjis(s.text);
      const FontSpec font{Utf8ToSjis(s.face), s.height, s.width, s.escapement, kShiftJisCharSet, true};
      const PixelPoint at{s.at.x + pass * 3, s.at.y + pass * 2};
      c.Text(at, sjis, font);
    }
    c.Line({0, 45 + pass}, {300, 45 + pass});  // the canvas pen comes back after texts
  }
  return c.Finish().copy();
}

TEST(TextRuns, KeptTextsDrawTheSamePixelsAsShapingEachTime) {
  // Upright texts, and every text in exclusive-or mode, exactly as shaped each time.
  for (DrawMode mode : {DrawMode::kCopy, DrawMode::kXor}) {
    const Which which = mode == DrawMode::kCopy ? Which::kUpright : Which::kAll;
    const QImage shaped = Draw(false, mode, which);
    const QImage kept = Draw(true, mode, which);
    EXPECT_EQ(kept, shaped) << static_cast<int>(mode);
    EXPECT_EQ(Draw(true, mode, which), kept) << static_cast<int>(mode);  // drawn from the cache alone
  }
  EXPECT_NE(Draw(true, DrawMode::kCopy), Draw(true, DrawMode::kXor));
}

TEST(TextRuns, TurnedTextsFromTheirUprightPictureLookAsShaped) {
  // Turned texts are drawn from a picture of them upright, turned: the same ink in the same place
  // within a pixel's smoothing, not the same pixels.
  const QImage shaped = Draw(false, DrawMode::kCopy, Which::kTurned);
  const QImage kept = Draw(true, DrawMode::kCopy, Which::kTurned);
  const QRgb paper = shaped.pixel(0, 0);
  auto ink = [&](const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return std::abs(qRed(p) - qRed(paper)) + std::abs(qGreen(p) - qGreen(paper)) + std::abs(qBlue(p) - qBlue(paper)) > 96;
  };
  int inkShaped = 0, inkKept = 0, inkBoth = 0;
  for (int y = 50; y < shaped.height(); ++y) {  // below the lines across the top
    for (int x = 0; x < shaped.width(); ++x) {
      const bool a = ink(shaped, x, y), b = ink(kept, x, y);
      inkShaped += a;
      inkKept += b;
      // Ink within a pixel of ink in the other picture.
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy) {
        for (int dx = -1; dx <= 1 && !near; ++dx) {
          const int nx = x + dx, ny = y + dy;
          near = nx >= 0 && ny >= 0 && nx < shaped.width() && ny < shaped.height() && ink(shaped, nx, ny);
        }
      }
      inkBoth += b && near;
    }
  }
  ASSERT_GT(inkShaped, 100);
  EXPECT_NEAR(inkKept, inkShaped, inkShaped * 0.35);
  EXPECT_GT(inkBoth, inkKept * 0.9) << "the kept picture's ink lies where the shaped text's is";
}

TEST(TextRuns, DifferentTextsDrawDifferentPixels) {
  auto draw = [](const char* text) {
    QtImageCanvas c(120, 30, 0xFFFFFF);
    c.SetBackgroundMode(BackgroundMode::kTransparent);
    c.Text({2, 2}, Utf8ToSjis(text), {Utf8ToSjis("ＭＳゴシック"), 16, 8, 0, kShiftJisCharSet, true});
    return c.Finish().copy();
  };
  EXPECT_EQ(draw("図面A"), draw("図面A"));
  EXPECT_NE(draw("図面A"), draw("図面B"));
  EXPECT_NE(draw("図面A"), draw("図画A"));
}

TEST(TextRuns, CacheKeepsWithinItsBoundDroppingTheLeastRecentlyUsed) {
  QFont font;
  font.setPixelSize(12);
  const QList<QGlyphRun> runs = ShapeText(QStringLiteral("0123456789"), font, 10);
  ASSERT_FALSE(runs.isEmpty());
  TextRunCache probe(1 << 20);
  probe.Insert("probe", runs);
  const std::size_t each = probe.bytes();
  TextRunCache cache(each * 10 + each / 2);
  std::vector<std::string> keys;
  for (int i = 0; i < 30; ++i) {
    keys.push_back("text " + std::to_string(i + 100));  // keys of one length: entries of one size
    cache.Insert(keys.back(), runs);
    if (i >= 5) {
      ASSERT_NE(cache.Find(keys[5]), nullptr);  // used at every step, so never dropped
    }
    EXPECT_LE(cache.bytes(), each * 10 + each / 2);
  }
  EXPECT_EQ(cache.size(), 10u);
  EXPECT_EQ(cache.Find(keys[0]), nullptr);
  EXPECT_EQ(cache.Find(keys[20]), nullptr);
  for (int i = 21; i < 30; ++i) EXPECT_NE(cache.Find(keys[static_cast<std::size_t>(i)]), nullptr) << i;
  EXPECT_EQ(cache.Find(keys[29])->size(), runs.size());
}

}  // namespace
}  // namespace plenwick
