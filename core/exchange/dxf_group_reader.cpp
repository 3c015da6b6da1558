// Reading the group pairs of an ASCII DXF file.
#include "exchange/dxf_group_reader.h"

#include <charconv>
#include <cstring>

#include "platform/file_io.h"

namespace plenwick {

namespace {

// Room for many lines a refill, and always for the longest one.
constexpr std::size_t kBufferBytes = std::size_t{1} << 18;
static_assert(kBufferBytes > 2 * DxfGroupReader::kMaxLineBytes);

constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string LineMessage(int64_t line, std::string_view what) {
  return "DXFファイルの " + std::to_string(line) + " 行目を読めません: " + std::string(what);
}

}  // namespace

std::string_view DxfTrimmed(std::string_view value) {
  while (!value.empty() && IsSpace(value.front())) value.remove_prefix(1);
  while (!value.empty() && IsSpace(value.back())) value.remove_suffix(1);
  return value;
}

namespace {

// The whole of a value (spaces around it and a leading "+" allowed) as a number.
template <typename T>
std::optional<T> WholeNumber(std::string_view value, std::errc* failure = nullptr) {
  value = DxfTrimmed(value);
  if (value.size() > 1 && value.front() == '+' && value[1] != '-') value.remove_prefix(1);
  T v{};
  const char* end = value.data() + value.size();
  const auto [stop, ec] = std::from_chars(value.data(), end, v);
  if (failure) *failure = ec;
  if (value.empty() || ec != std::errc() || stop != end) return std::nullopt;
  return v;
}

}  // namespace

std::optional<double> DxfNumber(std::string_view value) { return WholeNumber<double>(value); }
std::optional<int> DxfInteger(std::string_view value) { return WholeNumber<int>(value); }

DxfGroupReader::DxfGroupReader(std::span<const uint8_t> bytes) : data_(bytes.data()), size_(bytes.size()) {}

DxfGroupReader::DxfGroupReader(FileReader& file) : file_(&file), buffer_(kBufferBytes) {
  data_ = buffer_.data();
}

void DxfGroupReader::Fail(std::string_view what) {
  if (error_.empty()) error_ = LineMessage(line_, what);
}

bool DxfGroupReader::Refill() {
  if (!file_ || fileOffset_ >= file_->size()) return false;
  // Keep the unread tail, then fill the rest of the buffer from the file.
  const std::size_t kept = size_ - pos_;
  std::memmove(buffer_.data(), buffer_.data() + pos_, kept);
  pos_ = 0;
  const uint64_t left = file_->size() - fileOffset_;
  const std::size_t n = static_cast<std::size_t>(std::min<uint64_t>(left, buffer_.size() - kept));
  std::string why;
  if (!file_->ReadAt(fileOffset_, buffer_.data() + kept, n, &why)) {
    error_ = why.empty() ? "DXFファイルを読めません。" : why;
    size_ = kept;
    return false;
  }
  fileOffset_ += n;
  size_ = kept + n;
  return true;
}

bool DxfGroupReader::NextLine(std::string_view& line) {
  for (;;) {
    const auto* start = data_ + pos_;
    const std::size_t left = size_ - pos_;
    const std::size_t window = std::min(left, kMaxLineBytes + 2);  // the longest line, CR and LF
    const auto* lf = window > 0 ? static_cast<const uint8_t*>(std::memchr(start, '\n', window)) : nullptr;
    std::size_t n = 0;
    if (lf) {
      n = static_cast<std::size_t>(lf - start);
      pos_ += n + 1;
    } else if (left <= kMaxLineBytes + 1 && Refill()) {
      continue;
    } else if (!error_.empty() || left == 0) {
      return false;
    } else {
      n = std::min(left, kMaxLineBytes + 1);  // the last line without a break, or one too long
      pos_ += n;
    }
    ++line_;
    if (n > 0 && start[n - 1] == '\r') --n;
    if (n > kMaxLineBytes) {
      Fail("行が長すぎます。テキスト形式のDXFファイルではないようです。");
      return false;
    }
    line = std::string_view(reinterpret_cast<const char*>(start), n);
    return true;
  }
}

bool DxfGroupReader::Next(DxfGroup& group) {
  if (!error_.empty()) return false;
  std::string_view codeLine;
  if (!NextLine(codeLine)) return false;
  if (line_ == 1 && codeLine.substr(0, kBinarySentinel.size()) == kBinarySentinel) {
    error_ = "バイナリ形式のDXFファイルは読めません。テキスト (ASCII) 形式で保存したファイルを指定してください。";
    return false;
  }
  std::errc failure{};
  const std::optional<int> code = WholeNumber<int>(codeLine, &failure);
  if (!code) {
    Fail(failure == std::errc::result_out_of_range ? "グループコードが大きすぎます。" : "グループコードが数値ではありません。");
    return false;
  }
  std::string_view value;
  if (!NextLine(value)) {
    Fail("ファイルが途中で終わっています (グループコードの後に値がありません)。");
    return false;
  }
  group.code = *code;
  group.value = value;
  return true;
}

}  // namespace plenwick
