// Guards the curve tool through pixel events on a headless view: control-point curves finished by
// a right click or at their 40th point, arc chains whose arcs pass their points and share their
// ends, freehand curves stored up to 3000 points and refused beyond, their trace kept through
// repaints and taken off when it is discarded, and one undo per element.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/draw_tool_fixture.h"
#include "view/geometry.h"

namespace plenwick {
namespace {

constexpr int kCurveModeCommands[3] = {32821, 32822, 32823};

class CurveToolTest : public testing::DrawToolTest {
 protected:
  void Select(int mode) { ASSERT_TRUE(t.router->OnCommand(kCurveModeCommands[mode])); }
  std::vector<const DrawEntity*> Elements(int16_t kind) const {
    std::vector<const DrawEntity*> out;
    for (const DrawEntity& e : t.doc->entities) {
      if (e.kind == kind && e.mark != kMarkDeleted) out.push_back(&e);
    }
    return out;
  }
  static std::vector<double> Values(const DrawEntity* e) { return {e->values.get(), e->values.get() + e->valueCount}; }
  // A press at the first point, a move to each of the others, and the release at the last.
  void Drag(const std::vector<ModelPoint>& path) {
    t.router->OnLButtonDown(kMkLButton, Px(path[0].x, path[0].y));
    for (std::size_t i = 1; i < path.size(); ++i) t.router->OnMouseMove(kMkLButton, Px(path[i].x, path[i].y));
    t.router->OnLButtonUp(0, Px(path.back().x, path.back().y));
  }
};

TEST_F(CurveToolTest, ControlPointCurvesEndAtARightClickOrTheirFortiethPoint) {
  Select(0);
  EXPECT_EQ(prompt(), "ベジェ曲線を作図します。開始点を指示して下さい。");
  Click(100, 100);
  EXPECT_EQ(prompt(), "次のポイントを指示して下さい。[マウス右クリック/中止]");
  Click(150, 200);
  EXPECT_EQ(prompt(), "次のポイントを指示して下さい。[マウス右クリック/終了]");
  Click(200, 100);
  Move(260, 150);
  RightClick(260, 150);
  ASSERT_EQ(Elements(kBezierCurve).size(), 1u);
  const DrawEntity* curve = Elements(kBezierCurve)[0];
  EXPECT_EQ(Values(curve), (std::vector<double>{100, 100, 150, 200, 200, 100}));
  EXPECT_EQ(std::vector<int16_t>(curve->codes.get(), curve->codes.get() + 6), (std::vector<int16_t>{10, 20, 10, 20, 10, 20}));
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});

  // One point is no curve.
  Click(100, 100);
  RightClick(100, 100);
  EXPECT_EQ(t.ui.beeps, 1);
  EXPECT_EQ(Elements(kBezierCurve).size(), 1u);

  // The 40th point is kept, then the limit is told.
  for (int i = 0; i < 40; ++i) Click(50 + 10 * i, 100 + (i % 2) * 50);
  ASSERT_EQ(Elements(kBezierCurve).size(), 2u);
  EXPECT_EQ(Elements(kBezierCurve)[1]->valueCount, 80);
  EXPECT_EQ(t.ui.messages.back(), "曲線の構成点は、40点以内で作図してください！");
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(CurveToolTest, ChainedArcsPassTheirPointsAndShareTheirEnds) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> coordinate(50, 550);
  auto randomPoint = [&] { return ModelPoint{double(coordinate(random)), double(coordinate(random))}; };
  Select(1);
  ModelPoint start = randomPoint();
  Click(start.x, start.y);
  int refused = 0;
  for (int i = 0; i < 200; ++i) {
    const ModelPoint through = randomPoint(), end = randomPoint();
    const std::size_t before = Elements(kArc).size();
    Click(through.x, through.y);
    Click(end.x, end.y);
    if (Elements(kArc).size() == before) {
      // Collinear: the start and the through-point stay, waiting for another end.
      ++refused;
      EXPECT_EQ(t.ui.messages.back(), "三点指定に誤りがあります。");
      EXPECT_EQ(step(), 2);
      const ModelPoint other{through.x + 7, through.y + 3};
      Click(other.x, other.y);
      ASSERT_EQ(Elements(kArc).size(), before + 1);
      start = other;
      continue;
    }
    const std::vector<double> v = Values(Elements(kArc).back());
    const ModelPoint centre{v[0], v[1]};
    ModelPoint arcStart, arcEnd;
    ArcEndPoints(centre, v[2], v[3], v[4], &arcStart, &arcEnd);
    EXPECT_LT(Distance(arcStart, start), 1e-6) << "each arc starts where the last one ended";
    EXPECT_LT(Distance(arcEnd, end), 1e-6);
    EXPECT_EQ(IsOnArc(Elements(kArc).back()->subKind, through, arcStart, arcEnd, centre, v[2]), 0);
    EXPECT_EQ(prompt(), "第２端を指示して下さい。[マウス右クリック/中止]");
    start = end;
  }
  RightClick(300, 300);
  EXPECT_EQ(prompt(), "連続円弧を作図します。始端を指示して下さい。");
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
  // One undo takes one arc.
  const std::size_t arcs = Elements(kArc).size();
  Command(kCmdUndo);
  EXPECT_EQ(Elements(kArc).size(), arcs - 1);
}

TEST_F(CurveToolTest, FreeCurvesKeepEveryMovedPointUpToThreeThousand) {
  Select(2);
  EXPECT_EQ(prompt(), "マウスドラッグで、自由曲線を作図します。");
  auto path = [](int points) {
    std::vector<ModelPoint> p;
    for (int i = 0; i < points; ++i) p.push_back({100.0 + i % 400, 100 + (i / 400) * 5.0});
    return p;
  };
  Drag(path(3000));
  ASSERT_EQ(Elements(kFreeCurve).size(), 1u);
  EXPECT_EQ(Elements(kFreeCurve)[0]->valueCount, 6000);
  EXPECT_EQ(prompt(), "次のポイントを指示して下さい。[マウス右クリック/終了]");

  t.host.invalidated.clear();
  Drag(path(3001));
  EXPECT_EQ(Elements(kFreeCurve).size(), 1u);
  EXPECT_EQ(t.ui.beeps, 1);
  EXPECT_EQ(t.ui.messages.back(), "自由曲線の作図要素が3000個を超えました。この曲線データは保存できません。");
  ASSERT_FALSE(t.host.invalidated.empty()) << "the discarded trace is painted over";
  const PixelRect dirty = t.host.invalidated.back();
  EXPECT_LE(dirty.left, 100);
  EXPECT_GE(dirty.right, 499);

  // A press without moves adds nothing; one undo takes the curve back.
  Drag({{300, 300}});
  EXPECT_EQ(Elements(kFreeCurve).size(), 1u);
  Command(kCmdUndo);
  EXPECT_TRUE(Elements(kFreeCurve).empty());
}

TEST_F(CurveToolTest, TheTraceSurvivesARepaintWhileDragging) {
  Select(2);
  t.router->OnLButtonDown(kMkLButton, Px(300, 300));
  for (int x = 301; x <= 400; ++x) t.router->OnMouseMove(kMkLButton, Px(x, 300 + (x % 7)));
  // Pieces of the trace drawn in copy mode since the client was last filled whole.
  auto traced = [&] {
    int n = 0;
    for (const RecordedPrimitive& p : SinceWholeFill()) {
      n += p.drawMode == DrawMode::kCopy && p.op != CanvasOp::kFillRect && !p.points.empty() &&
           std::all_of(p.points.begin(), p.points.end(),
                       [](PixelPoint q) { return q.x >= 300 && q.x <= 400 && q.y >= 293 && q.y <= 300; });
    }
    return n;
  };
  EXPECT_GT(traced(), 0);
  t.host.Invalidate(nullptr);
  t.PaintInvalidated();
  EXPECT_GT(traced(), 0) << "drawn again after the whole client was painted";
  t.router->OnLButtonUp(0, Px(400, 300));
  ASSERT_EQ(Elements(kFreeCurve).size(), 1u);
  EXPECT_EQ(Elements(kFreeCurve)[0]->valueCount, 202);
}

}  // namespace
}  // namespace plenwick
