// A part drawn to fit a box of pixels: the browser's preview and its thumbnails.
#pragma once

#include <optional>

#include "model/entity_list.h"
#include "view/canvas.h"
#include "view/view_mapping.h"

namespace plenwick {

// The fit of extents W × H into a box: e millimetres per pixel, W / boxWidth / 0.8 when the part
// is wider than high, else H / boxHeight / 0.8, and the margins that centre it.
struct PartPreviewFit {
  double mmPerPixel = 1;
  double marginX = 0;
  double marginY = 0;
};
// A part of no size at all (a single point) is shown at one millimetre per pixel.
PartPreviewFit FitPartPreview(const ModelRect& extents, int boxWidth, int boxHeight);

// The mapping that shows `extents` so fitted in a box of boxWidth × boxHeight client pixels.
ViewMapping PartPreviewMapping(const ModelRect& extents, int boxWidth, int boxHeight);

// Clears the box (inset by one pixel, clipped) and draws the part's points, lines, curves,
// circles, arcs, texts, leader texts, paints, hatchings and polygons fitted into it; only the
// clearing when there are no extents.
void DrawPartPreview(Canvas& canvas, int boxWidth, int boxHeight, const EntityList& part,
                     const std::optional<ModelRect>& extents);

}  // namespace plenwick
