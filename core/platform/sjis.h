// Conversion between the Shift-JIS (code page 932) bytes the model keeps and UTF-8 text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plenwick {

// Bytes that are not valid CP932 become U+FFFD; never fails.
std::string SjisToUtf8(std::string_view sjis);
// The same as UTF-16 code units (a surrogate pair for characters beyond the basic plane).
std::u16string SjisToUtf16(std::string_view sjis);
// Characters CP932 cannot hold become "?"; never fails.
std::string Utf8ToSjis(std::string_view utf8);
// Bytes of the UTF-8 character `utf8` starts with, by its lead byte (within what is left).
std::size_t Utf8CharLength(std::string_view utf8);

// UTF-8 to Shift-JIS with nothing lost: false, with the first character CP932 cannot hold in
// `refused` (UTF-8), instead of a substitute. The look-alikes input methods type for CP932's
// wave dash, minus, em dash and the like are taken as CP932's own.
bool Utf8ToSjisExact(std::string_view utf8, std::string* sjis, std::string* refused = nullptr);

// Length of the longest prefix of at most maxBytes bytes that does not split a double-byte
// character, for storing a string in a field narrower than the string.
std::size_t SjisPrefixLength(std::string_view sjis, std::size_t maxBytes);

// Whether bytes are well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view s);

// Number of characters in Shift-JIS bytes: a two-byte character counts once.
std::size_t SjisCharacterCount(std::string_view sjis);

}  // namespace plenwick
