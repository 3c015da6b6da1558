// The terminators (dots and arrow strokes) of a dimension as plain circles and segments in model
// units, for the file formats that have no terminators of their own. The dimension's lines, arcs
// and texts are its parts, written as ordinary elements.
#pragma once

#include <vector>

#include "model/draw_entity.h"
#include "view/render_hooks.h"

namespace plenwick {

struct TerminatorCircle {
  ModelPoint centre;
  double radius = 0;
};

struct DimensionTerminatorShapes {
  std::vector<TerminatorCircle> circles;  // a dot: two circles of radius R and R/2
  std::vector<ModelSegment> strokes;      // an arrow: one segment per stroke
};

// The terminators of one dimension (kind 50), sized for the drawing scale `scale`. Kind 8 has none.
DimensionTerminatorShapes TerminatorShapesOf(const DrawEntity& dimension, double scale);

// Whether an element goes into an exported file: not deleted, and selected when only the
// selection is exported. A dimension's parts follow their dimension.
bool IsExported(const DrawEntity& e, bool selectionOnly);

}  // namespace plenwick
