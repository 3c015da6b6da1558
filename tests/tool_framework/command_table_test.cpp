// Guards the one table the menus, palette, keys and tool selection are built from: no id twice,
// every tool command choosing an existing family and mode of the right tool, every mode with its
// prompt and a bar that exists, the palette's families and the rule that the first binding of a
// key wins.
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>

#include "view/plenwick_view.h"
#include "view/tool_framework/command_table.h"
#include "view/tool_framework/operation_bars.h"
#include "view/tool_framework/tool_codes.h"

namespace plenwick {
namespace {

TEST(CommandTable, HoldsEveryIdOnce) {
  std::set<int> ids;
  for (const CommandInfo& c : CommandTable()) EXPECT_TRUE(ids.insert(c.id).second) << c.id;
  for (const int id : std::initializer_list<int>{kCmdRedraw, kCmdPanRight, kCmdPageUp, kCmdGridPitch, kCmdUndo, kCmdCloseTextBox, kCmdSpace,
                       kCmdFileNew, kCmdDrawingPalette, kCmdPlotterOutput, kCmdInitialSettings, kCmdLayerUpdate}) {
    EXPECT_TRUE(ids.count(id)) << id;
  }
}

TEST(CommandTable, ToolCommandsSelectTheirFamilyAndMode) {
  const struct {
    int command, family, mode, bar;
    std::string_view menu, palette;
  } cases[] = {
      {32801, 0, 0, 25, "図形選択", "図形選択"},
      {32811, 2, 0, 17, "直線", "直　線"},
      {32819, 4, 1, 0, "円（直径指定）", "円(直径)"},  // 32819 sits among the line commands
      {32820, 2, 8, 3, "角度移動線", "角度移動線"},
      {32824, 4, 0, 5, "円（半径指定）", "円(半径)"},
      {32851, 10, 0, 9, "コーナー", "図形選択"},
      {32852, 11, 0, 20, "拡大・縮小", "拡大・縮小"},
      {32855, 12, 0, 24, "移動", "移　動"},
      {32861, 12, 6, 10, "図面間複写", "図面間複写"},
      {32863, 13, 1, 23, "塗りつぶし", "塗りつぶし"},
      {32867, 15, 2, 0, "円錐展開図", "円錐展開図"},
  };
  for (const auto& c : cases) {
    const CommandInfo* info = FindCommand(c.command);
    ASSERT_NE(info, nullptr) << c.command;
    EXPECT_EQ(info->kind, CommandKind::kToolSelect);
    EXPECT_EQ(info->family, c.family) << c.command;
    EXPECT_EQ(info->mode, c.mode) << c.command;
    EXPECT_EQ(info->menuText, c.menu) << c.command;
    const ToolModeInfo* mode = FindToolMode(c.family, c.mode);
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->paletteName, c.palette);
    EXPECT_EQ(OperationBarFor(c.family, c.mode), c.bar);
  }
  int toolCommands = 0;
  for (const CommandInfo& c : CommandTable()) {
    if (c.kind != CommandKind::kToolSelect) continue;
    ++toolCommands;
    EXPECT_GE(c.id, kCmdFirstToolSelect);
    EXPECT_LE(c.id, kCmdLastToolSelect);
  }
  EXPECT_EQ(toolCommands, 67);
}

TEST(CommandTable, EveryModeHasAPromptAndABarThatExists) {
  int modes = 0;
  for (const ToolModeInfo& m : ToolModeTable()) {
    ++modes;
    EXPECT_FALSE(m.firstPrompt.empty()) << m.family << "," << m.mode;
    EXPECT_GE(m.operationBar, 0);
    EXPECT_LE(m.operationBar, kOperationBarCount);
  }
  EXPECT_EQ(modes, 68);  // 67 palette rows and the parts placement
  // The palette lists are consecutive modes from 0.
  const int counts[kPaletteFamilyCount] = {5, 5, 9, 3, 6, 3, 2, 8, 3, 6, 1, 3, 7, 2, 1, 3};
  for (int f = 0; f < kPaletteFamilyCount; ++f) {
    const auto list = ModesOfFamily(f);
    ASSERT_EQ(static_cast<int>(list.size()), counts[f]) << f;
    for (int i = 0; i < counts[f]; ++i) EXPECT_EQ(list[static_cast<std::size_t>(i)]->mode, i);
  }
  EXPECT_EQ(FirstPrompt(kPartsFamily, 0), "部品データの配置位置をクリックしてください。");
  EXPECT_EQ(FirstPrompt(2, 9), "");
  EXPECT_EQ(OperationBarFor(99, 0), 0);
}

TEST(ToolCodes, FamiliesSelectTheirTools) {
  const int expected[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 14, 11, 12, 13, 15, 16};
  for (int f = 0; f <= kPartsFamily; ++f) {
    EXPECT_EQ(ToolCodeForFamily(f), expected[f]) << f;
    EXPECT_EQ(FamilyForToolCode(expected[f]), f);
  }
  EXPECT_EQ(ToolCodeForFamily(17), 0);
  EXPECT_EQ(ToolCodeForFamily(-1), 0);
  EXPECT_EQ(FamilyForToolCode(17), -1);
  EXPECT_EQ(ToolClassName(11), "CMoveTool");
  EXPECT_EQ(ToolClassName(14), "CTransformTool");
  EXPECT_EQ(ToolClassName(12), "CHatchiTool");
  EXPECT_EQ(ToolClassName(17), "");
}

TEST(CommandTable, FirstKeyBindingWins) {
  const struct {
    AccelKey key;
    unsigned modifiers;
    int command;
  } cases[] = {
      {AccelKey::kReturn, kAccelNone, kCmdReturnKey},  // never the second Enter binding, 32781
      {AccelKey::kEscape, kAccelNone, kCmdEscape},
      {AccelKey::kSpace, kAccelNone, kCmdSpace},
      {AccelKey::kA, kAccelCtrl, kCmdSelectAllKey},
      {AccelKey::kZ, kAccelCtrl, kCmdUndo},
      {AccelKey::kBackspace, kAccelAlt, kCmdUndo},
      {AccelKey::kUp, kAccelNone, kCmdPanUp},
      {AccelKey::kPageDown, kAccelNone, kCmdPageDown},
      {AccelKey::kP, kAccelAlt, kCmdPlotterOutput},
      {AccelKey::kZ, kAccelNone, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(CommandForKey(c.key, c.modifiers), c.command);
}

TEST(CommandTable, PaletteFamiliesAndContextMenus) {
  const auto families = PaletteFamilies();
  ASSERT_EQ(families.size(), 16u);
  EXPECT_EQ(families[0].controlId, 1001);
  EXPECT_EQ(families[1].controlId, 1002);
  EXPECT_EQ(families[2].controlId, 1004);
  EXPECT_EQ(families[14].controlId, 1028);
  EXPECT_EQ(families[15].controlId, 1029);
  EXPECT_EQ(families[11].iconId, 154);
  EXPECT_EQ(families[12].iconId, 156);
  EXPECT_EQ(families[15].iconId, 162);
  const struct {
    int menu, command;
  } menus[] = {{202, 32771}, {205, 32883}, {207, 32884}, {209, 32885}, {211, 32886}, {212, 32887}, {213, 32888}};
  for (const auto& m : menus) {
    const ContextMenuInfo* info = FindContextMenu(m.menu);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->command, m.command);
    EXPECT_NE(FindCommand(m.command), nullptr);
  }
}

}  // namespace
}  // namespace plenwick
