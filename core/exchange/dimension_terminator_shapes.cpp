// The terminators of a dimension as plain circles and segments.
#include "exchange/dimension_terminator_shapes.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "view/dimension_terminators.h"

namespace plenwick {

namespace {

// Model sizes at 1:1 by size index 0..4, times the drawing scale.
constexpr std::array<double, 5> kDotRadius = {1, 2, 3, 4, 5};
constexpr std::array<double, 5> kStrokeLength = {4, 6, 8, 10, 12};
// Marks smaller than this are not worth an element.
constexpr double kSmallest = 0.1;
constexpr double kDegree = 3.14159265358979323846 / 180;

}  // namespace

DimensionTerminatorShapes TerminatorShapesOf(const DrawEntity& dimension, double scale) {
  DimensionTerminatorShapes shapes;
  const std::vector<DimensionTerminator> terminators = PlaceDimensionTerminators(dimension);
  if (terminators.empty()) return shapes;
  if (!std::isfinite(scale) || scale < 0.0001) scale = 1.0;
  const DimensionMarkSizes sizes = DimensionMarkSizesOf(DimensionRecord(dimension));
  const double radius = kDotRadius[static_cast<std::size_t>(std::clamp(sizes.dotIndex, 0, 4))] * scale;
  const double length = kStrokeLength[static_cast<std::size_t>(std::clamp(sizes.arrowIndex, 0, 4))] * scale;
  for (const DimensionTerminator& t : terminators) {
    if (t.type == kTerminatorDot) {
      if (radius <= kSmallest) continue;
      shapes.circles.push_back({t.tip, radius});
      shapes.circles.push_back({t.tip, radius / 2});
      continue;
    }
    if (length <= kSmallest) continue;
    const double theta = std::atan2(t.tip.y - t.from.y, t.tip.x - t.from.x);
    for (double turn : TerminatorStrokeOffsets(t.type)) {
      const double a = theta + turn * kDegree;
      shapes.strokes.push_back({t.tip, {t.tip.x + length * std::cos(a), t.tip.y + length * std::sin(a)}});
    }
  }
  return shapes;
}

bool IsExported(const DrawEntity& e, bool selectionOnly) {
  const DrawEntity& decisive = IsDimensionPart(e) ? *e.owner : e;
  if (decisive.mark < 0) return false;
  return !selectionOnly || decisive.mark == kMarkSelected;
}

}  // namespace plenwick
