// Guards the perimeter and area that dimensions measure: known shapes give their textbook values,
// and random boundaries of lines and arcs (either direction, bulging either way, crossing
// themselves or not) agree with a fine polyline of the same pieces.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "tools/draw/circle_geometry.h"
#include "view/boundary_pieces.h"
#include "view/geometry.h"

namespace plenwick {
namespace {

using Kind = BoundaryPiece::Kind;

BoundaryPiece Vertex(double x, double y) {
  BoundaryPiece p;
  p.point = {x, y};
  return p;
}
BoundaryPiece ArcFrom(ModelPoint start, ModelPoint centre, bool counterClockwise) {
  BoundaryPiece p;
  p.kind = Kind::kArc;
  p.point = start;
  p.centre = centre;
  p.radius = std::hypot(start.x - centre.x, start.y - centre.y);
  p.counterClockwise = counterClockwise;
  return p;
}

BoundaryPiece Circle(ModelPoint centre, double radius) {
  BoundaryPiece p;
  p.kind = Kind::kCircle;
  p.centre = p.point = centre;
  p.radius = radius;
  return p;
}

TEST(BoundaryMeasure, KnownShapes) {
  const double r = 7;
  struct Case {
    const char* name;
    std::vector<BoundaryPiece> pieces;
    double length, area;
  } cases[] = {
      {"3-4-5 triangle", {Vertex(0, 0), Vertex(3, 0), Vertex(3, 4)}, 12, 6},
      {"unit square", {Vertex(0, 0), Vertex(0, 1), Vertex(1, 1), Vertex(1, 0)}, 4, 1},
      // Out along x, the quarter arc counter-clockwise, back down the y axis.
      {"quarter sector", {Vertex(0, 0), ArcFrom({r, 0}, {0, 0}, true), Vertex(0, r)}, 2 * r + kPi * r / 2,
       kPi * r * r / 4},
      {"circle", {Circle({3, 4}, r)}, 2 * kPi * r, kPi * r * r},
      {"L polygon", {Vertex(0, 0), Vertex(4, 0), Vertex(4, 1), Vertex(1, 1), Vertex(1, 3), Vertex(0, 3)}, 14, 6},
      {"half disc, clockwise", {ArcFrom({-r, 0}, {0, 0}, false), Vertex(r, 0)}, kPi * r + 2 * r, kPi * r * r / 2},
  };
  for (const Case& c : cases) {
    const BoundaryMeasure m = MeasureBoundary(c.pieces);
    EXPECT_NEAR(m.length, c.length, 1e-9) << c.name;
    EXPECT_NEAR(m.area, c.area, 1e-9) << c.name;
  }
}

// Length and signed area of the same boundary as a polyline of short chords.
BoundaryMeasure Flattened(const std::vector<BoundaryPiece>& pieces) {
  std::vector<ModelPoint> points;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const BoundaryPiece& p = pieces[k];
    const ModelPoint end = pieces[(k + 1) % pieces.size()].point;
    if (p.kind != Kind::kArc) {
      points.push_back(p.point);
      continue;
    }
    const double a0 = std::atan2(p.point.y - p.centre.y, p.point.x - p.centre.x) * 180 / kPi;
    const double a1 = std::atan2(end.y - p.centre.y, end.x - p.centre.x) * 180 / kPi;
    std::vector<ModelPoint> arc = ArcPolyline(p.centre, p.radius, a0, a1, p.counterClockwise ? 1 : -1, 1e4, true);
    arc.pop_back();  // the next piece starts there
    points.insert(points.end(), arc.begin(), arc.end());
  }
  BoundaryMeasure m;
  double twice = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const ModelPoint a = points[i], b = points[(i + 1) % points.size()];
    m.length += std::hypot(b.x - a.x, b.y - a.y);
    twice += a.x * b.y - b.x * a.y;
  }
  m.area = std::fabs(twice) / 2;
  return m;
}

TEST(BoundaryMeasure, RandomLineAndArcBoundariesAgreeWithAFinePolyline) {
  std::mt19937 random(2024);
  std::uniform_real_distribution<double> coordinate(-100, 100), bulge(-3, 3), unit(0, 1);
  for (int trial = 0; trial < 300; ++trial) {
    const int n = 3 + static_cast<int>(unit(random) * 8);
    std::vector<ModelPoint> vertices;
    for (int i = 0; i < n; ++i) vertices.push_back({coordinate(random), coordinate(random)});
    std::vector<BoundaryPiece> pieces;
    for (int i = 0; i < n; ++i) {
      const ModelPoint a = vertices[static_cast<std::size_t>(i)], b = vertices[static_cast<std::size_t>((i + 1) % n)];
      if (unit(random) < 0.5) {
        pieces.push_back(Vertex(a.x, a.y));
        continue;
      }
      // A centre on the chord's bisector: both ends lie on its circle, the arc goes either way.
      const double t = bulge(random);
      const ModelPoint centre{(a.x + b.x) / 2 - t * (b.y - a.y), (a.y + b.y) / 2 + t * (b.x - a.x)};
      pieces.push_back(ArcFrom(a, centre, unit(random) < 0.5));
    }
    const BoundaryMeasure exact = MeasureBoundary(pieces), fine = Flattened(pieces);
    EXPECT_NEAR(exact.length, fine.length, 1e-5 * fine.length) << trial;
    EXPECT_NEAR(exact.area, fine.area, 1e-5 * fine.length * fine.length) << trial;
  }
}

}  // namespace
}  // namespace plenwick
