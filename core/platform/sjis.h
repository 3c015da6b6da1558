// Conversion between the Shift-JIS (code page 932) bytes the model keeps and UTF-8 text.
#pragma once

#include <string>
#include <string_view>

namespace plenwick {

// Bytes that are not valid CP932 become U+FFFD; never fails.
std::string SjisToUtf8(std::string_view sjis);
// Characters CP932 cannot hold become "?"; never fails.
std::string Utf8ToSjis(std::string_view utf8);

// True for a byte that starts a two-byte Shift-JIS character.
inline bool IsSjisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
// Number of characters in Shift-JIS bytes: a two-byte character counts once.
std::size_t SjisCharacterCount(std::string_view sjis);

}  // namespace plenwick
