// Drawing texts and texts with a leader line (shoulder or underline and end mark).
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "view/entity_renderer_parts.h"
#include "view/entity_stroke.h"
#include "view/terminator_shape.h"

namespace plenwick::render_parts {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

// Sizes of the end marks in device pixels: on screen fixed, on paper in millimetres.
TerminatorSize EndMarkSizeFor(const RenderContext& ctx) {
  if (!ctx.printing) return {2, 10};
  const double mm = ctx.devicePixelsPerMm;
  return {ClampPixel(mm * 2 / 3), ClampPixel(mm * 10 / 3 + 0.5 * mm)};
}

}  // namespace

void DrawTextPart(const RenderContext& ctx, const DrawEntity& e, ColourRef colour) {
  const double* v = e.values.get();
  const double x = v[0], y = v[1], height = v[2], angle = v[4];
  if (!ctx.visible.Contains(x, y)) return;
  const int64_t pixels = NearPixel(height * ctx.mapping.PixelsPerModelMm());
  const std::string_view text = e.text.view();
  if (pixels < 1 || text.empty()) return;
  const int h = static_cast<int>(pixels);
  FontSpec font;
  font.face = std::string(e.font.view());
  font.height = h;
  font.width = h / 2;  // the stored width is not used for display
  font.escapement = TruncToInt(angle * 10);
  font.charSet = kShiftJisCharSet;
  font.fixedPitch = true;
  const PixelPoint at = ctx.mapping.ModelToScreen(x, y);
  PixelPoint topLeft{at.x, ClampPixel(static_cast<int64_t>(at.y) - h)};
  if (std::fabs(angle) > 0.1) {
    // The cell's top-left corner turned with the text about the insertion point.
    const double a = angle * kDegree;
    topLeft = {ClampPixel(std::floor(at.x - h * std::sin(a) + 0.5)), ClampPixel(std::floor(at.y - h * std::cos(a) + 0.5))};
  }
  ctx.canvas.SetTextColour(colour);
  if (!ctx.exporting) ctx.canvas.SetBackgroundMode(BackgroundMode::kTransparent);
  ctx.canvas.Text(topLeft, text, font);
}

void DrawLeaderText(const RenderContext& ctx, const DrawEntity& e, int state, ColourRef colour) {
  DrawTextPart(ctx, e, colour);
  const double* v = e.values.get();
  const int code = e.subKind > 0 ? e.subKind : 0;
  const int mark = code % 10;
  const int shape = (code / 10) % 10;
  std::vector<ModelPoint> leader = {{v[5], v[6]}, {v[7], v[8]}};
  if (shape != 0 && e.valueCount >= 11) leader.push_back({v[9], v[10]});
  ModelRect box{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
  for (const ModelPoint& p : leader) {
    box.xmin = std::fmin(box.xmin, p.x);
    box.xmax = std::fmax(box.xmax, p.x);
    box.ymin = std::fmin(box.ymin, p.y);
    box.ymax = std::fmax(box.ymax, p.y);
  }
  if (!ctx.visible.Overlaps(box)) return;
  const EntityStroke stroke(ctx, e.lineAttr, colour, state);
  stroke.Model(leader);
  // End marks 1..3 are the dot, half arrow and arrow that dimensions draw too.
  if (mark < kTerminatorDot || mark > kTerminatorArrow || !ctx.visible.Contains(leader[0].x, leader[0].y)) return;
  stroke.ApplyPen();
  DrawTerminator(ctx.canvas, ctx.mapping, mark, leader[0], leader[1], EndMarkSizeFor(ctx), colour);
}

}  // namespace plenwick::render_parts
