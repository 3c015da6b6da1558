// The terminators of a dimension in a DXF file.
#include "exchange/dxf_dimension_terminators.h"

#include "exchange/dimension_terminator_shapes.h"

namespace plenwick {

void WriteDimensionTerminators(DxfOutput& out, const DxfContext& context, const DrawEntity& dimension) {
  const DimensionTerminatorShapes shapes = TerminatorShapesOf(dimension, context.ltScale);
  // Dots too take the dimension's layer and line type, so that they go with it in other programs.
  const DxfStyle style = DxfStyleOf(dimension.lineAttr);
  for (const TerminatorCircle& c : shapes.circles) out.Circle(c.centre, c.radius, style);
  for (const ModelSegment& s : shapes.strokes) out.Line(s.a, s.b, style);
}

}  // namespace plenwick
