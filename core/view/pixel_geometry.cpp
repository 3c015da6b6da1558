// Segment clipping and bounded circle flattening in device pixels.
#include "view/pixel_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "view/view_mapping.h"

namespace plenwick {

bool ClipParameters(DevicePoint a, DevicePoint b, const PixelRect& box, double& t0, double& t1) {
  t0 = 0;
  t1 = 1;
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
  for (int i = 0; i < 4; ++i) {
    if (std::isnan(p[i]) || std::isnan(q[i])) return false;
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0) {
      if (r > t1) return false;
      if (r > t0) t0 = r;
    } else {
      if (r < t0) return false;
      if (r < t1) t1 = r;
    }
  }
  return t0 <= t1;
}

PixelPoint RoundToPixel(DevicePoint p) { return {ClampPixel(std::floor(p.x + 0.5)), ClampPixel(std::floor(p.y + 0.5))}; }

std::vector<DevicePoint> ClipPolygon(const std::vector<DevicePoint>& polygon, const PixelRect& box) {
  std::vector<DevicePoint> current = polygon;
  // Each edge of the box as "inside" test and crossing.
  for (int edge = 0; edge < 4 && !current.empty(); ++edge) {
    auto inside = [&](const DevicePoint& p) {
      switch (edge) {
        case 0: return p.x >= box.left;
        case 1: return p.x <= box.right;
        case 2: return p.y >= box.top;
        default: return p.y <= box.bottom;
      }
    };
    auto cross = [&](const DevicePoint& a, const DevicePoint& b) {
      double t = 0;
      switch (edge) {
        case 0: t = (box.left - a.x) / (b.x - a.x); break;
        case 1: t = (box.right - a.x) / (b.x - a.x); break;
        case 2: t = (box.top - a.y) / (b.y - a.y); break;
        default: t = (box.bottom - a.y) / (b.y - a.y); break;
      }
      return DevicePoint{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
    };
    std::vector<DevicePoint> next;
    next.reserve(current.size() + 4);
    for (std::size_t i = 0; i < current.size(); ++i) {
      const DevicePoint& a = current[i];
      const DevicePoint& b = current[(i + 1) % current.size()];
      const bool ina = inside(a), inb = inside(b);
      if (ina) next.push_back(a);
      if (ina != inb) next.push_back(cross(a, b));
    }
    current = std::move(next);
  }
  return current;
}

namespace {

constexpr double kDegree = std::numbers::pi / 180;

// Samples the arc over [fromDeg, toDeg] into one polyline.
PixelPolyline SampleArc(DevicePoint c, double r, double fromDeg, double toDeg) {
  const double span = (toDeg - fromDeg) * kDegree;
  // A chord of angle d deviates r (1 - cos(d / 2)) ~ r d^2 / 8 from the circle: keep it under half a pixel.
  const double step = std::sqrt(4.0 / std::max(r, 1.0));
  const int n = static_cast<int>(std::clamp(std::ceil(span / step), 4.0, 8192.0));
  PixelPolyline out;
  out.reserve(static_cast<std::size_t>(n) + 1);
  for (int i = 0; i <= n; ++i) {
    const double a = fromDeg * kDegree + span * i / n;
    const PixelPoint p = RoundToPixel({c.x + r * std::cos(a), c.y - r * std::sin(a)});
    if (out.empty() || out.back() != p) out.push_back(p);
  }
  return out;
}

}  // namespace

std::vector<PixelPolyline> FlattenArc(DevicePoint c, double r, double startDegrees, double sweepDegrees,
                                      const PixelRect& bounds) {
  std::vector<PixelPolyline> out;
  if (!std::isfinite(c.x) || !std::isfinite(c.y) || !std::isfinite(r) || !std::isfinite(startDegrees) ||
      !std::isfinite(sweepDegrees) || r <= 0 || sweepDegrees <= 0) {
    return out;
  }
  sweepDegrees = std::min(sweepDegrees, 360.0);
  startDegrees = std::fmod(startDegrees, 360.0);
  const double bx = (bounds.left + bounds.right) / 2.0;
  const double by = (bounds.top + bounds.bottom) / 2.0;
  const double diagonal = std::hypot(bounds.right - bounds.left, bounds.bottom - bounds.top) + 4;
  const double distance = std::hypot(bx - c.x, by - c.y);
  // The circle cannot reach the area when it passes wholly outside or wholly around it.
  if (distance - diagonal / 2 > r || distance + diagonal / 2 < r) return out;
  if (diagonal * 2 >= r) {
    out.push_back(SampleArc(c, r, startDegrees, startDegrees + sweepDegrees));
  } else {
    // Only the angles facing the area matter: the area's centre direction +- the angle it subtends.
    const double towards = std::atan2(c.y - by, bx - c.x) / kDegree;
    const double half = std::asin(diagonal / r) / kDegree * 1.2;
    for (int turn = -2; turn <= 2; ++turn) {
      const double from = std::max(startDegrees, towards - half + 360.0 * turn);
      const double to = std::min(startDegrees + sweepDegrees, towards + half + 360.0 * turn);
      if (from < to) out.push_back(SampleArc(c, r, from, to));
    }
  }
  std::erase_if(out, [](const PixelPolyline& p) { return p.size() < 2; });
  return out;
}

}  // namespace plenwick
