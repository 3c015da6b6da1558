// Guards the corner tool through pixel events on the headless view: sharp, chamfered and round
// corners of two lines however each is stored and whichever sides are picked (the arc's centre
// inside the corner, tangent to both lines), the trim flags, one undo bringing the drawing back,
// and picks that must be refused, corners that must change nothing, and the ways out of a pick
// that must leave no highlight or exclusive-or figure behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "model/plenwick_doc.h"
#include "model/undo.h"
#include "tools/draw/circle_geometry.h"
#include "edit_tools/delete_fixture.h"

namespace plenwick {
namespace {

constexpr int kCmdCorner = 32851;

class CornerTool : public testing::DeleteToolTest {
 protected:
  CornerTool() { Set(0, 10, true, true); }

  static void Set(int style, double distance, bool trim1, bool trim2) {
    s().CornerStyle = static_cast<int16_t>(style);
    s().CornerDistance = static_cast<float>(distance);
    s().CornerTrimLine1 = trim1 ? 1 : 0;
    s().CornerTrimLine2 = trim2 ? 1 : 0;
  }
  void Corner(ModelPoint pick1, ModelPoint pick2) {
    Command(kCmdCorner);
    Click(pick1.x, pick1.y);
    Click(pick2.x, pick2.y);
  }
  std::vector<const DrawEntity*> OfKind(int16_t kind) const {
    std::vector<const DrawEntity*> out;
    for (const DrawEntity& e : t.doc->entities) {
      if (e.kind == kind) out.push_back(&e);
    }
    return out;
  }
  // Whether a line runs from a to b, in that order.
  bool HasLine(ModelPoint a, ModelPoint b) const {
    for (const DrawEntity* e : OfKind(kLine)) {
      const auto& v = e->values;
      if (std::hypot(v[0] - a.x, v[1] - a.y) < 1e-6 && std::hypot(v[2] - b.x, v[3] - b.y) < 1e-6) return true;
    }
    return false;
  }
  // Takes every element but the grid out for good.
  void ClearDrawing() {
    for (DrawEntity& e : list()) e.mark = e.kind == kGrid ? kMarkNone : kMarkDeleted;
    BeginOperation(list(), t.doc->snapPoints);
    CommitDeletion(list());
    BeginOperation(list(), t.doc->snapPoints);
  }
};

ModelPoint At(ModelPoint p, ModelPoint u, double d) { return {p.x + d * u.x, p.y + d * u.y}; }

TEST_F(CornerTool, EveryStyleOrientationAndSideMakesTheCornerOnThePickedSides) {
  // Fault: a round corner computed from the lines as stored puts its centre outside the corner
  // for three of the four ways two lines can be stored; a corner keeping the wrong ends.
  const ModelPoint t0{200, 300};
  const double d = 10;
  for (const double angle : {90.0, 30.0, 150.0}) {
    for (int orientation = 0; orientation < 4; ++orientation) {
      for (int sides = 0; sides < 4; ++sides) {
        for (int style = 0; style < 3; ++style) {
          SCOPED_TRACE(::testing::Message() << "angle " << angle << " orientation " << orientation << " sides " << sides
                                          << " style " << style);
          const double r = DegreesToRadians(angle);
          const ModelPoint dir2{std::cos(r), std::sin(r)};
          const double o1 = orientation & 1 ? -1 : 1, o2 = orientation & 2 ? -1 : 1;
          testing::AddLine(list(), t0.x - 50 * o1, t0.y, t0.x + 50 * o1, t0.y);
          testing::AddLine(list(), t0.x - 50 * o2 * dir2.x, t0.y - 50 * o2 * dir2.y, t0.x + 50 * o2 * dir2.x,
                           t0.y + 50 * o2 * dir2.y);
          const ModelPoint u1{sides & 1 ? -1.0 : 1.0, 0};
          const ModelPoint u2{(sides & 2 ? -1 : 1) * dir2.x, (sides & 2 ? -1 : 1) * dir2.y};
          Set(style, d, true, true);
          const std::vector<std::string> before = Dump();
          Corner(At(t0, u1, 30), At(t0, u2, 30));

          ModelPoint e1 = t0, e2 = t0;
          const double between = std::acos(u1.x * u2.x + u1.y * u2.y);  // radians, the corner's opening
          if (style == 1) {
            e1 = At(t0, u1, d);
            e2 = At(t0, u2, d);
            EXPECT_TRUE(HasLine(e1, e2)) << "chamfer";
          } else if (style == 2) {
            e1 = At(t0, u1, d / std::tan(between / 2));
            e2 = At(t0, u2, d / std::tan(between / 2));
            const std::vector<const DrawEntity*> arcs = OfKind(kArc);
            ASSERT_EQ(arcs.size(), 1u);
            const auto& v = arcs[0]->values;
            const ModelPoint bisector{(u1.x + u2.x) / std::hypot(u1.x + u2.x, u1.y + u2.y),
                                      (u1.y + u2.y) / std::hypot(u1.x + u2.x, u1.y + u2.y)};
            testing::ExpectNear({v[0], v[1]}, At(t0, bisector, d / std::sin(between / 2)));
            EXPECT_NEAR(v[2], d, 1e-9);
            const int direction = arcs[0]->subKind == 1 ? 1 : -1;
            ModelPoint start, end;
            ArcEndPoints({v[0], v[1]}, d, v[3], v[4], &start, &end);
            testing::ExpectNear(start, e1);
            testing::ExpectNear(end, e2);
            // The arc bulges toward the corner: its middle is the centre's point nearest the corner.
            const double sweep = NormalizedDegrees(direction * (v[4] - v[3]));
            EXPECT_NEAR(sweep, 180 - between * 180 / kPi, 1e-6);
            const double mid = DegreesToRadians(v[3] + direction * sweep / 2);
            testing::ExpectNear({v[0] + d * std::cos(mid), v[1] + d * std::sin(mid)}, At(t0, bisector, d / std::sin(between / 2) - d));
          }
          EXPECT_TRUE(HasLine(At(t0, u1, 50), e1)) << "line 1";
          EXPECT_TRUE(HasLine(At(t0, u2, 50), e2)) << "line 2";
          EXPECT_EQ(OfKind(kLine).size(), style == 1 ? 3u : 2u);
          EXPECT_EQ(t.ui.beeps, 0);
          EXPECT_EQ(step(), 0);
          Command(kCmdUndo);
          EXPECT_EQ(Dump(), before);
          ClearDrawing();
        }
      }
    }
  }
}

TEST_F(CornerTool, TrimFlagsLeaveTheirLineAsItWas) {
  // Fault: a line replaced (or lost) although its trim flag is off; an undo that leaves the join.
  struct Case {
    int style;
    bool trim1, trim2;
    std::size_t lines, arcs;
  } cases[] = {{2, false, true, 2, 1}, {2, true, false, 2, 1}, {2, false, false, 2, 1}, {1, false, false, 3, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.style << c.trim1 << c.trim2);
    DrawEntity* l1 = testing::AddLine(list(), 100, 100, 300, 100);
    DrawEntity* l2 = testing::AddLine(list(), 200, 50, 200, 250);
    Set(c.style, 10, c.trim1, c.trim2);
    const std::vector<std::string> before = Dump();
    Corner({250, 100}, {200, 200});
    EXPECT_EQ(OfKind(kLine).size(), c.lines);
    EXPECT_EQ(OfKind(kArc).size(), c.arcs);
    EXPECT_EQ(HasLine({100, 100}, {300, 100}), !c.trim1);
    EXPECT_EQ(HasLine({200, 50}, {200, 250}), !c.trim2);
    EXPECT_EQ(HasLine({300, 100}, {210, 100}), c.trim1);
    EXPECT_EQ(HasLine({200, 250}, {200, 110}), c.trim2);
    const std::vector<const DrawEntity*> lines = OfKind(kLine);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), l1), c.trim1 ? 0 : 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), l2), c.trim2 ? 0 : 1);
    Command(kCmdUndo);
    EXPECT_EQ(Dump(), before);
    ClearDrawing();
  }
}

TEST_F(CornerTool, ReplacementsKeepTheirAttributesAndGroupTheJoinTakesTheCurrentOnes) {
  // Fault: a trimmed group member leaving its group; a trimmed line taking the current colour.
  DrawEntity* header = Add(kGroupHeader, {0, 0, 1, 0}, "G");
  DrawEntity* member = Add(kLine, {100, 100, 300, 100}, "G/line", header);
  member->colour = 0x0000FF;
  member->lineAttr = 203;
  Add(kLine, {200, 50, 200, 250}, "B");
  s().CurrentColour = 0x00FF00;
  Set(2, 10, true, true);
  Corner({250, 100}, {200, 200});
  ASSERT_TRUE(HasLine({300, 100}, {210, 100}));
  const DrawEntity* trimmed = nullptr;
  for (const DrawEntity* e : OfKind(kLine)) {
    if (e->values[0] == 300) trimmed = e;
  }
  ASSERT_NE(trimmed, nullptr);
  EXPECT_EQ(trimmed->owner, header);
  EXPECT_EQ(trimmed->groupNo, header->groupNo);
  EXPECT_EQ(trimmed->colour, 0x0000FFu);
  EXPECT_EQ(trimmed->lineAttr, 203);
  const DrawEntity* arc = OfKind(kArc).at(0);
  EXPECT_EQ(arc->owner, nullptr);
  EXPECT_EQ(arc->colour, 0x00FF00u);
}

TEST_F(CornerTool, RefusedPicksAndDegenerateCornersChangeNothing) {
  // Fault: a corner made of a line of another layer, of a dimension part or of one line twice;
  // parallel, collinear or too-short lines, a protected drawing or an unusable distance changing
  // the drawing or throwing away the undo step before them.
  testing::AddLine(list(), 100, 100, 300, 100);
  testing::AddLine(list(), 200, 50, 200, 250);
  testing::AddLine(list(), 100, 150, 300, 150);    // parallel to the first
  testing::AddLine(list(), 310, 100.4, 400, 100);  // collinear with it within 0.5
  testing::AddLine(list(), 100, 400, 300, 400, 1);
  testing::AddLine(list(), 195, 160, 195, 140);    // kept end where the chamfer starts
  Add(kDimension, {400, 300, 500, 300, 450, 300}, "D");
  Set(0, 10, true, true);
  Corner({150, 100}, {200, 80});  // an undoable step that must survive what follows
  const std::vector<std::string> made = Dump();
  Command(kCmdCorner);
  Click(600, 550);  // nothing
  Click(200, 400);  // another layer
  Click(450, 300);  // a dimension part
  EXPECT_EQ(t.ui.beeps, 3);
  Click(150, 150);
  Click(160, 150);  // the same line again
  EXPECT_EQ(t.ui.beeps, 4);
  EXPECT_EQ(step(), 1);
  Click(150, 100);  // parallel
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(prompt(), "コーナー処理を行う直線を指示して下さい。");
  Corner({150, 100}, {350, 100});  // collinear
  Set(1, 10, true, true);
  Corner({195, 157}, {150, 150});  // the trimmed line would have no length
  for (const double bad : {0.005, -10.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
    Set(2, bad, true, true);
    Click(150, 100);
    EXPECT_EQ(step(), 0);
  }
  Set(2, 10, true, true);
  t.doc->protection = kWriteProtected;
  Corner({150, 100}, {200, 80});
  EXPECT_EQ(t.docUi.messages, std::vector<std::string>{std::string(kWriteProtectedMessage)});
  t.doc->protection = kNotProtected;
  EXPECT_EQ(t.ui.beeps, 4);
  EXPECT_EQ(Dump(), made);
  EXPECT_TRUE(XorLeftOnScreen().empty());
  Command(kCmdUndo);
  EXPECT_TRUE(HasLine({100, 100}, {300, 100}));
  EXPECT_TRUE(HasLine({200, 50}, {200, 250}));
}

TEST_F(CornerTool, RightButtonEscapeCancelAndAnotherToolDropTheFirstLine) {
  // Fault: the first line left highlighted, or still picked when the corner tool comes back.
  testing::AddLine(list(), 100, 100, 300, 100);
  testing::AddLine(list(), 200, 50, 200, 250);
  const std::vector<std::string> before = Dump();
  const std::function<void()> ways[] = {
      [&] { RightClick(400, 400); },
      [&] { Command(kCmdEscape); },
      [&] { Command(kCmdCancel); },
      [&] { ASSERT_TRUE(t.router->OnCommand(32811)); },  // 直線
  };
  for (const auto& way : ways) {
    Command(kCmdCorner);
    Click(250, 100);
    ASSERT_EQ(step(), 1);
    EXPECT_EQ(LastSolidColour(), HighlightColour());
    way();
    EXPECT_EQ(step(), 0);
    EXPECT_NE(LastSolidColour(), HighlightColour());
    EXPECT_TRUE(XorLeftOnScreen().empty());
  }
  // The corner tool starts afresh: the first pick now is line 1 again.
  Command(kCmdCorner);
  Click(200, 200);
  EXPECT_EQ(step(), 1);
  EXPECT_EQ(t.ui.beeps, 0);
  EXPECT_EQ(Dump(), before);
}

}  // namespace
}  // namespace plenwick
