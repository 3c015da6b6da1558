// Benchmark "hpgl": writing the HP-GL file of the file benchmark's 1,000,000-element drawing
// against saving it as a drawing file.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_timing.h"
#include "drawing_generator.h"
#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "output/hpgl_file.h"
#include "tools/standard_tools.h"

using namespace plenwick;
using namespace plenwick::bench;

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : ".";
  InstallToolExtensions();
  const DrawingFileInfo info = GeneratedDrawingInfo();
  EntityList list;
  GeneratePlanDrawing(list, {1000000, 12345, true, true});

  std::string error;
  const double saveMs = MedianMs(3, [&] {
    if (SaveDrawingFile(dir + "/bench_hpgl.pwk", info, list, &error) != 0) {
      std::fprintf(stderr, "save failed: %s\n", error.c_str());
      std::exit(1);
    }
  });
  LayerTable layers = info.layers;
  layers.states.fill(kLayerNormal);
  const HpglDrawing drawing = HpglDrawingOf(info.areaMin, info.areaMax, info.header.scale(), layers);
  const double exportMs = MedianMs(3, [&] {
    if (ExportHpgl(dir + "/bench_hpgl.pgl", HpglOptions{}, drawing, list, nullptr, &error) != HpglExportResult::kWritten) {
      std::fprintf(stderr, "export failed: %s\n", error.c_str());
      std::exit(1);
    }
  });
  Figure("hpgl.save_ms", saveMs, "ms");
  Figure("hpgl.export_ms", exportMs, "ms");
  Figure("hpgl.export_vs_save", exportMs / saveMs, "x");
  return 0;
}
