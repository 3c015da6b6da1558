// The drawing routine of one element: every kind, in any state, on the screen or on paper.
#pragma once

#include <optional>

#include "view/render_context.h"

namespace plenwick {

// Draws one element. State -1 erases (background colour, solid pen), 0 draws it normally (its
// layer decides between its own colour and the layer-off colour), other values draw it marked.
// Elements outside the visible window cost only their bounding-box test.
void RenderEntity(const RenderContext& ctx, const DrawEntity& entity, int state);

// The client-pixel rectangle to invalidate so that the next paint redraws the element: 10 pixels
// around a point, the element's extent with a margin for other kinds. Nothing for elements that
// draw nothing (grid, group headers) or have no finite extent.
std::optional<PixelRect> EntityInvalidationRect(const ViewMapping& mapping, const DrawEntity& entity);

}  // namespace plenwick
