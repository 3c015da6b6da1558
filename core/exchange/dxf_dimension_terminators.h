// The terminators (dots and arrow strokes) of a dimension in a DXF file. The dimension's lines,
// arcs and texts are its parts, written as ordinary entities; only the terminators belong to the
// dimension record itself.
#pragma once

#include "exchange/dxf_exchange.h"
#include "exchange/dxf_output.h"
#include "model/draw_entity.h"

namespace plenwick {

// Writes the terminators of one dimension (kind 50) in model units: a dot as two CIRCLEs of
// radius R and R/2, an arrow as one LINE per stroke, sized by context.ltScale, with the
// dimension's layer and line type. Kind 8 has none.
void WriteDimensionTerminators(DxfOutput& out, const DxfContext& context, const DrawEntity& dimension);

}  // namespace plenwick
