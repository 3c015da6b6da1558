// The menu bar's layout and the accelerator keys.
#include "menu_layout.h"

#include "command_ids_pending.h"
#include "shell_command_ids.h"
#include "view/plenwick_view.h"

namespace plenwick {

namespace {

MenuItem Cmd(int id) { return {MenuItem::kCommand, id, nullptr, {}}; }
MenuItem Sep() { return {MenuItem::kSeparator, 0, nullptr, {}}; }
MenuItem Sub(const char* title, std::vector<int> ids) { return {MenuItem::kSubmenu, 0, title, std::move(ids)}; }

}  // namespace

const std::vector<MenuSpec>& MainMenus() {
  static const std::vector<MenuSpec> menus{
      {"ファイル(&F)",
       {Cmd(kCmdFileNew), Cmd(kCmdFileOpen), Cmd(kCmdFileClose), Cmd(kCmdFileSave), Cmd(kCmdFileSaveAs), Sep(),
        Cmd(kCmdOpenDxf), Cmd(kCmdOpenJwc), Cmd(kCmdOpenJww), Sep(), Cmd(kCmdSaveDxf), Cmd(kCmdSaveJww), Cmd(kCmdSaveEmf),
        Cmd(kCmdSaveImage), Cmd(kCmdSaveHpgl), Sep(), Cmd(kCmdPrint), Cmd(kCmdPrintPreview), Cmd(kCmdPrintSetup), Sep(),
        Cmd(kCmdPlotterOutput), Cmd(kCmdPlotterSettings), Sep(), {MenuItem::kRecentFiles, 0, nullptr, {}}, Sep(),
        Cmd(kCmdAppExit)}},
      {"編集(&E)", {Cmd(kCmdUndo), Sep(), Cmd(kCmdCopyToClipboard), Sep(), Cmd(kCmdSelectAll)}},
      {"表示(&V)",
       {Cmd(kCmdViewToolbar), Cmd(kCmdViewStatusBar), Sep(), Cmd(kCmdDrawingPalette), Cmd(kCmdPartsData), Cmd(kCmdLayerList),
        Cmd(kCmdEntityList), Sep(), Cmd(kCmdRedraw), Cmd(kCmdBaseScreen), Cmd(kCmdShowWhole), Cmd(kCmdZoomIn), Cmd(kCmdZoomOut),
        Cmd(kCmdRangeZoom), Cmd(kCmdCentreMove), Cmd(kCmdHandMove), Sep(), Cmd(kCmdGridDisplay), Cmd(kCmdAreaFrame),
        Cmd(kCmdOriginMark), Cmd(kCmdMagnet), Cmd(kCmdDistanceDisplay)}},
      {"作図(&D)", {}},
      {"オプション(&O)",
       {Cmd(kCmdDrawingInfo), Cmd(kCmdInitialSettings), Sep(),
        Sub("レイヤー", {kCmdLayerAdd, kCmdLayerProperty, 0, kCmdLayerNormal, kCmdLayerOffColour, kCmdLayerHidden})}},
      {"ウィンドウ(&W)", {Cmd(kCmdWindowCascade), Cmd(kCmdWindowTile), {MenuItem::kWindowList, 0, nullptr, {}}}},
      {"ヘルプ(&H)", {Cmd(kCmdAppAbout)}},
  };
  return menus;
}

const std::vector<int>& CheckableCommands() {
  static const std::vector<int> ids{kCmdDrawingPalette, kCmdPartsData,  kCmdLayerList,     kCmdRangeZoom,
                                    kCmdHandMove,       kCmdCentreMove, kCmdGridDisplay,   kCmdAreaFrame,
                                    kCmdOriginMark,     kCmdMagnet,     kCmdDistanceDisplay, kCmdViewToolbar,
                                    kCmdViewStatusBar};
  return ids;
}

const std::vector<KeyBinding>& KeyBindings() {
  static const std::vector<KeyBinding> keys{
      {QKeySequence(Qt::Key_Up), kCmdPanUp},
      {QKeySequence(Qt::Key_Down), kCmdPanDown},
      {QKeySequence(Qt::Key_Left), kCmdPanLeft},
      {QKeySequence(Qt::Key_Right), kCmdPanRight},
      {QKeySequence(Qt::Key_PageUp), kCmdPageUp},
      {QKeySequence(Qt::Key_PageDown), kCmdPageDown},
      {QKeySequence(Qt::Key_Return), kCmdReturnKey},
      {QKeySequence(Qt::Key_Enter), kCmdReturnKey},
      {QKeySequence(Qt::Key_Escape), kCmdEscape},
      {QKeySequence(Qt::Key_Space), kCmdSpace},
      {QKeySequence(Qt::CTRL | Qt::Key_A), kCmdSelectAllKey},
      {QKeySequence(Qt::CTRL | Qt::Key_Z), kCmdUndo},
      {QKeySequence(Qt::ALT | Qt::Key_Backspace), kCmdUndo},
      {QKeySequence(Qt::CTRL | Qt::Key_C), kCmdCopyToClipboard},
      {QKeySequence(Qt::CTRL | Qt::Key_P), kCmdPrint},
      {QKeySequence(Qt::ALT | Qt::Key_P), kCmdPlotterOutput},
      // The usual file keys of the framework.
      {QKeySequence(Qt::CTRL | Qt::Key_N), kCmdFileNew},
      {QKeySequence(Qt::CTRL | Qt::Key_O), kCmdFileOpen},
      {QKeySequence(Qt::CTRL | Qt::Key_S), kCmdFileSave},
  };
  return keys;
}

}  // namespace plenwick
