// Writing and reading the autosave record: one "key value" line each, control bytes escaped.
#include "model/autosave_record.h"

#include <sys/stat.h>

#include <array>
#include <charconv>
#include <string_view>
#include <utility>

namespace plenwick {

namespace {

constexpr std::string_view kFirstLine = "plenwick autosave 1";
constexpr std::array<std::string_view, 4> kKeys = {"path", "title", "saved", "file"};
constexpr std::size_t kMaxPathBytes = 4096;
constexpr std::size_t kMaxTitleBytes = 1024;

// Line breaks and other control bytes in a path or title become "\xHH", and "\" itself too, so
// that every value stays on its line.
std::string Escape(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F || c == '\\') {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 15];
    } else {
      out += c;
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool Unescape(std::string_view text, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x20 || b == 0x7F) return false;
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (text.size() - i < 4 || text[i + 1] != 'x') return false;
    const int high = HexDigit(text[i + 2]), low = HexDigit(text[i + 3]);
    if (high < 0 || low < 0) return false;
    out += static_cast<char>(high * 16 + low);
    i += 3;
  }
  return true;
}

bool ParseInteger(std::string_view text, int64_t& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool Fail(std::string* error, std::string why) {
  if (error) *error = "the autosave record is damaged: " + std::move(why);
  return false;
}

}  // namespace

std::string FormatAutosaveRecord(const AutosaveRecord& record) {
  std::string out(kFirstLine);
  out += "\npath " + Escape(record.path);
  out += "\ntitle " + Escape(record.title);
  out += "\nsaved " + std::to_string(record.savedAt);
  out += "\nfile " + std::to_string(record.fileTime);
  out += "\n";
  return out;
}

bool ParseAutosaveRecord(std::span<const uint8_t> bytes, AutosaveRecord& record, std::string* error) {
  if (bytes.size() > kMaxAutosaveRecordBytes) return Fail(error, "it is too large");
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (text.empty() || text.back() != '\n') return Fail(error, "it does not end with a line break");
  std::size_t at = 0;
  auto nextLine = [&]() {
    const std::size_t end = text.find('\n', at);
    const std::string_view line = text.substr(at, end - at);
    at = end + 1;
    return line;
  };
  if (nextLine() != kFirstLine) return Fail(error, "it does not start with \"" + std::string(kFirstLine) + "\"");
  AutosaveRecord read;
  std::array<std::string_view, kKeys.size()> values;
  for (std::size_t k = 0; k < kKeys.size(); ++k) {
    if (at >= text.size()) return Fail(error, "the line \"" + std::string(kKeys[k]) + "\" is missing");
    const std::string_view line = nextLine();
    const std::string_view key = kKeys[k];
    if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ' ') {
      return Fail(error, "line " + std::to_string(k + 2) + " is not \"" + std::string(key) + "\"");
    }
    values[k] = line.substr(kKeys[k].size() + 1);
  }
  if (at != text.size()) return Fail(error, "it has lines after the record");
  if (!Unescape(values[0], read.path) || read.path.size() > kMaxPathBytes ||
      read.path.find('\0') != std::string::npos || (!read.path.empty() && read.path.front() != '/')) {
    return Fail(error, "the path is not an absolute file name");
  }
  if (!Unescape(values[1], read.title) || read.title.size() > kMaxTitleBytes || read.title.find('\0') != std::string::npos) {
    return Fail(error, "the title is not a text");
  }
  if (!ParseInteger(values[2], read.savedAt) || read.savedAt < 0) return Fail(error, "the time is not a number");
  if (!ParseInteger(values[3], read.fileTime) || read.fileTime < -1) return Fail(error, "the file time is not a number");
  record = std::move(read);
  return true;
}

int64_t FileModificationTime(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return -1;
  return static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

}  // namespace plenwick
