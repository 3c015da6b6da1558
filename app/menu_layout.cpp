// The menu bar's layout and the accelerator keys.
#include "menu_layout.h"

#include "shell_command_ids.h"
#include "view/plenwick_view.h"
#include "view/tool_framework/command_ids.h"
#include "view/tool_framework/command_table.h"
#include "view/tool_framework/tool_codes.h"

namespace plenwick {

namespace {

MenuItem Cmd(int id) { return {MenuItem::kCommand, id, nullptr, {}}; }
MenuItem Sep() { return {MenuItem::kSeparator, 0, nullptr, {}}; }
MenuItem Sub(const char* title, std::vector<int> ids) { return {MenuItem::kSubmenu, 0, title, std::move(ids)}; }

// "作図": one submenu per palette family with its modes in palette order.
std::vector<MenuItem> DrawingMenu() {
  std::vector<MenuItem> items;
  for (const PaletteFamilyInfo& family : PaletteFamilies()) {
    std::vector<int> ids;
    for (const ToolModeInfo* mode : ModesOfFamily(family.family)) {
      if (mode->command != 0) ids.push_back(mode->command);
    }
    items.push_back(Sub(family.caption.data(), std::move(ids)));
  }
  return items;
}

Qt::Key QtKeyOf(AccelKey key) {
  switch (key) {
    case AccelKey::kReturn: return Qt::Key_Return;
    case AccelKey::kEscape: return Qt::Key_Escape;
    case AccelKey::kSpace: return Qt::Key_Space;
    case AccelKey::kUp: return Qt::Key_Up;
    case AccelKey::kDown: return Qt::Key_Down;
    case AccelKey::kLeft: return Qt::Key_Left;
    case AccelKey::kRight: return Qt::Key_Right;
    case AccelKey::kPageUp: return Qt::Key_PageUp;
    case AccelKey::kPageDown: return Qt::Key_PageDown;
    case AccelKey::kBackspace: return Qt::Key_Backspace;
    case AccelKey::kA: return Qt::Key_A;
    case AccelKey::kC: return Qt::Key_C;
    case AccelKey::kP: return Qt::Key_P;
    case AccelKey::kZ: return Qt::Key_Z;
  }
  return Qt::Key_unknown;
}

QKeySequence SequenceOf(const Accelerator& a) {
  QKeyCombination combination(QtKeyOf(a.key));
  Qt::KeyboardModifiers modifiers;
  if (a.modifiers & kAccelCtrl) modifiers |= Qt::ControlModifier;
  if (a.modifiers & kAccelAlt) modifiers |= Qt::AltModifier;
  if (a.modifiers & kAccelShift) modifiers |= Qt::ShiftModifier;
  return QKeySequence(QKeyCombination(modifiers, combination.key()));
}

std::vector<KeyBinding> BuildKeys() {
  std::vector<KeyBinding> keys;
  auto add = [&keys](const QKeySequence& sequence, int command) {
    for (const KeyBinding& k : keys) {
      if (k.key == sequence) return;  // the first binding of a key is the one that acts
    }
    keys.push_back({sequence, command});
  };
  for (const Accelerator& a : AcceleratorTable()) {
    add(SequenceOf(a), a.command);
    // The keypad's Enter is Enter too.
    if (a.key == AccelKey::kReturn && a.modifiers == kAccelNone) add(QKeySequence(Qt::Key_Enter), a.command);
  }
  // The usual file keys of the framework.
  add(QKeySequence(Qt::CTRL | Qt::Key_N), kCmdFileNew);
  add(QKeySequence(Qt::CTRL | Qt::Key_O), kCmdFileOpen);
  add(QKeySequence(Qt::CTRL | Qt::Key_S), kCmdFileSave);
  return keys;
}

}  // namespace

const std::vector<MenuSpec>& MainMenus() {
  static const std::vector<MenuSpec> menus{
      {"ファイル(&F)",
       {Cmd(kCmdFileNew), Cmd(kCmdFileOpen), Cmd(kCmdFileClose), Cmd(kCmdFileSave), Cmd(kCmdFileSaveAs), Sep(),
        Cmd(kCmdOpenDxf), Cmd(kCmdOpenJwc), Cmd(kCmdOpenJww), Sep(), Cmd(kCmdSaveDxf), Cmd(kCmdSaveJww), Cmd(kCmdSaveEmf),
        Cmd(kCmdSaveImage), Cmd(kCmdSaveHpgl), Sep(), Cmd(kCmdPrint), Cmd(kCmdPrintPreview), Cmd(kCmdPrintSetup), Sep(),
        Cmd(kCmdPlotterOutput), Cmd(kCmdPlotterSettings), Sep(), {MenuItem::kRecentFiles, 0, nullptr, {}}, Sep(),
        Cmd(kCmdAppExit)}},
      {"編集(&E)", {Cmd(kCmdUndo), Sep(), Cmd(kCmdCopyToClipboard), Sep(), Cmd(kCmdSelectAll), Cmd(kCmdNumericInput)}},
      {"表示(&V)",
       {Cmd(kCmdViewToolbar), Cmd(kCmdViewStatusBar), Sep(), Cmd(kCmdDrawingPalette), Cmd(kCmdPartsData), Cmd(kCmdLayerList),
        Cmd(kCmdEntityList), Sep(), Cmd(kCmdRedraw), Cmd(kCmdBaseScreen), Cmd(kCmdShowWhole), Cmd(kCmdZoomIn), Cmd(kCmdZoomOut),
        Cmd(kCmdRangeZoom), Cmd(kCmdCentreMove), Cmd(kCmdHandMove), Sep(), Cmd(kCmdGridDisplay), Cmd(kCmdAreaFrame),
        Cmd(kCmdOriginMark), Cmd(kCmdMagnet), Cmd(kCmdDistanceDisplay)}},
      {"作図(&D)", DrawingMenu()},
      {"オプション(&O)",
       {Cmd(kCmdDrawingInfo), Cmd(kCmdInitialSettings), Cmd(kCmdToleranceSettings), Sep(),
        Sub("レイヤー", {kCmdLayerAdd, kCmdLayerProperty, 0, kCmdLayerNormal, kCmdLayerOffColour, kCmdLayerHidden})}},
      {"ウィンドウ(&W)", {Cmd(kCmdWindowCascade), Cmd(kCmdWindowTile), {MenuItem::kWindowList, 0, nullptr, {}}}},
      {"ヘルプ(&H)", {Cmd(kCmdAppAbout)}},
  };
  return menus;
}

const std::vector<int>& CheckableCommands() {
  static const std::vector<int> ids{kCmdDrawingPalette, kCmdPartsData,  kCmdLayerList,       kCmdRangeZoom,
                                    kCmdHandMove,       kCmdCentreMove, kCmdGridDisplay,     kCmdAreaFrame,
                                    kCmdOriginMark,     kCmdMagnet,     kCmdDistanceDisplay, kCmdViewToolbar,
                                    kCmdViewStatusBar};
  return ids;
}

const std::vector<KeyBinding>& KeyBindings() {
  static const std::vector<KeyBinding> keys = BuildKeys();
  return keys;
}

}  // namespace plenwick
