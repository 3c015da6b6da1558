// Stroking element lines on the screen and on paper.
#include "view/entity_stroke.h"

#include <cmath>
#include <vector>

#include "view/line_style.h"
#include "view/pixel_geometry.h"

namespace plenwick {

namespace {

// Pixel coordinates beyond this are clipped before rounding, so that long lines keep their
// direction and painters never see absurd values.
constexpr double kSafePixels = 1 << 24;

bool Safe(double v) { return v > -kSafePixels && v < kSafePixels; }

double SquaredDistance(ModelPoint a, ModelPoint b) { return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y); }

}  // namespace

bool ClipSegmentToWindow(ModelPoint& a, ModelPoint& b, const ModelRect& window) {
  if (window.Contains(a.x, a.y) || window.Contains(b.x, b.y)) return true;
  ModelPoint crossings[4];
  int count = 0;
  for (double x : {window.xmin, window.xmax}) {
    if (a.x == b.x || (a.x - x) * (b.x - x) > 0) continue;
    const double y = a.y + (x - a.x) / (b.x - a.x) * (b.y - a.y);
    if (y >= window.ymin && y <= window.ymax) crossings[count++] = {x, y};
  }
  if (count < 2) {
    for (double y : {window.ymin, window.ymax}) {
      if (a.y == b.y || (a.y - y) * (b.y - y) > 0) continue;
      const double x = a.x + (y - a.y) / (b.y - a.y) * (b.x - a.x);
      if (x >= window.xmin && x <= window.xmax) crossings[count++] = {x, y};
    }
  }
  if (count == 0) return false;
  ModelPoint na = crossings[0], nb = crossings[0];
  for (int i = 1; i < count; ++i) {
    if (SquaredDistance(crossings[i], a) < SquaredDistance(na, a)) na = crossings[i];
    if (SquaredDistance(crossings[i], b) < SquaredDistance(nb, b)) nb = crossings[i];
  }
  a = na;
  b = nb;
  return true;
}

int PrintedPenWidthOf(const RenderContext& ctx, int lineAttr) {
  return PrintedPenWidth(ctx.settings, lineAttr / 100, lineAttr % 100, ctx.devicePixelsPerMm);
}

EntityStroke::EntityStroke(const RenderContext& ctx, int lineAttr, ColourRef colour, int state) : ctx_(ctx) {
  lineType_ = lineAttr / 100;
  const int pen = lineAttr % 100;
  pen_.colour = colour;
  if (ctx.printing) {
    pen_.kind = PenKind::kGeometric;
    pen_.width = PrintedPenWidth(ctx.settings, lineType_, pen, ctx.devicePixelsPerMm);
    dashed_ = state != kStateErase && !PrintedDashPattern(lineType_, 1).empty();
  } else {
    pen_.kind = PenKind::kCosmetic;
    pen_.style = state == kStateErase || lineType_ < 0 ? PenStyle::kSolid : LineStyleToPen(lineType_);
    pen_.width = ScreenPenWidth(lineType_);
  }
}

void EntityStroke::ApplyPen() const {
  ctx_.canvas.SetPen(pen_);
  ctx_.canvas.SetBackgroundMode(BackgroundMode::kTransparent);
}

void EntityStroke::Pixels(std::span<const PixelPoint> points) const {
  if (points.size() < 2) return;
  ApplyPen();
  if (dashed_) {
    std::vector<PixelPolyline> pieces;
    const std::vector<int> pattern = PrintedDashPattern(lineType_, ctx_.DashUnit());
    CollectDashPieces(points, pattern, ctx_.DeviceBounds(), pieces);
    if (!pieces.empty()) ctx_.canvas.StrokePath(pieces);
  } else if (points.size() == 2) {
    ctx_.canvas.Line(points[0], points[1]);
  } else {
    ctx_.canvas.Polyline(points);
  }
}

void EntityStroke::Model(std::span<const ModelPoint> points) const {
  if (points.size() < 2) return;
  const ViewMapping& m = ctx_.mapping;
  bool safe = true;
  for (const ModelPoint& p : points) {
    if (!Safe(m.ScreenXOf(p.x)) || !Safe(m.ScreenYOf(p.y))) {
      safe = false;
      break;
    }
  }
  if (safe) {
    std::vector<PixelPoint> pixels;
    pixels.reserve(points.size());
    for (const ModelPoint& p : points) pixels.push_back(m.ModelToScreen(p));
    Pixels(pixels);
    return;
  }
  // Clip each segment to the device area (with a margin) in exact coordinates, then round.
  const PixelRect d = ctx_.DeviceBounds();
  const PixelRect box{d.left - 16, d.top - 16, d.right + 16, d.bottom + 16};
  std::vector<PixelPoint> run;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    const DevicePoint a{m.ScreenXOf(points[i].x), m.ScreenYOf(points[i].y)};
    const DevicePoint b{m.ScreenXOf(points[i + 1].x), m.ScreenYOf(points[i + 1].y)};
    double t0 = 0, t1 = 0;
    if (!ClipParameters(a, b, box, t0, t1)) {
      Pixels(run);
      run.clear();
      continue;
    }
    const PixelPoint pa = RoundToPixel({a.x + (b.x - a.x) * t0, a.y + (b.y - a.y) * t0});
    const PixelPoint pb = RoundToPixel({a.x + (b.x - a.x) * t1, a.y + (b.y - a.y) * t1});
    if (run.empty() || run.back() != pa) {
      Pixels(run);
      run.assign({pa});
    }
    run.push_back(pb);
  }
  Pixels(run);
}

void EntityStroke::Segment(ModelPoint a, ModelPoint b) const {
  if (!ClipSegmentToWindow(a, b, ctx_.visible)) return;
  const ModelPoint ends[2] = {a, b};
  Model(ends);
}

void EntityStroke::CircleArc(ModelPoint centre, double radius, double startDegrees, double sweepDegrees,
                             bool full) const {
  const ViewMapping& m = ctx_.mapping;
  const double r = radius * m.PixelsPerModelMm();
  if (!std::isfinite(r) || r < 0) return;
  constexpr double kBigRadius = 16384;
  const DevicePoint c{m.ScreenXOf(centre.x), m.ScreenYOf(centre.y)};
  if (dashed_ || r > kBigRadius || !Safe(c.x) || !Safe(c.y)) {
    for (const PixelPolyline& piece : FlattenArc(c, r, full ? 0 : startDegrees, full ? 360 : sweepDegrees,
                                                  ctx_.DeviceBounds())) {
      Pixels(piece);
    }
    return;
  }
  const PixelPoint topLeft = m.ModelToScreen(centre.x - radius, centre.y + radius);
  const PixelPoint bottomRight = m.ModelToScreen(centre.x + radius, centre.y - radius);
  const PixelRect box{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
  ApplyPen();
  ctx_.canvas.SetBrush({});
  if (full) {
    ctx_.canvas.Ellipse(box);
  } else {
    ctx_.canvas.Arc(box, startDegrees, sweepDegrees);
  }
}

}  // namespace plenwick
