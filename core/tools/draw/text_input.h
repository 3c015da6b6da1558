// What the text tool makes of a typed string: Shift-JIS bytes for the drawing, line breaks (from a
// paste) as spaces, and the message naming a character a drawing cannot keep.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plenwick {

// The typed UTF-8 text as Shift-JIS in `sjis`; the first character a drawing cannot keep (one
// CP932 cannot hold, or a control character other than a line break) when there is one.
std::optional<std::string> TextForDrawing(std::string_view utf8, std::string* sjis);

// "「c」は図面に保存できない文字です。" for the character c (UTF-8).
std::string UnkeepableCharacterMessage(std::string_view character);

}  // namespace plenwick
