// Benchmark "dxf": importing 1,000,000 generated DXF entities against a minimal pair reader
// compiled in the same run, the peak memory the import takes per entity (in a process of its
// own), and exporting the drawing against saving it in the native format.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench_timing.h"
#include "drawing_generator.h"
#include "exchange/dxf_exchange.h"
#include "model/drawing_file.h"
#include "model/entity_core.h"

using namespace plenwick;
using namespace plenwick::bench;

namespace {

constexpr int64_t kEntities = 1000000;

// Resident bytes of this process now, from /proc.
int64_t ResidentBytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      int64_t kib = 0;
      status >> kib;
      return kib * 1024;
    }
  }
  return 0;
}

// A path for the shell, in single quotes.
std::string Quoted(const std::string& path) {
  std::string q;
  q += '\'';
  q += path;
  q += '\'';
  return q;
}

void Run(const std::string& command) {
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "failed: %s\n", command.c_str());
    std::exit(1);
  }
}

int ReadOrExit(const std::string& path, EntityList& list) {
  DxfContext context;
  DxfReadReport report;
  if (ReadDxf(context, path, list, report) != 0) {
    std::fprintf(stderr, "import failed: %s\n", report.error.c_str());
    std::exit(1);
  }
  return context.count;
}

// The child: the growth of the peak resident size over the import alone.
int ImportPeak(const std::string& path) {
  const int64_t before = ResidentBytes();
  EntityList list;
  ReadOrExit(path, list);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%lld\n", static_cast<long long>(usage.ru_maxrss * 1024 - before));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::strcmp(argv[1], "--import-peak") == 0) return ImportPeak(argv[2]);
  const std::string dir = argc > 1 ? argv[1] : ".";
  const std::string shared = PLENWICK_SHARED_BENCH_DIR;
  if (!std::filesystem::exists(shared + "/gen_dxf.py") || !std::filesystem::exists(shared + "/dxf_floor.cpp")) {
    std::fprintf(stderr, "dxf: %s/gen_dxf.py or dxf_floor.cpp not found; skipped\n", shared.c_str());
    return 0;
  }
  const std::string path = dir + "/bench_dxf.dxf";
  const std::string floor = dir + "/dxf_floor";
  Run("python3 " + Quoted(shared + "/gen_dxf.py") + " " + std::to_string(kEntities) + " " + Quoted(path) + " 2>/dev/null");
  Run(std::string(PLENWICK_CXX) + " -O2 -std=c++17 -o " + Quoted(floor) + " " + Quoted(shared + "/dxf_floor.cpp"));
  const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);

  const double floorMs = BestMs(3, [&] { Run(Quoted(floor) + " " + Quoted(path) + " > /dev/null"); });
  // The import alone: freeing the list afterwards is not timed (the floor never frees).
  double importMs = 1e300;
  int elements = 0;
  for (int i = 0; i < 3; ++i) {
    EntityList list;
    importMs = std::min(importMs, TimeMs([&] { elements = ReadOrExit(path, list); }));
  }

  long long peak = 0;
  const std::string measure = Quoted(argv[0]) + " --import-peak " + Quoted(path);
  if (std::FILE* child = ::popen(measure.c_str(), "r")) {
    if (std::fscanf(child, "%lld", &peak) != 1) peak = 0;
    ::pclose(child);
  }

  EntityList list;
  ReadOrExit(path, list);
  const std::string exported = dir + "/bench_dxf_export.dxf";
  const std::string saved = dir + "/bench_dxf_save.pwk";
  const DrawingFileInfo info = GeneratedDrawingInfo();
  std::string error;
  const double exportMs = BestMs(3, [&] {
    if (ExportDxf({}, exported, list, &error) != 0) {
      std::fprintf(stderr, "export failed: %s\n", error.c_str());
      std::exit(1);
    }
  });
  const double saveMs = BestMs(3, [&] {
    if (SaveDrawingFile(saved, info, list, &error) != 0) {
      std::fprintf(stderr, "save failed: %s\n", error.c_str());
      std::exit(1);
    }
  });

  Figure("dxf.entities", static_cast<double>(kEntities), "count");
  Figure("dxf.elements", elements, "count");
  Figure("dxf.file_mb", megabytes, "MB");
  Figure("dxf.floor_ms", floorMs, "ms");
  Figure("dxf.import_ms", importMs, "ms");
  Figure("dxf.import_vs_floor", importMs / floorMs, "ratio");
  Figure("dxf.import_peak_mb", static_cast<double>(peak) / (1024.0 * 1024.0), "MB");
  Figure("dxf.import_bytes_per_entity", static_cast<double>(peak) / static_cast<double>(kEntities), "bytes");
  Figure("dxf.export_ms", exportMs, "ms");
  Figure("dxf.save_ms", saveMs, "ms");
  Figure("dxf.export_vs_save", exportMs / saveMs, "ratio");
  for (const std::string& p : {path, floor, exported, saved}) std::remove(p.c_str());
  return 0;
}
