// Placement, sizes and drawing of dimension terminators.
#include "view/dimension_terminators.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "view/geometry.h"
#include "view/line_style.h"

namespace plenwick {

namespace {

// Distance of an angle terminator's direction point from the arc end.
constexpr double kTangentReach = 1000;
// A dimension arc smaller than this gives its ends no direction.
constexpr double kSmallestArcRadius = 0.5;

bool Finite(ModelPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

void Add(std::vector<DimensionTerminator>& out, ModelPoint tip, ModelPoint from, int type) {
  if (type < kTerminatorDot || type > kTerminatorTicks || !Finite(tip) || !Finite(from)) return;
  if (tip.x == from.x && tip.y == from.y) return;
  out.push_back({tip, from, type});
}

void PlaceOnArc(const DimensionRecord& r, int type, std::vector<DimensionTerminator>& out) {
  const auto vertex = r.Point(kDimCodeVertexX);
  const auto radius = r.Find(kDimCodeArcRadius), start = r.Find(kDimCodeArcStart), end = r.Find(kDimCodeArcEnd);
  if (!vertex || !radius || !start || !end || !(*radius >= kSmallestArcRadius)) return;
  ModelPoint s, e;
  ArcEndPoints(*vertex, *radius, *start, *end, &s, &e);
  const double a0 = DegreesToRadians(*start), a1 = DegreesToRadians(*end);
  // The arc runs counter-clockwise from s to e: s points clockwise, e counter-clockwise.
  Add(out, s, {s.x - kTangentReach * std::sin(a0), s.y + kTangentReach * std::cos(a0)}, type);
  Add(out, e, {e.x + kTangentReach * std::sin(a1), e.y - kTangentReach * std::cos(a1)}, type);
}

void PlaceOnLine(const DimensionRecord& r, int firstType, int lastType, int innerType,
                 std::vector<DimensionTerminator>& out) {
  const int n = r.PointCount();
  if (n < 2) return;
  std::array<ModelPoint, kMaxDimensionPoints> p;
  for (int i = 0; i < n; ++i) p[static_cast<std::size_t>(i)] = *r.Point(kDimCodeFirstPointX + 10 * i);
  const auto at = [&p](int i) { return p[static_cast<std::size_t>(i)]; };
  Add(out, at(0), at(n - 1), firstType);
  Add(out, at(n - 1), at(0), lastType);
  for (int i = 1; i + 1 < n; ++i) {
    Add(out, at(i), at(i - 1), innerType);
    Add(out, at(i), at(i + 1), innerType);
  }
}

}  // namespace

std::vector<DimensionTerminator> PlaceDimensionTerminators(const DrawEntity& dimension) {
  std::vector<DimensionTerminator> out;
  const DimensionRecord r(dimension);
  const double marks = r.Get(kDimCodeMarks);
  const int firstType = DecimalDigit(marks, 4);
  switch (r.kind()) {
    case kDimArea: break;
    case kDimPerimeter: case kDimRadius: {
      const auto tip = r.Point(kDimCodeFirstPointX), from = r.Point(kDimCodeFirstPointX + 10);
      if (tip && from) Add(out, *tip, *from, firstType);
      break;
    }
    case kDimAngleLines: case kDimAngleArc: PlaceOnArc(r, firstType, out); break;
    default: PlaceOnLine(r, firstType, DecimalDigit(marks, 3), DecimalDigit(marks, 2), out); break;
  }
  return out;
}

DimensionMarkSizes DimensionMarkSizesOf(const DimensionRecord& record) {
  const double marks = record.Get(kDimCodeMarks);
  return {std::min(DecimalDigit(marks, 1), 4), std::min(DecimalDigit(marks, 0), 4)};
}

TerminatorSize DimensionTerminatorSize(const RenderContext& ctx, DimensionMarkSizes sizes) {
  const auto dot = static_cast<std::size_t>(std::clamp(sizes.dotIndex, 0, 4));
  const auto arrow = static_cast<std::size_t>(std::clamp(sizes.arrowIndex, 0, 4));
  const double ppm = ctx.mapping.PixelsPerMm;
  if (ctx.settings.dimArrowSizeMode == 1) {
    static constexpr std::array<double, 5> kArrowMm = {4, 6, 8, 10, 12};
    static constexpr std::array<double, 5> kDotMm = {2, 3, 4, 5, 6};
    return {ClampPixel(kDotMm[dot] * ppm), ClampPixel(NearPixel(kArrowMm[arrow] * ppm))};
  }
  static constexpr std::array<int, 5> kDotPixels = {2, 3, 4, 5, 6};
  static constexpr std::array<int, 5> kArrowPixels = {6, 8, 10, 12, 15};
  if (!ctx.printing) return {kDotPixels[dot], kArrowPixels[arrow]};
  return {ClampPixel(ppm * kDotPixels[dot] / 3), ClampPixel(ppm * kArrowPixels[arrow] / 3 + 0.5 * ctx.devicePixelsPerMm)};
}

void DrawDimensionTerminators(const RenderContext& ctx, const DrawEntity& dimension, int state, ColourRef colour) {
  const std::vector<DimensionTerminator> terminators = PlaceDimensionTerminators(dimension);
  if (terminators.empty()) return;
  const TerminatorSize size = DimensionTerminatorSize(ctx, DimensionMarkSizesOf(DimensionRecord(dimension)));
  (void)state;  // the colour carries the state; the pen is solid whatever it is
  Pen pen{PenKind::kCosmetic, PenStyle::kSolid, 1, colour};
  if (ctx.printing) {
    pen.kind = PenKind::kGeometric;
    pen.width = PrintedPenWidth(ctx.settings, 0, dimension.lineAttr, ctx.devicePixelsPerMm);
  }
  ctx.canvas.SetPen(pen);
  for (const DimensionTerminator& t : terminators) {
    if (!ctx.visible.Contains(t.tip.x, t.tip.y)) continue;
    DrawTerminator(ctx.canvas, ctx.mapping, t.type, t.tip, t.from, size, colour);
  }
}

}  // namespace plenwick
