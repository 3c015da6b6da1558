// Where a drawing read from DXF lies on its paper: DXF coordinates are taken as relative to the
// paper's centre, the scale comes from $LTSCALE and the paper is guessed from $EXTMAX.
#pragma once

#include <array>
#include <cstdint>

#include "exchange/dxf_exchange.h"
#include "model/drawing_header.h"
#include "model/entity_list.h"

namespace plenwick {

struct DxfPlacement {
  float scale = 1;            // the drawing scale, 1:n
  int16_t paperSize = 0;      // paper size index, A0..B6
  int16_t orientation = 0;    // 0 landscape, 1 portrait
  std::array<double, 3> areaMin{}, areaMax{}, extentMin{}, extentMax{};
  double originX = 0, originY = 0;  // half the area: what every element is shifted by
};

// The placement of a drawing whose header the reader put into `context`: the paper whose sides
// times the scale match $EXTMAX within 1 (landscape first, then portrait), else A1 landscape
// with the area made to fit it.
DxfPlacement PlaceDxfDrawing(const DxfContext& context);

// Puts the placement into the header and shifts every element of the list by its origin.
void ApplyDxfPlacement(const DxfPlacement& placement, DrawingHeader& header, EntityList& list);

// The document path of a drawing read from `dxfPath`: the same folder and name with ".pwk" in
// place of a ".dxf" extension of any case (added when there is none).
std::string DxfDocumentPath(const std::string& dxfPath);

// Whether `path` names a DXF file by its extension, of any case.
bool IsDxfPath(const std::string& path);

}  // namespace plenwick
