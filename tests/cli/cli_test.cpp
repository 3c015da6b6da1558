// Guards plenwick-cli: JSON dump and rebuild lose nothing (exact doubles, packed dimension fields,
// Shift-JIS texts), and every failure prints one line, exits non-zero and writes nothing.
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
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include "json_drawing.h"
#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "platform/file_io.h"

namespace plenwick {
namespace {

namespace fs = std::filesystem;

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs plenwick-cli with arguments (already quoted as needed).
CliRun RunCli(const std::string& args, const fs::path& dir) {
  const fs::path out = dir / "stdout.txt";
  const fs::path err = dir / "stderr.txt";
  const std::string cmd = std::string("'") + PLENWICK_CLI_PATH + "' " + args + " >'" + out.string() + "' 2>'" +
                          err.string() + "'";
  CliRun r;
  const int rc = std::system(cmd.c_str());
  r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  auto slurp = [](const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  };
  r.out = slurp(out);
  r.err = slurp(err);
  return r;
}

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
  void WriteSample(const fs::path& path) {
    DrawingFileInfo info;
    info.header.bytes[0] = 'P';
    info.header.bytes[1] = 'W';
    info.header.setDrawingName("\x96\xb3\x81\x40\x91\xe8");  // 無　題
    info.header.setScale(50.0f);
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

  fs::path dir;
};

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
  struct Case {
    std::string args;
    fs::path mustNotExist;
  } cases[] = {
      {"info '" + (dir / "missing.pwk").string() + "'", {}},
      {"dump --json '" + (dir / "junk.pwk").string() + "'", {}},
      {"copy '" + (dir / "junk.pwk").string() + "' '" + (dir / "out1.pwk").string() + "'", dir / "out1.pwk"},
      {"from-json '" + (dir / "bad.json").string() + "' '" + (dir / "out2.pwk").string() + "'", dir / "out2.pwk"},
      {"from-json '" + (dir / "empty.json").string() + "' '" + (dir / "out3.pwk").string() + "'", dir / "out3.pwk"},
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
