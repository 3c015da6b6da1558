// The brush a paint (kind 70) fills with: its pattern 1 to 6 a hatch brush, anything else solid.
#pragma once

#include "view/canvas.h"

namespace plenwick {

Brush PaintPatternBrush(int pattern, ColourRef colour);

}  // namespace plenwick
