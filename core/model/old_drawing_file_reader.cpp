// Reading drawing files of versions 1 and 2: a 320-byte block and 48-byte records of floats.
#include <cstring>

#include "model/drawing_file_format.h"

namespace plenwick::pwk {

namespace {

// Old records keep line type x 10 + pen.
int16_t ConvertOldLineAttr(int16_t old) { return static_cast<int16_t>((old / 10) * 100 + old % 10); }

StoredRecord ParseOldRecord(std::span<const uint8_t> r) {
  StoredRecord s;
  s.kind = GetI16(&r[0]);
  s.subKind = GetI16(&r[2]);
  s.lineAttr = ConvertOldLineAttr(GetI16(&r[4]));
  s.layer = GetI16(&r[6]);
  s.colour = GetI32(&r[8]);
  for (std::size_t i = 0; i < s.slots.size(); ++i) s.slots[i] = GetF32(&r[16 + 4 * i]);
  s.count = GetI32(&r[40]);
  s.dataOffset = GetI32(&r[44]);
  return s;
}

}  // namespace

bool ReadOldDrawingBody(DrawingSource& source, DrawingFileInfo& info, EntityList& list, LoadedSnapPoints& points,
                        LoadedGroups& groups, std::string* error) {
  if (source.size() < kHeaderSize + kOldBlockSize) {
    SetReadError(error, "The drawing file is cut short: its drawing block is incomplete.");
    return false;
  }
  int64_t tableOffset = 0;
  int64_t count = 0;
  if (!ReadRecordIndex(source, kHeaderSize + kOldBlockSize, tableOffset, count, error)) return false;

  const uint8_t* block = source.Bytes(DrawingSource::kRecords, kHeaderSize, kOldBlockSize).data();
  if (source.failed()) return false;
  std::array<double, 3>* boxes[] = {&info.areaMin, &info.areaMax, &info.extentMin, &info.extentMax};
  for (std::size_t b = 0; b < 4; ++b) {
    for (std::size_t i = 0; i < 3; ++i) (*boxes[b])[i] = FiniteOrZero(GetF32(block + 12 * b + 4 * i));
  }
  std::memcpy(info.drawingValues.bytes.data(), block + kOldBlockValues, DrawingValues::kSize);
  const int last = DrawingValues::kColourCount - 1;
  if (info.drawingValues.displayColour(last) == 0) info.drawingValues.setDisplayColour(last, kOldDefaultLastColour);

  // Old drawings have 20 unnamed layers; the slots beyond stay as the document had them.
  info.layers.layerCount = kOldLayerCount;
  info.layers.NameDefault(0, kOldLayerCount - 1);
  for (std::size_t i = 0; i < kOldLayerCount; ++i) {
    info.layers.states[i] = KnownLayerState(block[kOldBlockStates + i]);
  }

  info.skippedRecords = ReadRecordTable(source, tableOffset, count, kOldRecordSize, ParseOldRecord,
                                        RecordRules{true}, list, points, groups);
  return !source.failed();
}

}  // namespace plenwick::pwk
