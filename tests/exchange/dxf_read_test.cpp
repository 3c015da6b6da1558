// The DXF reader: entities taken by group code whatever their order, the header variables,
// texts in either encoding, and every kind of bad input refused with the line named, leaving
// the list as it was.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "dxf_test_support.h"
#include "support/scoped_temp_folder.h"

namespace plenwick {
namespace {

using testing::DxfFile;
using testing::Elements;
using testing::ReadDxfText;
using testing::ValuesOf;

struct Expected {
  int16_t kind;
  int16_t subKind;
  int16_t lineAttr;
  std::vector<double> values;
  std::string text = "";
};

struct EntityCase {
  const char* name;
  std::string groups;
  std::vector<Expected> elements;
  int64_t skipped = 0;
};

const std::string kLine = "  0\nLINE\n 10\n1\n 20\n2\n 11\n3\n 21\n4\n";

// Guards the mapping of each entity, values taken by their codes, and the skipping of unusable
// entities without losing the rest.
TEST(DxfRead, EntitiesByGroupCode) {
  const double huge = 1e12;
  const EntityCase cases[] = {
      {"line with Z values", "  0\nLINE\n 10\n1.5\n 20\n2\n 30\n9\n 11\n3\n 21\n4\n 31\n9\n",
       {{20, 0, 0, {1.5, 2, 3, 4}}}},
      {"line with thickness first and codes out of order", "  0\nLINE\n 39\n7\n 21\n4\n 11\n3\n 20\n2\n 10\n1\n",
       {{20, 0, 0, {1, 2, 3, 4}}}},
      {"line types by name", "  0\nLINE\n  6\nDASHED\n" + kLine.substr(9) + "  0\nPOINT\n  6\nphantom\n 10\n1\n 20\n1\n"
                             "  0\nPOINT\n  6\nDOT\n 10\n1\n 20\n1\n",
       {{20, 0, 200, {1, 2, 3, 4}}, {10, 0, 400, {1, 1}}, {10, 0, 0, {1, 1}}}},
      {"circle and counter-clockwise arc", "  0\nCIRCLE\n 10\n1\n 20\n2\n 40\n3\n  0\nARC\n 10\n1\n 20\n2\n 40\n3\n 50\n270\n 51\n45\n",
       {{30, 0, 0, {1, 2, 3}}, {31, 1, 0, {1, 2, 3, 270, 45}}}},
      {"text width: factor 0.3 of height 5 is below 1.9", "  0\nTEXT\n 10\n1\n 20\n2\n 40\n5\n 41\n0.3\n  1\nA\n 50\n30\n",
       {{40, 0, 0, {1, 2, 5, 5, 30}, "A"}}},
      {"text width: factor 2 of height 5", "  0\nTEXT\n  1\nB\n 41\n2\n 40\n5\n", {{40, 0, 0, {0, 0, 5, 10, 0}, "B"}}},
      {"text over 79 bytes kept whole", "  0\nTEXT\n 40\n2.5\n  1\n" + std::string(200, 'x') + "\n",
       {{40, 0, 0, {0, 0, 2.5, 2.5, 0}, std::string(200, 'x')}}},
      {"closed polyline of three vertices",
       "  0\nPOLYLINE\n 66\n1\n 70\n1\n  0\nVERTEX\n 10\n0\n 20\n0\n  0\nVERTEX\n 10\n10\n 20\n0\n  6\nHIDDEN\n"
       "  0\nVERTEX\n 10\n10\n 20\n10\n  0\nSEQEND\n",
       {{20, 0, 0, {0, 0, 10, 0}}, {20, 0, 100, {10, 0, 10, 10}}, {20, 0, 100, {10, 10, 0, 0}}}},
      {"open polyline keeps its vertices, no closing line",
       "  0\nPOLYLINE\n  6\nCENTER\n 70\n0\n  0\nVERTEX\n 10\n0\n 20\n0\n  0\nVERTEX\n 10\n10\n 20\n0\n"
       "  0\nVERTEX\n 10\n10\n 20\n10\n  0\nSEQEND\n" + kLine,
       {{20, 0, 300, {0, 0, 10, 0}}, {20, 0, 300, {10, 0, 10, 10}}, {20, 0, 0, {1, 2, 3, 4}}}},
      {"polyline ended by another entity, spline frame vertex left out",
       "  0\nPOLYLINE\n 70\n0\n  0\nVERTEX\n 10\n0\n 20\n0\n  0\nVERTEX\n 70\n16\n 10\n5\n 20\n5\n"
       "  0\nVERTEX\n 10\n10\n 20\n0\n" + kLine,
       {{20, 0, 0, {0, 0, 10, 0}}, {20, 0, 0, {1, 2, 3, 4}}}},
      {"meshes left out", "  0\nPOLYLINE\n 70\n16\n  0\nVERTEX\n 10\n0\n 20\n0\n  0\nVERTEX\n 10\n1\n 20\n1\n  0\nSEQEND\n"
                          "  0\nPOLYLINE\n 70\n64\n  0\nVERTEX\n 10\n0\n 20\n0\n  0\nVERTEX\n 10\n1\n 20\n1\n  0\nSEQEND\n",
       {}},
      {"closed lightweight polyline, its count claim ignored",
       "  0\nLWPOLYLINE\n 90\n2147483647\n 70\n1\n  6\nDASHED\n 10\n0\n 20\n0\n 10\n4\n 20\n0\n 10\n4\n 20\n3\n",
       {{20, 0, 200, {0, 0, 4, 0}}, {20, 0, 200, {4, 0, 4, 3}}, {20, 0, 200, {4, 3, 0, 0}}}},
      {"VERTEX outside a polyline and other entities ignored",
       "  0\nVERTEX\n 10\n1\n 20\n1\n  0\nINSERT\n 10\n1\n 20\n1\n  0\nSPLINE\n 10\n1\n" + kLine,
       {{20, 0, 0, {1, 2, 3, 4}}}},
      {"unusable entities skipped and counted",
       "  0\nLINE\n 10\nnan\n 20\n0\n  0\nLINE\n 10\n1e999\n  0\nPOINT\n 10\nabc\n  0\nPOINT\n 10\n" +
           std::to_string(huge) + "\n  0\nLINE\n 11\n" + std::to_string(huge) + "\n  0\nCIRCLE\n 40\n0\n"
           "  0\nARC\n 40\n-1\n  0\nTEXT\n 40\ninf\n  0\nPOLYLINE\n 70\n1\n  0\nVERTEX\n 10\nx\n  0\nVERTEX\n 10\n1\n"
           "  0\nSEQEND\n" + kLine,
       {{20, 0, 0, {1, 2, 3, 4}}}, 9},
  };
  for (const EntityCase& c : cases) {
    EntityList list;
    const auto r = ReadDxfText(DxfFile(c.groups), list);
    ASSERT_EQ(r.rc, 0) << c.name << ": " << r.report.error;
    EXPECT_EQ(r.report.skipped, c.skipped) << c.name;
    EXPECT_EQ(r.context.count, static_cast<int32_t>(c.elements.size())) << c.name;
    const auto got = Elements(list);
    ASSERT_EQ(got.size(), c.elements.size()) << c.name;
    for (std::size_t i = 0; i < got.size(); ++i) {
      const DrawEntity& e = *got[i];
      const Expected& x = c.elements[i];
      EXPECT_EQ(e.kind, x.kind) << c.name << " #" << i;
      EXPECT_EQ(e.subKind, x.subKind) << c.name << " #" << i;
      EXPECT_EQ(e.lineAttr, x.lineAttr) << c.name << " #" << i;
      EXPECT_EQ(e.layer, 0);
      EXPECT_EQ(e.colour, 0);
      EXPECT_EQ(ValuesOf(e), x.values) << c.name << " #" << i;
      EXPECT_EQ(std::string(e.text.view()), x.text) << c.name << " #" << i;
      if (e.kind == kText) {
        EXPECT_EQ(e.font.view(), kDefaultFontSjis);
      }
    }
  }
}

struct TextCase {
  const char* name;
  std::string header;
  std::string value;
  std::string sjis;
};

// Guards the decoding of texts into the Shift-JIS the model keeps.
TEST(DxfRead, TextsAsShiftJis) {
  const std::string r12 = "  9\n$ACADVER\n  1\nAC1009\n  9\n$DWGCODEPAGE\n  3\nANSI_932\n";
  const std::string r2010 = "  9\n$ACADVER\n  1\nAC1024\n  9\n$DWGCODEPAGE\n  3\nANSI_1252\n";
  const TextCase cases[] = {
      {"Shift-JIS kept as it is", r12, "\x93\xfa\x96\x7b", "\x93\xfa\x96\x7b"},
      {"no header: Shift-JIS", "", "\x83\x5c\x83\x74\x83\x67", "\x83\x5c\x83\x74\x83\x67"},  // ソフト: trail 0x5C
      {"trail backslash is no escape", r12, "\x83\x5cU+0041", "\x83\x5cU+0041"},
      {"control codes", r12, "90%%d %%P1 %%c10 100%%% %%uA%%U", "90\x81\x8b \x81\x7d" "1 \x83\xd3" "10 100% A"},
      {"unknown control code kept", r12, "%%z", "%%z"},
      {"unicode escapes", r12, "\\U+65E5\\U+672C x\\u+0041", "\x93\xfa\x96\x7b xA"},
      {"escape CP932 cannot hold", r12, "\\U+D55C!", "?!"},
      {"short escape kept", r12, "\\U+65", "\\U+65"},
      {"UTF-8 from AC1021 on", r2010, "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e", "\x93\xfa\x96\x7b\x8c\xea"},
      {"UTF-8: characters CP932 cannot hold become ?", r2010, "a\xed\x95\x9c\xf0\x9f\x98\x80" "b", "a??b"},
      {"UTF-8: wave dash look-alike", r2010, "\xe3\x80\x9c", "\x81\x60"},
      {"UTF-8 with escapes and codes", r2010, "%%d\\U+00B1", "\x81\x8b\x81\x7d"},
      {"Western code page", "  9\n$DWGCODEPAGE\n  3\nansi_1252\n", "\xb1\xb5\x80\x81", "\x81\x7d???"},
  };
  for (const TextCase& c : cases) {
    EntityList list;
    const auto r = ReadDxfText(DxfFile("  0\nTEXT\n 40\n5\n  1\n" + c.value + "\n", c.header), list);
    ASSERT_EQ(r.rc, 0) << c.name;
    ASSERT_EQ(list.size(), 1u) << c.name;
    EXPECT_EQ(std::string(list.head->text.view()), c.sjis) << c.name;
  }
}

// Guards the header: boxes in the context's order, absurd values as absent, the scale rule,
// and sections found by their pairs only.
TEST(DxfRead, HeaderVariables) {
  DxfContext before;
  before.areaMax = {7, 8, 9};
  const std::string header =
      "999\nENTITIES\n  9\n$EXTMIN\n 10\n-1\n 20\n-2\n 30\n-3\n  9\n$EXTMAX\n 10\n21000\n 20\nnan\n"
      "  9\n$LIMMIN\n 10\n5\n  9\n$LIMMAX\n 10\n420\n 20\n297\n  9\n$LTSCALE\n 40\n50\n"
      "  9\n$TEXT\n  1\nENTITIES\n";
  EntityList list;
  auto r = testing::DxfRead{};
  r.context = before;
  const std::string file = testing::DxfFile(kLine, header);
  r.rc = ReadDxfBytes(r.context, std::span(reinterpret_cast<const uint8_t*>(file.data()), file.size()), list, r.report);
  ASSERT_EQ(r.rc, 0) << r.report.error;
  EXPECT_EQ(r.context.areaMin, (std::array<double, 3>{-1, -2, -3}));
  EXPECT_EQ(r.context.areaMax, (std::array<double, 3>{7, 8, 9}));  // NaN: absent
  EXPECT_EQ(r.context.extentMin, (std::array<double, 3>{5, 0, 0}));
  EXPECT_EQ(r.context.extentMax, (std::array<double, 3>{420, 297, 0}));
  EXPECT_EQ(r.context.ltScale, 50);
  EXPECT_EQ(list.size(), 1u);

  const struct {
    const char* header;
    double scale;
  } scales[] = {{"", 100}, {"  9\n$LTSCALE\n 40\n0.0009\n", 100}, {"  9\n$LTSCALE\n 40\n0.001\n", 0.001},
                {"  9\n$LTSCALE\n 40\n1e300\n", 100}, {"  9\n$LTSCALE\n 40\n-5\n", 100}, {"  9\n$LTSCALE\n 40\n2.5\n", 2.5}};
  for (const auto& s : scales) {
    EntityList l;
    EXPECT_EQ(ReadDxfText(DxfFile(kLine, s.header), l).context.ltScale, s.scale) << s.header;
  }
}

// Guards the line handling: CRLF, padded codes and values, a last line without a break, and a
// file larger than the read buffer read from disk to the same elements as from memory.
TEST(DxfRead, LinesAndFiles) {
  EntityList list;
  auto r = ReadDxfText("  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE  \r\n 10\r\n   1.0  \r\n 20 \r\n+2\r\n"
                       "11\r\n3e0\r\n 21\r\n4\r\n  0\r\nENDSEC\r\n  0\r\nEOF", list);
  ASSERT_EQ(r.rc, 0) << r.report.error;
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(ValuesOf(*list.head), (std::vector<double>{1, 2, 3, 4}));

  std::string big;
  for (int i = 0; i < 40000; ++i) {
    big += "  0\r\nLINE\r\n 10\r\n" + std::to_string(i) + "\r\n 20\r\n0\r\n 11\r\n1\r\n 21\r\n" + std::to_string(-i) + "\r\n";
  }
  big = DxfFile(big);
  testing::ScopedTempFolder folder;
  const std::string path = folder / "big.dxf";
  {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(big.data(), 1, big.size(), f);
    std::fclose(f);
  }
  ASSERT_GT(big.size(), 3u << 18);
  EntityList fromFile, fromMemory;
  DxfContext context;
  DxfReadReport report;
  ASSERT_EQ(ReadDxf(context, path, fromFile, report), 0) << report.error;
  ASSERT_EQ(ReadDxfText(big, fromMemory).rc, 0);
  ASSERT_EQ(fromFile.size(), 40000u);
  ASSERT_EQ(fromMemory.size(), 40000u);
  for (auto a = fromFile.begin(), b = fromMemory.begin(); a != fromFile.end(); ++a, ++b) {
    ASSERT_EQ(ValuesOf(*a), ValuesOf(*b));
  }
  EXPECT_EQ(ValuesOf(*fromFile.tail), (std::vector<double>{39999, 0, 1, -39999}));
  EXPECT_EQ(ReadDxf(context, folder / "missing.dxf", fromFile, report), 1);
  EXPECT_FALSE(report.error.empty());
  EXPECT_EQ(fromFile.size(), 40000u);
}

struct HostileCase {
  const char* name;
  std::string bytes;
  std::string error;  // part of the message
};

// Guards bad input: every case fails with a message (naming its line where there is one),
// appends nothing and leaves what the list held.
TEST(DxfRead, BadInputRefused) {
  const std::string entities = "  0\nSECTION\n  2\nENTITIES\n" + kLine;
  const HostileCase cases[] = {
      {"empty", "", "ENTITIES"},
      {"no ENTITIES", "  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n  0\nEOF\n", "ENTITIES"},
      {"ENTITIES only in a text", "  0\nSECTION\n  2\nHEADER\n  9\n$X\n  1\nENTITIES\n  0\nENDSEC\n  0\nEOF\n", "ENTITIES"},
      {"truncated in ENTITIES", entities, "14 行目"},
      {"truncated in HEADER", "  0\nSECTION\n  2\nHEADER\n  9\n$LTSCALE\n 40\n", "7 行目"},
      {"pair cut in half", entities + "  0", "15 行目"},
      {"non-numeric code", entities + "abc\n1\n", "15 行目"},
      {"code with a fraction", entities + " 10.5\n1\n", "15 行目"},
      {"overflowing code", entities + "99999999999999999999\n1\n", "15 行目"},
      {"over-long line", entities + " 1\n" + std::string(5000, 'x') + "\n", "16 行目"},
      {"over-long line at the end", entities + " 1\n" + std::string(5000, 'x'), "16 行目"},
      {"binary DXF", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + std::string(100, '\0'), "バイナリ"},
      {"binary garbage", std::string(3000, '\xff'), "1 行目"},
  };
  for (const HostileCase& c : cases) {
    EntityList list;
    testing::AddGrid(list);
    DxfContext context;
    context.ltScale = 7;
    DxfReadReport report;
    const int rc = ReadDxfBytes(context, std::span(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size()),
                                list, report);
    EXPECT_EQ(rc, 1) << c.name;
    EXPECT_NE(report.error.find(c.error), std::string::npos) << c.name << ": " << report.error;
    EXPECT_EQ(list.size(), 1u) << c.name;
    EXPECT_EQ(list.head->kind, kGrid) << c.name;
    EXPECT_EQ(context.ltScale, 7) << c.name;
    EXPECT_EQ(context.count, 0) << c.name;
  }
}

}  // namespace
}  // namespace plenwick
