// Guards the parts placement through pixel events on a headless view: over random scales, angles
// and base positions every kind of element lands where p' = click + s·Rot(a)·(p − base) puts it
// (worked out here with sines and cosines, not through the program's transform), with the sizes
// the placement gives (radius and text height × s, text width kept, leader width × s), as one
// group on the current layer that one undo takes away; a dimension comes once, its parts made anew; a turn of 0.004° is none; a lone
// horizontal line is placed by its own base; an empty buffer beeps and adds nothing. A selection
// registered as a part in each format, read back as the browser reads it and placed, comes out as
// the same geometry moved; one that cannot be written is reported and registers nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "dimensions/dimension_records.h"
#include "exchange/part_files.h"
#include "model/entity_core.h"
#include "support/draw_tool_fixture.h"
#include "support/scoped_temp_folder.h"
#include "support/entity_builders.h"
#include "tools/draw/part_placement.h"

namespace plenwick {
namespace {

using testing::AddCircle;
using testing::AddGroupHeader;
using testing::AddLine;
using testing::AddText;

DrawEntity* AddValues(EntityList& list, int16_t kind, int16_t subKind, std::vector<double> v, bool codes = true) {
  std::vector<int16_t> c(v.size(), 10);
  DrawEntity* e = nullptr;
  AddEntity({kind, subKind, 0, 0, static_cast<int16_t>(v.size())}, nullptr, list, codes ? c.data() : nullptr, 0, v.data(),
            kind == kLeaderText ? "A" : nullptr, &e);
  return e;
}

// A leader text: position, height, width, angle and the leader's points.
constexpr double kLeader[] = {30, 30, 4, 3, 15, 25, 25, 20, 22, 18, 19};

// A part of one element of each placed kind, one of them in a group of its own.
void FillPart(EntityList& list) {
  AddValues(list, kPoint, 0, {10, 20});
  AddLine(list, 0, 0, 40, 10);
  AddCircle(list, 20, 5, 7);
  AddValues(list, kArc, 1, {5, 5, 4, 30, 200});
  AddText(list, "T", nullptr, 12, 8);
  AddValues(list, kLeaderText, 0, std::vector<double>(std::begin(kLeader), std::end(kLeader)));
  AddValues(list, kPolygon, 0, {0, 0, 10, 0, 5, 12}, false);
  DrawEntity* header = AddGroupHeader(list);
  DrawEntity* member = AddLine(list, -5, -5, 0, 30);
  member->owner = header;
  AddValues(list, kGrid, 1, {0, 0, 10});
}

class InportToolTest : public testing::DrawToolTest {
 protected:
  InportToolTest() {
    t.tools->SetPartsBrowserAvailable(true);
    Command(kCmdPartsData);
  }
  ~InportToolTest() override {
    PartPlacement& p = CurrentPartPlacement();
    p.Clear();
    p.scale = 1, p.angle = 0, p.base = PartBase::kCentre;
  }
  int LiveCount() const {
    int n = 0;
    for (const DrawEntity& e : t.doc->entities) n += e.mark != kMarkDeleted;
    return n;
  }
  std::vector<const DrawEntity*> Placed(const DrawEntity** header) const {
    std::vector<const DrawEntity*> all;
    *header = nullptr;
    for (const DrawEntity& e : t.doc->entities) {
      if (e.kind == kGroupHeader) *header = &e, all.clear();
      else all.push_back(&e);
    }
    return all;
  }
  std::mt19937 rng{16};
  double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }
};

struct Expected {
  ModelPoint at, base;
  double s, a;  // a in radians
  ModelPoint Map(double x, double y) const {
    const double dx = x - base.x, dy = y - base.y;
    return {at.x + s * (dx * std::cos(a) - dy * std::sin(a)), at.y + s * (dx * std::sin(a) + dy * std::cos(a))};
  }
};

void ExpectPoint(const DrawEntity& e, int i, ModelPoint p) {
  EXPECT_NEAR(e.Value(i), p.x, 1e-9) << "kind " << e.kind << " value " << i;
  EXPECT_NEAR(e.Value(i + 1), p.y, 1e-9) << "kind " << e.kind << " value " << i;
}

double Direction(ModelPoint c, ModelPoint p) {
  const double d = std::atan2(p.y - c.y, p.x - c.x) * 180 / kPi;
  return d < 0 ? d + 360 : d;
}

TEST_F(InportToolTest, EveryKindLandsWhereTheBaseGoesToTheClickScaledAndTurned) {
  PartPlacement& part = CurrentPartPlacement();
  FillPart(part.buffer);
  part.Measure();
  ASSERT_TRUE(part.extents);
  // The arc from 30° to 200° reaches left to x = 1 and up to y = 9 and the group member to x = −5.
  EXPECT_EQ(part.extents->xmin, -5);
  s().CurrentLayer = 7;
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE(round);
    part.base = static_cast<PartBase>(round % 3);
    part.scale = round == 0 ? 1 : Uniform(0.01, 5);
    part.angle = round == 1 ? 0.004 : round == 2 ? 0 : Uniform(-360, 360);
    const ModelPoint at{std::round(Uniform(100, 500)), std::round(Uniform(100, 500))};
    const ModelRect& x = *part.extents;
    const ModelPoint base = part.base == PartBase::kCentre      ? ModelPoint{(x.xmin + x.xmax) / 2, (x.ymin + x.ymax) / 2}
                            : part.base == PartBase::kLowerLeft ? ModelPoint{x.xmin, x.ymin}
                                                                : ModelPoint{x.xmin, x.ymax};
    const double turn = std::fabs(part.angle) < 0.005 ? 0 : part.angle;
    const Expected m{at, base, part.scale, turn * kPi / 180};
    const int before = LiveCount();
    Click(at.x, at.y);
    const DrawEntity* header = nullptr;
    const std::vector<const DrawEntity*> placed = Placed(&header);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(std::vector<double>(header->values.get(), header->values.get() + 4),
              (std::vector<double>{base.x, base.y, part.scale, part.angle}));
    ASSERT_EQ(placed.size(), 8u);  // the grid and the part's own group header stay behind
    for (const DrawEntity* e : placed) {
      EXPECT_EQ(e->owner, header);
      EXPECT_EQ(e->groupNo, header->groupNo);
      EXPECT_EQ(e->layer, 7);
    }
    ExpectPoint(*placed[0], 0, m.Map(10, 20));
    ExpectPoint(*placed[1], 0, m.Map(0, 0));
    ExpectPoint(*placed[1], 2, m.Map(40, 10));
    ExpectPoint(*placed[2], 0, m.Map(20, 5));
    EXPECT_NEAR(placed[2]->Value(2), 7 * m.s, 1e-9);
    const DrawEntity& arc = *placed[3];
    const ModelPoint c = m.Map(5, 5);
    ExpectPoint(arc, 0, c);
    EXPECT_NEAR(arc.Value(2), 4 * m.s, 1e-9);
    const double r30 = 30 * kPi / 180, r200 = 200 * kPi / 180;
    EXPECT_NEAR(arc.Value(3), Direction(c, m.Map(5 + 4 * std::cos(r30), 5 + 4 * std::sin(r30))), 1e-7);
    EXPECT_NEAR(arc.Value(4), Direction(c, m.Map(5 + 4 * std::cos(r200), 5 + 4 * std::sin(r200))), 1e-7);
    const DrawEntity& text = *placed[4];
    ExpectPoint(text, 0, m.Map(12, 8));
    EXPECT_NEAR(text.Value(2), 5 * m.s, 1e-9);
    EXPECT_EQ(text.Value(3), 5);  // the width is kept
    EXPECT_NEAR(text.Value(4), std::fmod(turn + 360, 360), 1e-9);
    const DrawEntity& leader = *placed[5];
    for (int i : {0, 5, 7, 9}) ExpectPoint(leader, i, m.Map(kLeader[i], kLeader[i + 1]));
    EXPECT_NEAR(leader.Value(2), 4 * m.s, 1e-9);
    EXPECT_NEAR(leader.Value(3), 3 * m.s, 1e-9);
    ExpectPoint(*placed[6], 4, m.Map(5, 12));
    ExpectPoint(*placed[7], 2, m.Map(0, 30));
    EXPECT_EQ(t.tools->promptBox().text(), "部品データの配置位置をクリックしてください。");
    // One undo takes the whole part away again.
    Command(kCmdUndo);
    EXPECT_EQ(LiveCount(), before);
  }
}

TEST_F(InportToolTest, ALoneHorizontalLineIsPlacedByItsOwnCentre) {
  PartPlacement& part = CurrentPartPlacement();
  AddLine(part.buffer, 100, 50, 160, 50);
  part.Measure();
  Click(300, 200);
  const DrawEntity* header = nullptr;
  const std::vector<const DrawEntity*> placed = Placed(&header);
  ASSERT_EQ(placed.size(), 1u);
  ExpectPoint(*placed[0], 0, {270, 200});
  ExpectPoint(*placed[0], 2, {330, 200});
}

TEST_F(InportToolTest, AnEmptyBufferBeepsAndAddsNothing) {
  CurrentPartPlacement().Clear();
  const int beeps = t.ui.beeps, before = LiveCount();
  Click(300, 200);
  EXPECT_EQ(LiveCount(), before);
  EXPECT_EQ(t.ui.beeps, beeps + 1);
  EXPECT_EQ(t.doc->entities.undoState, 0);
  EXPECT_EQ(t.doc->entities.replacedFirst, nullptr);
}

TEST_F(InportToolTest, ARegisteredSelectionIsPlacedAsTheSameGeometryMovedInEveryFormat) {
  testing::ScopedTempFolder folder;
  AddLine(t.doc->entities, 10, 10, 60, 30);
  AddCircle(t.doc->entities, 40, 20, 8);
  AddValues(t.doc->entities, kArc, 1, {20, 40, 10, 30, 120});
  const std::vector<std::vector<double>> original = {{10, 10, 60, 30}, {40, 20, 8}, {20, 40, 10, 30, 120}};
  const ModelRect box = *PartExtents(t.doc->entities);
  const char* names[] = {"p.dxf", "p.pwk", "p.jww"};
  for (int format = 0; format < 3; ++format) {
    SCOPED_TRACE(names[format]);
    // 部品データ登録: a window round the three, then the command of the context menu.
    Command(32804);
    t.router->OnLButtonDown(kMkLButton, Px(0, 0));
    Move(100, 100);
    t.router->OnLButtonUp(0, Px(100, 100));
    t.ui.partFormat = format;
    t.ui.partPath = folder / names[format];
    Command(kCmdPartsRegistration);
    ASSERT_EQ(t.ui.registeredParts.size(), static_cast<std::size_t>(format + 1));
    for (const DrawEntity& e : t.doc->entities) EXPECT_EQ(e.mark, kMarkNone) << "the picks are cleared";

    PartPlacement& part = CurrentPartPlacement();
    ASSERT_TRUE(ReadPartFile(t.ui.partPath, PartKindOfName(names[format]), part.buffer));
    part.Measure();
    Command(kCmdPartsData);
    const ModelPoint at{300, 250};
    Click(at.x, at.y);
    const DrawEntity* header = nullptr;
    std::vector<const DrawEntity*> placed = Placed(&header);
    ASSERT_EQ(placed.size(), 3u);
    // JWW keeps its elements by class: compared by kind.
    std::stable_sort(placed.begin(), placed.end(), [](const DrawEntity* a, const DrawEntity* b) { return a->kind < b->kind; });
    const double dx = at.x - (box.xmin + box.xmax) / 2, dy = at.y - (box.ymin + box.ymax) / 2;
    for (std::size_t i = 0; i < 3; ++i) {
      const std::vector<double>& v = original[i];
      ASSERT_EQ(placed[i]->valueCount, static_cast<int16_t>(v.size()));
      for (std::size_t k = 0; k < v.size(); ++k) {
        const double expected = i == 1 && k == 2 ? v[k] : i == 2 && k >= 2 ? v[k] : v[k] + (k % 2 ? dy : dx);
        EXPECT_NEAR(placed[i]->Value(static_cast<int>(k)), expected, 1e-4) << i << " " << k;
      }
    }
    Command(kCmdUndo);
  }
}

TEST_F(InportToolTest, ARegistrationThatCannotBeWrittenSaysSoAndRegistersNothing) {
  testing::ScopedTempFolder folder;
  AddLine(t.doc->entities, 10, 10, 60, 30);
  const char* names[] = {"none/p.dxf", "none/p.pwk", "none/p.jww"};
  for (int format = 0; format < 3; ++format) {
    SCOPED_TRACE(names[format]);
    Command(32804);
    Click(35, 20);
    t.ui.partFormat = format;
    t.ui.partPath = folder / names[format];
    const std::size_t messages = t.docUi.messages.size();
    Command(kCmdPartsRegistration);
    EXPECT_TRUE(t.ui.registeredParts.empty());
    ASSERT_EQ(t.docUi.messages.size(), messages + 1);
    if (format == 2) {
      EXPECT_EQ(t.docUi.messages.back().rfind("JWW File WriteOpen ERROR!", 0), 0u);
    }
    for (const DrawEntity& e : t.doc->entities) EXPECT_EQ(e.mark, kMarkNone) << "the picks are cleared";
  }
}

TEST_F(InportToolTest, ADimensionIsPlacedOnceAndMakesItsPartsAnew) {
  PartPlacement& part = CurrentPartPlacement();
  const DrawEntity* source = testing::DistanceRecord({0, 0}, {0, 10}, {40, 10}, 40).AddTo(part.buffer);
  ASSERT_NE(source, nullptr);
  const std::size_t generated = testing::PartsOf(part.buffer, source).size();
  ASSERT_GT(generated, 0u);
  part.Measure();
  const ModelPoint base = part.BasePoint();
  Click(300, 200);
  const DrawEntity* header = nullptr;
  const std::vector<const DrawEntity*> placed = Placed(&header);
  ASSERT_EQ(placed.size(), 1 + generated) << "the dimension and its new parts, no copies of the old ones";
  const DrawEntity* dimension = placed[0];
  ASSERT_EQ(dimension->kind, kDimension);
  EXPECT_EQ(dimension->owner, header);
  EXPECT_EQ(testing::PartsOf(t.doc->entities, dimension).size(), generated);
  const double dx = 300 - base.x, dy = 200 - base.y;
  for (std::size_t i = 0; i + 1 < static_cast<std::size_t>(source->valueCount); ++i) {
    if (source->codes[i] == 40 || source->codes[i] == 50) {
      EXPECT_NEAR(dimension->Value(static_cast<int>(i)), source->Value(static_cast<int>(i)) + dx, 1e-9);
      EXPECT_NEAR(dimension->Value(static_cast<int>(i + 1)), source->Value(static_cast<int>(i + 1)) + dy, 1e-9);
    }
  }
}

}  // namespace
}  // namespace plenwick
