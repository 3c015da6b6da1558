// Benchmark "csv": the element list's CSV export of a 1,000,000-element drawing of points, lines,
// circles and arcs (items taken from the drawing, rows formatted, the file written and synced)
// against the native save of the same drawing, and reading the file back.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "drawing_generator.h"
#include "exchange/csv_reader.h"
#include "exchange/csv_writer.h"
#include "exchange/list_item.h"
#include "model/drawing_file.h"
#include "platform/file_io.h"

using namespace plenwick;
using namespace plenwick::bench;

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : ".";
  const std::string native = dir + "/bench_csv.pwk";
  const std::string csv = dir + "/bench_csv.csv";
  constexpr int64_t kElements = 1000000;

  const DrawingFileInfo info = GeneratedDrawingInfo();
  EntityList list;
  GeneratePlanDrawing(list, {.elements = kElements, .seed = 12345, .withTexts = false, .withCurves = false,
                             .withPoints = true});
  // The paper centre of an A1 sheet at 1:50, as the view sets the origin offset.
  const ModelPoint origin{841.0 * 50 / 2, 594.0 * 50 / 2};

  std::string error;
  const double saveMs = BestMs(3, [&] {
    if (SaveDrawingFile(native, info, list, &error) != 0) {
      std::fprintf(stderr, "save failed: %s\n", error.c_str());
      std::exit(1);
    }
  });
  std::size_t items = 0;
  const double exportMs = BestMs(3, [&] {
    const std::vector<ListItem> rows = ListItemsOf(list, origin, false);
    items = rows.size();
    if (ExportCsv(csv, rows, &error) != 0) {
      std::fprintf(stderr, "export failed: %s\n", error.c_str());
      std::exit(1);
    }
  });
  std::vector<uint8_t> bytes;
  ReadWholeFile(csv, bytes);
  const double megabytes = static_cast<double>(bytes.size()) / (1024.0 * 1024.0);
  const double importMs = BestMs(3, [&] {
    std::vector<ListItem> read;
    const CsvReadResult result = ReadCsvFile(csv, read);
    if (result.status != CsvReadStatus::kRead || read.size() != items) {
      std::fprintf(stderr, "import failed: %s\n", result.error.c_str());
      std::exit(1);
    }
  });

  Figure("csv.items", static_cast<double>(items), "count");
  Figure("csv.size_mb", megabytes, "MB");
  Figure("csv.save_ms", saveMs, "ms");
  Figure("csv.export_ms", exportMs, "ms");
  Figure("csv.import_ms", importMs, "ms");
  Figure("csv.export_vs_save", exportMs / saveMs, "ratio");
  Figure("csv.export_items_per_s", static_cast<double>(items) / (exportMs / 1000.0), "items/s");
  Figure("csv.import_items_per_s", static_cast<double>(items) / (importMs / 1000.0), "items/s");
  std::remove(native.c_str());
  std::remove(csv.c_str());
  return 0;
}
