// Hatch lines: a line drawn outside its boundary, a missing or doubled line, lines in the wrong
// place after a turn, or a hostile record that hangs or floods the renderer.
#include "view/hatch_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <set>

#include "support/even_odd_inside.h"
#include "support/render_fixture.h"
#include "tools/standard_tools.h"
#include "view/entity_stroke.h"
#include "view/render_hooks.h"

namespace plenwick {
namespace {

using testing::InsideOrNear;

constexpr double kTwoPi = 2 * std::numbers::pi;

BoundaryPiece Vertex(double x, double y) { return {BoundaryPiece::Kind::kVertex, {x, y}, {}, 0, true}; }
BoundaryPiece Circle(double x, double y, double r) { return {BoundaryPiece::Kind::kCircle, {x, y}, {x, y}, r, true}; }
BoundaryPiece ArcFrom(double x, double y, double cx, double cy, double r, bool ccw) {
  return {BoundaryPiece::Kind::kArc, {x, y}, {cx, cy}, r, ccw};
}

// A hatching record with the pieces coded as stored: vertex 10/20, arc 0|1 2 3 4 5, circle 50 51 52.
std::unique_ptr<DrawEntity> Record(int pattern, double sy, double sx, double angle, const Box& box,
                                   const std::vector<BoundaryPiece>& pieces) {
  std::vector<int16_t> codes{static_cast<int16_t>(pieces.size()), 0, 0, 60, 61, 62, 63};
  std::vector<double> values{sy, sx, angle, box.minX, box.minY, box.maxX, box.maxY};
  for (const BoundaryPiece& p : pieces) {
    if (p.kind == BoundaryPiece::Kind::kVertex) {
      codes.insert(codes.end(), {10, 20});
      values.insert(values.end(), {p.point.x, p.point.y});
    } else if (p.kind == BoundaryPiece::Kind::kArc) {
      codes.insert(codes.end(), {static_cast<int16_t>(p.counterClockwise ? 1 : 0), 2, 3, 4, 5});
      values.insert(values.end(), {p.centre.x, p.centre.y, p.radius, p.point.x, p.point.y});
    } else {
      codes.insert(codes.end(), {50, 51, 52});
      values.insert(values.end(), {p.centre.x, p.centre.y, p.radius});
    }
  }
  auto e = NewEntityRecord(static_cast<int>(values.size()), true);
  e->kind = kHatch;
  e->subKind = static_cast<int16_t>(pattern);
  e->valueCount = static_cast<int16_t>(values.size());
  std::copy(codes.begin(), codes.end(), e->codes.get());
  std::copy(values.begin(), values.end(), e->values.get());
  return e;
}

// The lines the program draws for a record: through the hook its start-up installs.
std::vector<ModelSegment> Drawn(const DrawEntity& e) {
  InstallToolExtensions();
  std::vector<ModelSegment> lines;
  InstalledRenderHooks().hatchLines(e, nullptr, lines);
  return lines;
}

double Length(const ModelSegment& s) { return std::hypot(s.b.x - s.a.x, s.b.y - s.a.y); }

// The boundary flattened finely (0.2 degree steps), independently of the generator.
std::vector<ModelPoint> Flatten(const std::vector<BoundaryPiece>& pieces) {
  std::vector<ModelPoint> out;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const BoundaryPiece& p = pieces[k];
    out.push_back(p.point);
    if (p.kind != BoundaryPiece::Kind::kArc) continue;
    const ModelPoint e = pieces[(k + 1) % pieces.size()].point;
    const double a0 = std::atan2(p.point.y - p.centre.y, p.point.x - p.centre.x);
    double sweep = std::atan2(e.y - p.centre.y, e.x - p.centre.x) - a0;
    if (!p.counterClockwise) sweep = -sweep;
    while (sweep <= 0) sweep += kTwoPi;
    const int steps = static_cast<int>(sweep / (kTwoPi / 1800)) + 1;
    for (int i = 1; i < steps; ++i) {
      const double a = a0 + (p.counterClockwise ? 1 : -1) * sweep * i / steps;
      out.push_back({p.centre.x + p.radius * std::cos(a), p.centre.y + p.radius * std::sin(a)});
    }
  }
  return out;
}

double Area(const std::vector<ModelPoint>& poly) {
  double twice = 0;
  for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    twice += poly[j].x * poly[i].y - poly[i].x * poly[j].y;
  }
  return std::fabs(twice) / 2;
}

// A random region: a convex polygon of 3 to 12 vertices, some sides bulged into arcs either way.
std::vector<BoundaryPiece> RandomRegion(std::mt19937& rng) {
  std::uniform_real_distribution<double> unit(0, 1);
  const int n = 3 + static_cast<int>(rng() % 10);
  const ModelPoint c{unit(rng) * 200 - 100, unit(rng) * 200 - 100};
  const double r = 20 + unit(rng) * 80;
  std::vector<double> angles;
  for (int i = 0; i < n; ++i) angles.push_back(unit(rng) * kTwoPi);
  std::sort(angles.begin(), angles.end());
  std::vector<BoundaryPiece> pieces;
  for (double a : angles) pieces.push_back(Vertex(c.x + r * std::cos(a), c.y + r * std::sin(a)));
  for (int i = 0; i < n; ++i) {
    if (rng() % 2) continue;
    BoundaryPiece& p = pieces[i];
    const ModelPoint a = p.point, b = pieces[(i + 1) % n].point;
    const double chord = std::hypot(b.x - a.x, b.y - a.y);
    if (chord < 1) continue;
    // Centre on the side's bisector, far enough that the bulge stays shallow.
    const double h = chord * (1.5 + unit(rng) * 3);
    const ModelPoint m{(a.x + b.x) / 2, (a.y + b.y) / 2}, nrm{-(b.y - a.y) / chord, (b.x - a.x) / chord};
    const bool outward = rng() % 2;  // the polygon runs counter-clockwise: inward is to the left
    const double side = outward ? 1 : -1;
    p = ArcFrom(a.x, a.y, m.x + side * h * nrm.x, m.y + side * h * nrm.y, std::hypot(chord / 2, h), outward);
  }
  return pieces;
}

// The plain generator: every line of the family against every piece.
std::vector<ModelSegment> EveryLineEveryPiece(const HatchLayout& l, const std::vector<BoundaryPiece>& pieces,
                                              ModelPoint corner, bool vertical) {
  const double c = std::cos(l.angleDeg * std::numbers::pi / 180), s = std::sin(l.angleDeg * std::numbers::pi / 180);
  const ModelPoint d = vertical ? ModelPoint{-s, c} : ModelPoint{c, s};
  const ModelPoint n = vertical ? ModelPoint{c, s} : ModelPoint{-s, c};
  const double sp = vertical ? l.spacingX : l.spacingY;
  auto u = [&](ModelPoint p) { return (p.x - corner.x) * n.x + (p.y - corner.y) * n.y; };
  auto t = [&](ModelPoint p) { return (p.x - corner.x) * d.x + (p.y - corner.y) * d.y; };
  std::vector<ModelSegment> out;
  for (int k = -400; k <= 400; ++k) {
    const double uk = k * sp;
    std::vector<double> ts;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      const BoundaryPiece& p = pieces[i];
      const ModelPoint e = pieces[(i + 1) % pieces.size()].point;
      if (p.kind == BoundaryPiece::Kind::kVertex) {
        const double ua = u(p.point), ub = u(e);
        if (std::min(ua, ub) <= uk && uk < std::max(ua, ub)) {
          ts.push_back(t(p.point) + (uk - ua) * (t(e) - t(p.point)) / (ub - ua));
        }
        continue;
      }
      const double cu = u(p.centre), ct = t(p.centre), h2 = p.radius * p.radius - (uk - cu) * (uk - cu);
      if (h2 <= 0) continue;
      const double a0 = std::atan2(p.point.y - p.centre.y, p.point.x - p.centre.x);
      const double a1 = std::atan2(e.y - p.centre.y, e.x - p.centre.x);
      for (double sign : {-1.0, 1.0}) {
        const double tk = ct + sign * std::sqrt(h2);
        const ModelPoint q{corner.x + uk * n.x + tk * d.x, corner.y + uk * n.y + tk * d.y};
        const double aq = std::atan2(q.y - p.centre.y, q.x - p.centre.x);
        auto ccwFrom = [](double from, double to) { return std::fmod(std::fmod(to - from, kTwoPi) + kTwoPi, kTwoPi); };
        const bool on = p.counterClockwise ? ccwFrom(a0, aq) < ccwFrom(a0, a1) : ccwFrom(aq, a0) < ccwFrom(a1, a0);
        if (on) ts.push_back(tk);
      }
    }
    std::sort(ts.begin(), ts.end());
    for (std::size_t i = 0; i + 1 < ts.size(); i += 2) {
      out.push_back({{corner.x + uk * n.x + ts[i] * d.x, corner.y + uk * n.y + ts[i] * d.y},
                     {corner.x + uk * n.x + ts[i + 1] * d.x, corner.y + uk * n.y + ts[i + 1] * d.y}});
    }
  }
  return out;
}

void SortSegments(std::vector<ModelSegment>& v) {
  for (ModelSegment& s : v) {
    if (std::tie(s.b.x, s.b.y) < std::tie(s.a.x, s.a.y)) std::swap(s.a, s.b);
  }
  std::sort(v.begin(), v.end(), [](const ModelSegment& a, const ModelSegment& b) {
    return std::tie(a.a.x, a.a.y, a.b.x, a.b.y) < std::tie(b.a.x, b.a.y, b.b.x, b.b.y);
  });
}

Box BoxOf(const std::vector<ModelPoint>& points) {
  Box b;
  for (ModelPoint p : points) b.Add(p);
  return b;
}

TEST(HatchLines, WorkedCases) {
  struct Case {
    const char* name;
    int pattern;
    double spacing;
    std::vector<BoundaryPiece> pieces;
    std::vector<ModelSegment> expected;
  };
  const std::vector<Case> cases = {
      // Offset 0 lies on the bottom side and is drawn once; the top side's line is not drawn.
      {"rectangle", 1, 10, {Vertex(0, 0), Vertex(40, 0), Vertex(40, 30), Vertex(0, 30)},
       {{{0, 0}, {40, 0}}, {{0, 10}, {40, 10}}, {{0, 20}, {40, 20}}}},
      {"rectangle, vertical", 0, 20, {Vertex(0, 0), Vertex(40, 0), Vertex(40, 30), Vertex(0, 30)},
       {{{0, 0}, {0, 30}}, {{20, 0}, {20, 30}}}},
      // The line through the left and right corners passes them: counted once each. The bottom
      // corner is touched (twice, no line) and the top one not met.
      {"diamond", 1, 10, {Vertex(0, -10), Vertex(10, 0), Vertex(0, 10), Vertex(-10, 0)}, {{{-10, 0}, {10, 0}}}},
      // A notch touching the line y = 10 from above splits it there.
      {"notch", 1, 10,
       {Vertex(0, 0), Vertex(40, 0), Vertex(40, 20), Vertex(30, 20), Vertex(20, 10), Vertex(10, 20), Vertex(0, 20)},
       {{{0, 0}, {40, 0}}, {{0, 10}, {20, 10}}, {{20, 10}, {40, 10}}}},
  };
  for (const Case& c : cases) {
    std::vector<ModelPoint> points;
    for (const BoundaryPiece& p : c.pieces) points.push_back(p.point);
    auto lines = Drawn(*Record(c.pattern, c.spacing, c.spacing, 0, BoxOf(points), c.pieces));
    auto expected = c.expected;
    SortSegments(lines);
    SortSegments(expected);
    ASSERT_EQ(lines.size(), expected.size()) << c.name;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_NEAR(lines[i].a.x, expected[i].a.x, 1e-9) << c.name;
      EXPECT_NEAR(lines[i].a.y, expected[i].a.y, 1e-9) << c.name;
      EXPECT_NEAR(lines[i].b.x, expected[i].b.x, 1e-9) << c.name;
      EXPECT_NEAR(lines[i].b.y, expected[i].b.y, 1e-9) << c.name;
    }
  }

  // A circle with pattern 1, spacing 5: horizontal chords 5 mm apart from its lowest point.
  auto chords = Drawn(*Record(1, 5, 5, 0, {80, 30, 120, 70}, {Circle(100, 50, 20)}));
  ASSERT_EQ(chords.size(), 7u);
  for (const ModelSegment& s : chords) {
    EXPECT_EQ(s.a.y, s.b.y);
    EXPECT_NEAR(std::remainder(s.a.y - 30, 5), 0, 1e-9);
    EXPECT_NEAR(std::hypot(s.a.x - 100, s.a.y - 50), 20, 1e-9);
    EXPECT_NEAR(std::hypot(s.b.x - 100, s.b.y - 50), 20, 1e-9);
  }
}

// The view draws a hatching's lines once the program has started: inside the circle, in pixels.
TEST(HatchLines, TheViewDrawsThemInsideTheBoundary) {
  testing::RenderFixture f;
  InstallToolExtensions();
  f.Draw(*Record(2, 5, 5, 30, {80, 30, 120, 70}, {Circle(100, 50, 20)}));
  const auto lines = f.canvas.OfKind(CanvasOp::kLine);
  ASSERT_GE(lines.size(), 12u);
  const PixelPoint centre = f.At(100, 50);
  for (const auto& line : lines) {
    for (PixelPoint p : line.points) EXPECT_LE(std::hypot(p.x - centre.x, p.y - centre.y), 21) << p.x << ", " << p.y;
  }
}

// Each family runs along its turned direction at multiples of its spacing from the line
// through the reference corner: (max x, min y) for angles in (0, 90] and (180, 270], else
// (min x, min y); angles outside 0..360 are taken into it first.
TEST(HatchLines, FamiliesTurnAboutTheReferenceCorner) {
  const std::vector<BoundaryPiece> region = {Vertex(3, 7), Vertex(97, 2), Vertex(110, 61), Vertex(20, 80)};
  const Box box{3, 2, 110, 80};
  for (double angle : {0.0, 30.0, 45.0, 90.0, 123.4, 180.0, 200.0, 270.0, 300.0, -45.0, 405.0, -270.0, 3690.0}) {
    for (int pattern : {0, 1, 2, 3}) {
      const auto lines = Drawn(*Record(pattern, 7, 11, angle, box, region));
      ASSERT_FALSE(lines.empty()) << angle;
      double a = std::fmod(angle, 360);
      if (a < 0) a += 360;
      const ModelPoint corner{(a > 0 && a <= 90) || (a > 180 && a <= 270) ? box.maxX : box.minX, box.minY};
      const double c = std::cos(a * std::numbers::pi / 180), s = std::sin(a * std::numbers::pi / 180);
      for (const ModelSegment& seg : lines) {
        const double dx = seg.b.x - seg.a.x, dy = seg.b.y - seg.a.y, len = std::hypot(dx, dy);
        ASSERT_GT(len, 0);
        const bool horizontal = std::fabs(dx * c + dy * s) > len * (1 - 1e-9);
        const bool vertical = std::fabs(-dx * s + dy * c) > len * (1 - 1e-9);
        ASSERT_TRUE(horizontal || vertical) << angle;
        if (horizontal) {
          ASSERT_NE(pattern, 0);
          EXPECT_NEAR(std::remainder(-(seg.a.x - corner.x) * s + (seg.a.y - corner.y) * c, 7), 0, 1e-7) << angle;
        } else {
          ASSERT_NE(pattern, 1);
          // Brick joints stand every half spacing, alternate courses shifted.
          const double step = pattern == 3 ? 5.5 : 11;
          EXPECT_NEAR(std::remainder((seg.a.x - corner.x) * c + (seg.a.y - corner.y) * s, step), 0, 1e-7) << angle;
        }
      }
    }
  }
}

// Over random regions with arcs: every point of every line lies inside a fine flattening of the
// boundary, the lines cover its area, and they agree with the plain every-line-every-piece cut.
TEST(HatchLines, RandomRegionsInsideAreaAndDifferential) {
  std::mt19937 rng(2107);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int round = 0; round < 150; ++round) {
    const std::vector<BoundaryPiece> pieces = RandomRegion(rng);
    const std::vector<ModelPoint> fine = Flatten(pieces);
    HatchLayout layout;
    layout.pattern = static_cast<int>(rng() % 4);
    layout.spacingY = 1 + unit(rng) * 4;
    layout.spacingX = 1 + unit(rng) * 4;
    layout.angleDeg = round % 5 == 0 ? 90.0 * (round % 4) : unit(rng) * 720 - 360;
    // A corner off the boundary: the plain cut below does not place lines through vertices.
    layout.box = BoxOf(fine);
    layout.box.Grow(unit(rng));
    auto lines = Drawn(*Record(layout.pattern, layout.spacingY, layout.spacingX, layout.angleDeg, layout.box, pieces));

    double lengthH = 0, lengthV = 0;
    const double c = std::cos(layout.angleDeg * std::numbers::pi / 180), s = std::sin(layout.angleDeg * std::numbers::pi / 180);
    for (const ModelSegment& seg : lines) {
      for (int i = 0; i <= 4; ++i) {
        const ModelPoint q{seg.a.x + (seg.b.x - seg.a.x) * i / 4, seg.a.y + (seg.b.y - seg.a.y) * i / 4};
        ASSERT_TRUE(InsideOrNear(fine, q, 2e-3)) << "round " << round << " at " << q.x << ", " << q.y;
      }
      (std::fabs((seg.b.x - seg.a.x) * c + (seg.b.y - seg.a.y) * s) > Length(seg) * 0.5 ? lengthH : lengthV) += Length(seg);
    }
    const double area = Area(fine), perimeter = [&] {
      double p = 0;
      for (std::size_t i = 0; i < fine.size(); ++i) p += std::hypot(fine[i].x - fine[(i + 1) % fine.size()].x, fine[i].y - fine[(i + 1) % fine.size()].y);
      return p;
    }();
    if (layout.pattern != 0) {
      EXPECT_NEAR(lengthH * layout.spacingY, area, perimeter * layout.spacingY) << round;
    }
    if (layout.pattern == 0 || layout.pattern == 2) {
      EXPECT_NEAR(lengthV * layout.spacingX, area, perimeter * layout.spacingX) << round;
    }
    if (layout.pattern == 3) {
      // Joints: about one per spacingX along every course.
      EXPECT_NEAR(lengthV * layout.spacingX, area, perimeter * layout.spacingX + area * 0.5) << round;
      continue;
    }

    double a = std::fmod(layout.angleDeg, 360);
    if (a < 0) a += 360;
    const ModelPoint corner{(a > 0 && a <= 90) || (a > 180 && a <= 270) ? layout.box.maxX : layout.box.minX, layout.box.minY};
    std::vector<ModelSegment> plain;
    for (bool vertical : {true, false}) {
      if ((vertical && layout.pattern == 1) || (!vertical && layout.pattern == 0)) continue;
      auto family = EveryLineEveryPiece(layout, pieces, corner, vertical);
      plain.insert(plain.end(), family.begin(), family.end());
    }
    std::erase_if(plain, [](const ModelSegment& seg) { return Length(seg) < 1e-9; });
    std::erase_if(lines, [](const ModelSegment& seg) { return Length(seg) < 1e-9; });
    SortSegments(lines);
    SortSegments(plain);
    ASSERT_EQ(lines.size(), plain.size()) << round;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      ASSERT_NEAR(lines[i].a.x, plain[i].a.x, 1e-6) << round;
      ASSERT_NEAR(lines[i].a.y, plain[i].a.y, 1e-6) << round;
      ASSERT_NEAR(lines[i].b.x, plain[i].b.x, 1e-6) << round;
      ASSERT_NEAR(lines[i].b.y, plain[i].b.y, 1e-6) << round;
    }
  }
}

// Records from files: counts past the values, unknown codes, numbers that are not finite,
// spacings that are zero, negative or tiny, huge angles and negative radii never crash or hang,
// and the output stays bounded and finite.
TEST(HatchLines, HostileRecordsStayBounded) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  const double numbers[] = {0, 1, -1, 5, 1e-300, 1e-9, 1e300, -1e300, nan, inf, -inf, 20, 1e6, -7.5, 360};
  std::mt19937 rng(71);
  for (int round = 0; round < 2000; ++round) {
    const int count = 7 + static_cast<int>(rng() % 20);
    auto e = NewEntityRecord(count, true);
    e->kind = kHatch;
    e->subKind = static_cast<int16_t>(static_cast<int>(rng() % 6) - 1);
    e->valueCount = static_cast<int16_t>(count);
    const int16_t codes[] = {10, 20, 0, 1, 2, 50, 51, 52, 11, -3};
    for (int i = 0; i < count; ++i) {
      e->codes[i] = codes[rng() % std::size(codes)];
      e->values[i] = rng() % 3 ? std::ldexp(static_cast<double>(rng() % 200) - 100, static_cast<int>(rng() % 3))
                               : numbers[rng() % std::size(numbers)];
    }
    e->codes[0] = static_cast<int16_t>(rng() % 40 - 5);
    if (rng() % 2) e->values[0] = e->values[1] = rng() % 2 ? 1e-4 : 0.5;
    const auto lines = Drawn(*e);
    ASSERT_LE(static_cast<int64_t>(lines.size()), kMaxHatchSegments);
    for (const ModelSegment& s : lines) {
      ASSERT_TRUE(std::isfinite(s.a.x) && std::isfinite(s.a.y) && std::isfinite(s.b.x) && std::isfinite(s.b.y));
    }
  }
  // A tiny spacing over a large region: the family is left out instead of a million-line flood.
  const auto dense = Drawn(*Record(3, 1e-6, 1e-6, 17, {0, 0, 1000, 1000},
                                   {Vertex(0, 0), Vertex(1000, 0), Vertex(1000, 1000), Vertex(0, 1000)}));
  EXPECT_TRUE(dense.empty());
}

// What the screen draws of a hatching through the renderer, and what drawing every generated line
// (as files and paper get them) would have drawn, in pixels.
struct ScreenAndEveryLine {
  std::vector<RecordedPrimitive> screen;
  std::vector<RecordedPrimitive> everyLine;
};
ScreenAndEveryLine DrawBothWays(testing::RenderFixture& f, const DrawEntity& hatch) {
  InstallToolExtensions();
  f.canvas.Clear();
  f.Draw(hatch);
  RecordingCanvas reference;
  const RenderContext ctx(reference, f.mapping, f.settings, f.layers);
  const EntityStroke stroke(ctx, hatch.lineAttr, 0, 0);
  std::vector<ModelSegment> lines;
  GenerateHatchLines(hatch, lines);
  for (const ModelSegment& s : lines) stroke.Segment(s.a, s.b);
  return {f.canvas.primitives(), reference.primitives()};
}

// Puts model point `at` on client pixel (px, py) at `pixelsPerMm`.
void Aim(ViewMapping& m, double pixelsPerMm, ModelPoint at, int px, int py) {
  m.PixelsPerMm = pixelsPerMm;
  m.ScrollOffset = {static_cast<int>(std::lround(at.x * pixelsPerMm)) - px,
                    py - m.clientHeight + static_cast<int>(std::lround(at.y * pixelsPerMm))};
}

// Down to half a pixel between lines the screen draws exactly what every line would, over random
// regions, patterns, angles and windows that cut them anywhere.
TEST(HatchLines, TheScreenDrawsEveryLineFromHalfAPixelApart) {
  std::mt19937 rng(2108);
  std::uniform_real_distribution<double> unit(0, 1);
  int clipped = 0;
  for (int round = 0; round < 200; ++round) {
    const std::vector<BoundaryPiece> pieces = RandomRegion(rng);
    const Box box = BoxOf(Flatten(pieces));
    const double sy = 1 + unit(rng) * 4, sx = 1 + unit(rng) * 4;
    const auto hatch = Record(static_cast<int>(rng() % 4), sy, sx, unit(rng) * 720 - 360, box, pieces);
    testing::RenderFixture f;
    const double least = 0.5 * (1 + 1e-9) / std::min(sy, sx);
    const ModelPoint at{box.minX + unit(rng) * (box.maxX - box.minX), box.minY + unit(rng) * (box.maxY - box.minY)};
    Aim(f.mapping, least * (round % 4 == 0 ? 1 : 1 + unit(rng) * 200), at, static_cast<int>(rng() % 1000),
        static_cast<int>(rng() % 800));
    const ScreenAndEveryLine drawn = DrawBothWays(f, *hatch);
    ASSERT_EQ(drawn.screen.size(), drawn.everyLine.size()) << round;
    for (std::size_t i = 0; i < drawn.screen.size(); ++i) {
      ASSERT_EQ(drawn.screen[i].points, drawn.everyLine[i].points) << round;
    }
    std::vector<ModelSegment> all;
    GenerateHatchLines(*hatch, all);
    clipped += drawn.screen.size() < all.size();
  }
  EXPECT_GT(clipped, 100);  // most windows cut the hatching
}

// Lines less than half a pixel apart are thinned to some of the same lines, so none leaves the
// boundary, with no pixel row or column left between them that every line would have reached.
TEST(HatchLines, DenseLinesAreThinnedWithoutGaps) {
  std::mt19937 rng(2109);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int round = 0; round < 200; ++round) {
    const int pattern = round % 4;
    const double w = 20 + unit(rng) * 200, h = 20 + unit(rng) * 200, spacing = 0.5 + unit(rng) * 3;
    const auto hatch = Record(pattern, spacing, pattern == 3 ? 2 * spacing : spacing, 0, {0, 0, w, h},
                              {Vertex(0, 0), Vertex(w, 0), Vertex(w, h), Vertex(0, h)});
    testing::RenderFixture f;
    Aim(f.mapping, (0.02 + unit(rng) * 0.45) / spacing, {0, 0}, 100, 700);
    const ScreenAndEveryLine drawn = DrawBothWays(f, *hatch);
    ASSERT_LT(drawn.screen.size(), drawn.everyLine.size()) << round;
    auto same = [](const RecordedPrimitive& a, const RecordedPrimitive& b) { return a.points == b.points; };
    auto at = drawn.everyLine.begin();
    for (const RecordedPrimitive& p : drawn.screen) {
      at = std::find_if(at, drawn.everyLine.end(), [&](const RecordedPrimitive& q) { return same(p, q); });
      ASSERT_NE(at, drawn.everyLine.end()) << round;  // one of the generated lines, in their order
    }
    // Rows of horizontal lines, columns of vertical ones (brick joints are left out).
    for (bool rows : {true, false}) {
      auto reached = [&](const std::vector<RecordedPrimitive>& v) {
        std::set<int> out;
        for (const RecordedPrimitive& p : v) {
          const PixelPoint a = p.points.front(), b = p.points.back();
          if (rows && a.y == b.y && a.x != b.x) out.insert(a.y);
          if (!rows && a.x == b.x && a.y != b.y && pattern != 3) out.insert(a.x);
        }
        return out;
      };
      const std::set<int> screen = reached(drawn.screen), every = reached(drawn.everyLine);
      if (every.empty()) continue;
      ASSERT_FALSE(screen.empty()) << round;
      EXPECT_EQ(*screen.rbegin() - *screen.begin() + 1, static_cast<int>(screen.size())) << round;  // no gap
      EXPECT_LE(*screen.begin() - *every.begin(), 1) << round;
      EXPECT_LE(*every.rbegin() - *screen.rbegin(), 1) << round;
    }
  }
}

}  // namespace
}  // namespace plenwick
