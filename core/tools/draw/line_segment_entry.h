// The end of a segment drawn from an anchor point, shared by the line, polyline and width line:
// the length, angle and horizontal/vertical rules for the cursor, the typed ends, and the rule
// that a click on the anchor's own pixel gives nothing.
#pragma once

#include <optional>

#include "tools/draw/line_geometry.h"
#include "view/view_mapping.h"
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

// The anchor and its click are kept in model mm: their pixels are taken under the mapping of the
// moment, so that a zoom or pan during the operation moves them with the picture.
class SegmentEntry {
 public:
  // Starts at p (model mm), clicked at `click` (client pixels under `mapping`; none: typed).
  void Start(ModelPoint p, std::optional<PixelPoint> click, const ViewMapping& mapping);
  ModelPoint anchor() const { return anchor_; }

  // Whether a click (client pixels) lands on the pixel of the click that set the anchor.
  bool SamePixel(PixelPoint click, const ViewMapping& mapping) const;
  // The end for a cursor or click at `pixel` standing for `point` (model mm). With axisOnly the
  // direction is decided here, from the anchor's pixel, and kept for typed values.
  ModelPoint EndFor(const SegmentRules& rules, ModelPoint point, PixelPoint pixel, const ViewMapping& mapping);
  // The end of a typed input; `mouse` (model mm) gives the side or direction of a single value.
  ModelPoint TypedEnd(const SegmentRules& rules, const InteractionState& state, ModelPoint mouse) const;

 private:
  ModelPoint anchor_;
  std::optional<ModelPoint> click_;  // the click that set it
  bool horizontal_ = true;
};

}  // namespace plenwick
