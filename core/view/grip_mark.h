// The grip square shown at the characteristic points of a selected element.
#pragma once

#include "view/canvas.h"

namespace plenwick {

inline constexpr ColourRef kGripColour = MakeColourRef(0, 255, 0);
inline constexpr ColourRef kMidpointGripColour = MakeColourRef(255, 128, 255);

// A square from 3 pixels before to 3 pixels after the point, black 1-pixel solid outline, solid
// fill. Leaves the canvas with that pen and brush.
void DrawGripMark(Canvas& canvas, PixelPoint at, ColourRef fill);

}  // namespace plenwick
