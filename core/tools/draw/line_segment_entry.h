// The end of a segment drawn from an anchor point, shared by the line, polyline and width line:
// the length, angle and horizontal/vertical rules for the cursor, the typed ends, and the rule
// that a click on the anchor's own pixel gives nothing.
#pragma once

#include <optional>

#include "tools/draw/line_geometry.h"
#include "view/tool_framework/interaction_state.h"

namespace plenwick {

struct SegmentRules {
  bool axisOnly = false;  // each segment horizontal or vertical
  bool lengthOn = false;
  double length = 0;      // mm
  bool angleOn = false;   // the straight line's angle (degrees); ignored with axisOnly
  double angle = 0;
  // Typed values: a length and an angle or X and Y offsets (the two-value dialog), else one
  // distance (along the axis, or toward the mouse).
  bool twoValues = false;
};

class SegmentEntry {
 public:
  // Starts at p (model mm), clicked at `click` (none: typed).
  void Start(ModelPoint p, PixelPoint pixel, std::optional<PixelPoint> click);
  ModelPoint anchor() const { return anchor_; }

  // Whether a click lands on the pixel of the click that set the anchor.
  bool SamePixel(PixelPoint click) const { return click_ && *click_ == click; }
  // The end for a cursor or click at `pixel` standing for `point` (model mm). With axisOnly the
  // direction is decided here and kept for typed values.
  ModelPoint EndFor(const SegmentRules& rules, ModelPoint point, PixelPoint pixel);
  // The end of a typed input; `mouse` (model mm) gives the side or direction of a single value.
  ModelPoint TypedEnd(const SegmentRules& rules, const InteractionState& state, ModelPoint mouse) const;

 private:
  ModelPoint anchor_;
  PixelPoint pixel_;                 // the anchor in client pixels
  std::optional<PixelPoint> click_;  // the click that set it
  bool horizontal_ = true;
};

}  // namespace plenwick
