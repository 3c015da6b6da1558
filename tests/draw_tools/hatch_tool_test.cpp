// Guards the hatching and paint tool through pixel events on a headless view: regions of every
// kind (four lines, a line and an arc, a circle, a polygon) picked in any order and direction give
// the boundary they enclose, stored exactly, hatched with lines inside it only and taken back by
// one undo; refused picks beep and change nothing; every way out releases the picked elements;
// and a paint's outline keeps its point limit.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "edit_tools/edit_fixture.h"
#include "model/undo.h"
#include "support/even_odd_inside.h"
#include "tools/draw/hatch_region.h"
#include "view/hatch_lines.h"

namespace plenwick {
namespace {

constexpr int kHatchCommand = 32862;
constexpr int kPaintCommand = 32863;
constexpr std::string_view kFirstHatchPrompt = "ハッチングを行う閉領域を指示して下さい。";
constexpr std::string_view kNextPrompt = "次の閉領域の要素を選んで下さい。";
constexpr double kPi = std::numbers::pi;

// A region drawn for a case: the clicks that pick it and what it encloses.
struct Region {
  std::vector<ModelPoint> clicks;
  std::vector<ModelPoint> outline;  // flattened, for the inside test
  double area = 0;
  double roundness = 0;  // the largest radius among its round pieces (flattening tolerance)
};

class HatchToolTest : public testing::EditToolTest {
 protected:
  std::vector<const DrawEntity*> Fills() const {
    std::vector<const DrawEntity*> out;
    for (const DrawEntity& e : t.doc->entities) {
      if ((e.kind == kHatch || e.kind == kPaint) && e.mark != kMarkDeleted) out.push_back(&e);
    }
    return out;
  }
  int MarkedCount() const {
    int n = 0;
    for (const DrawEntity& e : t.doc->entities) n += e.mark != kMarkNone && e.mark != kMarkDeleted;
    return n;
  }
  void Pick(const std::vector<ModelPoint>& clicks) {
    for (const ModelPoint& p : clicks) Click(p.x, p.y);
  }

  // Four lines crossing at the corners of [x0, x1] × [y0, y1], picked from side `start` on, either
  // way round, and the first again.
  Region Rectangle(double x0, double y0, double x1, double y1, int start, bool clockwise) {
    Add(kLine, {x0, y0, x1 + 15, y0});
    Add(kLine, {x1, y0 - 15, x1, y1});
    Add(kLine, {x1 + 15, y1, x0 - 15, y1});
    Add(kLine, {x0, y1 + 15, x0, y0 - 15});
    const ModelPoint middles[4] = {{(x0 + x1) / 2, y0}, {x1, (y0 + y1) / 2}, {(x0 + x1) / 2, y1}, {x0, (y0 + y1) / 2}};
    Region r;
    for (int i = 0; i <= 4; ++i) r.clicks.push_back(middles[((clockwise ? start - i : start + i) % 4 + 4) % 4]);
    r.outline = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    r.area = (x1 - x0) * (y1 - y0);
    return r;
  }
  // The upper half of a circle: its diameter line and its arc, given either way round.
  Region HalfDisc(double cx, double cy, double radius, bool arcClockwise) {
    Add(kLine, {cx - radius - 5, cy, cx + radius + 5, cy});
    if (arcClockwise) {
      Add(kArc, {cx, cy, radius, 180, 0}, -1);
    } else {
      Add(kArc, {cx, cy, radius, 0, 180}, 1);
    }
    Region r;
    const double a = 2 * kPi / 3;  // nearer the left end of the diameter
    r.clicks = {{cx - radius / 2, cy}, {cx + radius * std::cos(a), cy + radius * std::sin(a)}, {cx + radius / 2, cy}};
    for (int i = 0; i <= 180; ++i) r.outline.push_back({cx + radius * std::cos(kPi * i / 180), cy + radius * std::sin(kPi * i / 180)});
    r.area = kPi * radius * radius / 2;
    r.roundness = radius;
    return r;
  }
  Region Circle(double cx, double cy, double radius) {
    Add(kCircle, {cx, cy, radius});
    Region r;
    r.clicks = {{cx + radius, cy}};
    for (int i = 0; i < 360; ++i) r.outline.push_back({cx + radius * std::cos(kPi * i / 180), cy + radius * std::sin(kPi * i / 180)});
    r.area = kPi * radius * radius;
    r.roundness = radius;
    return r;
  }
  // A regular polygon, stored with its first vertex repeated at the end or not.
  Region Polygon(double cx, double cy, double radius, int sides, bool repeatFirst) {
    std::vector<double> xy;
    Region r;
    for (int i = 0; i < sides; ++i) {
      const double a = 2 * kPi * i / sides;
      r.outline.push_back({std::round(cx + radius * std::cos(a)), std::round(cy + radius * std::sin(a))});
      xy.insert(xy.end(), {r.outline.back().x, r.outline.back().y});
    }
    if (repeatFirst) xy.insert(xy.end(), {xy[0], xy[1]});
    Add(kPolygon, xy);
    r.clicks = {{(r.outline[0].x + r.outline[1].x) / 2, (r.outline[0].y + r.outline[1].y) / 2}};
    for (std::size_t i = 0; i < r.outline.size(); ++i) {
      const ModelPoint p = r.outline[i], q = r.outline[(i + 1) % r.outline.size()];
      r.area += (p.x * q.y - q.x * p.y) / 2;
    }
    return r;
  }
};

TEST_F(HatchToolTest, FourLinesAndTheFirstAgainStoreTheRectanglesCornersExactly) {
  s().HatchPattern = 2, s().HatchSpacingX = 7.5f, s().HatchSpacingY = 12.5f, s().HatchAngle = 30;
  s().CurrentPen = 3, s().CurrentLineType = 2, s().CurrentColour = 0x123456, s().CurrentLayer = 5;
  ASSERT_TRUE(t.router->OnCommand(kHatchCommand));
  EXPECT_EQ(prompt(), kFirstHatchPrompt);
  const Region r = Rectangle(100, 100, 300, 250, 0, false);
  const DrawEntity* bottom = &*t.doc->entities.begin();
  while (bottom->kind != kLine) bottom = bottom->next;
  Click(r.clicks[0].x, r.clicks[0].y);
  EXPECT_EQ(bottom->mark, kMarkSelected);
  EXPECT_EQ(prompt(), kNextPrompt);
  Click(r.clicks[1].x, r.clicks[1].y);
  EXPECT_EQ(bottom->next->mark, kMarkTemporary);
  Pick({r.clicks.begin() + 2, r.clicks.end()});
  EXPECT_EQ(MarkedCount(), 0);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(prompt(), kFirstHatchPrompt);

  ASSERT_EQ(Fills().size(), 1u);
  const DrawEntity& h = *Fills()[0];
  EXPECT_EQ(h.kind, kHatch);
  EXPECT_EQ(h.subKind, 2);
  EXPECT_EQ(h.lineAttr, 3);  // the pen alone
  EXPECT_EQ(h.colour, 0x123456);
  EXPECT_EQ(h.layer, 5);
  const std::vector<int16_t> codes{4, 0, 0, 60, 61, 62, 63, 10, 20, 10, 20, 10, 20, 10, 20};
  const std::vector<double> values{12.5, 7.5, 30, 100, 100, 300, 250, 100, 100, 300, 100, 300, 250, 100, 250};
  EXPECT_EQ(std::vector<int16_t>(h.codes.get(), h.codes.get() + h.valueCount), codes);
  EXPECT_EQ(std::vector<double>(h.values.get(), h.values.get() + h.valueCount), values);

  Command(kCmdUndo);
  EXPECT_TRUE(Fills().empty());
}

// Every kind of region, picked from any element in either direction, hatched or painted with any
// pattern: the stored boundary encloses exactly the region, hatch lines stay inside it and cover
// it, and Ctrl+Z gives back the drawing as it was (a second Ctrl+Z the fill again).
TEST_F(HatchToolTest, EveryRegionIsStoredAsItEnclosesAndUndoesInOneStep) {
  std::mt19937 random(21);
  for (int round = 0; round < 48; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    Populate(random, t.doc->entities.size() + 12);
    const bool paint = random() % 3 == 0;
    s().HatchPattern = static_cast<int16_t>(random() % 4);
    s().HatchSpacingX = static_cast<float>(3 + random() % 10);
    s().HatchSpacingY = static_cast<float>(3 + random() % 10);
    s().HatchAngle = static_cast<float>(int(random() % 720) - 360) / 2;
    t.state().PaintPattern = static_cast<int16_t>(random() % 7);
    ASSERT_TRUE(t.router->OnCommand(paint ? kPaintCommand : kHatchCommand));
    // Right of the random elements, which stay within x ≤ 585.
    const double cx = 690 + random() % 20, cy = 150 + random() % 300;
    Region r;
    switch (round % 4) {
      case 0: r = Rectangle(cx - 70, cy - 40 - random() % 40, cx + 70, cy + 40, int(random() % 4), random() % 2); break;
      case 1: r = HalfDisc(cx, cy - 40, 60 + random() % 20, random() % 2); break;
      case 2: r = Circle(cx, cy, 30 + random() % 50); break;
      default: r = Polygon(cx, cy, 50 + random() % 30, 3 + int(random() % 10), random() % 2); break;
    }
    const std::string before = Dump();
    Pick(r.clicks);
    ASSERT_EQ(Fills().size(), 1u);
    const DrawEntity& fill = *Fills()[0];
    EXPECT_EQ(fill.kind, paint ? kPaint : kHatch);
    EXPECT_EQ(fill.lineAttr, paint ? t.state().PaintPattern * 100 + s().CurrentPen : s().CurrentPen);
    EXPECT_EQ(MarkedCount(), 0);
    const std::vector<BoundaryPiece> pieces =
        paint ? ReadBoundaryPieces(fill, 2) : ReadBoundaryPieces(fill, 7, fill.codes[0]);
    EXPECT_EQ(static_cast<int>(pieces.size()), paint ? fill.subKind : fill.codes[0]);
    EXPECT_NEAR(MeasureBoundary(pieces).area, std::fabs(r.area), 1e-9 * std::fabs(r.area));
    if (!paint) {
      std::vector<ModelSegment> lines;
      GenerateHatchLines(fill, lines);
      EXPECT_FALSE(lines.empty());
      const double near = 1e-6 + r.roundness * (1 - std::cos(kPi / 360));
      double length = 0;
      for (const ModelSegment& l : lines) {
        const ModelPoint mid{(l.a.x + l.b.x) / 2, (l.a.y + l.b.y) / 2};
        for (ModelPoint p : {l.a, l.b, mid}) ASSERT_TRUE(testing::InsideOrNear(r.outline, p, near)) << p.x << "," << p.y;
        length += std::hypot(l.b.x - l.a.x, l.b.y - l.a.y);
      }
      if (fill.subKind <= kHatchHorizontal) {
        const double spacing = fill.subKind == kHatchVertical ? fill.values[1] : fill.values[0];
        double perimeter = 0;
        for (std::size_t i = 0; i < r.outline.size(); ++i) perimeter += Distance(r.outline[i], r.outline[(i + 1) % r.outline.size()]);
        EXPECT_NEAR(length * spacing, std::fabs(r.area), perimeter * spacing);
      }
    }
    const std::string after = Dump();
    Command(kCmdUndo);
    EXPECT_EQ(Dump(), before);
    Command(kCmdUndo);
    EXPECT_EQ(Dump(), after);
    // The next round starts without this region.
    BeginOperation(t.doc->entities, t.doc->snapPoints);
    for (DrawEntity& e : t.doc->entities) {
      if (e.kind != kGrid && (e.kind == kHatch || e.kind == kPaint || e.values[0] > 600 || e.kind == kPolygon)) e.mark = kMarkDeleted;
    }
    CommitDeletion(t.doc->entities);
  }
}

TEST_F(HatchToolTest, RefusedPicksBeepAndChangeNothing) {
  ASSERT_TRUE(t.router->OnCommand(kHatchCommand));
  const Region r = Rectangle(100, 100, 300, 250, 0, false);
  Add(kLine, {100, 400, 300, 400});
  Add(kLine, {100, 450, 300, 450});
  struct Case {
    const char* name;
    std::vector<ModelPoint> clicks;
    int step;
  };
  const Case cases[] = {
      {"nothing under the cursor", {{500, 500}}, 0},
      {"parallel lines", {{200, 400}, {200, 450}}, 1},
      {"the only element again", {{200, 100}, {200, 100}}, 1},
      {"the previous element again", {{200, 100}, {300, 175}, {300, 175}}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int beeps = t.ui.beeps;
    Pick(c.clicks);
    EXPECT_EQ(t.ui.beeps, beeps + 1);
    EXPECT_EQ(step(), c.step);
    EXPECT_EQ(MarkedCount(), c.step);
    Command(kCmdCancel);
  }
  // Twenty elements picked (lines fanning out of one point, each meeting the next there): a 21st
  // only beeps, the first still closes the region.
  auto fan = [&](int i) { return ModelPoint{420.0 + 8 * i + (180.0 - 8 * i) * (5.0 / 560), 25}; };
  for (int i = 0; i <= 20; ++i) Add(kLine, {420.0 + 8 * i, 20, 600, 580});
  for (int i = 0; i < 20; ++i) Click(fan(i).x, fan(i).y);
  EXPECT_EQ(step(), 20);
  const int beeps = t.ui.beeps;
  Click(fan(20).x, fan(20).y);
  EXPECT_EQ(t.ui.beeps, beeps + 1);
  EXPECT_EQ(step(), 20);
  Click(fan(0).x, fan(0).y);
  EXPECT_EQ(MarkedCount(), 0);
  ASSERT_EQ(Fills().size(), 1u);
  EXPECT_EQ(Fills()[0]->codes[0], 20);
  Command(kCmdUndo);

  // Spacings no hatching can be drawn with, and a protected drawing: nothing added.
  for (float spacing : {0.0f, -5.0f, std::numeric_limits<float>::quiet_NaN()}) {
    s().HatchSpacingY = spacing;
    const int before = t.ui.beeps;
    Pick(r.clicks);
    EXPECT_EQ(t.ui.beeps, before + 1);
    EXPECT_TRUE(Fills().empty());
  }
  s().HatchSpacingY = 10;
  t.doc->protection = kWriteProtected;
  Pick(r.clicks);
  EXPECT_TRUE(Fills().empty());
  EXPECT_EQ(t.docUi.messages.size(), 1u);
  EXPECT_EQ(MarkedCount(), 0);
}

TEST_F(HatchToolTest, EveryWayOutReleasesThePickedElements) {
  for (int command : {kHatchCommand, kPaintCommand}) {
    for (const auto& end : Endings()) {
      ASSERT_TRUE(t.router->OnCommand(command));
      const Region r = Rectangle(100, 100, 300, 250, 1, true);
      Pick({r.clicks[0], r.clicks[1], r.clicks[2]});
      ASSERT_EQ(MarkedCount(), 3);
      end();
      EXPECT_EQ(MarkedCount(), 0);
      EXPECT_EQ(step(), 0);
      EXPECT_TRUE(XorLeftOnScreen().empty());
      EXPECT_TRUE(Fills().empty());
      BeginOperation(t.doc->entities, t.doc->snapPoints);
      for (DrawEntity& e : t.doc->entities) {
        if (e.kind != kGrid) e.mark = kMarkDeleted;
      }
      CommitDeletion(t.doc->entities);
    }
  }
  // A circle picked after other elements is the region alone: the others are released.
  ASSERT_TRUE(t.router->OnCommand(kPaintCommand));
  const Region lines = Rectangle(100, 100, 300, 250, 0, false);
  const Region circle = Circle(500, 300, 40);
  Pick({lines.clicks[0], lines.clicks[1], circle.clicks[0]});
  EXPECT_EQ(MarkedCount(), 0);
  ASSERT_EQ(Fills().size(), 1u);
  EXPECT_EQ(Fills()[0]->subKind, 1);
  EXPECT_EQ(Fills()[0]->codes[2], 50);
}

TEST_F(HatchToolTest, TheHatchingBarSpacingsAreSizesOnThePaperInPointsMode) {
  s().TextSizeMode = 1;
  s().HatchSpacingX = 2, s().HatchSpacingY = 3;
  t.view->mapping().scale = 50;
  t.view->mapping().PixelsPerMm = 50;  // still a pixel a millimetre of the model
  ASSERT_TRUE(t.router->OnCommand(kHatchCommand));
  Pick(Circle(300, 300, 50).clicks);
  ASSERT_EQ(Fills().size(), 1u);
  EXPECT_EQ(Fills()[0]->values[0], 150);
  EXPECT_EQ(Fills()[0]->values[1], 100);
}

// A paint's outline: straight pieces count one point each, arcs their flattening while the total
// stays below 300; a straight piece at 299 refuses the paint.
TEST(PaintOutline, KeepsItsPointLimit) {
  auto arc = [](double sweepDeg) {
    BoundaryPiece p;
    p.kind = BoundaryPiece::Kind::kArc;
    p.centre = {0, 0};
    p.radius = 10;
    p.point = {10, 0};
    p.counterClockwise = true;
    BoundaryPiece end;
    end.point = {10 * std::cos(sweepDeg * kPi / 180), 10 * std::sin(sweepDeg * kPi / 180)};
    return std::pair{p, end};
  };
  // 70 points per arc of 350 degrees.
  const auto [a, aEnd] = arc(350);
  std::vector<BoundaryPiece> pieces;
  for (int i = 0; i < 4; ++i) pieces.insert(pieces.end(), {a, aEnd});  // 4 × (70 + 1) = 284
  int failed = 0;
  for (int straights = 0; straights < 20; ++straights) {
    std::vector<BoundaryPiece> more = pieces;
    more.insert(more.end(), static_cast<std::size_t>(straights), aEnd);
    EXPECT_EQ(PaintPointsAllowed(more, &failed), 284 + straights <= 299) << straights;
  }
  // An arc that would pass the limit is not counted; one whose sweep is not finite beeps.
  std::vector<BoundaryPiece> big = pieces;
  big.insert(big.end(), {a, aEnd, a, aEnd});
  EXPECT_TRUE(PaintPointsAllowed(big, &failed));
  BoundaryPiece broken = a;
  broken.radius = std::numeric_limits<double>::quiet_NaN();
  big.insert(big.begin(), {broken, aEnd});
  EXPECT_TRUE(PaintPointsAllowed(big, &failed));
  EXPECT_EQ(failed, 1);
}

}  // namespace
}  // namespace plenwick
