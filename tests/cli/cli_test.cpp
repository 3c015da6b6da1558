// Guards plenwick-cli: JSON dump and rebuild lose nothing (exact doubles, packed dimension fields,
// Shift-JIS texts, header bytes no named field shows), and every failure prints one line, exits
// non-zero and writes nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include "cli_run.h"
#include "commands.h"
#include "exchange/dxf_exchange.h"
#include "json_drawing.h"
#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "platform/file_io.h"
#include "platform/sjis.h"
#include "support/jwc_file_builder.h"
#include "support/scoped_temp_folder.h"

namespace plenwick {
namespace {

namespace fs = std::filesystem;

using testing::CliRun;
using testing::RunCli;

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("plenwick-cli-test-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  // A drawing with awkward values: a packed dimension field whose bits are a NaN, the smallest
  // subnormal, a negative zero, a text in Shift-JIS with a byte that is not valid Shift-JIS.
  // `adjust` may change the header before it is written.
  void WriteSample(const fs::path& path, const std::function<void(DrawingHeader&)>& adjust = {}) {
    DrawingFileInfo info;
    info.header.bytes[0] = 'P';
    info.header.bytes[1] = 'W';
    info.header.setDrawingName("\x96\xb3\x81\x40\x91\xe8");  // 無　題
    info.header.setScale(50.0f);
    if (adjust) adjust(info.header);
    info.layers.SetDefaults();
    info.layers.layerCount = 3;
    info.areaMax = {594, 420, 0};
    EntityList list;
    const int16_t gc[] = {10, 20, 30};
    const double gv[] = {0, 0, 20};
    AddEntity({kGrid, 1, 0, 0, 3}, nullptr, list, gc, 0, gv, nullptr);
    const int16_t lc[] = {10, 20, 11, 22};
    const double lv[] = {0.1, 1.0 / 3.0, std::numeric_limits<double>::denorm_min(), -0.0};
    AddEntity({kLine, 0, 305, 2, 4}, nullptr, list, lc, 0x00FF00, lv, nullptr);
    const int16_t tc[] = {10, 20, 30, 40, 50};
    const double tv[] = {5, 5, 3.5, 3.5, 30};
    AddEntity({kText, 2, 1, 1, 5}, nullptr, list, tc, 0, tv, "\x83\x65\x83\x4c\x83\x58\xff");  // テキス + a stray byte
    const int16_t dc[] = {30, 31, 32, 10, 40, 41};
    double dv[] = {0, 0, 0, 12.5, 1, 2};
    const uint8_t packed[8] = {1, 0, 3, 0, 'a', 'b', 0xF8, 0x7F};  // bits of a NaN
    std::memcpy(&dv[0], packed, 8);
    AddEntity({kDimension, 0, 3, 0, 6}, nullptr, list, dc, 0, dv, nullptr);
    std::string error;
    ASSERT_EQ(SaveDrawingFile(path.string(), info, list, &error), 0) << error;
  }

  // Dumps `from` as JSON into `json`; false when the dump fails.
  bool Dump(const fs::path& from, const fs::path& json) {
    const CliRun dump = RunCli("dump --json '" + from.string() + "'", dir);
    EXPECT_EQ(dump.status, 0) << dump.err;
    std::ofstream(json) << dump.out;
    return dump.status == 0;
  }

  CliRun FromJson(const fs::path& json, const fs::path& to) {
    return RunCli("from-json '" + json.string() + "' '" + to.string() + "'", dir);
  }

  fs::path dir;
};

// Header bytes JSON named no field for, which dump and from-json lost.
void StaleBytesEverywhere(DrawingHeader& h) {
  h.setDrawingName("plan");
  h.setAuthor("me");
  h.setPassword("pw");
  const std::pair<std::size_t, std::size_t> gaps[] = {
      {DrawingHeader::kDrawingName + 5, DrawingHeader::kDrawingName + DrawingHeader::kDrawingNameWidth},
      {DrawingHeader::kAuthor + 3, DrawingHeader::kAuthor + DrawingHeader::kAuthorWidth},
      {DrawingHeader::kUpdater + 1, DrawingHeader::kUpdater + DrawingHeader::kUpdaterWidth},
      {DrawingHeader::kPassword + 3, DrawingHeader::kPassword + DrawingHeader::kPasswordWidth},
      {166, 174},
      {DrawingHeader::kLastFloat, DrawingHeader::kSize},
  };
  uint8_t next = 0x41;
  for (const auto& [from, to] : gaps) {
    for (std::size_t i = from; i < to; ++i) h.bytes[i] = next++;
  }
}

TEST_F(CliTest, DumpFromJsonCopyRoundTripIsExact) {
  const fs::path original = dir / "a.pwk";
  WriteSample(original);
  const CliRun dump = RunCli("dump --json '" + original.string() + "'", dir);
  ASSERT_EQ(dump.status, 0) << dump.err;
  const fs::path json = dir / "a.json";
  std::ofstream(json) << dump.out;
  const fs::path rebuilt = dir / "b.pwk";
  const CliRun build = RunCli("from-json '" + json.string() + "' '" + rebuilt.string() + "'", dir);
  ASSERT_EQ(build.status, 0) << build.err;
  const fs::path copied = dir / "c.pwk";
  ASSERT_EQ(RunCli("copy '" + rebuilt.string() + "' '" + copied.string() + "'", dir).status, 0);

  std::vector<uint8_t> a, b, c;
  ASSERT_TRUE(ReadWholeFile(original.string(), a));
  ASSERT_TRUE(ReadWholeFile(rebuilt.string(), b));
  ASSERT_TRUE(ReadWholeFile(copied.string(), c));
  EXPECT_EQ(a, b) << "JSON must carry every stored byte of meaning";
  EXPECT_EQ(b, c);
  EXPECT_NE(dump.out.find("\"010003006162f87f\""), std::string::npos) << "packed field as hex";
  EXPECT_NE(dump.out.find("無　題"), std::string::npos) << "Shift-JIS shown as UTF-8";
  EXPECT_NE(dump.out.find("\"textBytes\""), std::string::npos) << "bytes UTF-8 cannot carry are kept";
}

TEST_F(CliTest, HeaderBytesSurviveDumpAndFromJson) {
  struct Case {
    const char* what;
    std::function<void(DrawingHeader&)> adjust;
  } cases[] = {
      {"stale bytes after terminators and between fields", StaleBytesEverywhere},
      {"a drawing name filling its whole field",
       [](DrawingHeader& h) {
         std::fill_n(h.bytes.begin() + DrawingHeader::kDrawingName, DrawingHeader::kDrawingNameWidth, 'n');
       }},
      {"a password with no terminator",
       [](DrawingHeader& h) {
         std::fill_n(h.bytes.begin() + DrawingHeader::kPassword, DrawingHeader::kPasswordWidth, 'p');
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path original = dir / "a.pwk";
    WriteSample(original, c.adjust);
    const fs::path copied = dir / "copied.pwk";
    ASSERT_EQ(RunCli("copy '" + original.string() + "' '" + copied.string() + "'", dir).status, 0);
    ASSERT_TRUE(Dump(original, dir / "a.json"));
    const fs::path rebuilt = dir / "rebuilt.pwk";
    const CliRun build = FromJson(dir / "a.json", rebuilt);
    ASSERT_EQ(build.status, 0) << build.err;
    std::vector<uint8_t> expected, got;
    ASSERT_TRUE(ReadWholeFile(copied.string(), expected));
    ASSERT_TRUE(ReadWholeFile(rebuilt.string(), got));
    EXPECT_EQ(got, expected);
    DrawingHeader adjusted;
    c.adjust(adjusted);
    EXPECT_TRUE(std::equal(got.begin() + 166, got.begin() + 174, adjusted.bytes.begin() + 166));
  }
}

TEST_F(CliTest, EditedHeaderFieldsWinOverHeaderBytes) {
  // The raw header must not undo a field changed by hand in the JSON.
  const fs::path original = dir / "a.pwk";
  WriteSample(original, StaleBytesEverywhere);
  ASSERT_TRUE(Dump(original, dir / "a.json"));
  std::ifstream in(dir / "a.json");
  nlohmann::json json = nlohmann::json::parse(in);
  json["header"]["drawingName"] = "新図面";
  json["header"]["protection"] = 1;
  json["header"]["scale"] = 20;
  std::ofstream(dir / "edited.json") << json.dump();
  const fs::path rebuilt = dir / "rebuilt.pwk";
  const CliRun build = FromJson(dir / "edited.json", rebuilt);
  ASSERT_EQ(build.status, 0) << build.err;

  DrawingFileInfo info;
  EntityList list;
  ASSERT_EQ(LoadDrawingFile(rebuilt.string(), info, list, nullptr), 0);
  EXPECT_EQ(info.header.drawingName(), Utf8ToSjis("新図面"));
  EXPECT_EQ(info.header.protection(), 1);
  EXPECT_EQ(info.header.scale(), 20.0f);
  // The fields left alone keep every byte, after their terminators too.
  DrawingHeader stale;
  StaleBytesEverywhere(stale);
  for (std::size_t i = DrawingHeader::kAuthor; i < DrawingHeader::kProtection; ++i) {
    EXPECT_EQ(info.header.bytes[i], stale.bytes[i]) << i;
  }
  EXPECT_TRUE(std::equal(stale.bytes.begin() + 166, stale.bytes.begin() + 174, info.header.bytes.begin() + 166));
}

TEST_F(CliTest, FromJsonReportsTheElementsItRefusedAndTheFileHoldsTheRest) {
  // Elements on layer 200 or with a coordinate that is not a number were written, reported as
  // saved, and dropped by the next read.
  std::ofstream(dir / "in.json") << R"({"entities": [
    {"kind": 20, "layer": 1, "values": [0, 0, 10, 10]},
    {"kind": 20, "layer": 200, "values": [0, 0, 10, 10]},
    {"kind": 30, "layer": 1, "values": [0, 0, "000000000000f87f"]},
    {"kind": 10, "layer": 1, "values": [5, 5]}]})";
  const fs::path out = dir / "out.pwk";
  const CliRun r = FromJson(dir / "in.json", out);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find(": 2 element(s) refused"), std::string::npos) << r.err;
  DrawingFileInfo info;
  EntityList list;
  ASSERT_EQ(LoadDrawingFile(out.string(), info, list, nullptr), 0);
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(info.skippedRecords, 0);
}

TEST_F(CliTest, InfoCountsKinds) {
  const fs::path file = dir / "a.pwk";
  WriteSample(file);
  const CliRun r = RunCli("info '" + file.string() + "'", dir);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("layers: 3"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("line"), std::string::npos);
  EXPECT_NE(r.out.find("elements: 4"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("scale: 1:50"), std::string::npos);
}

TEST_F(CliTest, FailuresPrintOneLineAndWriteNothing) {
  const fs::path good = dir / "good.pwk";
  WriteSample(good);
  std::ofstream(dir / "bad.json") << "{ not json";
  std::ofstream(dir / "empty.json") << R"({"entities": []})";
  std::ofstream(dir / "junk.pwk") << "PX this is not a drawing";
  std::ofstream(dir / "plainfile") << "x";
  std::ofstream(dir / "wraps.json") << R"({"entities": [{"kind": 65556, "values": [0, 0]}]})";
  std::ofstream(dir / "cut.dxf") << "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n";
  std::ofstream(dir / "noentities.dxf") << "  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n  0\nEOF\n";
  // Larger than from-json reads: its document would take gigabytes.
  std::ofstream(dir / "huge.json") << "{";
  fs::resize_file(dir / "huge.json", cli::kMaxJsonBytes + 1);
  struct Case {
    std::string args;
    fs::path mustNotExist;
  } cases[] = {
      {"info '" + (dir / "missing.pwk").string() + "'", {}},
      {"dump --json '" + (dir / "junk.pwk").string() + "'", {}},
      {"copy '" + (dir / "junk.pwk").string() + "' '" + (dir / "out1.pwk").string() + "'", dir / "out1.pwk"},
      {"from-json '" + (dir / "bad.json").string() + "' '" + (dir / "out2.pwk").string() + "'", dir / "out2.pwk"},
      {"from-json '" + (dir / "empty.json").string() + "' '" + (dir / "out3.pwk").string() + "'", dir / "out3.pwk"},
      {"from-json '" + (dir / "wraps.json").string() + "' '" + (dir / "out4.pwk").string() + "'", dir / "out4.pwk"},
      {"from-json '" + (dir / "huge.json").string() + "' '" + (dir / "out5.pwk").string() + "'", dir / "out5.pwk"},
      {"convert '" + (dir / "cut.dxf").string() + "' '" + (dir / "out6.pwk").string() + "'", dir / "out6.pwk"},
      {"convert '" + (dir / "noentities.dxf").string() + "' '" + (dir / "out7.pwk").string() + "'", dir / "out7.pwk"},
      {"convert '" + (dir / "junk.pwk").string() + "' '" + (dir / "out8.dxf").string() + "'", dir / "out8.dxf"},
      {"convert '" + good.string() + "' '" + (dir / "out9.png").string() + "'", dir / "out9.png"},
      {"convert '" + good.string() + "' '" + (dir / "out10.pwk").string() + "'", dir / "out10.pwk"},
      // The target folder is really a file: fails even for root.
      {"copy '" + good.string() + "' '" + (dir / "plainfile" / "out.pwk").string() + "'", {}},
      {"frobnicate", {}},
  };
  for (const Case& c : cases) {
    const CliRun r = RunCli(c.args, dir);
    EXPECT_NE(r.status, 0) << c.args;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n') >= 1, true) << c.args;
    EXPECT_EQ(r.err.rfind("plenwick-cli: ", 0), 0u) << c.args << ": " << r.err;
    if (!c.mustNotExist.empty()) {
      EXPECT_FALSE(fs::exists(c.mustNotExist)) << c.args;
    }
  }
  // No temporary files left behind either.
  for (const auto& entry : fs::directory_iterator(dir)) {
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
  }
}

TEST_F(CliTest, ConvertToDxfAndBackKeepsTheElementsAtTheirPlaces) {
  const fs::path drawing = dir / "plan.pwk";
  // A2 at 1:1, which the drawing's box (594 x 420) tells again when it is read back.
  WriteSample(drawing, [](DrawingHeader& h) {
    h.setScale(1.0f);
    h.setPaperSize(2);
  });
  ASSERT_EQ(RunCli("convert '" + drawing.string() + "' '" + (dir / "Plan.DXF").string() + "'", dir).status, 0);
  const CliRun back = RunCli("convert '" + (dir / "Plan.DXF").string() + "' '" + (dir / "back.pwk").string() + "'", dir);
  ASSERT_EQ(back.status, 0) << back.err;
  DrawingFileInfo info;
  EntityList list;
  std::string error;
  ASSERT_EQ(LoadDrawingFile((dir / "back.pwk").string(), info, list, nullptr, &error), 0) << error;
  EXPECT_EQ(info.header.scale(), 1.0f);
  EXPECT_EQ(info.header.paperSize(), 2);
  std::vector<int> kinds;
  for (const DrawEntity& e : list) kinds.push_back(e.kind);
  // The grid is not exchanged; the line comes back rounded to whole millimetres, the text as it was.
  ASSERT_EQ(kinds, (std::vector<int>{kLine, kText}));
  const double* line = list.head->values.get();
  EXPECT_EQ(std::vector<double>(line, line + 4), (std::vector<double>{0, 0, 0, 0}));
  EXPECT_EQ(std::string(list.head->next->text.view()), "\x83\x65\x83\x4c\x83\x58\xff");
}

TEST_F(CliTest, ConvertReadsJwcFilesAtTheirOwnOriginAndRefusesOneThatStops) {
  testing::JwcDrawing d;
  d.scale = 50;
  d.paper = 1;
  d.paperWidth = 841;
  d.lines = {{1, 2, 3, 4}};
  const std::vector<uint8_t> bytes = testing::BuildJwcFile(d);
  testing::WriteBytes((dir / "old.JWC").string(), bytes);
  const CliRun r = RunCli("convert '" + (dir / "old.JWC").string() + "' '" + (dir / "old.pwk").string() + "'", dir);
  ASSERT_EQ(r.status, 0) << r.err;
  DrawingFileInfo info;
  EntityList list;
  std::string error;
  ASSERT_EQ(LoadDrawingFile((dir / "old.pwk").string(), info, list, nullptr, &error), 0) << error;
  EXPECT_EQ(info.header.scale(), 50.0f);
  EXPECT_EQ(info.header.paperSize(), 1);
  EXPECT_EQ(info.areaMax, (std::array<double, 3>{42050, 29700, 6400}));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(std::vector<double>(list.head->values.get(), list.head->values.get() + 4),
            (std::vector<double>{50, 100, 150, 200}));
  // As DXF: relative to the paper's centre, as saving as DXF writes it.
  ASSERT_EQ(RunCli("convert '" + (dir / "old.JWC").string() + "' '" + (dir / "old.dxf").string() + "'", dir).status, 0);
  EntityList fromDxf;
  DxfContext context;
  DxfReadReport report;
  ASSERT_EQ(ReadDxf(context, (dir / "old.dxf").string(), fromDxf, report), 0) << report.error;
  ASSERT_EQ(fromDxf.size(), 1u);
  EXPECT_EQ(fromDxf.head->values[0], 50 - 42050 / 2);

  testing::WriteBytes((dir / "cut.jwc").string(), std::vector<uint8_t>(bytes.begin(), bytes.end() - 1));
  const CliRun cut = RunCli("convert '" + (dir / "cut.jwc").string() + "' '" + (dir / "cut.pwk").string() + "'", dir);
  EXPECT_NE(cut.status, 0);
  EXPECT_EQ(cut.err, "plenwick-cli: " + (dir / "cut.jwc").string() + ": ERROR:READ 線要素の読み込み\n");
  EXPECT_FALSE(fs::exists(dir / "cut.pwk"));
}

TEST_F(CliTest, ConvertWritesCsvListsRelativeToThePaperCentreAndReadsThemBack) {
  // Relative to the centre of A0 landscape at 1:50; the text and the dimension are no list items.
  WriteSample(dir / "plan.pwk");
  ASSERT_EQ(RunCli("convert '" + (dir / "plan.pwk").string() + "' '" + (dir / "plan.CSV").string() + "'", dir).status, 0);
  std::ifstream written(dir / "plan.CSV");
  std::string first;
  std::getline(written, first);
  EXPECT_EQ(first, "LINE,-29724.9,-20999.666667,-29725,-21000,,");

  const std::string rows = "POINT,1,2,,,,\nLINE,-0,0,100.5,50,,\nCIRCLE,10,20,5,,,\nCIRCLE,10,20,5,30,60\n";
  std::ofstream(dir / "list.csv") << "\xEF\xBB\xBF" << rows << "other,row\r\n";
  const CliRun toPwk = RunCli("convert '" + (dir / "list.csv").string() + "' '" + (dir / "list.pwk").string() + "'", dir);
  ASSERT_EQ(toPwk.status, 0) << toPwk.err;
  DrawingFileInfo info;
  EntityList list;
  std::string error;
  ASSERT_EQ(LoadDrawingFile((dir / "list.pwk").string(), info, list, nullptr, &error), 0) << error;
  std::vector<std::vector<double>> values;
  for (const DrawEntity& e : list) values.emplace_back(e.values.get(), e.values.get() + e.valueCount);
  // A new drawing: A4 landscape at 1:1, centre (148.5, 105); circles become arcs.
  EXPECT_EQ(values, (std::vector<std::vector<double>>{
                        {149.5, 107}, {148.5, 105, 249, 155}, {158.5, 125, 5, 0, 0}, {158.5, 125, 5, 30, 60}}));
  ASSERT_EQ(RunCli("convert '" + (dir / "list.pwk").string() + "' '" + (dir / "back.csv").string() + "'", dir).status, 0);
  std::stringstream back;
  back << std::ifstream(dir / "back.csv").rdbuf();
  EXPECT_EQ(back.str(), "POINT,1,2,,,,\nLINE,0,0,100.5,50,,\nCIRCLE,10,20,5,,,\nCIRCLE,10,20,5,30,60\n");

  std::ofstream(dir / "bad.csv") << rows << "LINE,1,2,3,4e99\n";
  const CliRun bad = RunCli("convert '" + (dir / "bad.csv").string() + "' '" + (dir / "bad.pwk").string() + "'", dir);
  EXPECT_NE(bad.status, 0);
  EXPECT_EQ(bad.err, "plenwick-cli: " + (dir / "bad.csv").string() +
                         ": CSVファイルの 5 行目を読めません: 5 番目の欄の値が座標の範囲を超えています\n");
  EXPECT_FALSE(fs::exists(dir / "bad.pwk"));
}

TEST_F(CliTest, CopyKeepsThePreviousFileWhenTheTargetCannotBeReplaced) {
  const fs::path good = dir / "good.pwk";
  WriteSample(good);
  // A folder in the target's place cannot be replaced by a file: the folder must stay intact.
  const fs::path target = dir / "target.pwk";
  fs::create_directories(target / "inside");
  const CliRun r = RunCli("copy '" + good.string() + "' '" + target.string() + "'", dir);
  EXPECT_NE(r.status, 0);
  EXPECT_TRUE(fs::is_directory(target / "inside"));
}

}  // namespace
}  // namespace plenwick
