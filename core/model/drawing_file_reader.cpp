// Reading a drawing file: the header and the version-3 blocks and records (versions 1 and 2 are
// read by old_drawing_file_reader.cpp).
#include <algorithm>
#include <cstring>
#include <new>

#include "model/drawing_file.h"
#include "model/drawing_file_format.h"
#include "model/entity_core.h"
#include "model/record_blocks.h"
#include "model/snap_point_list.h"

namespace plenwick {

namespace pwk {

bool ReadRecordIndex(DrawingSource& source, uint64_t offset, int64_t& tableOffset, int64_t& count,
                     std::string* error) {
  if (offset > source.size() || source.size() - offset < kIndexSize) {
    SetReadError(error, "The drawing file is cut short: its element index is missing.");
    return false;
  }
  const auto index = source.Bytes(DrawingSource::kRecords, offset, kIndexSize);
  if (source.failed()) return false;
  // The two leading int16 values (1, 1) carry nothing a reader needs.
  tableOffset = GetI32(&index[4]);
  count = GetI32(&index[8]);
  if (count < 0 || (count > 0 && (tableOffset < 0 || static_cast<uint64_t>(tableOffset) > source.size()))) {
    SetReadError(error, "The drawing file is damaged: its element index points outside the file.");
    return false;
  }
  return true;
}

}  // namespace pwk

namespace {

using namespace pwk;

StoredRecord ParseRecord(std::span<const uint8_t> r) {
  StoredRecord s;
  s.kind = GetI16(&r[0]);
  s.subKind = GetI16(&r[2]);
  s.lineAttr = GetI16(&r[4]);
  s.layer = GetI16(&r[6]);
  s.colour = GetI32(&r[8]);
  s.groupNo = GetI16(&r[12]);
  for (std::size_t i = 0; i < s.slots.size(); ++i) s.slots[i] = GetF64(&r[16 + 8 * i]);
  s.count = GetI32(&r[64]);
  s.dataOffset = GetI32(&r[68]);
  return s;
}

bool ReadVersion3Body(DrawingSource& source, DrawingFileInfo& info, EntityList& list, LoadedSnapPoints& points,
                      LoadedGroups& groups, std::string* error) {
  if (source.size() < kHeaderSize + kBlockSize) {
    SetReadError(error, "The drawing file is cut short: its drawing block is incomplete.");
    return false;
  }
  const uint8_t* block = source.Bytes(DrawingSource::kRecords, kHeaderSize, kBlockSize).data();
  if (source.failed()) return false;
  std::array<double, 3>* boxes[] = {&info.areaMin, &info.areaMax, &info.extentMin, &info.extentMax};
  for (std::size_t b = 0; b < 4; ++b) {
    for (std::size_t i = 0; i < 3; ++i) (*boxes[b])[i] = FiniteOrZero(GetF64(block + 24 * b + 8 * i));
  }
  for (int i = 0; i < DrawingValues::kColourCount; ++i) {
    info.drawingValues.setDisplayColour(i, GetI32(block + kBlockColours + 4 * static_cast<std::size_t>(i)));
  }

  // The index follows all the layers the file claims, even beyond the 128 the table can hold.
  const int32_t storedLayers = std::max(GetI32(block + kBlockLayerCount), int32_t{0});
  const uint64_t indexOffset = kHeaderSize + kBlockSize + kLayerEntrySize * static_cast<uint64_t>(storedLayers);
  if (indexOffset > source.size()) {
    SetReadError(error, "The drawing file is cut short: its layer table is incomplete.");
    return false;
  }
  int64_t tableOffset = 0;
  int64_t count = 0;
  if (!ReadRecordIndex(source, indexOffset, tableOffset, count, error)) return false;

  const int layers = std::min(storedLayers, int32_t{kMaxStoredLayers});
  const uint8_t* entries =
      source.Bytes(DrawingSource::kRecords, kHeaderSize + kBlockSize, kLayerEntrySize * static_cast<std::size_t>(layers))
          .data();
  if (source.failed()) return false;
  for (auto& name : info.layers.names) name.fill(0);
  info.layers.states.fill(kLayerHidden);
  for (int i = 0; i < layers; ++i) {
    const uint8_t* entry = entries + kLayerEntrySize * static_cast<std::size_t>(i);
    info.layers.setName(i, GetFixedString(entry, kLayerNameField));
    info.layers.states[static_cast<std::size_t>(i)] = KnownLayerState(entry[kLayerEntrySize - 1]);
  }
  info.layers.layerCount = static_cast<int16_t>(layers);

  info.skippedRecords = ReadRecordTable(source, tableOffset, count, kRecordSize, ParseRecord, RecordRules{false},
                                        list, points, groups);
  return !source.failed();
}

// Takes out every element after `last` (all of them when it is null) with its snap points.
void RemoveElementsAfter(EntityList& list, DrawEntity* last, SnapPointList* points) {
  DrawEntity* e = last ? last->next : list.head;
  while (e) {
    DrawEntity* next = e->next;
    UnlinkEntity(list, e);
    if (points) points->RemoveEntityPoints(e);
    FreeEntity(e);
    e = next;
  }
}

}  // namespace

namespace pwk {

int ReadDrawing(DrawingSource& source, DrawingFileInfo& info, EntityList& list, SnapPointList* points,
                std::string* error) {
  if (source.size() < kHeaderSize) {
    SetReadError(error, "The file is too short to be a drawing.");
    return 1;
  }
  const auto header = source.Bytes(DrawingSource::kRecords, 0, kHeaderSize);
  if (source.failed()) {
    if (error) *error = source.failure();
    return 1;
  }
  if (header[0] != 'P' || header[1] != 'W') {
    SetReadError(error, "The file is not a drawing: it does not start with \"PW\".");
    return 1;
  }
  // Everything is read into a copy so that a file refused for its header changes nothing.
  DrawingFileInfo read = info;
  // The file's elements are laid out in record blocks, in file order.
  const RecordBlockScope blocks;
  std::memcpy(read.header.bytes.data(), header.data(), kHeaderSize);
  read.versionRead = header[DrawingHeader::kFormatVersion];
  read.skippedRecords = 0;
  const int nextGroupNoBefore = list.nextGroupNo;
  DrawEntity* const lastBefore = list.tail;
  LoadedGroups groups;
  LoadedSnapPoints loadedPoints(points);
  // A file that cannot be read to its end is not loaded in part.
  auto abandon = [&](const std::string& why) {
    RemoveElementsAfter(list, lastBefore, points);
    list.nextGroupNo = nextGroupNoBefore;
    if (error) *error = why;
    return 1;
  };
  bool ok = false;
  try {
    if (read.versionRead == 3) {
      ok = ReadVersion3Body(source, read, list, loadedPoints, groups, error);
    } else if (read.versionRead == 1 || read.versionRead == 2) {
      ok = ReadOldDrawingBody(source, read, list, loadedPoints, groups, error);
    } else {
      SetReadError(error, "The drawing file has an unknown version.");
    }
    if (source.failed()) return abandon(source.failure());
    loadedPoints.Finish(list);
  } catch (const std::bad_alloc&) {
    return abandon("There is not enough memory to read the drawing.");
  }
  if (!ok) return 1;
  read.layers.currentLayer = KnownCurrentLayer(read.header.currentLayer());
  FinishLoadedList(list, nextGroupNoBefore, lastBefore == nullptr, groups);
  info = read;
  return 0;
}

}  // namespace pwk

int ReadDrawingFile(std::span<const uint8_t> bytes, DrawingFileInfo& info, EntityList& list,
                    SnapPointList* points, std::string* error) {
  MemorySource source(bytes);
  return ReadDrawing(source, info, list, points, error);
}

int ReadPartsFile(std::span<const uint8_t> bytes, DrawingFileInfo& info, EntityList& list, std::string* error) {
  return ReadDrawingFile(bytes, info, list, nullptr, error);
}

}  // namespace plenwick
