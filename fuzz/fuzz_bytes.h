// Reading a fuzzer's input as a stream of choices: bytes, numbers that are mostly small values
// on a lattice (so that elements meet) and sometimes raw bit patterns. Past the end: zeros.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace plenwick::fuzzing {

class FuzzBytes {
 public:
  FuzzBytes(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

  // (byte - 64) * step when a first byte is below `latticeBelow`, else 8 raw bytes.
  double Double(double step = 2.5, uint8_t latticeBelow = 200) {
    if (Byte() < latticeBelow) return (static_cast<int>(Byte()) - 64) * step;
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits = bits << 8 | Byte();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  // The same for a float, with 4 raw bytes.
  float Float(double step = 1.25, uint8_t latticeBelow = 220) {
    if (Byte() < latticeBelow) return static_cast<float>((static_cast<int>(Byte()) - 64) * step);
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits = bits << 8 | Byte();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }

 private:
  const uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace plenwick::fuzzing
