// Writing a drawing file of version 3: header, drawing block, layers, record table and data area.
#include <algorithm>
#include <array>
#include <initializer_list>
#include <limits>
#include <string_view>
#include <vector>

#include "model/drawing_file.h"
#include "model/drawing_file_format.h"
#include "platform/sjis.h"

namespace plenwick {

namespace {

using namespace pwk;

// Deleted elements wait for the undo buffer and must not come back with the file; dimension
// parts are regenerated when the file is read.
bool IsStored(const DrawEntity& e, bool selectionOnly) {
  if (e.mark == kMarkDeleted) return false;
  if (selectionOnly && e.mark != kMarkSelected) return false;
  return !(e.owner && e.owner->kind == kDimension);
}

double ValueOf(const DrawEntity& e, int i) { return e.values && i < e.valueCount ? e.values[i] : 0.0; }

// The fields of one record that depend on the element's kind.
struct RecordFields {
  int16_t subKind = 0;
  std::array<double, 5> slots{};
  int64_t count = 0;
  int64_t dataOffset = 0;
};

class FileWriter {
 public:
  explicit FileWriter(std::vector<uint8_t>& out) : w_(out) {}
  ByteWriter& bytes() { return w_; }

  void PaddedString(std::string_view s) {
    w_.Write(s.data(), s.size());
    w_.Zeros(PaddedStringBytes(s.size()) - s.size());
  }
  void PaddedCodes(const DrawEntity& e) {
    const auto n = static_cast<std::size_t>(e.valueCount);
    for (std::size_t i = 0; i < n; ++i) w_.I16(e.Code(static_cast<int>(i)));
    w_.Zeros(PaddedCodeBytes(n) - 2 * n);
  }
  void Values(const DrawEntity& e) {
    for (int i = 0; i < e.valueCount; ++i) w_.F64(ValueOf(e, i));
  }

 private:
  ByteWriter w_;
};

// A font that would not fit the two-digit length field is cut at a character boundary.
std::string_view StoredFont(const DrawEntity& e) {
  const std::string_view font = e.font.view();
  return font.substr(0, SjisPrefixLength(font, kMaxFontBytes));
}

void FromSlots(const DrawEntity& e, std::initializer_list<int> slots, RecordFields& r) {
  int v = 0;
  for (int s : slots) r.slots[static_cast<std::size_t>(s)] = ValueOf(e, v++);
}

// Writes the element's data (if its kind has any) at the writer's position and fills the record.
RecordFields WriteElementData(const DrawEntity& e, FileWriter& f) {
  RecordFields r;
  r.subKind = e.subKind;
  const int64_t at = static_cast<int64_t>(f.bytes().pos());
  const std::string_view text = e.text.view();
  switch (e.kind) {
    case kPoint:
      FromSlots(e, {0, 1}, r);
      break;
    case kGrid: case kCircle:
      FromSlots(e, {0, 1, 2}, r);
      break;
    case kLine: case kHorizontalInfiniteLine: case kVerticalInfiniteLine: case kAngledInfiniteLine:
      FromSlots(e, {0, 1, 3, 4}, r);
      break;
    case kArc:
      FromSlots(e, {0, 1, 2, 3, 4}, r);
      break;
    case kText: {
      FromSlots(e, {0, 1, 2, 3, 4}, r);
      if (text.empty()) {
        r.subKind = EncodeTextSubKind(e.subKind, 0);
        break;
      }
      const std::string_view font = StoredFont(e);
      r.subKind = EncodeTextSubKind(e.subKind, PaddedStringBytes(font.size()));
      r.count = static_cast<int64_t>(PaddedStringBytes(text.size()));
      r.dataOffset = at;
      f.PaddedString(text);
      f.PaddedString(font);
      break;
    }
    case kLeaderText: {
      f.PaddedCodes(e);
      f.Values(e);
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
      r.slots[4] = static_cast<double>(f.bytes().pos());
      r.count += paddedText;
      f.PaddedString(text);
      f.PaddedString(font);
      break;
    }
    case kBezierCurve: case kDimension: case kPaint: case kHatch:
      f.PaddedCodes(e);
      f.Values(e);
      r.count = e.valueCount;
      r.dataOffset = at;
      break;
    case kFreeCurve: case kPolygon:
      f.Values(e);
      r.count = e.valueCount;
      r.dataOffset = at;
      break;
    case kGroupHeader:
      // The reference point and the two parameters ride in the otherwise empty slots.
      FromSlots(e, {0, 1, 2, 3}, r);
      break;
    case kImage:
      FromSlots(e, {0, 1, 3, 4}, r);
      if (text.empty()) break;
      r.count = static_cast<int64_t>(PaddedStringBytes(text.size()));
      r.dataOffset = at;
      f.PaddedString(text);
      break;
    default:
      break;
  }
  return r;
}

void WriteRecord(ByteWriter& w, const DrawEntity& e, const RecordFields& r) {
  w.I16(e.kind);
  w.I16(r.subKind);
  w.I16(e.lineAttr);
  w.I16(e.layer);
  w.I32(e.colour);
  w.I16(e.groupNo);
  w.Zeros(2);
  for (double slot : r.slots) w.F64(slot);
  w.Zeros(8);
  w.I32(static_cast<int32_t>(r.count));
  w.I32(static_cast<int32_t>(r.dataOffset));
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

}  // namespace

int WriteDrawingFile(std::vector<uint8_t>& out, const DrawingFileInfo& info, const EntityList& list) {
  out.clear();
  std::vector<const DrawEntity*> stored;
  for (const DrawEntity& e : list) {
    if (IsStored(e, info.selectionOnly)) stored.push_back(&e);
  }
  if (stored.empty()) return 1;
  if (stored.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max() / kRecordSize)) return -1;

  const int layers = std::clamp<int>(info.layers.layerCount, 0, kMaxStoredLayers);
  const int records = static_cast<int>(stored.size());
  FileWriter f(out);
  ByteWriter& w = f.bytes();
  WriteHeaderAndBlocks(w, info, layers, records);
  const std::size_t table = w.pos();
  w.Zeros(kRecordSize * stored.size());  // reserves the table; the data area starts after it

  for (std::size_t i = 0; i < stored.size(); ++i) {
    const RecordFields r = WriteElementData(*stored[i], f);
    const std::size_t dataEnd = w.pos();
    if (dataEnd > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
      out.clear();
      return -1;  // offsets are int32
    }
    w.Seek(table + kRecordSize * i);
    WriteRecord(w, *stored[i], r);
    w.Seek(dataEnd);
  }
  return 0;
}

}  // namespace plenwick
