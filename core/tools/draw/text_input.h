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

// The bytes the typed UTF-8 text takes in a drawing (a character CP932 cannot hold counted as
// two), for the box's limit while typing.
std::size_t DrawingTextBytes(std::string_view utf8);

// "「c」は図面に保存できない文字です。" for the character c (UTF-8).
std::string UnkeepableCharacterMessage(std::string_view character);

}  // namespace plenwick
