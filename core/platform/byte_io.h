// Little-endian reading and writing of byte buffers, with every read checked against the size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace plenwick {

// Reads from a byte buffer. A read past the end yields zeros and clears ok(); readers check
// ok() (or Has()) before trusting what they read.
class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  ByteReader(const void* data, std::size_t size)
      : bytes_(static_cast<const uint8_t*>(data), size) {}

  std::size_t size() const { return bytes_.size(); }
  std::size_t pos() const { return pos_; }
  std::size_t remaining() const { return pos_ <= bytes_.size() ? bytes_.size() - pos_ : 0; }
  bool ok() const { return ok_; }
  // True when n bytes can be read from the current position.
  bool Has(std::size_t n) const { return n <= remaining(); }
  // Moves to an absolute offset; false (and not ok) when it lies beyond the end.
  bool Seek(std::size_t offset) {
    if (offset > bytes_.size()) {
      ok_ = false;
      return false;
    }
    pos_ = offset;
    return true;
  }

  bool Read(void* out, std::size_t n) {
    if (!Has(n)) {
      std::memset(out, 0, n);
      ok_ = false;
      pos_ = bytes_.size();
      return false;
    }
    if (n) std::memcpy(out, bytes_.data() + pos_, n);
    pos_ += n;
    return true;
  }
  std::span<const uint8_t> Bytes(std::size_t n) {
    if (!Has(n)) {
      ok_ = false;
      pos_ = bytes_.size();
      return {};
    }
    auto s = bytes_.subspan(pos_, n);
    pos_ += n;
    return s;
  }
  uint8_t U8() { uint8_t v = 0; Read(&v, 1); return v; }
  int16_t I16() { uint8_t b[2]; Read(b, 2); return static_cast<int16_t>(b[0] | (b[1] << 8)); }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  uint32_t U32() {
    uint8_t b[4];
    Read(b, 4);
    return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
           (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
  }
  uint64_t U64() {
    const uint64_t lo = U32();
    const uint64_t hi = U32();
    return lo | (hi << 32);
  }
  float F32() { const uint32_t u = U32(); float f; std::memcpy(&f, &u, 4); return f; }
  double F64() { const uint64_t u = U64(); double d; std::memcpy(&d, &u, 8); return d; }

 private:
  std::span<const uint8_t> bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

// Writes into a growing byte buffer at a movable position (seeking past the end zero-fills).
class ByteWriter {
 public:
  explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}
  std::size_t pos() const { return pos_; }
  void Seek(std::size_t offset) { pos_ = offset; }
  void Reserve(std::size_t n) { out_.reserve(n); }

  void Write(const void* data, std::size_t n) {
    if (pos_ + n > out_.size()) out_.resize(pos_ + n);
    if (n) std::memcpy(out_.data() + pos_, data, n);
    pos_ += n;
  }
  void Zeros(std::size_t n) {
    if (pos_ + n > out_.size()) out_.resize(pos_ + n);
    std::memset(out_.data() + pos_, 0, n);
    pos_ += n;
  }
  void U8(uint8_t v) { Write(&v, 1); }
  void I16(int16_t v) {
    const uint16_t u = static_cast<uint16_t>(v);
    const uint8_t b[2] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8)};
    Write(b, 2);
  }
  void U32(uint32_t u) {
    const uint8_t b[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8), static_cast<uint8_t>(u >> 16),
                          static_cast<uint8_t>(u >> 24)};
    Write(b, 4);
  }
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  void U64(uint64_t v) {
    U32(static_cast<uint32_t>(v));
    U32(static_cast<uint32_t>(v >> 32));
  }
  void F32(float f) { uint32_t u; std::memcpy(&u, &f, 4); U32(u); }
  void F64(double d) { uint64_t u; std::memcpy(&u, &d, 8); U64(u); }
  // A string in a fixed field of `width` bytes: truncated to width - 1, NUL-filled.
  void FixedString(std::string_view s, std::size_t width) {
    const std::size_t n = s.size() < width ? s.size() : width - 1;
    Write(s.data(), n);
    Zeros(width - n);
  }

 private:
  std::vector<uint8_t>& out_;
  std::size_t pos_ = 0;
};

// Receives bytes in order; false when they could not be stored (the producer may stop then).
using ByteSink = std::function<bool(std::span<const uint8_t> bytes)>;

// Produces a stream of bytes through a buffer of fixed size that is handed to a sink whenever it
// fills, so that a large file never needs to be held in memory whole. Writers take room for a
// field or a record at a time and fill it with the Put functions below.
class ChunkWriter {
 public:
  ChunkWriter(const ByteSink& sink, std::size_t capacity) : sink_(sink), buffer_(capacity) {}
  ChunkWriter(const ChunkWriter&) = delete;
  ChunkWriter& operator=(const ChunkWriter&) = delete;

  // Room for n bytes, which the caller must all fill; valid until the next call.
  uint8_t* Take(std::size_t n) {
    if (n > buffer_.size() - used_) MakeRoom(n);
    uint8_t* p = buffer_.data() + used_;
    used_ += n;
    return p;
  }
  void Write(const void* data, std::size_t n) {
    if (n > buffer_.size()) {
      // Larger than the buffer: handed on as it is rather than copied.
      Flush();
      if (ok_) ok_ = sink_(std::span<const uint8_t>(static_cast<const uint8_t*>(data), n));
      handedOn_ += n;
      return;
    }
    if (n) std::memcpy(Take(n), data, n);
  }
  void Zeros(std::size_t n) {
    if (n) std::memset(Take(n), 0, n);
  }
  // Bytes produced so far.
  uint64_t pos() const { return handedOn_ + used_; }
  // False once the sink refused bytes; what is produced after that is dropped.
  bool ok() const { return ok_; }
  // Hands on what is left; false when the sink refused any bytes.
  bool Finish() {
    Flush();
    return ok_;
  }

 private:
  void Flush() {
    if (used_ > 0 && ok_) ok_ = sink_(std::span<const uint8_t>(buffer_.data(), used_));
    handedOn_ += used_;
    used_ = 0;
  }
  void MakeRoom(std::size_t n) {
    Flush();
    if (n > buffer_.size()) buffer_.resize(n);  // one field larger than a chunk
  }

  const ByteSink& sink_;
  std::vector<uint8_t> buffer_;
  std::size_t used_ = 0;
  uint64_t handedOn_ = 0;
  bool ok_ = true;
};

// Little-endian access to a fixed block held in memory (parameter block, drawing header).
inline int16_t GetI16(const uint8_t* p) { return static_cast<int16_t>(p[0] | (p[1] << 8)); }
inline int32_t GetI32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                              (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
}
inline float GetF32(const uint8_t* p) { const int32_t u = GetI32(p); float f; std::memcpy(&f, &u, 4); return f; }
inline double GetF64(const uint8_t* p) {
  const uint64_t u = static_cast<uint32_t>(GetI32(p)) | (static_cast<uint64_t>(static_cast<uint32_t>(GetI32(p + 4))) << 32);
  double d;
  std::memcpy(&d, &u, 8);
  return d;
}
inline void PutI16(uint8_t* p, int16_t v) {
  const uint16_t u = static_cast<uint16_t>(v);
  p[0] = static_cast<uint8_t>(u);
  p[1] = static_cast<uint8_t>(u >> 8);
}
inline void PutI32(uint8_t* p, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(u >> (8 * i));
}
inline void PutF32(uint8_t* p, float f) { int32_t u; std::memcpy(&u, &f, 4); PutI32(p, u); }
inline void PutF64(uint8_t* p, double d) {
  uint64_t u;
  std::memcpy(&u, &d, 8);
  PutI32(p, static_cast<int32_t>(static_cast<uint32_t>(u)));
  PutI32(p + 4, static_cast<int32_t>(static_cast<uint32_t>(u >> 32)));
}
// A NUL-terminated string inside a fixed field (the field's bytes up to the first NUL).
inline std::string_view GetFixedString(const uint8_t* p, std::size_t width) {
  const char* c = reinterpret_cast<const char*>(p);
  std::size_t n = 0;
  while (n < width && c[n] != '\0') ++n;
  return std::string_view(c, n);
}
// Writes s into a fixed field: at most width - 1 bytes, the rest NUL.
inline void PutFixedString(uint8_t* p, std::size_t width, std::string_view s) {
  const std::size_t n = s.size() < width ? s.size() : width - 1;
  std::memcpy(p, s.data(), n);
  std::memset(p + n, 0, width - n);
}

}  // namespace plenwick
