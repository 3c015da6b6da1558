// Writing list items as a CSV file.
#include "exchange/csv_writer.h"

#include <cstdint>

#include "model/number_text.h"
#include "platform/file_io.h"

namespace plenwick {

namespace {

// Rows are handed to the sink in pieces of about this size.
constexpr std::size_t kChunkBytes = std::size_t{1} << 20;

void AppendValues(std::string& out, std::span<const double> values) {
  for (const double v : values) {
    out += ',';
    AppendNumberText(out, v, 6, NegativeZero::kKept);
  }
}

}  // namespace

void AppendCsvRow(std::string& out, const ListItem& item) {
  const std::span<const double> values = ValuesOf(item);
  switch (item.kind) {
    case ListItemKind::kPoint:
      out += "POINT";
      AppendValues(out, values);
      out += ",,,,\n";
      return;
    case ListItemKind::kLine:
      out += "LINE";
      AppendValues(out, values);
      out += ",,\n";
      return;
    case ListItemKind::kCircle:
      out += "CIRCLE";
      if (IsFullCircleItem(item)) {
        AppendValues(out, values.first(3));
        out += ",,,\n";
      } else {
        AppendValues(out, values);
        out += '\n';
      }
      return;
  }
}

bool WriteCsv(std::span<const ListItem> items, const ByteSink& sink) {
  std::string chunk;
  chunk.reserve(kChunkBytes + 1024);
  for (const ListItem& item : items) {
    AppendCsvRow(chunk, item);
    if (chunk.size() >= kChunkBytes) {
      if (!sink(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(chunk.data()), chunk.size()))) return false;
      chunk.clear();
    }
  }
  return chunk.empty() || sink(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(chunk.data()), chunk.size()));
}

int ExportCsv(const std::string& path, std::span<const ListItem> items, std::string* error) {
  std::string why;
  if (WriteFileAtomically(path, [&](const ByteSink& sink) { return WriteCsv(items, sink); }, &why)) return 0;
  if (error) *error = why.empty() ? "CSVファイルを書き込めませんでした。" : why;
  return 1;
}

int SaveItemsAsCsv(UserInterface& ui, const std::string& path, std::span<const ListItem> items) {
  std::string why;
  if (ExportCsv(path, items, &why) == 0) return 0;
  ui.ShowMessage(std::string(kCsvWriteOpenErrorMessage) + "\n" + why);
  return 1;
}

}  // namespace plenwick
