// Guards the polygon tool through pixel events on a headless view: every sub-mode storing its
// figure as one group (a header and its sides, closed, in drawing order) that one undo removes
// and a drawing file keeps; hostile bar settings, degenerate clicks and protected drawings adding
// nothing (and opening no undo step); typed radii and angles; and every ending leaving no
// exclusive-or figure on the screen.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "model/document_file.h"
#include "support/draw_tool_fixture.h"
#include "view/geometry.h"

namespace plenwick {
namespace {

constexpr int kPolyModeCommands[3] = {32829, 32830, 32831};
constexpr const char* kFirstPrompts[3] = {"矩形を作図します。開始位置を指示して下さい。",
                                          "平行四辺形を作図します。基準線 始端を指示して下さい。",
                                          "多角形を作図します。中心点を指示して下さい。"};
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// One stored figure: its header and its sides in list order.
struct Figure {
  const DrawEntity* header = nullptr;
  std::vector<const DrawEntity*> sides;
};

class PolyToolTest : public testing::DrawToolTest {
 protected:
  void Select(int mode) { ASSERT_TRUE(t.router->OnCommand(kPolyModeCommands[mode])); }
  // The settings the test began with.
  void Restore() { s() = start_; }
  void Type(const std::string& text) {
    t.ui.numericAnswers.push_back(text);
    Command(kCmdSpace);
  }
  std::vector<Figure> Figures() const {
    std::vector<Figure> out;
    for (const DrawEntity& e : t.doc->entities) {
      if (e.mark == kMarkDeleted) continue;
      if (e.kind == kGroupHeader) out.push_back({&e, {}});
      if (e.kind == kLine) {
        EXPECT_FALSE(out.empty()) << "a side without its header";
        if (!out.empty()) out.back().sides.push_back(&e);
      }
    }
    return out;
  }
  const ProgramSettings start_ = s();
  // Checks the figure's records and returns its vertices (each side's start).
  std::vector<ModelPoint> Vertices(const Figure& f, ModelPoint reference) {
    const DrawEntity& h = *f.header;
    EXPECT_EQ(h.lineAttr, 0);
    EXPECT_EQ(h.colour, 0);
    EXPECT_EQ(h.layer, s().CurrentLayer);
    EXPECT_GT(h.groupNo, 0);
    EXPECT_EQ(std::vector<double>(h.values.get(), h.values.get() + h.valueCount),
              (std::vector<double>{reference.x, reference.y, 1, 0}));
    EXPECT_EQ(std::vector<int16_t>(h.codes.get(), h.codes.get() + h.valueCount), (std::vector<int16_t>{10, 20, 10, 20}));
    std::vector<ModelPoint> v;
    for (std::size_t i = 0; i < f.sides.size(); ++i) {
      const DrawEntity& side = *f.sides[i];
      const DrawEntity& next = *f.sides[(i + 1) % f.sides.size()];
      EXPECT_EQ(side.owner, f.header);
      EXPECT_EQ(side.groupNo, h.groupNo);
      EXPECT_EQ(side.lineAttr, s().CurrentLineType * 100 + s().CurrentPen);
      EXPECT_EQ(side.colour, s().CurrentColour);
      EXPECT_EQ(std::vector<int16_t>(side.codes.get(), side.codes.get() + 4), (std::vector<int16_t>{10, 20, 11, 22}));
      EXPECT_EQ(side.values[2], next.values[0]) << "each side closes onto the next";
      EXPECT_EQ(side.values[3], next.values[1]);
      v.push_back({side.values[0], side.values[1]});
    }
    return v;
  }
};

void ExpectVertices(const std::vector<ModelPoint>& actual, const std::vector<ModelPoint>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    SCOPED_TRACE("vertex " + std::to_string(i));
    testing::ExpectNear(actual[i], expected[i], 1e-9);
  }
}

TEST_F(PolyToolTest, EveryModeStoresItsFigureAsOneGroup) {
  struct Case {
    const char* what;
    int mode;
    std::function<void()> settings;
    std::vector<ModelPoint> clicks;
    ModelPoint reference;
    std::vector<ModelPoint> vertices;
  } cases[] = {
      {"box by corners, normalised", 0, [] {}, {{150, 80}, {100, 120}}, {150, 80},
       {{100, 80}, {150, 80}, {150, 120}, {100, 120}}},
      {"20 x 10 box centred, angle 0", 0, [] { s().PolyValuesOn = 1, s().BoxWidth = 20, s().BoxHeight = 10; },
       {{100, 100}}, {100, 100}, {{90, 95}, {110, 95}, {110, 105}, {90, 105}}},
      {"20 x 10 box centred, angle 90: the long side vertical", 0,
       [] { s().PolyValuesOn = 1, s().BoxWidth = 20, s().BoxHeight = 10, s().PolyAngle = 90; }, {{100, 100}},
       {100, 100}, {{105, 90}, {105, 110}, {95, 110}, {95, 90}}},
      {"box from its lower left corner", 0,
       [] { s().PolyValuesOn = 1, s().BoxWidth = 20, s().BoxHeight = 10, s().BoxBasePoint = 1; }, {{100, 100}},
       {100, 100}, {{100, 100}, {120, 100}, {120, 110}, {100, 110}}},
      {"parallelogram", 1, [] {}, {{100, 100}, {150, 110}, {120, 140}}, {100, 100},
       {{100, 100}, {150, 110}, {170, 150}, {120, 140}}},
      {"hexagon of radius 10 from the bar: a vertex straight up", 2,
       [] { s().PolyValuesOn = 1, s().PolyVertexCount = 6, s().PolyRadius = 10; }, {{100, 100}}, {100, 100},
       {{100, 110}, {100 - 5 * std::sqrt(3.0), 105}, {100 - 5 * std::sqrt(3.0), 95}, {100, 90},
        {100 + 5 * std::sqrt(3.0), 95}, {100 + 5 * std::sqrt(3.0), 105}}},
      {"square by centre, radius and first vertex", 2, [] { s().PolyVertexCount = 4; },
       {{200, 200}, {230, 240}, {200, 300}}, {200, 200}, {{200, 250}, {150, 200}, {200, 150}, {250, 200}}},
      {"a vertex count the file held outside 3..24 is 3", 2,
       [] { s().PolyValuesOn = 1, s().PolyVertexCount = 0, s().PolyRadius = 10, s().PolyAngle = -90; },
       {{100, 100}}, {100, 100}, {{110, 100}, {95, 100 + 5 * std::sqrt(3.0)}, {95, 100 - 5 * std::sqrt(3.0)}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Restore();
    s().CurrentPen = 3, s().CurrentLineType = 2, s().CurrentColour = 0x123456, s().CurrentLayer = 5;
    c.settings();
    Select(c.mode);
    const std::size_t before = Figures().size();
    t.doc->SetModifiedFlag(false);
    for (const ModelPoint& p : c.clicks) Click(p.x, p.y);
    ASSERT_EQ(Figures().size(), before + 1);
    ExpectVertices(Vertices(Figures().back(), c.reference), c.vertices);
    EXPECT_TRUE(t.doc->IsModified());
    EXPECT_EQ(step(), 0);
    EXPECT_EQ(prompt(), kFirstPrompts[c.mode]);
    EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
  }
}

TEST_F(PolyToolTest, EachStepAsksForItsPoint) {
  const std::vector<std::vector<std::string>> prompts = {
      {"終了位置を指示して下さい。"},
      {"基準線 終端を指示して下さい。", "終了位置を指示して下さい。"},
      {"半径終端を指示して下さい。[マウス右：数値入力／中止]",
       "マウスにて作図方向を指示して下さい。[マウス右：角度入力／中止]"},
  };
  for (int mode = 0; mode < 3; ++mode) {
    Select(mode);
    EXPECT_EQ(prompt(), kFirstPrompts[mode]);
    for (std::size_t i = 0; i < prompts[mode].size(); ++i) {
      Click(100 + 30.0 * i, 100 + 20.0 * i * i);
      EXPECT_EQ(prompt(), prompts[mode][i]);
      EXPECT_EQ(step(), static_cast<int>(i) + 1);
    }
    Move(150, 170);
    EXPECT_GT(XorCount(), 0u) << "the rubber figure follows the mouse";
    Command(kCmdCancel);
  }
  // The bars take the focus in the box and the polygon only.
  for (int mode = 0; mode < 3; ++mode) {
    Select(mode);
    const int before = t.ui.barFocus;
    Command(kCmdFocusOperationBar);
    EXPECT_EQ(t.ui.barFocus, before + (mode == 1 ? 0 : 1));
  }
}

TEST_F(PolyToolTest, TypedRadiusAndAngleMakeThePolygon) {
  s().PolyVertexCount = 4;
  Select(2);
  Click(100, 100);
  Type("5*2");
  EXPECT_EQ(prompt(), "マウスにて作図方向を指示して下さい。[マウス右：角度入力／中止]");
  Type("90");
  ASSERT_EQ(Figures().size(), 1u);
  ExpectVertices(Vertices(Figures()[0], {100, 100}), {{100, 110}, {90, 100}, {100, 90}, {110, 100}});
  // A radius too small, too large or no number keeps the step; an angle that is no number too.
  Click(100, 100);
  for (const char* r : {"0", "0.04", "99999999*99999999*99999999*99999999*99999999*99999999*99999999*99999999"}) Type(r);
  EXPECT_EQ(step(), 1);
  Command(kCmdCancel);
  EXPECT_EQ(Figures().size(), 1u);
}

TEST_F(PolyToolTest, FiguresAreWholeOneUndoStepWithSnapPointsAndSurviveSaving) {
  // A property over random figures of every mode: each is one group of closed sides whose ends
  // are snap points, and one undo takes the last one away whole.
  std::mt19937 random(11);
  std::uniform_int_distribution<int> coordinate(50, 550), mode(0, 2), count(3, 24);
  for (int i = 0; i < 120; ++i) {
    const int m = mode(random);
    s().PolyVertexCount = static_cast<int16_t>(count(random));
    Select(m);
    const std::size_t before = Figures().size();
    const std::size_t records = t.doc->entities.size();
    for (int k = 0; k < (m == 0 ? 2 : 3); ++k) Click(coordinate(random), coordinate(random));
    if (Figures().size() == before) {
      EXPECT_EQ(t.doc->entities.size(), records);
      Command(kCmdCancel);
      continue;
    }
    const Figure f = Figures().back();
    EXPECT_EQ(f.sides.size(), m == 2 ? std::size_t(s().PolyVertexCount) : 4u);
    for (const DrawEntity* side : f.sides) {
      const ModelPoint end{side->values[0], side->values[1]};
      bool snapped = false;
      for (const SnapPoint* p : t.doc->snapPoints.PointsOf(side)) snapped = snapped || (p->x == end.x && p->y == end.y);
      EXPECT_TRUE(snapped) << "a side's end is a snap point";
    }
    if (i % 10 == 0) {
      Command(kCmdUndo);
      EXPECT_EQ(Figures().size(), before);
      EXPECT_EQ(t.doc->entities.size(), records) << "one undo removes the whole figure";
    }
  }
  const std::size_t kept = Figures().size();
  ASSERT_GT(kept, 60u);
  const std::string path = t.folder / "figures.pwk";
  ASSERT_EQ(SaveDocumentFile(*t.doc, path), 0);
  CPlenwickDoc reread(t.folder.path(), t.docUi);
  ASSERT_EQ(OpenDocumentFile(reread, path), 0);
  std::size_t headers = 0, members = 0;
  for (const DrawEntity& e : reread.entities) {
    headers += e.kind == kGroupHeader;
    members += e.kind == kLine && e.owner && e.owner->kind == kGroupHeader && e.groupNo == e.owner->groupNo;
  }
  EXPECT_EQ(headers, kept);
  std::size_t sides = 0;
  for (const Figure& f : Figures()) sides += f.sides.size();
  EXPECT_EQ(members, sides);
}

TEST_F(PolyToolTest, HostileSettingsAndDegenerateClicksAddNothingAndOpenNoStep) {
  Select(0);
  Click(100, 100);
  Click(120, 130);
  ASSERT_EQ(Figures().size(), 1u);
  const std::vector<std::pair<int, std::function<void()>>> hostile = {
      {0, [] { s().BoxWidth = kNaN; }},     {0, [] { s().BoxHeight = kInf; }},
      {0, [] { s().BoxWidth = 0.04f; }},    {0, [] { s().BoxWidth = 3e38f; }},
      {0, [] { s().PolyAngle = kNaN; }},    {2, [] { s().PolyAngle = -kInf; }},
      {2, [] { s().PolyRadius = 0.04f; }},  {2, [] { s().PolyRadius = -kInf; }},
      {2, [] { s().PolyRadius = 3e38f; }},  {2, [] { s().PolyRadius = kNaN; }},
  };
  for (const auto& [mode, set] : hostile) {
    Restore();
    s().PolyValuesOn = 1;
    set();
    Select(mode);
    Click(300, 300);
  }
  Restore();
  // The same pixel twice, a parallelogram's point on its base line, a polygon without radius.
  Select(0);
  Click(300, 300);
  Click(300, 300);
  Command(kCmdCancel);
  Select(1);
  Click(300, 300);
  Click(350, 300);
  Click(400, 300);
  EXPECT_EQ(step(), 2) << "the point on the base line waits for another";
  Command(kCmdCancel);
  Select(2);
  Click(300, 300);
  Click(300, 300);
  Command(kCmdCancel);
  EXPECT_EQ(Figures().size(), 1u);
  Command(kCmdUndo);
  EXPECT_TRUE(Figures().empty()) << "the first figure's step is still the one undo takes back";
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(PolyToolTest, AProtectedDrawingGetsNoHeaderNoSideAndOneMessage) {
  for (int protection : {kWriteProtected, kPasswordProtected}) {
    t.doc->protection = protection;
    t.docUi.messages.clear();
    s().PolyValuesOn = 1;
    Select(2);
    Click(100, 100);
    ASSERT_EQ(t.docUi.messages.size(), 1u);
    EXPECT_EQ(t.docUi.messages[0], protection == kWriteProtected ? kWriteProtectedMessage : kPasswordProtectedMessage);
    EXPECT_TRUE(Figures().empty());
  }
}

TEST_F(PolyToolTest, EveryEndingLeavesNothingOnTheScreen) {
  const std::vector<std::function<void()>> endings = Endings();
  for (int mode = 0; mode < 3; ++mode) {
    for (std::size_t ending = 0; ending < endings.size(); ++ending) {
      for (int clicks = 1; clicks <= 2; ++clicks) {
        SCOPED_TRACE("mode " + std::to_string(mode) + " ending " + std::to_string(ending));
        Select(mode);
        Click(200, 200);
        if (clicks >= 2) Click(240, 210);
        Move(180, 240);
        if (step() == 0) continue;
        endings[ending]();
        EXPECT_EQ(step(), 0);
        EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
      }
    }
  }
}

}  // namespace
}  // namespace plenwick
