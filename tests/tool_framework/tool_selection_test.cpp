// Guards how a tool is chosen and an operation abandoned: a command or the palette cancels a
// half-done operation of the old tool before the new one starts, shows the mode's bar and first
// prompt, and remembers the mode per family; command 107 ends the hand move, closes the text box
// unless the text tool is chosen, and clears the temporary selection marks; the palette and the
// parts browser take each other's place; the context menu and Space appear exactly when the
// active tool and its step allow them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/entity_builders.h"
#include "support/recording_tool.h"
#include "support/tool_test_view.h"
#include "view/tool_framework/command_table.h"
#include "view/tool_framework/drawing_palette.h"
#include "tools/standard_tools.h"

namespace plenwick {
namespace {

using Calls = std::vector<std::string>;
using testing::RecordingTool;

class ToolSelection : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int code = 0; code < kToolCodeCount; ++code) {
      tools[code] = static_cast<RecordingTool*>(
          t.tools->toolList().Register(std::make_unique<RecordingTool>(code, t.state())));
    }
    t.tools->OpenPalette();
  }
  std::string Prompt() const { return t.tools->promptBox().text(); }
  int Bar() const { return t.tools->operationBars().currentIndex(); }

  testing::ToolTestView t;
  RecordingTool* tools[kToolCodeCount] = {};
};

TEST_F(ToolSelection, OpeningThePaletteAppliesItsFamily) {
  EXPECT_EQ(t.tools->paletteWindow(), PaletteWindow::kPalette);
  EXPECT_EQ(Bar(), 25);
  EXPECT_EQ(Prompt(), "図形を選んで移動・変形を行います。（Ｗクリックで属性変更）");
  EXPECT_EQ(t.tools->promptBox().kind(), kPromptInstruction);
}

TEST_F(ToolSelection, ChoosingAToolWhileALineIsHalfDrawnCancelsTheLine) {
  ASSERT_TRUE(t.router->OnCommand(32811));
  InteractionState& s = t.state();
  EXPECT_EQ(s.CurrentToolCode, kLineToolCode);
  EXPECT_EQ(Bar(), 17);
  EXPECT_EQ(Prompt(), "直線を作図します。始端を指示して下さい。");
  s.InputStep = 1;  // the start point is in
  s.RubberDrawn = 1;
  s.phaseFlag = 1;
  ASSERT_TRUE(t.router->OnCommand(32824));
  EXPECT_EQ(tools[kLineToolCode]->calls, (Calls{"Cancel"}));
  EXPECT_EQ(s.CurrentToolCode, kCircleToolCode);
  EXPECT_EQ(s.ToolMode, 0);
  EXPECT_EQ(s.InputStep, 0);
  EXPECT_EQ(s.RubberDrawn, 0);
  EXPECT_EQ(s.phaseFlag, 0);
  EXPECT_EQ(s.paletteFamily, 4);
  EXPECT_EQ(Bar(), 5);
  EXPECT_EQ(Prompt(), "円を作図します。中心位置指示して下さい。");
  // Nothing half done, nothing cancelled; the selection tool is never cancelled this way.
  t.router->OnCommand(32826);
  s.CurrentToolCode = kSelectToolCode;
  s.InputStep = 1;
  t.router->OnCommand(32811);
  EXPECT_TRUE(tools[kCircleToolCode]->calls.empty());
  EXPECT_TRUE(tools[kSelectToolCode]->calls.empty());
}

TEST_F(ToolSelection, EveryCommandShowsItsModesBarAndFirstPrompt) {
  for (const ToolModeInfo& m : ToolModeTable()) {
    if (m.command == 0) continue;
    ASSERT_TRUE(t.router->OnCommand(m.command));
    EXPECT_EQ(t.state().CurrentToolCode, ToolCodeForFamily(m.family)) << m.command;
    EXPECT_EQ(t.state().ToolMode, m.mode);
    EXPECT_EQ(Bar(), m.operationBar) << m.command;
    EXPECT_EQ(Prompt(), m.firstPrompt) << m.command;
    EXPECT_EQ(t.ui.currentBar, t.tools->operationBars().current());
  }
}

TEST_F(ToolSelection, ThePaletteRestoresTheModeLastChosenInAFamily) {
  CPopEntity palette(*t.tools);
  ASSERT_TRUE(palette.OnFamilyButton(2));
  EXPECT_EQ(t.state().ToolMode, 0);
  ASSERT_TRUE(palette.OnListSelect(4));  // "平行線"
  EXPECT_EQ(Bar(), 16);
  EXPECT_EQ(palette.modeNames().size(), 9u);
  EXPECT_EQ(palette.modeNames()[4], "平行線");
  ASSERT_TRUE(palette.OnFamilyControl(1008));  // circles
  EXPECT_EQ(t.state().CurrentToolCode, kCircleToolCode);
  t.router->OnCommand(32816);  // the centre line, by command
  ASSERT_TRUE(palette.OnFamilyButton(11));
  EXPECT_EQ(t.state().CurrentToolCode, kTransformToolCode);
  ASSERT_TRUE(palette.OnFamilyButton(2));
  EXPECT_EQ(t.state().ToolMode, 5);  // the last choice, whether by command or by palette
  EXPECT_EQ(palette.selectedRow(), 5);
  EXPECT_FALSE(palette.OnListSelect(9));
  EXPECT_FALSE(palette.OnFamilyButton(16));
  EXPECT_FALSE(palette.OnFamilyControl(1003));
  EXPECT_GT(t.ui.paletteChanges, 0);
}

TEST_F(ToolSelection, WithoutAPartsBrowserClosingThePaletteOnlyClosesIt) {
  CPopEntity palette(*t.tools);
  t.router->OnCommand(32812);
  palette.OnClose();
  EXPECT_EQ(t.tools->paletteWindow(), PaletteWindow::kClosed);
  EXPECT_EQ(t.state().CurrentToolCode, kLineToolCode) << "the active tool stays";
  EXPECT_FALSE(t.router->IsCommandChecked(kCmdDrawingPalette));
  EXPECT_FALSE(t.tools->IsFrameCommandEnabled(kCmdPartsData));
  // A tool chosen from the menu still shows its bar and prompt.
  t.router->OnCommand(32811);
  EXPECT_EQ(Bar(), OperationBarFor(2, 0));
  EXPECT_FALSE(Prompt().empty());
  ASSERT_TRUE(t.router->OnCommand(kCmdDrawingPalette));
  EXPECT_EQ(t.tools->paletteWindow(), PaletteWindow::kPalette);
  EXPECT_TRUE(t.router->IsCommandChecked(kCmdDrawingPalette));
  EXPECT_EQ(t.state().ToolMode, 0);
}

TEST_F(ToolSelection, ThePartsBrowserTakesThePalettesPlaceAndGivesItBack) {
  t.tools->SetPartsBrowserAvailable(true);
  CPopEntity palette(*t.tools);
  t.router->OnCommand(32812);
  t.state().InputStep = 2;
  palette.OnClose();
  EXPECT_EQ(tools[kLineToolCode]->calls, (Calls{"Cancel"}));
  EXPECT_EQ(t.tools->paletteWindow(), PaletteWindow::kPartsBrowser);
  EXPECT_EQ(t.state().CurrentToolCode, kInportToolCode);
  EXPECT_EQ(t.state().ToolMode, 0);
  EXPECT_EQ(Bar(), 0);
  EXPECT_EQ(Prompt(), "部品データの配置位置をクリックしてください。");
  EXPECT_TRUE(t.router->IsCommandChecked(kCmdPartsData));
  EXPECT_FALSE(t.router->IsCommandChecked(kCmdDrawingPalette));
  // "作図パレット": the palette's family and mode become active again.
  ASSERT_TRUE(t.router->OnCommand(kCmdDrawingPalette));
  EXPECT_EQ(t.tools->paletteWindow(), PaletteWindow::kPalette);
  EXPECT_EQ(t.state().CurrentToolCode, kLineToolCode);
  EXPECT_EQ(t.state().ToolMode, 1);
  EXPECT_EQ(Bar(), 18);
  // "部品データ" closes the palette again; a tool command brings it back.
  ASSERT_TRUE(t.router->OnCommand(kCmdPartsData));
  EXPECT_EQ(t.tools->paletteWindow(), PaletteWindow::kPartsBrowser);
  t.router->OnCommand(32842);
  EXPECT_EQ(t.tools->paletteWindow(), PaletteWindow::kPalette);
  EXPECT_EQ(t.state().CurrentToolCode, kDeleteToolCode);
  EXPECT_EQ(t.ui.paletteWindows, (std::vector<PaletteWindow>{PaletteWindow::kPalette, PaletteWindow::kPartsBrowser,
                                                             PaletteWindow::kPalette, PaletteWindow::kPartsBrowser,
                                                             PaletteWindow::kPalette}));
}

TEST_F(ToolSelection, BeforeThePaletteOpensAChoiceShowsNoBarOrPrompt) {
  testing::ToolTestView fresh;
  RegisterStandardTools(*fresh.tools);
  EXPECT_EQ(fresh.tools->toolList().size(), 17u);
  for (int code = 0; code < kToolCodeCount; ++code) EXPECT_EQ(fresh.tools->toolList().FindTool(code)->code(), code);
  fresh.router->OnCommand(32811);
  EXPECT_EQ(fresh.state().CurrentToolCode, kLineToolCode);
  EXPECT_EQ(fresh.tools->operationBars().current(), nullptr);
  EXPECT_TRUE(fresh.tools->promptBox().text().empty());
  fresh.tools->OpenPalette();  // the first view
  EXPECT_EQ(fresh.tools->operationBars().currentIndex(), 17);
  EXPECT_EQ(fresh.tools->promptBox().text(), "直線を作図します。始端を指示して下さい。");
  // A placeholder tool takes clicks without changing anything.
  fresh.router->OnLButtonDown(kMkLButton, {0, 0});
  fresh.router->OnLButtonUp(0, {0, 0});
  EXPECT_EQ(fresh.state().CurrentToolCode, kLineToolCode);
  EXPECT_EQ(fresh.doc->entities.size(), 1u);  // the grid only
}

TEST_F(ToolSelection, CommandSevenCancelsEndsTheHandMoveAndClearsTemporaryMarks) {
  DrawEntity* a = testing::AddLine(t.doc->entities, 0, 0, 100, 100);
  DrawEntity* b = testing::AddLine(t.doc->entities, 0, 100, 100, 0);
  DrawEntity* c = testing::AddLine(t.doc->entities, 50, 0, 50, 100);
  a->mark = kMarkPicked;
  b->mark = kMarkSelected;
  c->mark = kMarkTemporary;
  t.router->OnCommand(32815);
  InteractionState& s = t.state();
  s.InputStep = 1;
  s.pending = 1;
  t.view->ViewMode = kViewHandMove;
  t.host.canvas.Clear();
  ASSERT_TRUE(t.router->OnCommand(kCmdCloseTextBox));
  EXPECT_EQ(tools[kLineToolCode]->calls, (Calls{"Cancel"}));
  EXPECT_EQ(t.view->ViewMode, kViewNormal);
  EXPECT_EQ(a->mark, kMarkNone);
  EXPECT_EQ(b->mark, kMarkNone);
  EXPECT_EQ(c->mark, kMarkTemporary);  // not a selection mark
  EXPECT_EQ(s.pending, 0);
  EXPECT_EQ(t.host.canvas.Count(CanvasOp::kLine), 2u);  // both redrawn in their normal look
}

TEST_F(ToolSelection, TheTextBoxClosesUnlessTheTextToolIsChosen) {
  InteractionState& s = t.state();
  t.router->OnCommand(32832);
  s.textBoxOpen = 1;
  t.view->textBoxShown = true;
  t.router->OnCommand(32833);  // still the text family
  EXPECT_EQ(s.textBoxOpen, 1);
  EXPECT_EQ(t.window.textBoxHides, 0);
  t.router->OnCommand(kCmdCloseTextBox);
  EXPECT_EQ(s.textBoxOpen, 1);
  t.router->OnCommand(32811);  // the line tool: the box goes
  EXPECT_EQ(s.textBoxOpen, 0);
  EXPECT_FALSE(t.view->textBoxShown);
  EXPECT_EQ(t.window.textBoxHides, 1);
  s.textBoxOpen = 1;
  CPopEntity(*t.tools).OnFamilyButton(6);
  EXPECT_EQ(s.textBoxOpen, 1);
  CPopEntity(*t.tools).OnFamilyButton(0);
  EXPECT_EQ(s.textBoxOpen, 0);
}

struct MenuCase {
  int code, mode, step;
  bool pending, lineReference, parallelDistance, marked;
  int menu;
};

TEST_F(ToolSelection, ContextMenuByToolModeAndStep) {
  const MenuCase cases[] = {
      {0, 0, 0, true, false, false, false, 0},     {0, 1, 0, true, false, false, false, 207},
      {0, 2, 0, true, false, false, false, 209},   {0, 3, 0, true, false, false, false, 205},
      {0, 4, 0, true, false, false, false, 202},   {0, 4, 0, false, false, false, false, 0},
      {2, 0, 0, false, false, false, false, 0},    {2, 0, 1, false, false, false, false, 211},
      {2, 1, 2, false, false, false, false, 211},  {2, 3, 1, false, false, false, false, 211},
      {2, 0, 1, false, true, false, false, 0},     {2, 4, 1, false, false, false, false, 0},
      {2, 4, 1, false, false, true, false, 211},   {2, 6, 2, false, false, false, false, 0},
      {2, 6, 3, false, false, false, false, 211},  {2, 5, 3, false, false, false, false, 0},
      {2, 2, 1, false, false, false, false, 0},    {4, 0, 1, false, false, false, false, 211},
      {4, 3, 2, false, false, false, false, 211},  {4, 4, 1, false, false, false, false, 0},
      {4, 4, 2, false, false, false, false, 211},  {4, 1, 1, false, false, false, false, 0},
      {5, 2, 1, false, false, false, false, 211},  {5, 0, 1, false, false, false, false, 0},
      {11, 0, 0, true, false, false, true, 213},   {11, 0, 0, false, false, false, true, 0},
      {14, 0, 0, true, false, false, false, 212},  {14, 1, 0, true, false, false, false, 213},
      {14, 2, 0, true, false, false, false, 213},  {14, 2, 0, false, false, false, false, 0},
      {15, 0, 1, true, false, false, false, 0},    {16, 0, 1, true, false, false, false, 0},
      {8, 0, 1, true, false, false, false, 0},
  };
  DrawEntity* line = testing::AddLine(t.doc->entities, 0, 0, 10, 10);
  for (const MenuCase& c : cases) {
    InteractionState& s = t.state();
    s.CurrentToolCode = c.code;
    s.ToolMode = c.mode;
    s.InputStep = c.step;
    s.pending = c.pending;
    s.lineReferenceFlag = c.lineReference;
    CurrentSettings().ParallelDistanceOn = c.parallelDistance;
    line->mark = c.marked ? kMarkSelected : kMarkNone;
    t.ui.contextMenus.clear();
    t.router->OnContextMenu({300, 200});
    if (c.menu == 0) {
      EXPECT_TRUE(t.ui.contextMenus.empty()) << c.code << "/" << c.mode << "/" << c.step;
    } else {
      ASSERT_EQ(t.ui.contextMenus.size(), 1u) << c.code << "/" << c.mode << "/" << c.step;
      EXPECT_EQ(t.ui.contextMenus[0].first, c.menu) << c.code << "/" << c.mode << "/" << c.step;
      EXPECT_EQ(t.ui.contextMenus[0].second, (PixelPoint{300, 200}));
    }
  }
}

TEST_F(ToolSelection, TheMoveToolDropsItsPendingFlagWhenNothingIsSelected) {
  t.state().CurrentToolCode = kMoveToolCode;
  t.state().pending = 1;
  t.router->OnContextMenu({1, 1});
  EXPECT_TRUE(t.ui.contextMenus.empty());
  EXPECT_EQ(t.state().pending, 0);
}

TEST_F(ToolSelection, TheChosenMenuCommandIsCarriedOut) {
  InteractionState& s = t.state();
  s.CurrentToolCode = kPolyToolCode;
  s.ToolMode = 2;
  s.InputStep = 2;
  t.ui.contextAnswer = kCmdNumericInput;
  t.ui.numericAnswers = {"30"};
  t.router->OnContextMenu({1, 1});
  EXPECT_EQ(t.ui.numericKinds, (std::vector<int>{4}));  // the polygon's inclination
  EXPECT_EQ(tools[kPolyToolCode]->calls, (Calls{"NumericInput", "LUp 0 100,100 value=30.000000"}));
  t.ui.contextAnswer = kCmdCancel;
  t.router->OnContextMenu({1, 1});
  EXPECT_EQ(tools[kPolyToolCode]->calls.back(), "Cancel");
}

TEST_F(ToolSelection, SpaceOpensTheNumericInputOnlyWhereItIsOffered) {
  const MenuCase cases[] = {
      // `menu` is 1 where Space opens the dialog.
      {2, 0, 0, false, false, false, false, 0}, {2, 0, 1, false, false, false, false, 1},
      {2, 1, 1, false, false, false, false, 1}, {2, 3, 2, false, false, false, false, 1},
      {2, 0, 1, false, true, false, false, 0},  {2, 4, 1, false, false, false, false, 0},
      {2, 4, 1, false, false, true, false, 1},  {2, 5, 2, false, false, false, false, 0},
      {2, 5, 3, false, false, false, false, 1}, {2, 6, 3, false, false, false, false, 0},
      {4, 0, 1, false, false, false, false, 1}, {4, 3, 1, false, false, false, false, 1},
      {4, 4, 1, false, false, false, false, 1},  // from step 1, while its menu needs step 2
      {4, 1, 1, false, false, false, false, 0}, {4, 0, 0, false, false, false, false, 0},
      {5, 2, 1, false, false, false, false, 1}, {5, 1, 1, false, false, false, false, 0},
      {0, 0, 1, true, false, false, false, 0},  {11, 0, 1, true, false, false, false, 0},
  };
  for (const MenuCase& c : cases) {
    InteractionState& s = t.state();
    s.CurrentToolCode = c.code;
    s.ToolMode = c.mode;
    s.InputStep = c.step;
    s.pending = c.pending;
    s.lineReferenceFlag = c.lineReference;
    CurrentSettings().ParallelDistanceOn = c.parallelDistance;
    CurrentSettings().LineHVMode = 1;  // keep the line tool on the single-value dialog
    CurrentSettings().PolylineHVMode = 1;
    const std::size_t before = t.ui.numericKinds.size();
    t.router->OnCommand(kCmdSpace);
    EXPECT_EQ(t.ui.numericKinds.size() - before, static_cast<std::size_t>(c.menu)) << c.code << "/" << c.mode << "/" << c.step;
  }
}

TEST_F(ToolSelection, PromptsKeepAtMost127ShiftJisBytes) {
  t.tools->ShowPrompt(kPromptEmphasis, std::string(200, 'a'));
  EXPECT_EQ(t.tools->promptBox().sjis().size(), 127u);
  EXPECT_EQ(t.tools->promptBox().kind(), kPromptEmphasis);
  // 64 two-byte characters: the 64th would end at byte 128, so 63 stay.
  std::string wide;
  for (int i = 0; i < 64; ++i) wide += "あ";
  t.tools->ShowPrompt(kPromptInstruction, wide);
  EXPECT_EQ(t.tools->promptBox().sjis().size(), 126u);
  EXPECT_EQ(t.tools->promptBox().text().size(), 63u * 3);
  const int repaints = t.ui.promptRepaints;
  t.toolView().ShowFirstPrompt();
  EXPECT_EQ(t.ui.promptRepaints, repaints + 1);
  EXPECT_EQ(Prompt(), "図形を選んで移動・変形を行います。（Ｗクリックで属性変更）");
}

TEST_F(ToolSelection, ThePaletteRemembersWhereItWasMoved) {
  CPopEntity palette(*t.tools);
  palette.OnMove({120, 340});
  EXPECT_EQ(palette.position(), (PixelPoint{120, 340}));
  EXPECT_EQ(CurrentSettings().PaletteX, 120);
  palette.OnMove({100000, -100000});
  EXPECT_EQ(palette.position(), (PixelPoint{32767, -32768}));
}

TEST_F(ToolSelection, TheSelectionBarsButtonsReachTheActiveTool) {
  t.router->OnCommand(32801);
  OperationBar* bar = t.tools->operationBars().current();
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(bar->Click(1496));
  EXPECT_EQ(tools[kSelectToolCode]->calls, (Calls{"Command 1496"}));
}

}  // namespace
}  // namespace plenwick
