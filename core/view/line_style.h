// How line types and pens become screen pens and printed pens with their dash patterns.
#pragma once

#include <span>
#include <vector>

#include "view/canvas.h"
#include "view/render_settings.h"

namespace plenwick {

// Line type to pen style: 0 solid, 1 dotted, 2 dashed, 3 dash-dot, 4 dash-dot-dot, else solid.
PenStyle LineStyleToPen(int lineType);
// Screen width in pixels: thick types 5, 6, 7 are 2, 4 and 8 pixels, others 1.
int ScreenPenWidth(int lineType);
// Printed width in device pixels: the pen's width in mm (pens outside 0..7 use pen 0), or the
// thick-line width for types 5..7, times the device pixels per mm, rounded, at least 1.
int PrintedPenWidth(const RenderSettings& settings, int lineType, int pen, double devicePixelsPerMm);
// Printed dash pattern (on, off, ...) in device pixels with unit g: type 1 [g, g], 2 [3g, g],
// 3 [3g, g, g, g], 4 [3g, g, g, g, g, g]; empty (solid) for other types.
std::vector<int> PrintedDashPattern(int lineType, int g);

// Cuts a polyline into the "on" pieces of a dash pattern that starts at its first point and
// continues across its vertices. Only the parts inside `bounds` are emitted (the pattern phase
// is still advanced over the rest), so the work is bounded by the page, not by the line.
void CollectDashPieces(std::span<const PixelPoint> polyline, std::span<const int> pattern, const PixelRect& bounds,
                       std::vector<PixelPolyline>& out);

}  // namespace plenwick
