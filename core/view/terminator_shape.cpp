// End marks of leaders and dimensions.
#include "view/terminator_shape.h"

#include <array>
#include <cmath>

#include "view/geometry.h"

namespace plenwick {

std::span<const double> TerminatorStrokeOffsets(int type) {
  static constexpr std::array<double, 1> kHalfArrow = {-150};
  static constexpr std::array<double, 2> kArrow = {-150, 150};
  static constexpr std::array<double, 2> kTicks = {-30, 30};
  switch (type) {
    case kTerminatorHalfArrow: return kHalfArrow;
    case kTerminatorArrow: return kArrow;
    case kTerminatorTicks: return kTicks;
    default: return {};
  }
}

void DrawTerminator(Canvas& canvas, const ViewMapping& mapping, int type, ModelPoint tip, ModelPoint from,
                    TerminatorSize size, ColourRef colour) {
  const PixelPoint t = mapping.ModelToScreen(tip);
  if (type == kTerminatorDot) {
    canvas.SetBrush({BrushKind::kSolid, HatchStyle::kHorizontal, colour});
    const int r = size.dotRadius;
    canvas.Ellipse({t.x - r, t.y - r, t.x + r + 1, t.y + r + 1});
    return;
  }
  const double dx = tip.x - from.x, dy = tip.y - from.y;
  if (size.strokeLength <= 0 || !std::isfinite(dx) || !std::isfinite(dy) || (dx == 0 && dy == 0)) return;
  const double theta = std::atan2(dy, dx);
  for (const double offset : TerminatorStrokeOffsets(type)) {
    // Model angles turn counter-clockwise; device y grows downward.
    const double a = theta + DegreesToRadians(offset);
    const PixelPoint end{ClampPixel(t.x + size.strokeLength * std::cos(a)),
                         ClampPixel(t.y - size.strokeLength * std::sin(a))};
    canvas.Line(t, end);
  }
}

}  // namespace plenwick
