// Guards the point tool through pixel events on a headless view: points at clicks and offsets,
// the intersections of every kind of pair (lines as infinite lines, arcs within their extent,
// curves as drawn; a beep where nothing meets), points moved along lines, circles and arcs with
// the distance dialog scripted, the characteristic points of elements, one undo taking back all
// points of a click, and one message per click on a protected drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "model/undo.h"
#include "support/draw_tool_fixture.h"
#include "view/geometry.h"

namespace plenwick {
namespace {

using testing::AddCircle;
using testing::AddLine;
using testing::AddText;

constexpr int kPointModeCommands[5] = {32806, 32807, 32808, 32809, 32810};

class PointToolTest : public testing::DrawToolTest {
 protected:
  void Select(int mode) { ASSERT_TRUE(t.router->OnCommand(kPointModeCommands[mode])); }
  EntityList& list() { return t.doc->entities; }
  std::vector<ModelPoint> Points() const {
    std::vector<ModelPoint> out;
    for (const DrawEntity& e : t.doc->entities) {
      if (e.kind == kPoint && e.mark != kMarkDeleted) out.push_back({e.values[0], e.values[1]});
    }
    return out;
  }
  DrawEntity* AddArc(double cx, double cy, double r, double start, double end) {
    const int16_t codes[] = {10, 20, 40, 50, 51};
    const double values[] = {cx, cy, r, start, end};
    DrawEntity* e = nullptr;
    AddEntity({kArc, 1, 0, 0, 5}, nullptr, list(), codes, 0, values, nullptr, &e);
    return e;
  }
  DrawEntity* AddFreeCurve(std::vector<double> xy) {
    DrawEntity* e = nullptr;
    AddEntity({kFreeCurve, 0, 0, 0, static_cast<int16_t>(xy.size())}, nullptr, list(), nullptr, 0, xy.data(), nullptr,
              &e);
    return e;
  }
  DrawEntity* AddPoint(double x, double y) {
    const int16_t codes[] = {10, 20};
    const double values[] = {x, y};
    DrawEntity* e = nullptr;
    AddEntity({kPoint, 0, 0, 0, 2}, nullptr, list(), codes, 0, values, nullptr, &e);
    return e;
  }
  // Removes every element but the grid, so that each case starts on an empty drawing.
  void Clear() {
    BeginOperation(list(), t.doc->snapPoints);
    for (DrawEntity& e : list()) {
      if (e.kind != kGrid) e.mark = kMarkDeleted;
    }
    CommitDeletion(list());
    BeginOperation(list(), t.doc->snapPoints);
  }
};

void ExpectPoints(const std::vector<ModelPoint>& actual, const std::vector<ModelPoint>& expected, double tol = 1e-6) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    SCOPED_TRACE("point " + std::to_string(i));
    testing::ExpectNear(actual[i], expected[i], tol);
  }
}

TEST_F(PointToolTest, FreeAndOffsetPointsCarryTheCurrentAttributes) {
  s().PointShape = 2, s().CurrentPen = 4, s().CurrentLineType = 1, s().CurrentColour = 0xABCDEF, s().CurrentLayer = 7;
  Select(0);
  Click(100, 100);
  Select(1);
  s().PointOffsetX = -10;
  s().PointOffsetY = 0;
  Click(100, 100);  // the point just made
  Click(300, 300);  // nothing there
  EXPECT_EQ(t.ui.beeps, 1);
  s().PointOffsetX = std::nanf("");
  Click(100, 100);
  ExpectPoints(Points(), {{100, 100}, {90, 100}});
  for (const DrawEntity& e : list()) {
    if (e.kind != kPoint) continue;
    EXPECT_EQ(e.subKind, 2);
    EXPECT_EQ(e.lineAttr, 104);
    EXPECT_EQ(e.colour, 0xABCDEF);
    EXPECT_EQ(e.layer, 7);
    EXPECT_EQ(std::vector<int16_t>(e.codes.get(), e.codes.get() + 2), (std::vector<int16_t>{10, 20}));
  }
  EXPECT_FALSE(t.doc->snapPoints.PointsOf(list().tail).empty()) << "a point is a snap point";
  // The bars take the focus in 座標入力 and 移動点 only.
  for (int mode = 0; mode < 5; ++mode) {
    Select(mode);
    const int before = t.ui.barFocus;
    Command(kCmdFocusOperationBar);
    EXPECT_EQ(t.ui.barFocus, before + (mode == 1 || mode == 3 ? 1 : 0)) << "mode " << mode;
  }
}

TEST_F(PointToolTest, IntersectionsOfEveryKindOfPair) {
  const double h = std::sqrt(3.0) * 10;  // half the chord of a radius-20 circle 10 from its centre
  struct Case {
    const char* what;
    std::function<void()> build;
    ModelPoint first, second;  // the clicks
    std::vector<ModelPoint> points;  // none: a beep
  } cases[] = {
      {"parallel lines meet nowhere", [&] { AddLine(list(), 100, 100, 200, 100), AddLine(list(), 100, 150, 200, 150); },
       {150, 100}, {150, 150}, {}},
      {"segments apart still meet where their lines cross",
       [&] { AddLine(list(), 100, 100, 150, 100), AddLine(list(), 300, 200, 300, 300); }, {120, 100}, {300, 250},
       {{300, 100}}},
      {"a line through a circle's centre meets it twice",
       [&] { AddCircle(list(), 300, 300, 50), AddLine(list(), 100, 300, 200, 300); }, {350, 300}, {150, 300},
       {{350, 300}, {250, 300}}},
      {"an arc only within its extent", [&] { AddArc(300, 300, 20, 0, 180), AddLine(list(), 100, 310, 200, 310); },
       {300, 320}, {150, 310}, {{300 + h, 310}, {300 - h, 310}}},
      {"an arc where its circle but not the arc meets the line",
       [&] { AddArc(300, 300, 20, 0, 180), AddLine(list(), 100, 290, 200, 290); }, {300, 320}, {150, 290}, {}},
      {"two circles", [&] { AddCircle(list(), 300, 300, 20), AddCircle(list(), 320, 300, 20); }, {280, 300},
       {340, 300}, {{310, 300 - h}, {310, 300 + h}}},
      {"a curve and the line through a segment far from it",
       [&] { AddFreeCurve({400, 100, 410, 300, 420, 100}), AddLine(list(), 100, 200, 150, 200); }, {420, 100},
       {120, 200}, {{405, 200}, {415, 200}}},
      {"two curves give nothing", [&] { AddFreeCurve({400, 100, 410, 300}), AddFreeCurve({380, 200, 440, 210}); },
       {401, 105}, {435, 209}, {}},
  };
  Select(2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Clear();
    c.build();
    const int beeps = t.ui.beeps;
    Click(c.first.x, c.first.y);
    ASSERT_EQ(step(), 1);
    EXPECT_EQ(prompt(), "交差する対象図形２を指示して下さい。");
    Click(c.second.x, c.second.y);
    EXPECT_EQ(step(), 0);
    EXPECT_EQ(prompt(), "対象図形１を指示(クリック)して下さい。");
    ExpectPoints(Points(), c.points, 1e-6);
    EXPECT_EQ(t.ui.beeps, beeps + (c.points.empty() ? 1 : 0));
    Command(kCmdUndo);
    EXPECT_TRUE(Points().empty()) << "one undo takes back every point of the click";
    EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
  }
  // A right click drops the first pick and its highlight.
  Clear();
  AddLine(list(), 100, 100, 200, 100);
  Click(150, 100);
  const std::size_t before = t.host.canvas.primitives().size();
  RightClick(150, 100);
  EXPECT_EQ(step(), 0);
  EXPECT_GT(t.host.canvas.primitives().size(), before) << "the element drawn again as it is";
  EXPECT_NE(LastSolidColour(), HighlightColour());
}

TEST_F(PointToolTest, MovedPointsFollowTheirElementInEitherOrder) {
  struct Case {
    const char* what;
    std::function<void()> build;
    ModelPoint first, second;  // clicks: the point or the element first
    std::string distance;      // typed; empty: cancelled
    std::vector<ModelPoint> points;
    const char* message;  // or null
  } cases[] = {
      {"along a line toward the click", [&] { AddPoint(200, 100), AddLine(list(), 100, 100, 300, 100); }, {200, 100},
       {130, 100}, "25", {{175, 100}}, nullptr},
      {"element first, the other side", [&] { AddPoint(200, 100), AddLine(list(), 100, 100, 300, 100); },
       {280, 100}, {200, 100}, "25", {{225, 100}}, nullptr},
      {"a negative distance goes back", [&] { AddPoint(200, 100), AddLine(list(), 100, 100, 300, 100); },
       {280, 100}, {200, 100}, "-25", {{175, 100}}, nullptr},
      {"a quarter turn counter-clockwise along a circle",
       [&] { AddPoint(350, 300), AddCircle(list(), 300, 300, 50); }, {350, 300}, {300, 350}, "25*3.14159265358979",
       {{300, 350}}, nullptr},
      {"along an arc beyond its end fails", [&] { AddPoint(350, 300), AddArc(300, 300, 50, 0, 90); }, {350, 300},
       {300 + 50 * std::cos(0.7), 300 + 50 * std::sin(0.7)}, "100", {}, "移動処理エラー"},
      {"a point off the line", [&] { AddPoint(200, 150), AddLine(list(), 100, 100, 300, 100); }, {200, 150},
       {150, 100}, "25", {}, "選択線上に、選択点がありません。"},
      {"a point off the circle", [&] { AddPoint(300, 300), AddCircle(list(), 300, 300, 50); }, {300, 300},
       {350, 300}, "25", {}, "選択円に、選択点がありません。"},
      {"a point off the arc", [&] { AddPoint(250, 300), AddArc(300, 300, 50, 0, 90); }, {250, 300}, {350, 300}, "25",
       {}, "選択円弧に、選択点がありません。"},
      {"cancelled", [&] { AddPoint(200, 100), AddLine(list(), 100, 100, 300, 100); }, {200, 100}, {130, 100}, "",
       {}, nullptr},
  };
  Select(3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Clear();
    c.build();
    const std::vector<ModelPoint> before = Points();
    t.ui.messages.clear();
    t.ui.numericKinds.clear();
    t.ui.numericInitialTexts.clear();
    s().PointMoveDistance = 12.5f;
    if (!c.distance.empty()) t.ui.numericAnswers.push_back(c.distance);
    Click(c.first.x, c.first.y);
    EXPECT_EQ(step(), 1);
    Click(c.second.x, c.second.y);
    EXPECT_EQ(step(), 0);
    std::vector<ModelPoint> added = Points();
    added.erase(added.begin(), added.begin() + static_cast<std::ptrdiff_t>(before.size()));
    ExpectPoints(added, c.points, 1e-6);
    if (c.message) {
      ASSERT_EQ(t.ui.messages.size(), 1u);
      EXPECT_EQ(t.ui.messages[0], c.message);
    } else {
      EXPECT_TRUE(t.ui.messages.empty());
    }
    if (std::string(c.what).find("off the") == std::string::npos) {
      ASSERT_EQ(t.ui.numericKinds.size(), 1u);
      EXPECT_EQ(t.ui.numericKinds[0], 0) << "the distance is asked under kind 0's label";
      EXPECT_EQ(t.ui.numericInitialTexts[0], "12.5");
      if (!c.distance.empty()) {
        EXPECT_NE(s().PointMoveDistance, 12.5f);
      }
    }
    t.ui.numericAnswers.clear();
    EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
  }
  // A line clicked for the point's partner that is not a point ends the pair with a beep.
  Clear();
  AddLine(list(), 100, 100, 300, 100);
  const int beeps = t.ui.beeps;
  Click(150, 100);
  Click(400, 400);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(t.ui.beeps, beeps + 1);
}

TEST_F(PointToolTest, ConstituentPointsByKindAreOneUndoStep) {
  struct Case {
    std::function<void()> build;
    ModelPoint click;
    std::vector<ModelPoint> points;
  } cases[] = {
      {[&] { AddLine(list(), 100, 100, 200, 150); }, {150, 125}, {{100, 100}, {200, 150}}},
      {[&] { AddCircle(list(), 300, 300, 50); }, {350, 300}, {{300, 300}}},
      {[&] { AddArc(300, 300, 50, 0, 90); }, {300 + 50 * std::cos(0.7), 300 + 50 * std::sin(0.7)},
       {{300, 300}, {350, 300}, {300, 350}}},
      {[&] { AddText(list(), "A", nullptr, 200, 200); }, {202, 202}, {{200, 200}}},
      {[&] { AddFreeCurve({400, 100, 410, 300}); }, {405, 200}, {}},
  };
  Select(4);
  for (const Case& c : cases) {
    Clear();
    c.build();
    Click(c.click.x, c.click.y);
    ExpectPoints(Points(), c.points);
    Command(kCmdUndo);
    EXPECT_TRUE(Points().empty());
  }
}

TEST_F(PointToolTest, AProtectedDrawingTellsOncePerClick) {
  AddArc(300, 300, 50, 0, 90);
  AddLine(list(), 100, 300, 200, 300);
  t.doc->protection = kWriteProtected;
  Select(4);
  Click(300 + 50 * std::cos(0.7), 300 + 50 * std::sin(0.7));
  Select(2);
  Click(150, 300);
  Click(300 + 50 * std::cos(0.7), 300 + 50 * std::sin(0.7));
  Select(0);
  Click(50, 50);
  EXPECT_TRUE(Points().empty());
  EXPECT_EQ(t.docUi.messages, std::vector<std::string>(3, std::string(kWriteProtectedMessage)));
}

}  // namespace
}  // namespace plenwick
