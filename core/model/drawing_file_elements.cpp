// Rebuilding elements from the stored records of a drawing file, shared by the readers of every version.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "model/drawing_file_format.h"
#include "model/entity_core.h"
#include "model/snap_point_list.h"

namespace plenwick::pwk {

void SetReadError(std::string* error, const char* sentence) {
  if (error) *error = sentence;
}

namespace {

// The file as a source of element data. Every record's data must lie inside the file, and all
// records together may not claim more bytes than the file holds: a file written by this program
// never shares data between records, so a damaged one cannot make the reader allocate more than
// a few times its own size by pointing many records at the same long array.
class DataArea {
 public:
  explicit DataArea(DrawingSource& source) : source_(source), budget_(source.size()) {}
  uint64_t fileSize() const { return source_.size(); }

  // The `length` bytes at `offset` (valid until the next claim), or nothing when they are not
  // inside the file, the budget is spent or they cannot be read.
  std::optional<std::span<const uint8_t>> Claim(int64_t offset, int64_t length) {
    if (offset < 0 || length < 0) return std::nullopt;
    const uint64_t size = source_.size();
    const auto off = static_cast<uint64_t>(offset);
    const auto len = static_cast<uint64_t>(length);
    if (off > size || len > size - off || len > budget_) return std::nullopt;
    budget_ -= len;
    const auto bytes = source_.Bytes(DrawingSource::kData, off, static_cast<std::size_t>(len));
    if (source_.failed()) return std::nullopt;
    return bytes;
  }

 private:
  DrawingSource& source_;
  uint64_t budget_;
};

// An element as read, before the entity core builds it. One is reused for every record of a
// table, so that its arrays and strings keep their capacity instead of being allocated anew.
struct Rebuilt {
  std::vector<int16_t> codes;
  std::vector<double> values;
  int16_t subKind = 0;
  bool hasText = false;
  bool hasFont = false;
  std::string text;
  std::string font;

  void Clear() {
    codes.clear();
    values.clear();
    hasText = hasFont = false;
  }
};

// The bytes of a stored string up to its first NUL (all of them when there is none).
void TakeString(std::span<const uint8_t> field, std::string& out) {
  const auto end = std::find(field.begin(), field.end(), uint8_t{0});
  out.assign(field.begin(), end);
}

// A slot that holds a count or a file offset: a number in [0, limit] (NaN fails the test).
std::optional<int64_t> SlotNumber(double v, double limit) {
  if (!(v >= 0 && v <= limit)) return std::nullopt;
  return static_cast<int64_t>(v);
}

// A stored value count: it must fit the element's int16 count.
std::optional<int> ValueCount(int64_t stored, int extra) {
  if (stored < 0 || stored + extra > std::numeric_limits<int16_t>::max()) return std::nullopt;
  return static_cast<int>(stored);
}

void FromSlots(const StoredRecord& r, std::initializer_list<int> slots, std::initializer_list<int16_t> codes,
               Rebuilt& out) {
  for (int s : slots) out.values.push_back(r.slots[static_cast<std::size_t>(s)]);
  out.codes.assign(codes);
}

// n codes (when withCodes) padded, then n values of valueBytes each, at `offset`.
bool ReadArrays(DataArea& data, int64_t offset, int n, bool withCodes, int valueBytes, Rebuilt& out) {
  const auto count = static_cast<std::size_t>(n);
  int64_t valuesAt = offset;
  if (withCodes) {
    const auto codes = data.Claim(offset, 2 * static_cast<int64_t>(n));
    if (!codes) return false;
    for (std::size_t i = 0; i < count; ++i) out.codes.push_back(GetI16(&(*codes)[2 * i]));
    valuesAt = offset + static_cast<int64_t>(PaddedCodeBytes(count));
  }
  const auto values = data.Claim(valuesAt, static_cast<int64_t>(n) * valueBytes);
  if (!values) return false;
  out.values.reserve(out.values.size() + count);
  for (std::size_t i = 0; i < count; ++i) {
    const uint8_t* p = &(*values)[i * static_cast<std::size_t>(valueBytes)];
    out.values.push_back(valueBytes == 8 ? GetF64(p) : static_cast<double>(GetF32(p)));
  }
  return true;
}

// `length` bytes of text at `offset` and fontLength bytes of font right after it. Nothing is
// stored (text nor font) when the length is 0.
bool ReadTextAndFont(DataArea& data, int64_t offset, int64_t length, int64_t fontLength, Rebuilt& out) {
  if (length < 0) return false;
  if (length == 0) return true;
  const auto text = data.Claim(offset, length);
  if (!text) return false;
  TakeString(*text, out.text);
  out.hasText = true;
  if (fontLength > 0) {
    const auto font = data.Claim(offset + length, fontLength);
    if (!font) return false;
    TakeString(*font, out.font);
    out.hasFont = !out.font.empty();  // an empty name means the default face
  }
  return true;
}

bool Rebuild(const StoredRecord& r, const RecordRules& rules, DataArea& data, Rebuilt& out) {
  const int valueBytes = rules.oldVersion ? 4 : 8;
  const double fileSize = static_cast<double>(data.fileSize());
  out.subKind = r.subKind;
  switch (r.kind) {
    case kPoint:
      FromSlots(r, {0, 1}, {10, 20}, out);
      return true;
    case kGrid:
      FromSlots(r, {0, 1, 2}, {10, 20, 30}, out);
      return true;
    case kLine: case kHorizontalInfiniteLine: case kVerticalInfiniteLine: case kAngledInfiniteLine:
      FromSlots(r, {0, 1, 3, 4}, {10, 20, 11, 22}, out);
      return true;
    case kCircle:
      FromSlots(r, {0, 1, 2}, {10, 20, 40}, out);
      return true;
    case kArc:
      FromSlots(r, {0, 1, 2, 3, 4}, {10, 20, 40, 50, 51}, out);
      return true;
    case kText: {
      FromSlots(r, {0, 1, 2, 3, 4}, {10, 20, 30, 40, 50}, out);
      // Old files keep no width; newer ones may hold a width too small to be meant.
      if (rules.oldVersion || out.values[3] < 1.5) out.values[3] = out.values[2];
      if (rules.oldVersion) return ReadTextAndFont(data, r.dataOffset, r.count, 0, out);
      out.subKind = static_cast<int16_t>(DecodeTextSubKind(r.subKind));
      return ReadTextAndFont(data, r.dataOffset, r.count, DecodeFontLength(r.subKind), out);
    }
    case kLeaderText: {
      const auto n = SlotNumber(r.slots[0], kMaxLeaderValues);
      const auto codesAt = SlotNumber(r.slots[1], fileSize);
      const auto textLength = SlotNumber(r.slots[3], fileSize);
      const auto textAt = SlotNumber(r.slots[4], fileSize);
      if (!n || *n < kMinLeaderValues || !codesAt || !textLength || !textAt) return false;
      if (!ReadArrays(data, *codesAt, static_cast<int>(*n), true, valueBytes, out)) return false;
      if (rules.oldVersion) return ReadTextAndFont(data, *textAt, *textLength, 0, out);
      out.subKind = static_cast<int16_t>(DecodeTextSubKind(r.subKind));
      return ReadTextAndFont(data, *textAt, *textLength, DecodeFontLength(r.subKind), out);
    }
    case kBezierCurve: case kPaint: case kHatch: {
      const auto n = ValueCount(r.count, 0);
      return n && ReadArrays(data, r.dataOffset, *n, true, valueBytes, out);
    }
    case kDimension: {
      // Old files lack the packed prefix field and the two tolerance values in front.
      const int leading = rules.oldVersion ? 3 : 0;
      const auto n = ValueCount(r.count, leading);
      if (!n) return false;
      if (rules.oldVersion) {
        out.codes.assign({30, 31, 32});
        out.values.assign({0.0, 0.0, 0.0});
      }
      return ReadArrays(data, r.dataOffset, *n, true, valueBytes, out);
    }
    case kFreeCurve: case kPolygon: {
      const auto n = ValueCount(r.count, 0);
      return n && ReadArrays(data, r.dataOffset, *n, false, valueBytes, out);
    }
    case kGroupHeader:
      // Old files store no group numbers, so a header there would own nothing.
      if (rules.oldVersion) return false;
      FromSlots(r, {0, 1, 2, 3}, {10, 20, 10, 20}, out);
      return true;
    case kImage:
      FromSlots(r, {0, 1, 3, 4}, {10, 20, 11, 22}, out);
      return ReadTextAndFont(data, r.dataOffset, r.count, 0, out);
    default:
      return false;
  }
}

// Rebuilds one stored element into `e` and appends it to `list` (for its snap points to be
// registered). False when the record is skipped: unknown kind, data outside the file,
// non-finite or out-of-range coordinates, a layer outside 0..127, or AddEntity refusing.
bool AddStoredElement(const StoredRecord& record, const RecordRules& rules, DataArea& data, Rebuilt& e,
                      EntityList& list, LoadedSnapPoints& points, LoadedGroups& groups) {
  e.Clear();
  if (!Rebuild(record, rules, data, e) || !StorableElement(record.kind, record.layer, e.values)) return false;
  const EntityAttr attr{record.kind, e.subKind, record.lineAttr, record.layer,
                        static_cast<int16_t>(e.values.size())};
  // Kinds with a text always get one, empty when none was stored.
  const char* text = KindHasText(record.kind) ? (e.hasText ? e.text.c_str() : "") : nullptr;
  DrawEntity* added = nullptr;
  if (AddStoredEntity(attr, e.hasFont ? e.font.c_str() : nullptr, list, e.codes.empty() ? nullptr : e.codes.data(),
                      record.colour, e.values.empty() ? nullptr : e.values.data(), text,
                      rules.oldVersion ? int16_t{0} : record.groupNo, &added) != 0) {
    return false;
  }
  // The element and the parts generated for it, while they are still in the cache.
  for (const DrawEntity* a = added; a; a = a->next) groups.Note(*a);
  points.Added(list, *added);
  return true;
}

}  // namespace

bool StorableElement(int kind, int layer, std::span<const double> values) {
  if (layer < 0 || layer >= LayerTable::kLayers) return false;
  const std::size_t n = values.size();
  bool countFits = false;
  switch (kind) {
    case kPoint:
      countFits = n == 2;
      break;
    case kGrid: case kCircle:
      countFits = n == 3;
      break;
    case kLine: case kHorizontalInfiniteLine: case kVerticalInfiniteLine: case kAngledInfiniteLine:
    case kGroupHeader: case kImage:
      countFits = n == 4;
      break;
    case kArc: case kText:
      countFits = n == 5;
      break;
    case kLeaderText:
      countFits = n >= kMinLeaderValues && n <= kMaxLeaderValues;
      break;
    case kBezierCurve: case kFreeCurve: case kDimension: case kPaint: case kHatch: case kPolygon:
      countFits = n <= static_cast<std::size_t>(std::numeric_limits<int16_t>::max());
      break;
    default:
      return false;
  }
  if (!countFits) return false;
  // A dimension's first value is a packed field, not a number.
  for (std::size_t i = kind == kDimension ? 1 : 0; i < n; ++i) {
    if (!std::isfinite(values[i])) return false;
  }
  // A line's second point meets the same range as its first.
  if (kind >= kLine && kind <= kAngledInfiniteLine) return AllInCoordinateRange(values);
  return true;
}

LoadedSnapPoints::LoadedSnapPoints(SnapPointList* points)
    : points_(points), together_(points && RegistersLoadedTogether()) {}

void LoadedSnapPoints::Added(EntityList& list, DrawEntity& e) {
  if (together_) {
    added_.push_back(&e);
  } else if (points_) {
    RegisterSnapPoints(*points_, list, e);
  }
}

void LoadedSnapPoints::Expect(uint64_t count) {
  if (together_) added_.reserve(added_.size() + static_cast<std::size_t>(std::min<uint64_t>(count, uint64_t{1} << 26)));
}

void LoadedSnapPoints::Finish(EntityList& list) {
  if (together_ && !added_.empty()) RegisterLoadedSnapPoints(*points_, list, added_);
  added_.clear();
}

int ReadRecordTable(DrawingSource& source, int64_t tableOffset, int64_t count, std::size_t recordSize,
                    RecordParser parse, const RecordRules& rules, EntityList& list, LoadedSnapPoints& points,
                    LoadedGroups& groups) {
  if (count <= 0 || tableOffset < 0) return 0;
  const uint64_t size = source.size();
  const auto table = static_cast<uint64_t>(tableOffset);
  const uint64_t available = table <= size ? (size - table) / recordSize : 0;
  const uint64_t present = std::min(static_cast<uint64_t>(count), available);
  int64_t skipped = count - static_cast<int64_t>(present);
  DataArea data(source);
  Rebuilt element;
  points.Expect(present);
  for (uint64_t i = 0; i < present; ++i) {
    const auto record = source.Bytes(DrawingSource::kRecords, table + i * recordSize, recordSize);
    if (source.failed()) break;
    if (!AddStoredElement(parse(record), rules, data, element, list, points, groups)) ++skipped;
    if (source.failed()) break;
  }
  return static_cast<int>(std::min<int64_t>(skipped, std::numeric_limits<int>::max()));
}

void FinishLoadedList(EntityList& list, int nextGroupNoBefore, bool listWasEmpty, const LoadedGroups& groups) {
  // When the list held nothing before, the loaded elements are all it holds, and what was noted
  // while adding them spares two walks over a list of perhaps millions of elements.
  if (!listWasEmpty || groups.anyHeader) LinkGroupMembers(list);
  const int highest = listWasEmpty ? groups.highest : HighestGroupNumber(list);
  // New groups must never take a number a loaded group already has.
  list.nextGroupNo = std::max(nextGroupNoBefore, highest + 1);
}

}  // namespace plenwick::pwk
