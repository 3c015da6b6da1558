// Reading list items from a CSV file.
#include "exchange/csv_reader.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "exchange/dxf_group_reader.h"
#include "model/entity_core.h"
#include "platform/file_io.h"

namespace plenwick {

namespace {

constexpr std::size_t kMostFields = 6;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string LineFault(std::size_t line, const std::string& what) {
  return "CSVファイルの " + std::to_string(line) + " 行目を読めません: " + what;
}

std::string FieldFault(std::size_t line, std::size_t field, std::string_view what) {
  return LineFault(line, std::to_string(field) + " 番目の欄" + std::string(what));
}

std::optional<ListItemKind> KindOf(std::string_view word) {
  if (word == "LINE") return ListItemKind::kLine;
  if (word == "CIRCLE") return ListItemKind::kCircle;
  if (word == "POINT") return ListItemKind::kPoint;
  return std::nullopt;
}

// The item of one row (without its line end) into `item`; false for a row of another kind. A
// fault goes to `error`.
bool ReadRow(std::string_view row, std::size_t line, ListItem& item, std::string& error) {
  std::string_view fields[kMostFields];
  std::size_t count = 0;
  for (std::string_view rest = row; count < kMostFields;) {
    const std::size_t comma = rest.find(',');
    fields[count++] = rest.substr(0, comma);
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  const std::optional<ListItemKind> kind = KindOf(fields[0]);
  if (!kind) return false;
  for (std::size_t i = 0; i < count; ++i) {
    if (fields[i].size() > kMaxCsvFieldBytes) {
      error = FieldFault(line, i + 1, "が " + std::to_string(kMaxCsvFieldBytes) + " 文字を超えています");
      return false;
    }
  }
  item.kind = *kind;
  item.values = {};
  for (int v = 0; v < ValueCountOf(*kind); ++v) {
    const auto i = static_cast<std::size_t>(v) + 1;
    if (i >= count || DxfTrimmed(fields[i]).empty()) continue;
    const std::optional<double> number = DxfNumber(fields[i]);
    if (!number || !std::isfinite(*number)) {
      error = FieldFault(line, i + 1, "を数値として読めません");
      return false;
    }
    if (!InCoordinateRange(*number)) {
      error = FieldFault(line, i + 1, "の値が座標の範囲を超えています");
      return false;
    }
    item.values[static_cast<std::size_t>(v)] = *number;
  }
  return true;
}

}  // namespace

CsvReadResult ReadCsvBytes(std::span<const uint8_t> bytes, std::vector<ListItem>& items) {
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  std::vector<ListItem> read;
  CsvReadResult result;
  std::size_t line = 0;
  while (!text.empty()) {
    ++line;
    const std::size_t end = text.find('\n');
    std::string_view row = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (row.ends_with('\r')) row.remove_suffix(1);
    if (row.size() > kMaxCsvRowBytes) {
      result.error = LineFault(line, std::to_string(kMaxCsvRowBytes) + " 文字を超える行です");
    } else if (ListItem item; ReadRow(row, line, item, result.error)) {
      read.push_back(item);
    }
    if (!result.error.empty()) {
      result.status = CsvReadStatus::kRefused;
      return result;
    }
  }
  items.insert(items.end(), read.begin(), read.end());
  return result;
}

CsvReadResult ReadCsvFile(const std::string& path, std::vector<ListItem>& items) {
  std::vector<uint8_t> bytes;
  CsvReadResult result;
  if (!ReadWholeFile(path, bytes, &result.error, kMaxCsvFileBytes)) {
    result.status = CsvReadStatus::kNotOpened;
    return result;
  }
  return ReadCsvBytes(bytes, items);
}

std::size_t ImportCsvItems(UserInterface& ui, const std::string& path, std::vector<ListItem>& items) {
  const std::size_t before = items.size();
  const CsvReadResult result = ReadCsvFile(path, items);
  // Silence would leave the user to guess why the list did not grow.
  if (result.status == CsvReadStatus::kNotOpened) ui.ShowMessage(path + " を開けませんでした。\n" + result.error);
  if (result.status == CsvReadStatus::kRefused) ui.ShowMessage(result.error);
  return items.size() - before;
}

}  // namespace plenwick
