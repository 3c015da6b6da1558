// Guards the dimension tool's geometry as plain functions: the reading rule of distance
// dimensions over every pair of directions, and the length and area of closed boundaries of
// random segments and arcs (bulging either way, run either way) against a fine polyline.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <random>

#include "tools/draw/circle_geometry.h"
#include "tools/draw/dimension_boundary.h"
#include "tools/draw/dimension_geometry.h"

namespace plenwick {
namespace {

TEST(DimensionGeometry, TheReadingRuleByOctants) {
  // Fault: a text running the wrong way for some placement of the line and the measured point.
  struct Case {
    ModelPoint d2;  // d1 is the origin
    ModelPoint p1;
    int r;
  } cases[] = {
      {{100, 0}, {0, -30}, 0},    // g 3 right: always as drawn
      {{100, 0}, {0, 30}, 0},
      {{-100, 0}, {0, -30}, 1},   // g 4 left, measured point below: reversed
      {{-100, 0}, {0, 30}, 1},    // g 4, h 1
      {{-100, 0}, {-30, 0}, 0},   // g 4, h 4
      {{0, 100}, {0, -30}, 3},    // g 1 up, h 2: swapped
      {{-99, 100}, {30, 10}, 3},  // g 1 beyond 134 degrees, h 3: swapped
      {{10, 100}, {30, 10}, 0},   // g 1 below 134 degrees, h 3
      {{0, 100}, {-30, 0}, 0},    // g 1, h 4
      {{0, -100}, {0, 30}, 3},    // g 2 down, h 1
      {{0, -100}, {30, 0}, 3},    // g 2, h 3
      {{0, -100}, {-30, 0}, 1},   // g 2, h 4
      {{0, 0}, {0, 30}, 1},       // no direction
      {{100, 0}, {0, 0}, 1},      // the measured point on the line
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DimensionOrientation({0, 0}, c.d2, c.p1), c.r) << c.d2.x << "," << c.d2.y << " " << c.p1.x << "," << c.p1.y;
  }
  // The rule's effect on what is stored: r 3 swaps the points, r 1 reverses only the direction.
  const auto swapped = PlaceLinearDimension({0, 100}, {0, 0}, {-30, 50});  // down, the measured point right
  ASSERT_TRUE(swapped);
  EXPECT_EQ(swapped->measured, (ModelPoint{0, 0}));
  EXPECT_EQ(swapped->end1, (ModelPoint{-30, 0}));
  EXPECT_EQ(swapped->end2, (ModelPoint{-30, 100}));
  EXPECT_EQ(swapped->directionDeg, 90);
  const auto reversed = PlaceLinearDimension({100, 0}, {0, 0}, {50, 30});
  ASSERT_TRUE(reversed);
  EXPECT_EQ(reversed->measured, (ModelPoint{100, 0}));
  EXPECT_EQ(reversed->end1, (ModelPoint{100, 30}));
  EXPECT_EQ(reversed->directionDeg, 0);
}

// The boundary as a dense polyline: each arc piece walked from its start to its end through the
// point it bulges through (bulges[i], used for arcs only).
std::vector<ModelPoint> Flatten(const std::vector<BoundaryStretch>& pieces, const std::vector<ModelPoint>& bulges) {
  std::vector<ModelPoint> out;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const BoundaryStretch& p = pieces[k];
    out.push_back(p.from);
    if (p.type != BoundaryStretch::Type::kArc) continue;
    const CircleShape& c = p.circle;
    const double a0 = DirectionDegrees(c.centre, p.from);
    const double ccw = NormalizedDegrees(DirectionDegrees(c.centre, p.to) - a0);
    const bool throughCcw = NormalizedDegrees(DirectionDegrees(c.centre, bulges[k]) - a0) < ccw;
    const double turn = throughCcw ? ccw : ccw - 360;
    for (int i = 1; i < 20000; ++i) {
      const double a = DegreesToRadians(a0 + turn * i / 20000);
      out.push_back({c.centre.x + c.radius * std::cos(a), c.centre.y + c.radius * std::sin(a)});
    }
  }
  return out;
}

TEST(DimensionGeometry, RandomLineArcBoundariesAgreeWithAFinePolyline) {
  // Fault: an arc's segment added where it should be taken away, or an arc measured the long way.
  std::mt19937 random(7);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int trial = 0; trial < 200; ++trial) {
    // A convex polygon of 3..8 corners on a circle; some edges become arcs through their ends.
    const int n = 3 + trial % 6;
    std::vector<double> angles;
    for (int i = 0; i < n; ++i) angles.push_back(360.0 * (i + 0.2 + 0.6 * unit(random)) / n);
    const bool clockwise = trial % 2 == 1;
    if (clockwise) std::reverse(angles.begin(), angles.end());
    std::vector<ModelPoint> corners;
    for (double a : angles) corners.push_back({500 + 300 * std::cos(DegreesToRadians(a)), 400 + 300 * std::sin(DegreesToRadians(a))});
    std::vector<BoundaryStretch> pieces;
    std::vector<ModelPoint> bulges;
    for (int i = 0; i < n; ++i) {
      BoundaryStretch p;
      p.from = corners[static_cast<std::size_t>(i)];
      p.to = corners[static_cast<std::size_t>((i + 1) % n)];
      bulges.push_back({});
      if (unit(random) < 0.6) {
        bulges.pop_back();
        // The arc through the two ends bulging out or in by a random sagitta, stored either way round.
        const double chord = Distance(p.from, p.to);
        const ModelPoint mid{(p.from.x + p.to.x) / 2, (p.from.y + p.to.y) / 2};
        const double sagitta = (unit(random) - 0.5) * 0.6 * chord;
        const ModelPoint normal{(p.to.y - p.from.y) / chord, -(p.to.x - p.from.x) / chord};
        const ModelPoint bulge{mid.x + sagitta * normal.x, mid.y + sagitta * normal.y};
        bulges.push_back(bulge);
        const std::optional<ArcThrough3> arc =
            unit(random) < 0.5 ? ArcFrom3Points(p.from, p.to, bulge) : ArcFrom3Points(p.to, p.from, bulge);
        if (arc && std::fabs(sagitta) > 1) {
          p.type = BoundaryStretch::Type::kArc;
          p.circle.centre = arc->centre;
          p.circle.radius = arc->radius;
          p.circle.startDeg = arc->startDeg;
          p.circle.endDeg = arc->endDeg;
          p.circle.direction = arc->direction;
          p.circle.whole = false;
        }
      }
      pieces.push_back(p);
    }
    const std::vector<ModelPoint> fine = Flatten(pieces, bulges);
    double area = 0, length = 0;
    for (std::size_t i = 0; i < fine.size(); ++i) {
      const ModelPoint a = fine[i], b = fine[(i + 1) % fine.size()];
      area += a.x * b.y - b.x * a.y;
      length += Distance(a, b);
    }
    double measured = 0;
    for (const BoundaryStretch& p : pieces) measured += StretchLength(p);
    SCOPED_TRACE(trial);
    EXPECT_NEAR(EnclosedArea(pieces), std::fabs(area) / 2, 1e-3 * std::fabs(area) / 2);
    EXPECT_NEAR(measured, length, 1e-4 * length);
  }
}

}  // namespace
}  // namespace plenwick
