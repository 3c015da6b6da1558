// The distance label of a rubber-band segment: its text, where it goes and how it is drawn by
// exclusive-or, so that drawing the same label twice removes it.
#pragma once

#include <optional>
#include <string>

#include "view/canvas.h"
#include "view/view_mapping.h"

namespace plenwick {

// The length formatted "%0.1f" without trailing zeros or a trailing point.
std::string DistanceLabelText(double length);

struct DistanceLabelPlan {
  std::string text;       // UTF-8 (digits and a point)
  PixelPoint anchor;      // where the label's picture goes (its top-left corner)
  PixelPoint textTopLeft; // the text cell, centred in the picture
  FontSpec font;
};

// The label for the segment from p (the last entered point) to q (the cursor), model mm; nothing
// when the segment is shorter than 0.05 mm. Near-horizontal segments (within 10 degrees of 0 or
// 180) move the label left by 8 pixels per character (one less with a point); every label sits
// 15 pixels above the segment's midpoint.
std::optional<DistanceLabelPlan> PlanDistanceLabel(const ViewMapping& mapping, ModelPoint p, ModelPoint q);

// Draws the label by exclusive-or in yellow; the canvas's drawing state is restored afterwards.
void DrawDistanceLabel(Canvas& canvas, const DistanceLabelPlan& plan);

}  // namespace plenwick
