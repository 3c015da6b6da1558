// Guards the delete tool through pixel events on the headless view: each sub-mode deleting what
// the user pointed at and nothing else (a group or dimension never split, owners never left
// without members or members without owners, other layers and the grid untouched), the window
// filter over every scope and range, one undo bringing the drawing back exactly, protected
// drawings refused, and cancelled or empty gestures changing nothing and leaving no
// exclusive-or figure on the screen.
#include <gtest/gtest.h>

#include <functional>

#include "model/plenwick_doc.h"
#include "view/tool_framework/command_ids.h"
#include "edit_tools/delete_fixture.h"

namespace plenwick {
namespace {

using Names = std::set<std::string>;

class DeleteTool : public testing::DeleteToolTest {
 protected:
  // Runs `gesture` and checks what remains, then that one undo brings the drawing back exactly.
  void ExpectDeletes(const std::function<void()>& gesture, const Names& remaining) {
    const std::vector<std::string> before = Dump();
    gesture();
    EXPECT_EQ(Remaining(), remaining);
    for (const DrawEntity& e : list()) EXPECT_EQ(e.mark, kMarkNone) << e.kind;
    EXPECT_TRUE(XorLeftOnScreen().empty());
    // A gesture that deleted nothing leaves the last step to undo alone.
    if (remaining.size() == names_.size()) {
      EXPECT_EQ(Dump(), before);
      return;
    }
    Command(kCmdUndo);
    EXPECT_EQ(Dump(), before);
  }
};

TEST_F(DeleteTool, SingleDeleteTakesThePickedElementWithItsWholeOwner) {
  // Fault: a dimension part or group member deleted alone leaves an owner without its members.
  AddScene();
  struct Case {
    const char* what;
    ModelPoint click;
    Names gone;
  } cases[] = {
      {"a line", {40, 20}, {"A"}},
      {"a dimension part", {120, 135}, {"D", "D/part1", "D/part2"}},
      {"a group member", {45, 100}, {"G", "G/line", "G/circle"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Command(kSingle);
    ExpectDeletes([&] { Click(c.click.x, c.click.y); }, AllBut(c.gone));
    EXPECT_EQ(t.ui.beeps, 0);
  }
}

TEST_F(DeleteTool, SingleDeleteBeepsOnNothingAndOnOtherLayers) {
  // Fault: a click beside everything, or on another layer's element, deleting something.
  AddScene();
  Command(kSingle);
  const std::vector<std::string> before = Dump();
  Click(400, 400);
  Click(60, 60);  // the layer-1 line
  EXPECT_EQ(t.ui.beeps, 2);
  EXPECT_EQ(Dump(), before);
}

TEST_F(DeleteTool, CrossDeleteTakesWhatTheLineMeets) {
  // Fault: a crossed dimension part deleted alone; a crossed group member taking the header while
  // another member stays; an element near but not on the line deleted.
  AddScene();
  Add(kText, {230, 200, 5, 5, 0}, "T", nullptr, 0, "ABCD");
  struct Case {
    const char* what;
    ModelPoint a, b;
    Names gone;
  } cases[] = {
      {"a line and a point on the crossing", {50, 0}, {50, 50}, {"A", "P"}},
      {"one member of a dimension", {110, 135}, {130, 135}, {"D", "D/part1", "D/part2"}},
      {"one member of a group", {150, 80}, {150, 95}, {"G/circle"}},
      {"a text by its frame", {232, 195}, {232, 210}, {"T"}},
      {"nothing", {300, 300}, {350, 350}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Command(kCross);
    ExpectDeletes(
        [&] {
          Click(c.a.x, c.a.y);
          EXPECT_EQ(prompt(), "クロス線の終端を指示して下さい。");
          Move(c.b.x, c.b.y);
          Click(c.b.x, c.b.y);
          EXPECT_EQ(step(), 0);
          EXPECT_EQ(prompt(), "削除クロス線の開始位置を指示して下さい。");
        },
        AllBut(c.gone));
  }
}

TEST_F(DeleteTool, WindowFilterOverEveryScopeAndRange) {
  // Fault: the filter's table misread (a kind box or range ignored), a group header deleted while
  // members stay (range outside), a dimension split at the window's edge, other layers touched.
  AddScene();
  using B = DeleteKindBox;
  struct Case {
    const char* what;
    bool all;
    std::vector<B> ticks;
    bool outside;
    Names gone;
  } cases[] = {
      {"all kinds inside", true, {}, false, {"A", "P", "G/line", "D", "D/part1", "D/part2"}},
      {"all kinds outside", true, {}, true, {"B", "G/circle"}},
      {"lines inside: group members go, dimension parts follow the dimension", false, {B::kLines}, false,
       {"A", "G/line"}},
      {"points and dimensions outside", false, {B::kPoints, B::kDimensions}, true, {"G/circle"}},
      {"dimensions inside", false, {B::kDimensions}, false, {"G/line", "D", "D/part1", "D/part2"}},
      {"nothing ticked inside", false, {}, false, {"G/line"}},
      {"ticks ignored while all kinds", true, {B::kImages}, false, {"A", "P", "G/line", "D", "D/part1", "D/part2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Command(kWindow);
    t.ui.deleteGroupAnswer = true;
    t.ui.deleteGroupScript = [&](CDeleteGroupDlg& dialog) {
      // Ticks made before the scope allows them are ignored, as the disabled boxes are.
      for (B box : c.ticks) dialog.SetKind(box, true);
      dialog.SetAllKinds(c.all);
      for (B box : c.ticks) dialog.SetKind(box, true);
      dialog.SetOutside(c.outside);
      EXPECT_EQ(prompt(), "削除対象グループの設定を行って下さい。");
    };
    const int runs = t.ui.deleteGroupRuns;
    ExpectDeletes([&] { Window({10, 10}, {100, 150}); }, AllBut(c.gone));
    EXPECT_EQ(t.ui.deleteGroupRuns, runs + 1);
    EXPECT_EQ(prompt(), "グループ領域の開始位置を指示して下さい。");
  }
}

TEST_F(DeleteTool, WindowTakesAGroupHeaderWithItsLastMember) {
  // Fault: a group header left behind once every member is gone.
  AddScene();
  Command(kWindow);
  t.ui.deleteGroupAnswer = true;
  ExpectDeletes([&] { Window({0, 0}, {300, 200}); }, {"L1 inside", "L1 outside"});
}

TEST_F(DeleteTool, CancelledDialogEmptyWindowAndEscapeChangeNothing) {
  // Fault: marks left on the drawing by a cancelled dialog, the undo step lost by a gesture that
  // deleted nothing, or a rubber figure left on the screen.
  AddScene();
  Command(kSingle);
  Click(40, 20);  // an undoable step that must survive what follows
  const std::vector<std::string> before = Dump();
  Command(kWindow);
  Window({10, 10}, {100, 150});  // the dialog is cancelled
  EXPECT_EQ(t.ui.deleteGroupRuns, 1);
  Window({300, 300}, {400, 400});  // nothing inside
  EXPECT_EQ(t.ui.beeps, 1);
  EXPECT_EQ(t.ui.deleteGroupRuns, 1);
  for (int mode : {kCross, kWindow}) {
    Command(mode);
    Click(10, 10);
    Move(50, 80);
    Command(kCmdCancel);
    EXPECT_EQ(step(), 0);
  }
  EXPECT_EQ(Dump(), before);
  EXPECT_TRUE(XorLeftOnScreen().empty());
  Command(kCmdUndo);  // the first deletion is still the step
  EXPECT_EQ(Remaining(), AllBut({}));
}

TEST_F(DeleteTool, ProtectedDrawingRefusesWithItsMessage) {
  // Fault: a protected drawing losing elements to the delete tool.
  AddScene();
  const std::vector<std::string> before = Dump();
  for (int32_t protection : {kWriteProtected, kPasswordProtected}) {
    t.doc->protection = protection;
    t.docUi.messages.clear();
    Command(kSingle);
    Click(40, 20);
    Command(kCross);
    Window({50, 0}, {50, 60});
    Command(kWindow);
    Window({10, 10}, {100, 150});
    const std::string_view message = protection == kWriteProtected ? kWriteProtectedMessage : kPasswordProtectedMessage;
    EXPECT_EQ(t.docUi.messages, std::vector<std::string>(3, std::string(message)));
    EXPECT_EQ(t.ui.deleteGroupRuns, 0);
    EXPECT_EQ(Dump(), before);
  }
}

TEST_F(DeleteTool, ManyDeletionsRepaintTheViewOnce) {
  // Fault: a window over a large drawing erasing element by element.
  for (int i = 0; i < 2000; ++i) testing::AddLine(list(), 10 + i % 100, 10 + i / 20, 11 + i % 100, 10 + i / 20);
  Command(kWindow);
  t.ui.deleteGroupAnswer = true;
  t.host.invalidated.clear();
  Window({0, 0}, {200, 200});
  EXPECT_EQ(t.host.invalidated.size(), 1u);
  EXPECT_EQ(list().size(), 1u);  // the grid
  Command(kCmdUndo);
  EXPECT_EQ(list().size(), 2001u);
}

}  // namespace
}  // namespace plenwick
