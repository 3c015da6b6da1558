// The JWC reader: every record kind and its index tables in both variants, the header's numbers,
// scale and paper, every early end of a file with its message and the elements kept, random
// drawings read back at the header's unit, and headers and strings that would make nonsense.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <random>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "exchange/jwc_document.h"
#include "exchange/jwc_reader.h"
#include "model/program_settings.h"
#include "support/jwc_file_builder.h"
#include "support/recording_ui.h"
#include "support/scoped_temp_folder.h"

namespace plenwick {
namespace {

using testing::BuildJwcFile;
using testing::JwcArc;
using testing::JwcDrawing;
using testing::JwcLine;
using testing::JwcPoint;
using testing::JwcText;

constexpr std::string_view kFont = "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e";  // ＭＳゴシック
constexpr int32_t kPalette = 0x01000000;

struct Element {
  int kind, subKind, lineAttr, layer;
  int32_t colour;
  std::vector<int16_t> codes;
  std::vector<double> values;
  std::string text = "", font = "";
  bool operator==(const Element&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Element& e) {
  os << "{kind " << e.kind << " sub " << e.subKind << " attr " << e.lineAttr << " layer " << e.layer << " colour "
     << std::hex << e.colour << std::dec << " values";
  for (double v : e.values) os << " " << v;
  return os << " text '" << e.text << "'}";
}

std::vector<Element> Elements(const EntityList& list) {
  std::vector<Element> out;
  for (const DrawEntity& e : list) {
    const int n = e.valueCount;
    out.push_back({e.kind, e.subKind, e.lineAttr, e.layer, e.colour,
                   std::vector<int16_t>(e.codes.get(), e.codes.get() + n),
                   std::vector<double>(e.values.get(), e.values.get() + n), std::string(e.text.view()),
                   std::string(e.font.view())});
  }
  return out;
}

struct Read {
  int status;
  JwcReadResult result;
  std::vector<Element> elements;
};
Read ReadBytes(const std::vector<uint8_t>& bytes) {
  Read r;
  EntityList list;
  r.status = ReadJwcBytes(bytes, r.result, list);
  r.elements = Elements(list);
  return r;
}

Element Line(std::vector<double> v, int lineType, int layer, int32_t palette) {
  return {kLine, 0, lineType * 100, layer, kPalette + palette, {10, 20, 11, 22}, std::move(v)};
}
Element Circle(std::vector<double> v, int lineType, int layer, int32_t palette) {
  return {kCircle, 1, lineType * 100, layer, kPalette + palette, {10, 20, 40}, std::move(v)};
}
Element Arc(std::vector<double> v, int lineType, int layer, int32_t palette) {
  return {kArc, 1, lineType * 100, layer, kPalette + palette, {10, 20, 40, 50, 51}, std::move(v)};
}
Element Text(std::vector<double> v, int layer, std::string text) {
  return {kText, 0, 0, layer, 0, {10, 20, 30, 40, 50}, std::move(v), std::move(text), std::string(kFont)};
}
Element Point(std::vector<double> v, int layer, int32_t palette) {
  return {kPoint, 0, 0, layer, kPalette + palette, {10, 20}, std::move(v)};
}

// Guards the layout of each record kind, the line-type, colour, layer and text-size tables with
// their out-of-range rules, the arc angle rules and the text direction, in both variants, at a
// unit of 100 model mm (1:50 on A2 given as 297 wide).
TEST(JwcRead, EveryRecordKindAndItsTables) {
  JwcDrawing d;
  d.scale = 50;
  d.paper = 2;
  d.paperWidth = 297;
  d.textHeights = {25, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
  d.lines = {{1, 2, 3, 4, 2, 1, 3}, {-1, 0.5f, 0, 0, 9, 12, 9}, {0, 0, 1, 1, 10, 20, 10}, {0, 0, 1, 1, 255, 13, 255}};
  d.arcs = {{1, 1, 0.5f, 0, 0, 0, 3, 3, 1},                          // both 0: a circle
            {1, 1, 2, 90, 180, 0, 5, 5, 2},                          // whole degrees
            {1, 1, 2, 90 * 65536, 180 * 65536, 0, 7, 6, 3},          // 16.16 fixed point
            {1, 1, 2, 360, 361, 65536 * 10, 8, 10, 4},               // 360 as is, 361 fixed; offset added
            {1, 1, 2, 0, 90, 32768, 11, 14, 11}};                    // one of the two 0 is still an arc
  d.texts = {{1, 2, 1, 3, 1, 4, "\x95\xb6\x8e\x9a"},  // 文字, upwards, size 1
             {1, 1, 0, 0, 10, 12, "B"},                // down to the left, the largest size
             {0, 0, 1, 0, 11, 0, ""}};                 // size beyond the table: size 0
  d.points = {{0.25f, -0.5f, 5, 10}, {0, 0, 12, 13}};
  const std::vector<Element> expected = {
      Line({100, 200, 300, 400}, 1, 3, 11),
      Line({-100, 50, 0, 0}, 1, 9, 0),
      Line({0, 0, 100, 100}, 0, 9, 0),
      Line({0, 0, 100, 100}, 0, 9, 0),
      Circle({100, 100, 50}, 2, 1, 14),
      Arc({100, 100, 200, 90, 180}, 3, 2, 17),
      Arc({100, 100, 200, 90, 180}, 4, 3, 16),
      Arc({100, 100, 200, 370, 361.0 / 65536 + 10}, 4, 4, 18),
      Arc({100, 100, 200, 0.5, 90.5}, 0, 9, 0),
      Text({100, 200, 100, 100, 90}, 4, "\x95\xb6\x8e\x9a"),
      Text({100, 100, 1000, 1000, -135}, 9, "B"),
      Text({0, 0, 250, 250, 0}, 0, ""),
      Point({25, -50}, 5, 18),
      Point({0, 0}, 9, 0),
  };
  for (bool extended : {true, false}) {
    d.extended = extended;
    const std::vector<uint8_t> bytes = BuildJwcFile(d);
    ASSERT_EQ(bytes.size(), testing::JwcElementStart(extended) + 4 * 22 + 5 * 32 + 3 * 24 + 5 + 2 + 1 + 2 * 12);
    const Read r = ReadBytes(bytes);
    EXPECT_EQ(r.status, 0) << r.result.error;
    EXPECT_EQ(r.result.error, "");
    EXPECT_EQ(r.result.added, 14);
    EXPECT_EQ(r.result.skipped, 0);
    ASSERT_EQ(r.elements.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(r.elements[i], expected[i]) << "element " << i;
  }
}

// Guards header list 1: its pieces, the paper number (cut to a whole number, A3 from 5 on while
// the unit uses a width of 10000) and the drawing area from the paper times the scale.
TEST(JwcRead, HeaderNumbersScaleAndPaper) {
  const auto fields = [](const char* nine, const char* eleven, const char* thirty) {
    std::string s = "0,0,0,1,";
    for (int i = 4; i < 31; ++i) s += std::string(i == 9 ? nine : i == 11 ? eleven : i == 30 ? thirty : "0") + ",";
    return s;
  };
  // Header list 1; where the point at (1, 1) lands, the paper, the area and the scale.
  const std::string cases[][2] = {
      {fields("1", "0", "1189"), "1 0 1189 840 1"},
      {fields("100", "1", "841"), "100 1 84100 59400 100"},
      {fields("2", "4.9", "297"), "2 4 594 420 2"},
      {fields("20", "7", "10000"), "20 3 8400 5940 20"},
      {fields("  5", "9", "100000"), "0.5 3 2100 1485 5"},
      {fields("1.5e1", "3", "  840"), "7.5 3 6300 4455 15"},
      // Only the first 11 characters of a piece count.
      {fields("10.000000009", "2", "594"), "10 2 5940 4200 10"},
  };
  for (const auto& [list, want] : cases) {
    double unit, paper, width, height, scale;
    ASSERT_EQ(std::sscanf(want.c_str(), "%lf %lf %lf %lf %lf", &unit, &paper, &width, &height, &scale), 5);
    JwcDrawing d;
    d.points = {{1, 1, 0, 0}};
    d.headerList = list;
    const Read r = ReadBytes(BuildJwcFile(d));
    ASSERT_EQ(r.status, 0) << list << " " << r.result.error;
    ASSERT_EQ(r.elements.size(), 1u);
    EXPECT_FLOAT_EQ(r.elements[0].values[0], unit) << list;
    EXPECT_EQ(r.result.paperSize, paper) << list;
    EXPECT_EQ(r.result.scale, static_cast<float>(scale)) << list;
    EXPECT_EQ(r.result.areaMin, (std::array<double, 3>{0, 0, 0}));
    EXPECT_EQ(r.result.areaMax, (std::array<double, 3>{width, height, 6400})) << list;
  }
  EXPECT_EQ(JwcHeaderNumbers("1,2.5,-3,x,4", 32), (std::vector<float>{1, 2.5f, -3, 0}));  // 4 has no ","
  EXPECT_EQ(JwcHeaderNumbers(std::string_view("1,2,\0" "3,", 7), 32), (std::vector<float>{1, 2}));
  EXPECT_EQ(JwcHeaderNumbers("1,2,3,", 2), (std::vector<float>{1, 2}));
  EXPECT_EQ(JwcHeaderNumbers("123456789012345,1e999,-1e999,1e-999,", 32),
            (std::vector<float>{12345678901.0f, HUGE_VALF, -HUGE_VALF, 0}));
}

// Guards every early end of a file: at each length the message of the block it stops in, the
// elements of the complete records before it kept (a text once its string is read), and a file of
// 2420 bytes stopping in the last table.
TEST(JwcRead, EveryEarlyEndStopsWithItsBlocksMessage) {
  struct Stop {
    std::size_t end;  // the block stops a file shorter than this
    std::string message;
    std::size_t kept;
  };
  JwcDrawing d;
  d.lines = {{1, 1, 2, 2}, {3, 3, 4, 4}};
  d.arcs = {{0, 0, 1}, {0, 0, 2, 10, 20}};
  d.texts = {{0, 0, 1, 0, 0, 0, "ab"}, {0, 0, 1, 0, 0, 0, "cde"}};
  d.points = {{1, 2}, {3, 4}};
  for (bool extended : {true, false}) {
    d.extended = extended;
    const std::vector<uint8_t> bytes = BuildJwcFile(d);
    std::vector<Stop> stops = {{200, "ERROR:1002 JWC_HEADER#1 CAN'T RAED", 0},
                               {800, "*ERROR:Read!", 0},
                               {1204, "ERROR:READ (01) 仮点のＸ座標", 0},
                               {1608, "ERROR:READ (02) 仮点のＹ座標", 0},
                               {1709, "ERROR:READ (03) 仮点のレイヤ", 0},
                               {1731, "ERROR:READ (04) 文字のペン番号", 0},
                               {1753, "ERROR:READ (05) 文字の幅", 0},
                               {1775, "ERROR:READ (06) 文字の高さ", 0},
                               {1797, "ERROR:READ (07) 文字の間隔", 0}};
    const std::size_t shift = extended ? 0 : 32;
    for (const auto& [end, message] : std::vector<std::pair<std::size_t, std::string>>{
             {1861, "ERROR:READ (08) レイヤグループのスケール"},
             {1877, "ERROR:READ (09) サーチレイヤーグループ"},
             {2133, "ERROR:READ (09) サーチレイヤ"},
             {2149, "ERROR:READ  (11) 表示レイヤグループ"},
             {2405, "ERROR:READ  (12) 表示レイヤ"},
             {2421, "ERROR:READ  // (13) 表示レイヤ"}}) {
      stops.push_back({end - shift, message, 0});
    }
    std::size_t at = 2421 - shift, kept = 0;
    const auto records = [&](std::size_t count, std::size_t size, const char* message, bool keeps) {
      for (std::size_t i = 0; i < count; ++i) {
        at += size;
        stops.push_back({at, message, kept});
        if (keeps) ++kept;
      }
    };
    records(2, 22, "ERROR:READ 線要素の読み込み", true);
    records(2, 32, "ERROR:READ 円弧要素の読み込み", true);
    records(2, 24, "ERROR:READ 文字要素の読み込み", false);
    records(1, 3, "ERROR:READ 文字要素の読み込み", true);
    records(1, 4, "ERROR:READ 文字要素の読み込み", true);
    records(2, 12, "ERROR:READ 実点要素の読み込み", true);
    ASSERT_EQ(at, bytes.size());

    std::size_t stop = 0;
    for (std::size_t length = 0; length < bytes.size(); ++length) {
      while (stops[stop].end <= length) ++stop;
      const Read r = ReadBytes(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)));
      ASSERT_EQ(r.status, 1) << length;
      ASSERT_EQ(r.result.error, stops[stop].message) << length << (extended ? " extended" : " plain");
      ASSERT_EQ(r.elements.size(), stops[stop].kept) << length;
      ASSERT_EQ(r.result.placed, length >= 800) << length;
    }
    EXPECT_EQ(ReadBytes(bytes).elements.size(), 8u);
  }
}

// Guards the unit over random drawings: every value comes back as the file's value times
// scale x paper width / width given, whatever the indices, angles and strings.
TEST(JwcRead, RandomDrawingsComeBackAtTheUnit) {
  constexpr double kWidths[] = {1189, 841, 594, 420, 297, 10000, 10000, 10000, 10000, 10000};
  static constexpr int kLineTypes[] = {0, 0, 1, 2, 2, 3, 3, 4, 4, 1};
  static constexpr int kColours[] = {0, 11, 0, 14, 11, 17, 16, 13, 15, 14, 18, 0, 0};
  std::mt19937 rng(20261207);
  const auto real = [&](double lo, double hi) { return static_cast<float>(std::uniform_real_distribution<double>(lo, hi)(rng)); };
  const auto byte = [&] { return static_cast<uint8_t>(rng() % 24); };
  const auto lineType = [](uint8_t i) { return i < 10 ? kLineTypes[i] : 0; };
  const auto colour = [](uint8_t i) { return kPalette + (i < 13 ? kColours[i] : 0); };
  const auto layer = [](uint8_t l) { return l < 10 ? l : 9; };
  for (int round = 0; round < 200; ++round) {
    JwcDrawing d;
    d.extended = rng() % 2 == 0;
    d.scale = static_cast<float>(1 + rng() % 500);
    d.paper = static_cast<float>(rng() % 10);
    d.paperWidth = static_cast<float>(1 + rng() % 20000);
    for (int16_t& h : d.textHeights) h = static_cast<int16_t>(rng() % 2000);
    const double k = double{d.scale} * kWidths[static_cast<int>(d.paper)] / d.paperWidth;
    std::vector<Element> want;
    for (int i = rng() % 5; i > 0; --i) {
      const JwcLine l{real(-1e4, 1e4), real(-1e4, 1e4), real(-1e4, 1e4), real(-1e4, 1e4), byte(), byte(), byte()};
      d.lines.push_back(l);
      want.push_back(Line({l.x1 * k, l.y1 * k, l.x2 * k, l.y2 * k}, lineType(l.lineType), layer(l.layer), 0));
      want.back().colour = colour(l.colour);
    }
    for (int i = rng() % 5; i > 0; --i) {
      const bool circle = rng() % 3 == 0;
      const JwcArc a{real(-1e4, 1e4), real(-1e4, 1e4), real(0.01, 1e4), circle ? 0 : static_cast<uint32_t>(rng()),
                     circle ? 0 : static_cast<uint32_t>(rng() % 400), static_cast<uint32_t>(rng() % (360 * 65536)),
                     byte(), byte(), byte()};
      d.arcs.push_back(a);
      const auto angle = [&](uint32_t raw) { return (raw < 361 ? raw : raw / 65536.0) + a.offset / 65536.0; };
      want.push_back(circle ? Circle({a.x * k, a.y * k, a.radius * k}, lineType(a.lineType), layer(a.layer), 0)
                            : Arc({a.x * k, a.y * k, a.radius * k, angle(a.start), angle(a.end)}, lineType(a.lineType),
                                  layer(a.layer), 0));
      want.back().colour = colour(a.colour);
    }
    std::vector<Element> texts;
    for (int i = rng() % 4; i > 0; --i) {
      JwcText t{real(-1e4, 1e4), real(-1e4, 1e4), real(-1e4, 1e4), real(-1e4, 1e4), byte(), byte(), ""};
      for (int n = rng() % 256; n > 0; --n) t.text += static_cast<char>(1 + rng() % 255);
      d.texts.push_back(t);
      const double height = d.textHeights[t.size <= 10 ? t.size : 0] * 0.1 * k;
      const double angle = std::atan2(double{t.y2} - t.y1, double{t.x2} - t.x1) * 180 / std::numbers::pi;
      want.push_back(Text({t.x1 * k, t.y1 * k, height, height, angle}, layer(t.layer), t.text));
    }
    for (int i = rng() % 5; i > 0; --i) {
      const JwcPoint p{real(-1e4, 1e4), real(-1e4, 1e4), byte(), byte()};
      d.points.push_back(p);
      want.push_back(Point({p.x * k, p.y * k}, layer(p.layer), 0));
      want.back().colour = colour(p.colour);
    }
    const Read r = ReadBytes(BuildJwcFile(d));
    ASSERT_EQ(r.status, 0) << r.result.error;
    ASSERT_EQ(r.elements.size(), want.size()) << round;
    for (std::size_t i = 0; i < want.size(); ++i) {
      Element got = r.elements[i];
      ASSERT_EQ(got.values.size(), want[i].values.size());
      for (std::size_t v = 0; v < got.values.size(); ++v) {
        EXPECT_NEAR(got.values[v], want[i].values[v], 1e-9 * std::max(1.0, std::fabs(want[i].values[v]))) << round;
      }
      got.values = want[i].values;
      EXPECT_EQ(got, want[i]) << round << " element " << i;
    }
  }
}

// Guards hostile headers and records: nothing collapses, mirrors, overruns the tables or loops on
// a count the file cannot hold; unusable values are left out and counted; files that are not
// regular files are refused by the file's own error.
TEST(JwcRead, HostileHeadersAndRecords) {
  const std::string badUnit = "JWCファイルの縮尺または用紙幅が正しくありません。座標を図面の寸法に換算できないため読み込めません。";
  const std::string badPaper = "JWCファイルの用紙の番号が 0 から 9 の範囲にないため読み込めません。";
  struct Case {
    float scale, paper, width;
    std::string message;
  };
  const float nan = std::nanf("");
  for (const Case& c : std::vector<Case>{{1, 2, 0, badUnit},
                                         {1, 2, -594, badUnit},
                                         {1, 2, nan, badUnit},
                                         {HUGE_VALF, 2, 594, badUnit},
                                         {0, 2, 594, badUnit},
                                         {-50, 2, 594, badUnit},
                                         {1, 10, 594, badPaper},
                                         {1, -1, 594, badPaper},
                                         {1, nan, 594, badPaper},
                                         {1, 1e30f, 594, badPaper}}) {
    JwcDrawing d;
    d.scale = c.scale;
    d.paper = c.paper;
    d.paperWidth = c.width;
    d.lines = {{1, 1, 2, 2}};
    d.headerList = testing::JwcHeaderList(d);  // "nan", "inf" as printed
    const Read r = ReadBytes(BuildJwcFile(d));
    EXPECT_EQ(r.status, 1) << d.headerList;
    EXPECT_EQ(r.result.error, c.message) << d.headerList;
    EXPECT_TRUE(r.elements.empty());
    EXPECT_FALSE(r.result.placed);
  }

  // A unit far beyond any drawing: the elements are left out, not the reading.
  JwcDrawing d;
  d.scale = 3e38f;
  d.paperWidth = 1e-30f;
  d.lines = {{1, 1, 2, 2}};
  Read r = ReadBytes(BuildJwcFile(d));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result.skipped, 1);

  // Counts beyond the file, negative or no number: as many records as there are.
  d = JwcDrawing{};
  d.lines = {{1, 1, 2, 2}};
  d.points = {{3, 4}};
  const std::string fields = testing::JwcHeaderList(d);
  std::size_t fourth = 0;
  for (int i = 0; i < 4; ++i) fourth = fields.find(',', fourth) + 1;
  d.headerList = "1,-5,nan,1e30," + fields.substr(fourth);
  r = ReadBytes(BuildJwcFile(d));
  EXPECT_EQ(r.result.error, "ERROR:READ 実点要素の読み込み");
  EXPECT_EQ(r.elements.size(), 2u);

  // A string with no NUL in its 256 bytes stops the texts; one of 255 bytes is whole.
  d = JwcDrawing{};
  d.texts = {{0, 0, 1, 0, 0, 0, std::string(255, 'a')}, {0, 0, 1, 0, 0, 0, std::string(300, 'b')}};
  r = ReadBytes(BuildJwcFile(d));
  EXPECT_EQ(r.result.error, "JWCファイルの文字列が 256 バイト以内で終わっていないため、以降を読み込めません。");
  ASSERT_EQ(r.elements.size(), 1u);
  EXPECT_EQ(r.elements[0].text, std::string(255, 'a'));

  // Values no drawing can hold are left out, the rest read.
  const float inf = HUGE_VALF;
  d = JwcDrawing{};
  d.lines = {{nan, 0, 1, 1}, {0, 0, 1, inf}, {0, 0, 2e11f, 0}, {-1e10f, 0, 0, 0}, {0, 0, 0x1p36f, -0x1p33f}};
  d.arcs = {{0, 0, 0}, {0, 0, -1, 10, 20}, {inf, 0, 1}, {0, 0, nan}, {0, 0, 1}};
  d.texts = {{nan, 0, 1, 0, 0, 0, "x"}, {0, 0, nan, 0, 0, 0, "y"}, {0, 0, 1, 1, 0, 0, "z"}};
  d.points = {{0, inf}, {2e11f, 0}, {5, 5}};
  r = ReadBytes(BuildJwcFile(d));
  EXPECT_EQ(r.status, 0) << r.result.error;
  EXPECT_EQ(r.result.skipped, 12);
  EXPECT_EQ(r.result.added, 4);
  ASSERT_EQ(r.elements.size(), 4u);
  EXPECT_EQ(r.elements[0].values, (std::vector<double>{0, 0, 0x1p36, -0x1p33}));
  EXPECT_EQ(r.elements[3].values, (std::vector<double>{5, 5}));

  // Not a file that can be read: the file's own error, nothing read.
  testing::ScopedTempFolder tmp;
  ASSERT_EQ(::mkfifo((tmp / "pipe.jwc").c_str(), 0600), 0);
  for (const std::string& path : {tmp / "missing.jwc", tmp.path(), tmp / "pipe.jwc"}) {
    JwcReadResult result;
    EntityList list;
    EXPECT_EQ(ReadJwcFile(path, result, list), 1);
    EXPECT_FALSE(result.fileOpened);
    EXPECT_NE(result.error.find(path), std::string::npos) << result.error;
    EXPECT_TRUE(list.empty());
  }
}

// Guards the document: the file's scale, paper and area, the program-wide drawing scale, no shift
// of the elements, snap points, an unmodified drawing named beside the file; a file that stops
// keeps what was read before.
TEST(JwcDocument, TakesTheScalePaperAndAreaWithoutMovingTheElements) {
  testing::ScopedTempFolder tmp;
  testing::RecordingUserInterface ui;
  ResetCurrentSettings();
  JwcDrawing d;
  d.scale = 20;
  d.paper = 3;
  d.paperWidth = 420;
  d.lines = {{10, 20, 30, 40}};
  d.points = {{5, 5}};
  const std::vector<uint8_t> bytes = BuildJwcFile(d);
  testing::WriteBytes(tmp / "Plan.JWC", bytes);
  {
    CPlenwickDoc doc(tmp.path(), ui);
    JwcReadResult result;
    ASSERT_EQ(OpenJwc(doc, tmp / "Plan.JWC", result), 0) << result.error;
    EXPECT_EQ(doc.header.scale(), 20.0f);
    EXPECT_EQ(doc.header.paperSize(), 3);
    EXPECT_EQ(doc.header.orientation(), 0);
    EXPECT_EQ(doc.areaSet, 1);
    EXPECT_EQ(doc.areaMax, (std::array<double, 3>{8400, 5940, 6400}));
    EXPECT_EQ(CurrentSettings().DrawingScale, 20.0f);
    EXPECT_EQ(doc.originX, 0);
    EXPECT_EQ(Elements(doc.entities)[0].values, (std::vector<double>{200, 400, 600, 800}));
    EXPECT_GT(doc.snapPoints.size(), 0u);
    EXPECT_FALSE(doc.IsModified());
  }
  testing::WriteBytes(tmp / "cut.jwc", std::vector<uint8_t>(bytes.begin(), bytes.end() - 1));
  CPlenwickDoc doc(tmp.path(), ui);
  JwcReadResult result;
  EXPECT_EQ(OpenJwc(doc, tmp / "cut.jwc", result), 1);
  EXPECT_EQ(result.error, "ERROR:READ 実点要素の読み込み");
  EXPECT_EQ(doc.entities.size(), 1u);
  EXPECT_EQ(doc.header.scale(), 20.0f);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(JwcDocumentPath("/a/b.c/Plan.JwC"), "/a/b.c/Plan.pwk");
  EXPECT_EQ(JwcDocumentPath("plan"), "plan.pwk");
  EXPECT_TRUE(IsJwcPath("X.JWC"));
  EXPECT_FALSE(IsJwcPath("jwc"));
  ResetCurrentSettings();
}

}  // namespace
}  // namespace plenwick
