// A plain inside test for checking hatch lines against their boundary: the even–odd rule by
// a ray to the right, with points near an edge taken as inside.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "view/view_mapping.h"

namespace plenwick::testing {

// Inside the closed polygon (the closing edge implied) by the even–odd rule, or within `near`
// (model mm) of one of its edges.
inline bool InsideOrNear(const std::vector<ModelPoint>& poly, ModelPoint q, double near) {
  bool inside = false;
  for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const ModelPoint a = poly[i], b = poly[j];
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((q.x - a.x) * dx + (q.y - a.y) * dy) / len2, 0.0, 1.0) : 0;
    if (std::hypot(a.x + t * dx - q.x, a.y + t * dy - q.y) <= near) return true;
    if ((a.y > q.y) != (b.y > q.y) && q.x < a.x + (q.y - a.y) * dx / dy) inside = !inside;
  }
  return inside;
}

}  // namespace plenwick::testing
