// JWW files: the real drawings of other programs read to their last byte with the records a
// separate scan counts, random drawings through our writer and reader element by element, the
// format's worked examples, and hostile files.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <numbers>
#include <random>
#include <vector>

#include "exchange/jww_document.h"
#include "exchange/jww_exchange.h"
#include "jww_scan.h"
#include "model/entity_core.h"
#include "platform/file_io.h"

namespace plenwick {
namespace {

using testing::JwwScan;
using testing::JwwScanner;

std::vector<uint8_t> Written(const JwwContext& context, const EntityList& list, bool* ok = nullptr) {
  std::vector<uint8_t> out;
  const ByteSink sink = [&out](std::span<const uint8_t> bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
    return true;
  };
  const bool written = WriteJww(context, list, sink);
  if (ok) *ok = written;
  return out;
}

std::map<int, int> KindCounts(const EntityList& list) {
  std::map<int, int> counts;
  for (const DrawEntity& e : list) ++counts[e.kind];
  return counts;
}

// Records a block places, its nested inserts expanded, as the scan counted them.
std::map<std::string, int> Expanded(const JwwScan& scan, uint32_t block, int depth = 0) {
  std::map<std::string, int> total;
  if (depth > 16 || !scan.blocks.count(block)) return total;
  for (const auto& [name, n] : scan.blocks.at(block)) total[name] += n;
  if (scan.blockInserts.count(block)) {
    for (const uint32_t inner : scan.blockInserts.at(block)) {
      for (const auto& [name, n] : Expanded(scan, inner, depth + 1)) total[name] += n;
    }
  }
  return total;
}

TEST(JwwSamples, EveryRealDrawingReadsToItsLastByteWithTheRecordsAPlainScanCounts) {
  const std::filesystem::path folder = std::filesystem::path(PLENWICK_SAMPLES_DIR) / "jww";
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no JWW samples at " << folder;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".jww") continue;
    SCOPED_TRACE(entry.path().filename().string());
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(entry.path().string(), bytes));
    const JwwScan scan = JwwScanner(bytes).Run();
    ASSERT_TRUE(scan.ok) << scan.why << " at " << scan.end;

    JwwContext context;
    EntityList list;
    JwwReadReport report;
    ASSERT_EQ(ReadJwwBytes(context, bytes, list, report), 0) << report.error;
    EXPECT_EQ(report.error, "");
    EXPECT_EQ(report.bytesRead, bytes.size());
    EXPECT_EQ(report.skipped, 0);

    std::map<std::string, int> expected = scan.main;
    for (const uint32_t block : scan.inserts) {
      for (const auto& [name, n] : Expanded(scan, block)) expected[name] += n;
    }
    const std::map<int, int> kinds = KindCounts(list);
    const auto kind = [&kinds](int k) { return kinds.count(k) ? kinds.at(k) : 0; };
    EXPECT_EQ(kind(kLine), expected["CDataSen"]);
    EXPECT_EQ(kind(kCircle) + kind(kArc) + kind(kFreeCurve), expected["CDataEnko"]);
    EXPECT_EQ(kind(kPoint), expected["CDataTen"]);
    EXPECT_EQ(kind(kText), expected["CDataMoji"]);
    EXPECT_EQ(report.solids, expected["CDataSolid"]);
    EXPECT_EQ(report.inserts, static_cast<int64_t>(scan.inserts.size()) + [&] {
      int64_t nested = 0;
      for (const uint32_t b : scan.inserts) {
        if (scan.blockInserts.count(b)) nested += static_cast<int64_t>(scan.blockInserts.at(b).size());
      }
      return nested;
    }());

    // What we write of it scans as well-formed and reads back to as many elements.
    context.originX = context.originY = 0;
    const std::vector<uint8_t> again = Written(context, list);
    const JwwScan rescan = JwwScanner(again).Run();
    EXPECT_TRUE(rescan.ok) << rescan.why;
    EntityList back;
    JwwContext backContext;
    JwwReadReport backReport;
    ASSERT_EQ(ReadJwwBytes(backContext, again, back, backReport), 0);
    // Free curves (the ellipses) go out as their segments.
    std::size_t expectedBack = 0;
    for (const DrawEntity& e : list) expectedBack += e.kind == kFreeCurve ? static_cast<std::size_t>(e.valueCount / 2 - 1) : 1;
    EXPECT_EQ(back.size(), expectedBack);
    ++files;
  }
  EXPECT_GT(files, 0);
}

// A random drawing of every kind the format holds.
void AddRandomDrawing(EntityList& list, std::mt19937& rng, int count) {
  std::uniform_real_distribution<double> coord(-5000, 5000), angle(-180, 180), size(1, 50);
  std::uniform_int_distribution<int> pick(0, 4), layer(0, 127), lineType(0, 4), pen(1, 9);
  static constexpr uint32_t kPens[] = {0xFFFFFF, 0xC0C000, 0x000000, 0x00C000, 0x00C0C0, 0xC000C0, 0xFF0000, 0x808000, 0x8000FF, 0xC0C0C0};
  static constexpr int16_t kLineCodes[] = {10, 20, 11, 22}, kPointCodes[] = {10, 20}, kCircleCodes[] = {10, 20, 40},
                           kArcCodes[] = {10, 20, 40, 50, 51}, kTextCodes[] = {10, 20, 30, 40, 50};
  for (int i = 0; i < count; ++i) {
    const int16_t attrLayer = static_cast<int16_t>(layer(rng));
    const int16_t lineAttr = static_cast<int16_t>(lineType(rng) * 100);
    const int32_t colour = static_cast<int32_t>(kPens[pen(rng)]);
    switch (pick(rng)) {
      case 0: {
        const double v[] = {coord(rng), coord(rng), coord(rng), coord(rng)};
        AddEntity({kLine, 0, lineAttr, attrLayer, 4}, nullptr, list, kLineCodes, colour, v, nullptr);
        break;
      }
      case 1: {
        const double v[] = {coord(rng), coord(rng)};
        AddEntity({kPoint, 0, lineAttr, attrLayer, 2}, nullptr, list, kPointCodes, colour, v, nullptr);
        break;
      }
      case 2: {
        const double v[] = {coord(rng), coord(rng), size(rng)};
        AddEntity({kCircle, 1, lineAttr, attrLayer, 3}, nullptr, list, kCircleCodes, colour, v, nullptr);
        break;
      }
      case 3: {
        const double s = angle(rng);
        const double v[] = {coord(rng), coord(rng), size(rng), s, s + std::uniform_real_distribution<double>(1, 300)(rng)};
        AddEntity({kArc, static_cast<int16_t>(rng() % 2 ? 1 : -1), lineAttr, attrLayer, 5}, nullptr, list, kArcCodes, colour, v,
                  nullptr);
        break;
      }
      default: {
        const double v[] = {coord(rng), coord(rng), size(rng), size(rng), angle(rng)};
        // "図面 A-1" and a half-width katakana, in Shift-JIS.
        const char* text = rng() % 2 ? "\x90\x7d\x96\xca A-1" : "\xb1\xb2 plan";
        AddEntity({kText, 0, lineAttr, attrLayer, 5}, "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e", list, kTextCodes, colour, v,
                  text);
        break;
      }
    }
  }
}

bool Near(double a, double b) { return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(a)); }

// The same angle, whole turns apart.
bool SameAngle(double a, double b) {
  const double d = std::remainder(a - b, 360.0);
  return std::fabs(d) < 1e-9;
}

TEST(JwwRoundTrip, RandomDrawingsComeBackElementByElement) {
  std::mt19937 rng(20261207);
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    EntityList list;
    AddRandomDrawing(list, rng, 200);
    JwwContext context;
    context.scale = round % 3 == 0 ? 1 : 50;
    const std::vector<uint8_t> bytes = Written(context, list);
    const JwwScan scan = JwwScanner(bytes).Run();
    ASSERT_TRUE(scan.ok) << scan.why;
    EXPECT_EQ(scan.version, 230u);

    JwwContext readContext;
    EntityList back;
    JwwReadReport report;
    ASSERT_EQ(ReadJwwBytes(readContext, bytes, back, report), 0) << report.error;
    EXPECT_EQ(readContext.scale, context.scale);
    // The writer groups the records by class: lines, arcs and circles, texts, points.
    std::vector<const DrawEntity*> written;
    for (const int kind : {kLine, kCircle, kText, kPoint}) {
      for (const DrawEntity& e : list) {
        if (e.kind == kind || (kind == kCircle && e.kind == kArc)) written.push_back(&e);
      }
    }
    ASSERT_EQ(back.size(), written.size());
    std::size_t i = 0;
    for (const DrawEntity& b : back) {
      const DrawEntity& a = *written[i++];
      ASSERT_EQ(b.kind, a.kind);
      EXPECT_EQ(b.layer, a.layer);
      EXPECT_EQ(b.lineAttr, a.lineAttr);
      EXPECT_EQ(b.colour, a.colour);
      if (a.kind == kArc) {
        // A clockwise arc comes back as the counter-clockwise arc it covers.
        const bool ccw = a.subKind == 1;
        EXPECT_TRUE(Near(b.values[0], a.values[0]) && Near(b.values[1], a.values[1]) && Near(b.values[2], a.values[2]));
        EXPECT_TRUE(SameAngle(b.values[3], ccw ? a.values[3] : a.values[4]));
        EXPECT_TRUE(SameAngle(b.values[4], ccw ? a.values[4] : a.values[3]));
        continue;
      }
      for (int k = 0; k < a.valueCount; ++k) EXPECT_TRUE(Near(b.values[k], a.values[k])) << k;
      EXPECT_EQ(b.text.view(), a.text.view());
      EXPECT_EQ(b.font.view(), a.font.view());
    }
  }
}

TEST(JwwRoundTrip, MoreObjectsThanAWordCountsUseTheLongCountAndBigClassTags) {
  EntityList list;
  static constexpr int16_t kLineCodes[] = {10, 20, 11, 22};
  for (int i = 0; i < 70000; ++i) {
    const double v[] = {double(i), 0, double(i), 10};
    AddEntity({kLine, 0, 0, 0, 4}, nullptr, list, kLineCodes, 0, v, nullptr);
  }
  const double p[] = {1, 2};
  static constexpr int16_t kPointCodes[] = {10, 20};
  AddEntity({kPoint, 0, 0, 0, 2}, nullptr, list, kPointCodes, 0, p, nullptr);
  const std::vector<uint8_t> bytes = Written(JwwContext{}, list);
  const JwwScan scan = JwwScanner(bytes).Run();
  ASSERT_TRUE(scan.ok) << scan.why;
  EXPECT_EQ(scan.main.at("CDataSen"), 70000);
  EXPECT_EQ(scan.main.at("CDataTen"), 1);
  EntityList back;
  JwwContext context;
  JwwReadReport report;
  ASSERT_EQ(ReadJwwBytes(context, bytes, back, report), 0);
  EXPECT_EQ(report.error, "");
  EXPECT_EQ(back.size(), 70001u);
  EXPECT_EQ(back.tail->kind, kPoint);
}

// What the writer decides for what JWW cannot hold as it is, read back through our reader.
TEST(JwwWrite, LineTypesColoursPaperScaleAndKindsWithoutACounterpart) {
  EntityList list;
  static constexpr int16_t kLineCodes[] = {10, 20, 11, 22};
  // Line types 0..7: 0..4 come back, 5..7 have no JWW pen style and come back solid.
  for (int lineType = 0; lineType < 8; ++lineType) {
    const double v[] = {0, double(lineType), 10, double(lineType)};
    AddEntity({kLine, 0, static_cast<int16_t>(lineType * 100), 0, 4}, nullptr, list, kLineCodes, 0, v, nullptr);
  }
  // A colour of no pen takes the nearest pen, white (the background's) never pen 0.
  for (const int32_t colour : {0x0000FE, 0xFFFFFF}) {
    const double v[] = {0, 20, 10, 20};
    AddEntity({kLine, 0, 0, 0, 4}, nullptr, list, kLineCodes, colour, v, nullptr);
  }
  // An infinite line as the part the drawing area shows; a paint is left out and counted.
  const double infinite[] = {0, 50, 1, 50};
  AddEntity({kHorizontalInfiniteLine, 0, 0, 0, 4}, nullptr, list, kLineCodes, 0, infinite, nullptr);
  const double paint[] = {0, 0, 1, 1};
  const int16_t paintCodes[] = {0, 0, 0, 0};
  AddEntity({kPaint, 0, 0, 0, 4}, nullptr, list, paintCodes, 0, paint, nullptr);

  JwwContext context;
  context.scale = 0.5f;  // below 1:1: written as 1:100, the coordinates divided by that
  context.paperSize = 7;  // B4: the smallest JWW sheet holding it is A3
  context.areaMin = {0, 0, 0};
  context.areaMax = {500, 400, 0};
  std::vector<uint8_t> bytes;
  JwwWriteReport writeReport;
  ASSERT_TRUE(WriteJww(context, list, [&bytes](std::span<const uint8_t> b) {
    bytes.insert(bytes.end(), b.begin(), b.end());
    return true;
  }, &writeReport));
  EXPECT_EQ(writeReport.dropped, 1);
  JwwContext read;
  EntityList back;
  JwwReadReport report;
  ASSERT_EQ(ReadJwwBytes(read, bytes, back, report), 0);
  EXPECT_EQ(read.paper, 3);
  EXPECT_EQ(read.scale, 100.0f);
  ASSERT_EQ(back.size(), 11u);
  for (int lineType = 0; lineType < 8; ++lineType) {
    const DrawEntity& e = *EntityAt(back, lineType);
    EXPECT_EQ(e.lineAttr, lineType < 5 ? lineType * 100 : 0) << lineType;
    EXPECT_DOUBLE_EQ(e.values[3], lineType);
  }
  EXPECT_EQ(EntityAt(back, 8)->colour, 0x8000FF);  // almost red: pen 8, the pink one
  EXPECT_EQ(EntityAt(back, 9)->colour, 0xC0C0C0);  // pen 9, grey
  const DrawEntity& clipped = *EntityAt(back, 10);
  const double ends[] = {0, 50, 500, 50};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(clipped.values[i], ends[i], 1e-9);

  // Only the selection, when asked.
  EntityAt(list, 3)->mark = kMarkSelected;
  context.selectionOnly = 1;
  bytes.clear();
  ASSERT_TRUE(WriteJww(context, list, [&bytes](std::span<const uint8_t> b) {
    bytes.insert(bytes.end(), b.begin(), b.end());
    return true;
  }));
  EntityList selected;
  ASSERT_EQ(ReadJwwBytes(read, bytes, selected, report), 0);
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_EQ(selected.head->lineAttr, 300);
}

// Builds a file by hand: our header of the version given, then objects written by `objects`.
template <typename Objects>
std::vector<uint8_t> HandMade(uint32_t version, double scale, Objects&& objects) {
  std::vector<uint8_t> out;
  const ByteSink sink = [&out](std::span<const uint8_t> bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
    return true;
  };
  JwwArchiveWriter w(sink, static_cast<uint16_t>(version));
  JwwHeader header = DefaultJwwHeader();
  header.version = version;
  for (JwwLayerGroup& g : header.groups) g.scale = scale;
  WriteJwwHeader(w, header);
  objects(w);
  w.Finish();
  return out;
}

void Common(JwwArchiveWriter& w, uint32_t version, uint8_t penStyle, uint16_t layer, uint16_t colour = 2) {
  w.U32(0);
  w.U8(penStyle);
  w.U16(colour);
  if (version > 350) w.U16(0);
  w.U16(layer);
  w.U16(0);
  w.U16(0);
}

TEST(JwwRead, TheFormatsWorkedExamples) {
  uint32_t sen = 0, enko = 0, sunpou = 0;
  const std::vector<uint8_t> bytes = HandMade(230, 50, [&](JwwArchiveWriter& w) {
    w.Count(4);
    w.ObjectTag("CDataSen", &sen);
    Common(w, 230, 5, 3);
    for (const double d : {0.0, 0.0, 10.0, 0.0}) w.F64(d);
    w.ObjectTag("CDataEnko", &enko);
    Common(w, 230, 1, 0);
    for (const double d : {0.0, 0.0, 2.0, 0.0, 2 * std::numbers::pi, 0.0, 1.0}) w.F64(d);
    w.U32(1);
    w.ObjectTag("CDataEnko", &enko);
    Common(w, 230, 1, 0);
    for (const double d : {0.0, 0.0, 2.0, std::numbers::pi / 2, std::numbers::pi / 2, 0.0, 1.0}) w.F64(d);
    w.U32(0);
    // A dimension: its line and its text.
    w.ObjectTag("CDataSunpou", &sunpou);
    Common(w, 230, 1, 4);
    Common(w, 230, 1, 0);
    for (const double d : {0.0, 1.0, 10.0, 1.0}) w.F64(d);
    Common(w, 230, 1, 0);
    for (const double d : {4.0, 1.5, 6.0, 1.5}) w.F64(d);
    w.U32(0);
    for (const double d : {2.5, 2.5, 0.0, 0.0}) w.F64(d);
    w.String("");
    w.String("500");
    w.Count(0);
  });
  EXPECT_EQ(sen, 1u);  // then 0x8001 for the next line; the arc class takes number 3
  EXPECT_EQ(enko, 3u);
  JwwContext context;
  EntityList list;
  JwwReadReport report;
  ASSERT_EQ(ReadJwwBytes(context, bytes, list, report), 0) << report.error;
  EXPECT_EQ(report.error, "");
  ASSERT_EQ(list.size(), 5u);
  const DrawEntity* line = EntityAt(list, 0);
  EXPECT_EQ(line->kind, kLine);
  EXPECT_EQ(line->layer, 3);
  EXPECT_EQ(line->lineAttr, 300);
  EXPECT_DOUBLE_EQ(line->values[2] - line->values[0], 500);
  EXPECT_EQ(EntityAt(list, 1)->kind, kCircle);
  const DrawEntity* arc = EntityAt(list, 2);
  ASSERT_EQ(arc->kind, kArc);
  EXPECT_DOUBLE_EQ(arc->values[3], 90);
  EXPECT_DOUBLE_EQ(arc->values[4], 180);
  EXPECT_EQ(EntityAt(list, 3)->kind, kLine);
  EXPECT_EQ(EntityAt(list, 4)->text.view(), "500");
  EXPECT_EQ(EntityAt(list, 4)->layer, 4);
  EXPECT_EQ(report.dimensions, 1);

  EXPECT_EQ(JwwDocumentPath("/d/PLAN.JWW"), "/d/PLAN.pwk");
  EXPECT_EQ(JwwDocumentPath("/d/plan"), "/d/plan.pwk");
}

TEST(JwwRead, BlocksExpandWithTheirPlacementAndRefuseCycles) {
  uint32_t list = 0, sen = 0, block = 0;
  const auto file = [&](uint32_t innerNumber) {
    list = sen = block = 0;
    return HandMade(700, 1, [&](JwwArchiveWriter& w) {
      w.Count(1);
      w.ObjectTag("CDataBlock", &block);
      Common(w, 700, 1, 0);
      for (const double d : {100.0, 50.0, 2.0, 2.0, std::numbers::pi / 2}) w.F64(d);
      w.U32(1);
      w.Count(1);  // block definitions
      w.ObjectTag("CDataList", &list);
      Common(w, 700, 1, 0);
      w.U32(1);
      w.U32(1);
      w.U32(0);
      w.String("B");
      w.Count(2);
      w.ObjectTag("CDataSen", &sen);
      Common(w, 700, 1, 0);
      for (const double d : {0.0, 0.0, 10.0, 0.0}) w.F64(d);
      w.ObjectTag("CDataBlock", &block);
      Common(w, 700, 1, 0);
      for (const double d : {0.0, 0.0, 1.0, 1.0, 0.0}) w.F64(d);
      w.U32(innerNumber);
      w.U32(0);  // no images
    });
  };
  {
    // The block inserts itself: expanded once, the nested insert refused.
    JwwContext context;
    EntityList out;
    JwwReadReport report;
    const std::vector<uint8_t> bytes = file(1);
    ASSERT_EQ(ReadJwwBytes(context, bytes, out, report), 0) << report.error;
    EXPECT_EQ(report.bytesRead, bytes.size());
    ASSERT_EQ(out.size(), 1u);
    const DrawEntity& line = *out.head;
    // (10, 0) doubled and turned a quarter about the insertion point (100, 50).
    EXPECT_NEAR(line.values[0], 100, 1e-9);
    EXPECT_NEAR(line.values[1], 50, 1e-9);
    EXPECT_NEAR(line.values[2], 100, 1e-9);
    EXPECT_NEAR(line.values[3], 70, 1e-9);
    EXPECT_EQ(report.insertsDropped, 1);
  }
  {
    // An insert of a block that does not exist is reported.
    JwwContext context;
    EntityList out;
    JwwReadReport report;
    ASSERT_EQ(ReadJwwBytes(context, file(7), out, report), 0);
    EXPECT_EQ(out.size(), 1u);
    EXPECT_EQ(report.insertsDropped, 1);
  }
}

TEST(JwwRead, HostileFilesGiveAMessageAndKeepWhatWasRead) {
  uint32_t sen = 0;
  const std::vector<uint8_t> good = HandMade(600, 1, [&](JwwArchiveWriter& w) {
    w.Count(3);
    for (int i = 0; i < 3; ++i) {
      w.ObjectTag("CDataSen", &sen);
      Common(w, 600, 1, 0);
      for (const double d : {0.0, 0.0, 10.0, double(i)}) w.F64(d);
    }
    w.Count(0);
  });
  // Cut anywhere: never a fault, a message unless the whole file is there, at most what it holds.
  for (std::size_t cut = 0; cut < good.size(); cut += cut < 100 ? 1 : 37) {
    JwwContext context;
    EntityList list;
    JwwReadReport report;
    const int result = ReadJwwBytes(context, std::span<const uint8_t>(good.data(), cut), list, report);
    EXPECT_FALSE(report.error.empty()) << cut;
    EXPECT_LE(list.size(), 3u);
    if (result != 0) {
      EXPECT_TRUE(list.empty());
    }
  }
  const auto read = [](const std::vector<uint8_t>& bytes, EntityList& list) {
    JwwContext context;
    JwwReadReport report;
    const int result = ReadJwwBytes(context, bytes, list, report);
    return std::pair(result, report.error);
  };
  const auto withObjects = [](auto&& objects) { return HandMade(600, 1, objects); };
  struct Case {
    std::vector<uint8_t> bytes;
    std::string message;
    std::size_t kept;
  };
  uint32_t c1 = 0;
  const std::vector<Case> cases = {
      {withObjects([&](JwwArchiveWriter& w) {
         c1 = 0;
         w.Count(2);
         w.ObjectTag("CDataSen", &c1);
         Common(w, 600, 1, 0);
         for (int i = 0; i < 4; ++i) w.F64(1);
         w.U16(0);  // a null object
       }),
       std::string(kJwwNullTagMessage), 1},
      {withObjects([&](JwwArchiveWriter& w) {
         c1 = 0;
         w.Count(2);
         w.ObjectTag("CDataSen", &c1);
         Common(w, 600, 1, 0);
         for (int i = 0; i < 4; ++i) w.F64(1);
         w.U16(0x8002);  // names the first object, not a class
       }),
       std::string(kJwwUnknownTagMessage), 1},
      {withObjects([&](JwwArchiveWriter& w) {
         c1 = 0;
         w.Count(1);
         w.ObjectTag("CDataUnheardOf", &c1);
       }),
       "未対応のデータ (CDataUnheardOf) があるため、そこから先を読み込みませんでした。", 0},
      {withObjects([&](JwwArchiveWriter& w) {
         w.U16(0xFFFF);  // four thousand million objects in a few bytes
         w.U32(0xFFFFFFF0u);
       }),
       "ファイルが途中で終わっています。", 0},
      {withObjects([&](JwwArchiveWriter& w) {
         c1 = 0;
         w.Count(1);
         w.ObjectTag("CDataSen", &c1);
         Common(w, 600, 1, 0);
         for (const double d : {0.0, std::nan(""), 1.0, 1.0}) w.F64(d);
         w.Count(0);
       }),
       "", 0},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    EntityList list;
    const auto [result, error] = read(cases[i].bytes, list);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(error, cases[i].message);
    EXPECT_EQ(list.size(), cases[i].kept);
  }
  // An old version, and no JWW file at all: nothing read.
  std::vector<uint8_t> old = good;
  old[8] = 200;
  old[9] = 0;
  EntityList none;
  EXPECT_EQ(read(old, none), std::pair(1, std::string(kJwwOldVersionMessage)));
  EXPECT_EQ(read(std::vector<uint8_t>{'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0}, none).first, 1);
  EXPECT_TRUE(none.empty());
}

}  // namespace
}  // namespace plenwick
