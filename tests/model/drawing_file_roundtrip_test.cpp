// Guards saving and loading drawings: an element that changes, vanishes or doubles on the way
// through a file is lost work, so every kind goes through save and load and must come back equal,
// and a second save must give the very same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "model/snap_point_list.h"
#include "support/drawing_file_fixtures.h"
#include "support/entity_builders.h"

namespace plenwick {
namespace {

using testing::AddGrid;
using testing::AddGroupHeader;
using testing::AddLine;
using testing::AddText;
using testing::ExpectSameStoredElements;
using testing::RandomDrawing;
using testing::StoredElements;
using testing::TestDimensionParts;
using testing::TestFileInfo;
using testing::WriteOrFail;

// Writes `list` and reads the bytes back into `out`.
DrawingFileInfo RoundTrip(EntityList& list, EntityList& out, const DrawingFileInfo& info = TestFileInfo(),
                          SnapPointList* points = nullptr) {
  ClearOrphanGroupNumbers(list);
  const std::vector<uint8_t> bytes = WriteOrFail(list, info);
  DrawingFileInfo read;
  std::string error;
  EXPECT_EQ(ReadDrawingFile(bytes, read, out, points, &error), 0) << error;
  return read;
}

std::size_t CountParts(const EntityList& list) {
  std::size_t n = 0;
  for (const DrawEntity& e : list) n += IsDimensionPart(e) ? 1 : 0;
  return n;
}

TEST(DrawingFileRoundTrip, RandomDrawingsComeBackEqualAndSaveToTheSameBytes) {
  TestDimensionParts parts;
  std::set<int> kinds;
  std::size_t longestText = 0;
  for (uint32_t seed = 1; seed <= 25; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    EntityList list;
    RandomDrawing(seed).Fill(list, 80);
    ClearOrphanGroupNumbers(list);
    for (const DrawEntity& e : list) {
      kinds.insert(e.kind);
      longestText = std::max(longestText, e.text.view().size());
    }
    DrawingFileInfo info = TestFileInfo(seed == 1 ? 128 : static_cast<int>(seed % 9));
    info.layers.currentLayer = static_cast<int16_t>(seed % 7);
    const std::vector<uint8_t> first = WriteOrFail(list, info);

    EntityList loaded;
    DrawingFileInfo read;
    ASSERT_EQ(ReadDrawingFile(first, read, loaded, nullptr), 0);
    EXPECT_EQ(read.versionRead, 3);
    EXPECT_EQ(read.skippedRecords, 0);
    ExpectSameStoredElements(list, loaded);
    EXPECT_EQ(CountParts(loaded), CountParts(list)) << "dimension parts are regenerated";
    EXPECT_EQ(read.layers.layerCount, info.layers.layerCount);
    EXPECT_EQ(read.layers.currentLayer, info.layers.currentLayer);
    EXPECT_EQ(read.areaMax, info.areaMax);
    EXPECT_EQ(read.drawingValues.displayColour(7), info.drawingValues.displayColour(7));

    EXPECT_EQ(WriteOrFail(loaded, read), first);
  }
  EXPECT_EQ(kinds, (std::set<int>{10, 11, 20, 21, 22, 23, 24, 26, 30, 31, 40, 41, 50, 60, 70, 71, 80, 90}))
      << "every kind went through the file";
  EXPECT_GT(longestText, 300u);
}

TEST(DrawingFileRoundTrip, DimensionPartsAreLeftOutAndRegenerated) {
  TestDimensionParts parts;
  EntityList list;
  AddGrid(list);
  const int16_t codes[] = {30, 31, 32, 10, 40, 41};
  const double values[] = {0, 0, 0, 12.5, 3, 4};
  DrawEntity* dim = nullptr;
  ASSERT_EQ(AddEntity({kDimension, 1, 3, 0, 6}, nullptr, list, codes, 0, values, nullptr, &dim), 0);
  ASSERT_EQ(list.size(), 3u);
  const std::vector<uint8_t> bytes = WriteOrFail(list);
  EXPECT_EQ(testing::I32At(bytes, testing::RecordAt(2, 0) - 4), 2) << "two records: grid and dimension";

  EntityList loaded;
  DrawingFileInfo read;
  ASSERT_EQ(ReadDrawingFile(bytes, read, loaded, nullptr), 0);
  ASSERT_EQ(loaded.size(), 3u);
  EXPECT_EQ(loaded.tail->owner, loaded.tail->prev) << "the part is owned by the loaded dimension";
  EXPECT_EQ(loaded.tail->kind, kLine);
}

TEST(DrawingFileRoundTrip, GroupWhoseHeaderWasMovedKeepsItsMembers) {
  EntityList list;
  AddGrid(list);
  AddGroupHeader(list);  // group 1, dissolved below
  DrawEntity* header = AddGroupHeader(list);
  const int16_t codes[] = {10, 20, 11, 22};
  const double values[] = {0, 0, 1, 1};
  DrawEntity* a = nullptr;
  DrawEntity* b = nullptr;
  AddChildEntity({kLine, 0, 0, 0, 4}, nullptr, list, codes, 0, values, nullptr, header, &a);
  AddChildEntity({kLine, 0, 0, 0, 4}, nullptr, list, codes, 0, values, nullptr, header, &b);
  header->mark = kMarkPicked;
  SendMarkedToBack(list);
  ASSERT_EQ(list.tail, header);

  EntityList loaded;
  RoundTrip(list, loaded);
  ASSERT_EQ(loaded.size(), 5u);
  DrawEntity* loadedHeader = loaded.tail;
  EXPECT_EQ(loadedHeader->groupNo, 2);
  EXPECT_EQ(loadedHeader->owner, nullptr);
  EXPECT_EQ(EntityAt(loaded, 2)->owner, loadedHeader);
  EXPECT_EQ(EntityAt(loaded, 3)->owner, loadedHeader);
  EXPECT_EQ(EntityAt(loaded, 1)->groupNo, 1) << "a header keeps its number even without members";
  EXPECT_EQ(AddGroupHeader(loaded)->groupNo, 3) << "new groups never take a loaded number";
}

TEST(DrawingFileRoundTrip, GroupCounterNeverMovesBackwards) {
  struct Case {
    int before;
    int expected;
  } cases[] = {{1, 10}, {20, 20}};
  for (const Case& c : cases) {
    EntityList list;
    AddGroupHeader(list)->groupNo = 5;
    AddGroupHeader(list)->groupNo = 9;
    EntityList loaded;
    loaded.nextGroupNo = c.before;
    RoundTrip(list, loaded);
    EXPECT_EQ(loaded.nextGroupNo, c.expected) << c.before;
  }
}

TEST(DrawingFileRoundTrip, SelectionOnlyStoresMarkedElementsWithoutDimensionParts) {
  TestDimensionParts parts;
  EntityList list;
  AddGrid(list);
  DrawEntity* picked = AddLine(list, 1, 1, 2, 2);
  AddLine(list, 3, 3, 4, 4);
  const int16_t codes[] = {30, 40, 41};
  const double values[] = {0, 5, 6};
  DrawEntity* dim = nullptr;
  AddEntity({kDimension, 0, 0, 0, 3}, nullptr, list, codes, 0, values, nullptr, &dim);
  for (DrawEntity& e : list) {
    if (&e == picked || &e == dim || IsDimensionPart(e)) e.mark = kMarkSelected;
  }
  DrawingFileInfo info = TestFileInfo();
  info.selectionOnly = true;
  EntityList loaded;
  RoundTrip(list, loaded, info);
  ASSERT_EQ(StoredElements(loaded).size(), 2u);
  EXPECT_EQ(loaded.head->kind, kLine);
  EXPECT_EQ(loaded.head->values[0], 1.0);
  EXPECT_EQ(loaded.head->mark, kMarkNone) << "marks are never stored";
  EXPECT_EQ(loaded.head->next->kind, kDimension);
  EXPECT_EQ(CountParts(loaded), 1u) << "only the regenerated part";
}

TEST(DrawingFileRoundTrip, LongTextsAndImagePathsSurvive) {
  const std::size_t textLengths[] = {1, 3, 4, 126, 127, 128, 1000};
  const std::size_t pathLengths[] = {1, 99, 100, 255, 256, 2000};
  EntityList list;
  for (std::size_t n : textLengths) {
    AddText(list, std::string(n, 't').c_str());
    const int16_t codes[] = {10, 20, 30, 40, 50, 60, 61, 70, 71};
    const double values[] = {1, 2, 5, 5, 0, 3, 4, 6, 7};
    AddEntity({kLeaderText, 3, 0, 0, 9}, nullptr, list, codes, 0, values, std::string(n, 'l').c_str());
  }
  for (std::size_t n : pathLengths) {
    const int16_t codes[] = {10, 20, 11, 22};
    const double values[] = {0, 0, 10, 10};
    AddEntity({kImage, 0, 0, 0, 4}, nullptr, list, codes, 0, values, std::string(n, 'p').c_str());
  }
  EntityList loaded;
  RoundTrip(list, loaded);
  ExpectSameStoredElements(list, loaded);
}

TEST(DrawingFileRoundTrip, TextFieldsThatTheFormatBends) {
  // Each case: what was saved, and what a load gives back.
  struct Case {
    double width;
    int16_t subKind;
    const char* text;
    double loadedWidth;
    int16_t loadedSubKind;
    std::string_view loadedFont;
  } cases[] = {
      {1.0, 0, "a", 5.0, 0, "Arial"},            // a width below 1.5 is read as the height
      {1.5, 0, "a", 1.5, 0, "Arial"},
      {4.0, -5, "a", 4.0, -5, "Arial"},          // negative options survive
      {4.0, 400, "a", 4.0, 326, "Arial"},        // beyond what the shared field can hold
      {4.0, 2, "", 4.0, 2, kDefaultFontSjis},    // an empty text stores no font
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.subKind);
    EntityList list;
    const int16_t codes[] = {10, 20, 30, 40, 50};
    const double values[] = {0, 0, 5.0, c.width, 0};
    ASSERT_EQ(AddEntity({kText, c.subKind, 0, 0, 5}, "Arial", list, codes, 0, values, c.text), 0);
    EntityList loaded;
    RoundTrip(list, loaded);
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded.head->values[3], c.loadedWidth);
    EXPECT_EQ(loaded.head->subKind, c.loadedSubKind);
    EXPECT_EQ(loaded.head->text.view(), c.text);
    EXPECT_FALSE(loaded.head->text.IsNull());
    EXPECT_EQ(loaded.head->font.view(), c.loadedFont);
  }
  // A text saved with an empty font name is read with the default face, not with no face.
  EntityList list;
  const int16_t codes[] = {10, 20, 30, 40, 50};
  const double values[] = {0, 0, 5.0, 5.0, 0};
  ASSERT_EQ(AddEntity({kText, 0, 0, 0, 5}, "", list, codes, 0, values, "a"), 0);
  EntityList loaded;
  RoundTrip(list, loaded);
  ASSERT_EQ(loaded.size(), 1u);
  EXPECT_EQ(loaded.head->font.view(), kDefaultFontSjis);
}

TEST(DrawingFileRoundTrip, SnapPointsAreRegisteredForEveryLoadedElement) {
  std::vector<const DrawEntity*> registered;
  SnapPointRegistrar previous = InstallSnapPointRegistrar(
      [&](SnapPointList& points, EntityList&, DrawEntity& added) {
        registered.push_back(&added);
        points.Add(&added, kSnapPoint, 0, 0);
      });
  EntityList list;
  AddGrid(list);
  AddLine(list, 0, 0, 1, 1);
  AddText(list, "t");
  SnapPointList points;
  EntityList loaded;
  RoundTrip(list, loaded, TestFileInfo(), &points);
  EXPECT_EQ(registered.size(), 3u);
  EXPECT_EQ(points.size(), 3u);
  registered.clear();
  EntityList withoutPoints;
  RoundTrip(list, withoutPoints);
  EXPECT_TRUE(registered.empty());
  InstallSnapPointRegistrar(previous);
}

TEST(DrawingFileRoundTrip, PartsFilesReadIntoTheirOwnList) {
  EntityList list;
  AddLine(list, 0, 0, 5, 5);
  const std::vector<uint8_t> bytes = WriteOrFail(list);
  EntityList parts;
  DrawingFileInfo info;
  ASSERT_EQ(ReadPartsFile(bytes, info, parts), 0);
  ExpectSameStoredElements(list, parts);
}

}  // namespace
}  // namespace plenwick
