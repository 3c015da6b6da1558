// Drawing paints (solid and hatch-patterned fills), hatchings through their line generator, and
// placed images.
#include <cmath>
#include <numbers>
#include <vector>

#include "view/boundary_pieces.h"
#include "view/entity_renderer_parts.h"
#include "view/entity_stroke.h"
#include "view/paint_brush.h"
#include "view/pixel_geometry.h"
#include "view/render_hooks.h"

namespace plenwick {

Brush PaintPatternBrush(int pattern, ColourRef colour) {
  Brush b{BrushKind::kHatch, HatchStyle::kHorizontal, colour};
  switch (pattern) {
    case 1: b.hatch = HatchStyle::kHorizontal; break;
    case 2: b.hatch = HatchStyle::kVertical; break;
    case 3: b.hatch = HatchStyle::kCross; break;
    case 4: b.hatch = HatchStyle::kBackwardDiagonal; break;
    case 5: b.hatch = HatchStyle::kForwardDiagonal; break;
    case 6: b.hatch = HatchStyle::kDiagonalCross; break;
    default: b.kind = BrushKind::kSolid; break;
  }
  return b;
}

}  // namespace plenwick

namespace plenwick::render_parts {

namespace {

constexpr double kSafePixels = 1 << 24;

// Maps a model polygon to pixels, clipping it to the device area when it reaches far outside.
std::vector<PixelPoint> PolygonPixels(const RenderContext& ctx, const std::vector<ModelPoint>& model) {
  const ViewMapping& m = ctx.mapping;
  std::vector<DevicePoint> exact;
  exact.reserve(model.size());
  bool safe = true;
  for (const ModelPoint& p : model) {
    const DevicePoint d{m.ScreenXOf(p.x), m.ScreenYOf(p.y)};
    if (std::isnan(d.x) || std::isnan(d.y)) return {};
    safe = safe && std::fabs(d.x) < kSafePixels && std::fabs(d.y) < kSafePixels;
    exact.push_back(d);
  }
  std::vector<PixelPoint> pixels;
  if (safe) {
    for (const ModelPoint& p : model) pixels.push_back(m.ModelToScreen(p));
    return pixels;
  }
  const PixelRect d = ctx.DeviceBounds();
  for (const DevicePoint& p : ClipPolygon(exact, {d.left - 16, d.top - 16, d.right + 16, d.bottom + 16})) {
    pixels.push_back(RoundToPixel(p));
  }
  return pixels;
}

std::vector<ModelPoint> CirclePolygon(const BoundaryPiece& circle, int sides) {
  std::vector<ModelPoint> points;
  points.reserve(static_cast<std::size_t>(sides));
  const double r = std::fabs(circle.radius);
  for (int i = 0; i < sides; ++i) {
    const double a = 2 * std::numbers::pi * i / sides;
    points.push_back({circle.centre.x + r * std::cos(a), circle.centre.y + r * std::sin(a)});
  }
  return points;
}

}  // namespace

void DrawPaint(const RenderContext& ctx, const DrawEntity& e, ColourRef colour) {
  const std::vector<BoundaryPiece> pieces = ReadBoundaryPieces(e, 2);
  if (pieces.empty()) return;
  Canvas& c = ctx.canvas;
  c.SetPen({PenKind::kCosmetic, PenStyle::kSolid, 1, colour});
  c.SetBrush(PaintPatternBrush(e.lineAttr / 100, colour));
  c.SetBackgroundMode(BackgroundMode::kTransparent);
  if (pieces.size() == 1 && pieces[0].kind == BoundaryPiece::Kind::kCircle) {
    const BoundaryPiece& circle = pieces[0];
    const double r = std::fabs(circle.radius);
    const double pixels = r * ctx.mapping.PixelsPerModelMm();
    if (!std::isfinite(pixels)) return;
    if (pixels < kSafePixels / 4) {
      const PixelPoint tl = ctx.mapping.ModelToScreen(circle.centre.x - r, circle.centre.y + r);
      const PixelPoint br = ctx.mapping.ModelToScreen(circle.centre.x + r, circle.centre.y - r);
      c.Ellipse({tl.x, tl.y, br.x, br.y});
    } else {
      const std::vector<PixelPoint> polygon = PolygonPixels(ctx, CirclePolygon(circle, 4096));
      if (polygon.size() >= 3) c.Polygon(polygon);
    }
    return;
  }
  const std::vector<PixelPoint> polygon = PolygonPixels(ctx, FlattenBoundary(pieces));
  if (polygon.size() >= 3) c.Polygon(polygon);
}

void DrawHatch(const RenderContext& ctx, const DrawEntity& e, int state, ColourRef colour) {
  const auto& generate = InstalledRenderHooks().hatchLines;
  if (!generate) return;
  std::vector<ModelSegment> lines;
  // Paper and exported pictures get every line; the screen only those it can show.
  const HatchScreenView screen{ctx.visible, ctx.mapping.PixelsPerModelMm()};
  generate(e, ctx.printing || ctx.exporting ? nullptr : &screen, lines);
  const EntityStroke stroke(ctx, e.lineAttr, colour, state);
  for (const ModelSegment& s : lines) stroke.Segment(s.a, s.b);
}

void DrawImage(const RenderContext& ctx, const DrawEntity& e, int state, ColourRef colour) {
  const double* v = e.values.get();
  const PixelPoint a = ctx.mapping.ModelToScreen(v[0], v[1]);
  const PixelPoint b = ctx.mapping.ModelToScreen(v[2], v[3]);
  const PixelRect box{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  Canvas& c = ctx.canvas;
  if (state == 0 || state == 2) {
    // Off-colour layers show the image faded.
    static const ColourMatrix kOffColour = ColourMatrix::Scale(0.8f, 0.8f, 0.8f, 0.4f);
    c.Image(box, e.text.view(), state == 2 ? &kOffColour : nullptr);
    return;
  }
  const PixelRect d = ctx.DeviceBounds();
  const PixelRect clipped{std::max(box.left, d.left - 16), std::max(box.top, d.top - 16),
                          std::min(box.right, d.right + 16), std::min(box.bottom, d.bottom + 16)};
  c.SetPen({PenKind::kCosmetic, PenStyle::kSolid, 1, colour});
  c.SetBrush({BrushKind::kSolid, HatchStyle::kHorizontal, colour});
  c.Rectangle(clipped);
}

}  // namespace plenwick::render_parts
