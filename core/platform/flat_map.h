// An open-addressing hash map for small trivially copyable keys and values: the snapping and
// picking indexes keep millions of entries, where a node-based map costs one heap block each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

namespace plenwick {

// Mixes the bits of a 64-bit value (the finaliser of SplitMix64).
inline uint64_t MixBits(uint64_t v) {
  v ^= v >> 30;
  v *= 0xbf58476d1ce4e5b9ULL;
  v ^= v >> 27;
  v *= 0x94d049bb133111ebULL;
  v ^= v >> 31;
  return v;
}

// Hashes that keep neighbours together: keys of one block (nearby addresses, nearby grid cells)
// share a 16-slot home region, so that walking a drawing in space touches few cache lines, while
// the blocks themselves are spread over the table.
struct PointerHash {
  uint64_t operator()(const void* p) const {
    const uint64_t a = reinterpret_cast<uintptr_t>(p);
    return (MixBits(a >> 10) << 4) | ((a >> 6) & 15);
  }
};

// A grid cell (x, y) as a map key.
struct CellKey {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const CellKey& o) const { return x == o.x && y == o.y; }
};

// For grid cells: 4 × 4 cells per block.
struct CellHash {
  uint64_t operator()(const CellKey& k) const {
    const uint64_t block = MixBits((static_cast<uint64_t>(static_cast<uint32_t>(k.x >> 2)) << 32) |
                                   static_cast<uint32_t>(k.y >> 2));
    return (block << 4) | static_cast<uint64_t>(((k.x & 3) << 2) | (k.y & 3));
  }
};

// Linear probing with backward-shift deletion (no tombstones), load factor at most one half.
// Pointers returned by Find and Insert stay valid until the next insertion or erasure.
template <typename Key, typename Value, typename Hash>
class FlatMap {
  static_assert(std::is_trivially_copyable_v<Key> && std::is_trivially_copyable_v<Value>);

 public:
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  Value* Find(const Key& key) {
    if (size_ == 0) return nullptr;
    for (std::size_t i = Home(key);; i = (i + 1) & mask_) {
      if (!slots_[i].used) return nullptr;
      if (slots_[i].key == key) return &slots_[i].value;
    }
  }
  const Value* Find(const Key& key) const { return const_cast<FlatMap*>(this)->Find(key); }

  // Inserts `value` unless the key is present; returns the stored value and whether it was new.
  std::pair<Value*, bool> Insert(const Key& key, const Value& value) {
    if ((size_ + 1) * 2 > slots_.size()) Grow();
    std::size_t i = Home(key);
    for (; slots_[i].used; i = (i + 1) & mask_) {
      if (slots_[i].key == key) return {&slots_[i].value, false};
    }
    slots_[i] = {key, value, 1};
    ++size_;
    return {&slots_[i].value, true};
  }

  bool Erase(const Key& key) {
    if (size_ == 0) return false;
    std::size_t i = Home(key);
    for (;; i = (i + 1) & mask_) {
      if (!slots_[i].used) return false;
      if (slots_[i].key == key) break;
    }
    // Shift later members of the probe run back so that lookups never meet a gap too early.
    std::size_t hole = i;
    for (std::size_t j = (hole + 1) & mask_; slots_[j].used; j = (j + 1) & mask_) {
      const std::size_t home = Home(slots_[j].key);
      const bool movable = hole <= j ? (home <= hole || home > j) : (home <= hole && home > j);
      if (movable) {
        slots_[hole] = slots_[j];
        hole = j;
      }
    }
    slots_[hole].used = 0;
    --size_;
    return true;
  }

  void Clear() {
    slots_.clear();
    size_ = 0;
    mask_ = 0;
  }

  // Calls f(key, value) for every entry, in no particular order.
  template <typename F>
  void ForEach(F&& f) const {
    for (const Slot& slot : slots_) {
      if (slot.used) f(slot.key, slot.value);
    }
  }

 private:
  struct Slot {
    Key key;
    Value value;
    uint8_t used;
  };

  std::size_t Home(const Key& key) const { return static_cast<std::size_t>(Hash{}(key)) & mask_; }

  void Grow() {
    std::vector<Slot> oldSlots = std::move(slots_);
    const std::size_t capacity = oldSlots.empty() ? 16 : oldSlots.size() * 2;
    slots_.assign(capacity, Slot{});
    mask_ = capacity - 1;
    size_ = 0;
    for (const Slot& slot : oldSlots) {
      if (slot.used) Insert(slot.key, slot.value);
    }
  }

  std::vector<Slot> slots_;
  std::size_t size_ = 0;
  std::size_t mask_ = 0;
};

}  // namespace plenwick
