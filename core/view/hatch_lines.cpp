// Hatch-line generation for hatchings.
#include "view/hatch_lines.h"

#include <algorithm>
#include <cmath>

#include "view/entity_shape.h"
#include "view/hatch_sweep.h"

namespace plenwick {

namespace {

// The box of the boundary's vertices, circles taken whole.
Box VertexBox(const std::vector<BoundaryPiece>& pieces) {
  Box box;
  for (const BoundaryPiece& p : pieces) {
    if (p.kind == BoundaryPiece::Kind::kCircle) {
      const double r = std::fabs(p.radius);
      box.Add({p.centre.x - r, p.centre.y - r});
      box.Add({p.centre.x + r, p.centre.y + r});
    } else {
      box.Add(p.point);
    }
  }
  return box;
}

bool Holds(Box outer, const Box& inner) {
  if (!std::isfinite(outer.minX) || !std::isfinite(outer.minY) || !std::isfinite(outer.maxX) ||
      !std::isfinite(outer.maxY) || outer.IsEmpty()) {
    return false;
  }
  outer.Grow(kCoincidentTolerance);
  return outer.Contains({inner.minX, inner.minY}) && outer.Contains({inner.maxX, inner.maxY});
}

ModelPoint At(const LineFamily& f, double u, double t) {
  return {f.origin.x + u * f.normal.x + t * f.along.x, f.origin.y + u * f.normal.y + t * f.along.y};
}

int64_t Parity(int64_t k) { return ((k % 2) + 2) % 2; }

// Every how many lines to keep of lines `pixelsApart` apart: all from half a pixel up, else as
// few as still leave no more than a pixel between neighbours, so the same pixels are reached. An
// odd stride keeps lines of both parities.
int64_t Stride(double pixelsApart, bool odd) {
  if (!(pixelsApart > 0) || pixelsApart >= 0.5) return 1;
  auto stride = static_cast<int64_t>(std::min(1 / pixelsApart, 0x1p51));
  if (odd && stride % 2 == 0) --stride;
  return stride;
}

// The lines of family `f` a screen needs: those that may cross its window, thinned by `stride`.
LineSelection OnScreen(const HatchScreenView* screen, const LineFamily& f, int64_t stride) {
  if (!screen) return {};
  const ModelRect& w = screen->window;
  LineSelection wanted{stride, HUGE_VAL, -HUGE_VAL};
  for (const ModelPoint corner : {ModelPoint{w.xmin, w.ymin}, ModelPoint{w.xmax, w.ymin}, ModelPoint{w.xmin, w.ymax},
                                  ModelPoint{w.xmax, w.ymax}}) {
    const double u = (corner.x - f.origin.x) * f.normal.x + (corner.y - f.origin.y) * f.normal.y;
    wanted.from = std::min(wanted.from, u);
    wanted.to = std::max(wanted.to, u);
  }
  // A spacing more either way, so that rounding never loses a line through the window's corner.
  wanted.from -= f.spacing;
  wanted.to += f.spacing;
  return wanted;
}

}  // namespace

void GenerateHatchLines(const HatchLayout& layout, const std::vector<BoundaryPiece>& pieces,
                        std::vector<ModelSegment>& lines, const HatchScreenView* screen) {
  if (pieces.empty() || !std::isfinite(layout.angleDeg)) return;
  const Box vertices = VertexBox(pieces);
  const Box box = Holds(layout.box, vertices) ? layout.box : vertices;
  double angle = std::fmod(layout.angleDeg, 360.0);
  if (angle < 0) angle += 360;
  const bool rightCorner = (angle > 0 && angle <= 90) || (angle > 180 && angle <= 270);
  const ModelPoint corner{rightCorner ? box.maxX : box.minX, box.minY};
  const double c = std::cos(DegreesToRadians(angle)), s = std::sin(DegreesToRadians(angle));
  const ModelPoint horizontal{c, s}, vertical{-s, c};

  const double pixelsPerMm = screen ? screen->pixelsPerModelMm : 0;

  HatchBudget budget{4 * kMaxHatchSegments, kMaxHatchSegments};
  auto family = [&](ModelPoint along, ModelPoint normal, double spacing) {
    const LineFamily f{corner, along, normal, spacing};
    const int64_t stride = Stride(spacing * pixelsPerMm, false);
    return SweepLineFamily(f, pieces, kMaxHatchSegments, budget, [&](int64_t k, double t0, double t1) {
      const double u = static_cast<double>(k) * spacing;
      lines.push_back({At(f, u, t0), At(f, u, t1)});
    }, OnScreen(screen, f, stride));
  };
  if (layout.pattern == kHatchVertical || layout.pattern == kHatchGrid) family(vertical, horizontal, layout.spacingX);
  if (layout.pattern == kHatchHorizontal || layout.pattern == kHatchGrid) family(horizontal, vertical, layout.spacingY);
  // Brick joints run only between courses the horizontal family could draw, which also bounds
  // the courses one joint line crosses.
  if (layout.pattern != kHatchBrick || !family(horizontal, vertical, layout.spacingY)) return;
  // Joints between courses closer than half a pixel would only cover pixels the courses reach.
  if (Stride(layout.spacingY * pixelsPerMm, false) > 1) return;

  // Joints: the vertical lines every half spacingX, each kept on the courses of its parity; one
  // course's joints are spacingX apart.
  const double course = layout.spacingY;
  const LineFamily joints{corner, vertical, horizontal, layout.spacingX / 2};
  const LineSelection wanted = OnScreen(screen, joints, Stride(layout.spacingX * pixelsPerMm, true));
  SweepLineFamily(joints, pieces, kMaxHatchSegments, budget, [&](int64_t m, double t0, double t1) {
    const double u = static_cast<double>(m) * joints.spacing;
    auto k = static_cast<int64_t>(std::floor(t0 / course));
    if (Parity(k) != Parity(m)) ++k;
    for (; static_cast<double>(k) * course < t1; k += 2) {
      const double a = std::max(t0, static_cast<double>(k) * course);
      const double b = std::min(t1, static_cast<double>(k + 1) * course);
      if (!(a < b)) continue;
      if (--budget.segments < 0) return;
      lines.push_back({At(joints, u, a), At(joints, u, b)});
    }
  }, wanted);
}

void GenerateHatchLines(const DrawEntity& hatch, std::vector<ModelSegment>& lines, const HatchScreenView* screen) {
  if (hatch.kind != kHatch || !hatch.values || !hatch.codes || hatch.valueCount < 7) return;
  const double* v = hatch.values.get();
  HatchLayout layout;
  layout.pattern = hatch.subKind;
  layout.spacingY = v[0];
  layout.spacingX = v[1];
  layout.angleDeg = v[2];
  layout.box = {v[3], v[4], v[5], v[6]};
  GenerateHatchLines(layout, BoundaryOf(hatch, false), lines, screen);
}

void InstallHatchLineGenerator() {
  RenderHooks hooks = InstalledRenderHooks();
  hooks.hatchLines = [](const DrawEntity& hatch, const HatchScreenView* screen, std::vector<ModelSegment>& lines) {
    GenerateHatchLines(hatch, lines, screen);
  };
  InstallRenderHooks(std::move(hooks));
}

}  // namespace plenwick
