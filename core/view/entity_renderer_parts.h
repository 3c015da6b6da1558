// The per-kind drawing functions behind RenderEntity (internal to the renderer).
#pragma once

#include "view/render_context.h"

namespace plenwick::render_parts {

// Each draws one element of its kind in an effective state and its colour; culling by the
// element's box has been done by the caller where the kind has no rule of its own.
void DrawLeaderText(const RenderContext& ctx, const DrawEntity& e, int state, ColourRef colour);
void DrawPaint(const RenderContext& ctx, const DrawEntity& e, ColourRef colour);
void DrawHatch(const RenderContext& ctx, const DrawEntity& e, int state, ColourRef colour);
void DrawImage(const RenderContext& ctx, const DrawEntity& e, int state, ColourRef colour);

// The text part of texts and leader texts (values 0..4): skipped when the insertion point is
// outside the visible window or the height is below one pixel.
void DrawTextPart(const RenderContext& ctx, const DrawEntity& e, ColourRef colour);

}  // namespace plenwick::render_parts
