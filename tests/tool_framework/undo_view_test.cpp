// Guards "元に戻す" on the screen: the elements an undo takes away are erased (their areas
// invalidated) and their snap points disabled, the elements it puts back are drawn with mark 0
// and their snap points enabled, the drawing counts as changed, and a drawing holding only the
// grid or a buffer that does not match its chains changes nothing on the screen.
#include <gtest/gtest.h>

#include <vector>

#include "model/entity_core.h"
#include "model/undo.h"
#include "support/tool_test_view.h"
#include "view/snap_registration.h"
#include "view/tool_framework/command_ids.h"
#include "tools/standard_tools.h"

namespace plenwick {
namespace {

class UndoOnScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterStandardTools(*t.tools);
    t.doc->SetModifiedFlag(false);
  }
  // A line added as one operation, with two snap points of its own.
  DrawEntity* NewLine(double x1, double y1, double x2, double y2) {
    BeginOperation(t.doc->entities, t.doc->snapPoints);
    const int16_t codes[] = {10, 20, 11, 22};
    const double values[] = {x1, y1, x2, y2};
    DrawEntity* e = nullptr;
    EXPECT_EQ(t.doc->AddDocumentEntity({kLine, 0, 0, 0, 4}, nullptr, codes, 0, values, nullptr, &e), 0);
    WithPoints(e);
    return e;
  }
  void WithPoints(DrawEntity* e) {
    if (t.doc->snapPoints.PointsOf(e).empty()) {
      t.doc->snapPoints.Add(e, kSnapLineStart, e->values[0], e->values[1]);
      t.doc->snapPoints.Add(e, kSnapLineEnd, e->values[2], e->values[3]);
    }
  }
  // The state of the element's points (all alike), 99 when it has none.
  int16_t SnapStateOf(const DrawEntity* e) {
    const SnapPointList::EntityPoints points = t.doc->snapPoints.PointsOf(e);
    EXPECT_FALSE(points.empty());
    int16_t state = 99;
    for (const SnapPoint* p : points) {
      if (state != 99) {
        EXPECT_EQ(p->snapState, state);
      }
      state = p->snapState;
    }
    return state;
  }
  void Undo() {
    t.host.canvas.Clear();
    t.host.invalidated.clear();
    t.host.clientDraws = 0;
    t.doc->SetModifiedFlag(false);
    ASSERT_TRUE(t.router->OnCommand(kCmdUndo));
  }
  bool Drawn() const { return t.host.clientDraws > 0 && !t.host.canvas.primitives().empty(); }

  testing::ToolTestView t;
};

TEST_F(UndoOnScreen, AnAddedLineGoesAndComesBack) {
  DrawEntity* line = NewLine(0, 0, 100, 50);
  Undo();
  EXPECT_EQ(t.doc->entities.tail->kind, kGrid);
  EXPECT_EQ(t.host.invalidated.size(), 1u);
  EXPECT_EQ(SnapStateOf(line), -1);
  EXPECT_FALSE(Drawn());
  EXPECT_TRUE(t.doc->IsModified());
  Undo();
  EXPECT_EQ(t.doc->entities.tail, line);
  EXPECT_TRUE(Drawn());
  EXPECT_TRUE(t.host.invalidated.empty());
  EXPECT_EQ(SnapStateOf(line), 0);
  EXPECT_TRUE(t.doc->IsModified());
}

TEST_F(UndoOnScreen, DeletedElementsReturnDrawnWithTheirMarksCleared) {
  std::vector<DrawEntity*> lines = {NewLine(0, 0, 10, 0), NewLine(0, 10, 10, 10), NewLine(0, 20, 10, 20)};
  BeginOperation(t.doc->entities, t.doc->snapPoints);
  for (DrawEntity* e : lines) e->mark = kMarkDeleted;
  CommitDeletion(t.doc->entities);
  Undo();  // the deletion is taken back
  EXPECT_EQ(t.doc->entities.undoState, 2);
  EXPECT_TRUE(Drawn());
  EXPECT_EQ(t.host.canvas.primitives().size() >= 3, true);
  for (DrawEntity* e : lines) {
    EXPECT_EQ(e->mark, kMarkNone);
    EXPECT_EQ(SnapStateOf(e), 0);
  }
  Undo();  // and done again
  EXPECT_EQ(t.host.invalidated.size(), 3u);
  for (DrawEntity* e : lines) EXPECT_EQ(SnapStateOf(e), -1);
}

TEST_F(UndoOnScreen, AReplacementSwapsTheOldAndTheNewElement) {
  DrawEntity* old = NewLine(0, 0, 100, 0);
  BeginOperation(t.doc->entities, t.doc->snapPoints);
  RemoveToUndo(t.doc->entities, old);
  const int16_t codes[] = {10, 20, 11, 22};
  const double values[] = {0, 0, 60, 0};
  DrawEntity* trimmed = nullptr;
  ASSERT_EQ(t.doc->AddDocumentEntity({kLine, 0, 0, 0, 4}, nullptr, codes, 0, values, nullptr, &trimmed), 0);
  WithPoints(trimmed);
  MarkReplacement(t.doc->entities, old, trimmed);
  ASSERT_EQ(t.doc->entities.undoState, 3);
  Undo();
  EXPECT_EQ(t.doc->entities.undoState, 4);
  EXPECT_EQ(t.doc->entities.tail, old);
  EXPECT_EQ(SnapStateOf(old), 0);
  EXPECT_EQ(SnapStateOf(trimmed), -1);
  EXPECT_EQ(t.host.invalidated.size(), 1u);
  EXPECT_TRUE(Drawn());
  Undo();
  EXPECT_EQ(t.doc->entities.undoState, 3);
  EXPECT_EQ(t.doc->entities.tail, trimmed);
  EXPECT_EQ(SnapStateOf(old), -1);
  EXPECT_EQ(SnapStateOf(trimmed), 0);
}

TEST_F(UndoOnScreen, IntersectionsFollowBothOfTheirElements) {
  const SnapPointRegistrar previous = InstallDefaultSnapPointRegistrar();
  NewLine(0, 0, 100, 100);
  DrawEntity* second = NewLine(0, 100, 100, 0);
  auto crossing = [&] {
    for (const SnapPoint* p = t.doc->snapPoints.head(); p; p = p->next) {
      if (p->pointKind == kSnapIntersection) return p;
    }
    return static_cast<const SnapPoint*>(nullptr);
  };
  ASSERT_NE(crossing(), nullptr);
  EXPECT_EQ(crossing()->snapState, kSnapEnabled);
  Undo();
  EXPECT_EQ(crossing()->snapState, kSnapDisabled);
  EXPECT_EQ(SnapStateOf(second), kSnapDisabled);
  Undo();
  EXPECT_EQ(crossing()->snapState, kSnapEnabled);
  InstallSnapPointRegistrar(previous);
}

TEST_F(UndoOnScreen, NothingHappensOnAGridOnlyDrawingOrABrokenBuffer) {
  Undo();
  EXPECT_EQ(t.doc->entities.size(), 1u);
  EXPECT_TRUE(t.host.invalidated.empty());
  EXPECT_EQ(t.host.clientDraws, 0);
  EXPECT_FALSE(t.doc->IsModified());

  NewLine(0, 0, 1, 1);
  t.doc->entities.undoState = 1;  // claims a removal without a removed chain
  Undo();
  EXPECT_EQ(t.docUi.messages, (std::vector<std::string>{"001:やり直しエラー！"}));
  EXPECT_EQ(t.doc->entities.undoState, 0);
  EXPECT_EQ(t.host.clientDraws, 0);
  EXPECT_FALSE(t.doc->IsModified());
}

}  // namespace
}  // namespace plenwick
