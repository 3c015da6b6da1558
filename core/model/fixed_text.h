// Shift-JIS strings in fixed-width, NUL-filled fields (parameter block, document file name).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/byte_io.h"

namespace plenwick {

// True for the first byte of a two-byte Shift-JIS (CP932) character.
inline bool IsSjisLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The longest prefix of s that has at most maxBytes bytes and does not end inside a two-byte
// character (a half character would turn the next text into garbage).
inline std::string_view SjisPrefix(std::string_view s, std::size_t maxBytes) {
  std::size_t end = 0;
  while (end < s.size()) {
    const std::size_t step = IsSjisLeadByte(static_cast<uint8_t>(s[end])) ? 2 : 1;
    if (end + step > maxBytes || end + step > s.size()) break;
    end += step;
  }
  return s.substr(0, end);
}

// A field of N bytes holding a NUL-terminated Shift-JIS string. The raw bytes are kept (also
// those after the NUL) so that a block read from a file is written back unchanged.
template <std::size_t N>
struct FixedText {
  static constexpr std::size_t kWidth = N;
  std::array<uint8_t, N> bytes{};

  // The bytes up to the first NUL (all N when there is none).
  std::string_view view() const { return GetFixedString(bytes.data(), N); }
  // Stores s cut at a character boundary to at most N - 1 bytes; the rest becomes NUL.
  void assign(std::string_view s) { PutFixedString(bytes.data(), N, SjisPrefix(s, N - 1)); }
  bool operator==(const FixedText&) const = default;
};

}  // namespace plenwick
