// Guards loading drawings from disk a piece at a time and saving them as a stream: a file read
// from disk must give exactly what the same bytes give in memory, whatever damage they carry; a
// saved file must hold exactly the bytes written in memory; and a file that cannot be read to its
// end must leave the drawing as it was.
#include <gtest/gtest.h>


#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "model/drawing_file.h"
#include "model/drawing_file_format.h"
#include "model/entity_core.h"
#include "model/snap_point_list.h"
#include "support/drawing_file_fixtures.h"
#include "support/entity_builders.h"
#include "support/scoped_temp_folder.h"

namespace plenwick {
namespace {

using testing::ExpectSameStoredElements;
using testing::I32At;
using testing::PutI32At;
using testing::RandomDrawing;
using testing::RecordAt;
using testing::ScopedTempFolder;
using testing::StoredElements;
using testing::TestDimensionParts;
using testing::TestFileInfo;
using testing::WriteBytes;
using testing::WriteOrFail;

constexpr int kLayers = 2;

// A drawing whose file spans many read windows and holds data pieces larger than a window.
std::vector<uint8_t> LargeFile(uint32_t seed, int elements) {
  EntityList list;
  RandomDrawing(seed).Fill(list, elements);
  ClearOrphanGroupNumbers(list);
  return WriteOrFail(list, TestFileInfo(kLayers));
}

int RecordCount(const std::vector<uint8_t>& b) { return I32At(b, RecordAt(kLayers, 0) - 4); }
std::size_t CountAt(int i) { return RecordAt(kLayers, i) + 64; }
std::size_t OffsetAt(int i) { return RecordAt(kLayers, i) + 68; }

struct Loaded {
  int rc = -1;
  std::string error;
  DrawingFileInfo info;
  EntityList list;
};

void ExpectSameLoad(const Loaded& fromDisk, const Loaded& inMemory) {
  ASSERT_EQ(fromDisk.rc, inMemory.rc);
  EXPECT_EQ(fromDisk.error, inMemory.error);
  EXPECT_EQ(fromDisk.info.skippedRecords, inMemory.info.skippedRecords);
  EXPECT_EQ(fromDisk.info.versionRead, inMemory.info.versionRead);
  EXPECT_EQ(fromDisk.list.size(), inMemory.list.size());
  EXPECT_EQ(fromDisk.list.nextGroupNo, inMemory.list.nextGroupNo);
  ExpectSameStoredElements(fromDisk.list, inMemory.list);
}

void LoadBothWays(const ScopedTempFolder& folder, const std::vector<uint8_t>& bytes, Loaded& fromDisk,
                  Loaded& inMemory) {
  const std::string path = folder / "drawing.pwk";
  WriteBytes(path, bytes);
  fromDisk.rc = LoadDrawingFile(path, fromDisk.info, fromDisk.list, nullptr, &fromDisk.error);
  inMemory.rc = ReadDrawingFile(bytes, inMemory.info, inMemory.list, nullptr, &inMemory.error);
}

TEST(DrawingFileStreaming, DiskAndMemoryReadTheSameWhateverTheDamage) {
  TestDimensionParts parts;
  ScopedTempFolder folder;
  const std::vector<uint8_t> sample = LargeFile(7, 3000);
  const int records = RecordCount(sample);
  ASSERT_GT(sample.size(), std::size_t{1} << 20) << "the file must span many windows";
  auto patched = [&](auto change) {
    std::vector<uint8_t> b = sample;
    change(b);
    return b;
  };
  // Records with data, to point elsewhere.
  std::vector<int> withData;
  for (int i = 0; i < records; ++i) {
    if (I32At(sample, CountAt(i)) > 0 && I32At(sample, OffsetAt(i)) > 0) withData.push_back(i);
  }
  ASSERT_GT(withData.size(), 200u);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"as written", sample},
      {"cut in the table", std::vector<uint8_t>(sample.begin(), sample.begin() + static_cast<std::ptrdiff_t>(
                                                                          RecordAt(kLayers, records / 2) + 13))},
      {"cut in the data", std::vector<uint8_t>(sample.begin(), sample.end() - 5000)},
      {"data read back to front", patched([&](auto& b) {
         // Pairs of records swap their data, so that the data is read jumping backwards.
         for (std::size_t k = 0; k + 1 < withData.size(); k += 2) {
           const int32_t a = I32At(b, OffsetAt(withData[k]));
           PutI32At(b, OffsetAt(withData[k]), I32At(b, OffsetAt(withData[k + 1])));
           PutI32At(b, OffsetAt(withData[k + 1]), a);
         }
       })},
      {"data a few times back", patched([&](auto& b) {
         for (std::size_t k = 10; k < 20; ++k) PutI32At(b, OffsetAt(withData[k]), I32At(b, OffsetAt(withData[0])));
       })},
      {"data inside the table and the header", patched([&](auto& b) {
         for (std::size_t k = 0; k < withData.size(); k += 3) {
           PutI32At(b, OffsetAt(withData[k]), static_cast<int32_t>(k % 2 ? RecordAt(kLayers, 5) : 100));
         }
       })},
      {"data beyond the file", patched([&](auto& b) { PutI32At(b, OffsetAt(withData[3]), 0x7FFFFFF0); })},
      {"more records than the file holds", patched([&](auto& b) { PutI32At(b, RecordAt(kLayers, 0) - 4, records * 3); })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Loaded fromDisk, inMemory;
    LoadBothWays(folder, c.bytes, fromDisk, inMemory);
    ExpectSameLoad(fromDisk, inMemory);
  }
}

TEST(DrawingFileStreaming, FlippedBitsReadTheSameFromDisk) {
  ScopedTempFolder folder;
  const std::vector<uint8_t> sample = LargeFile(11, 1500);
  std::mt19937 rng(3);
  for (int round = 0; round < 12; ++round) {
    SCOPED_TRACE(round);
    std::vector<uint8_t> b = sample;
    // Flips in the header blocks as well as anywhere in the table and data.
    for (int flip = 0; flip < 40; ++flip) {
      const std::size_t at = flip < 4 ? rng() % RecordAt(kLayers, 0) : rng() % b.size();
      b[at] = static_cast<uint8_t>(b[at] ^ (1u << (rng() % 8)));
    }
    Loaded fromDisk, inMemory;
    LoadBothWays(folder, b, fromDisk, inMemory);
    ExpectSameLoad(fromDisk, inMemory);
  }
}

TEST(DrawingFileStreaming, SavedFileHoldsTheBytesWrittenInMemory) {
  ScopedTempFolder folder;
  EntityList list;
  RandomDrawing(5).Fill(list, 4000);
  // One piece of data larger than the buffer a save goes through.
  const std::string longPath(700000, 'p');
  const int16_t codes[] = {10, 20, 11, 22};
  const double values[] = {0, 0, 4, 3};
  AddEntity({kImage, 0, 0, 0, 4}, nullptr, list, codes, 0, values, longPath.c_str());
  ClearOrphanGroupNumbers(list);
  for (const bool selectionOnly : {false, true}) {
    SCOPED_TRACE(selectionOnly ? "selection" : "everything");
    int i = 0;
    for (DrawEntity& e : list) e.mark = (++i % 3 == 0) ? kMarkSelected : kMarkNone;
    DrawingFileInfo info = TestFileInfo(kLayers);
    info.selectionOnly = selectionOnly;
    const std::string path = folder / "saved.pwk";
    std::string error;
    ASSERT_EQ(SaveDrawingFile(path, info, list, &error), 0) << error;
    std::vector<uint8_t> written;
    ASSERT_EQ(WriteDrawingFile(written, info, list), 0);
    EXPECT_TRUE(testing::ReadBytes(path) == written);
  }
}

// Hands out the bytes of a file in memory until a given read, which fails as a vanished disk would.
class FailingSource final : public pwk::DrawingSource {
 public:
  FailingSource(std::span<const uint8_t> bytes, int failAt) : DrawingSource(bytes.size()), inner_(bytes), left_(failAt) {}
  std::span<const uint8_t> Bytes(Stream stream, uint64_t offset, std::size_t n) override {
    if (--left_ < 0) {
      SetFailed("cannot read the drawing: the disk went away");
      return {};
    }
    return inner_.Bytes(stream, offset, n);
  }

 private:
  pwk::MemorySource inner_;
  int left_;
};

TEST(DrawingFileStreaming, AReadFailingMidwayLeavesTheDrawingAsItWas) {
  SnapPointRegistrar previous = InstallSnapPointRegistrar(
      [](SnapPointList& points, EntityList&, DrawEntity& added) { points.Add(&added, kSnapPoint, 0, 0); });
  const std::vector<uint8_t> sample = LargeFile(9, 300);
  for (const int failAt : {0, 1, 2, 3, 4, 10, 200, 400, 600}) {
    SCOPED_TRACE(failAt);
    EntityList list;
    SnapPointList points;
    DrawEntity* grid = testing::AddGrid(list);
    DrawEntity* header = testing::AddGroupHeader(list);
    points.Add(grid, kSnapPoint, 0, 0);
    const int nextGroupNo = list.nextGroupNo;
    DrawingFileInfo info;
    info.versionRead = -7;
    std::string error;
    FailingSource source(sample, failAt);
    EXPECT_EQ(pwk::ReadDrawing(source, info, list, &points, &error), 1);
    EXPECT_EQ(error, "cannot read the drawing: the disk went away");
    EXPECT_EQ(info.versionRead, -7);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.head, grid);
    EXPECT_EQ(list.tail, header);
    EXPECT_EQ(list.nextGroupNo, nextGroupNo);
    EXPECT_EQ(points.size(), 1u) << "the points of the elements taken out go with them";
  }
  {
    SCOPED_TRACE("never failing");
    EntityList list;
    SnapPointList points;
    DrawingFileInfo info;
    FailingSource source(sample, 1 << 30);
    EXPECT_EQ(pwk::ReadDrawing(source, info, list, &points, nullptr), 0);
    EXPECT_EQ(points.size(), list.size());
  }
  InstallSnapPointRegistrar(previous);
}

}  // namespace
}  // namespace plenwick
