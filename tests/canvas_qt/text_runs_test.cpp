// Guards texts drawn from kept glyph runs: the same pixels as shaping each text at every paint
// (Latin, Japanese, a missing character, stretched, turned at many angles, exclusive-or, a
// Mincho face), and a cache that keeps within its memory bound by pushing out the least
// recently used texts.
#include <gtest/gtest.h>

#include <QFont>
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

QImage Draw(bool kept, DrawMode mode) {
  QtImageCanvas c(300, 260, 0xF0F0F0);
  c.KeepShapedTexts(kept);
  c.SetPen({PenKind::kCosmetic, PenStyle::kSolid, 1, 0x0000FF});
  c.Line({0, 40}, {300, 40});
  c.SetBackgroundMode(BackgroundMode::kTransparent);
  c.SetDrawMode(mode);
  for (int pass = 0; pass < 2; ++pass) {  // the second pass draws from the cache when kept
    c.SetTextColour(pass == 0 ? MakeColourRef(20, 40, 60) : MakeColourRef(200, 0, 0));
    for (const Sample& s : kSamples) {
      const std::string sjis = s.face[0] == 'N' ? std::string(s.text) : Utf8ToSjis(s.text);
      const FontSpec font{Utf8ToSjis(s.face), s.height, s.width, s.escapement, kShiftJisCharSet, true};
      c.Text({s.at.x + pass * 3, s.at.y + pass * 2}, sjis, font);
    }
    // More angles of one font than a font engine keeps, so that they fall into several groups.
    for (int k = 0; k < 24; ++k) {
      const FontSpec font{Utf8ToSjis("ＭＳゴシック"), 10, 5, 150 * k + 25, kShiftJisCharSet, true};
      c.Text({150 + pass, 150 + pass}, Utf8ToSjis("角度A"), font);
    }
    c.Line({0, 45 + pass}, {300, 45 + pass});  // the canvas pen comes back after texts
  }
  return c.Finish().copy();
}

TEST(TextRuns, KeptTextsDrawTheSamePixelsAsShapingEachTime) {
  for (DrawMode mode : {DrawMode::kCopy, DrawMode::kXor}) {
    const QImage shaped = Draw(false, mode);
    const QImage kept = Draw(true, mode);
    EXPECT_EQ(kept, shaped) << static_cast<int>(mode);
    EXPECT_EQ(Draw(true, mode), kept) << static_cast<int>(mode);  // drawn from the cache alone
  }
  EXPECT_NE(Draw(true, DrawMode::kCopy), Draw(true, DrawMode::kXor));
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
  probe.Insert("text 999", runs);  // a key as long as those below
  const std::size_t each = probe.bytes();
  const std::size_t bound = each * 10 + each / 2;
  TextRunCache cache(bound);
  std::vector<std::string> keys;
  for (int i = 0; i < 30; ++i) {
    keys.push_back("text " + std::to_string(i + 100));  // keys of one length: entries of one size
    cache.Insert(keys.back(), runs);
    if (i >= 5) {
      ASSERT_NE(cache.Find(keys[5]), nullptr);  // used at every step, so never dropped
    }
    EXPECT_LE(cache.bytes(), bound);
    EXPECT_EQ(cache.bytes(), cache.size() * each);
  }
  // A full cache drops down to three quarters of its bound at once, the oldest first.
  EXPECT_GE(cache.size(), 7u);
  EXPECT_LE(cache.size(), 10u);
  for (int i = 0; i < 10; ++i) {
    if (i != 5) {
      EXPECT_EQ(cache.Find(keys[static_cast<std::size_t>(i)]), nullptr) << i;
    }
  }
  for (int i = 25; i < 30; ++i) EXPECT_NE(cache.Find(keys[static_cast<std::size_t>(i)]), nullptr) << i;
  EXPECT_EQ(cache.Find(keys[29])->size(), runs.size());
}

}  // namespace
}  // namespace plenwick
