// Reading the group pairs of an ASCII DXF file one at a time: a code line and a value line, each
// ending in LF or CRLF, codes and numbers padded with spaces. The bytes come from memory or from
// a file through a buffer of fixed size, so a file is never held whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plenwick {

class FileReader;

struct DxfGroup {
  int code = 0;
  // The value line without its line break; valid until the next call of Next.
  std::string_view value;
};

class DxfGroupReader {
 public:
  // Longest line taken (DXF itself allows 2049 characters a value); longer lines are an error.
  static constexpr std::size_t kMaxLineBytes = 4096;

  explicit DxfGroupReader(std::span<const uint8_t> bytes);
  // Reads through `file`, which must stay open while this reader is used.
  explicit DxfGroupReader(FileReader& file);

  // The next pair: true, or false at the end of the bytes or on an error (error() not empty).
  bool Next(DxfGroup& group);
  // Why reading stopped, a sentence for the user naming the line (UTF-8); empty at a clean end.
  const std::string& error() const { return error_; }
  // Number of the last line read (1-based).
  int64_t line() const { return line_; }
  // Stops reading with an error about the current pair.
  void Fail(std::string_view what);

 private:
  bool NextLine(std::string_view& line);
  bool Refill();

  FileReader* file_ = nullptr;
  uint64_t fileOffset_ = 0;  // next byte of the file to read into the buffer
  std::vector<uint8_t> buffer_;
  const uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t pos_ = 0;
  int64_t line_ = 0;
  std::string error_;
};

// A number in a value line (spaces around it allowed), by from_chars whatever the locale;
// nothing for anything else, values beyond the double range included.
std::optional<double> DxfNumber(std::string_view value);
std::optional<int> DxfInteger(std::string_view value);
// The value without the spaces around it (names, codes).
std::string_view DxfTrimmed(std::string_view value);

}  // namespace plenwick
