// FigureVertices of the polygon tool's figures.
#include "tools/draw/poly_geometry.h"

#include <cmath>

#include "tools/draw/circle_geometry.h"
#include "tools/edit/record_transform.h"
#include "view/selection.h"

namespace plenwick {

namespace {

bool AllFinite(const FigureVertices& v) {
  for (const ModelPoint& p : v) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
  }
  return true;
}

std::optional<FigureVertices> Checked(FigureVertices v) {
  if (!AllFinite(v)) return std::nullopt;
  return v;
}

}  // namespace

std::optional<FigureVertices> BoxVertices(ModelPoint p, ModelPoint q) {
  double x1 = p.x, y1 = p.y, x2 = q.x, y2 = q.y;
  NormalizeRectF(&x1, &y1, &x2, &y2);
  if (!(x2 - x1 >= kMinFigureSize && y2 - y1 >= kMinFigureSize)) return std::nullopt;
  return Checked({{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}});
}

std::optional<FigureVertices> SizedBoxVertices(ModelPoint base, double width, double height, BoxBase where, double degrees) {
  if (!(width >= kMinFigureSize && height >= kMinFigureSize) || !std::isfinite(degrees)) return std::nullopt;
  const ModelPoint from = where == BoxBase::kLowerLeft ? base : ModelPoint{base.x - width / 2, base.y - height / 2};
  std::optional<FigureVertices> box = BoxVertices(from, {from.x + width, from.y + height});
  if (!box) return std::nullopt;
  const PointMap turn = PointMap::Similarity(base, base, 1, NormalizedDegrees(degrees));
  for (ModelPoint& v : *box) v = turn.Apply(v);
  return Checked(std::move(*box));
}

std::optional<FigureVertices> ParallelogramVertices(ModelPoint a, ModelPoint b, ModelPoint p) {
  const double base = Distance(a, b);
  if (!(base >= kMinFigureSize)) return std::nullopt;
  // The distance of P from the base line: |cross(B − A, P − A)| / |B − A|.
  const double off = std::fabs((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / base;
  if (!(off >= kMinFigureSize)) return std::nullopt;
  return Checked({a, b, {p.x + (b.x - a.x), p.y + (b.y - a.y)}, p});
}

std::optional<FigureVertices> RegularPolygonVertices(ModelPoint centre, double radius, int n, double firstDegrees) {
  if (!(radius >= kMinFigureSize) || n < kMinPolygonVertices || n > kMaxPolygonVertices) return std::nullopt;
  const double first = NormalizedDegrees(firstDegrees);
  if (!std::isfinite(first)) return std::nullopt;
  FigureVertices v;
  v.reserve(static_cast<std::size_t>(n));
  for (int k = 0; k < n; ++k) {
    const double phi = DegreesToRadians(k * 360.0 / n + first);
    v.push_back({centre.x + radius * std::cos(phi), centre.y + radius * std::sin(phi)});
  }
  return Checked(std::move(v));
}

int PolygonVertexCount(int stored) {
  return stored >= kMinPolygonVertices && stored <= kMaxPolygonVertices ? stored : kMinPolygonVertices;
}

}  // namespace plenwick
