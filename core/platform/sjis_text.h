// Measuring Shift-JIS (CP932) text by characters without converting it.
#pragma once

#include <cstddef>
#include <string_view>

namespace plenwick {

// True for a byte that starts a two-byte CP932 character.
constexpr bool IsSjisLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Number of characters: a two-byte character counts once (a lead byte at the very end counts
// as one character too).
std::size_t SjisCharacterCount(std::string_view sjis);

}  // namespace plenwick
