// Guards the reader against damaged and hostile files: whatever the bytes, reading must neither
// crash, hang, read outside the file nor allocate more than the file could describe, and must
// keep what can still be read.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <new>
#include <span>
#include <string>
#include <vector>

#include "model/drawing_file.h"
#include "model/drawing_file_format.h"
#include "model/entity_core.h"
#include "support/drawing_file_fixtures.h"
#include "support/entity_builders.h"

namespace plenwick {
namespace {

using testing::F64At;
using testing::I32At;
using testing::PutF64At;
using testing::PutI16At;
using testing::PutI32At;
using testing::RecordAt;
using testing::StoredElements;
using testing::TestFileInfo;
using testing::WriteOrFail;

// Record indexes of the sample drawing.
enum SampleRecord {
  kSampleGrid, kSamplePoint, kSampleLine, kSampleHLine, kSampleVLine, kSampleALine, kSampleBezier, kSampleFree,
  kSampleCircle, kSampleArc, kSampleText, kSampleLeader, kSampleDim, kSampleHeader, kSampleMember, kSamplePaint,
  kSampleHatch, kSampleImage, kSamplePolygon, kSampleCount
};
constexpr int kSampleLayers = 2;

// One small element of every kind, in SampleRecord order.
std::vector<uint8_t> SampleFile() {
  EntityList list;
  testing::AddGrid(list);
  auto add = [&](int16_t kind, std::vector<int16_t> codes, std::vector<double> values, const char* text = nullptr,
                 int16_t subKind = 0) {
    AddEntity({kind, subKind, 1, 0, static_cast<int16_t>(values.size())}, nullptr, list,
              codes.empty() ? nullptr : codes.data(), 0, values.data(), text);
  };
  add(kPoint, {10, 20}, {1, 2});
  add(kLine, {10, 20, 11, 22}, {0, 0, 10, 10});
  add(kHorizontalInfiniteLine, {10, 20, 11, 22}, {-999999.9, 5, 9999999.9, 5});
  add(kVerticalInfiniteLine, {10, 20, 11, 22}, {5, -999999.9, 5, 9999999.9});
  add(kAngledInfiniteLine, {10, 20, 11, 22}, {0, 0, 1, 1});
  add(kBezierCurve, {10, 20, 10, 20, 10, 20}, {0, 0, 5, 10, 10, 0});
  add(kFreeCurve, {}, {0, 0, 1, 1, 2, 0});
  add(kCircle, {10, 20, 40}, {5, 5, 3});
  add(kArc, {10, 20, 40, 50, 51}, {5, 5, 3, 0, 90}, nullptr, 1);
  add(kText, {10, 20, 30, 40, 50}, {1, 1, 5, 5, 0}, "text");
  add(kLeaderText, {10, 20, 30, 40, 50, 60, 61, 70, 71}, {1, 1, 5, 5, 0, 2, 2, 3, 3}, "leader", 3);
  add(kDimension, {30, 31, 32, 10, 40, 41}, {0, 0, 0, 12.5, 3, 4}, nullptr, 1);
  DrawEntity* header = testing::AddGroupHeader(list);
  const int16_t memberCodes[] = {10, 20, 40};
  const double member[] = {1, 1, 1};
  AddChildEntity({kCircle, 0, 0, 0, 3}, nullptr, list, memberCodes, 0, member, nullptr, header);
  add(kPaint, {0, 0, 10, 20, 10, 20, 10, 20}, {0, 0, 0, 0, 1, 0, 1, 1});
  add(kHatch, {2, 0, 0, 60, 61, 62, 63, 10, 20, 10, 20}, {5, 5, 0, 0, 0, 1, 1, 0, 0, 1, 1});
  add(kImage, {10, 20, 11, 22}, {0, 0, 4, 3}, "image.png");
  add(kPolygon, {}, {0, 0, 1, 0, 1, 1});
  EXPECT_EQ(StoredElements(list).size(), static_cast<std::size_t>(kSampleCount));
  return WriteOrFail(list, TestFileInfo(kSampleLayers));
}

std::size_t Record(int i) { return RecordAt(kSampleLayers, i); }

struct ReadResult {
  int rc = -1;
  std::size_t stored = 0;
  DrawingFileInfo info;
  std::string error;
};

ReadResult Read(const std::vector<uint8_t>& bytes) {
  ReadResult r;
  r.info.versionRead = -7;  // shows whether a refused read changed the info
  EntityList list;
  r.rc = ReadDrawingFile(bytes, r.info, list, nullptr, &r.error);
  r.stored = StoredElements(list).size();
  if (r.rc != 0) {
    EXPECT_TRUE(list.empty()) << "a refused file adds nothing";
  }
  // Whatever was read must survive being written and read again.
  if (r.rc == 0 && !list.empty()) {
    std::vector<uint8_t> again;
    EXPECT_EQ(WriteDrawingFile(again, r.info, list), 0);
    EntityList reread;
    DrawingFileInfo info;
    EXPECT_EQ(ReadDrawingFile(again, info, reread, nullptr), 0);
    EXPECT_EQ(StoredElements(reread).size(), r.stored);
  }
  return r;
}

TEST(DrawingFileHostile, BrokenHeadersAreRefusedWithAReason) {
  const std::vector<uint8_t> sample = SampleFile();
  auto patched = [&](auto change) {
    std::vector<uint8_t> b = sample;
    change(b);
    return b;
  };
  const std::size_t index = Record(0) - 12;
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"empty", {}},
      {"shorter than the header", std::vector<uint8_t>(sample.begin(), sample.begin() + 191)},
      {"wrong magic", patched([](auto& b) { b[1] = 'K'; })},
      {"version 0", patched([](auto& b) { b[158] = 0; })},
      {"version 4", patched([](auto& b) { b[158] = 4; })},
      {"block cut short", std::vector<uint8_t>(sample.begin(), sample.begin() + 300)},
      {"layer table cut short", std::vector<uint8_t>(sample.begin(), sample.begin() + 400)},
      {"index cut short", std::vector<uint8_t>(sample.begin(), sample.begin() + static_cast<std::ptrdiff_t>(index + 8))},
      {"more layers than the file holds", patched([](auto& b) { PutI32At(b, 192 + 132, 100000); })},
      {"huge layer count", patched([](auto& b) { PutI32At(b, 192 + 132, std::numeric_limits<int32_t>::max()); })},
      {"negative record count", patched([&](auto& b) { PutI32At(b, index + 8, -1); })},
      {"table beyond the file", patched([&](auto& b) { PutI32At(b, index + 4, 1 << 30); })},
      {"negative table offset", patched([&](auto& b) { PutI32At(b, index + 4, -72); })},
      {"old block cut short", patched([](auto& b) { b[158] = 1; b.resize(400); })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ReadResult r = Read(c.bytes);
    EXPECT_EQ(r.rc, 1);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(r.info.versionRead, -7) << "the info is left as it was";
  }
}

TEST(DrawingFileHostile, EveryTruncationLoadsWhatItStillHolds) {
  const std::vector<uint8_t> sample = SampleFile();
  const std::size_t table = Record(0);
  for (std::size_t n = 0; n <= sample.size(); ++n) {
    SCOPED_TRACE(n);
    const ReadResult r = Read(std::vector<uint8_t>(sample.begin(), sample.begin() + static_cast<std::ptrdiff_t>(n)));
    ASSERT_EQ(r.rc, n < table ? 1 : 0);
    if (r.rc == 0) {
      EXPECT_EQ(r.stored + static_cast<std::size_t>(r.info.skippedRecords), static_cast<std::size_t>(kSampleCount));
    }
  }
  EXPECT_EQ(Read(sample).stored, static_cast<std::size_t>(kSampleCount));
}

TEST(DrawingFileHostile, FlippedBitsNeverBreakTheReader) {
  const std::vector<uint8_t> sample = SampleFile();
  for (std::size_t i = 0; i < sample.size(); ++i) {
    for (const uint8_t mask : {static_cast<uint8_t>(1u << (i % 8)), uint8_t{0xFF}}) {
      std::vector<uint8_t> b = sample;
      b[i] ^= mask;
      Read(b);
      if (::testing::Test::HasFailure()) FAIL() << "byte " << i << " mask " << int{mask};
    }
  }
}

TEST(DrawingFileHostile, DamagedRecordsAreSkippedAndTheRestIsRead) {
  const std::vector<uint8_t> sample = SampleFile();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* what;
    std::size_t at;   // field to patch
    int width;        // 2, 4 or 8 (a double)
    double value;
    int skipped;      // records expected to be skipped
  } cases[] = {
      {"NaN point", Record(kSamplePoint) + 16, 8, nan, 1},
      {"unknown kind", Record(kSamplePoint), 2, 99, 1},
      {"layer beyond 127", Record(kSampleLine) + 6, 2, 500, 1},
      {"negative layer", Record(kSampleLine) + 6, 2, -1, 1},
      {"NaN line end", Record(kSampleLine) + 16 + 24, 8, nan, 1},
      {"line end out of range", Record(kSampleLine) + 16 + 32, 8, 1.0e12, 1},
      {"infinite radius", Record(kSampleCircle) + 16 + 16, 8, inf, 1},
      {"NaN text angle", Record(kSampleText) + 16 + 32, 8, nan, 1},
      {"curve count beyond the file", Record(kSampleFree) + 64, 4, 1.0e9, 1},
      {"curve count beyond int16", Record(kSampleFree) + 64, 4, 40000, 1},
      {"negative curve count", Record(kSampleFree) + 64, 4, -1, 1},
      {"curve data beyond the file", Record(kSampleFree) + 68, 4, 1.0e9, 1},
      {"negative data offset", Record(kSampleBezier) + 68, 4, -8, 1},
      {"text count beyond the file", Record(kSampleText) + 64, 4, 1.0e9, 1},
      {"negative text count", Record(kSampleText) + 64, 4, -4, 1},
      {"leader with 300 values", Record(kSampleLeader) + 16, 8, 300, 1},
      {"leader with 5 values", Record(kSampleLeader) + 16, 8, 5, 1},
      {"leader with NaN values", Record(kSampleLeader) + 16, 8, nan, 1},
      {"leader codes beyond the file", Record(kSampleLeader) + 24, 8, 1.0e300, 1},
      {"leader text at a negative offset", Record(kSampleLeader) + 48, 8, -1, 1},
      {"leader text longer than the file", Record(kSampleLeader) + 40, 8, 1.0e9, 1},
      {"image path beyond the file", Record(kSampleImage) + 64, 4, 1.0e6, 1},
      {"group header with an infinite reference", Record(kSampleHeader) + 16, 8, -inf, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> b = sample;
    if (c.width == 2) PutI16At(b, c.at, static_cast<int16_t>(c.value));
    if (c.width == 4) PutI32At(b, c.at, static_cast<int32_t>(c.value));
    if (c.width == 8) PutF64At(b, c.at, c.value);
    const ReadResult r = Read(b);
    ASSERT_EQ(r.rc, 0) << r.error;
    EXPECT_EQ(r.info.skippedRecords, c.skipped);
    EXPECT_EQ(r.stored, static_cast<std::size_t>(kSampleCount - c.skipped));
  }
}

TEST(DrawingFileHostile, ValuesThatAreNoNumbersSkipTheirElementExceptTheDimensionField) {
  const std::vector<uint8_t> sample = SampleFile();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // The polygon's doubles start at its data offset; the dimension's after 6 codes padded to 16 bytes.
  std::vector<uint8_t> polygon = sample;
  PutF64At(polygon, static_cast<std::size_t>(I32At(sample, Record(kSamplePolygon) + 68)) + 8, nan);
  EXPECT_EQ(Read(polygon).info.skippedRecords, 1);

  std::vector<uint8_t> dim = sample;
  const std::size_t packed = static_cast<std::size_t>(I32At(sample, Record(kSampleDim) + 68)) + 16;
  PutF64At(dim, packed, nan);
  ReadResult kept = Read(dim);
  EXPECT_EQ(kept.info.skippedRecords, 0) << "the first value of a dimension is a packed field";
  PutF64At(dim, packed + 8, nan);
  EXPECT_EQ(Read(dim).info.skippedRecords, 1) << "its other values are numbers";
}

TEST(DrawingFileHostile, RecordCountBeyondTheFileIsClamped) {
  std::vector<uint8_t> b = SampleFile();
  PutI32At(b, Record(0) - 4, std::numeric_limits<int32_t>::max());
  const ReadResult r = Read(b);
  ASSERT_EQ(r.rc, 0);
  // The data area is read as records too; what matters is that nothing is lost and nothing breaks.
  EXPECT_GE(r.stored, static_cast<std::size_t>(kSampleCount));
  EXPECT_GT(r.info.skippedRecords, 1000000);
}

TEST(DrawingFileHostile, LayerTableOddities) {
  // More than 128 layers stored: the index still follows all of them.
  EntityList list;
  testing::AddGrid(list);
  testing::AddLine(list, 0, 0, 1, 1);
  std::vector<uint8_t> b = WriteOrFail(list, TestFileInfo(128));
  const std::size_t index = RecordAt(128, 0) - 12;
  b.insert(b.begin() + static_cast<std::ptrdiff_t>(index), 80, uint8_t{'x'});
  PutI32At(b, 192 + 132, 130);
  PutI32At(b, index + 80 + 4, I32At(b, index + 80 + 4) + 80);
  b[328 + 39] = 200;                  // unknown state
  PutI16At(b, 174, 5000);             // current layer out of range
  PutF64At(b, 192, std::nan(""));     // area
  ReadResult r = Read(b);
  ASSERT_EQ(r.rc, 0) << r.error;
  EXPECT_EQ(r.stored, 2u);
  EXPECT_EQ(r.info.layers.layerCount, 128);
  EXPECT_EQ(r.info.layers.states[0], kLayerOffColour);
  EXPECT_EQ(r.info.layers.currentLayer, 127);
  EXPECT_EQ(r.info.areaMin[0], 0.0);

  // A negative count is no layer at all.
  std::vector<uint8_t> none = WriteOrFail(list, TestFileInfo(0));
  PutI32At(none, 192 + 132, -5);
  PutI16At(none, 174, -3);
  r = Read(none);
  ASSERT_EQ(r.rc, 0) << r.error;
  EXPECT_EQ(r.info.layers.layerCount, 0);
  EXPECT_EQ(r.info.layers.currentLayer, 0);
  EXPECT_EQ(r.info.layers.name(0), "");
}

TEST(DrawingFileHostile, RecordsSharingOneLongArrayCannotMultiplyMemory) {
  EntityList list;
  const std::vector<double> values(30000, 1.0);
  ASSERT_EQ(AddEntity({kPolygon, 0, 0, 0, 30000}, nullptr, list, nullptr, 0, values.data(), nullptr), 0);
  for (int i = 0; i < 999; ++i) testing::AddLine(list, 0, 0, 1, 1);
  std::vector<uint8_t> b = WriteOrFail(list);
  // Every record now claims the same 240 kB array.
  for (int i = 1; i < 1000; ++i) {
    std::copy_n(b.begin() + static_cast<std::ptrdiff_t>(RecordAt(2, 0)), 72,
                b.begin() + static_cast<std::ptrdiff_t>(RecordAt(2, i)));
  }
  const ReadResult r = Read(b);
  ASSERT_EQ(r.rc, 0);
  EXPECT_EQ(r.stored, 1u);
  EXPECT_EQ(r.info.skippedRecords, 999);
}

// A source whose memory runs out once the element data is read.
class MemoryRunsOut final : public pwk::DrawingSource {
 public:
  explicit MemoryRunsOut(std::span<const uint8_t> bytes) : DrawingSource(bytes.size()), bytes_(bytes) {}
  std::span<const uint8_t> Bytes(Stream stream, uint64_t offset, std::size_t n) override {
    if (stream == kData) throw std::bad_alloc();
    return bytes_.subspan(static_cast<std::size_t>(offset), n);
  }

 private:
  std::span<const uint8_t> bytes_;
};

TEST(DrawingFileHostile, RunningOutOfMemoryLoadsNothingAndSaysSo) {
  // A file too large for the memory left must be refused like any unreadable file, not end the
  // program or leave half a drawing in the list.
  EntityList stored;
  testing::AddLine(stored, 0, 0, 1, 1);
  const double curve[] = {0, 0, 1, 1, 2, 0};
  AddEntity({kFreeCurve, 0, 0, 0, 6}, nullptr, stored, nullptr, 0, curve, nullptr);
  const std::vector<uint8_t> bytes = WriteOrFail(stored);
  EntityList list;
  DrawEntity* before = testing::AddGroupHeader(list);
  const int nextGroupNo = list.nextGroupNo;
  MemoryRunsOut source(bytes);
  DrawingFileInfo info;
  std::string error;
  EXPECT_EQ(pwk::ReadDrawing(source, info, list, nullptr, &error), 1);
  EXPECT_EQ(error, "There is not enough memory to read the drawing.");
  EXPECT_EQ(list.size(), 1u);
  EXPECT_EQ(list.tail, before);
  EXPECT_EQ(list.nextGroupNo, nextGroupNo);
}

TEST(DrawingFileHostile, MoreHeadersThanGroupNumbersAllLoad) {
  // Headers read from a file keep their stored numbers: reading must not draw numbers from the
  // list's counter, which runs out after 32767 and would refuse the rest.
  EntityList stored;
  const int16_t codes[] = {10, 20, 0, 0};
  const double values[] = {0, 0, 0, 0};
  for (int i = 0; i < 40000; ++i) {
    ASSERT_EQ(AddStoredEntity({kGroupHeader, 0, 0, 0, 4}, nullptr, stored, codes, 0, values, nullptr,
                              static_cast<int16_t>(i % 32767 + 1)),
              0);
  }
  const ReadResult r = Read(WriteOrFail(stored));
  ASSERT_EQ(r.rc, 0);
  EXPECT_EQ(r.stored, 40000u);
  EXPECT_EQ(r.info.skippedRecords, 0);
}

TEST(DrawingFileHostile, HeadersSharingANumberFormNoOwnerCycle) {
  EntityList list;
  DrawEntity* a = testing::AddGroupHeader(list);
  DrawEntity* b = testing::AddGroupHeader(list);
  DrawEntity* member = testing::AddLine(list, 0, 0, 1, 1);
  b->groupNo = a->groupNo;
  member->groupNo = a->groupNo;
  EntityList loaded;
  DrawingFileInfo info;
  ASSERT_EQ(ReadDrawingFile(WriteOrFail(list), info, loaded, nullptr), 0);
  for (const DrawEntity& e : loaded) {
    const DrawEntity* o = &e;
    for (std::size_t steps = 0; o; o = o->owner) ASSERT_LE(++steps, loaded.size()) << "owner links loop";
  }
  EXPECT_EQ(loaded.tail->owner, EntityAt(loaded, 1)) << "the last header owns the group";
  EXPECT_EQ(EntityAt(loaded, 0)->owner, EntityAt(loaded, 1));
  EXPECT_EQ(EntityAt(loaded, 1)->owner, nullptr);
}

}  // namespace
}  // namespace plenwick
