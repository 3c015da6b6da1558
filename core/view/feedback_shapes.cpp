// The feedback and grips of picking and selection as shapes in client pixels.
#include "view/feedback_shapes.h"

namespace plenwick {

std::array<PixelLine, 2> CrossMarkLines(PixelPoint p) {
  return {PixelLine{{p.x - 4, p.y}, {p.x + 5, p.y}}, PixelLine{{p.x, p.y - 4}, {p.x, p.y + 5}}};
}

Grip GripAt(PixelPoint p, int32_t fill) { return {{p.x - 3, p.y - 3, p.x + 3, p.y + 3}, fill}; }

std::vector<Grip> GripsOf(const SnapPointList& points, const DrawEntity& e, const ScreenMapping& mapping) {
  std::vector<Grip> grips;
  if (!mapping.toScreen) return grips;
  for (const SnapPoint* p : points.PointsOf(&e)) {
    if (p->pointKind == kSnapArcQuadrant || p->pointKind == kSnapIntersection) continue;
    const bool midpoint = e.kind == kLine && p->pointKind == kSnapLineMidpoint;
    grips.push_back(GripAt(mapping.toScreen(p->x, p->y), midpoint ? kGripMidpointFill : kGripFill));
  }
  return grips;
}

RubberRectPlan DrawRubberRect(RubberRectState* state, PixelPoint point, int highlight, int32_t indicatorColour,
                              int32_t highlightColour) {
  RubberRectPlan plan;
  plan.colour = highlight == 1 ? indicatorColour : highlightColour;
  auto rectTo = [&](PixelPoint corner) { return PixelRect{state->press.x, state->press.y, corner.x, corner.y}; };
  if (state->drawn) plan.rects.push_back(rectTo(state->corner));
  state->corner = point;
  plan.rects.push_back(rectTo(point));
  state->drawn = true;
  return plan;
}

}  // namespace plenwick
