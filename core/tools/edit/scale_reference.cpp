// The box of a selected set and its reference point.
#include "tools/edit/scale_reference.h"

#include <cmath>

#include "tools/edit/arc_span.h"
#include "tools/edit/record_transform.h"
#include "view/entity_shape.h"

namespace plenwick {

namespace {

// Boxes narrower than this (mm) have no usable centre or corner.
constexpr double kNarrowestBox = 0.05;

void Include(std::optional<ModelRect>& box, ModelPoint p) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
  if (!box) {
    box = ModelRect{p.x, p.y, p.x, p.y};
    return;
  }
  box->xmin = std::min(box->xmin, p.x);
  box->ymin = std::min(box->ymin, p.y);
  box->xmax = std::max(box->xmax, p.x);
  box->ymax = std::max(box->ymax, p.y);
}

// A circle's four quadrant points; an arc's ends and the quadrant points within its sweep.
void IncludeRound(std::optional<ModelRect>& box, const CircleShape& shape) {
  const ArcSpan span = ArcSpan::Of(shape);
  if (!shape.whole) {
    Include(box, shape.start);
    Include(box, shape.end);
  }
  for (int quadrant = 0; quadrant < 4; ++quadrant) {
    const double a = DegreesToRadians(90.0 * quadrant);
    const ModelPoint p{shape.centre.x + shape.radius * std::cos(a), shape.centre.y + shape.radius * std::sin(a)};
    if (shape.whole || span.Along(p) <= span.sweepDeg) Include(box, p);
  }
}

}  // namespace

std::optional<ModelRect> BoxOfRecords(const std::vector<DrawEntity*>& records) {
  std::optional<ModelRect> box;
  for (const DrawEntity* e : records) {
    if (e->kind == kGrid || e->kind == kGroupHeader) continue;
    CircleShape shape;
    if ((e->kind == kCircle || e->kind == kArc) && CircleOf(*e, &shape) && shape.radius > 0) {
      IncludeRound(box, shape);
      continue;
    }
    for (const ModelPoint p : DefiningPoints(*e)) Include(box, p);
  }
  return box;
}

ModelPoint ScaleReferencePoint(const std::optional<ModelRect>& box, int reference) {
  if (!box || !(box->width() >= kNarrowestBox) || !(box->height() >= kNarrowestBox)) return {0, 0};
  switch (reference) {
    case kScaleLowerLeft: return {box->xmin, box->ymin};
    case kScaleUpperLeft: return {box->xmin, box->ymax};
    default: return {(box->xmin + box->xmax) / 2, (box->ymin + box->ymax) / 2};
  }
}

}  // namespace plenwick
