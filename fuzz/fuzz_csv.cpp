// Fuzzes the CSV reader: any bytes either read into items whose values are finite and in the
// coordinate range, or are refused whole with a message and nothing appended; what was read
// writes back into a file that reads again to the same items, each value within the sixth
// decimal (a start angle within 0.001 of 0 with an end within 0.001 of 0 or 360 reads back as a
// full circle).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "exchange/csv_reader.h"
#include "exchange/csv_writer.h"
#include "model/entity_core.h"

namespace {

using namespace plenwick;

bool Close(double a, double b) { return std::fabs(a - b) <= 1e-6 + std::fabs(a) * 1e-15; }

bool SameItem(const ListItem& written, const ListItem& read) {
  if (written.kind != read.kind) return false;
  const int n = IsFullCircleItem(written) ? 3 : ValueCountOf(written.kind);
  for (int i = 0; i < 5; ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (i < n ? !Close(written.values[k], read.values[k]) : read.values[k] != 0) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const ListItem sentinel{ListItemKind::kLine, {1, 2, 3, 4, 0}};
  std::vector<ListItem> items = {sentinel};
  const CsvReadResult result = ReadCsvBytes(std::span<const uint8_t>(data, size), items);
  if (result.status == CsvReadStatus::kRefused) {
    if (items.size() != 1 || result.error.rfind("CSVファイルの ", 0) != 0) std::abort();
    return 0;
  }
  if (result.status != CsvReadStatus::kRead || !result.error.empty()) std::abort();
  items.erase(items.begin());
  for (const ListItem& item : items) {
    for (const double v : item.values) {
      if (!InCoordinateRange(v)) std::abort();
    }
  }

  std::string written;
  const bool ok = WriteCsv(items, [&written](std::span<const uint8_t> bytes) {
    written.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return true;
  });
  std::vector<ListItem> again;
  const CsvReadResult reread =
      ReadCsvBytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(written.data()), written.size()), again);
  if (!ok || reread.status != CsvReadStatus::kRead || again.size() != items.size()) std::abort();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!SameItem(items[i], again[i])) std::abort();
  }
  return 0;
}
