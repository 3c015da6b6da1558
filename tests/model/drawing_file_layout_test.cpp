// Guards the byte layout of written drawing files: a shifted field or a wrong padding would make
// every file unreadable by other copies of the program, so the layouts are checked byte by byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "support/drawing_file_fixtures.h"
#include "support/entity_builders.h"

namespace plenwick {
namespace {

using testing::AddGrid;
using testing::AddLine;
using testing::F64At;
using testing::I16At;
using testing::I32At;
using testing::RecordAt;
using testing::TestFileInfo;
using testing::WriteOrFail;

std::string BytesAt(const std::vector<uint8_t>& b, std::size_t at, std::size_t n) {
  return std::string(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + n));
}

TEST(DrawingFileLayout, GridAndLineOnTwoLayersMake564Bytes) {
  EntityList list;
  AddGrid(list, 20.0);
  AddLine(list, 1.5, 2.5, 3.5, 4.5, 1);
  DrawingFileInfo info = TestFileInfo(2);
  info.layers.currentLayer = 1;
  info.layers.states[1] = kLayerNormal;
  info.header.setFormatVersion(1);  // whatever the document held, version 3 is written
  const std::vector<uint8_t> b = WriteOrFail(list, info);

  ASSERT_EQ(b.size(), 564u) << "192 + 136 + 80 + 12 + 144";
  EXPECT_EQ(BytesAt(b, 0, 4), std::string("PW3\0", 4));
  EXPECT_EQ(b[158], 3);
  EXPECT_EQ(b[159], 0);
  EXPECT_EQ(I16At(b, 174), 1) << "current layer";
  EXPECT_EQ(BytesAt(b, 4, 5), std::string("test\0", 5)) << "the drawing name travels";
  // Drawing block: boxes, colours, 1, L.
  EXPECT_EQ(F64At(b, 192 + 24), 594.0);
  EXPECT_EQ(F64At(b, 192 + 32), 420.0);
  EXPECT_EQ(I32At(b, 192 + 96), 0x101010);
  EXPECT_EQ(I32At(b, 192 + 96 + 28), 0x808080);
  EXPECT_EQ(I32At(b, 192 + 128), 1);
  EXPECT_EQ(I32At(b, 192 + 132), 2);
  // Layer table.
  EXPECT_EQ(BytesAt(b, 328, 8), std::string("Layer01\0", 8));
  EXPECT_EQ(b[328 + 39], kLayerOffColour);
  EXPECT_EQ(BytesAt(b, 368, 8), std::string("Layer02\0", 8));
  EXPECT_EQ(b[368 + 39], kLayerNormal);
  // Record index.
  EXPECT_EQ(I16At(b, 408), 1);
  EXPECT_EQ(I16At(b, 410), 1);
  EXPECT_EQ(I32At(b, 412), 420);
  EXPECT_EQ(I32At(b, 416), 2);
  // The grid, then the line with slot 2 empty.
  EXPECT_EQ(I16At(b, 420), kGrid);
  EXPECT_EQ(F64At(b, 420 + 32), 20.0);
  const std::size_t line = 492;
  EXPECT_EQ(I16At(b, line), kLine);
  EXPECT_EQ(I16At(b, line + 6), 1) << "layer";
  const double slots[] = {1.5, 2.5, 0.0, 3.5, 4.5};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(F64At(b, line + 16 + 8 * static_cast<std::size_t>(i)), slots[i]) << i;
  EXPECT_EQ(I32At(b, line + 64), 0);
  EXPECT_EQ(I32At(b, line + 68), 0);
}

TEST(DrawingFileLayout, TextKeepsPaddedLengthsInCountAndSubKind) {
  EntityList list;
  const int16_t codes[] = {10, 20, 30, 40, 50};
  const double values[] = {10, 20, 5, 4, 30};
  ASSERT_EQ(AddEntity({kText, 2, 0, 0, 5}, kDefaultFontSjis.data(), list, codes, 0, values, "abc"), 0);
  const std::vector<uint8_t> b = WriteOrFail(list);
  const std::size_t r = RecordAt(2, 0);
  const std::size_t data = RecordAt(2, 1);
  ASSERT_EQ(b.size(), data + 4 + 16);
  EXPECT_EQ(I16At(b, r + 2), 2 * 100 + 16) << "subKind x 100 + padded font length";
  EXPECT_EQ(I32At(b, r + 64), 4) << "padded text length";
  EXPECT_EQ(I32At(b, r + 68), static_cast<int32_t>(data));
  EXPECT_EQ(BytesAt(b, data, 4), std::string("abc\0", 4));
  EXPECT_EQ(BytesAt(b, data + 4, 16), std::string(kDefaultFontSjis) + std::string(4, '\0'));
  EXPECT_EQ(F64At(b, r + 16 + 24), 4.0) << "width in slot 3";
}

TEST(DrawingFileLayout, BezierCodesArePaddedBeforeTheDoubles) {
  EntityList list;
  const int16_t codes[] = {10, 20, 10, 20, 10, 20};
  const double values[] = {0, 0, 5, 10, 10, 0};
  ASSERT_EQ(AddEntity({kBezierCurve, 0, 0, 0, 6}, nullptr, list, codes, 0, values, nullptr), 0);
  const std::vector<uint8_t> b = WriteOrFail(list);
  const std::size_t r = RecordAt(2, 0);
  const std::size_t data = RecordAt(2, 1);
  ASSERT_EQ(b.size(), data + 16 + 48);
  EXPECT_EQ(I32At(b, r + 64), 6);
  EXPECT_EQ(I32At(b, r + 68), static_cast<int32_t>(data));
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(I16At(b, data + 2 * i), codes[i]);
  EXPECT_EQ(BytesAt(b, data + 12, 4), std::string(4, '\0'));
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(F64At(b, data + 16 + 8 * i), values[i]);
}

TEST(DrawingFileLayout, LeaderTextStoresCountsAndOffsetsInItsSlots) {
  EntityList list;
  const int16_t codes[] = {10, 20, 30, 40, 50, 60, 61, 70, 71};
  const double values[] = {1, 2, 5, 5, 0, 3, 4, 6, 7};
  ASSERT_EQ(AddEntity({kLeaderText, 13, 0, 0, 9}, "Arial", list, codes, 0, values, "hello"), 0);
  const std::vector<uint8_t> b = WriteOrFail(list);
  const std::size_t r = RecordAt(2, 0);
  const std::size_t data = RecordAt(2, 1);
  const std::size_t text = data + 20 + 72;  // 9 codes padded to 20 bytes, 9 doubles
  ASSERT_EQ(b.size(), text + 8 + 8);
  EXPECT_EQ(I16At(b, r + 2), 13 * 100 + 8);
  EXPECT_EQ(F64At(b, r + 16), 9.0);
  EXPECT_EQ(F64At(b, r + 24), static_cast<double>(data));
  EXPECT_EQ(F64At(b, r + 32), 0.0);
  EXPECT_EQ(F64At(b, r + 40), 8.0) << "padded text length";
  EXPECT_EQ(F64At(b, r + 48), static_cast<double>(text));
  EXPECT_EQ(I32At(b, r + 64), 9 + 8);
  EXPECT_EQ(I32At(b, r + 68), static_cast<int32_t>(data));
  EXPECT_EQ(BytesAt(b, text, 16), std::string("hello\0\0\0Arial\0\0\0", 16));
}

TEST(DrawingFileLayout, EmptyStringsWriteNoData) {
  struct Case {
    int16_t kind;
    int16_t valueCount;
  } cases[] = {{kText, 5}, {kLeaderText, 9}, {kImage, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    EntityList list;
    const std::vector<int16_t> codes(static_cast<std::size_t>(c.valueCount), 10);
    const std::vector<double> values(static_cast<std::size_t>(c.valueCount), 1.0);
    ASSERT_EQ(AddEntity({c.kind, 1, 0, 0, c.valueCount}, "Arial", list, codes.data(), 0, values.data(), ""), 0);
    const std::vector<uint8_t> b = WriteOrFail(list);
    const std::size_t r = RecordAt(2, 0);
    if (c.kind == kLeaderText) {
      EXPECT_EQ(b.size(), RecordAt(2, 1) + 20 + 72) << "codes and values only";
      EXPECT_EQ(F64At(b, r + 40), 0.0);
      EXPECT_EQ(F64At(b, r + 48), 0.0);
      EXPECT_EQ(I16At(b, r + 2), 100);
    } else {
      EXPECT_EQ(b.size(), RecordAt(2, 1));
      EXPECT_EQ(I32At(b, r + 64), 0);
      EXPECT_EQ(I32At(b, r + 68), 0);
      EXPECT_EQ(I16At(b, r + 2), c.kind == kText ? 100 : 1);
    }
  }
}

TEST(DrawingFileLayout, ImageAndGroupHeaderSlots) {
  EntityList list;
  const int16_t imageCodes[] = {10, 20, 11, 22};
  const double corners[] = {1, 2, 3, 4};
  ASSERT_EQ(AddEntity({kImage, 0, 0, 0, 4}, nullptr, list, imageCodes, 0, corners, "a.png"), 0);
  DrawEntity* header = testing::AddGroupHeader(list);
  header->values[0] = 7;
  header->values[2] = 1;
  const std::vector<uint8_t> b = WriteOrFail(list);
  const std::size_t image = RecordAt(2, 0);
  const double imageSlots[] = {1, 2, 0, 3, 4};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(F64At(b, image + 16 + 8 * static_cast<std::size_t>(i)), imageSlots[i]);
  EXPECT_EQ(I32At(b, image + 64), 8);
  EXPECT_EQ(BytesAt(b, RecordAt(2, 2), 8), std::string("a.png\0\0\0", 8));
  const std::size_t group = RecordAt(2, 1);
  EXPECT_EQ(I16At(b, group + 12), 1) << "the header's group number";
  EXPECT_EQ(F64At(b, group + 16), 7.0);
  EXPECT_EQ(F64At(b, group + 32), 1.0);
  EXPECT_EQ(I32At(b, group + 64), 0);
}

TEST(DrawingFileLayout, LongFontsAndLayerNamesAreCutAtACharacterBoundary) {
  std::string wideFont;
  for (int i = 0; i < 50; ++i) wideFont += "\x82\xa0";  // 100 bytes of double-byte characters
  std::string wideName = "a";
  for (int i = 0; i < 19; ++i) wideName += "\x82\xa0";  // 39 bytes: byte 38 would split a character
  EntityList list;
  testing::AddText(list, "x", wideFont.c_str());
  DrawingFileInfo info = TestFileInfo(1);
  info.layers.setName(0, wideName);
  const std::vector<uint8_t> b = WriteOrFail(list, info);
  EXPECT_EQ(BytesAt(b, 328, 39), wideName.substr(0, 37) + std::string(2, '\0'));
  const std::size_t r = RecordAt(1, 0);
  EXPECT_EQ(I16At(b, r + 2), 96) << "94 bytes of font padded to 96";

  EntityList read;
  DrawingFileInfo readInfo;
  ASSERT_EQ(ReadDrawingFile(b, readInfo, read, nullptr), 0);
  EXPECT_EQ(read.head->font.view(), wideFont.substr(0, 94));
  EXPECT_EQ(readInfo.layers.name(0), wideName.substr(0, 37));
}

TEST(DrawingFileLayout, NothingToStoreIsRefused) {
  std::vector<uint8_t> b{1, 2, 3};
  EntityList empty;
  EXPECT_EQ(WriteDrawingFile(b, TestFileInfo(), empty), 1);
  EXPECT_TRUE(b.empty());

  EntityList list;
  AddGrid(list);
  DrawingFileInfo selection = TestFileInfo();
  selection.selectionOnly = true;
  EXPECT_EQ(WriteDrawingFile(b, selection, list), 1) << "an empty selection stores nothing";
  list.head->mark = kMarkDeleted;
  EXPECT_EQ(WriteDrawingFile(b, TestFileInfo(), list), 1) << "a deleted element never comes back with the file";
}

}  // namespace
}  // namespace plenwick
