// The terminators of a dimension in a DXF file.
#include "exchange/dxf_dimension_terminators.h"

namespace plenwick {

// Not written yet: the tip, direction and type come from the terminator placement the
// renderer's hook will share, which does not exist yet.
void WriteDimensionTerminators(DxfOutput&, const DxfContext&, const DrawEntity&) {}

}  // namespace plenwick
