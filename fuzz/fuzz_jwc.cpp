// Fuzzes the JWC reader: any bytes must read without fault, stop with a message or not at all,
// and leave only elements a drawing can hold: finite values, the first point within the
// coordinate range, the file's ten layers. The corpus folders are seeded with files built from
// the layout (no file of the DOS program is at hand).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "exchange/jwc_reader.h"
#include "model/entity_core.h"
#include "support/jwc_file_builder.h"
#include "tools/standard_tools.h"

namespace {

std::vector<std::vector<uint8_t>> Seeds() {
  using namespace plenwick::testing;
  JwcDrawing d;
  d.scale = 50;
  d.paper = 2;
  d.paperWidth = 297;
  d.textHeights = {25, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
  d.lines = {{1, 2, 3, 4, 2, 1, 3}, {0, 0, 1, 1, 10, 20, 12}};
  d.arcs = {{1, 1, 0.5f}, {1, 1, 2, 90, 180, 0, 5, 5, 2}, {1, 1, 2, 90 * 65536, 180 * 65536, 65536, 7, 6, 3}};
  d.texts = {{1, 2, 1, 3, 1, 4, "\x95\xb6\x8e\x9a"}, {1, 1, 0, 0, 11, 12, "B"}};
  d.points = {{0.25f, -0.5f, 5, 10}};
  std::vector<std::vector<uint8_t>> seeds = {BuildJwcFile(d)};
  d.extended = false;
  d.paper = 7;
  d.paperWidth = 10000;
  seeds.push_back(BuildJwcFile(d));
  return seeds;
}

}  // namespace

// Writes the seeds into every corpus folder named on the command line, before libFuzzer reads them.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  const std::vector<std::vector<uint8_t>> seeds = Seeds();
  for (int i = 1; i < *argc; ++i) {
    const std::string arg = (*argv)[i];
    std::error_code ec;
    if (arg.empty() || arg[0] == '-' || !std::filesystem::is_directory(arg, ec)) continue;
    for (std::size_t s = 0; s < seeds.size(); ++s) {
      std::ofstream(arg + "/jwc-seed-" + std::to_string(s), std::ios::binary)
          .write(reinterpret_cast<const char*>(seeds[s].data()), static_cast<std::streamsize>(seeds[s].size()));
    }
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace plenwick;
  static const bool installed = (InstallToolExtensions(), true);
  (void)installed;

  EntityList list;
  JwcReadResult result;
  const int status = ReadJwcBytes(std::span<const uint8_t>(data, size), result, list);
  if ((status == 0) != result.error.empty() || status > 1) std::abort();
  if (static_cast<int64_t>(list.size()) != result.added) std::abort();
  if (result.placed && !(result.scale > 0 && std::isfinite(result.areaMax[0]) && std::isfinite(result.areaMax[1]))) {
    std::abort();
  }
  for (const DrawEntity& e : list) {
    if (e.kind != kPoint && e.kind != kLine && e.kind != kCircle && e.kind != kArc && e.kind != kText) std::abort();
    if (e.layer < 0 || e.layer > 9 || !InCoordinateRange(e.Value(0)) || !InCoordinateRange(e.Value(1))) std::abort();
    for (int i = 0; i < e.valueCount; ++i) {
      if (!std::isfinite(e.Value(i))) std::abort();
    }
  }
  return 0;
}
