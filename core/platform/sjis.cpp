// Shift-JIS (CP932) <-> UTF-8 through iconv, one converter per direction and thread.
#include "platform/sjis.h"

#include <iconv.h>

#include <cerrno>
#include <algorithm>

namespace plenwick {

namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  ~Converter() {
    if (valid()) iconv_close(cd_);
  }
  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `in`, replacing each unconvertible sequence by `replacement` and skipping
  // `skipBytes(in)` input bytes for it.
  template <typename Skip>
  std::string Convert(std::string_view in, std::string_view replacement, Skip skipBytes) {
    std::string out;
    if (!valid()) return std::string(in);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    out.resize(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    while (srcLeft > 0) {
      const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      if (rc != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) {
        const std::size_t used = static_cast<std::size_t>(dst - out.data());
        out.resize(out.size() * 2);
        dst = out.data() + used;
        dstLeft = out.size() - used;
        continue;
      }
      // EILSEQ or EINVAL: an invalid or truncated sequence.
      const std::size_t skip = std::min(srcLeft, skipBytes(src, srcLeft));
      src += skip;
      srcLeft -= skip;
      const std::size_t used = static_cast<std::size_t>(dst - out.data());
      if (dstLeft < replacement.size() + 8) {
        out.resize(out.size() * 2 + replacement.size());
      }
      out.replace(used, replacement.size(), replacement);
      dst = out.data() + used + replacement.size();
      dstLeft = out.size() - used - replacement.size();
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
    return out;
  }

 private:
  iconv_t cd_;
};

std::size_t SkipOneByte(const char*, std::size_t) { return 1; }

std::size_t SkipOneUtf8Char(const char* p, std::size_t left) { return Utf8CharLength(std::string_view(p, left)); }

}  // namespace

std::size_t Utf8CharLength(std::string_view utf8) {
  if (utf8.empty()) return 0;
  const unsigned char c = static_cast<unsigned char>(utf8[0]);
  std::size_t n = 1;
  if (c >= 0xF0) {
    n = 4;
  } else if (c >= 0xE0) {
    n = 3;
  } else if (c >= 0xC0) {
    n = 2;
  }
  return n < utf8.size() ? n : utf8.size();
}

std::string SjisToUtf8(std::string_view sjis) {
  thread_local Converter converter("UTF-8", "CP932");
  return converter.Convert(sjis, "\xEF\xBF\xBD", SkipOneByte);
}

std::u16string SjisToUtf16(std::string_view sjis) {
  thread_local Converter converter("UTF-16LE", "CP932");
  const std::string bytes = converter.Convert(sjis, std::string_view("\xFD\xFF", 2), SkipOneByte);
  std::u16string out(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) | static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return out;
}

std::string Utf8ToSjis(std::string_view utf8) {
  thread_local Converter converter("CP932", "UTF-8");
  return converter.Convert(utf8, "?", SkipOneUtf8Char);
}

namespace {

// Characters Linux input methods type where CP932 has a look-alike of its own: taken as that one
// (wave dash, minus sign, em dash, double vertical line, cent, pound, not sign).
std::string_view Cp932FormOf(std::string_view ch) {
  static constexpr std::pair<std::string_view, std::string_view> kForms[] = {
      {"\u301C", "\uFF5E"}, {"\u2212", "\uFF0D"}, {"\u2014", "\u2015"}, {"\u2016", "\u2225"},
      {"\u00A2", "\uFFE0"}, {"\u00A3", "\uFFE1"}, {"\u00AC", "\uFFE2"},
  };
  for (const auto& [from, to] : kForms) {
    if (ch == from) return to;
  }
  return ch;
}

}  // namespace

bool Utf8ToSjisExact(std::string_view utf8, std::string* sjis, std::string* refused) {
  thread_local Converter converter("CP932", "UTF-8");
  sjis->clear();
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::size_t n = SkipOneUtf8Char(utf8.data() + i, utf8.size() - i);
    const std::string_view ch = utf8.substr(i, n);
    bool failed = false;
    const std::string bytes = converter.Convert(Cp932FormOf(ch), "", [&failed](const char*, std::size_t left) {
      failed = true;
      return left;
    });
    if (failed || bytes.empty()) {
      if (refused) *refused = std::string(ch);
      return false;
    }
    *sjis += bytes;
    i += n;
  }
  return true;
}

std::size_t SjisPrefixLength(std::string_view sjis, std::size_t maxBytes) {
  std::size_t n = 0;
  while (n < sjis.size()) {
    const unsigned char c = static_cast<unsigned char>(sjis[n]);
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    const std::size_t width = lead && n + 1 < sjis.size() ? 2 : 1;
    if (n + width > maxBytes) break;
    n += width;
  }
  return n;
}

std::size_t SjisCharacterCount(std::string_view sjis) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < sjis.size(); ++i, ++n) {
    const unsigned char c = static_cast<unsigned char>(sjis[i]);
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    if (lead && i + 1 < sjis.size()) ++i;
  }
  return n;
}

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t length = 0;
    uint32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (s.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (t & 0x3F);
    }
    const uint32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

}  // namespace plenwick
