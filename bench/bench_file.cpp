// Benchmark "file": saving and loading a drawing of 1,000,000 elements against `cat` of the same
// file, and the heap bytes one line element costs.
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "drawing_generator.h"
#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "platform/file_io.h"

using namespace plenwick;
using namespace plenwick::bench;

namespace {

// Heap bytes in use, malloc's own bookkeeping included.
std::size_t HeapInUse() { return mallinfo2().uordblks; }

}  // namespace

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : ".";
  const std::string path = dir + "/bench_file.pwk";
  constexpr int64_t kElements = 1000000;

  const DrawingFileInfo info = GeneratedDrawingInfo();
  EntityList list;
  GeneratePlanDrawing(list, {kElements, 12345, true, true});

  std::string error;
  const double saveMs = MedianMs(3, [&] {
    if (SaveDrawingFile(path, info, list, &error) != 0) {
      std::fprintf(stderr, "save failed: %s\n", error.c_str());
      std::exit(1);
    }
  });
  std::vector<uint8_t> bytes;
  ReadWholeFile(path, bytes);
  const double megabytes = static_cast<double>(bytes.size()) / (1024.0 * 1024.0);
  bytes.clear();
  bytes.shrink_to_fit();

  const double loadMs = MedianMs(3, [&] {
    DrawingFileInfo loadedInfo;
    EntityList loaded;
    if (LoadDrawingFile(path, loadedInfo, loaded, nullptr, &error) != 0) {
      std::fprintf(stderr, "load failed: %s\n", error.c_str());
      std::exit(1);
    }
  });
  const std::string cat = "cat '" + path + "' > /dev/null";
  const double catMs = MedianMs(5, [&] {
    if (std::system(cat.c_str()) != 0) std::exit(1);
  });

  // Heap per line: a fresh list of lines only.
  ClearEntityList(list);
  malloc_trim(0);
  const std::size_t before = HeapInUse();
  {
    EntityList lines;
    const int16_t codes[] = {10, 20, 11, 22};
    for (int64_t i = 0; i < kElements; ++i) {
      const double v[] = {static_cast<double>(i), 0, static_cast<double>(i) + 1, 1};
      AddEntity({kLine, 0, 0, 0, 4}, nullptr, lines, codes, 0, v, nullptr);
    }
    const std::size_t after = HeapInUse();
    Figure("file.bytes_per_line", static_cast<double>(after - before) / static_cast<double>(kElements), "bytes");
  }

  Figure("file.elements", static_cast<double>(kElements), "count");
  Figure("file.size_mb", megabytes, "MB");
  Figure("file.save_ms", saveMs, "ms");
  Figure("file.load_ms", loadMs, "ms");
  Figure("file.cat_ms", catMs, "ms");
  Figure("file.save_vs_cat", saveMs / catMs, "ratio");
  Figure("file.load_vs_cat", loadMs / catMs, "ratio");
  Figure("file.save_elements_per_s", kElements / (saveMs / 1000.0), "elements/s");
  Figure("file.load_elements_per_s", kElements / (loadMs / 1000.0), "elements/s");
  Figure("file.save_mb_per_s", megabytes / (saveMs / 1000.0), "MB/s");
  Figure("file.load_mb_per_s", megabytes / (loadMs / 1000.0), "MB/s");
  std::remove(path.c_str());
  return 0;
}
