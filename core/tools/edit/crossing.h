// Whether a crossing line (model mm) meets an element, by what each kind offers to cross: a
// point near the line, the lines, curves, circles and arcs themselves, the frame of a text (and
// a leader text's leader), and the outline of a paint, hatching, image or polygon.
#pragma once

#include "model/draw_entity.h"
#include "view/geometry.h"

namespace plenwick {

// False for kinds without geometry of their own (dimensions, group headers, the grid): a
// dimension is crossed through its parts.
bool CrossesEntity(const DrawEntity& e, ModelPoint a, ModelPoint b);

}  // namespace plenwick
