// Guards reading drawings saved in versions 1 and 2 (48-byte records of floats): users still open
// them, and a misread field would silently move, restyle or drop their elements.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "support/drawing_file_fixtures.h"

namespace plenwick {
namespace {

using testing::TestDimensionParts;

// Builds an old file byte by byte: header, 320-byte block, index, 48-byte records, data.
class OldFileBuilder {
 public:
  explicit OldFileBuilder(int version, int32_t lastColour = 0) : w_(bytes_) {
    w_.Write("PW", 2);
    w_.Zeros(156);
    w_.U8(static_cast<uint8_t>(version));  // 158
    w_.Zeros(15);
    w_.I16(3);  // 174: current layer
    w_.Zeros(16);
    // The block: four boxes as floats, the whole values block, layer states.
    const float boxes[12] = {1, 2, 0, 100, 200, 0, -5, -6, 0, 50, 60, 0};
    for (float f : boxes) w_.F32(f);
    for (int i = 0; i < 18; ++i) w_.I32(1000 + i);  // values block bytes 0..71
    for (int i = 0; i < 7; ++i) w_.I32(0x010101 * (i + 1));
    w_.I32(lastColour);
    w_.Zeros(8);
    w_.Zeros(4);  // 160..163
    for (int i = 0; i < 20; ++i) w_.U8(static_cast<uint8_t>(i == 0 ? 2 : i == 1 ? 0 : i == 2 ? 9 : 1));
    w_.Zeros(320 - 184);
  }

  struct Record {
    int16_t kind = 0;
    int16_t subKind = 0;
    int16_t lineAttr = 0;
    int16_t layer = 0;
    int32_t colour = 0;
    float slots[5] = {};
    std::vector<uint8_t> data;  // placed in the data area, count as given
    int32_t count = 0;
  };

  std::vector<uint8_t> Build(const std::vector<Record>& records) {
    const auto table = static_cast<int32_t>(bytes_.size() + 12);
    w_.I16(1);
    w_.I16(1);
    w_.I32(table);
    w_.I32(static_cast<int32_t>(records.size()));
    std::size_t data = static_cast<std::size_t>(table) + 48 * records.size();
    for (const Record& r : records) {
      w_.I16(r.kind);
      w_.I16(r.subKind);
      w_.I16(r.lineAttr);
      w_.I16(r.layer);
      w_.I32(r.colour);
      w_.I32(7);  // group numbers are not stored in old files: ignored
      for (float f : r.slots) w_.F32(f);
      w_.Zeros(4);
      w_.I32(r.count);
      w_.I32(r.data.empty() ? 0 : static_cast<int32_t>(data));
      data += r.data.size();
    }
    for (const Record& r : records) w_.Write(r.data.data(), r.data.size());
    return bytes_;
  }

  static std::vector<uint8_t> Floats(std::initializer_list<float> values, std::initializer_list<int16_t> codes = {}) {
    std::vector<uint8_t> out;
    ByteWriter w(out);
    for (int16_t c : codes) w.I16(c);
    if (codes.size() > 0) w.Zeros(codes.size() % 2 ? 2 : 4);
    for (float f : values) w.F32(f);
    return out;
  }

 private:
  std::vector<uint8_t> bytes_;
  ByteWriter w_;
};

std::vector<OldFileBuilder::Record> SampleRecords() {
  OldFileBuilder::Record grid{kGrid, 1, 0, 0, 0, {0, 0, 20, 0, 0}, {}, 0};
  OldFileBuilder::Record line{kLine, 0, 12, 3, 0xFF, {1, 2, 0, 3, 4}, {}, 0};
  OldFileBuilder::Record text{kText, 2, 5, 1, 0, {10, 20, 5, 1, 30}, {'a', 'b', 'c', 0}, 4};
  OldFileBuilder::Record dim{kDimension, 1, 3, 0, 0, {}, OldFileBuilder::Floats({12.5f, 3, 4}, {10, 40, 41}), 3};
  OldFileBuilder::Record curve{kFreeCurve, 0, 0, 0, 0, {}, OldFileBuilder::Floats({0, 0, 1.5f, 1}), 4};
  OldFileBuilder::Record group{kGroupHeader, 0, 0, 0, 0, {}, {}, 0};
  return {grid, line, text, dim, curve, group};
}

TEST(OldDrawingFile, VersionsOneAndTwoAreReadWithTheirOwnRules) {
  for (int version : {1, 2}) {
    SCOPED_TRACE(version);
    const std::vector<uint8_t> bytes = OldFileBuilder(version).Build(SampleRecords());
    EntityList list;
    DrawingFileInfo info = testing::TestFileInfo(8);
    info.layers.setName(25, "kept");
    std::string error;
    ASSERT_EQ(ReadDrawingFile(bytes, info, list, nullptr, &error), 0) << error;
    EXPECT_EQ(info.versionRead, version);
    EXPECT_EQ(info.skippedRecords, 1) << "the group header: old files store no groups";

    // Drawing block.
    EXPECT_EQ(info.areaMin, (std::array<double, 3>{1, 2, 0}));
    EXPECT_EQ(info.areaMax, (std::array<double, 3>{100, 200, 0}));
    EXPECT_EQ(info.extentMin, (std::array<double, 3>{-5, -6, 0}));
    EXPECT_EQ(info.extentMax, (std::array<double, 3>{50, 60, 0}));
    EXPECT_EQ(GetI32(&info.drawingValues.bytes[0]), 1000) << "the whole values block travels";
    EXPECT_EQ(info.drawingValues.displayColour(0), 0x010101);
    EXPECT_EQ(info.drawingValues.displayColour(7), 0x9A9A9A) << "a zero last colour gets its default";
    EXPECT_EQ(info.layers.layerCount, 20);
    EXPECT_EQ(info.layers.currentLayer, 3);
    EXPECT_EQ(info.layers.name(0), "Layer01");
    EXPECT_EQ(info.layers.name(19), "Layer20");
    EXPECT_EQ(info.layers.name(25), "kept");
    EXPECT_EQ(info.layers.states[0], kLayerNormal);
    EXPECT_EQ(info.layers.states[1], kLayerHidden);
    EXPECT_EQ(info.layers.states[2], kLayerOffColour) << "an unknown state is read as the default";

    ASSERT_EQ(list.size(), 5u);
    const DrawEntity* grid = EntityAt(list, 0);
    EXPECT_EQ(grid->kind, kGrid);
    EXPECT_EQ(grid->values[2], 20.0);
    const DrawEntity* line = EntityAt(list, 1);
    EXPECT_EQ(line->lineAttr, 102) << "type 1, pen 2 in the old form 12";
    EXPECT_EQ(line->layer, 3);
    EXPECT_EQ(line->colour, 0xFF);
    EXPECT_EQ(line->groupNo, 0);
    EXPECT_EQ(line->values[2], 3.0);
    EXPECT_EQ(line->Code(3), 22);
    const DrawEntity* text = EntityAt(list, 2);
    EXPECT_EQ(text->text.view(), "abc");
    EXPECT_EQ(text->font.view(), kDefaultFontSjis);
    EXPECT_EQ(text->subKind, 2);
    EXPECT_EQ(text->values[3], 5.0) << "the height serves as width";
    EXPECT_EQ(text->values[4], 30.0);
    const DrawEntity* dim = EntityAt(list, 3);
    ASSERT_EQ(dim->valueCount, 6);
    const int16_t dimCodes[] = {30, 31, 32, 10, 40, 41};
    const double dimValues[] = {0, 0, 0, 12.5, 3, 4};
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(dim->Code(i), dimCodes[i]) << i;
      EXPECT_EQ(dim->values[i], dimValues[i]) << i;
    }
    const DrawEntity* curve = EntityAt(list, 4);
    ASSERT_EQ(curve->valueCount, 4);
    EXPECT_FALSE(curve->HasCodes());
    EXPECT_EQ(curve->values[2], 1.5);
  }
}

TEST(OldDrawingFile, DimensionsGetTheirPartsAndANonZeroLastColourStays) {
  TestDimensionParts parts;
  const std::vector<uint8_t> bytes = OldFileBuilder(2, 0x123456).Build(SampleRecords());
  EntityList list;
  DrawingFileInfo info;
  ASSERT_EQ(ReadDrawingFile(bytes, info, list, nullptr), 0);
  EXPECT_EQ(info.drawingValues.displayColour(7), 0x123456);
  EXPECT_EQ(list.size(), 6u);
  EXPECT_EQ(EntityAt(list, 4)->owner, EntityAt(list, 3)) << "the part follows its dimension";
}

TEST(OldDrawingFile, SavingAnOldDrawingWritesVersionThree) {
  const std::vector<uint8_t> old = OldFileBuilder(1).Build(SampleRecords());
  EntityList list;
  DrawingFileInfo info;
  ASSERT_EQ(ReadDrawingFile(old, info, list, nullptr), 0);
  std::vector<uint8_t> saved;
  ASSERT_EQ(WriteDrawingFile(saved, info, list), 0);
  EXPECT_EQ(saved[158], 3);
  EntityList again;
  DrawingFileInfo againInfo;
  ASSERT_EQ(ReadDrawingFile(saved, againInfo, again, nullptr), 0);
  testing::ExpectSameStoredElements(list, again);
  EXPECT_EQ(againInfo.layers.layerCount, 20);
}

}  // namespace
}  // namespace plenwick
