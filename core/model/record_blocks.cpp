// Record blocks: bump allocation in 1 MiB blocks that count their live records.
#include "model/record_blocks.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <new>
#include <vector>

#include "platform/address_sanitizer.h"
#ifdef PLENWICK_ADDRESS_SANITIZER
#include <sanitizer/asan_interface.h>
#endif

namespace plenwick {

namespace {

constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
constexpr std::size_t kHeaderBytes = 64;
constexpr std::size_t kRecordAlignment = 16;
static_assert(kMaxBlockRecordBytes == kBlockBytes - kHeaderBytes);
// Empty blocks kept for the next drawing: a drawing of a million lines takes 122 blocks, so
// closing it and opening the next reuses its memory instead of faulting in fresh pages.
#ifdef PLENWICK_ADDRESS_SANITIZER
constexpr std::size_t kKeptBlocks = 0;  // freed at once, so that the sanitizer sees stale uses
#else
constexpr std::size_t kKeptBlocks = 256;
#endif
// Added to the live count while a thread still carves records from the block, so that the
// count cannot reach zero before the block is retired.
constexpr int64_t kCarving = int64_t{1} << 40;

struct BlockHeader {
  std::atomic<int64_t> live;
};
static_assert(sizeof(BlockHeader) <= kHeaderBytes);

void Poison([[maybe_unused]] const void* p, [[maybe_unused]] std::size_t n) {
#ifdef PLENWICK_ADDRESS_SANITIZER
  ASAN_POISON_MEMORY_REGION(p, n);
#endif
}
void Unpoison([[maybe_unused]] const void* p, [[maybe_unused]] std::size_t n) {
#ifdef PLENWICK_ADDRESS_SANITIZER
  ASAN_UNPOISON_MEMORY_REGION(p, n);
#endif
}

struct KeptBlocks {
  std::mutex mutex;
  std::vector<unsigned char*> blocks;
};

// Never destroyed: records may still be freed while the program exits.
KeptBlocks& Kept() {
  static auto* kept = new KeptBlocks;
  return *kept;
}

unsigned char* NewBlock() {
  unsigned char* block = nullptr;
  {
    KeptBlocks& kept = Kept();
    const std::lock_guard<std::mutex> lock(kept.mutex);
    if (!kept.blocks.empty()) {
      block = kept.blocks.back();
      kept.blocks.pop_back();
    }
  }
  if (!block) {
    block = static_cast<unsigned char*>(::operator new(kBlockBytes, std::align_val_t{kBlockBytes}, std::nothrow));
    if (!block) return nullptr;
    Poison(block + kHeaderBytes, kBlockBytes - kHeaderBytes);
  }
  ::new (block) BlockHeader{kCarving};
  return block;
}

// Takes `count` from the block's live count; the last one out keeps or frees the block.
void Release(unsigned char* block, int64_t count) {
  auto* header = reinterpret_cast<BlockHeader*>(block);
  if (header->live.fetch_sub(count, std::memory_order_acq_rel) != count) return;
  header->~BlockHeader();
  {
    KeptBlocks& kept = Kept();
    const std::lock_guard<std::mutex> lock(kept.mutex);
    if (kept.blocks.size() < kKeptBlocks) {
      kept.blocks.push_back(block);
      return;
    }
  }
  ::operator delete(block, std::align_val_t{kBlockBytes});
}

// The block a thread carves records from, retired when the thread's last scope ends.
struct ThreadBlock {
  int scopes = 0;
  unsigned char* block = nullptr;
  std::size_t used = 0;
  int64_t records = 0;

  ThreadBlock() = default;
  ThreadBlock(const ThreadBlock&) = delete;
  ThreadBlock& operator=(const ThreadBlock&) = delete;
  ~ThreadBlock() { Retire(); }

  void Retire() {
    if (!block) return;
    Release(block, kCarving - records);
    block = nullptr;
  }
};

ThreadBlock& Current() {
  thread_local ThreadBlock current;
  return current;
}

}  // namespace

RecordBlockScope::RecordBlockScope() { ++Current().scopes; }

RecordBlockScope::~RecordBlockScope() {
  ThreadBlock& t = Current();
  // The rest of the block is not kept from other threads' drawings for long.
  if (--t.scopes == 0) t.Retire();
}

bool RecordBlocksInUse() { return Current().scopes > 0; }

void* AllocateRecordMemory(std::size_t bytes) noexcept {
  if (bytes > kMaxBlockRecordBytes) return nullptr;
  bytes = (bytes + kRecordAlignment - 1) & ~(kRecordAlignment - 1);
  ThreadBlock& t = Current();
  if (!t.block || bytes > kBlockBytes - t.used) {
    t.Retire();
    t.block = NewBlock();
    if (!t.block) return nullptr;
    t.used = kHeaderBytes;
    t.records = 0;
  }
  void* record = t.block + t.used;
  t.used += bytes;
  ++t.records;
  Unpoison(record, bytes);
  return record;
}

void FreeRecordMemory(void* record, std::size_t bytes) noexcept {
  Poison(record, (bytes + kRecordAlignment - 1) & ~(kRecordAlignment - 1));
  const auto address = reinterpret_cast<std::uintptr_t>(record) & ~std::uintptr_t{kBlockBytes - 1};
  Release(reinterpret_cast<unsigned char*>(address), 1);
}

}  // namespace plenwick
