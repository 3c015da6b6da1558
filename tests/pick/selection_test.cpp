// Guards window selection and marks: each kind's containment test (bounds inclusive), dimensions
// marked with their parts, clearing marks, the meeting point the editing tools ask for, the
// nearest piece of a polyline, and the shapes of grips, cross marks and rubber rectangles.
#include <gtest/gtest.h>

#include <vector>

#include "pick_fixture.h"
#include "view/feedback_shapes.h"
#include "view/intersections.h"
#include "view/recording_canvas.h"
#include "view/selection.h"

namespace plenwick {
namespace {

using testing::PickDocument;

class SelectionTest : public PickDocument {
 protected:
  std::vector<DrawEntity*> redrawn;
  EntityRedraw Recorder() {
    return [this](DrawEntity& e) { redrawn.push_back(&e); };
  }
};

TEST_F(SelectionTest, ContainmentOfEachKind) {
  const Box rect{0, 0, 100, 100};
  struct Case {
    const char* name;
    int16_t kind;
    std::vector<double> values;
    int16_t subKind;
    const char* text;
    bool inside;
  } cases[] = {
      {"point on the edge", kPoint, {100, 0}, 0, nullptr, true},
      {"point outside", kPoint, {100.01, 0}, 0, nullptr, false},
      {"line", kLine, {0, 0, 100, 100}, 0, nullptr, true},
      {"line half out", kLine, {0, 0, 101, 50}, 0, nullptr, false},
      {"image", kImage, {10, 10, 90, 90}, 0, "a.png", true},
      {"curve by its box", kBezierCurve, {10, 10, 50, 99, 90, 10}, 0, nullptr, true},
      {"free curve by its box", kFreeCurve, {10, 10, 50, 101, 90, 10}, 0, nullptr, false},
      {"polygon", kPolygon, {0, 0, 100, 0, 50, 100}, 0, nullptr, true},
      {"circle", kCircle, {50, 50, 50}, 0, nullptr, true},
      {"circle too big", kCircle, {50, 50, 51}, 0, nullptr, false},
      // The arc from (90, 50) through (50, 70) to (10, 50) is inside, although its circle is not.
      {"arc by ends and middle", kArc, {50, 20, 50, 36.87, 143.13}, 1, nullptr, true},
      {"clockwise arc", kArc, {50, 50, 45, 0, 180}, -1, nullptr, true},
      {"arc whose middle is out, other way", kArc, {50, 80, 45, 180, 0}, -1, nullptr, false},
      {"whole-circle arc as a circle", kArc, {50, 50, 60, 30, 30}, 1, nullptr, false},
      // Angles beyond one turn: the 10-degree arc from 30 to 40 degrees, whose circle reaches
      // past the left edge opposite its middle.
      {"arc ending past 360", kArc, {5, 50, 10, 30, 400}, 1, nullptr, true},
      {"clockwise arc starting past 360", kArc, {5, 50, 10, 400, -330}, -1, nullptr, true},
      {"text by characters", kText, {10, 10, 10, 10, 0}, 0, "\x82\xa0\x82\xa0\x82\xa0", true},  // 3 chars: 15 wide
      {"text too long", kText, {80, 10, 10, 10, 0}, 0, "ABCDE", false},
      {"leader text with its leader", kLeaderText, {10, 10, 5, 5, 0, 20, 20, 30, 30}, 0, "A", true},
      {"leader outside", kLeaderText, {10, 10, 5, 5, 0, 120, 20, 30, 30}, 0, "A", false},
      {"infinite line never", kAngledInfiniteLine, {10, 10, 20, 20}, 0, nullptr, false},
  };
  for (const Case& c : cases) {
    DrawEntity* e = Add(c.kind, c.values, c.subKind, c.text);
    ASSERT_NE(e, nullptr) << c.name;
    EXPECT_EQ(IsInsideRect(rect, *e), c.inside) << c.name;
  }
}

TEST_F(SelectionTest, CompositeInsideByEveryPiece) {
  // A paint: one vertex and one arc piece (centre 50, 50, radius 20, start 70, 50).
  const double paint[] = {0, 0, 10, 10, 50, 50, 20, 70, 50};
  const int16_t paintCodes[] = {0, 0, 10, 20, 1, 2, 3, 4, 5};
  DrawEntity* p = nullptr;
  AddEntity({kPaint, 2, 0, 0, 9}, nullptr, list, paintCodes, 0, paint, nullptr, &p);
  EXPECT_TRUE(IsCompositeInside({0, 0, 100, 100}, *p, 1));
  EXPECT_FALSE(IsCompositeInside({0, 0, 69, 100}, *p, 1)) << "the arc piece counts by centre ± radius";
  const double hatch[] = {20, 20, 0, 40, 40, 60, 60, 50, 50, 10};
  const int16_t hatchCodes[] = {1, 0, 0, 60, 61, 62, 63, 50, 51, 52};
  DrawEntity* h = nullptr;
  AddEntity({kHatch, 1, 0, 0, 10}, nullptr, list, hatchCodes, 0, hatch, nullptr, &h);
  EXPECT_TRUE(IsCompositeInside({40, 40, 60, 60}, *h, 0));
  EXPECT_FALSE(IsCompositeInside({41, 40, 60, 60}, *h, 0));
}

TEST_F(SelectionTest, SelectInRectMarksTheCurrentLayerAndDimensions) {
  DrawEntity* in = Line(10, 10, 20, 20);
  DrawEntity* out = Line(10, 10, 200, 20);
  DrawEntity* otherLayer = Add(kLine, {10, 10, 20, 20}, 0, nullptr, 2);
  DrawEntity* dimension = Add(kDimension, {0, 0});
  const int16_t codes[] = {10, 20, 11, 22};
  const double part1[] = {30, 30, 40, 30};
  const double part2[] = {30, 50, 40, 50};
  DrawEntity* p1 = nullptr;
  DrawEntity* p2 = nullptr;
  AddChildEntity({kLine, 0, 0, 0, 4}, nullptr, list, codes, 0, part1, nullptr, dimension, &p1);
  AddChildEntity({kLine, 0, 0, 0, 4}, nullptr, list, codes, 0, part2, nullptr, dimension, &p2);
  EXPECT_EQ(SelectInRect(list, 0, 100, 45, 0, 0, kMarkSelected, Recorder()), 1) << "corners in any order";
  EXPECT_EQ(in->mark, kMarkSelected);
  EXPECT_EQ(out->mark, 0);
  EXPECT_EQ(otherLayer->mark, 0);
  EXPECT_EQ(dimension->mark, kMarkSelected);
  EXPECT_EQ(p1->mark, 1) << "the dimension's parts are marked 1 with it";
  EXPECT_EQ(p2->mark, 1) << "even the part outside the window";
  EXPECT_EQ(redrawn, (std::vector<DrawEntity*>{in, p1, p1, p2, dimension}));
  EXPECT_EQ(SelectInRect(list, 0, 500, 500, 600, 600, kMarkSelected, nullptr), 0);
}

TEST_F(SelectionTest, ClearMarksAndHighlight) {
  DrawEntity* a = Line(0, 0, 10, 0);
  DrawEntity* b = Line(0, 5, 10, 5);
  DrawEntity* c = Add(kLine, {0, 9, 10, 9}, 0, nullptr, 4);
  a->mark = b->mark = c->mark = kMarkSelected;
  points.SetEntityState(a, kMarkSelected);
  ClearMarks(list, &points, 0, kMarkSelected, Recorder());
  EXPECT_EQ(a->mark, 0);
  EXPECT_EQ(b->mark, 0);
  EXPECT_EQ(c->mark, kMarkSelected) << "other layers keep their marks";
  EXPECT_EQ(points.PointsOf(a).begin().operator*()->snapState, 0) << "the points take the new state";
  EXPECT_EQ(redrawn.size(), 2u);
  a->mark = kMarkPicked;
  ClearHighlight(list, false, Recorder());
  EXPECT_EQ(a->mark, kMarkPicked) << "nothing pending";
  ClearHighlight(list, true, Recorder());
  EXPECT_EQ(a->mark, 0);
}

TEST_F(SelectionTest, MarkGroupMembersOnlyAfterTheOwner) {
  DrawEntity* before = Line(0, 0, 1, 1);
  DrawEntity* header = Add(kGroupHeader, {0, 0, 0, 0});
  before->owner = header;  // claims the header, but lies before it
  const int16_t codes[] = {10, 20, 11, 22};
  const double v[] = {0, 0, 1, 1};
  DrawEntity* member = nullptr;
  AddChildEntity({kLine, 0, 0, 0, 4}, nullptr, list, codes, 0, v, nullptr, header, &member);
  MarkGroupMembers(*header, Recorder());
  EXPECT_EQ(member->mark, 1);
  EXPECT_EQ(before->mark, 0);
}

TEST_F(SelectionTest, NearestSegmentOfAPolyline) {
  DrawEntity* poly = Add(kPolygon, {0, 0, 100, 0, 100, 100, 0, 100});
  ModelPoint s1;
  ModelPoint s2;
  ASSERT_EQ(NearestSegment(*poly, {90, 50}, &s1, &s2), 1);
  EXPECT_EQ(s1.x, 100);
  EXPECT_EQ(s1.y, 0);
  EXPECT_EQ(s2.y, 100);
  EXPECT_EQ(NearestSegment(*poly, {200, 200}, &s1, &s2), 0) << "no foot on any piece";
}

TEST_F(SelectionTest, IntersectEntitiesForTheEditingTools) {
  DrawEntity* h = Line(-100, 0, 100, 0);
  DrawEntity* v = Line(10, -100, 10, 100);
  DrawEntity* shortLine = Line(200, -1, 200, 1);
  DrawEntity* arc = Arc(0, 0, 50, 0, 180);  // upper half
  DrawEntity* circle = Circle(0, 0, 50);
  ModelPoint p{0, 0};
  EXPECT_EQ(IntersectEntities(*h, *v, &p), 1);
  EXPECT_EQ(p.x, 10);
  EXPECT_EQ(IntersectEntities(*v, *shortLine, &p), 0);
  // The horizontal line meets the upper arc at both ends; the given point chooses.
  p = {-40, 10};
  ASSERT_EQ(IntersectEntities(*h, *arc, &p), 1);
  EXPECT_NEAR(p.x, -50, 1e-9);
  p = {40, 10};
  ASSERT_EQ(IntersectEntities(*arc, *h, &p), 1);
  EXPECT_NEAR(p.x, 50, 1e-9);
  p = {3, 4};
  EXPECT_EQ(IntersectEntities(*h, *circle, &p), 1) << "circles are not handled: unchanged, success";
  EXPECT_EQ(p.x, 3);
}

TEST(FeedbackShapes, CrossMarkAndRubberRectangle) {
  RecordingCanvas canvas;
  DrawCrossMark(canvas, 50, 60);
  const auto lines = canvas.OfKind(CanvasOp::kLine);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].points, (std::vector<PixelPoint>{{46, 60}, {55, 60}}));
  EXPECT_EQ(lines[1].points, (std::vector<PixelPoint>{{50, 56}, {50, 65}}));

  canvas.Clear();
  canvas.SetDrawMode(DrawMode::kCopy);
  RubberRectState state;
  state.press = {20, 20};
  DrawRubberRect(canvas, &state, {10, 30}, 1, 0x111111, 0x222222);
  DrawRubberRect(canvas, &state, {40, 5}, 0, 0x111111, 0x222222);
  const auto rects = canvas.OfKind(CanvasOp::kRectangle);
  ASSERT_EQ(rects.size(), 3u) << "the second step draws the old rectangle again to erase it";
  EXPECT_EQ(rects[0].rect, (PixelRect{10, 20, 20, 30})) << "corners ordered";
  EXPECT_EQ(rects[0].pen.colour, 0x111111u) << "indicator colour with highlight 1";
  EXPECT_EQ(rects[1].rect, rects[0].rect);
  EXPECT_EQ(rects[2].rect, (PixelRect{20, 5, 40, 20}));
  EXPECT_EQ(rects[2].pen.colour, 0x222222u);
  EXPECT_EQ(rects[2].pen.style, PenStyle::kDot);
  EXPECT_EQ(rects[2].drawMode, DrawMode::kNotXor);
  EXPECT_EQ(canvas.drawMode(), DrawMode::kCopy) << "the mode is restored";
}

TEST_F(SelectionTest, GripsOfALineHaveAPinkMidpoint) {
  DrawEntity* line = Line(0, 0, 10, 0);
  Arc(100, 100, 10, 45, 135);
  RecordingCanvas canvas;
  ShowGrips(canvas, points, *line, mapping);
  const auto squares = canvas.OfKind(CanvasOp::kRectangle);
  ASSERT_EQ(squares.size(), 3u);
  EXPECT_EQ(squares[0].rect, (PixelRect{-3, 997, 3, 1003})) << "3 pixels around the start (0, 0)";
  EXPECT_EQ(squares[0].brush.colour, kGripColour);
  EXPECT_EQ(squares[2].brush.colour, kMidpointGripColour);
  EXPECT_EQ(GripsOf(points, *list.tail, mapping).size(), 2u) << "arc quadrant points get no grip";
}

}  // namespace
}  // namespace plenwick
