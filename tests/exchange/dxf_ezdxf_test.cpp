// Our DXF files as a peer sees them, and the peer's files as we read them: python3-ezdxf reads
// our export (entities, layers, line types, Japanese texts, a clean audit) and writes R12
// (ANSI_932), R2000 and R2010 files that we import. Skipped when ezdxf is not installed.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "dxf_test_support.h"
#include "platform/sjis.h"
#include "support/scoped_temp_folder.h"

namespace plenwick {
namespace {

using testing::Add;
using testing::Attr;
using testing::ValuesOf;

const std::string kScripts = std::string(PLENWICK_TEST_DATA_DIR) + "/dxf/";
constexpr int kNoEzdxf = 3;

// Runs a script with the system's python (where Debian's ezdxf lives); its exit status.
int RunPython(const std::string& script, const std::string& argument, std::string* output) {
  const std::string command = "/usr/bin/python3 '" + kScripts + script + "' '" + argument + "' 2>&1";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output->append(buffer, n);
  const int status = ::pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(DxfEzdxf, ReadsOurExport) {
  testing::ScopedTempFolder folder;
  const std::string path = folder / "ours.dxf";
  EntityList list;
  testing::AddGrid(list);
  Add(list, kLine, {0, 0, 100, 50}, Attr(2, 3));
  Add(list, kPoint, {5, 5}, Attr(1, 7));
  Add(list, kCircle, {50, 50, 20}, Attr(3, 1));
  Add(list, kArc, {50, 50, 30, 0, 90}, Attr(4, 0), -1);
  const std::string japanese = Utf8ToSjis("平面図 ソフト 1:100");
  Add(list, kText, {10, 10, 5, 5, 0}, 0, 0, japanese.c_str());
  Add(list, kLeaderText, {1, 1, 5, 5, 0, 10, 10, 20, 20}, Attr(6, 2), 3, "leader");
  Add(list, kPolygon, {0, 0, 10, 0, 10, 10, 0, 0});
  DxfContext context;
  context.ltScale = 50;
  context.areaMax = {42000, 29700, 0};
  ASSERT_EQ(ExportDxf(context, path, list), 0);

  std::string output;
  const int rc = RunPython("ezdxf_read.py", path, &output);
  if (rc == kNoEzdxf) GTEST_SKIP() << "python3-ezdxf is not installed";
  ASSERT_EQ(rc, 0) << output;
  const std::string expected =
      "entity LINE PEN4 DASHED\n"
      "entity POINT PEN8 HIDDEN\n"
      "entity CIRCLE PEN2 CENTER\n"
      "entity ARC PEN1 PHANTOM\n"
      "entity TEXT PEN1 CONTINUOUS 平面図 ソフト 1:100\n"
      "entity TEXT PEN3 CONTINUOUS leader\n"
      "entity LINE PEN3 CONTINUOUS\n"
      "entity LINE PEN1 CONTINUOUS\nentity LINE PEN1 CONTINUOUS\nentity LINE PEN1 CONTINUOUS\n";
  EXPECT_EQ(output.substr(0, expected.size()), expected);
  for (const char* fact : {"layer PEN1 3\n", "layer PEN3 4\n", "layer PEN8 7\n", "linetype CONTINUOUS\n",
                           "linetype HIDDEN\n", "linetype DASHED\n", "linetype CENTER\n", "linetype PHANTOM\n",
                           "audit 0 0\n"}) {
    EXPECT_NE(output.find(fact), std::string::npos) << fact << " in\n" << output;
  }
}

// The same drawing in three versions and encodings reads to the same elements.
TEST(DxfEzdxf, ImportsPeerFiles) {
  testing::ScopedTempFolder folder;
  std::string output;
  const int rc = RunPython("ezdxf_write.py", folder.path(), &output);
  if (rc == kNoEzdxf) GTEST_SKIP() << "python3-ezdxf is not installed";
  ASSERT_EQ(rc, 0) << output;
  const std::string text = Utf8ToSjis("日本語テキスト ±φ");
  for (const char* name : {"r12.dxf", "r2000.dxf", "r2010.dxf"}) {
    SCOPED_TRACE(name);
    EntityList list;
    DxfContext context;
    DxfReadReport report;
    ASSERT_EQ(ReadDxf(context, folder / name, list, report), 0) << report.error;
    EXPECT_EQ(report.skipped, 0);
    std::vector<std::vector<double>> values;
    std::vector<int> kinds;
    for (const DrawEntity& e : list) {
      kinds.push_back(e.kind * 1000 + e.lineAttr);
      values.push_back(ValuesOf(e));
      if (e.kind == kText) {
        EXPECT_EQ(std::string(e.text.view()), text);
      }
    }
    EXPECT_EQ(kinds, (std::vector<int>{20200, 30000, 31000, 10000, 40000, 20000, 20000, 20000, 20000, 20000}));
    EXPECT_EQ(values, (std::vector<std::vector<double>>{{1, 2, 3, 4}, {5, 6, 7}, {8, 9, 10, 30, 120}, {11, 12},
                                                        {13, 14, 2.5, 2.5, 90}, {0, 0, 10, 0}, {10, 0, 10, 10},
                                                        {10, 10, 0, 0}, {20, 0, 30, 0}, {30, 0, 30, 10}}));
  }
}

}  // namespace
}  // namespace plenwick
