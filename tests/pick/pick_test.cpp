// Guards the hit test against picking the wrong element: the tolerance from grid pitch and
// sensitivity, the filters, each kind's rule (grid crossings, segment feet, arcs, curves inside
// their box, turned texts measured in bytes, even–odd fills, images under other elements), the
// layer rules and the first-in-list-order tie-break.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "pick_fixture.h"
#include "view/pick.h"

namespace plenwick {
namespace {

using testing::PickDocument;

class PickTest : public PickDocument {
 protected:
  PickHit Click(double x, double y, int filter = kPickAll) { return PickEntity(view, filter, Pixel(x, y)); }
};

TEST(PickTolerance, PitchOverSensitivity) {
  struct Case {
    double pitch;
    int sensitivity;
    int pixels;
  } cases[] = {
      {20, 2, 10},  // the default
      {20, 5, 4},
      {3, 5, 0},    // only exact hits pick
      {20, 0, 20},  // out-of-range sensitivities are held to 1..5, never a division by zero
      {20, 9, 4},
      {-5, 2, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(PickTolerancePixels(c.pitch, c.sensitivity), c.pixels) << c.pitch << "/" << c.sensitivity;
}

TEST_F(PickTest, SensitivityFiveWithPitchTwentyPicksWithinFourPixels) {
  view.tolerancePixels = PickTolerancePixels(20, 5);
  DrawEntity* line = Line(0, 500, 200, 500);
  EXPECT_EQ(Click(100, 504).entity, line);
  EXPECT_EQ(Click(100, 505).entity, nullptr);
}

TEST_F(PickTest, PitchThreeWithSensitivityFivePicksExactHitsOnly) {
  view.tolerancePixels = PickTolerancePixels(3, 5);
  DrawEntity* point = PointAt(100, 100);
  EXPECT_EQ(Click(100, 100).entity, point);
  EXPECT_EQ(Click(101, 100).entity, nullptr);
}

TEST_F(PickTest, MagnetOffSnapsOnlyToTheShownGrid) {
  DrawEntity* grid = Grid(20, false);
  Line(0, 61, 200, 61);
  EXPECT_EQ(Click(41, 62, kPickMagnetOff).entity, nullptr) << "hidden grid, magnet off: no snap at all";
  grid->subKind = 1;
  PickHit hit = Click(41, 62, kPickMagnetOff);
  EXPECT_EQ(hit.entity, grid);
  EXPECT_EQ(hit.point.x, 40);
  EXPECT_EQ(hit.point.y, 60);
  EXPECT_EQ(Click(50, 50, kPickMagnetOff).entity, nullptr) << "ten pixels from every crossing: not strictly inside";
  view.gridOrigin = {5, 5};
  hit = Click(41, 62, kPickMagnetOff);
  EXPECT_EQ(hit.point.x, 45) << "crossings start at the grid origin";
  EXPECT_EQ(hit.point.y, 65);
}

TEST_F(PickTest, GridCrossingIsTakenAtOnceBeforeLaterElements) {
  DrawEntity* grid = Grid(20);
  PointAt(41, 61);  // nearer than the crossing, but met after it
  EXPECT_EQ(Click(41, 61).entity, grid);
  EXPECT_EQ(Click(41, 61, kPickAllButGrid).entity, list.tail);
}

TEST_F(PickTest, EquallyNearLinesPickTheFirstAdded) {
  DrawEntity* above = Line(0, 103, 200, 103);
  DrawEntity* below = Line(0, 97, 200, 97);
  EXPECT_EQ(Click(100, 100).entity, above);
  above->mark = kMarkDeleted;
  EXPECT_EQ(Click(100, 100).entity, below) << "deleted elements are skipped";
}

TEST_F(PickTest, NearerLaterElementWins) {
  Line(0, 108, 200, 108);
  DrawEntity* nearer = Line(0, 92.5, 200, 92.5);
  EXPECT_EQ(Click(100, 100).entity, nearer);
}

TEST_F(PickTest, ClickOnALinesExtensionDoesNotPickIt) {
  DrawEntity* line = Line(0, 0, 50, 0);
  EXPECT_EQ(Click(60, 0).entity, nullptr);
  const PickHit hit = Click(40, 2);
  EXPECT_EQ(hit.entity, line);
  EXPECT_EQ(hit.point.x, 40);
  EXPECT_EQ(hit.point.y, 0) << "the foot on the line";
}

TEST_F(PickTest, FullCircleArcsArePickedAnywhereOnTheCircle) {
  struct Case {
    double a0, a1;
    bool picked;
  } cases[] = {{0, 360, true}, {30, 30, true}, {360, 0, true}, {0, 90, false}, {180, 360, true}};
  for (const Case& c : cases) {
    DrawEntity* arc = Arc(100, 100, 50, c.a0, c.a1);
    const PickHit hit = Click(100, 48);  // near 270°
    EXPECT_EQ(hit.entity == arc, c.picked) << c.a0 << ".." << c.a1;
    if (c.picked) {
      EXPECT_NEAR(hit.point.x, 100, 1e-9);
      EXPECT_NEAR(hit.point.y, 50, 1e-9);
    }
    arc->mark = kMarkDeleted;
  }
}

TEST_F(PickTest, ClockwiseArcsRunTheOtherWay) {
  DrawEntity* arc = Arc(100, 100, 50, 0, 90, -1);  // clockwise from 0° to 90°, through 270°
  EXPECT_EQ(Click(100, 48).entity, arc);
  EXPECT_EQ(Click(136, 136).entity, nullptr);
}

TEST(PickFilter, KindsAdmitted) {
  const int kinds[] = {10, 11, 20, 21, 22, 23, 24, 26, 30, 31, 40, 41, 50, 60, 70, 71, 80, 90};
  struct Case {
    int filter;
    std::set<int> admitted;
  } cases[] = {
      {0, {10, 11, 20, 21, 22, 23, 24, 26, 30, 31, 40, 41, 50, 60, 70, 71, 80, 90}},
      {1, {10, 20, 21, 22, 23, 24, 26, 30, 31, 40, 41, 50, 60, 70, 71, 80, 90}},
      {30, {30}},
      {-1, {11}},
      {-999, {}},  // PickEntity reads it as −1; the table itself admits nothing
      {-10, {10, 11}},
      {-11, {10, 11, 40}},
      {-20, {20, 21, 22, 23}},
      {-21, {20, 31}},
      {-22, {20, 21, 22, 23, 30, 31}},
      {-23, {20, 30, 31}},
      {-24, {20, 21, 22, 23, 24, 26, 30, 31}},
      {-25, {20, 21, 22, 23, 30, 31, 90}},
      {-26, {20, 21, 22, 23, 90}},
      {-27, {20, 21, 22, 23, 31}},
      {-30, {30, 31}},
      {-31, {30}},
      {-50, {10, 20, 21, 22, 23}},
      {-51, {10, 20, 21, 22, 23, 30, 31}},
  };
  for (const Case& c : cases) {
    for (int kind : kinds) EXPECT_EQ(PickFilterAdmits(c.filter, kind), c.admitted.count(kind) == 1) << c.filter << " " << kind;
  }
}

TEST_F(PickTest, FilterSelectsKinds) {
  DrawEntity* circle = Circle(100, 100, 10);
  DrawEntity* line = Line(0, 110.5, 200, 110.5);
  EXPECT_EQ(Click(100, 111).entity, line);
  EXPECT_EQ(Click(100, 111, -31).entity, circle);
  EXPECT_EQ(Click(100, 111, -20).entity, line);
  EXPECT_EQ(Click(100, 111, kCircle).entity, circle);
}

TEST_F(PickTest, InfiniteLinesReachTenMillion) {
  DrawEntity* h = Add(kHorizontalInfiniteLine, {0, 50, 100000, 50});
  DrawEntity* v = Add(kVerticalInfiniteLine, {300, 0, 300, 100000});
  EXPECT_EQ(Click(-5000, 52).entity, h) << "beyond the stored points";
  EXPECT_EQ(Click(302, -5000).entity, v);
  EXPECT_EQ(Click(-20000000, 52).entity, nullptr) << "beyond ten million";
}

TEST_F(PickTest, TextsByTheirByteLengthTurnedAndTakenAtOnce) {
  Line(0, 105.5, 300, 105.5);  // nearer to the click, but a text under the click is taken at once
  DrawEntity* text = Add(kText, {100, 100, 10, 10, 0}, 0, "AB");
  const PickHit hit = Click(105, 105);
  EXPECT_EQ(hit.entity, text);
  EXPECT_EQ(hit.point.x, 105) << "the click itself";
  EXPECT_NE(Click(112, 103).entity, text) << "beyond width · 0.5 · 2 bytes";
  // Two double-byte characters are four bytes: the box is twice as wide.
  DrawEntity* wide = Add(kText, {100, 200, 10, 10, 0}, 0, "\x82\xa0\x82\xa2");
  EXPECT_EQ(Click(118, 203).entity, wide);
  DrawEntity* turned = Add(kText, {400, 100, 10, 10, 90}, 0, "AB");
  EXPECT_EQ(Click(395, 105).entity, turned);
  EXPECT_EQ(Click(405, 103).entity, nullptr);
  DrawEntity* leader = Add(kLeaderText, {600, 100, 10, 10, 0, 550, 50, 580, 80}, 0, "AB");
  EXPECT_EQ(Click(605, 105).entity, leader);
  EXPECT_EQ(Click(565, 65).entity, nullptr) << "the leader line is not hit-tested";
}

DrawEntity* AddPaint(testing::PickDocument&, EntityList& list, const std::vector<std::pair<double, double>>& vertices) {
  std::vector<double> values{0, 0};
  std::vector<int16_t> codes{0, 0};
  for (auto [x, y] : vertices) {
    values.insert(values.end(), {x, y});
    codes.insert(codes.end(), {10, 20});
  }
  DrawEntity* e = nullptr;
  AddEntity({kPaint, static_cast<int16_t>(vertices.size()), 0, 0, static_cast<int16_t>(values.size())}, nullptr, list,
            codes.data(), 0, values.data(), nullptr, &e);
  return e;
}

TEST_F(PickTest, PaintInsideByTheEvenOddRule) {
  DrawEntity* square = AddPaint(*this, list, {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
  EXPECT_EQ(Click(50, 50).entity, square);
  EXPECT_EQ(Click(150, 50).entity, nullptr);
  square->mark = kMarkDeleted;
  DrawEntity* ell = AddPaint(*this, list, {{0, 0}, {100, 0}, {100, 50}, {50, 50}, {50, 100}, {0, 100}});
  EXPECT_EQ(Click(25, 75).entity, ell);
  EXPECT_EQ(Click(75, 80).entity, nullptr) << "inside the box, outside the L";
  EXPECT_EQ(Click(75, 25).entity, ell);
}

TEST_F(PickTest, PaintWithManyCrossingsCountsEachOnce) {
  // A comb of 5000 teeth, each 2 wide with gaps of 2: the line through a click crosses 10000
  // sides.
  constexpr int kTeeth = 5000;
  std::vector<std::pair<double, double>> comb = {{0, 0}, {4 * kTeeth, 0}, {4 * kTeeth, 10}};
  for (int i = kTeeth - 1; i >= 0; --i) {
    comb.insert(comb.end(), {{4.0 * i + 2, 10}, {4.0 * i + 2, 20}, {4.0 * i, 20}, {4.0 * i, 10}});
  }
  DrawEntity* paint = AddPaint(*this, list, comb);
  EXPECT_EQ(Click(4 * 1234 + 1, 15).entity, paint) << "in a tooth";
  EXPECT_EQ(Click(4 * 1234 + 3, 15).entity, nullptr) << "between two teeth";
  EXPECT_EQ(Click(4 * 4321 + 3, 5).entity, paint) << "in the back";
}

TEST_F(PickTest, HatchingWithACircleBoundary) {
  const double values[] = {20, 20, 0, 40, 40, 60, 60, 50, 50, 10};
  const int16_t codes[] = {1, 0, 0, 60, 61, 62, 63, 50, 51, 52};
  DrawEntity* hatch = nullptr;
  AddEntity({kHatch, 1, 0, 0, 10}, nullptr, list, codes, 0, values, nullptr, &hatch);
  EXPECT_EQ(Click(50, 50).entity, hatch);
  EXPECT_EQ(Click(42, 42).entity, nullptr) << "in the box, outside the circle";
}

TEST_F(PickTest, PaintWithAnArcPieceIsInsideAsItIsFilled) {
  // A door shape: up the right side, a half circle (counter-clockwise, code 1) over the top from
  // (100, 50) to (0, 50), down the left side and back along the bottom.
  const double values[] = {0, 0, 0, 0, 100, 0, 50, 50, 50, 100, 50, 0, 50};
  const int16_t codes[] = {0, 0, 10, 20, 10, 20, 1, 2, 3, 4, 5, 10, 20};
  DrawEntity* door = nullptr;
  AddEntity({kPaint, 4, 0, 0, 13}, nullptr, list, codes, 0, values, nullptr, &door);
  EXPECT_EQ(Click(50, 80).entity, door) << "under the arch";
  EXPECT_EQ(Click(50, 20).entity, door) << "below the arch: the lower half of its circle is no boundary";
  EXPECT_EQ(Click(95, 95).entity, nullptr) << "outside the arch, inside its box";
}

TEST_F(PickTest, ImagesLoseToAnythingNearerWhateverTheOrder) {
  const int16_t codes[] = {10, 20, 11, 22};
  const double rect[] = {0, 0, 100, 100};
  DrawEntity* line = Line(0, 50.5, 100, 50.5);
  DrawEntity* image = nullptr;
  AddEntity({kImage, 0, 0, 0, 4}, nullptr, list, codes, 0, rect, "a.png", &image);
  EXPECT_EQ(Click(50, 50).entity, image) << "met after the line: t and b become 0.5 − 0.1";
  line->mark = kMarkDeleted;
  DrawEntity* later = Line(0, 50.5, 100, 50.5);
  EXPECT_EQ(Click(50, 50).entity, later) << "met after the image: 0.5 ≤ 9.9";
  later->mark = kMarkDeleted;
  EXPECT_EQ(Click(50, 50).entity, image);
  EXPECT_EQ(Click(50, 50).point.x, 50);
  const double reversed[] = {300, 300, 200, 200};
  DrawEntity* drawnLeftward = nullptr;
  AddEntity({kImage, 0, 0, 0, 4}, nullptr, list, codes, 0, reversed, "b.png", &drawnLeftward);
  EXPECT_EQ(Click(250, 250).entity, drawnLeftward) << "corners in either order";
}

TEST_F(PickTest, PolygonsAndCurvesOnlyInsideTheirBox) {
  DrawEntity* triangle = Add(kPolygon, {0, 0, 100, 0, 50, 100});
  const PickHit hit = Click(50, 2);
  EXPECT_EQ(hit.entity, triangle);
  EXPECT_EQ(hit.point.y, 0);
  EXPECT_EQ(Click(-5, 0).entity, nullptr) << "a vertex within the tolerance, but outside the box";
  DrawEntity* curve = Add(kBezierCurve, {200, 0, 300, 0});
  EXPECT_EQ(Click(250, 3).entity, nullptr) << "the box of a straight curve has no height";
  EXPECT_EQ(Click(250, 0).entity, curve);
  DrawEntity* free = Add(kFreeCurve, {400, 0, 450, 40, 500, 0});
  EXPECT_EQ(Click(425, 22).entity, free);
}

TEST_F(PickTest, ElementsWithNonNumbersAreMetWhereTheRulesMeetThem) {
  // One end is not a number: the line counts as vertical through the other end, and nothing
  // about its length rejects a foot, so the whole line x = 20 picks it. The index must not lose
  // it for its unknowable box.
  DrawEntity* line = Add(kAngledInfiniteLine, {20, 20, 20, std::nan("")});
  const PickHit hit = Click(22, 500);
  EXPECT_EQ(hit.entity, line);
  EXPECT_EQ(hit.point.x, 20);
}

TEST_F(PickTest, PointElementsReturnTheirOwnPosition) {
  DrawEntity* p = PointAt(10.25, 20.75);
  const PickHit hit = Click(12, 22);
  EXPECT_EQ(hit.entity, p);
  EXPECT_EQ(hit.point.x, 10.25);
  EXPECT_EQ(hit.point.y, 20.75);
}

TEST_F(PickTest, LayerRules) {
  DrawEntity* line = Add(kLine, {0, 100, 200, 100}, 0, nullptr, 3);
  struct Case {
    uint8_t state;
    int current;
    bool currentOnly;
    bool picked;
  } cases[] = {
      {kLayerHidden, 0, false, false},
      {kLayerOffColour, 0, false, true},
      {kLayerNormal, 0, false, true},
      {kLayerHidden, 3, false, true},  // the current layer is drawn whatever its state
      {kLayerNormal, 0, true, false},
      {kLayerHidden, 3, true, true},
      {7, 0, false, false},  // any other state hides
  };
  for (const Case& c : cases) {
    layerStates[3] = c.state;
    view.currentLayer = c.current;
    view.currentLayerOnly = c.currentOnly;
    EXPECT_EQ(Click(100, 102).entity == line, c.picked) << int{c.state} << " " << c.current << " " << c.currentOnly;
  }
  DrawEntity* grid = Grid(20);
  view.currentLayer = 5;
  view.currentLayerOnly = true;
  EXPECT_EQ(Click(41, 41).entity, grid) << "the grid is always eligible";
}

TEST_F(PickTest, UnreportedListIsWalked) {
  // A list that does not report to the points is picked by walking it.
  EntityList bare;
  const int16_t codes[] = {10, 20, 11, 22};
  const double values[] = {0, 100, 200, 100};
  DrawEntity* line = nullptr;
  AddEntity({kLine, 0, 0, 0, 4}, nullptr, bare, codes, 0, values, nullptr, &line);
  PickView other = view;
  other.entities = &bare;
  EXPECT_EQ(PickEntity(other, kPickAll, Pixel(100, 101)).entity, line);
}

}  // namespace
}  // namespace plenwick
