// Model extents of elements: the culling box of the renderer and the box "show whole" fits.
#pragma once

#include "model/draw_entity.h"
#include "view/view_mapping.h"

namespace plenwick {

// A box that contains everything the element draws (texts: a generous box around the insertion
// point). False for kinds that draw nothing by themselves (grid, group header, dimension) and for
// elements with too few values.
bool EntityDrawingBounds(const DrawEntity& entity, ModelRect& box);

// Adds the element to the "show whole" box: points by position, lines and vertex lists by their
// vertices, circles and arcs by centre +- radius, texts by the insertion point extended up by the
// height and right by height x character count. Non-finite values are ignored.
void AddToWholeBounds(const DrawEntity& entity, ModelRect& box);
// The starting box of "show whole" (nothing added yet).
ModelRect EmptyWholeBounds();

}  // namespace plenwick
