// The arrows and dots at the ends of a dimension: where they go (model mm, shared by the screen,
// printing, DXF and plotter output), how big they are and how the renderer draws them. They are
// drawn from the dimension element itself, not from its generated parts.
#pragma once

#include <vector>

#include "view/dimension_record.h"
#include "view/render_context.h"
#include "view/terminator_shape.h"

namespace plenwick {

// One terminator: at `tip`, pointing away from `from`, of TerminatorType `type` (1..4).
struct DimensionTerminator {
  ModelPoint tip;
  ModelPoint from;
  int type = kTerminatorNone;
};

// The terminators of a dimension by its kind and the digits of its mark code (code 14: ten
// thousands the type at the first end, thousands at the last end, hundreds at inner points):
// - distance, horizontal, vertical, diameter (and unknown kinds): at the first dimension-line
//   point (from the last), at the last (from the first), and two at every inner point of a chain
//   (from the previous and from the next point);
// - perimeter, radius: one at (40, 41) from (50, 51);
// - angles: one at each end of the dimension arc (codes 23..27), from the point 1000 along the
//   tangent on the arc's side, so that both point away from the arc;
// - area: none.
// Terminators that draw nothing are left out: types other than 1..4, tips that are not finite, a
// tip that coincides with its direction point, and the ends of a dimension arc of radius below
// 0.5 (which give no direction).
std::vector<DimensionTerminator> PlaceDimensionTerminators(const DrawEntity& dimension);

// Size indexes 0..4 from the mark code: units digit the arrow size, tens digit the dot size
// (digits beyond 4 count as 4).
struct DimensionMarkSizes {
  int dotIndex = 0;
  int arrowIndex = 0;
};
DimensionMarkSizes DimensionMarkSizesOf(const DimensionRecord& record);

// Device-pixel sizes. Size mode 0: on screen dots of 2..6 and strokes of 6..15 pixels; printing
// PixelsPerMm × that / 3 (strokes plus half a device millimetre). Size mode 1 (follows the
// paper): strokes near(A × PixelsPerMm) with A = 4..12 and dots R × PixelsPerMm with R = 2..6,
// on screen and printing alike.
TerminatorSize DimensionTerminatorSize(const RenderContext& ctx, DimensionMarkSizes sizes);

// Draws the terminators of one dimension (the renderer's hook): solid pen in `colour`, 1 pixel
// on screen, the printed width of pen `lineAttr` (pen 0 outside 0..7) when printing; a
// terminator whose tip lies outside the visible window is skipped.
void DrawDimensionTerminators(const RenderContext& ctx, const DrawEntity& dimension, int state, ColourRef colour);

}  // namespace plenwick
