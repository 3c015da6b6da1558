// Benchmark "jww": the file benchmark's drawing without curves (1,000,000 lines, arcs, circles
// and texts, which JWW holds alike) written and read as JWW against saving and loading it in the
// native format.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_timing.h"
#include "drawing_generator.h"
#include "exchange/jww_exchange.h"
#include "model/drawing_file.h"
#include "model/entity_core.h"

using namespace plenwick;
using namespace plenwick::bench;

namespace {

constexpr int64_t kElements = 1000000;

void Exit(const std::string& what) {
  std::fprintf(stderr, "jww: %s\n", what.c_str());
  std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : ".";
  const std::string native = dir + "/bench_jww.pwk";
  const std::string jww = dir + "/bench_jww.jww";
  EntityList list;
  GeneratePlanDrawing(list, {kElements, 12345, true, false});
  const DrawingFileInfo info = GeneratedDrawingInfo();
  JwwContext context;
  context.scale = 1;
  std::string error;

  const double saveMs = BestMs(3, [&] {
    if (SaveDrawingFile(native, info, list, &error) != 0) Exit(error);
  });
  const double writeMs = BestMs(3, [&] {
    if (ExportJww(context, jww, list, &error) != 0) Exit(error);
  });
  const std::size_t elements = list.size();
  ClearEntityList(list);

  // Reading alone: freeing the list afterwards is not timed.
  double loadMs = 1e300, readMs = 1e300;
  std::size_t read = 0;
  for (int i = 0; i < 3; ++i) {
    EntityList loaded;
    DrawingFileInfo loadedInfo;
    loadMs = std::min(loadMs, TimeMs([&] {
                        if (LoadDrawingFile(native, loadedInfo, loaded, nullptr, &error) != 0) Exit(error);
                      }));
  }
  for (int i = 0; i < 3; ++i) {
    EntityList loaded;
    JwwContext readContext;
    JwwReadReport report;
    readMs = std::min(readMs, TimeMs([&] {
                        if (ReadJww(readContext, jww, loaded, report) != 0 || !report.error.empty()) Exit(report.error);
                      }));
    read = loaded.size();
  }

  Figure("jww.elements", static_cast<double>(read), "count");
  if (read + 1 != elements) Exit("read " + std::to_string(read) + " of " + std::to_string(elements) + " elements");
  Figure("jww.size_mb", static_cast<double>(std::filesystem::file_size(jww)) / (1024.0 * 1024.0), "MB");
  Figure("jww.pwk_save_ms", saveMs, "ms");
  Figure("jww.save_ms", writeMs, "ms");
  Figure("jww.save_vs_pwk", writeMs / saveMs, "x");
  Figure("jww.pwk_load_ms", loadMs, "ms");
  Figure("jww.load_ms", readMs, "ms");
  Figure("jww.load_vs_pwk", readMs / loadMs, "x");
  return 0;
}
