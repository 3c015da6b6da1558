// Guards the circle tool through pixel events on a headless view: every sub-mode storing the
// circle or arc its clicks define (the arc's direction from the mouse's swing, fixed radii from
// the bar, three points), typed radii and angles, hostile settings and values adding nothing a
// drawing file would not keep, collinear points refused with their message, and every ending
// (Cancel, right click, another tool, undo) leaving no exclusive-or figure on the screen.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "model/document_file.h"
#include "support/draw_tool_fixture.h"
#include "view/geometry.h"

namespace plenwick {
namespace {

constexpr int kCircleModeCommands[6] = {32824, 32819, 32825, 32826, 32827, 32828};

class CircleToolTest : public testing::DrawToolTest {
 protected:
  void Select(int mode) { ASSERT_TRUE(t.router->OnCommand(kCircleModeCommands[mode])); }
  // The circles and arcs of the drawing, in list order.
  std::vector<const DrawEntity*> Curves() const {
    std::vector<const DrawEntity*> out;
    for (const DrawEntity& e : t.doc->entities) {
      if ((e.kind == kCircle || e.kind == kArc || e.kind == kBezierCurve || e.kind == kFreeCurve) &&
          e.mark != kMarkDeleted) {
        out.push_back(&e);
      }
    }
    return out;
  }
  static std::vector<double> Values(const DrawEntity* e) { return {e->values.get(), e->values.get() + e->valueCount}; }
  void Type(const std::string& text) {
    t.ui.numericAnswers.push_back(text);
    Command(kCmdSpace);
  }
};

void ExpectValues(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-9) << "value " << i;
}

TEST_F(CircleToolTest, EveryModeStoresWhatItsClicksDefine) {
  struct Case {
    const char* what;
    int mode;
    std::vector<ModelPoint> path;  // moves; every point marked click is clicked
    std::vector<bool> clicks;
    int16_t kind, subKind;
    std::vector<double> values;
  } cases[] = {
      {"centre and radius", 0, {{100, 100}, {130, 140}}, {true, true}, kCircle, 0, {100, 100, 50}},
      {"diameter", 1, {{100, 100}, {110, 100}}, {true, true}, kCircle, 0, {105, 100, 5}},
      {"three points", 2, {{100, 100}, {110, 100}, {105, 105}}, {true, true, true}, kCircle, 0, {105, 100, 5}},
      {"three-point arc", 5, {{100, 100}, {110, 100}, {105, 105}}, {true, true, true}, kArc, -1, {105, 100, 5, 180, 0}},
      {"arc swung counter-clockwise", 3, {{200, 200}, {230, 200}, {200, 240}, {180, 230}, {170, 200}},
       {true, true, true, false, true}, kArc, 1, {200, 200, 30, 90, 180}},
      {"arc swung clockwise first", 3, {{200, 200}, {230, 200}, {200, 240}, {210, 240}, {240, 200}},
       {true, true, true, false, true}, kArc, -1, {200, 200, 30, 90, 0}},
      {"clockwise, then back over the start ray", 3,
       {{200, 200}, {230, 200}, {200, 240}, {210, 240}, {190, 240}, {170, 200}},
       {true, true, true, false, false, true}, kArc, 1, {200, 200, 30, 90, 180}},
      {"diameter arc, start inside the circle", 4, {{200, 200}, {260, 200}, {230, 210}, {200, 200}},
       {true, true, true, true}, kArc, 1, {230, 200, 30, 90, 180}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::size_t before = Curves().size();
    Select(c.mode);
    for (std::size_t i = 0; i < c.path.size(); ++i) {
      if (c.clicks[i]) {
        Click(c.path[i].x, c.path[i].y);
      } else {
        Move(c.path[i].x, c.path[i].y);
      }
    }
    ASSERT_EQ(Curves().size(), before + 1);
    const DrawEntity* e = Curves().back();
    EXPECT_EQ(e->kind, c.kind);
    EXPECT_EQ(e->subKind, c.subKind);
    ExpectValues(Values(e), c.values);
    EXPECT_EQ(step(), 0);
    EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
  }
}

TEST_F(CircleToolTest, FixedRadiusFromTheBarsInOneClick) {
  s().CircleRadiusOn = 1;
  s().CircleRadius = 20;
  Select(0);
  Click(100, 100);
  Select(3);
  s().ArcStartAngle = 0;
  s().ArcEndAngle = 90;
  s().ArcDirection = 0;  // 時計回り
  Click(300, 300);
  ASSERT_EQ(Curves().size(), 2u);
  ExpectValues(Values(Curves()[0]), {100, 100, 20});
  EXPECT_EQ(Curves()[1]->subKind, -1);
  ExpectValues(Values(Curves()[1]), {300, 300, 20, 0, 90});
  EXPECT_EQ(prompt(), "円を作図します。中心位置指示して下さい。");

  // Equal angles (also 0 and 360), a radius too small or not a number: nothing.
  for (auto [start, end, radius] : {std::tuple{45.f, 45.f, 20.f}, std::tuple{0.f, 360.f, 20.f},
                                    std::tuple{0.f, 90.f, 0.005f}, std::tuple{0.f, 90.f, std::nanf("")},
                                    std::tuple{0.f, 90.f, std::numeric_limits<float>::infinity()}}) {
    s().ArcStartAngle = start;
    s().ArcEndAngle = end;
    s().CircleRadius = radius;
    Click(300, 300);
  }
  EXPECT_EQ(Curves().size(), 2u);
  s().ArcStartAngle = 10;
  s().ArcEndAngle = 10;
  s().CircleRadius = 20;
  Click(300, 300);
  EXPECT_EQ(prompt(), "【注意】＊＊＊ 開始角度と終了角度が同じです。ご確認ください！");
}

TEST_F(CircleToolTest, TypedRadiusStartAndSweep) {
  Select(0);
  Click(100, 100);
  Type("20+5");
  ASSERT_EQ(Curves().size(), 1u);
  ExpectValues(Values(Curves()[0]), {100, 100, 25});

  Select(3);
  Click(200, 200);
  Type("10");
  Type("30");
  Type("-60");  // clockwise, 60 degrees
  ASSERT_EQ(Curves().size(), 2u);
  EXPECT_EQ(Curves()[1]->subKind, -1);
  ExpectValues(Values(Curves()[1]), {200, 200, 10, 30, 330});

  // 円弧（直径）: a typed radius puts the diameter's end that far twice to the right.
  Select(4);
  Click(300, 300);
  Type("15");
  EXPECT_EQ(step(), 2);
  Type("90");
  Type("90");
  ASSERT_EQ(Curves().size(), 3u);
  ExpectValues(Values(Curves()[2]), {315, 300, 15, 90, 180});
  Select(3);

  // A sweep of a whole turn or more counts modulo 360; nothing of no sweep.
  Click(200, 200);
  Type("10");
  Type("-30");
  Type("450");
  ASSERT_EQ(Curves().size(), 4u);
  ExpectValues(Values(Curves()[3]), {200, 200, 10, 330, 60});
  Click(200, 200);
  Type("10");
  Type("0");
  Type("360");
  EXPECT_EQ(Curves().size(), 4u);
  EXPECT_EQ(step(), 3);
  Command(kCmdCancel);

  // A radius too large for a drawing file or none at all adds nothing.
  Select(0);
  for (const char* radius : {"0", "99999999*99999999*99999999*99999999*99999999*99999999*99999999*99999999"}) {
    Click(100, 100);
    Type(radius);
    Command(kCmdCancel);
  }
  EXPECT_EQ(Curves().size(), 4u);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(CircleToolTest, CollinearThreePointsAreRefusedWithTheMessage) {
  for (int mode : {2, 5}) {
    Select(mode);
    Click(100, 100);
    Click(150, 100);
    Click(200, 100);
    EXPECT_EQ(t.ui.messages.back(), "三点指定に誤りがあります。");
  }
  EXPECT_TRUE(Curves().empty());
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(CircleToolTest, ThreePointArcsPassTheirPointsInTheirDirection) {
  // A property over random points: the stored arc starts and ends on the first two clicks and
  // passes through the third in its stored direction.
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(50, 550);
  Select(5);
  int arcs = 0;
  for (int i = 0; i < 300; ++i) {
    const ModelPoint a{double(coordinate(random)), double(coordinate(random))};
    const ModelPoint b{double(coordinate(random)), double(coordinate(random))};
    const ModelPoint c{double(coordinate(random)), double(coordinate(random))};
    const std::size_t before = Curves().size();
    Click(a.x, a.y);
    Click(b.x, b.y);
    Click(c.x, c.y);
    if (Curves().size() == before) continue;  // collinear
    ++arcs;
    const std::vector<double> v = Values(Curves().back());
    const ModelPoint centre{v[0], v[1]};
    ModelPoint start, end;
    ArcEndPoints(centre, v[2], v[3], v[4], &start, &end);
    EXPECT_LT(Distance(start, a), 1e-6);
    EXPECT_LT(Distance(end, b), 1e-6);
    EXPECT_EQ(IsOnArc(Curves().back()->subKind, c, start, end, centre, v[2]), 0)
        << a.x << "," << a.y << " " << b.x << "," << b.y << " " << c.x << "," << c.y;
  }
  EXPECT_GT(arcs, 250);
}

TEST_F(CircleToolTest, EveryEndingLeavesNothingOnTheScreen) {
  const std::vector<std::function<void()>> endings = Endings();
  for (int mode = 0; mode < 6; ++mode) {
    for (std::size_t ending = 0; ending < endings.size(); ++ending) {
      for (int clicks = 1; clicks <= 3; ++clicks) {
        SCOPED_TRACE("mode " + std::to_string(mode) + " ending " + std::to_string(ending));
        Select(mode);
        Click(200, 200);
        if (clicks >= 2) Click(240, 210);
        if (clicks >= 3) Click(230, 260);
        Move(180, 240);
        if (step() == 0) continue;  // the clicks made their element
        const std::size_t before = Curves().size();
        endings[ending]();
        EXPECT_EQ(step(), 0);
        EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
        // (An undo after an undo takes the undone step back: the buffer holds one step.)
        if (ending != 3) {
          EXPECT_EQ(Curves().size(), before) << "the ending adds nothing";
        }
      }
    }
  }
}

TEST_F(CircleToolTest, EachElementIsOneUndoStepAndSurvivesSaving) {
  Select(0);
  Click(100, 100);
  Click(120, 100);
  Select(5);
  Click(200, 200);
  Click(240, 200);
  Click(220, 230);
  ASSERT_EQ(Curves().size(), 2u);
  const std::vector<double> arc = Values(Curves()[1]);
  const int16_t direction = Curves()[1]->subKind;
  const std::string path = t.folder / "arcs.pwk";
  ASSERT_EQ(SaveDocumentFile(*t.doc, path), 0);
  CPlenwickDoc reread(t.folder.path(), t.docUi);
  ASSERT_EQ(OpenDocumentFile(reread, path), 0);
  std::vector<const DrawEntity*> read;
  for (const DrawEntity& e : reread.entities) {
    if (e.kind == kArc) read.push_back(&e);
  }
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(Values(read[0]), arc);
  EXPECT_EQ(read[0]->subKind, direction);

  Command(kCmdUndo);
  ASSERT_EQ(Curves().size(), 1u);
  EXPECT_EQ(Curves()[0]->kind, kCircle);
  EXPECT_GE(t.doc->snapPoints.size(), 4u) << "the circle's quadrant points";
}

}  // namespace
}  // namespace plenwick
