// Guards the expansion tool through pixel events on a headless view (1 px/mm): 伸縮 of lines
// (trim, extend, to a circle, to a bare position, parallel), of circles by the quarter table and
// between crossings, of arcs split at a line or a bare position; 基準線伸縮's run; カット of a
// line, a circle and an arc with its preview; ２線間カット over a table of lines; 接合 on one
// line, overlapping, at a corner and of an arc; 包括処理 of wall junctions; every step left by the
// right button, Esc or another tool; beeps; protected drawings; random edits that one Ctrl+Z
// takes back exactly; and the index's candidates against a walk of the list.
#include <gtest/gtest.h>

#include <random>

#include "edit_fixture.h"
#include "model/plenwick_doc.h"
#include "view/elements_near.h"
#include "view/entity_shape.h"
#include "view/view_picking.h"

namespace plenwick {
namespace {

using testing::ExpectValues;

class ExpansionToolTest : public testing::EditToolTest {
 protected:
  void Mode(int mode) { ASSERT_TRUE(t.router->OnCommand(32845 + mode)); }
  // The one record of a kind, or null.
  std::vector<std::vector<double>> ValuesOf(int16_t kind) const {
    std::vector<std::vector<double>> out;
    for (const DrawEntity* e : Records(kind)) out.push_back(Values(e));
    std::sort(out.begin(), out.end());
    return out;
  }
  int Beeps() const { return t.ui.beeps; }
  void RightButton() {
    t.router->OnRButtonDown(kMkRButton, Px(10, 10));
    t.router->OnRButtonUp(0, Px(10, 10));
  }
};

TEST_F(ExpansionToolTest, TrimsAndExtendsLinesKeepingTheClickedSide) {
  Add(kLine, {100, 100, 300, 100});
  Add(kLine, {200, 50, 200, 150});  // crossing
  Mode(0);
  EXPECT_EQ(prompt(), "伸縮する、図形要素を指示して下さい。");
  Click(250, 102);  // 2 mm off: the foot on the line is what counts
  EXPECT_EQ(step(), 1);
  EXPECT_EQ(prompt(), "伸縮する位置・要素を選んで下さい。");
  Click(200, 130);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(prompt(), "伸縮する、図形要素を指示して下さい。");
  ExpectValues(ValuesOf(kLine)[0], {200, 50, 200, 150});
  ExpectValues(ValuesOf(kLine)[1], {200, 100, 300, 100});

  // Extended to a circle (the nearer meeting point) and to a bare position (the foot).
  Add(kCircle, {500, 300, 50});
  Add(kLine, {300, 300, 350, 300});
  Click(320, 300);
  Click(470, 340);  // on the circle's upper left: of its meeting points (450, 300) is nearer
  ExpectValues(ValuesOf(kLine)[2], {300, 300, 450, 300});
  Click(320, 300);
  Click(380, 420);
  ExpectValues(ValuesOf(kLine)[2], {300, 300, 380, 300});
  Command(kCmdUndo);
  ExpectValues(ValuesOf(kLine)[2], {300, 300, 450, 300});

  // A parallel boundary and a click on nothing change nothing.
  Add(kLine, {100, 500, 200, 500});
  const std::string withParallel = Dump();
  Click(150, 500);
  Click(200, 130);  // the vertical line: not parallel, but the first line is (200, 100)–(300, 100)
  Click(150, 500);
  Click(150, 500);  // itself
  EXPECT_EQ(Dump(), withParallel);
  const int beeps = Beeps();
  Click(40, 560);
  EXPECT_EQ(Beeps(), beeps + 1);
  EXPECT_EQ(step(), 0);
}

TEST_F(ExpansionToolTest, CirclesFollowTheQuarterTableAndTheirCrossings) {
  DrawEntity* circle = Add(kCircle, {300, 300, 50});
  Mode(0);
  Click(350, 300);
  Click(300, 450);  // exactly 90 degrees: 90–180 goes
  ASSERT_EQ(Records(kArc).size(), 1u);
  ExpectValues(Values(Records(kArc)[0]), {300, 300, 50, 180, 90});
  EXPECT_EQ(Records(kArc)[0]->subKind, 1);
  Command(kCmdUndo);
  ASSERT_EQ(Records(kCircle).size(), 1u);
  circle = const_cast<DrawEntity*>(Records(kCircle)[0]);

  // Between the crossings with a line through the centre: the half that holds the click.
  Add(kLine, {200, 300, 400, 300});
  Click(300, 250);  // the bottom
  Click(390, 300);
  ASSERT_EQ(Records(kArc).size(), 1u);
  const DrawEntity* arc = Records(kArc)[0];
  CircleShape kept;
  ASSERT_TRUE(CircleOf(*arc, &kept));
  EXPECT_EQ(IsOnArc(kept.direction, {300, 250}, kept.start, kept.end, kept.centre, kept.radius), 0);
  EXPECT_NE(IsOnArc(kept.direction, {300, 350}, kept.start, kept.end, kept.centre, kept.radius), 0);
  (void)circle;
}

TEST_F(ExpansionToolTest, ArcsAreSplitNeverExtended) {
  Add(kArc, {300, 300, 50, 0, 180}, 1);
  Add(kLine, {300, 200, 300, 400});  // crosses the arc at its top
  Mode(0);
  Click(335.36, 335.36);  // 45 degrees
  Click(300, 390);
  ExpectValues(ValuesOf(kArc)[0], {300, 300, 50, 0, 90});
  // A bare position splits at its projection, keeping the clicked piece.
  Click(300 + 50 * std::cos(0.3), 300 + 50 * std::sin(0.3));
  Click(400, 400);
  ExpectValues(ValuesOf(kArc)[0], {300, 300, 50, 0, 45});
  // A line that misses the arc leaves it alone.
  const std::string before = Dump();
  Add(kLine, {100, 100, 150, 100});
  const std::string missing = Dump();
  Click(300 + 50 * std::cos(0.3), 300 + 50 * std::sin(0.3));
  Click(120, 100);
  EXPECT_EQ(Dump(), missing);
  (void)before;
}

TEST_F(ExpansionToolTest, ReferenceLineRunsUntilTheRightButton) {
  Add(kLine, {200, 50, 200, 450});  // the reference
  Add(kLine, {100, 100, 300, 100});
  Add(kLine, {100, 300, 150, 300});
  Mode(1);
  Click(200, 400);
  EXPECT_EQ(prompt(), "伸縮する直線を指示して下さい。[マウス右：終了]");
  Click(120, 100);
  Click(130, 300);
  Click(200, 200);  // the reference itself: ignored
  EXPECT_EQ(step(), 1);
  const auto lines = ValuesOf(kLine);
  ExpectValues(lines[0], {100, 100, 200, 100});
  ExpectValues(lines[1], {100, 300, 200, 300});
  RightButton();
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(prompt(), "伸縮の基準線を指示して下さい。");
  // Each line was its own step.
  Command(kCmdUndo);
  ExpectValues(ValuesOf(kLine)[1], {100, 300, 150, 300});
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(ExpansionToolTest, CutsLinesCirclesAndArcsWithAPreview) {
  Add(kLine, {100, 100, 300, 100}, 2);
  Mode(2);
  Click(120, 100);
  EXPECT_EQ(prompt(), "カット開始位置を指示して下さい。");
  Click(150, 110);
  EXPECT_EQ(step(), 2);
  EXPECT_EQ(prompt(), "カット終了位置を指示して下さい。");
  Move(220, 90);
  EXPECT_GT(XorSinceWholeFill(CanvasOp::kLine), 0);
  Click(200, 90);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
  auto lines = ValuesOf(kLine);
  ASSERT_EQ(lines.size(), 2u);
  ExpectValues(lines[0], {100, 100, 150, 100});
  ExpectValues(lines[1], {200, 100, 300, 100});
  EXPECT_EQ(Records(kLine)[0]->subKind, 2);
  // A start beyond the end is taken to it: one piece is left.
  Click(250, 100);
  Click(350, 100);
  Click(280, 100);
  ExpectValues(ValuesOf(kLine)[1], {200, 100, 280, 100});
  // A cut that starts where it ends changes nothing.
  const std::string before = Dump();
  Click(250, 100);
  Click(260, 100);
  Click(260, 100);
  EXPECT_EQ(Dump(), before);

  // A circle loses the piece counter-clockwise from the start to the end.
  Add(kCircle, {400, 400, 50});
  Click(450, 400);
  Click(400, 460);   // 90 degrees
  Click(330, 400);   // 180 degrees
  ASSERT_EQ(Records(kArc).size(), 1u);
  ExpectValues(ValuesOf(kArc)[0], {400, 400, 50, 180, 90});
  EXPECT_EQ(Records(kArc)[0]->subKind, 1);
  // An arc keeps both sides of the cut.
  Click(400, 350);  // 270 degrees, on the arc 180 → 90
  Click(400 + 50 * std::cos(kPi * 1.25), 400 + 50 * std::sin(kPi * 1.25));
  Click(400 + 50 * std::cos(kPi * 1.75), 400 + 50 * std::sin(kPi * 1.75));
  const auto arcs = ValuesOf(kArc);
  ASSERT_EQ(arcs.size(), 2u);
  ExpectValues(arcs[0], {400, 400, 50, 180, 225});
  ExpectValues(arcs[1], {400, 400, 50, 315, 90});
  Command(kCmdUndo);
  EXPECT_EQ(Records(kArc).size(), 1u);
}

TEST_F(ExpansionToolTest, JoinsCollinearLinesIntoOneElseAtTheirCorner) {
  Add(kLine, {100, 100, 200, 100});
  Add(kLine, {250, 100.5, 300, 100.5});  // 0.5 mm off its line
  Mode(4);
  Click(150, 100);
  EXPECT_EQ(prompt(), "接合対象図形を指示して下さい。");
  Click(280, 100);
  ASSERT_EQ(Records(kLine).size(), 1u);
  ExpectValues(ValuesOf(kLine)[0], {100, 100, 300, 100.5});
  // A line holding the other is never shortened.
  Add(kLine, {150, 100, 160, 100});
  Click(120, 100);
  Click(155, 100);
  ASSERT_EQ(Records(kLine).size(), 1u);
  ExpectValues(ValuesOf(kLine)[0], {100, 100, 300, 100.5});
  Command(kCmdUndo);
  EXPECT_EQ(Records(kLine).size(), 2u);
  Command(kCmdUndo);
  EXPECT_EQ(Records(kLine).size(), 1u);

  // 0.51 mm off makes a corner at the meeting point of their lines.
  Add(kLine, {100, 300, 200, 300});
  Add(kLine, {250, 400, 250, 300.51});
  Click(150, 300);
  Click(250, 380);
  auto lines = ValuesOf(kLine);
  ASSERT_EQ(lines.size(), 3u);
  ExpectValues(lines[1], {100, 300, 250, 300});
  ExpectValues(lines[2], {250, 400, 250, 300});
  // An arc becomes its circle at once; a circle as partner beeps and keeps the step.
  Add(kArc, {400, 100, 30, 0, 90}, 1);
  Click(400 + 30 * std::cos(0.7), 100 + 30 * std::sin(0.7));
  EXPECT_EQ(step(), 0);
  ASSERT_EQ(Records(kCircle).size(), 1u);
  ExpectValues(ValuesOf(kCircle)[0], {400, 100, 30});
  const int beeps = Beeps();
  Click(150, 300);
  Click(430, 100);
  EXPECT_EQ(Beeps(), beeps + 1);
  EXPECT_EQ(step(), 1);
}

TEST_F(ExpansionToolTest, CutsEveryLineBetweenTwoLinesByItsCase) {
  // Between the verticals x = 200 (an infinite line) and x = 300 (a line that ends early: its
  // infinite line counts).
  Add(kVerticalInfiniteLine, {200, -1e6, 200, 1e6});
  Add(kLine, {300, 10, 300, 20});
  struct Case {
    std::vector<double> line;
    std::vector<std::vector<double>> after;
  };
  const Case cases[] = {
      {{100, 100, 400, 100}, {{100, 100, 200, 100}, {300, 100, 400, 100}}},  // through both: the middle goes
      {{250, 150, 400, 150}, {{300, 150, 400, 150}}},  // one end in the band: the part outside stays
      {{100, 200, 250, 200}, {{100, 200, 200, 200}}},
      {{200, 250, 250, 250}, {{200, 250, 250, 250}}},  // meets one line only at its end: as it was
      {{210, 300, 290, 300}, {{210, 300, 290, 300}}},  // meets neither on its segment
      {{200, 350, 300, 350}, {}},                      // wholly between: it goes
      {{250, 380, 251, 500}, {{250, 380, 251, 500}}},  // parallel to both (within the tolerance)
      {{150, 450, 450, 550}, {{150, 450, 200, 450 + 50.0 / 3}, {300, 450 + 150.0 / 3, 450, 550}}},
  };
  const DrawEntity* header = Group({{100, 580, 400, 580}});
  Add(kHorizontalInfiniteLine, {-1e6, 420, 1e6, 420});  // never cut: it would become finite
  for (const Case& c : cases) Add(kLine, c.line, 0, &c == &cases[1] ? 1 : 0);
  const std::string before = Dump();

  Mode(3);
  EXPECT_EQ(prompt(), "２線間の直線をカットします。第１直線を指示して下さい。");
  Click(200, 30);
  EXPECT_EQ(prompt(), "次の直線を指示して下さい。");
  Click(200, 60);  // the first line again: ignored
  EXPECT_EQ(step(), 1);
  const int beeps = Beeps();
  Click(560, 40);  // nothing
  EXPECT_EQ(Beeps(), beeps + 1);
  EXPECT_EQ(step(), 1);
  Click(300, 15);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(prompt(), "２線間の直線をカットします。第１直線を指示して下さい。");

  std::vector<std::vector<double>> expected = {{300, 10, 300, 20}, {100, 580, 200, 580}, {300, 580, 400, 580}};
  for (const Case& c : cases) expected.insert(expected.end(), c.after.begin(), c.after.end());
  std::sort(expected.begin(), expected.end());
  const auto lines = ValuesOf(kLine);
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) ExpectValues(lines[i], expected[i]);
  // The pieces keep their record's layer and group.
  for (const DrawEntity* e : Records(kLine)) {
    if (e->values[1] == 580) {
      EXPECT_EQ(e->owner, header);
      EXPECT_EQ(e->groupNo, header->groupNo);
    }
    if (e->values[1] == 150) {
      EXPECT_EQ(e->layer, 1);
    }
  }
  EXPECT_EQ(Records(kHorizontalInfiniteLine).size(), 1u);
  Command(kCmdUndo);
  EXPECT_EQ(Dump(), before);
}

TEST_F(ExpansionToolTest, CleansUpTheJunctionsOfAWindow) {
  // A wall of two horizontal lines (y = 100 and 110) with a crossing wall (x = 200, 210) running
  // through it and a tee (x = 300, 310) starting on its lower line; a line from below that pokes
  // 4 mm into the wall; and a wall outside the window that crosses the same lines.
  Add(kLine, {100, 100, 400, 100});
  Add(kLine, {100, 110, 400, 110});
  Add(kLine, {200, 50, 200, 200});
  Add(kLine, {210, 50, 210, 200});
  Add(kLine, {300, 100, 300, 200});
  Add(kLine, {310, 104, 310, 200});
  Add(kLine, {380, 104, 380, 30});
  Add(kVerticalInfiniteLine, {350, -1e6, 350, 1e6});  // cuts, never cut
  Add(kLine, {500, 50, 500, 200});  // outside the window
  Mode(5);
  EXPECT_EQ(prompt(), "包括処理を行う開始位置をクリックしてください。");
  Click(180, 90);
  EXPECT_EQ(prompt(), "終了位置をクリックしてください。");
  Move(250, 120);
  EXPECT_FALSE(XorLeftOnScreen().empty());
  Click(180, 90);  // the same pixel: nothing
  EXPECT_EQ(step(), 0);
  const std::string before = Dump();
  Click(180, 90);
  Click(390, 120);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
  EXPECT_EQ(prompt(), "包括処理を行う開始位置をクリックしてください。");
  const std::vector<std::vector<double>> expected = {
      {100, 100, 200, 100}, {100, 110, 200, 110},  // cut back to the first crossing from each end
      {200, 50, 200, 100},  {200, 110, 200, 200},  {210, 50, 210, 100}, {210, 110, 210, 200},
      {300, 110, 300, 200},  // the tee: from the upper line up (its end on the lower line is no crossing)
      {310, 110, 310, 200},  // the stub in the wall went
      {380, 100, 380, 30},   // the part that poked into the wall went
      {380, 100, 400, 100},  {350, 110, 400, 110},  // the walls' ends past the last crossing stay
      {500, 50, 500, 200},
  };
  const auto lines = ValuesOf(kLine);
  std::vector<std::vector<double>> sorted = expected;
  std::sort(sorted.begin(), sorted.end());
  ASSERT_EQ(lines.size(), sorted.size());
  for (std::size_t i = 0; i < lines.size(); ++i) ExpectValues(lines[i], sorted[i]);
  EXPECT_EQ(Records(kVerticalInfiniteLine).size(), 1u);
  Command(kCmdUndo);
  EXPECT_EQ(Dump(), before);
}

TEST_F(ExpansionToolTest, IndexCandidatesHoldEveryElementAPlainWalkFinds) {
  // Random drawings, windows and lines: every element whose reach meets the window (or comes
  // within the margin of the line) is a candidate, each once, in list order.
  std::mt19937 random(7);
  auto coordinate = [&] { return std::uniform_real_distribution<double>(-300, 900)(random); };
  for (int round = 0; round < 40; ++round) {
    Populate(random, 80 * (round + 1));
    if (round % 5 == 0) Add(kHorizontalInfiniteLine, {-1e6, coordinate(), 1e6, coordinate()});
    const ModelPoint a{coordinate(), coordinate()}, b{coordinate(), coordinate()};
    Box window = Box::Around(a);
    window.Add(b);
    const ThroughPoints line{a, b};
    const double margin = 0.55;
    const std::vector<DrawEntity*> inWindow = ElementsInWindow(PickViewOf(*t.view, t.doc->snapPoints), window);
    const std::vector<DrawEntity*> alongLine = ElementsAlongLines(PickViewOf(*t.view, t.doc->snapPoints), {&line, 1}, margin);
    std::size_t w = 0, l = 0;
    for (DrawEntity& e : t.doc->entities) {
      Box reach;
      const Reach kind = ReachOf(e, &reach);
      if (kind == Reach::kNone) continue;
      Box grown = reach;
      grown.Grow(margin);
      double t0 = 0, t1 = 0;
      const bool everywhere = kind == Reach::kEverywhere;
      // Candidates come in list order: each one wanted is met at its place.
      const bool wantWindow = everywhere || reach.Intersects(window);
      const bool wantLine = everywhere || ClipToBox(a, b, grown, -INFINITY, INFINITY, &t0, &t1);
      const bool tookWindow = w < inWindow.size() && inWindow[w] == &e;
      const bool tookLine = l < alongLine.size() && alongLine[l] == &e;
      w += tookWindow ? 1 : 0;
      l += tookLine ? 1 : 0;
      ASSERT_TRUE(tookWindow || !wantWindow) << "round " << round;
      ASSERT_TRUE(tookLine || !wantLine) << "round " << round;
    }
    // Nothing else, nothing twice, nothing out of order.
    ASSERT_EQ(w, inWindow.size());
    ASSERT_EQ(l, alongLine.size());
    EXPECT_LT(alongLine.size(), t.doc->entities.size()) << "round " << round;
  }
}

TEST_F(ExpansionToolTest, EveryStepEndsOnTheRightButtonEscAndAnotherTool) {
  Add(kLine, {100, 100, 300, 100});
  const std::string before = Dump();
  for (int mode : {0, 1, 2, 3, 4, 5}) {
    for (int way = 0; way < 3; ++way) {
      SCOPED_TRACE("mode " + std::to_string(mode) + " way " + std::to_string(way));
      Mode(mode);
      Click(150, 100);
      if (mode == 2) {
        Click(170, 100);
        Move(200, 120);
      }
      if (mode == 5) Move(200, 160);
      ASSERT_GT(step(), 0) << Beeps();
      if (way == 0) RightButton();
      if (way == 1) Command(kCmdCancel);
      if (way == 2) Command(32801);  // 図形選択
      EXPECT_EQ(step(), 0);
      EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
      // The highlight went: the line was drawn last in its own colour.
      EXPECT_NE(LastSolidColour(), HighlightColour());
    }
  }
  EXPECT_EQ(Dump(), before);
}

TEST_F(ExpansionToolTest, ProtectedDrawingsAndDimensionPartsAreLeftAlone) {
  Add(kLine, {100, 100, 300, 100});
  Add(kLine, {200, 50, 200, 150});
  const std::string before = Dump();
  t.doc->protection = kWriteProtected;
  Mode(0);
  Click(250, 100);
  Click(200, 130);
  EXPECT_EQ(Dump(), before);
  EXPECT_EQ(t.docUi.messages, std::vector<std::string>{std::string(kWriteProtectedMessage)});
  t.doc->protection = 0;

  const testing::TestDimensionParts parts;
  const double values[] = {0, 400, 400};
  const int16_t codes[] = {30, 40, 41};
  t.doc->AddDocumentEntity({kDimension, 0, 0, 0, 3}, nullptr, codes, 0, values, nullptr);
  const int beeps = Beeps();
  Click(200, 200);  // on the dimension's line part
  EXPECT_EQ(Beeps(), beeps + 1);
  EXPECT_EQ(step(), 0);
}

TEST_F(ExpansionToolTest, RandomEditsUndoAndRedoExactly) {
  // Random drawings and random clicks in each mode: an edit then Ctrl+Z gives the drawing back, a
  // second Ctrl+Z the edited one (freed records would be met by the sanitizers).
  const testing::TestDimensionParts parts;
  std::mt19937 random(16);
  int edits = 0;
  for (int round = 0; round < 500; ++round) {
    Populate(random, 30);
    const int mode = static_cast<int>(random() % 6);
    Mode(mode);
    SCOPED_TRACE("round " + std::to_string(round) + " mode " + std::to_string(mode));
    const std::string before = Dump();
    const auto beforeOrder = Order();
    // Clicks on records' defining points and anywhere.
    std::vector<ModelPoint> points;
    for (const DrawEntity& e : t.doc->entities) {
      if (e.valueCount >= 2 && e.kind != kDimension) points.push_back({e.values[0], e.values[1]});
    }
    // One edit at most: 基準線伸縮 would make one with every click after the reference.
    for (int click = 0; click < (mode == 2 ? 3 : 2); ++click) {
      ModelPoint p{RandomCoordinate(random), RandomCoordinate(random)};
      if (random() % 2 && !points.empty()) p = points[random() % points.size()];
      Click(p.x, p.y);
    }
    Command(kCmdCancel);
    const std::string edited = Dump();
    if (edited == before) continue;
    ++edits;
    const auto editedOrder = Order();
    Command(kCmdUndo);
    ASSERT_EQ(Dump(), before);
    ASSERT_EQ(Order(), OrderAfterUndo(beforeOrder, editedOrder));
    Command(kCmdUndo);
    ASSERT_EQ(Dump(), edited);
  }
  EXPECT_GT(edits, 30);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

}  // namespace
}  // namespace plenwick
