// The object archive JWW files are written through.
#include "exchange/jww_archive.h"

#include <cstring>

#include "platform/sjis.h"

namespace plenwick {

namespace {

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Whether UTF-16LE code units are all ASCII.
bool AsciiUtf16(std::span<const uint8_t> raw) {
  for (std::size_t i = 1; i < raw.size(); i += 2) {
    if (raw[i] != 0 || raw[i - 1] >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string Utf16LeToUtf8(std::span<const uint8_t> utf16, int* bad) {
  std::string out;
  out.reserve(utf16.size());
  const std::size_t units = utf16.size() / 2;
  for (std::size_t i = 0; i < units; ++i) {
    uint32_t c = utf16[2 * i] | (static_cast<uint32_t>(utf16[2 * i + 1]) << 8);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units) {
      const uint32_t low = utf16[2 * i + 2] | (static_cast<uint32_t>(utf16[2 * i + 3]) << 8);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
      if (bad) ++*bad;
    }
    AppendUtf8(out, c);
  }
  return out;
}

uint32_t JwwArchiveReader::Count() {
  const uint16_t w = U16();
  return w != 0xFFFF ? w : U32();
}

bool JwwArchiveReader::Length(uint64_t* length, bool* wide) {
  *wide = false;
  // A Unicode marker (0xFF, 0xFFFE) may precede the real length once.
  for (int marker = 0; marker < 2; ++marker) {
    const uint8_t b = U8();
    if (b < 0xFF) {
      *length = b;
      return ok();
    }
    const uint16_t w = U16();
    if (w == 0xFFFE) {
      if (*wide) return false;
      *wide = true;
      continue;
    }
    if (w < 0xFFFF) {
      *length = w;
      return ok();
    }
    const uint32_t d = U32();
    // Lengths beyond 32 bits never fit a file we read.
    *length = d == 0xFFFFFFFFu ? ~uint64_t{0} : d;
    return ok();
  }
  return false;
}

bool JwwArchiveReader::RawString(std::span<const uint8_t>* raw, bool* wide) {
  uint64_t length = 0;
  if (!Length(&length, wide)) return false;
  const uint64_t bytes = *wide ? length * 2 : length;
  // Never more than the file holds, whatever the prefix says.
  if (length > remaining() || bytes > remaining()) {
    Skip(remaining() + 1);
    return false;
  }
  *raw = Bytes(static_cast<std::size_t>(bytes));
  return ok();
}

bool JwwArchiveReader::String(std::string* out) {
  std::span<const uint8_t> raw;
  bool wide = false;
  if (!RawString(&raw, &wide)) return false;
  if (!wide) {
    out->assign(reinterpret_cast<const char*>(raw.data()), raw.size());
  } else if (AsciiUtf16(raw)) {
    // Plain ASCII in UTF-16: no converter needed (most setting texts and names).
    out->clear();
    for (std::size_t i = 0; i < raw.size(); i += 2) out->push_back(static_cast<char>(raw[i]));
  } else {
    *out = Utf8ToSjis(Utf16LeToUtf8(raw, &badUtf16_));
  }
  return true;
}

bool JwwArchiveReader::SkipString() {
  std::span<const uint8_t> raw;
  bool wide = false;
  return RawString(&raw, &wide);
}

JwwTag JwwArchiveReader::Tag() {
  JwwTag tag;
  const uint16_t w = U16();
  if (w == kJwwNewClassTag) {
    U16();  // schema
    const uint16_t length = U16();
    const std::span<const uint8_t> name = Bytes(length);
    tag.kind = JwwTag::Kind::kNewClass;
    tag.className.assign(reinterpret_cast<const char*>(name.data()), name.size());
    tag.index = mapCount_++;
    return tag;
  }
  uint32_t number = 0;
  bool isClass = false;
  if (w == kJwwBigObjectTag) {
    const uint32_t big = U32();
    isClass = (big & kJwwBigClassTag) != 0;
    number = big & ~kJwwBigClassTag;
  } else {
    isClass = (w & kJwwClassTag) != 0;
    number = w & ~uint32_t{kJwwClassTag};
  }
  if (!isClass && number == 0) return tag;  // null
  tag.kind = isClass ? JwwTag::Kind::kClass : JwwTag::Kind::kObject;
  tag.index = number;
  return tag;
}

void JwwArchiveWriter::F64(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, 8);
  uint8_t* p = out_.Take(8);
  PutU32(p, static_cast<uint32_t>(bits));
  PutU32(p + 4, static_cast<uint32_t>(bits >> 32));
}

void JwwArchiveWriter::Count(uint32_t n) {
  if (n < 0xFFFF) {
    U16(static_cast<uint16_t>(n));
  } else {
    U16(0xFFFF);
    U32(n);
  }
}

void JwwArchiveWriter::String(std::string_view sjis) {
  const std::size_t n = sjis.size();
  if (n < 0xFF) {
    U8(static_cast<uint8_t>(n));
  } else if (n < 0xFFFE) {
    U8(0xFF);
    U16(static_cast<uint16_t>(n));
  } else {
    U8(0xFF);
    U16(0xFFFF);
    U32(static_cast<uint32_t>(n));
  }
  Raw(sjis);
}

void JwwArchiveWriter::ObjectTag(std::string_view name, uint32_t* classNumber) {
  if (*classNumber == 0) {
    U16(kJwwNewClassTag);
    U16(schema_);
    U16(static_cast<uint16_t>(name.size()));
    Raw(name);
    *classNumber = mapCount_++;
  } else if (*classNumber < kJwwBigObjectTag) {
    U16(static_cast<uint16_t>(kJwwClassTag | *classNumber));
  } else {
    U16(kJwwBigObjectTag);
    U32(kJwwBigClassTag | *classNumber);
  }
  ++mapCount_;
}

}  // namespace plenwick
