// Guards the selection tool through pixel events on a headless view: the 9-pixel rule between a
// pick and a window, toggles, groups picked whole, other layers left alone; every kind of drag
// (a move snapped onto another record's point, circle, arc and image handles, a line midpoint
// stretching the picked lines joined to it); the bar's turns and mirrors; group registration and
// release; each edit one undo step that a second Ctrl+Z brings back; protected drawings refused.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

#include "model/entity_core.h"
#include "model/snap_point_list.h"
#include "edit_fixture.h"
#include "support/drawing_file_fixtures.h"
#include "tools/edit/delete_group_dlg.h"
#include "view/geometry.h"
#include "view/snap_registration.h"

namespace plenwick {
namespace {

class SelectToolTest : public testing::EditToolTest {
 protected:
  void Select(int mode) { ASSERT_TRUE(t.router->OnCommand(32801 + mode)); }
  void Drag(ModelPoint from, ModelPoint to) {
    Move(from.x, from.y);
    t.router->OnLButtonDown(kMkLButton, Px(from.x, from.y));
    t.router->OnMouseMove(kMkLButton, Px(to.x, to.y));
    t.router->OnLButtonUp(0, Px(to.x, to.y));
  }
};

using testing::ExpectValues;

TEST_F(SelectToolTest, PicksWindowsTogglesAndWholeGroups) {
  DrawEntity* line = Add(kLine, {100, 100, 200, 100});
  DrawEntity* other = Add(kLine, {100, 300, 200, 300}, 0, 3);  // another layer
  DrawEntity* header = Group({{300, 100, 400, 100}, {300, 150, 400, 150}});
  Select(0);
  Click(150, 100);
  EXPECT_EQ(line->mark, kMarkPicked);
  Click(150, 140);  // beside everything: the picks go
  EXPECT_EQ(Marked(kMarkPicked), 0);
  // A gesture of 10 pixels is a window (too small to hold the line), one of 9 a pick at its end.
  Drag({145, 95}, {155, 105});
  EXPECT_EQ(Marked(kMarkPicked), 0);
  Drag({146, 96}, {155, 105});
  EXPECT_EQ(line->mark, kMarkPicked);
  Click(150, 140);
  Drag({90, 90}, {210, 110});
  EXPECT_EQ(line->mark, kMarkPicked);
  Drag({90, 290}, {210, 310});
  EXPECT_EQ(other->mark, kMarkNone) << "other layers are never picked";
  // A member picks its group whole; a set mode toggles.
  Command(kCmdCancel);
  Select(1);
  Click(350, 150);
  EXPECT_EQ(header->mark, kMarkSelected);
  EXPECT_EQ(Marked(kMarkSelected), 3);
  Click(350, 100);
  EXPECT_EQ(Marked(kMarkSelected), 0) << "picking it again lets it go";
  // A window over one member marks the whole group.
  Drag({290, 90}, {410, 110});
  EXPECT_EQ(Marked(kMarkSelected), 3);
  Command(kCmdCancel);
  EXPECT_EQ(Marked(kMarkSelected), 0);
  // Another tool lets every pick go.
  Drag({290, 90}, {410, 110});
  ASSERT_TRUE(t.router->OnCommand(32811));  // 直線
  EXPECT_EQ(Marked(kMarkSelected), 0);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(SelectToolTest, EveryDragKindAndItsUndo) {
  struct Case {
    const char* what;
    std::function<void()> build;
    ModelPoint pickFrom, pickTo, dragFrom, dragTo;
    int16_t kind;
    std::vector<double> expected;  // of the last record of `kind`
    int16_t subKind = 0;
  } cases[] = {
      // Moved by (53, 105) its end would stand 3 and 2 mm off the other line's start: it lands there.
      {"a move snapped onto another line's end", [&] { Add(kLine, {100, 100, 200, 100}); Add(kLine, {250, 203, 300, 203}); },
       {150, 100}, {150, 100}, {130, 100}, {183, 205}, kLine, {150, 203, 250, 203}},
      {"a circle by its right quadrant point", [&] { Add(kCircle, {200, 200, 10}); },
       {210, 200}, {210, 200}, {210, 200}, {230, 200}, kCircle, {210, 200, 20}},
      {"a half circle by its end keeps its bulge", [&] { Add(kArc, {200, 200, 20, 0, 180}, 1); },
       {200, 220}, {200, 220}, {180, 200}, {160, 200}, kArc, {190, 200, 30, 0, 180}, 1},
      {"an image by its corner", [&] { Add(kImage, {100, 100, 200, 150}); },
       {120, 120}, {120, 120}, {200, 150}, {250, 180}, kImage, {100, 100, 250, 180}},
      {"a line midpoint stretching a joined picked line", [&] {
         Add(kLine, {100, 100, 200, 100});
         Add(kLine, {200, 100, 200, 200});
         Add(kLine, {100, 100, 100, 50});  // joined but not picked: it stays
       },
       {90, 90}, {210, 210}, {150, 100}, {150, 130}, kLine, {200, 130, 200, 200}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // Each case in a drawing of its own.
    Command(kCmdCancel);
    ClearEntityList(t.doc->entities);
    t.doc->snapPoints.Clear();
    testing::AddGrid(t.doc->entities);  // every drawing starts with its grid
    c.build();
    const std::string before = Dump();
    Select(0);
    if (c.pickFrom.x == c.pickTo.x && c.pickFrom.y == c.pickTo.y) {
      Click(c.pickFrom.x, c.pickFrom.y);
    } else {
      Drag(c.pickFrom, c.pickTo);
    }
    ASSERT_GT(Marked(kMarkPicked), 0);
    Drag(c.dragFrom, c.dragTo);
    ASSERT_FALSE(Records(c.kind).empty());
    const DrawEntity* last = Records(c.kind).back();  // copies are appended
    ExpectValues(Values(last), c.expected);
    EXPECT_EQ(last->subKind, c.subKind);
    EXPECT_EQ(Marked(kMarkPicked), 0);
    const std::string edited = Dump();
    Command(kCmdUndo);
    EXPECT_EQ(Dump(), before) << "one Ctrl+Z gives the drawing back";
    Command(kCmdUndo);
    EXPECT_EQ(Dump(), edited) << "a second one the edit";
    EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
  }
}

TEST_F(SelectToolTest, GroupsAreRegisteredAndReleasedInOneStepEach) {
  DrawEntity* old = Group({{100, 100, 200, 100}, {100, 150, 200, 150}});
  Add(kLine, {100, 200, 200, 200});
  const int oldNumber = old->groupNo;
  const std::string before = Dump();
  Select(1);
  Drag({90, 90}, {210, 210});  // the old group and the free line
  Command(kCmdGroupRegister);
  ASSERT_EQ(Records(kGroupHeader).size(), 1u) << "the old group goes";
  const DrawEntity* header = Records(kGroupHeader)[0];
  EXPECT_NE(header->groupNo, oldNumber);
  EXPECT_EQ(header->owner, nullptr);
  int members = 0;
  for (const DrawEntity* e : Records(kLine)) members += e->owner == header && e->groupNo == header->groupNo;
  EXPECT_EQ(members, 3);
  const std::string registered = Dump();
  Command(kCmdUndo);
  EXPECT_EQ(Dump(), before);
  Command(kCmdUndo);
  EXPECT_EQ(Dump(), registered);

  Select(2);
  Click(150, 150);
  EXPECT_EQ(t.state().pending, 1) << "a group is picked: the context menu offers the release";
  Command(kCmdGroupRelease);
  EXPECT_TRUE(Records(kGroupHeader).empty());
  for (const DrawEntity* e : Records(kLine)) EXPECT_TRUE(e->owner == nullptr && e->groupNo == 0);
  Command(kCmdUndo);
  EXPECT_EQ(Dump(), registered);
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

TEST_F(SelectToolTest, TheBarTurnsAndMirrorsAboutThePicksCentre) {
  Add(kLine, {100, 100, 200, 100});
  Add(kArc, {150, 150, 50, 0, 90}, 1);  // the box of both: (100, 100)-(200, 200), centre (150, 150)
  struct Case {
    int button;
    std::vector<double> line, arc;
    int16_t arcDirection;
  } cases[] = {
      {1495, {200, 100, 100, 100}, {150, 150, 50, 180, 90}, -1},  // 左右反転
      {1496, {100, 200, 200, 200}, {150, 150, 50, 0, 270}, -1},   // 上下反転
      {1497, {100, 200, 100, 100}, {150, 150, 50, 270, 0}, 1},    // −90°
      {1498, {200, 100, 200, 200}, {150, 150, 50, 90, 180}, 1},   // +90°
  };
  Select(0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    const std::string before = Dump();
    Drag({90, 90}, {210, 210});
    Command(c.button);
    ExpectValues(Values(Records(kLine).back()), c.line);
    ExpectValues(Values(Records(kArc).back()), c.arc);
    EXPECT_EQ(Records(kArc).back()->subKind, c.arcDirection);
    Command(kCmdUndo);
    EXPECT_EQ(Dump(), before);
  }
}

TEST_F(SelectToolTest, TheOrderButtonsAreOneUndoStepThatPutsRecordsBack) {
  // Without a step of their own Ctrl+Z after a reorder took the last record out of the drawing.
  Add(kLine, {100, 100, 200, 100});
  Add(kLine, {100, 150, 200, 150});
  Add(kLine, {100, 200, 200, 200});
  auto order = [&] {
    std::string out;
    for (const DrawEntity& e : t.doc->entities) {
      if (e.kind == kLine) out += std::to_string(static_cast<int>(e.values[1])) + " ";
    }
    return out;
  };
  Select(0);
  Click(150, 100);
  Command(1493);  // 前面移動: drawn last
  EXPECT_EQ(order(), "150 200 100 ");
  Command(kCmdUndo);
  EXPECT_EQ(order(), "100 150 200 ");
  Command(kCmdUndo);
  EXPECT_EQ(order(), "150 200 100 ");
  Click(150, 200);
  Command(1494);  // 背面移動: drawn first, after the grid
  EXPECT_EQ(order(), "200 150 100 ");
  EXPECT_EQ(t.doc->entities.head->kind, kGrid);
  Command(kCmdUndo);
  EXPECT_EQ(order(), "150 200 100 ");
  EXPECT_EQ(Records(kLine).size(), 3u);
}

TEST_F(SelectToolTest, AProtectedDrawingRefusesEveryEdit) {
  Add(kLine, {100, 100, 200, 100});
  const std::string before = Dump();
  t.doc->protection = kWriteProtected;
  Select(0);
  Click(120, 100);
  Drag({120, 100}, {150, 200});
  Drag({90, 90}, {210, 110});
  Command(1498);
  Select(1);
  Drag({90, 90}, {210, 110});
  Command(kCmdGroupRegister);
  EXPECT_EQ(Dump(), before);
  EXPECT_EQ(t.docUi.messages, std::vector<std::string>(3, std::string(kWriteProtectedMessage)));
}

TEST_F(SelectToolTest, RandomEditsUndoAndRedoExactly) {
  // A property over random drawings (lines, circles, arcs, groups and dimensions, on two layers)
  // and edits (drags, the bar, group registration, deletions): each edit then Ctrl+Z gives the
  // drawing back, a second Ctrl+Z the edited one, and the next edit starts from there (freed
  // records would be met by the sanitizers).
  const testing::TestDimensionParts parts;
  std::mt19937 random(3);
  auto coordinate = [&] { return RandomCoordinate(random); };
  auto populate = [&](std::size_t count) { Populate(random, count); };
  populate(40);
  t.ui.deleteGroupAnswer = true;
  int edits = 0;
  for (int round = 0; round < 600; ++round) {
    populate(30);
    const int edit = static_cast<int>(random() % 6);
    // Windows of a fair size, in any direction.
    ModelPoint a{coordinate() / 2 + 30, coordinate() / 2 + 30}, b{coordinate() / 2 + 270, coordinate() / 2 + 270};
    if (random() % 2) std::swap(a, b);
    if (edit <= 3) {
      Select(edit == 3 ? 1 : 0);
      Drag(a, b);  // a window (or a pick)
    }
    SCOPED_TRACE("round " + std::to_string(round) + " edit " + std::to_string(edit));
    const std::string before = Dump();
    switch (edit) {
      case 0: Command(1493 + static_cast<int>(random() % 6)); break;
      case 1:
      case 2: {
        // A drag from the first picked record's first point.
        const DrawEntity* first = nullptr;
        for (const DrawEntity& e : t.doc->entities) {
          if (e.mark == kMarkPicked && e.kind != kGroupHeader) {
            first = &e;
            break;
          }
        }
        if (!first) continue;
        Drag({first->values[0], first->values[1]}, {coordinate(), coordinate()});
        break;
      }
      case 3: Command(kCmdGroupRegister); break;
      case 4:
        ASSERT_TRUE(t.router->OnCommand(32842));  // 単一削除
        Click(a.x, a.y);
        break;
      default: {
        ASSERT_TRUE(t.router->OnCommand(32844));  // グループ削除
        const bool outside = random() % 4 == 0;
        t.ui.deleteGroupScript = [outside](CDeleteGroupDlg& dialog) { dialog.SetOutside(outside); };
        Click(a.x, a.y);
        Click(b.x, b.y);
        break;
      }
    }
    Command(kCmdCancel);
    const std::string edited = Dump();
    if (edited == before) continue;  // nothing was picked or nothing changed
    ++edits;
    Command(kCmdUndo);
    ASSERT_EQ(Dump(), before);
    Command(kCmdUndo);
    ASSERT_EQ(Dump(), edited);
  }
  EXPECT_GT(edits, 60) << "many rounds change the drawing";
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
}

}  // namespace
}  // namespace plenwick
