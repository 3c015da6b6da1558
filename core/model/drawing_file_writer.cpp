// Writing a drawing file of version 3: header, drawing block, layers, record table and data area.
#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <string_view>
#include <vector>

#include "model/drawing_file.h"
#include "model/drawing_file_format.h"
#include "platform/sjis.h"

namespace plenwick {

namespace pwk {

namespace {

// Deleted elements wait for the undo buffer and must not come back with the file; dimension
// parts are regenerated when the file is read.
bool IsStored(const DrawEntity& e, bool selectionOnly) {
  if (e.mark == kMarkDeleted) return false;
  if (selectionOnly && e.mark != kMarkSelected) return false;
  return !IsDimensionPart(e);
}

double ValueOf(const DrawEntity& e, int i) { return e.values && i < e.valueCount ? e.values[i] : 0.0; }

// The fields of one record that depend on the element's kind.
struct RecordFields {
  int16_t subKind = 0;
  std::array<double, 5> slots{};
  int64_t count = 0;
  int64_t dataOffset = 0;
};

// Stands in for the chunk writer when only the positions of the data are wanted: the table,
// which precedes the data, needs every record's offset before any data is written.
class DataCounter {
 public:
  explicit DataCounter(uint64_t pos) : pos_(pos) {}
  uint64_t pos() const { return pos_; }
  uint8_t* Take(std::size_t n) {
    pos_ += n;
    return nullptr;
  }

 private:
  uint64_t pos_;
};

// The data writers below fill what Take returns; a DataCounter returns nothing to fill.
template <typename Out>
void PaddedString(Out& out, std::string_view s) {
  const std::size_t padded = PaddedStringBytes(s.size());
  if (uint8_t* p = out.Take(padded)) {
    std::memcpy(p, s.data(), s.size());
    std::memset(p + s.size(), 0, padded - s.size());
  }
}

template <typename Out>
void PaddedCodes(Out& out, const DrawEntity& e) {
  const auto n = static_cast<std::size_t>(e.valueCount);
  const std::size_t padded = PaddedCodeBytes(n);
  if (uint8_t* p = out.Take(padded)) {
    for (std::size_t i = 0; i < n; ++i) PutI16(p + 2 * i, e.Code(static_cast<int>(i)));
    std::memset(p + 2 * n, 0, padded - 2 * n);
  }
}

template <typename Out>
void Values(Out& out, const DrawEntity& e) {
  const auto n = static_cast<std::size_t>(std::max<int>(e.valueCount, 0));
  if (uint8_t* p = out.Take(8 * n)) {
    for (std::size_t i = 0; i < n; ++i) PutF64(p + 8 * i, ValueOf(e, static_cast<int>(i)));
  }
}

// A font that would not fit the two-digit length field is cut at a character boundary.
std::string_view StoredFont(const DrawEntity& e) {
  const std::string_view font = e.font.view();
  return font.substr(0, SjisPrefixLength(font, kMaxFontBytes));
}

template <bool kFields>
void FromSlots(const DrawEntity& e, std::initializer_list<int> slots, RecordFields& r) {
  if constexpr (kFields) {
    int v = 0;
    for (int s : slots) r.slots[static_cast<std::size_t>(s)] = ValueOf(e, v++);
  }
}

// Writes the element's data (if its kind has any) at the writer's position and fills the record
// (its slots only when kFields). The one description of the data area: run with a DataCounter
// for the file's size and the table, and with the chunk writer for the data, so that sizes,
// offsets and bytes cannot disagree.
template <bool kFields = true, typename Out>
RecordFields WriteElementData(const DrawEntity& e, Out& out) {
  RecordFields r;
  r.subKind = e.subKind;
  const auto at = static_cast<int64_t>(out.pos());
  const std::string_view text = e.text.view();
  switch (e.kind) {
    case kPoint:
      FromSlots<kFields>(e, {0, 1}, r);
      break;
    case kGrid: case kCircle:
      FromSlots<kFields>(e, {0, 1, 2}, r);
      break;
    case kLine: case kHorizontalInfiniteLine: case kVerticalInfiniteLine: case kAngledInfiniteLine:
      FromSlots<kFields>(e, {0, 1, 3, 4}, r);
      break;
    case kArc:
      FromSlots<kFields>(e, {0, 1, 2, 3, 4}, r);
      break;
    case kText: {
      FromSlots<kFields>(e, {0, 1, 2, 3, 4}, r);
      if (text.empty()) {
        r.subKind = EncodeTextSubKind(e.subKind, 0);
        break;
      }
      const std::string_view font = StoredFont(e);
      r.subKind = EncodeTextSubKind(e.subKind, PaddedStringBytes(font.size()));
      r.count = static_cast<int64_t>(PaddedStringBytes(text.size()));
      r.dataOffset = at;
      PaddedString(out, text);
      PaddedString(out, font);
      break;
    }
    case kLeaderText: {
      PaddedCodes(out, e);
      Values(out, e);
      r.slots[0] = e.valueCount;
      r.slots[1] = static_cast<double>(at);
      r.count = e.valueCount;
      r.dataOffset = at;
      r.subKind = EncodeTextSubKind(e.subKind, 0);
      if (text.empty()) break;
      const std::string_view font = StoredFont(e);
      const auto paddedText = static_cast<int64_t>(PaddedStringBytes(text.size()));
      r.subKind = EncodeTextSubKind(e.subKind, PaddedStringBytes(font.size()));
      r.slots[3] = static_cast<double>(paddedText);
      r.slots[4] = static_cast<double>(out.pos());
      r.count += paddedText;
      PaddedString(out, text);
      PaddedString(out, font);
      break;
    }
    case kBezierCurve: case kDimension: case kPaint: case kHatch:
      PaddedCodes(out, e);
      Values(out, e);
      r.count = e.valueCount;
      r.dataOffset = at;
      break;
    case kFreeCurve: case kPolygon:
      Values(out, e);
      r.count = e.valueCount;
      r.dataOffset = at;
      break;
    case kGroupHeader:
      // The reference point and the two parameters ride in the otherwise empty slots.
      FromSlots<kFields>(e, {0, 1, 2, 3}, r);
      break;
    case kImage:
      FromSlots<kFields>(e, {0, 1, 3, 4}, r);
      if (text.empty()) break;
      r.count = static_cast<int64_t>(PaddedStringBytes(text.size()));
      r.dataOffset = at;
      PaddedString(out, text);
      break;
    default:
      break;
  }
  return r;
}

void PutRecord(uint8_t* p, const DrawEntity& e, const RecordFields& r) {
  PutI16(p, e.kind);
  PutI16(p + 2, r.subKind);
  PutI16(p + 4, e.lineAttr);
  PutI16(p + 6, e.layer);
  PutI32(p + 8, e.colour);
  PutI16(p + 12, e.groupNo);
  PutI16(p + 14, 0);
  for (std::size_t i = 0; i < r.slots.size(); ++i) PutF64(p + 16 + 8 * i, r.slots[i]);
  PutF64(p + 56, 0.0);
  PutI32(p + 64, static_cast<int32_t>(r.count));
  PutI32(p + 68, static_cast<int32_t>(r.dataOffset));
}

void WriteHeaderAndBlocks(ByteWriter& w, const DrawingFileInfo& info, int layers, int records) {
  DrawingHeader header = info.header;
  header.bytes[0] = 'P';
  header.bytes[1] = 'W';
  header.bytes[2] = '3';
  header.bytes[3] = 0;
  header.setFormatVersion(3);
  header.bytes[DrawingHeader::kFormatVersion + 1] = 0;
  header.setCurrentLayer(info.layers.currentLayer);
  w.Write(header.bytes.data(), header.bytes.size());

  for (const auto* box : {&info.areaMin, &info.areaMax, &info.extentMin, &info.extentMax}) {
    for (double v : *box) w.F64(v);
  }
  for (int i = 0; i < DrawingValues::kColourCount; ++i) w.I32(info.drawingValues.displayColour(i));
  w.I32(1);
  w.I32(layers);

  for (int i = 0; i < layers; ++i) {
    const std::string_view name = info.layers.name(i);
    w.FixedString(name.substr(0, SjisPrefixLength(name, kLayerNameField - 1)), kLayerNameField);
    w.U8(info.layers.states[static_cast<std::size_t>(i)]);
  }

  w.I16(1);
  w.I16(1);
  w.I32(static_cast<int32_t>(kHeaderSize + kBlockSize + kLayerEntrySize * static_cast<std::size_t>(layers) +
                             kIndexSize));
  w.I32(records);
}

// Bytes handed to the sink at a time: large enough for few system calls, small enough to stay
// in the processor's cache between being written and being copied out.
constexpr std::size_t kChunkBytes = std::size_t{1} << 19;

}  // namespace

int PlanDrawingFile(const DrawingFileInfo& info, const EntityList& list, StoredDrawing& plan) {
  plan = StoredDrawing{};
  uint64_t dataBytes = 0;
  for (const DrawEntity& e : list) {
    if (!IsStored(e, info.selectionOnly)) continue;
    ++plan.records;
    DataCounter counter(0);
    WriteElementData<false>(e, counter);
    if (counter.pos() > 0) {
      plan.withData.push_back(&e);
      dataBytes += counter.pos();
    }
  }
  if (plan.records == 0) return 1;
  if (plan.records > static_cast<uint64_t>(std::numeric_limits<int32_t>::max() / kRecordSize)) return -1;
  plan.layers = std::clamp<int>(info.layers.layerCount, 0, kMaxStoredLayers);
  plan.tableOffset = kHeaderSize + kBlockSize + kLayerEntrySize * static_cast<std::size_t>(plan.layers) + kIndexSize;
  plan.fileSize = plan.tableOffset + kRecordSize * plan.records + dataBytes;
  // Offsets in the file are int32.
  if (plan.fileSize > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) return -1;
  return 0;
}

bool EmitDrawingFile(const DrawingFileInfo& info, const EntityList& list, const StoredDrawing& plan,
                     const ByteSink& sink) {
  ChunkWriter out(sink, kChunkBytes);
  {
    std::vector<uint8_t> head;
    ByteWriter w(head);
    WriteHeaderAndBlocks(w, info, plan.layers, static_cast<int>(plan.records));
    out.Write(head.data(), head.size());
  }
  DataCounter data(plan.tableOffset + kRecordSize * plan.records);
  for (const DrawEntity& e : list) {
    if (!IsStored(e, info.selectionOnly)) continue;
    PutRecord(out.Take(kRecordSize), e, WriteElementData(e, data));
    if (!out.ok()) return false;
  }
  for (const DrawEntity* e : plan.withData) {
    WriteElementData(*e, out);
    if (!out.ok()) return false;
  }
  // A file that disagrees with its own plan would point its records at the wrong data.
  return out.Finish() && out.pos() == plan.fileSize && data.pos() == plan.fileSize;
}

}  // namespace pwk

int WriteDrawingFile(std::vector<uint8_t>& out, const DrawingFileInfo& info, const EntityList& list) {
  out.clear();
  pwk::StoredDrawing plan;
  const int rc = pwk::PlanDrawingFile(info, list, plan);
  if (rc != 0) return rc;
  out.reserve(static_cast<std::size_t>(plan.fileSize));
  const bool emitted = pwk::EmitDrawingFile(info, list, plan, [&out](std::span<const uint8_t> bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
    return true;
  });
  if (!emitted) {
    out.clear();
    return -1;
  }
  return 0;
}

}  // namespace plenwick
