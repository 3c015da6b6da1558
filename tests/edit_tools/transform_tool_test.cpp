// Guards the transforming tool through pixel events on a headless view (1 px/mm): the exact
// results of 拡大・縮小 about each reference point (a set without height about the origin, circles
// and arcs by their extent, a negative factor, a dimension made anew), of the three stretches and
// of offsets of circles, chains and loops; the prompts, menus and ways out of every step; refused
// input and protected drawings; and over random drawings that s then 1/s and an offset there and
// back give the records back, and that every edit is one Ctrl+Z whose snap points are those a
// rebuild gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "edit_fixture.h"
#include "model/plenwick_doc.h"
#include "model/undo.h"
#include "tools/edit/offset_geometry.h"
#include "view/snap_registration.h"

namespace plenwick {
namespace {

using testing::ExpectValues;

constexpr int kScaleMode = 32852;
constexpr int kStretchMode = 32853;
constexpr int kOffsetMode = 32854;

class TransformToolTest : public testing::EditToolTest {
 protected:
  void Window(double x1, double y1, double x2, double y2) {
    Move(x1, y1);
    t.router->OnLButtonDown(kMkLButton, Px(x1, y1));
    Move(x2, y2);
    t.router->OnLButtonUp(0, Px(x2, y2));
  }
  // A right click answered with `command` in the context menu.
  void Menu(int command) {
    t.ui.contextAnswer = command;
    RightClick(790, 590);
    t.ui.contextAnswer = 0;
  }
  void Scale(const std::string& factor) {
    t.ui.numericAnswers.push_back(factor);
    Menu(kCmdScaleInput);
  }
  // Ctrl+A then the scale.
  void ScaleAll(const std::string& factor) {
    Command(kCmdSelectAllKey);
    Scale(factor);
  }
  void StretchAll(double baseX, double baseY, const std::string& length) {
    Command(kCmdSelectAllKey);
    Menu(kCmdEndSelection);
    t.ui.numericAnswers.push_back(length);
    Click(baseX, baseY);
  }
  void OffsetAll(double d, double qx, double qy) {
    s().OffsetDistance = static_cast<float>(d);
    Command(kCmdSelectAllKey);
    Menu(kCmdEndSelection);
    Click(qx, qy);
  }
  // Empties the drawing (but for the grid) for the next case.
  void Clear() {
    EntityList& list = t.doc->entities;
    BeginOperation(list, t.doc->snapPoints);
    for (DrawEntity& e : list) {
      if (e.kind != kGrid) e.mark = kMarkDeleted;
    }
    CommitDeletion(list);
    BeginOperation(list, t.doc->snapPoints);
  }
  std::vector<std::vector<double>> All(int16_t kind) const {
    std::vector<std::vector<double>> out;
    for (const DrawEntity* e : Records(kind)) {
      if (!IsDimensionPart(*e)) out.push_back(Values(e));
    }
    std::sort(out.begin(), out.end());
    return out;
  }
  void ExpectAll(int16_t kind, const std::vector<std::vector<double>>& expected) {
    const auto actual = All(kind);
    ASSERT_EQ(actual.size(), expected.size()) << "kind " << kind;
    auto sorted = expected;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i) ExpectValues(actual[i], sorted[i]);
  }
  // The enabled snap points as (kind, x, y), sorted.
  std::vector<std::tuple<double, double, int>> EnabledSnaps() const {
    std::vector<std::tuple<double, double, int>> out;
    for (const SnapPoint* p = t.doc->snapPoints.head(); p; p = p->next) {
      if (p->snapState != kSnapDisabled) out.emplace_back(p->x, p->y, p->pointKind);
    }
    std::sort(out.begin(), out.end());
    return out;
  }
  // Every point of `a` has one of its kind in `b` within 1e-6 mm.
  static bool Covers(const std::vector<std::tuple<double, double, int>>& a,
                     const std::vector<std::tuple<double, double, int>>& b) {
    for (const auto& [x, y, kind] : a) {
      auto it = std::lower_bound(b.begin(), b.end(), std::make_tuple(x - 1e-6, -1e300, -1));
      bool found = false;
      for (; it != b.end() && std::get<0>(*it) <= x + 1e-6 && !found; ++it) {
        found = std::get<2>(*it) == kind && std::fabs(std::get<1>(*it) - y) <= 1e-6;
      }
      if (!found) return false;
    }
    return true;
  }
};

TEST_F(TransformToolTest, ScalesAboutTheBarsPointOfTheSetsBox) {
  const testing::TestDimensionParts parts;
  struct Row {
    const char* name;
    std::function<void()> draw;
    int reference;
    const char* factor;
    int16_t kind;
    std::vector<std::vector<double>> expected;
  };
  const std::vector<Row> rows = {
      {"a set without height scales about the origin", [this] { Add(kLine, {100, 200, 300, 200}); }, 0, "2",
       kLine, {{200, 400, 600, 400}}},
      {"the centre", [this] { Add(kLine, {100, 100, 300, 200}); }, 0, "1/2", kLine, {{150, 125, 250, 175}}},
      {"the lower left", [this] { Add(kLine, {100, 100, 300, 200}); }, 1, "0.5", kLine, {{100, 100, 200, 150}}},
      {"the upper left", [this] { Add(kLine, {100, 100, 300, 200}); }, 2, "0.5", kLine, {{100, 150, 200, 200}}},
      {"a negative factor turns the set half round", [this] { Add(kLine, {100, 100, 300, 200}); }, 0, "-1",
       kLine, {{300, 200, 100, 100}}},
      {"a circle's box is its extent", [this] { Add(kCircle, {300, 300, 50}); }, 1, "2", kCircle,
       {{350, 350, 100}}},
      {"an arc's box is what it sweeps", [this] { Add(kArc, {200, 200, 100, 0, 90}, 1); }, 1, "0.5", kArc,
       {{200, 200, 50, 0, 90}}},
      {"a text's sizes scale", [this] { Add(kText, {100, 100, 10, 5, 30}); Add(kPoint, {200, 300}); }, 1, "2",
       kText, {{100, 100, 20, 10, 30}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    row.draw();
    s().ScaleReference = static_cast<int16_t>(row.reference);
    Command(kScaleMode);
    ScaleAll(row.factor);
    ExpectAll(row.kind, row.expected);
    EXPECT_EQ(Marked(kMarkSelected), 0);
    EXPECT_EQ(prompt(), "図形の拡大・縮小を行います。対象図形を選んでください。");
    // One step: Ctrl+Z takes all of it back.
    Command(kCmdUndo);
    const std::vector<std::vector<double>> before = All(row.kind);
    Command(kCmdUndo);
    EXPECT_NE(All(row.kind), before);
    Clear();
  }

  // A dimension is made anew with its parts, never moved by them: the part the generator makes is
  // (0, 0)–(1, 1) whatever the scale.
  const double values[] = {0, 400, 400};
  const int16_t codes[] = {30, 40, 41};
  t.doc->AddDocumentEntity({kDimension, 0, 0, 0, 3}, nullptr, codes, 0, values, nullptr);
  ScaleAll("0.5");
  ASSERT_EQ(Records(kDimension).size(), 1u);
  ExpectValues(Values(Records(kDimension)[0]), {0, 200, 200});
  ASSERT_EQ(Records(kLine).size(), 1u);
  ExpectValues(Values(Records(kLine)[0]), {0, 0, 1, 1});
  EXPECT_EQ(Records(kLine)[0]->owner, Records(kDimension)[0]);
}

TEST_F(TransformToolTest, StretchesWholePartlyAndLinked) {
  const std::vector<std::vector<double>> box = {
      {100, 100, 300, 100}, {300, 100, 300, 200}, {300, 200, 100, 200}, {100, 200, 100, 100}};
  const std::vector<std::vector<std::vector<double>>> expected = {
      // 全体: the bar's centre stays; the base line's 200 became 300.
      {{50, 75, 350, 75}, {350, 75, 350, 225}, {350, 225, 50, 225}, {50, 225, 50, 75}},
      // 部分: the base line's right end goes; the first line at it follows.
      {{100, 100, 400, 100}, {400, 100, 300, 200}, {300, 200, 100, 200}, {100, 200, 100, 100}},
      // 部分連動: everything at that end or beyond it moves along.
      {{100, 100, 400, 100}, {400, 100, 400, 200}, {400, 200, 100, 200}, {100, 200, 100, 100}},
  };
  Command(kStretchMode);
  for (int mode = 0; mode < 3; ++mode) {
    SCOPED_TRACE("mode " + std::to_string(mode));
    s().StretchMode = static_cast<int16_t>(mode);
    for (const auto& l : box) Add(kLine, l);
    Command(kCmdSelectAllKey);
    EXPECT_EQ(prompt(), "マウス右ボタンで、ストレッチメニューを表示します。");
    Menu(kCmdEndSelection);
    EXPECT_EQ(t.ui.contextMenus.back().first, kMenuEndSelection);
    EXPECT_EQ(prompt(), "ストレッチの基準となる直線をマウスクリックしてください。");
    EXPECT_EQ(step(), 1);
    t.ui.numericAnswers.push_back("300");
    Click(200, 100);
    EXPECT_EQ(t.ui.numericKinds.back(), 10);
    EXPECT_EQ(t.ui.numericInitialTexts.back(), "200");
    ExpectAll(kLine, expected[static_cast<std::size_t>(mode)]);
    EXPECT_EQ(step(), 0);
    EXPECT_EQ(Marked(kMarkSelected), 0);
    EXPECT_EQ(prompt(), "ストレッチを行います。対象図形を選んでください。");
    Command(kCmdUndo);
    ExpectAll(kLine, box);
    Clear();
  }

  // An arc at the moving end keeps its bulge: a half circle stays a half circle.
  s().StretchMode = 1;
  Add(kLine, {100, 100, 300, 100});
  Add(kArc, {300, 150, 50, 270, 90}, 1);
  StretchAll(150, 100, "300");
  ExpectAll(kLine, {{100, 100, 400, 100}});
  ASSERT_EQ(All(kArc).size(), 1u);
  const std::vector<double> arc = All(kArc)[0];
  ExpectValues({arc[0], arc[1], arc[2]}, {350, 150, std::sqrt(5000.0)});
}

TEST_F(TransformToolTest, OffsetsCirclesChainsAndLoops) {
  Command(kOffsetMode);
  // A circle: inside, on it and outside.
  for (const auto& [q, radius] : std::vector<std::pair<double, double>>{{400, 45}, {450, 45}, {470, 55}}) {
    DrawEntity* c = Add(kCircle, {400, 300, 50});
    OffsetAll(5, q, 300);
    ExpectAll(kCircle, {{400, 300, 50}, {400, 300, radius}});
    EXPECT_EQ(Records(kCircle).back()->lineAttr, c->lineAttr);
    Command(kCmdUndo);
    ExpectAll(kCircle, {{400, 300, 50}});
    (void)c;
    Clear();
  }

  // Four lines offset by 5 outward and inward: their corners meet.
  const std::vector<std::vector<double>> square = {
      {100, 100, 200, 100}, {200, 100, 200, 200}, {200, 200, 100, 200}, {100, 200, 100, 100}};
  for (const auto& l : square) Add(kLine, l);
  s().OffsetDistance = 5;
  Command(kCmdSelectAllKey);
  Menu(kCmdEndSelection);
  EXPECT_EQ(prompt(), "オフセットする閉領域の中か外をクリックしてください。");
  Click(60, 60);
  auto outward = square;
  outward.insert(outward.end(), {{95, 95, 205, 95}, {205, 95, 205, 205}, {205, 205, 95, 205}, {95, 205, 95, 95}});
  ExpectAll(kLine, outward);
  Command(kCmdUndo);
  OffsetAll(5, 150, 160);
  auto inward = square;
  inward.insert(inward.end(), {{105, 105, 195, 105}, {195, 105, 195, 195}, {195, 195, 105, 195}, {105, 195, 105, 105}});
  ExpectAll(kLine, inward);
  EXPECT_EQ(prompt(), "図形のオフセットを行います。対象図形を選んでください。");
  Command(kCmdUndo);
  // An inward offset wider than the region vanishes: a beep, nothing added.
  const int beeps = t.ui.beeps;
  OffsetAll(60, 150, 150);
  EXPECT_EQ(t.ui.beeps, beeps + 1);
  ExpectAll(kLine, square);
  Clear();

  // An open chain, a line then a quarter arc tangent to it, walked from the line's free end; the
  // line is shown red while the side is awaited.
  Add(kLine, {100, 400, 200, 400});
  Add(kArc, {200, 450, 50, 270, 0}, 1);
  s().OffsetDistance = 5;
  Command(kCmdSelectAllKey);
  Menu(kCmdEndSelection);
  EXPECT_EQ(prompt(), "赤表示された図形を基準にオフセット位置をクリックしてください。");
  EXPECT_EQ(LastSolidColour(), HighlightColour());
  Click(150, 420);
  ExpectAll(kLine, {{100, 400, 200, 400}, {100, 405, 200, 405}});
  ExpectAll(kArc, {{200, 450, 45, 270, 0}, {200, 450, 50, 270, 0}});
  Command(kCmdUndo);
  OffsetAll(5, 150, 380);
  ExpectAll(kLine, {{100, 395, 200, 395}, {100, 400, 200, 400}});
  ExpectAll(kArc, {{200, 450, 50, 270, 0}, {200, 450, 55, 270, 0}});
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(TransformToolTest, StepsPromptsAndTheWaysOut) {
  Add(kLine, {100, 100, 300, 100});
  Add(kCircle, {400, 400, 30});
  const std::string before = Dump();
  const int first[] = {kScaleMode, kStretchMode, kOffsetMode};
  const char* prompts[] = {"マウス右ボタンで、拡大・縮小メニューを表示します。",
                           "マウス右ボタンで、ストレッチメニューを表示します。",
                           "マウス右ボタンで、オフセットメニューを表示します。"};
  for (int mode = 0; mode < 3; ++mode) {
    for (int way = 0; way < 4; ++way) {
      SCOPED_TRACE("mode " + std::to_string(mode) + " way " + std::to_string(way));
      Command(first[mode]);
      Window(50, 50, 350, 150);  // the line
      EXPECT_EQ(Marked(kMarkSelected), 1);
      EXPECT_EQ(prompt(), prompts[mode]);
      Click(370, 400);  // the circle joins by a pick
      EXPECT_EQ(Marked(kMarkSelected), 2);
      if (mode > 0) {
        Menu(kCmdEndSelection);
        EXPECT_EQ(step(), 1);
      }
      if (way == 0) Command(kCmdCancel);
      if (way == 1) RightClick(700, 500);
      if (way == 2) Command(32801);  // 図形選択
      if (way == 3) Menu(mode == 0 ? kCmdScaleInput : kCmdCancel);  // the dialog or the menu cancelled
      if (!(way == 1 && mode == 0)) {  // a dismissed menu keeps the set
        EXPECT_EQ(Marked(kMarkSelected), 0);
        EXPECT_EQ(step(), 0);
      }
      Command(kCmdCancel);
      EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
      EXPECT_NE(LastSolidColour(), HighlightColour());
    }
  }
  EXPECT_EQ(Dump(), before);
  // A second pick lets a record go; the window's rubber figure goes with the release.
  Command(kScaleMode);
  Click(200, 100);
  Click(200, 100);
  EXPECT_EQ(Marked(kMarkSelected), 0);
  EXPECT_EQ(prompt(), "図形の拡大・縮小を行います。対象図形を選んでください。");
  Window(50, 50, 350, 150);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
  Menu(kCmdScaleInput);  // no answer: the dialog is cancelled
  EXPECT_EQ(Marked(kMarkSelected), 0);
  EXPECT_EQ(t.ui.numericKinds.back(), 9);
}

TEST_F(TransformToolTest, RefusedInputChangesNothing) {
  Add(kLine, {100, 100, 300, 100});
  Add(kLine, {500, 200, 500, 200.04});  // shorter than a base line may be
  Add(kCircle, {400, 400, 30});
  const std::string before = Dump();
  struct Row {
    const char* name;
    std::function<void()> act;
    int beeps;
    std::vector<std::string> messages;  // of the tool, then of the document
  };
  const std::vector<Row> rows = {
      {"factor 0", [this] { Command(kScaleMode); ScaleAll("0"); }, 1, {}},
      {"a factor a file cannot hold", [this] { Command(kScaleMode); ScaleAll("99999999*99999999"); }, 0,
       {"図形が作図できる範囲を超えるため、処理を中止しました。"}},
      {"a bad character, then nothing", [this] { Command(kScaleMode); ScaleAll("2a"); }, 0,
       {"入力文字に誤りがあります。[0-9 . +-*/]"}},
      {"a base line under 0.05", [this] { Command(kStretchMode); StretchAll(500, 200, "5"); }, 1, {}},
      {"no line under the click", [this] { Command(kStretchMode); StretchAll(600, 500, "5"); }, 1, {}},
      {"a new length of 0", [this] { Command(kStretchMode); StretchAll(200, 100, "0"); }, 1, {}},
      {"a negative length", [this] { Command(kStretchMode); StretchAll(200, 100, "-5"); }, 1, {}},
      {"the same length", [this] { Command(kStretchMode); StretchAll(200, 100, "200.04"); }, 0, {}},
      {"offset 0", [this] { Command(kOffsetMode); OffsetAll(0, 500, 500); }, 1, {}},
      {"a negative offset", [this] { Command(kOffsetMode); OffsetAll(-5, 500, 500); }, 1, {}},
      {"protected: scale",
       [this] {
         t.doc->protection = kWriteProtected;
         Command(kScaleMode);
         ScaleAll("2");
       },
       0, {std::string(kWriteProtectedMessage)}},
      {"protected: stretch",
       [this] {
         t.doc->protection = kWriteProtected;
         Command(kStretchMode);
         StretchAll(200, 100, "250");
       },
       0, {std::string(kWriteProtectedMessage)}},
      {"protected: offset",
       [this] {
         t.doc->protection = kWriteProtected;
         Command(kOffsetMode);
         OffsetAll(5, 500, 500);
       },
       0, {std::string(kWriteProtectedMessage)}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const int beeps = t.ui.beeps;
    t.ui.messages.clear();
    t.docUi.messages.clear();
    row.act();
    Command(kCmdCancel);
    t.ui.numericAnswers.clear();
    t.doc->protection = 0;
    EXPECT_EQ(t.ui.beeps - beeps, row.beeps);
    std::vector<std::string> messages = t.ui.messages;
    messages.insert(messages.end(), t.docUi.messages.begin(), t.docUi.messages.end());
    EXPECT_EQ(messages, row.messages);
    EXPECT_EQ(Dump(), before);
  }
}

TEST_F(TransformToolTest, ScalingThereAndBackAndOffsettingThereAndBackRestore) {
  // s then 1/s by the tool over random drawings, about each reference point.
  const testing::TestDimensionParts parts;
  std::mt19937 random(14);
  const std::vector<std::pair<std::string, std::string>> factors = {
      {"2", "0.5"}, {"3", "1/3"}, {"-2", "-0.5"}, {"1.5", "1/1.5"}, {"0.25", "4"}, {"7", "1/7"}};
  Command(kScaleMode);
  auto layerZero = [&] {
    std::vector<std::pair<int, std::vector<double>>> out;
    for (const DrawEntity& e : t.doc->entities) {
      if (e.layer == 0 && e.kind != kGrid) out.emplace_back(e.kind, Values(&e));
    }
    return out;
  };
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    Populate(random, 40);
    const auto& [there, back] = factors[random() % factors.size()];
    // A half turn moves a corner of the box: only the centre stays.
    s().ScaleReference = static_cast<int16_t>(there[0] == '-' ? 0 : random() % 3);
    const auto before = layerZero();
    ScaleAll(there);
    ScaleAll(back);
    const auto after = layerZero();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
      ASSERT_EQ(after[i].first, before[i].first);
      ASSERT_EQ(after[i].second.size(), before[i].second.size());
      for (std::size_t k = 0; k < before[i].second.size(); ++k) {
        double diff = std::fabs(after[i].second[k] - before[i].second[k]);
        if (before[i].first == kArc && k >= 3) diff = std::min(diff, 360 - diff);
        EXPECT_LE(diff, 1e-9) << "record " << i << " value " << k;
      }
    }
  }

  // An offset by d then by −d of its result: random open chains of lines and random circles.
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE("chain " + std::to_string(round));
    Clear();
    std::vector<ModelPoint> corners{{100, 300}};
    double heading = std::uniform_real_distribution<double>(0, 360)(random);
    const int n = 2 + int(random() % 6);
    for (int i = 0; i < n; ++i) {
      heading += (random() % 2 ? 1 : -1) * std::uniform_real_distribution<double>(20, 160)(random);
      const double length = std::uniform_real_distribution<double>(20, 60)(random);
      corners.push_back({corners.back().x + length * std::cos(DegreesToRadians(heading)),
                         corners.back().y + length * std::sin(DegreesToRadians(heading))});
    }
    std::vector<const DrawEntity*> lines;
    for (std::size_t i = 0; i + 1 < corners.size(); ++i) {
      lines.push_back(Add(kLine, {corners[i].x, corners[i].y, corners[i + 1].x, corners[i + 1].y}));
    }
    const double d = std::uniform_real_distribution<double>(0.5, 5)(random);
    const int side = random() % 2 ? 1 : -1;
    const PieceNetwork network(lines);
    const Chain chain = network.ChainThrough(*lines[random() % lines.size()], 100);
    ASSERT_FALSE(chain.closed);
    ASSERT_EQ(chain.pieces.size(), lines.size());
    const auto there = OffsetChain(chain, side, d);
    if (!there) continue;  // a short piece between sharp turns vanished
    std::vector<const DrawEntity*> copies;
    for (const OffsetRecord& r : *there) copies.push_back(Add(kLine, r.geometry.values));
    const PieceNetwork copied(copies);
    const auto back = OffsetChain(copied.ChainThrough(*copies[0], 100), -side, d);
    ASSERT_TRUE(back.has_value());
    ASSERT_EQ(back->size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      for (std::size_t k = 0; k < 4; ++k) EXPECT_NEAR(back->at(i).geometry.values[k], lines[i]->values[k], 1e-9);
    }
    const DrawEntity* circle = Add(kCircle, {300, 300, std::uniform_real_distribution<double>(6, 80)(random)});
    const ModelPoint q{300 + std::uniform_real_distribution<double>(-200, 200)(random), 300};
    const auto grown = OffsetRound(*circle, q, d);
    ASSERT_TRUE(grown.has_value());
    const DrawEntity* copy = Add(kCircle, grown->values);
    const bool inside = std::fabs(q.x - 300) <= circle->values[2];
    const auto again = OffsetRound(*copy, inside ? ModelPoint{1000, 300} : ModelPoint{300, 300}, d);
    ASSERT_TRUE(again.has_value());
    EXPECT_NEAR(again->values[2], circle->values[2], 1e-9);
  }
}

TEST_F(TransformToolTest, RandomEditsAreOneStepWithTheSnapPointsARebuildGives) {
  const testing::TestDimensionParts parts;
  std::mt19937 random(17);
  int edits = 0;
  const char* factors[] = {"2", "0.5", "-1", "3/2", "0"};
  const char* lengths[] = {"50", "300", "1", "0"};
  for (int round = 0; round < 300; ++round) {
    // A new drawing each round: offsets of whole drawings would double it.
    Clear();
    Populate(random, 30);
    const int mode = int(random() % 3);
    SCOPED_TRACE("round " + std::to_string(round) + " mode " + std::to_string(mode));
    Command(kScaleMode + mode);
    s().ScaleReference = static_cast<int16_t>(random() % 3);
    s().StretchMode = static_cast<int16_t>(random() % 3);
    s().OffsetDistance = random() % 2 ? 5.0f : 12.5f;
    const std::string before = Dump();
    const auto beforeOrder = Order();
    if (random() % 3 == 0) {
      Command(kCmdSelectAllKey);
    } else {
      const double x = RandomCoordinate(random), y = RandomCoordinate(random);
      Window(x, y, x + 60 + random() % 200, y + 60 + random() % 200);
    }
    std::vector<ModelPoint> lineMiddles;
    for (const DrawEntity& e : t.doc->entities) {
      if (e.kind == kLine && !e.owner) lineMiddles.push_back({(e.values[0] + e.values[2]) / 2, (e.values[1] + e.values[3]) / 2});
    }
    if (mode == 0) {
      Scale(factors[random() % 5]);
    } else {
      Menu(kCmdEndSelection);
      t.ui.numericAnswers.push_back(lengths[random() % 4]);
      ModelPoint p{RandomCoordinate(random), RandomCoordinate(random)};
      if (mode == 1 && !lineMiddles.empty()) p = lineMiddles[random() % lineMiddles.size()];
      Click(p.x, p.y);
    }
    Command(kCmdCancel);
    t.ui.numericAnswers.clear();
    const std::string edited = Dump();
    if (edited == before) continue;
    ++edits;
    const auto snaps = EnabledSnaps();
    const auto editedOrder = Order();
    Command(kCmdUndo);
    ASSERT_EQ(Dump(), before);
    ASSERT_EQ(Order(), OrderAfterUndo(beforeOrder, editedOrder));
    Command(kCmdUndo);
    ASSERT_EQ(Dump(), edited);
    ASSERT_EQ(EnabledSnaps(), snaps);
    RebuildSnapPoints(t.doc->snapPoints, t.doc->entities);
    const auto rebuilt = EnabledSnaps();
    EXPECT_TRUE(Covers(snaps, rebuilt) && Covers(rebuilt, snaps));
  }
  EXPECT_GT(edits, 80);  // about a third of the rounds change the drawing
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(TransformToolTest, ALargeSetRepaintsOnceAndMeetsTheDrawingAsOneBlock) {
  std::mt19937 random(3);
  for (int i = 0; i < 400; ++i) {
    Add(kLine, {RandomCoordinate(random), RandomCoordinate(random), RandomCoordinate(random), RandomCoordinate(random)});
  }
  Command(kScaleMode);
  Command(kCmdSelectAllKey);
  t.host.invalidated.clear();
  const std::size_t drawn = t.host.canvas.primitives().size();
  Scale("1/2");
  EXPECT_EQ(t.host.invalidated.size(), 1u);
  EXPECT_EQ(t.host.canvas.primitives().size(), drawn);
  EXPECT_EQ(Records(kLine).size(), 400u);
  // The new records met each other and the drawing as one block: the points a rebuild gives.
  const auto snaps = EnabledSnaps();
  Command(kCmdUndo);
  Command(kCmdUndo);
  EXPECT_EQ(EnabledSnaps(), snaps);
  RebuildSnapPoints(t.doc->snapPoints, t.doc->entities);
  const auto rebuilt = EnabledSnaps();
  EXPECT_TRUE(Covers(snaps, rebuilt) && Covers(rebuilt, snaps));
  EXPECT_EQ(snaps.size(), rebuilt.size());
}

}  // namespace
}  // namespace plenwick
