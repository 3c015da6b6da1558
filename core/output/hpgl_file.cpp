// Writing .pgl files.
#include "output/hpgl_file.h"

#include <algorithm>

#include "platform/byte_io.h"
#include "platform/file_io.h"

namespace plenwick {

namespace {

// Bytes handed to the file at a time.
constexpr std::size_t kChunkBytes = std::size_t{1} << 19;
// Progress is told about once in this many elements.
constexpr std::size_t kProgressEvery = 4096;

}  // namespace

bool HasElementsToPlot(const EntityList& list) {
  return std::any_of(list.begin(), list.end(), [](const DrawEntity& e) { return e.kind != kGrid; });
}

HpglDrawing HpglDrawingOf(const std::array<double, 3>& areaMin, const std::array<double, 3>& areaMax, double scale,
                          const LayerTable& layers) {
  HpglDrawing d;
  d.areaMin = {areaMin[0], areaMin[1]};
  d.areaMax = {areaMax[0], areaMax[1]};
  d.scale = scale;
  d.currentLayer = layers.currentLayer;
  d.layerStates = layers.states;
  return d;
}

HpglExportResult ExportHpgl(const std::string& path, HpglOptions options, const HpglDrawing& drawing,
                            const EntityList& list, const HpglProgress& progress, std::string* error) {
  if (!HasElementsToPlot(list)) return HpglExportResult::kNothingToPlot;
  options.allLayers = false;
  const std::size_t total = progress ? list.size() : 0;
  bool stopped = false;
  std::string why;
  const bool written = WriteFileAtomically(
      path,
      [&](const ByteSink& sink) {
        ChunkWriter out(sink, kChunkBytes);
        HpglGenerator generator(
            options, drawing, [&](std::string_view line) { out.Write(line.data(), line.size()); }, "\r\n");
        generator.Start();
        std::size_t done = 0;
        for (const DrawEntity& e : list) {
          if (!out.ok()) break;
          generator.Element(e);
          if (++done % kProgressEvery == 0 && progress && !progress(done, total)) {
            stopped = true;
            break;
          }
        }
        generator.End();
        if (!stopped && progress) progress(total, total);
        return out.Finish();
      },
      &why);
  if (!written) {
    if (error) *error = why.empty() ? "HPGLファイルを書き込めませんでした。" : why;
    return HpglExportResult::kFailed;
  }
  return stopped ? HpglExportResult::kStopped : HpglExportResult::kWritten;
}

}  // namespace plenwick
