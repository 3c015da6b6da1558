// Memory for the element records of a drawing being loaded: carved in file order from blocks of
// 1 MiB, so that building a large drawing costs no allocation per element and its records lie in
// the order they are drawn.
#pragma once

#include <cstddef>

namespace plenwick {

// While one exists on a thread, the records the entity core builds on that thread come from
// record blocks. The drawing readers hold one while they add a file's elements; elements added
// one at a time take memory of their own, so that editing never keeps a block alive.
class RecordBlockScope {
 public:
  RecordBlockScope();
  RecordBlockScope(const RecordBlockScope&) = delete;
  RecordBlockScope& operator=(const RecordBlockScope&) = delete;
  ~RecordBlockScope();
};

// True while a RecordBlockScope exists on the calling thread.
bool RecordBlocksInUse();

// Memory for a record of `bytes` bytes (aligned for any record field) from the calling thread's
// current block; null when `bytes` exceeds a block or memory is exhausted.
void* AllocateRecordMemory(std::size_t bytes) noexcept;

// Gives back the `bytes` bytes at `record` (as allocated). A block whose records are all given
// back is kept for the next drawing (up to a bound) or freed.
void FreeRecordMemory(void* record, std::size_t bytes) noexcept;

// The largest record a block can hold.
inline constexpr std::size_t kMaxBlockRecordBytes = (std::size_t{1} << 20) - 64;

}  // namespace plenwick
