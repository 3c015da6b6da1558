// Texts of DXF files as Shift-JIS.
#include "exchange/dxf_text.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>

#include "platform/sjis.h"

namespace plenwick {

namespace {

std::optional<uint32_t> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower >= 'a' && lower <= 'f') return static_cast<uint32_t>(lower - 'a' + 10);
  return std::nullopt;
}

// The code point of "\U+XXXX" at the start of s.
std::optional<uint32_t> UnicodeEscape(std::string_view s) {
  if (s.size() < 7 || s[0] != '\\' || (s[1] != 'U' && s[1] != 'u') || s[2] != '+') return std::nullopt;
  uint32_t cp = 0;
  for (std::size_t i = 3; i < 7; ++i) {
    const auto d = HexDigit(s[i]);
    if (!d) return std::nullopt;
    cp = cp * 16 + *d;
  }
  return cp;
}

std::string Utf8Of(uint32_t cp) {
  std::string out;
  if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) return "?";  // NUL would end the text; a lone surrogate is none
  if (cp == '\r' || cp == '\n') return " ";
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

// UTF-8 as Shift-JIS, "?" for each character CP932 cannot hold.
std::string SjisOrQuestionMarks(std::string_view utf8) {
  std::string sjis;
  if (Utf8ToSjisExact(utf8, &sjis)) return sjis;
  std::string out, one;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t n = Utf8CharLength(utf8.substr(i));
    out += Utf8ToSjisExact(utf8.substr(i, n), &one) ? one : "?";
    i += n;
  }
  return out;
}

// What a "%%" code stands for, as UTF-8; nothing for a code that is not one.
std::optional<std::string_view> PercentCode(char c) {
  switch (std::tolower(static_cast<unsigned char>(c))) {
    case 'd': return "\u00B0";
    case 'p': return "\u00B1";
    case 'c': return "\u03C6";
    case '%': return "%";
    case 'o': case 'u': return "";
    default: return std::nullopt;
  }
}

// Windows-1252 as UTF-8: Latin-1 but for the printable characters at 0x80..0x9F.
std::string Cp1252ToUtf8(std::string_view bytes) {
  static constexpr uint16_t k80To9F[32] = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  std::string out;
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out += ch;
    } else {
      const uint32_t cp = c >= 0xA0 ? c : k80To9F[c - 0x80];
      out += cp ? Utf8Of(cp) : "?";
    }
  }
  return out;
}

bool IsSjisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

DxfTextEncoding DxfEncodingOf(std::string_view acadVersion, std::string_view codePage) {
  // "AC1021" and later; the versions compare as text.
  if (acadVersion.size() == 6 && acadVersion.substr(0, 2) == "AC" && acadVersion >= "AC1021") {
    return DxfTextEncoding::kUtf8;
  }
  const bool cp1252 = codePage.size() == 9 && std::equal(codePage.begin(), codePage.end(), "ANSI_1252",
                                                         [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
  return cp1252 ? DxfTextEncoding::kCp1252 : DxfTextEncoding::kCp932;
}

std::string DecodeDxfText(std::string_view value, DxfTextEncoding encoding) {
  if (encoding == DxfTextEncoding::kCp1252) return DecodeDxfText(Cp1252ToUtf8(value), DxfTextEncoding::kUtf8);
  const bool cp932 = encoding == DxfTextEncoding::kCp932;
  auto ascii = [value] {
    return std::all_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  };
  if (value.find_first_of("\\%") == std::string_view::npos && (cp932 || ascii())) return std::string(value);

  // Built in the file's encoding; escapes are added in it too.
  std::string out;
  out.reserve(value.size());
  auto addUtf8 = [&](std::string_view utf8) { out += cp932 ? SjisOrQuestionMarks(utf8) : std::string(utf8); };
  for (std::size_t i = 0; i < value.size();) {
    const auto c = static_cast<unsigned char>(value[i]);
    // A Shift-JIS trail byte may be a backslash: double-byte characters pass whole.
    if (cp932 && IsSjisLead(c) && i + 1 < value.size()) {
      out.append(value.substr(i, 2));
      i += 2;
      continue;
    }
    if (const auto cp = UnicodeEscape(value.substr(i))) {
      addUtf8(Utf8Of(*cp));
      i += 7;
      continue;
    }
    if (c == '%' && i + 2 < value.size() && value[i + 1] == '%') {
      if (const auto code = PercentCode(value[i + 2])) {
        addUtf8(*code);
        i += 3;
        continue;
      }
    }
    out += static_cast<char>(c);
    ++i;
  }
  return cp932 ? out : SjisOrQuestionMarks(out);
}

}  // namespace plenwick
