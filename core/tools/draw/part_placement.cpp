// The shared part buffer and its extents.
#include "tools/draw/part_placement.h"

#include <cmath>

#include "model/entity_core.h"
#include "tools/edit/record_transform.h"
#include "view/geometry.h"

namespace plenwick {

namespace {

void Add(ModelRect& box, bool& any, ModelPoint p) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
  if (!any) {
    box = {p.x, p.y, p.x, p.y};
    any = true;
    return;
  }
  box.xmin = std::min(box.xmin, p.x);
  box.ymin = std::min(box.ymin, p.y);
  box.xmax = std::max(box.xmax, p.x);
  box.ymax = std::max(box.ymax, p.y);
}

// An arc's box: its ends and the quarter points its counter-clockwise span passes.
void AddArc(ModelRect& box, bool& any, const DrawEntity& e) {
  const double* v = e.values.get();
  const ModelPoint c{v[0], v[1]};
  const double r = std::fabs(v[2]);
  double start = v[3], end = v[4];
  if (e.subKind != 1) std::swap(start, end);
  ModelPoint a, b;
  ArcEndPoints(c, r, start, end, &a, &b);
  Add(box, any, a);
  Add(box, any, b);
  const double from = std::fmod(std::fmod(start, 360) + 360, 360);
  double span = std::fmod(std::fmod(end - start, 360) + 360, 360);
  if (span == 0) span = 360;
  for (int q = 0; q < 4; ++q) {
    const double at = std::fmod(q * 90.0 - from + 360, 360);
    if (at <= span) {
      const double rad = DegreesToRadians(q * 90.0);
      Add(box, any, {c.x + r * std::cos(rad), c.y + r * std::sin(rad)});
    }
  }
}

}  // namespace

void PartPlacement::Clear() {
  ClearEntityList(buffer);
  extents.reset();
}

void PartPlacement::Measure() { extents = PartExtents(buffer); }

ModelPoint PartPlacement::BasePoint() const {
  if (!extents) return {0, 0};
  const ModelRect& b = *extents;
  switch (base) {
    case PartBase::kLowerLeft: return {b.xmin, b.ymin};
    case PartBase::kUpperLeft: return {b.xmin, b.ymax};
    case PartBase::kCentre: break;
  }
  return {b.xmin + (b.xmax - b.xmin) / 2, b.ymin + (b.ymax - b.ymin) / 2};
}

PartPlacement& CurrentPartPlacement() {
  static PartPlacement placement;
  return placement;
}

std::optional<ModelRect> PartExtents(const EntityList& list) {
  ModelRect box;
  bool any = false;
  for (const DrawEntity& e : list) {
    if (!e.values || e.mark == kMarkDeleted) continue;
    switch (e.kind) {
      case kGrid:
      case kGroupHeader:
      case kDimension:
      case kHorizontalInfiniteLine:
      case kVerticalInfiniteLine:
      case kAngledInfiniteLine:
      case kImage: continue;
      case kCircle:
        if (e.valueCount >= 3) {
          const double* v = e.values.get();
          const double r = std::fabs(v[2]);
          Add(box, any, {v[0] - r, v[1] - r});
          Add(box, any, {v[0] + r, v[1] + r});
        }
        continue;
      case kArc:
        if (e.valueCount >= 5) AddArc(box, any, e);
        continue;
      default:
        for (const ModelPoint p : DefiningPoints(e)) Add(box, any, p);
    }
  }
  if (!any) return std::nullopt;
  return box;
}

int PanelLeftOnScreen(int left, int width, int screenRight) {
  constexpr int kInside = 20;
  return left + width > screenRight ? screenRight - kInside - width : left;
}

bool PartScaleAccepted(double scale) { return std::isfinite(scale) && scale >= kMinPartScale && scale <= kMaxPartScale; }

bool PartAngleAccepted(double angle) { return std::isfinite(angle) && angle >= -kMaxPartAngle && angle <= kMaxPartAngle; }

}  // namespace plenwick
