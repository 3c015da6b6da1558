// Angles, circle points, arc directions and rubber polylines of the circle and curve tools.
#include "tools/draw/circle_geometry.h"

#include <algorithm>
#include <cmath>

#include "tools/draw/line_geometry.h"

namespace plenwick {

double NormalizedDegrees(double degrees) {
  if (!std::isfinite(degrees)) return degrees;
  double a = std::fmod(degrees, 360.0);
  if (a < 0) a += 360.0;
  // A tiny negative angle comes back as 360 itself.
  return a >= 360.0 ? 0.0 : a + 0.0;
}

std::optional<ModelPoint> PointOnCircleToward(ModelPoint centre, double radius, ModelPoint toward) {
  const double d = Distance(centre, toward);
  if (!(d > 0) || !std::isfinite(d) || !std::isfinite(radius)) return std::nullopt;
  return ModelPoint{centre.x + radius * (toward.x - centre.x) / d, centre.y + radius * (toward.y - centre.y) / d};
}

int SweepQuadrant(double u) {
  if (u <= 90) return 0;
  if (u <= 180) return 1;
  if (u <= 270) return 2;
  return 3;
}

void ArcSweep::Track(double startDeg, double mouseDeg) {
  const double u = NormalizedDegrees(mouseDeg - startDeg);
  if (!std::isfinite(u)) return;
  const int q = SweepQuadrant(u);
  if (q == 0 && (direction_ == 0 || quadrant_ == 3)) direction_ = 1;
  if (q == 3) {
    if (direction_ == 0) direction_ = 1;
    if (quadrant_ == 0) direction_ = -1;
  }
  quadrant_ = q;
}

std::vector<ModelPoint> ArcPolyline(ModelPoint centre, double radius, double startDeg, double endDeg, int direction,
                                    double pixelsPerMm, bool wholeWhenEqual) {
  std::vector<ModelPoint> points;
  if (!std::isfinite(radius) || !(radius > 0) || !std::isfinite(startDeg) || !std::isfinite(endDeg)) return points;
  double sweep = NormalizedDegrees(direction >= 0 ? endDeg - startDeg : startDeg - endDeg);
  if (sweep == 0) {
    if (!wholeWhenEqual) return points;
    sweep = 360;
  }
  // The chord of a step strays r·(1 − cos(step/2)) from the arc: half a pixel at most.
  const double radiusPixels = std::max(1.0, radius * pixelsPerMm);
  const double step = 2 * std::acos(std::max(-1.0, 1 - 0.5 / radiusPixels));
  const int n = std::clamp(static_cast<int>(std::ceil(DegreesToRadians(sweep) / step)), 4, 720);
  const double from = DegreesToRadians(startDeg);
  const double delta = DegreesToRadians(sweep) / n * (direction >= 0 ? 1 : -1);
  points.reserve(static_cast<std::size_t>(n) + 1);
  for (int i = 0; i <= n; ++i) {
    const double a = from + delta * i;
    points.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
  }
  return points;
}

std::vector<ModelPoint> CirclePolyline(ModelPoint centre, double radius, double pixelsPerMm) {
  return ArcPolyline(centre, radius, 0, 0, 1, pixelsPerMm, true);
}

std::optional<ArcThrough3> ArcFrom3Points(ModelPoint start, ModelPoint end, ModelPoint through) {
  // The circle through start, end and the third point: its orientation runs the other way to the
  // arc's from the start through the third point to the end.
  const CircleThrough3 c = CircleFrom3Points(start, end, through);
  if (c.orientation == 0) return std::nullopt;
  ArcThrough3 arc;
  arc.centre = c.centre;
  arc.radius = c.radius;
  arc.startDeg = DirectionDegrees(c.centre, start);
  arc.endDeg = DirectionDegrees(c.centre, end);
  arc.direction = -c.orientation;
  return arc;
}

}  // namespace plenwick
