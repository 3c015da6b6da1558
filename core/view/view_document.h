// What a view reads from and writes to its drawing: the elements, layers, header, display
// colours, drawing area, origin offset and extent. A set of references, so that a document or a
// drawing read by a batch tool can be shown alike.
#pragma once

#include <array>
#include <cstdint>

#include "model/drawing_header.h"
#include "model/drawing_values.h"
#include "model/entity_list.h"
#include "model/layer_table.h"

namespace plenwick {

class CPlenwickDoc;

struct ViewDocument {
  EntityList& entities;
  LayerTable& layers;
  DrawingHeader& header;          // scale, paper size index, orientation, paper mode, print type
  DrawingValues& drawingValues;   // the eight display colours
  double& originX;                // origin offset, model mm
  double& originY;
  int32_t& areaSet;               // 1 when the drawing area below is stored
  std::array<double, 3>& areaMin; // drawing area, model mm
  std::array<double, 3>& areaMax;
  int32_t& extentWidth;           // document extent, pixels
  int32_t& extentHeight;
};

ViewDocument ViewDocumentOf(CPlenwickDoc& doc);

}  // namespace plenwick
