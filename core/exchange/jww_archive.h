// The object archive JWW files are written through: little-endian numbers, counted strings
// (Shift-JIS, or UTF-16LE behind a marker), counted lists, and class tags that share one running
// number with the objects they introduce.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/byte_io.h"

namespace plenwick {

// Archive tags.
inline constexpr uint16_t kJwwNullTag = 0;
inline constexpr uint16_t kJwwNewClassTag = 0xFFFF;
inline constexpr uint16_t kJwwClassTag = 0x8000;
inline constexpr uint16_t kJwwBigObjectTag = 0x7FFF;
inline constexpr uint32_t kJwwBigClassTag = 0x80000000u;

// What an object tag named.
struct JwwTag {
  enum class Kind { kNewClass, kClass, kNull, kObject } kind = Kind::kNull;
  uint32_t index = 0;       // kClass, kObject: the running number referred to
  std::string className;    // kNewClass
};

class JwwArchiveReader {
 public:
  explicit JwwArchiveReader(std::span<const uint8_t> bytes) : in_(bytes) {}

  // False once a read ran past the end: what it returned is zeros.
  bool ok() const { return in_.ok(); }
  std::size_t pos() const { return in_.pos(); }
  std::size_t remaining() const { return in_.remaining(); }

  uint8_t U8() { return in_.U8(); }
  uint16_t U16() { return static_cast<uint16_t>(in_.I16()); }
  uint32_t U32() { return in_.U32(); }
  double F64() { return in_.F64(); }
  void Skip(std::size_t n) { in_.Bytes(n); }
  std::span<const uint8_t> Bytes(std::size_t n) { return in_.Bytes(n); }

  // A list count: a WORD, or 0xFFFF and a DWORD.
  uint32_t Count();
  // A counted string, as Shift-JIS bytes (UTF-16 converted; characters Shift-JIS lacks become
  // "?", as do unpaired surrogates, which are counted in badUtf16()). False when cut off.
  bool String(std::string* out);
  // Skips a counted string; false when cut off.
  bool SkipString();
  // Reads an object tag. A new class gets the next running number, and so does every object read
  // after its tag (call ObjectRead() for it).
  JwwTag Tag();
  void ObjectRead() { ++mapCount_; }
  // Running numbers handed out so far (classes and objects); 0 is the null object.
  uint32_t mapCount() const { return mapCount_; }
  int badUtf16() const { return badUtf16_; }

 private:
  // Length of a string in characters, and whether it is UTF-16.
  bool Length(uint64_t* length, bool* wide);
  // The bytes of a counted string; false when cut off.
  bool RawString(std::span<const uint8_t>* raw, bool* wide);

  ByteReader in_;
  uint32_t mapCount_ = 1;
  int badUtf16_ = 0;
};

class JwwArchiveWriter {
 public:
  // `schema` goes with every class introduced: the format version, as the format's own writer does.
  // `firstNumber` is the running number the first class or object written gets: 1 for a whole
  // file, more for a part of one written apart.
  JwwArchiveWriter(const ByteSink& sink, uint16_t schema, std::size_t chunk = std::size_t{1} << 20, uint32_t firstNumber = 1)
      : out_(sink, chunk), schema_(schema), mapCount_(firstNumber) {}

  void U8(uint8_t v) { *out_.Take(1) = v; }
  void U16(uint16_t v) {
    uint8_t* p = out_.Take(2);
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
  }
  void U32(uint32_t v) { PutU32(out_.Take(4), v); }
  void F64(double v);
  void Raw(std::string_view bytes) { out_.Write(bytes.data(), bytes.size()); }
  void Count(uint32_t n);
  // A Shift-JIS string with its length prefix.
  void String(std::string_view sjis);

  // Introduces the class `name` the first time, refers to it afterwards; counts the object that
  // follows. `classNumber` is 0 for a class not written yet and is set here.
  void ObjectTag(std::string_view name, uint32_t* classNumber);

  bool ok() const { return out_.ok(); }
  bool Finish() { return out_.Finish(); }
  uint64_t pos() const { return out_.pos(); }

 private:
  static void PutU32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
  }

  ChunkWriter out_;
  uint16_t schema_;
  uint32_t mapCount_;
};

// UTF-16LE code units to UTF-8; an unpaired surrogate becomes U+FFFD and is counted in `bad`.
std::string Utf16LeToUtf8(std::span<const uint8_t> utf16, int* bad = nullptr);

}  // namespace plenwick
