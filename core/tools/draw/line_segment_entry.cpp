// Segment ends from the anchor by the line tools' rules.
#include "tools/draw/line_segment_entry.h"

#include "view/pixel_geometry.h"

namespace plenwick {

void SegmentEntry::Start(ModelPoint p, std::optional<PixelPoint> click, const ViewMapping& mapping) {
  anchor_ = p;
  click_.reset();
  if (click) click_ = mapping.ScreenToModel(click->x, click->y);
}

bool SegmentEntry::SamePixel(PixelPoint click, const ViewMapping& mapping) const {
  // Rounded to the nearest pixel, so that the same mapping gives back the very pixel clicked.
  return click_ && RoundToPixel({mapping.ScreenXOf(click_->x), mapping.ScreenYOf(click_->y)}) == click;
}

ModelPoint SegmentEntry::EndFor(const SegmentRules& rules, ModelPoint point, PixelPoint pixel,
                                const ViewMapping& mapping) {
  const ModelPoint p = anchor_;
  if (rules.axisOnly) {
    horizontal_ = IsHorizontalDrag(mapping.ModelToScreen(p), pixel);
    const ModelPoint q = AxisEnd(p, point, horizontal_);
    return rules.lengthOn ? FixedLengthEnd(p, q, rules.length) : q;
  }
  if (rules.lengthOn && rules.angleOn) return LengthAndAngleEnd(p, point, rules.length, rules.angle);
  if (rules.lengthOn) return FixedLengthEnd(p, point, rules.length);
  if (rules.angleOn) return AngleOnlyEnd(p, point, rules.angle);
  return point;
}

ModelPoint SegmentEntry::TypedEnd(const SegmentRules& rules, const InteractionState& state, ModelPoint mouse) const {
  const ModelPoint p = anchor_;
  const double d = state.EnteredValue;
  if (rules.axisOnly) return AxisNumericEnd(p, mouse, horizontal_, d);
  if (rules.twoValues) return NumericLineEnd(p, state.EnteredMode, d, state.EnteredValue2);
  // One distance toward the mouse (along +x when the mouse is on the anchor).
  const double toMouse = Distance(p, mouse);
  if (!(toMouse > 0)) return {p.x + d, p.y};
  return {p.x + d * (mouse.x - p.x) / toMouse, p.y + d * (mouse.y - p.y) / toMouse};
}

}  // namespace plenwick
