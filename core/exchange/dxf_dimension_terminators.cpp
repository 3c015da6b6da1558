// The terminators of a dimension in a DXF file.
#include "exchange/dxf_dimension_terminators.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "view/dimension_terminators.h"

namespace plenwick {

namespace {

// Model sizes at 1:1 by size index 0..4, times the drawing scale.
constexpr std::array<double, 5> kDotRadius = {1, 2, 3, 4, 5};
constexpr std::array<double, 5> kStrokeLength = {4, 6, 8, 10, 12};
// Marks smaller than this are not worth an entity.
constexpr double kSmallest = 0.1;
constexpr double kDegree = 3.14159265358979323846 / 180;

}  // namespace

void WriteDimensionTerminators(DxfOutput& out, const DxfContext& context, const DrawEntity& dimension) {
  const std::vector<DimensionTerminator> terminators = PlaceDimensionTerminators(dimension);
  if (terminators.empty()) return;
  const double scale = std::isfinite(context.ltScale) && context.ltScale >= 0.0001 ? context.ltScale : 1.0;
  const DimensionMarkSizes sizes = DimensionMarkSizesOf(DimensionRecord(dimension));
  const double radius = kDotRadius[static_cast<std::size_t>(std::clamp(sizes.dotIndex, 0, 4))] * scale;
  const double length = kStrokeLength[static_cast<std::size_t>(std::clamp(sizes.arrowIndex, 0, 4))] * scale;
  // Dots too take the dimension's layer and line type, so that they go with it in other programs.
  const DxfStyle style = DxfStyleOf(dimension.lineAttr);
  for (const DimensionTerminator& t : terminators) {
    if (t.type == kTerminatorDot) {
      if (radius <= kSmallest) continue;
      out.Circle(t.tip, radius, style);
      out.Circle(t.tip, radius / 2, style);
      continue;
    }
    if (length <= kSmallest) continue;
    const double theta = std::atan2(t.tip.y - t.from.y, t.tip.x - t.from.x);
    for (double turn : TerminatorStrokeOffsets(t.type)) {
      const double a = theta + turn * kDegree;
      out.Line(t.tip, {t.tip.x + length * std::cos(a), t.tip.y + length * std::sin(a)}, style);
    }
  }
}

}  // namespace plenwick
