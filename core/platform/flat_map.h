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

struct PointerHash {
  uint64_t operator()(const void* p) const { return MixBits(reinterpret_cast<uintptr_t>(p)); }
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
      if (!used_[i]) return nullptr;
      if (slots_[i].key == key) return &slots_[i].value;
    }
  }
  const Value* Find(const Key& key) const { return const_cast<FlatMap*>(this)->Find(key); }

  // Inserts `value` unless the key is present; returns the stored value and whether it was new.
  std::pair<Value*, bool> Insert(const Key& key, const Value& value) {
    if ((size_ + 1) * 2 > used_.size()) Grow();
    std::size_t i = Home(key);
    for (; used_[i]; i = (i + 1) & mask_) {
      if (slots_[i].key == key) return {&slots_[i].value, false};
    }
    used_[i] = 1;
    slots_[i] = {key, value};
    ++size_;
    return {&slots_[i].value, true};
  }

  bool Erase(const Key& key) {
    if (size_ == 0) return false;
    std::size_t i = Home(key);
    for (;; i = (i + 1) & mask_) {
      if (!used_[i]) return false;
      if (slots_[i].key == key) break;
    }
    // Shift later members of the probe run back so that lookups never meet a gap too early.
    std::size_t hole = i;
    for (std::size_t j = (hole + 1) & mask_; used_[j]; j = (j + 1) & mask_) {
      const std::size_t home = Home(slots_[j].key);
      const bool movable = hole <= j ? (home <= hole || home > j) : (home <= hole && home > j);
      if (movable) {
        slots_[hole] = slots_[j];
        hole = j;
      }
    }
    used_[hole] = 0;
    --size_;
    return true;
  }

  void Clear() {
    slots_.clear();
    used_.clear();
    size_ = 0;
    mask_ = 0;
  }

  // Calls f(key, value) for every entry, in no particular order.
  template <typename F>
  void ForEach(F&& f) const {
    for (std::size_t i = 0; i < used_.size(); ++i) {
      if (used_[i]) f(slots_[i].key, slots_[i].value);
    }
  }

 private:
  struct Slot {
    Key key;
    Value value;
  };

  std::size_t Home(const Key& key) const { return static_cast<std::size_t>(Hash{}(key)) & mask_; }

  void Grow() {
    std::vector<Slot> oldSlots = std::move(slots_);
    std::vector<uint8_t> oldUsed = std::move(used_);
    const std::size_t capacity = oldUsed.empty() ? 16 : oldUsed.size() * 2;
    slots_.assign(capacity, Slot{});
    used_.assign(capacity, 0);
    mask_ = capacity - 1;
    size_ = 0;
    for (std::size_t i = 0; i < oldUsed.size(); ++i) {
      if (oldUsed[i]) Insert(oldSlots[i].key, oldSlots[i].value);
    }
  }

  std::vector<Slot> slots_;
  std::vector<uint8_t> used_;
  std::size_t size_ = 0;
  std::size_t mask_ = 0;
};

}  // namespace plenwick
