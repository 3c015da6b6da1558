// Mapping the defining points of records by kind, and the sizes and directions that go with them.
#include "tools/edit/record_transform.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "tools/draw/circle_geometry.h"
#include "tools/draw/line_geometry.h"
#include "view/entity_bounds.h"

namespace plenwick {

namespace {

// Below this a rotation is no rotation (degrees).
constexpr double kSmallestRotation = 0.005;
// Ends of an infinite line this close in one coordinate keep it horizontal or vertical (mm).
constexpr double kAxisTolerance = 1e-6;

using PointVisitor = std::function<void(double& x, double& y)>;

void VisitPair(std::vector<double>& v, std::size_t i, const PointVisitor& visit) {
  if (i + 1 < v.size()) visit(v[i], v[i + 1]);
}

// The boundary pieces of a paint or hatching from value `i` on, `pieces` of them at most: arc
// pieces (codes 0 and 1: centre, radius, start point), vertices (10) and circles (50: centre,
// radius). `piece` is told each piece's code, first value and length.
void VisitBoundary(std::vector<double>& v, const std::vector<int16_t>& codes, std::size_t i, int pieces,
                   const std::function<void(int code, std::size_t at)>& piece) {
  for (int p = 0; p < pieces && i < v.size() && i < codes.size(); ++p) {
    const int code = codes[i];
    const std::size_t length = code == 0 || code == 1 ? 5 : code == 10 ? 2 : code == 50 ? 3 : 0;
    if (length == 0 || i + length > v.size()) return;
    piece(code, i);
    i += length;
  }
}

// Every defining point of a record's values, by kind.
void VisitPoints(int kind, std::vector<double>& v, const std::vector<int16_t>& codes, const PointVisitor& visit) {
  switch (kind) {
    case kPoint: case kCircle: case kArc: case kText: VisitPair(v, 0, visit); return;
    case kLine: case kHorizontalInfiniteLine: case kVerticalInfiniteLine: case kAngledInfiniteLine: case kImage:
      VisitPair(v, 0, visit);
      VisitPair(v, 2, visit);
      return;
    case kBezierCurve: case kFreeCurve: case kPolygon:
      for (std::size_t i = 0; i + 1 < v.size(); i += 2) VisitPair(v, i, visit);
      return;
    case kLeaderText:
      for (std::size_t i : {0, 5, 7, 9}) VisitPair(v, i, visit);
      return;
    case kDimension:
      for (std::size_t i = 0; i + 1 < v.size() && i + 1 < codes.size(); ++i) {
        if (codes[i] >= 40 && codes[i] <= 449 && codes[i] % 10 == 0 && codes[i + 1] == codes[i] + 1) {
          visit(v[i], v[i + 1]);
        }
      }
      return;
    case kPaint:
      VisitBoundary(v, codes, 2, 32767, [&](int code, std::size_t at) {
        VisitPair(v, at, visit);
        if (code == 0 || code == 1) VisitPair(v, at + 3, visit);
      });
      return;
    case kHatch:
      VisitPair(v, 3, visit);
      VisitPair(v, 5, visit);
      VisitBoundary(v, codes, 7, codes.empty() ? 0 : codes[0], [&](int code, std::size_t at) {
        VisitPair(v, at, visit);
        if (code == 0 || code == 1) VisitPair(v, at + 3, visit);
      });
      return;
    default: return;
  }
}

// Sizes of the boundary pieces scale with the drawing; under a mirror an arc piece turns the
// other way.
void MapBoundarySizes(int kind, std::vector<double>& v, std::vector<int16_t>& codes, const PointMap& map) {
  const std::size_t first = kind == kPaint ? 2 : 7;
  const int pieces = kind == kPaint ? 32767 : (codes.empty() ? 0 : codes[0]);
  VisitBoundary(v, codes, first, pieces, [&](int code, std::size_t at) {
    if (code == 10) return;
    v[at + 2] *= map.scale();
    if (map.mirrors() && code != 50) codes[at] = static_cast<int16_t>(code == 1 ? 0 : 1);
  });
}

// A hatching's spacings and angle (values 0 to 2) and its box (3 to 6, its corners already
// mapped): under quarter turns and axis mirrors the mapped corners are the box; otherwise the box
// is taken again from the mapped boundary (vertices, and arc and circle pieces by centre ± radius).
void MapHatchFrame(std::vector<double>& v, const std::vector<int16_t>& codes, const PointMap& map) {
  v[0] *= map.scale();
  v[1] *= map.scale();
  v[2] = map.MapDirection(v[2]);
  if (!map.KeepsAxes()) {
    double box[4] = {HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    auto take = [&](double x, double y, double r) {
      box[0] = std::min(box[0], x - r);
      box[1] = std::min(box[1], y - r);
      box[2] = std::max(box[2], x + r);
      box[3] = std::max(box[3], y + r);
    };
    VisitBoundary(v, codes, 7, codes.empty() ? 0 : codes[0], [&](int code, std::size_t at) {
      take(v[at], v[at + 1], code == 10 ? 0 : std::fabs(v[at + 2]));
      if (code == 0 || code == 1) take(v[at + 3], v[at + 4], 0);
    });
    if (box[0] <= box[2]) {
      for (int i = 0; i < 4; ++i) v[static_cast<std::size_t>(3 + i)] = box[i];
      return;
    }
  }
  if (v[3] > v[5]) std::swap(v[3], v[5]);
  if (v[4] > v[6]) std::swap(v[4], v[6]);
}

// An infinite line stays horizontal or vertical only when its mapped ends still are.
int16_t InfiniteLineKind(const std::vector<double>& v) {
  if (std::fabs(v[1] - v[3]) < kAxisTolerance) return kHorizontalInfiniteLine;
  if (std::fabs(v[0] - v[2]) < kAxisTolerance) return kVerticalInfiniteLine;
  return kAngledInfiniteLine;
}

}  // namespace

PointMap PointMap::Similarity(ModelPoint from, ModelPoint to, double scale, double degrees) {
  PointMap map;
  double turn = std::fabs(degrees) < kSmallestRotation ? 0 : degrees;
  if (scale < 0) {
    scale = -scale;
    turn += 180;
  }
  const double r = DegreesToRadians(turn);
  const double c = turn == 0 ? 1 : std::cos(r), s = turn == 0 ? 0 : std::sin(r);
  // Row vectors: (p − from) · (R · S) + to.
  map.m_[0][0] = scale * c;
  map.m_[0][1] = scale * s;
  map.m_[1][0] = -scale * s;
  map.m_[1][1] = scale * c;
  map.m_[2][0] = to.x - from.x * map.m_[0][0] - from.y * map.m_[1][0];
  map.m_[2][1] = to.y - from.x * map.m_[0][1] - from.y * map.m_[1][1];
  map.scale_ = scale;
  map.degrees_ = turn;
  return map;
}

PointMap PointMap::Mirror(ModelPoint a, ModelPoint b) {
  PointMap map;
  LineCoef l;
  if (LineCoefficients(a, b, &l) != 0) return map;  // no axis: the identity
  // The reflection about A·x + B·y + C = 0 as a matrix on row vectors.
  const double q = l.a * l.a + l.b * l.b;
  map.m_[0][0] = -(l.a * l.a - l.b * l.b) / q;
  map.m_[0][1] = -2 * l.a * l.b / q;
  map.m_[1][0] = -2 * l.a * l.b / q;
  map.m_[1][1] = (l.a * l.a - l.b * l.b) / q;
  map.m_[2][0] = -2 * l.a * l.c / q;
  map.m_[2][1] = -2 * l.b * l.c / q;
  map.mirrored_ = true;
  return map;
}

ModelPoint PointMap::Apply(ModelPoint p) const {
  return {p.x * m_[0][0] + p.y * m_[1][0] + m_[2][0], p.x * m_[0][1] + p.y * m_[1][1] + m_[2][1]};
}

double PointMap::MapDirection(double degrees) const {
  const double r = DegreesToRadians(degrees);
  const double dx = std::cos(r), dy = std::sin(r);
  const ModelPoint d{dx * m_[0][0] + dy * m_[1][0], dx * m_[0][1] + dy * m_[1][1]};
  return NormalizedDegrees(DirectionDegrees({0, 0}, d));
}

bool PointMap::KeepsAxes() const {
  return (m_[0][1] == 0 && m_[1][0] == 0) || (m_[0][0] == 0 && m_[1][1] == 0);
}

RecordGeometry GeometryOf(const DrawEntity& e) {
  RecordGeometry g;
  g.kind = e.kind;
  g.subKind = e.subKind;
  if (e.values) g.values.assign(e.values.get(), e.values.get() + e.valueCount);
  if (e.codes) g.codes.assign(e.codes.get(), e.codes.get() + e.valueCount);
  return g;
}

std::optional<RecordGeometry> MappedGeometry(const DrawEntity& e, const PointMap& map) {
  if (e.kind == kGrid || e.kind == kGroupHeader || !e.values) return std::nullopt;
  RecordGeometry g = GeometryOf(e);
  std::vector<double>& v = g.values;
  // An arc's ends, before its centre moves.
  ModelPoint arcStart, arcEnd;
  if (e.kind == kArc && v.size() >= 5) ArcEndPoints({v[0], v[1]}, v[2], v[3], v[4], &arcStart, &arcEnd);
  VisitPoints(e.kind, v, g.codes, [&](double& x, double& y) {
    const ModelPoint p = map.Apply({x, y});
    x = p.x;
    y = p.y;
  });
  switch (e.kind) {
    case kCircle:
      if (v.size() >= 3) v[2] *= map.scale();
      break;
    case kArc:
      if (v.size() >= 5) {
        const bool whole = v[3] == v[4];
        v[2] *= map.scale();
        const ModelPoint centre{v[0], v[1]};
        v[3] = DirectionDegrees(centre, map.Apply(arcStart));
        v[4] = whole ? v[3] : DirectionDegrees(centre, map.Apply(arcEnd));
        if (map.mirrors()) g.subKind = static_cast<int16_t>(e.subKind == 1 ? -1 : 1);
      }
      break;
    case kText:
    case kLeaderText:
      // A mirror moves a text without turning or flipping its letters.
      if (v.size() >= 5 && !map.mirrors()) {
        v[2] *= map.scale();
        v[3] *= map.scale();
        v[4] = NormalizedDegrees(v[4] + map.degrees());
      }
      break;
    case kHorizontalInfiniteLine:
    case kVerticalInfiniteLine:
    case kAngledInfiniteLine:
      if (v.size() >= 4) g.kind = InfiniteLineKind(v);
      break;
    case kImage:
      if (v.size() >= 4) {
        if (v[0] > v[2]) std::swap(v[0], v[2]);
        if (v[1] > v[3]) std::swap(v[1], v[3]);
      }
      break;
    case kPaint: MapBoundarySizes(e.kind, v, g.codes, map); break;
    case kHatch:
      MapBoundarySizes(e.kind, v, g.codes, map);
      if (v.size() >= 7) MapHatchFrame(v, g.codes, map);
      break;
    default: break;
  }
  for (double x : v) {
    if (!std::isfinite(x)) return std::nullopt;
  }
  return g;
}

std::vector<ModelPoint> DefiningPoints(const DrawEntity& e) {
  std::vector<ModelPoint> points;
  RecordGeometry g = GeometryOf(e);
  VisitPoints(e.kind, g.values, g.codes, [&](double& x, double& y) { points.push_back({x, y}); });
  return points;
}

std::optional<ModelPoint> CentreOfRecords(const std::vector<DrawEntity*>& records) {
  ModelRect all = EmptyWholeBounds();
  for (const DrawEntity* e : records) {
    if (e->kind != kGrid && e->kind != kGroupHeader) AddToWholeBounds(*e, all);
  }
  if (!(all.xmin <= all.xmax && all.ymin <= all.ymax)) return std::nullopt;
  return ModelPoint{(all.xmin + all.xmax) / 2, (all.ymin + all.ymax) / 2};
}

}  // namespace plenwick
