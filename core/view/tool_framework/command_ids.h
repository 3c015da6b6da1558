// Command ids of the tools, the context menus, the keys and the main frame (the view's own
// commands are ViewCommandId in view/plenwick_view.h). The command table lists them all.
#pragma once

namespace plenwick {

enum ToolCommandId : int {
  // Tool selection (each selects a palette family and mode; the table gives which).
  kCmdFirstToolSelect = 32801,
  kCmdLastToolSelect = 32867,
  kCmdSelectListMode = 32805,  // "作図要素リスト": the selection tool's list mode

  // Routed to the active tool.
  kCmdReturnKey = 32779,         // Enter
  kCmdFocusOperationBar = 32781, // the second binding of Enter
  kCmdCancel = 32773,            // "キャンセル"
  kCmdEscape = 32783,            // Esc
  kCmdSpace = 32784,             // Space: numeric input when allowed
  kCmdNumericInput = 32886,      // "数値入力..."
  kCmdUndo = 57643,              // "元に戻す"
  kCmdSelectAllKey = 32791,      // Ctrl+A
  kCmdSelectAll = 32794,         // "すべて選択"
  kCmdEndSelection = 32888,      // "選択終了"
  kCmdListEdit = 32771,          // "リスト編集..."
  kCmdPartsRegistration = 32883, // "部品データ登録..."
  kCmdGroupRegister = 32884,     // "グループ登録"
  kCmdGroupRelease = 32885,      // "グループ解除"
  kCmdScaleInput = 32887,        // "拡大・縮小"
  kCmdCloseTextBox = 107,        // "文字入力ＢＯＸを消す": cancel, close the text box, clear marks
  kCmdLayerUpdate = 108,         // "レイヤーの更新"
  kCmdToleranceSettings = 32868, // "寸法公差設定"

  // Main frame.
  kCmdDrawingPalette = 32870,
  kCmdPartsData = 32871,
  kCmdLayerList = 32872,
  kCmdLayerAdd = 32782,
  kCmdLayerProperty = 32785,
  kCmdLayerNormal = 32776,
  kCmdLayerOffColour = 32778,
  kCmdLayerHidden = 32780,
  kCmdOpenDxf = 32789,
  kCmdOpenJwc = 32790,
  kCmdOpenJww = 32792,
  kCmdSaveJww = 32795,
  kCmdSaveEmf = 32796,
  kCmdSaveImage = 32797,
  kCmdSaveHpgl = 32798,
  kCmdPlotterOutput = 32799,
  kCmdPlotterSettings = 32800,
  kCmdSaveDxf = 32899,
  kCmdEntityList = 32890,
  kCmdInfoLeft = 32891,   // no handler: always disabled
  kCmdInfoRight = 32892,  // no handler: always disabled
  kCmdDrawingInfo = 32894,
  kCmdSizeInfo = 32895,   // no handler: always disabled
  kCmdInitialSettings = 32869,
  kCmdFileNew = 57600,
  kCmdFileOpen = 57601,
  kCmdFileClose = 57602,
  kCmdFileSave = 57603,
  kCmdFileSaveAs = 57604,
  kCmdPrintSetup = 57606,
  kCmdPrint = 57607,
  kCmdPrintPreview = 57609,
  kCmdCopyToClipboard = 57634,
  kCmdAppExit = 57665,
};

// Context menus (each: one command, then "キャンセル").
enum ContextMenuId : int {
  kMenuListEdit = 202,
  kMenuPartsRegistration = 205,
  kMenuGroupRegister = 207,
  kMenuGroupRelease = 209,
  kMenuNumericInput = 211,
  kMenuScale = 212,
  kMenuEndSelection = 213,
};

// Picture buttons of the figure-selection bar: pressing one sends its id to the active view as a
// command for the active tool.
enum SelectBarButtonId : int {
  kSelectBarFirstButton = 1493,
  kSelectBarLastButton = 1498,
};

}  // namespace plenwick
