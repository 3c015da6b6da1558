// Typed text into drawing text.
#include "tools/draw/text_input.h"

#include "platform/sjis.h"

namespace plenwick {

std::optional<std::string> TextForDrawing(std::string_view utf8, std::string* sjis) {
  std::string text(utf8);
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return std::string(1, c);
  }
  std::string refused;
  if (!Utf8ToSjisExact(text, sjis, &refused)) return refused;
  return std::nullopt;
}

std::size_t DrawingTextBytes(std::string_view utf8) {
  std::string sjis;
  if (Utf8ToSjisExact(utf8, &sjis)) return sjis.size();
  // Character by character: the ones CP932 cannot hold as two bytes.
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t n = Utf8CharLength(utf8.substr(i));
    bytes += Utf8ToSjisExact(utf8.substr(i, n), &sjis) ? sjis.size() : 2;
    i += n;
  }
  return bytes;
}

std::string UnkeepableCharacterMessage(std::string_view character) {
  return "「" + std::string(character) + "」は図面に保存できない文字です。";
}

}  // namespace plenwick
