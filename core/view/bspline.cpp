// Uniform cubic B-spline sampling with tripled end points.
#include "view/bspline.h"

#include <algorithm>

namespace plenwick {

std::vector<ModelPoint> SampleBSpline(std::span<const ModelPoint> controlPoints, int samplesPerSpan) {
  std::vector<ModelPoint> out;
  const std::size_t n = controlPoints.size();
  if (n == 0) return out;
  if (n == 1) return {controlPoints[0]};
  samplesPerSpan = std::clamp(samplesPerSpan, 1, 1024);
  // The extended sequence P0 P0 P0 P1 ... Pn-1 Pn-1 Pn-1 has n + 1 spans.
  auto at = [&](std::size_t i) -> const ModelPoint& {
    if (i < 2) return controlPoints[0];
    if (i - 2 >= n) return controlPoints[n - 1];
    return controlPoints[i - 2];
  };
  const std::size_t spans = n + 1;
  out.reserve(spans * static_cast<std::size_t>(samplesPerSpan) + 1);
  for (std::size_t s = 0; s < spans; ++s) {
    const ModelPoint& p0 = at(s);
    const ModelPoint& p1 = at(s + 1);
    const ModelPoint& p2 = at(s + 2);
    const ModelPoint& p3 = at(s + 3);
    const int last = s + 1 == spans ? samplesPerSpan : samplesPerSpan - 1;
    for (int k = 0; k <= last; ++k) {
      const double t = static_cast<double>(k) / samplesPerSpan;
      const double t2 = t * t, t3 = t2 * t;
      const double b0 = (1 - 3 * t + 3 * t2 - t3) / 6;
      const double b1 = (4 - 6 * t2 + 3 * t3) / 6;
      const double b2 = (1 + 3 * t + 3 * t2 - 3 * t3) / 6;
      const double b3 = t3 / 6;
      out.push_back({b0 * p0.x + b1 * p1.x + b2 * p2.x + b3 * p3.x, b0 * p0.y + b1 * p1.y + b2 * p2.y + b3 * p3.y});
    }
  }
  // The tripled ends make the first and last samples the end points; set them exactly.
  out.front() = controlPoints[0];
  out.back() = controlPoints[n - 1];
  return out;
}

std::vector<ModelPoint> PointsFromValues(const double* values, int valueCount) {
  std::vector<ModelPoint> points;
  if (!values || valueCount < 2) return points;
  points.reserve(static_cast<std::size_t>(valueCount / 2));
  for (int i = 0; i + 1 < valueCount; i += 2) points.push_back({values[i], values[i + 1]});
  return points;
}

}  // namespace plenwick
