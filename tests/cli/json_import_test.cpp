// Guards the JSON import: an element a drawing file would lose when read back is refused and
// counted instead of being written and reported as saved, and an integer that does not fit its
// field (or is no integer at all) stops the import with a line naming the field instead of
// wrapping round or turning into a default.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "json_drawing.h"
#include "model/drawing_file.h"
#include "model/entity_core.h"

namespace plenwick {
namespace {

using nlohmann::json;

const char* const kNaN = "000000000000f87f";
const char* const kInfinity = "000000000000f07f";

json Line(double x2 = 10) {
  return {{"kind", 20}, {"layer", 0}, {"codes", {10, 20, 11, 22}}, {"values", {0.0, 0.0, x2, 5.0}}};
}

json Element(int kind, json values, int layer = 0) {
  return {{"kind", kind}, {"layer", layer}, {"values", std::move(values)}};
}

json Numbers(std::size_t n, double v = 1.0) { return json(std::vector<double>(n, v)); }

// A text with leader: position, height, width, angle, then the leader's points.
json Leader(std::size_t values) {
  json e = Element(kLeaderText, Numbers(values));
  e["text"] = "note";
  return e;
}

// The elements a file written from `root` gives back when read, or -1 when it cannot be read.
int ElementsReadBack(const DrawingFileInfo& info, const EntityList& list, DrawingFileInfo* readInfo = nullptr) {
  std::vector<uint8_t> bytes;
  if (WriteDrawingFile(bytes, info, list) != 0) return -1;
  DrawingFileInfo read;
  EntityList readList;
  if (ReadDrawingFile(bytes, read, readList, nullptr) != 0) return -1;
  EXPECT_EQ(read.skippedRecords, 0) << "the reader dropped what the import kept";
  if (readInfo) *readInfo = read;
  return static_cast<int>(readList.size());
}

TEST(JsonImport, ElementsTheReaderWouldDropAreRefusedAndCounted) {
  // Each was written and reported as saved, and vanished (or changed shape) when the file was read.
  struct Case {
    const char* fault;
    json element;
    bool kept;
  } cases[] = {
      {"layer below the table", Element(kLine, {0, 0, 1, 1}, -1), false},
      {"layer past the table", Element(kLine, {0, 0, 1, 1}, 128), false},
      {"last layer of the table", Element(kLine, {0, 0, 1, 1}, 127), true},
      {"radius not a number", Element(kCircle, {0, 0, kNaN}), false},
      {"infinite second point of a line", Element(kLine, {0, 0, kInfinity, 0}), false},
      {"second point of a line out of range", Element(kLine, {0, 0, 1e12, 0}), false},
      {"hatching value not a number", Element(kHatch, {0, 0, kNaN, 4}), false},
      {"text with leader of 8 values", Leader(8), false},
      {"text with leader of 9 values", Leader(9), true},
      {"text with leader of 255 values", Leader(255), true},
      {"text with leader of 256 values", Leader(256), false},
      {"line of three values", Element(kLine, {0, 0, 1}), false},
      {"point of three values", Element(kPoint, {0, 0, 1}), false},
      {"arc of four values", Element(kArc, {0, 0, 5, 0}), false},
      {"unknown kind", Element(99, {0, 0}), false},
      {"dimension with its packed first field", Element(kDimension, {kNaN, 0, 0, 1, 2, 3}), true},
      {"dimension with a later value not a number", Element(kDimension, {kNaN, 0, kNaN, 1, 2, 3}), false},
      {"first x out of range", Element(kPoint, {1e12, 0}), false},
      {"free curve longer than the curve tools make", Element(kFreeCurve, Numbers(2 * kMaxFreeCurvePoints + 2)), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    const json root = {{"entities", json::array({Line(), c.element})}};
    DrawingFileInfo info;
    EntityList list;
    std::string error;
    int refused = -1;
    ASSERT_TRUE(cli::DrawingFromJson(root, info, list, &error, &refused)) << error;
    EXPECT_EQ(refused, c.kept ? 0 : 1);
    EXPECT_EQ(ElementsReadBack(info, list), 2 - refused) << "the count reported must be the count the file holds";
  }
}

TEST(JsonImport, CurrentLayerAndBoxesAreTakenAsTheReaderTakesThem) {
  // A current layer outside the table and boxes that are not numbers were written as given.
  struct Case {
    int currentLayer;
    int expected;
  } cases[] = {{-5, 0}, {3, 3}, {127, 127}, {500, 127}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.currentLayer);
    const json root = {{"header", {{"currentLayer", c.currentLayer}}},
                       {"block", {{"areaMin", {kNaN, kInfinity, 1.5}}, {"extentMax", {2, "000000000000f0ff", 3}}}},
                       {"entities", json::array({Line()})}};
    DrawingFileInfo info;
    EntityList list;
    std::string error;
    int refused = -1;
    ASSERT_TRUE(cli::DrawingFromJson(root, info, list, &error, &refused)) << error;
    EXPECT_EQ(info.layers.currentLayer, c.expected);
    EXPECT_EQ(info.areaMin, (std::array<double, 3>{0, 0, 1.5}));
    EXPECT_EQ(info.extentMax, (std::array<double, 3>{2, 0, 3}));
    DrawingFileInfo read;
    ASSERT_EQ(ElementsReadBack(info, list, &read), 1);
    EXPECT_EQ(read.header.currentLayer(), c.expected);
    EXPECT_EQ(read.areaMin, info.areaMin);
  }
}

TEST(JsonImport, FieldsThatDoNotFitStopTheImportNamingTheField) {
  // Integers were cast straight to their field: 65546 became kind 10, a protection of 258 became
  // 2 (protected), a group number of 32768 became -32768, "20" and 1.5 became 0.
  const json text = {{"kind", kText}, {"layer", 0}, {"values", {0, 0, 3.5, 3.5, 0}}, {"text", "a"}};
  const json base = {{"header", {{"drawingName", "plan"}}},
                     {"block", {{"displayColours", {0, 1, 2, 3, 4, 5, 6, 7}}}},
                     {"layers", json::array({{{"name", "a"}, {"state", 2}}})},
                     {"entities", json::array({Line(), Line(), text})}};
  struct Case {
    const char* pointer;
    json value;
    const char* error;
  } cases[] = {
      {"/entities/1/kind", 65546, "entities[1].kind: an integer from -32768 to 32767 is expected, not 65546"},
      {"/entities/1/kind", "20", "entities[1].kind: an integer from -32768 to 32767 is expected, not a string"},
      {"/entities/1/kind", 18446744073709551615ULL,
       "entities[1].kind: an integer from -32768 to 32767 is expected, not 18446744073709551615"},
      {"/entities/1/layer", 65536, "entities[1].layer: an integer from -32768 to 32767 is expected, not 65536"},
      {"/entities/1/layer", 1.5, "entities[1].layer: an integer from -32768 to 32767 is expected, not 1.5"},
      {"/entities/1/layer", true, "entities[1].layer: an integer from -32768 to 32767 is expected, not true"},
      {"/entities/1/layer", nullptr, "entities[1].layer: an integer from -32768 to 32767 is expected, not null"},
      {"/entities/1/groupNo", 32768, "entities[1].groupNo: an integer from -32768 to 32767 is expected, not 32768"},
      {"/entities/1/lineAttr", -32769, "entities[1].lineAttr: an integer from -32768 to 32767 is expected, not -32769"},
      {"/entities/1/colour", 4294967295ULL,
       "entities[1].colour: an integer from -2147483648 to 2147483647 is expected, not 4294967295"},
      {"/entities/1/codes/2", 65547, "entities[1].codes[2]: an integer from -32768 to 32767 is expected, not 65547"},
      {"/entities/1/values/3", "zz", "entities[1].values[3]: a number or 16 hex digits is expected"},
      {"/entities/2/subKind", 400, "entities[2].subKind: an integer from -326 to 326 is expected, not 400"},
      {"/entities/2/text", 7, "entities[2].text: a string is expected"},
      {"/entities/2/fontBytes", "8x", "entities[2].fontBytes: a string of hex digits is expected"},
      {"/header/protection", 258, "header.protection: an integer from 0 to 255 is expected, not 258"},
      {"/header/paperMode", -1, "header.paperMode: an integer from 0 to 255 is expected, not -1"},
      {"/header/creationDate", -2147483649LL,
       "header.creationDate: an integer from -2147483648 to 2147483647 is expected, not -2147483649"},
      {"/header/currentLayer", 40000, "header.currentLayer: an integer from -32768 to 32767 is expected, not 40000"},
      {"/header/scale", 1e300, "header.scale: the number is too large for the header's single-precision field"},
      {"/header/author", json::array(), "header.author: a string is expected"},
      {"/headerBytes", "0011", "headerBytes: the 192 header bytes as 384 hex digits are expected"},
      {"/block/displayColours/3", 2147483648LL,
       "block.displayColours[3]: an integer from -2147483648 to 2147483647 is expected, not 2147483648"},
      {"/layers/0/state", 258, "layers[0].state: an integer from 0 to 2 is expected, not 258"},
      {"/layers/0/state", 3, "layers[0].state: an integer from 0 to 2 is expected, not 3"},
  };
  {
    DrawingFileInfo info;
    EntityList list;
    std::string error;
    int refused = -1;
    ASSERT_TRUE(cli::DrawingFromJson(base, info, list, &error, &refused)) << error;
    ASSERT_EQ(refused, 0);
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pointer);
    json root = base;
    root[json::json_pointer(c.pointer)] = c.value;
    DrawingFileInfo info;
    EntityList list;
    std::string error;
    int refused = -1;
    EXPECT_FALSE(cli::DrawingFromJson(root, info, list, &error, &refused));
    EXPECT_EQ(error, c.error);
  }
}

}  // namespace
}  // namespace plenwick
