// Benchmark "dim": loading a drawing of 100,000 dimensions of every kind with their parts
// generated, against loading the same records with no generator installed.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_timing.h"
#include "drawing_generator.h"
#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "tools/standard_tools.h"

using namespace plenwick;
using namespace plenwick::bench;

namespace {

// Best time of loading the file (the machine is shared), and the elements it gave. Counting and
// freeing the elements are left out of the time.
double LoadMs(const std::string& path, std::size_t* elements) {
  double best = 1e300;
  for (int run = 0; run < 5; ++run) {
    DrawingFileInfo info;
    EntityList loaded;
    std::string error;
    const double ms = TimeMs([&] {
      if (LoadDrawingFile(path, info, loaded, nullptr, &error) != 0) {
        std::fprintf(stderr, "load failed: %s\n", error.c_str());
        std::exit(1);
      }
    });
    best = std::min(best, ms);
    *elements = loaded.size();
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : ".";
  const std::string path = dir + "/bench_dim.pwk";
  constexpr int64_t kDimensions = 100000;

  InstallToolExtensions();
  {
    EntityList list;
    GenerateDimensionDrawing(list, kDimensions, 4711);
    std::string error;
    if (SaveDrawingFile(path, GeneratedDrawingInfo(), list, &error) != 0) {
      std::fprintf(stderr, "save failed: %s\n", error.c_str());
      return 1;
    }
  }
  std::size_t withParts = 0, plainElements = 0;
  const double loadMs = LoadMs(path, &withParts);
  const DimensionPartsGenerators generators = InstallDimensionPartsGenerators({});
  const double plainMs = LoadMs(path, &plainElements);
  InstallDimensionPartsGenerators(generators);

  Figure("dim.dimensions", static_cast<double>(kDimensions), "count");
  Figure("dim.parts", static_cast<double>(withParts - plainElements), "count");
  Figure("dim.load_ms", loadMs, "ms");
  Figure("dim.plain_ms", plainMs, "ms");
  Figure("dim.load_vs_plain", loadMs / plainMs, "ratio");
  return 0;
}
