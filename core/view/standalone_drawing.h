// A drawing held without a document, for batch tools and benchmarks that only show or print it:
// the storage a ViewDocument refers to.
#pragma once

#include <array>
#include <cstdint>

#include "model/drawing_file.h"
#include "model/drawing_header.h"
#include "model/drawing_values.h"
#include "model/entity_list.h"
#include "model/layer_table.h"
#include "view/view_document.h"

namespace plenwick {

struct StandaloneDrawing {
  // A4 landscape at 1:1 with the default display colours and layers, no stored area.
  StandaloneDrawing();
  StandaloneDrawing(const StandaloneDrawing&) = delete;
  StandaloneDrawing& operator=(const StandaloneDrawing&) = delete;

  // Takes over what a drawing file carried (as opening a document does): header, layers and
  // current layer, display colours, drawing area.
  void TakeFileInfo(const DrawingFileInfo& info);
  // A file info to read into: this drawing's layers and colours stand for what the file omits.
  DrawingFileInfo FileInfoToRead() const;

  ViewDocument view();

  EntityList entities;
  LayerTable layers;
  DrawingHeader header;
  DrawingValues drawingValues;
  double originX = 0;
  double originY = 0;
  int32_t areaSet = 0;
  std::array<double, 3> areaMin{};
  std::array<double, 3> areaMax{};
  int32_t extentWidth = 594;
  int32_t extentHeight = 420;
};

}  // namespace plenwick
