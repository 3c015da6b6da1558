// The DXF writer: the file's fixed layout line by line, every kind broken down into plain
// entities with whole-unit coordinates less the origin, and the export that keeps the old file
// when writing fails.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "dxf_test_support.h"
#include "platform/file_io.h"
#include "support/scoped_temp_folder.h"
#include "view/render_hooks.h"

namespace plenwick {
namespace {

using testing::Add;
using testing::Attr;
using testing::DxfText;
using testing::EntitiesOf;

// Guards the layout other programs parse: header variables, the three tables and their order.
TEST(DxfWrite, HeaderAndTablesLineByLine) {
  EntityList list;
  DxfContext context;
  context.ltScale = 50;
  context.areaMin = {-10.4, 0, 0};
  context.areaMax = {21000, 14850.5, 0};
  const std::string expected =
      "  0\nSECTION\n  2\nHEADER\n999\nPlenwick DXF export\n"
      "  9\n$ACADVER\n  1\nAC1009\n  9\n$DWGCODEPAGE\n  3\nANSI_932\n"
      "  9\n$EXTMIN\n 10\n-10\n 20\n0\n  9\n$EXTMAX\n 10\n21000\n 20\n14850\n"
      "  9\n$LIMMIN\n 10\n0\n 20\n0\n  9\n$LIMMAX\n 10\n64000\n 20\n64000\n"
      "  9\n$LTSCALE\n 40\n50.0000\n  0\nENDSEC\n"
      "  0\nSECTION\n  2\nTABLES\n"
      "  0\nTABLE\n  2\nLTYPE\n 70\n5\n"
      "  0\nLTYPE\n  2\nCONTINUOUS\n 70\n64\n  3\n\x8e\xc0\x90\xfc\n 72\n65\n 73\n0\n 40\n0\n"
      "  0\nLTYPE\n  2\nHIDDEN\n 70\n64\n  3\n\x93\x5f\x90\xfc\n 72\n65\n 73\n2\n 40\n250\n 49\n125\n 49\n-125\n"
      "  0\nLTYPE\n  2\nCENTER\n 70\n64\n  3\n\x88\xea\x93\x5f\x8d\xbd\x90\xfc\n 72\n65\n 73\n4\n 40\n1000\n"
      " 49\n700\n 49\n-100\n 49\n100\n 49\n-100\n"
      "  0\nLTYPE\n  2\nPHANTOM\n 70\n64\n  3\n\x93\xf1\x93\x5f\x8d\xbd\x90\xfc\n 72\n65\n 73\n6\n 40\n1000\n"
      " 49\n500\n 49\n-100\n 49\n100\n 49\n-100\n 49\n100\n 49\n-100\n"
      "  0\nLTYPE\n  2\nDASHED\n 70\n64\n  3\n\x94\x6a\x90\xfc\n 72\n65\n 73\n2\n 40\n400\n 49\n300\n 49\n-100\n"
      "  0\nENDTAB\n"
      "  0\nTABLE\n  2\nLAYER\n 70\n8\n"
      "  0\nLAYER\n  2\nPEN1\n 70\n0\n 62\n3\n  6\nCONTINUOUS\n"
      "  0\nLAYER\n  2\nPEN2\n 70\n0\n 62\n2\n  6\nCONTINUOUS\n"
      "  0\nLAYER\n  2\nPEN3\n 70\n0\n 62\n4\n  6\nCONTINUOUS\n"
      "  0\nLAYER\n  2\nPEN4\n 70\n0\n 62\n3\n  6\nCONTINUOUS\n"
      "  0\nLAYER\n  2\nPEN5\n 70\n0\n 62\n3\n  6\nCONTINUOUS\n"
      "  0\nLAYER\n  2\nPEN6\n 70\n0\n 62\n3\n  6\nCONTINUOUS\n"
      "  0\nLAYER\n  2\nPEN7\n 70\n0\n 62\n3\n  6\nCONTINUOUS\n"
      "  0\nLAYER\n  2\nPEN8\n 70\n0\n 62\n7\n  6\nCONTINUOUS\n"
      "  0\nENDTAB\n"
      "  0\nTABLE\n  2\nSTYLE\n 70\n1\n"
      "  0\nSTYLE\n  2\nBIGFONT\n 70\n64\n 40\n0.0\n 41\n1.0\n 50\n0.0\n 71\n0\n 42\n0.2\n  3\n\n  4\nbigfont\n"
      "  0\nENDTAB\n  0\nENDSEC\n"
      "  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n";
  testing::AddGrid(list);  // a drawing of the grid alone has an empty ENTITIES section
  EXPECT_EQ(DxfText(list, context), expected);
}

struct KindCase {
  const char* name;
  int16_t kind;
  std::vector<double> values;
  int16_t lineAttr;
  int16_t subKind;
  const char* text;
  std::string entities;
};

// Guards the mapping of each kind, the rounding, the pen layers and line type names.
TEST(DxfWrite, EveryKindAsPlainEntities) {
  const std::string longText(300, 'a');
  const std::string turned = "\x8e\x9a\x0d\x0a\x8e\x9a";  // 字 CR LF 字
  const KindCase cases[] = {
      {"line rounded", kLine, {10.4, 20.6, 30.7, 40}, 0, 0, nullptr,
       "  0\nLINE\n  8\nPEN1\n 10\n10\n 20\n21\n 11\n31\n 21\n40\n  6\nCONTINUOUS\n"},
      {"pen 3 dashed", kLine, {0, 0, 1, 1}, Attr(2, 3), 0, nullptr,
       "  0\nLINE\n  8\nPEN4\n 10\n0\n 20\n0\n 11\n1\n 21\n1\n  6\nDASHED\n"},
      {"thick type solid, pen 9 on PEN1", kLine, {0, 0, 1, 1}, Attr(6, 9), 0, nullptr,
       "  0\nLINE\n  8\nPEN1\n 10\n0\n 20\n0\n 11\n1\n 21\n1\n  6\nCONTINUOUS\n"},
      {"beyond single precision", kLine, {16777217, -16777219, 1e10 + 1, 0}, 0, 0, nullptr,
       "  0\nLINE\n  8\nPEN1\n 10\n16777217\n 20\n-16777219\n 11\n10000000001\n 21\n0\n  6\nCONTINUOUS\n"},
      {"point", kPoint, {1.5, 2.5}, Attr(1, 7), 0, nullptr,
       "  0\nPOINT\n  8\nPEN8\n 10\n2\n 20\n2\n  6\nHIDDEN\n"},
      {"circle", kCircle, {5, 6, 7.6}, Attr(4, 1), 0, nullptr,
       "  0\nCIRCLE\n  8\nPEN2\n 10\n5\n 20\n6\n 40\n8\n  6\nPHANTOM\n"},
      {"counter-clockwise arc", kArc, {0, 0, 10, 0, 90}, Attr(3, 0), 1, nullptr,
       "  0\nARC\n  8\nPEN1\n 10\n0\n 20\n0\n 40\n10\n 50\n0.00\n 51\n90.00\n  6\nCENTER\n"},
      {"clockwise arc swapped", kArc, {0, 0, 10, 0, 90}, 0, -1, nullptr,
       "  0\nARC\n  8\nPEN1\n 10\n0\n 20\n0\n 40\n10\n 50\n90.00\n 51\n0.00\n  6\nCONTINUOUS\n"},
      {"text", kText, {1, 2, 3.456, 3, 30.4}, 0, 0, "ab",
       "  0\nTEXT\n  8\nPEN1\n 10\n1\n 20\n2\n 40\n3.46\n 41\n1.00\n  1\nab\n 50\n30\n  7\nBIGFONT\n  6\nCONTINUOUS\n"},
      {"line breaks in a text become spaces", kText, {0, 0, 5, 5, 0}, 0, 0, turned.c_str(),
       "  0\nTEXT\n  8\nPEN1\n 10\n0\n 20\n0\n 40\n5.00\n 41\n1.00\n  1\n\x8e\x9a  \x8e\x9a\n 50\n0\n  7\nBIGFONT\n"
       "  6\nCONTINUOUS\n"},
      {"long text cut at 255 bytes", kText, {0, 0, 5, 5, 0}, 0, 0, longText.c_str(),
       "  0\nTEXT\n  8\nPEN1\n 10\n0\n 20\n0\n 40\n5.00\n 41\n1.00\n  1\n" + std::string(255, 'a') +
           "\n 50\n0\n  7\nBIGFONT\n  6\nCONTINUOUS\n"},
      {"leader text with a bend and a third point", kLeaderText, {1, 1, 5, 5, 0, 10, 10, 20, 20, 30, 20}, 0, 3, "L",
       "  0\nTEXT\n  8\nPEN1\n 10\n1\n 20\n1\n 40\n5.00\n 41\n1.00\n  1\nL\n 50\n0\n  7\nBIGFONT\n  6\nCONTINUOUS\n"
       "  0\nLINE\n  8\nPEN1\n 10\n10\n 20\n10\n 11\n20\n 21\n20\n  6\nCONTINUOUS\n"
       "  0\nLINE\n  8\nPEN1\n 10\n20\n 20\n20\n 11\n30\n 21\n20\n  6\nCONTINUOUS\n"},
      {"open polygon", kPolygon, {0, 0, 10, 0, 10, 10}, 0, 0, nullptr,
       "  0\nLINE\n  8\nPEN1\n 10\n0\n 20\n0\n 11\n10\n 21\n0\n  6\nCONTINUOUS\n"
       "  0\nLINE\n  8\nPEN1\n 10\n10\n 20\n0\n 11\n10\n 21\n10\n  6\nCONTINUOUS\n"},
      {"not a number", kLine, {0, 0, std::numeric_limits<double>::quiet_NaN(), 1}, 0, 0, nullptr, ""},
      {"horizontal infinite line", kHorizontalInfiniteLine, {-999999.9, 5, 9999999.9, 5}, 0, 0, nullptr, ""},
      {"vertical infinite line", kVerticalInfiniteLine, {5, -999999.9, 5, 9999999.9}, 0, 0, nullptr, ""},
      {"angled infinite line", kAngledInfiniteLine, {0, 0, 1, 1}, 0, 0, nullptr, ""},
      {"free curve", kFreeCurve, {0, 0, 1, 1, 2, 0}, 0, 0, nullptr, ""},
      {"group header", kGroupHeader, {0, 0, 0, 0}, 0, 0, nullptr, ""},
      {"paint", kPaint, {0, 0, 0, 0, 1, 0, 1, 1}, 0, 0, nullptr, ""},
      {"image", kImage, {0, 0, 4, 3}, 0, 0, "image.png", ""},
  };
  for (const KindCase& c : cases) {
    EntityList list;
    testing::AddGrid(list);
    ASSERT_NE(Add(list, c.kind, c.values, c.lineAttr, c.subKind, c.text), nullptr) << c.name;
    EXPECT_EQ(EntitiesOf(DxfText(list)), c.entities) << c.name;
  }
}

// Guards the origin: subtracted from entity coordinates, in double precision.
TEST(DxfWrite, OriginSubtractedFromEntitiesOnly) {
  EntityList list;
  Add(list, kLine, {1e9 + 16777217, 2e9 + 0.6, 1e9, 2e9});
  DxfContext context;
  context.originX = 1e9;
  context.originY = 2e9;
  EXPECT_EQ(EntitiesOf(DxfText(list, context)),
            "  0\nLINE\n  8\nPEN1\n 10\n16777217\n 20\n1\n 11\n0\n 21\n0\n  6\nCONTINUOUS\n");
}

// Guards what is left out: deleted elements, the unselected ones of a selection, and dimension
// parts whose dimension is left out.
TEST(DxfWrite, MarksAndSelection) {
  EntityList list;
  DrawEntity* deleted = Add(list, kLine, {1, 1, 2, 2});
  DrawEntity* selected = Add(list, kPoint, {3, 3});
  Add(list, kPoint, {4, 4});
  DrawEntity* dimension = Add(list, kDimension, {0, 0, 0, 0});
  const int16_t codes[] = {10, 20, 11, 22};
  const double part[] = {5, 5, 6, 6};
  AddChildEntity({kLine, 0, 0, 0, 4}, nullptr, list, codes, 0, part, nullptr, dimension);
  deleted->mark = kMarkDeleted;
  selected->mark = kMarkSelected;

  const std::string all = EntitiesOf(DxfText(list));
  EXPECT_EQ(all.find("LINE\n  8\nPEN1\n 10\n1\n"), std::string::npos);
  EXPECT_NE(all.find("POINT\n  8\nPEN1\n 10\n4\n"), std::string::npos);
  EXPECT_NE(all.find(" 10\n5\n 20\n5\n 11\n6\n"), std::string::npos);

  DxfContext selection;
  selection.selectionOnly = 1;
  EXPECT_EQ(EntitiesOf(DxfText(list, selection)), "  0\nPOINT\n  8\nPEN1\n 10\n3\n 20\n3\n  6\nCONTINUOUS\n");
  dimension->mark = kMarkSelected;
  EXPECT_NE(EntitiesOf(DxfText(list, selection)).find(" 10\n5\n 20\n5\n 11\n6\n"), std::string::npos);
}

std::vector<std::string> LineEnds(const std::string& entities) {
  std::vector<std::string> out;
  for (std::size_t at = entities.find("LINE\n"); at != std::string::npos; at = entities.find("LINE\n", at + 1)) {
    out.push_back(entities.substr(at, entities.find("  6\n", at) - at));
  }
  return out;
}

// Guards curves and hatchings: drawn by the same routines as the screen's.
TEST(DxfWrite, CurvesAndHatchingsAsLines) {
  EntityList list;
  Add(list, kBezierCurve, {0, 0, 100, 200, 300, 0});
  const std::vector<std::string> lines = LineEnds(EntitiesOf(DxfText(list)));
  // Four spans of four steps for three control points, from the first point to the last.
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines.front().rfind("LINE\n  8\nPEN1\n 10\n0\n 20\n0\n 11\n", 0), 0u);
  EXPECT_NE(lines.back().find(" 11\n300\n 21\n0\n"), std::string::npos);

  Add(list, kHatch, {0, 0, 0, 0, 0, 10, 10}, Attr(2, 1));
  EXPECT_EQ(LineEnds(EntitiesOf(DxfText(list))).size(), 16u);  // no hatch hook: no lines
  const RenderHooks before =
      InstallRenderHooks({{}, [](const DrawEntity&, const HatchScreenView*, std::vector<ModelSegment>& out) {
                            out.push_back({{1, 2}, {3, 4}});
                            out.push_back({{0, 0}, {std::numeric_limits<double>::infinity(), 0}});
                          }});
  const std::string hatched = EntitiesOf(DxfText(list));
  InstallRenderHooks(before);
  EXPECT_NE(hatched.find("LINE\n  8\nPEN2\n 10\n1\n 20\n2\n 11\n3\n 21\n4\n  6\nDASHED\n"), std::string::npos);
  EXPECT_EQ(LineEnds(hatched).size(), 17u);
}

// Guards the export's file handling: a failed write keeps the previous file.
TEST(DxfWrite, ExportReplacesOnlyWhenComplete) {
  testing::ScopedTempFolder folder;
  const std::string path = folder / "plan.dxf";
  EntityList list;
  Add(list, kLine, {0, 0, 1, 1});
  ASSERT_EQ(ExportDxf({}, path, list), 0);
  std::vector<uint8_t> first;
  ASSERT_TRUE(ReadWholeFile(path, first));
  EXPECT_EQ(std::string(first.begin(), first.end()), DxfText(list));

  Add(list, kLine, {0, 0, 2, 2});
  SetWriteFaultInjector([](std::size_t) { return false; });
  std::string error;
  EXPECT_EQ(ExportDxf({}, path, list, &error), 1);
  SetWriteFaultInjector({});
  EXPECT_FALSE(error.empty());
  std::vector<uint8_t> after;
  ASSERT_TRUE(ReadWholeFile(path, after));
  EXPECT_EQ(after, first);
  EXPECT_EQ(ExportDxf({}, folder.path(), list, &error), 1);  // a folder is no file
}

}  // namespace
}  // namespace plenwick
