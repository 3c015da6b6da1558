// The feedback and grips of picking and selection in client pixels.
#include "view/feedback_shapes.h"

#include <algorithm>

namespace plenwick {

std::array<PixelLine, 2> CrossMarkLines(PixelPoint p) {
  return {PixelLine{{p.x - 4, p.y}, {p.x + 5, p.y}}, PixelLine{{p.x, p.y - 4}, {p.x, p.y + 5}}};
}

void DrawCrossMark(Canvas& canvas, int x, int y) {
  for (const PixelLine& line : CrossMarkLines({x, y})) canvas.Line(line.from, line.to);
}

std::vector<Grip> GripsOf(const SnapPointList& points, const DrawEntity& e, const ViewMapping& mapping) {
  std::vector<Grip> grips;
  for (const SnapPoint* p : points.PointsOf(&e)) {
    if (p->pointKind == kSnapArcQuadrant || p->pointKind == kSnapIntersection) continue;
    const bool midpoint = e.kind == kLine && p->pointKind == kSnapLineMidpoint;
    grips.push_back({mapping.ModelToScreen(p->x, p->y), midpoint ? kMidpointGripColour : kGripColour});
  }
  return grips;
}

void ShowGrips(Canvas& canvas, const SnapPointList& points, const DrawEntity& e, const ViewMapping& mapping) {
  for (const Grip& grip : GripsOf(points, e, mapping)) DrawGripMark(canvas, grip.at, grip.fill);
}

RubberRectPlan PlanRubberRect(RubberRectState* state, PixelPoint point, int highlight, ColourRef indicatorColour,
                              ColourRef highlightColour) {
  RubberRectPlan plan;
  plan.colour = highlight == 1 ? indicatorColour : highlightColour;
  auto rectTo = [&](PixelPoint corner) {
    const PixelPoint a = state->press;
    return PixelRect{std::min(a.x, corner.x), std::min(a.y, corner.y), std::max(a.x, corner.x), std::max(a.y, corner.y)};
  };
  if (state->drawn) plan.rects.push_back(rectTo(state->corner));
  state->corner = point;
  plan.rects.push_back(rectTo(point));
  state->drawn = true;
  return plan;
}

void DrawRubberRect(Canvas& canvas, RubberRectState* state, PixelPoint point, int highlight, ColourRef indicatorColour,
                    ColourRef highlightColour) {
  const RubberRectPlan plan = PlanRubberRect(state, point, highlight, indicatorColour, highlightColour);
  const DrawMode saved = canvas.drawMode();
  canvas.SetDrawMode(DrawMode::kNotXor);
  canvas.SetPen({PenKind::kCosmetic, PenStyle::kDot, 1, plan.colour});
  canvas.SetBrush({});
  canvas.SetBackgroundMode(BackgroundMode::kTransparent);
  for (const PixelRect& rect : plan.rects) canvas.Rectangle(rect);
  canvas.SetDrawMode(saved);
}

}  // namespace plenwick
