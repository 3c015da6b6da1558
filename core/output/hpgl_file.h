// HP-GL files (.pgl): the plotter stream written one command to a line, each line ended by CR LF
// (a label keeps its ETX before it), from the initialisation line to the end line.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "model/entity_list.h"
#include "model/layer_table.h"
#include "output/hpgl_generator.h"

namespace plenwick {

// Told how many elements of `total` are done; false stops the export, whose file then holds
// what was written, closed by the end line.
using HpglProgress = std::function<bool(std::size_t done, std::size_t total)>;

enum class HpglExportResult { kWritten, kStopped, kNothingToPlot, kFailed };

// The plotter view of a drawing: its area, scale, current layer and layer states.
HpglDrawing HpglDrawingOf(const std::array<double, 3>& areaMin, const std::array<double, 3>& areaMax, double scale,
                          const LayerTable& layers);

// Writes the elements of `list` (with "表示要素のみ": files always take what is shown) to `path`.
// A drawing with nothing but its grid writes nothing (kNothingToPlot). The file is replaced only
// once it is complete: a failed write keeps the old one and says why in `error`.
HpglExportResult ExportHpgl(const std::string& path, HpglOptions options, const HpglDrawing& drawing,
                            const EntityList& list, const HpglProgress& progress, std::string* error);

}  // namespace plenwick
