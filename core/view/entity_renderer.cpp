// The element drawing routine: state and colour, culling, and the geometric kinds (points,
// lines, infinite lines, curves, circles and arcs); texts and fills live beside it.
#include "view/entity_renderer.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "view/bspline.h"
#include "view/entity_bounds.h"
#include "view/entity_renderer_parts.h"
#include "view/entity_shape.h"
#include "view/entity_stroke.h"
#include "view/grip_mark.h"
#include "view/render_hooks.h"

namespace plenwick {

namespace {

using render_parts::DrawHatch;
using render_parts::DrawImage;
using render_parts::DrawLeaderText;
using render_parts::DrawPaint;
using render_parts::DrawTextPart;

void DrawPoint(const RenderContext& ctx, const DrawEntity& e, ColourRef colour) {
  const double x = e.values[0], y = e.values[1];
  if (!ctx.visible.Contains(x, y)) return;
  const int64_t size = NearPixel(2 * ctx.mapping.PixelsPerMm);
  if (size <= 0) return;
  const PixelPoint p = ctx.mapping.ModelToScreen(x, y);
  Canvas& c = ctx.canvas;
  if (ctx.printing) {
    c.SetPen({PenKind::kGeometric, PenStyle::kSolid, PrintedPenWidthOf(ctx, e.lineAttr), colour});
  } else {
    c.SetPen({PenKind::kCosmetic, PenStyle::kSolid, 1, colour});
  }
  c.SetBrush({BrushKind::kSolid, HatchStyle::kHorizontal, colour});
  if (e.subKind == 1 || e.subKind == 2) {
    const int half = ctx.printing ? ClampPixel(ctx.devicePixelsPerMm / 2) : static_cast<int>(std::min<int64_t>(size, 2));
    const PixelRect box{p.x - half, p.y - half, p.x + half, p.y + half};
    if (e.subKind == 1) {
      c.Ellipse(box);
    } else {
      c.Rectangle(box);
    }
  } else if (ctx.printing) {
    const int half = ClampPixel(ctx.devicePixelsPerMm / 3);
    c.Ellipse({p.x - half, p.y - half, p.x + half, p.y + half});
  } else {
    c.Ellipse({p.x - 1, p.y - 1, p.x + 2, p.y + 2});
  }
}

void DrawLineGrips(const RenderContext& ctx, const DrawEntity& e) {
  const ModelPoint a{e.values[0], e.values[1]}, b{e.values[2], e.values[3]};
  DrawGripMark(ctx.canvas, ctx.mapping.ModelToScreen(a), kGripColour);
  DrawGripMark(ctx.canvas, ctx.mapping.ModelToScreen(b), kGripColour);
  DrawGripMark(ctx.canvas, ctx.mapping.ModelToScreen((a.x + b.x) / 2, (a.y + b.y) / 2), kMidpointGripColour);
}

void DrawLine(const RenderContext& ctx, const DrawEntity& e, int state, ColourRef colour) {
  EntityStroke(ctx, e.lineAttr, colour, state).Segment({e.values[0], e.values[1]}, {e.values[2], e.values[3]});
  const bool freeOrGrouped = !e.owner || e.owner->kind == kGroupHeader;
  if (e.mark == kMarkPicked && freeOrGrouped && !ctx.printing && state != kStateErase) DrawLineGrips(ctx, e);
}

void DrawInfiniteLine(const RenderContext& ctx, const DrawEntity& e, int state, ColourRef colour) {
  const ModelRect& w = ctx.visible;
  ModelPoint ends[2];
  if (e.kind == kHorizontalInfiniteLine) {
    const double y = e.values[1];
    ends[0] = {w.xmin, y};
    ends[1] = {w.xmax, y};
  } else {
    const double x = e.values[0];
    ends[0] = {x, w.ymin};
    ends[1] = {x, w.ymax};
  }
  EntityStroke(ctx, e.lineAttr, colour, state).Model(ends);
}

void DrawBezier(const RenderContext& ctx, const DrawEntity& e, int state, ColourRef colour, const ModelRect& box) {
  const std::vector<ModelPoint> control = PointsFromValues(e.values.get(), e.valueCount);
  if (control.size() < 2) return;
  // Small curves need few samples; the span joints are always exact.
  const double spans = static_cast<double>(control.size() + 1);
  const double pixels = std::hypot(box.width(), box.height()) * ctx.mapping.PixelsPerModelMm();
  const double wanted = std::ceil(pixels / spans / 4);
  const int samples = wanted >= 16 ? 16 : wanted >= 1 ? static_cast<int>(wanted) : 1;  // NaN: 1
  EntityStroke(ctx, e.lineAttr, colour, state).Model(SampleBSpline(control, samples));
}

void DrawVertexList(const RenderContext& ctx, const DrawEntity& e, int state, ColourRef colour) {
  const std::vector<ModelPoint> points = PointsFromValues(e.values.get(), e.valueCount);
  EntityStroke(ctx, e.lineAttr, colour, state).Model(points);
}

void DrawCircleArc(const RenderContext& ctx, const DrawEntity& e, int state, ColourRef colour) {
  const ModelPoint centre{e.values[0], e.values[1]};
  const double radius = std::fabs(e.values[2]);
  // A circle around the whole window crosses none of it.
  const ModelRect& w = ctx.visible;
  const double dx = std::max(std::fabs(w.xmin - centre.x), std::fabs(w.xmax - centre.x));
  const double dy = std::max(std::fabs(w.ymin - centre.y), std::fabs(w.ymax - centre.y));
  if (dx * dx + dy * dy < radius * radius) return;
  EntityStroke stroke(ctx, e.lineAttr, colour, state);
  if (e.kind == kCircle) {
    stroke.CircleArc(centre, radius, 0, 360, true);
    return;
  }
  double start = e.values[3], end = e.values[4];
  if (!std::isfinite(start) || !std::isfinite(end)) return;
  if (IsFullCircleArc(start, end)) {
    stroke.CircleArc(centre, radius, 0, 360, true);
    return;
  }
  // Direction 1 runs counter-clockwise from the start angle; any other value clockwise, which is
  // the counter-clockwise arc from the end angle.
  if (e.subKind != 1) std::swap(start, end);
  double sweep = std::fmod(end - start, 360.0);
  if (sweep <= 0) sweep += 360;
  stroke.CircleArc(centre, radius, std::fmod(start, 360.0), sweep, false);
}

// Least number of values each kind needs to be drawn.
int MinimumValues(int kind) {
  switch (kind) {
    case kPoint: case kHorizontalInfiniteLine: case kVerticalInfiniteLine: return 2;
    case kCircle: return 3;
    case kLine: case kAngledInfiniteLine: case kImage: case kBezierCurve: case kFreeCurve: case kPolygon: return 4;
    case kArc: case kText: return 5;
    case kHatch: return 7;
    case kLeaderText: return 9;
    default: return 0;
  }
}

}  // namespace

void RenderEntity(const RenderContext& ctx, const DrawEntity& e, int state) {
  if (!e.values || e.valueCount < MinimumValues(e.kind)) return;
  const int s = EffectiveState(ctx.layers, e, state);
  const ColourRef colour = StateColour(ctx.settings, e, s);
  switch (e.kind) {
    case kPoint: DrawPoint(ctx, e, colour); return;
    case kText: DrawTextPart(ctx, e, colour); return;
    case kLeaderText: DrawLeaderText(ctx, e, s, colour); return;
    case kDimension:
      if (const auto& hook = InstalledRenderHooks().dimensionTerminators) hook(ctx, e, s, colour);
      return;
    default: break;
  }
  ModelRect box;
  if (!EntityDrawingBounds(e, box) || !ctx.visible.Overlaps(box)) return;
  switch (e.kind) {
    case kLine:
    case kAngledInfiniteLine: DrawLine(ctx, e, s, colour); break;
    case kHorizontalInfiniteLine:
    case kVerticalInfiniteLine: DrawInfiniteLine(ctx, e, s, colour); break;
    case kBezierCurve: DrawBezier(ctx, e, s, colour, box); break;
    case kFreeCurve:
    case kPolygon: DrawVertexList(ctx, e, s, colour); break;
    case kCircle:
    case kArc: DrawCircleArc(ctx, e, s, colour); break;
    case kPaint: DrawPaint(ctx, e, colour); break;
    case kHatch: DrawHatch(ctx, e, s, colour); break;
    case kImage: DrawImage(ctx, e, s, colour); break;
    default: break;  // grid (drawn by the paint routine), group headers: nothing
  }
}

std::optional<PixelRect> EntityInvalidationRect(const ViewMapping& mapping, const DrawEntity& e) {
  if (!e.values || e.valueCount < MinimumValues(e.kind)) return std::nullopt;
  constexpr int kMargin = 10;
  if (e.kind == kPoint) {
    const PixelPoint p = mapping.ModelToScreen(e.values[0], e.values[1]);
    return PixelRect{p.x - kMargin, p.y - kMargin, p.x + kMargin, p.y + kMargin};
  }
  ModelRect box;
  if (!EntityDrawingBounds(e, box)) return std::nullopt;
  const double left = mapping.ScreenXOf(box.xmin), right = mapping.ScreenXOf(box.xmax);
  const double top = mapping.ScreenYOf(box.ymax), bottom = mapping.ScreenYOf(box.ymin);
  if (std::isnan(left) || std::isnan(right) || std::isnan(top) || std::isnan(bottom)) return std::nullopt;
  return PixelRect{ClampPixel(std::floor(left) - kMargin), ClampPixel(std::floor(top) - kMargin),
                   ClampPixel(std::ceil(right) + kMargin + 1), ClampPixel(std::ceil(bottom) + kMargin + 1)};
}

}  // namespace plenwick
