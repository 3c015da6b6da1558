// The marks at the ends of leaders and dimensions: a filled dot, or straight strokes from the tip
// (half arrow, arrow, oblique ticks), drawn in device pixels.
#pragma once

#include <span>

#include "view/canvas.h"
#include "view/view_mapping.h"

namespace plenwick {

enum TerminatorType : int {
  kTerminatorNone = 0,
  kTerminatorDot = 1,
  kTerminatorHalfArrow = 2,
  kTerminatorArrow = 3,
  kTerminatorTicks = 4,
};

// The turns (degrees, counter-clockwise in model orientation) of a type's strokes from θ, the
// direction from the direction point to the tip: −150 (half arrow), −150 and +150 (arrow), −30
// and +30 (ticks); none for other types. Exporters draw the same strokes in model units.
std::span<const double> TerminatorStrokeOffsets(int type);

// Device pixels: the radius of a dot and the length of a stroke.
struct TerminatorSize {
  int dotRadius = 0;
  int strokeLength = 0;
};

// Draws one mark at `tip` pointing away from `from` (model mm) with the canvas's pen: a dot
// filled in `colour`, or strokes whose ends are truncated to whole pixels. Strokes need a
// direction: nothing is drawn for them when tip and from coincide or are not finite.
void DrawTerminator(Canvas& canvas, const ViewMapping& mapping, int type, ModelPoint tip, ModelPoint from,
                    TerminatorSize size, ColourRef colour);

}  // namespace plenwick
