// Layout of the drawing file and the pieces its writer and its readers of every version share.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "model/drawing_file.h"
#include "platform/byte_io.h"

namespace plenwick {

class SnapPointList;

namespace pwk {

// Block sizes (bytes).
inline constexpr std::size_t kHeaderSize = 192;
inline constexpr std::size_t kBlockSize = 136;       // version 3: boxes, colours, 1, L
inline constexpr std::size_t kLayerEntrySize = 40;   // name field, then the state byte
inline constexpr std::size_t kLayerNameField = 39;   // at most 38 bytes + NUL
inline constexpr std::size_t kIndexSize = 12;
inline constexpr std::size_t kRecordSize = 72;
inline constexpr std::size_t kOldBlockSize = 320;    // versions 1 and 2
inline constexpr std::size_t kOldRecordSize = 48;

// Offsets inside the version-3 drawing block.
inline constexpr std::size_t kBlockColours = 96;
inline constexpr std::size_t kBlockOne = 128;
inline constexpr std::size_t kBlockLayerCount = 132;
// Offsets inside the old 320-byte block.
inline constexpr std::size_t kOldBlockValues = 48;
inline constexpr std::size_t kOldBlockStates = 164;
inline constexpr int kOldLayerCount = 20;
inline constexpr int32_t kOldDefaultLastColour = 0x9A9A9A;

inline constexpr int kMaxStoredLayers = 128;
// The padded font length shares an int16 with subKind x 100, so it must stay below 100: the
// longest font whose padded length (k - k mod 4 + 4) fits is 95 bytes.
inline constexpr std::size_t kMaxFontBytes = 95;
inline constexpr int kMaxTextSubKind = 326;  // 326 x 100 + 96 still fits an int16
inline constexpr int kMaxLeaderValues = 255;
inline constexpr int kMinLeaderValues = 9;  // x, y, height, width, angle, start and bend points

// A code array of n entries occupies 2n - (2n mod 4) + 4 bytes (2 or 4 bytes of zero padding).
inline constexpr std::size_t PaddedCodeBytes(std::size_t n) { return 2 * n - (2 * n) % 4 + 4; }
// A string of k bytes (without NUL) occupies k - (k mod 4) + 4 bytes, so at least one NUL.
inline constexpr std::size_t PaddedStringBytes(std::size_t k) { return k - k % 4 + 4; }

// Kinds 40 and 41 keep subKind x 100 + padded font length in one int16. A negative subKind
// takes a negative font length so that division and remainder (both toward zero) undo it.
inline int16_t EncodeTextSubKind(int subKind, std::size_t paddedFont) {
  const int s = subKind < -kMaxTextSubKind ? -kMaxTextSubKind : subKind > kMaxTextSubKind ? kMaxTextSubKind : subKind;
  const int f = static_cast<int>(paddedFont);
  return static_cast<int16_t>(s * 100 + (s < 0 ? -f : f));
}
inline int DecodeTextSubKind(int16_t field) { return field / 100; }
inline int DecodeFontLength(int16_t field) { return field % 100 < 0 ? -(field % 100) : field % 100; }

// A box value that is not a number would poison every later view computation.
inline double FiniteOrZero(double v) { return std::isfinite(v) ? v : 0.0; }
// A layer state the program does not know is read as the default, off-colour display.
inline uint8_t KnownLayerState(uint8_t state) { return state <= kLayerNormal ? state : uint8_t{kLayerOffColour}; }
// The current layer a header names, as the readers take it: one of the table's layers.
inline int16_t KnownCurrentLayer(int16_t stored) {
  return static_cast<int16_t>(std::clamp<int>(stored, 0, LayerTable::kLayers - 1));
}

// Whether the readers keep an element of this kind on this layer with these values (besides
// what the entity core itself refuses): a kind the file stores, with as many values as its
// record carries (9 to 255 for a text with leader), on a layer of the table, every value a
// number except a dimension's packed first field, and all of a line's values in the coordinate
// range. Whoever builds elements to be written from outside the program must refuse the others,
// or the file would lose them silently when it is read.
bool StorableElement(int kind, int layer, std::span<const double> values);

// Where the readers take a drawing file's bytes from: bytes in memory, or a file on disk read a
// piece at a time so that loading a large drawing never holds the whole file.
class DrawingSource {
 public:
  // Positions that move through the file independently, each with a piece of its own: the
  // header blocks and the record table, and the element data (which follows the table in files
  // this program writes).
  enum Stream { kRecords, kData };

  explicit DrawingSource(uint64_t size) : size_(size) {}
  DrawingSource(const DrawingSource&) = delete;
  DrawingSource& operator=(const DrawingSource&) = delete;
  virtual ~DrawingSource() = default;

  uint64_t size() const { return size_; }
  // The n bytes at offset, which the caller has checked to lie inside the file; valid until the
  // next call for the same stream. Empty (with failed() set) when they could not be read.
  virtual std::span<const uint8_t> Bytes(Stream stream, uint64_t offset, std::size_t n) = 0;
  // A read failed: the load must be abandoned, whatever the bytes would have said.
  bool failed() const { return failed_; }
  // Why, as a sentence for the user.
  const std::string& failure() const { return failure_; }

 protected:
  void SetFailed(std::string why) {
    failed_ = true;
    failure_ = std::move(why);
  }

 private:
  uint64_t size_;
  bool failed_ = false;
  std::string failure_;
};

// Bytes that are all in memory.
class MemorySource final : public DrawingSource {
 public:
  explicit MemorySource(std::span<const uint8_t> bytes) : DrawingSource(bytes.size()), bytes_(bytes) {}
  std::span<const uint8_t> Bytes(Stream, uint64_t offset, std::size_t n) override {
    return bytes_.subspan(static_cast<std::size_t>(offset), n);
  }

 private:
  std::span<const uint8_t> bytes_;
};

// Reads a drawing file of any version from `source` (see ReadDrawingFile). When the source fails
// midway, the elements already added are taken out again and 1 is returned with its failure.
int ReadDrawing(DrawingSource& source, DrawingFileInfo& info, EntityList& list, SnapPointList* points,
                std::string* error);

// One element record as the readers of every version see it before its kind is interpreted.
struct StoredRecord {
  int16_t kind = 0;
  int16_t subKind = 0;   // the raw field (version 3 texts: subKind x 100 + padded font length)
  int16_t lineAttr = 0;  // already in the form line type x 100 + pen
  int16_t layer = 0;
  int32_t colour = 0;
  int16_t groupNo = 0;
  std::array<double, 5> slots{};
  int32_t count = 0;
  int32_t dataOffset = 0;
};

// How the records of a version are read.
struct RecordRules {
  bool oldVersion = false;  // float arrays, texts without font and with the height as width,
                            // dimensions without their three leading values, no groups
};

// What the group linking needs to know of the elements a read added (their generated parts
// included).
struct LoadedGroups {
  int highest = 0;         // highest group number (0 when none)
  bool anyHeader = false;  // a group header (60) with a number other than 0
  void Note(const DrawEntity& e) {
    if (e.groupNo > highest) highest = e.groupNo;
    if (e.kind == kGroupHeader && e.groupNo != 0) anyHeader = true;
  }
};

// Registers the snap points of the elements a read appends (when the read was given a point
// list): all together once the last record is in, when the installed registrar can (the same
// points in the same order, without a spatial index updated element by element), else each
// right after it was appended.
class LoadedSnapPoints {
 public:
  explicit LoadedSnapPoints(SnapPointList* points);
  // About `count` elements will be appended.
  void Expect(uint64_t count);
  // `e` was just appended (its generated parts after it).
  void Added(EntityList& list, DrawEntity& e);
  // After the last record.
  void Finish(EntityList& list);

 private:
  SnapPointList* points_;
  bool together_;
  std::vector<DrawEntity*> added_;
};

// After the last record: links group members to their headers and moves the list's group
// counter past every loaded number (never backwards). listWasEmpty: the list had no element
// before the read, so `groups` describes all it holds.
void FinishLoadedList(EntityList& list, int nextGroupNoBefore, bool listWasEmpty, const LoadedGroups& groups);

// Decodes one record of recordSize bytes of a version's table.
using RecordParser = StoredRecord (*)(std::span<const uint8_t> record);

// Reads and adds the records of the table at tableOffset (the stored count is clamped to the
// records the file holds, so a cut file loads what it still has); returns the number of records
// skipped or missing.
int ReadRecordTable(DrawingSource& source, int64_t tableOffset, int64_t count, std::size_t recordSize,
                    RecordParser parse, const RecordRules& rules, EntityList& list, LoadedSnapPoints& points,
                    LoadedGroups& groups);

// The parts of a version-1 or -2 file after the header: the 320-byte block and the records.
// Returns false with `error` set when the block or the record index is cut short.
bool ReadOldDrawingBody(DrawingSource& source, DrawingFileInfo& info, EntityList& list, LoadedSnapPoints& points,
                        LoadedGroups& groups, std::string* error);

// Reads the record index at `offset`: table offset and record count. False when it is cut short
// or names a table outside the file.
bool ReadRecordIndex(DrawingSource& source, uint64_t offset, int64_t& tableOffset, int64_t& count,
                     std::string* error);

// What a version-3 file will hold, gathered before its first byte is written: the file is
// streamed to disk in order, and the table that comes first needs every record's data offset.
struct StoredDrawing {
  uint64_t records = 0;                     // stored elements, one record each
  std::vector<const DrawEntity*> withData;  // those with bytes in the data area, in list order
  int layers = 0;
  uint64_t tableOffset = 0;
  uint64_t fileSize = 0;
};
// Fills `plan` for the list's stored elements (see WriteDrawingFile); returns 0, 1 when no
// element would be stored, or -1 when the file would be too large for its 32-bit offsets.
int PlanDrawingFile(const DrawingFileInfo& info, const EntityList& list, StoredDrawing& plan);
// Hands the bytes of the file planned for the unchanged list to the sink in order, in pieces of
// a bounded size; false when the sink refused some (the rest is then not produced).
bool EmitDrawingFile(const DrawingFileInfo& info, const EntityList& list, const StoredDrawing& plan,
                     const ByteSink& sink);

// Sets *error, when given, to a sentence for the user.
void SetReadError(std::string* error, const char* sentence);

}  // namespace pwk
}  // namespace plenwick
