// Conversion between the Shift-JIS (code page 932) bytes the model keeps and UTF-8 text.
#pragma once

#include <string>
#include <string_view>

namespace plenwick {

// Bytes that are not valid CP932 become U+FFFD; never fails.
std::string SjisToUtf8(std::string_view sjis);
// Characters CP932 cannot hold become "?"; never fails.
std::string Utf8ToSjis(std::string_view utf8);

}  // namespace plenwick
