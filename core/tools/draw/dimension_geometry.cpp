// Where the dimension tool puts the lines, arcs and texts of what it measures.
#include "tools/draw/dimension_geometry.h"

#include <algorithm>
#include <cmath>

#include "tools/draw/circle_geometry.h"
#include "tools/draw/dimension_parts.h"

namespace plenwick {

namespace {

bool Finite(ModelPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

ModelPoint Plus(ModelPoint p, ModelPoint d, double k) { return {p.x + k * d.x, p.y + k * d.y}; }

}  // namespace

int DimensionOrientation(ModelPoint d1, ModelPoint d2, ModelPoint p1) {
  const int g = OctantOf(d1, d2);
  const int h = OctantOf(d1, p1);
  if (g <= 0 || h <= 0) return 1;
  switch (g) {
    case 1: return h == 2 || (h == 3 && DirectionDegrees(d1, d2) > 134) ? 3 : 0;
    case 2: return h == 1 || h == 3 ? 3 : h == 4 ? 1 : 0;
    case 4: return h == 1 || h == 2 ? 1 : 0;
    default: return 0;
  }
}

std::optional<LinearPlacement> PlaceLinearDimension(ModelPoint p1, ModelPoint p2, ModelPoint position) {
  if (!Finite(p1) || !Finite(p2) || !Finite(position)) return std::nullopt;
  const double length = Distance(p1, p2);
  if (!(length >= kCoincidentTolerance) || !std::isfinite(length)) return std::nullopt;
  const ModelPoint normal{-(p2.y - p1.y) / length, (p2.x - p1.x) / length};
  const double offset = (position.x - p1.x) * normal.x + (position.y - p1.y) * normal.y;
  const ModelPoint d1 = Plus(p1, normal, offset);
  const ModelPoint d2 = Plus(p2, normal, offset);
  switch (DimensionOrientation(d1, d2, p1)) {
    case 1: return LinearPlacement{p1, d1, d2, DirectionDegrees(d2, d1)};
    case 3: return LinearPlacement{p2, d2, d1, DirectionDegrees(d2, d1)};
    default: return LinearPlacement{p1, d1, d2, DirectionDegrees(d1, d2)};
  }
}

void SortChainPoints(std::vector<ModelPoint>& points, bool horizontal) {
  std::stable_sort(points.begin(), points.end(), [horizontal](ModelPoint a, ModelPoint b) {
    return horizontal ? a.x < b.x : a.y < b.y;
  });
}

std::optional<std::vector<ModelPoint>> ProjectChain(const std::vector<ModelPoint>& sorted, bool horizontal,
                                                    ModelPoint position) {
  if (sorted.size() < 2 || !Finite(position)) return std::nullopt;
  std::vector<ModelPoint> onLine;
  onLine.reserve(sorted.size());
  for (const ModelPoint p : sorted) {
    if (!Finite(p)) return std::nullopt;
    onLine.push_back(horizontal ? ModelPoint{p.x, position.y} : ModelPoint{position.x, p.y});
  }
  const double span = horizontal ? onLine.back().x - onLine.front().x : onLine.back().y - onLine.front().y;
  if (!(span >= kCoincidentTolerance)) return std::nullopt;
  return onLine;
}

std::optional<RadiusPlacement> PlaceRadiusDimension(const CircleShape& circle, ModelPoint click, double textSize,
                                                    double textLength) {
  const ModelPoint c = circle.centre;
  if (!Finite(click) || !(Distance(c, click) >= kCoincidentTolerance)) return std::nullopt;
  const std::optional<ModelPoint> t = PointOnCircleToward(c, circle.radius, click);
  if (!t || !Finite(*t)) return std::nullopt;
  if (!circle.whole && IsOnArc(circle.direction, *t, circle.start, circle.end, c, circle.radius) != 0) {
    return std::nullopt;
  }
  const bool inside = Distance(c, click) <= circle.radius || Distance(*t, click) < kCoincidentTolerance;
  ModelPoint from = inside ? c : *t;
  ModelPoint to = inside ? *t : click;
  double direction = DirectionDegrees(from, to);
  if (direction > 90 && direction < 270) {
    std::swap(from, to);
    direction = DirectionDegrees(from, to);
  }
  const double length = Distance(from, to);
  if (!(length > 0)) return std::nullopt;
  const ModelPoint text = DimensionTextInsertion(from, to, length / 2 - textLength / 2, textSize);
  return RadiusPlacement{*t, inside ? c : click, text, direction};
}

std::optional<LineEnds> DiameterToward(const CircleShape& circle, ModelPoint click) {
  const ModelPoint c = circle.centre;
  if (!Finite(click) || !(Distance(c, click) >= kCoincidentTolerance)) return std::nullopt;
  const std::optional<ModelPoint> near = PointOnCircleToward(c, circle.radius, click);
  if (!near || !Finite(*near)) return std::nullopt;
  return LineEnds{*near, {2 * c.x - near->x, 2 * c.y - near->y}};
}

std::optional<double> RayDirection(ModelPoint vertex, ModelPoint p) {
  if (!Finite(vertex) || !Finite(p) || !(Distance(vertex, p) >= kCoincidentTolerance)) return std::nullopt;
  return DirectionDegrees(vertex, p);
}

std::optional<AngleArc> PlaceAngleArc(ModelPoint vertex, double ray1Deg, double ray2Deg, ModelPoint click) {
  const std::optional<double> toClick = RayDirection(vertex, click);
  if (!toClick || !std::isfinite(ray1Deg) || !std::isfinite(ray2Deg)) return std::nullopt;
  const double start = NormalizedDegrees(ray1Deg);
  const double end = NormalizedDegrees(ray2Deg);
  const double sweep = NormalizedDegrees(end - start);
  if (!(sweep > 0)) return std::nullopt;
  const double radius = Distance(vertex, click);
  if (NormalizedDegrees(*toClick - start) <= sweep) return AngleArc{radius, start, end, sweep};
  return AngleArc{radius, end, start, 360 - sweep};
}

PerimeterText PlacePerimeterText(ModelPoint picked, ModelPoint click, double textSize, std::size_t characters) {
  const double width = textSize * (static_cast<double>(characters) + 1);
  const bool right = !(click.x < picked.x);
  const double start = right ? click.x : click.x - width;
  return {{right ? click.x + width : click.x - width, click.y}, {start + textSize / 2, click.y + textSize / 3}};
}

}  // namespace plenwick
