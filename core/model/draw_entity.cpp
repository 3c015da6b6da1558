// The element record: its memory and small helpers.
#include "model/draw_entity.h"

#include <cstring>
#include <new>
#include <utility>

#include "model/record_blocks.h"

namespace plenwick {

void OwnedCString::Assign(std::string_view bytes) {
  data_ = std::make_unique_for_overwrite<char[]>(bytes.size() + 1);
  if (!bytes.empty()) std::memcpy(data_.get(), bytes.data(), bytes.size());
  data_[bytes.size()] = '\0';
}

namespace {

// glibc keeps freed blocks of up to 128 bytes (120 usable) in its "fast bins", ready for reuse and
// never coalesced on the spot. A record added on its own therefore takes its values, and then its
// codes, into its block as far as they fit in that size: a line is one allocation instead of
// three, and freeing many elements does not hand memory back to the system only for the next
// ones to fault it in again. While a drawing is loaded, records and arrays share record blocks.
constexpr std::size_t kSmallBlock = 120;

// Records in blocks keep their size in 16-byte units (the blocks' alignment).
constexpr std::size_t kBlockUnit = 16;
static_assert((kMaxBlockRecordBytes + kBlockUnit - 1) / kBlockUnit <= UINT16_MAX);

}  // namespace

std::unique_ptr<DrawEntity> NewEntityRecord(int valueCount, bool withCodes) {
  const auto n = static_cast<std::size_t>(valueCount < 0 ? 0 : valueCount);
  const std::size_t valueBytes = sizeof(double) * n;
  const std::size_t codeBytes = withCodes ? sizeof(int16_t) * n : 0;
  const std::size_t wholeBytes = sizeof(DrawEntity) + valueBytes + codeBytes;
  const bool inBlock = RecordBlocksInUse() && wholeBytes <= kMaxBlockRecordBytes;
  const bool valuesInside = n > 0 && (inBlock || sizeof(DrawEntity) + valueBytes <= kSmallBlock);
  const bool codesInside = valuesInside && (inBlock || wholeBytes <= kSmallBlock);
  const std::size_t bytes = sizeof(DrawEntity) + (valuesInside ? valueBytes : 0) + (codesInside ? codeBytes : 0);

  void* memory = inBlock ? AllocateRecordMemory(bytes) : ::operator new(bytes, std::nothrow);
  if (!memory) return nullptr;
  auto e = std::unique_ptr<DrawEntity>(::new (memory) DrawEntity);
  if (inBlock) e->blockUnits_ = static_cast<uint16_t>((bytes + kBlockUnit - 1) / kBlockUnit);
  if (n == 0) return e;
  static_assert(sizeof(DrawEntity) % alignof(double) == 0, "values follow the record");
  auto* inside = static_cast<unsigned char*>(memory) + sizeof(DrawEntity);
  if (valuesInside) {
    e->values.UseEmbedded(reinterpret_cast<double*>(inside));
  } else {
    e->values.reset(new (std::nothrow) double[n]);
    if (!e->values) return nullptr;
  }
  if (!withCodes) return e;
  if (codesInside) {
    e->codes.UseEmbedded(reinterpret_cast<int16_t*>(inside + valueBytes));
  } else {
    e->codes.reset(new (std::nothrow) int16_t[n]);
    if (!e->codes) return nullptr;
  }
  return e;
}

namespace {

// Where the record that a `delete` has just destroyed lives, for the operator delete that the
// same expression calls next on the same thread (a record's members own no records, so no other
// record is destroyed in between).
thread_local std::size_t t_destroyedBlockBytes = 0;

}  // namespace

DrawEntity::~DrawEntity() { t_destroyedBlockBytes = std::size_t{blockUnits_} * kBlockUnit; }

void* DrawEntity::operator new(std::size_t bytes) { return ::operator new(bytes); }

void* DrawEntity::operator new(std::size_t bytes, const std::nothrow_t& tag) noexcept {
  return ::operator new(bytes, tag);
}

void DrawEntity::operator delete(void* memory, const std::nothrow_t&) noexcept { operator delete(memory); }

void DrawEntity::operator delete(void* memory) noexcept {
  const std::size_t blockBytes = std::exchange(t_destroyedBlockBytes, 0);
  if (blockBytes > 0) {
    FreeRecordMemory(memory, blockBytes);
  } else {
    ::operator delete(memory);
  }
}

bool KindHasCodes(int kind) {
  switch (kind) {
    case kPoint: case kGrid: case kLine: case kHorizontalInfiniteLine: case kVerticalInfiniteLine:
    case kAngledInfiniteLine: case kBezierCurve: case kCircle: case kArc: case kText: case kLeaderText:
    case kDimension: case kGroupHeader: case kPaint: case kHatch: case kImage:
      return true;
    default:
      return false;
  }
}

bool KindHasText(int kind) { return kind == kText || kind == kLeaderText || kind == kImage; }
bool KindHasFont(int kind) { return kind == kText || kind == kLeaderText; }

}  // namespace plenwick
