// The command, tool-mode, context-menu, key and palette tables.
#include "view/tool_framework/command_table.h"

#include <algorithm>
#include <array>

#include "view/plenwick_view.h"
#include "view/tool_framework/tool_codes.h"

namespace plenwick {

namespace {

constexpr ToolModeInfo kToolModes[] = {
    {0, 0, 32801, "図形選択", "図形選択", 25, "図形を選んで移動・変形を行います。（Ｗクリックで属性変更）"},
    {0, 1, 32802, "グループ登録", "グループ登録", 0, "図形を選んでグループ登録を行います。"},
    {0, 2, 32803, "グループ解除", "グループ解除", 0, "グループ登録を解除します。"},
    {0, 3, 32804, "部品データ登録", "部品データ登録", 0, "図形を選んで部品データ登録を行います。"},
    {0, 4, 32805, "作図要素リスト", "作図要素リスト", 0, "選ばれた図形要素のリスト編集を行います。"},
    {1, 0, 32806, "任意点", "任意点", 22, "任意点の作図を行います。"},
    {1, 1, 32807, "座標入力", "座標入力", 1, "基準点を指示(クリック)して下さい。"},
    {1, 2, 32808, "交　点", "交点", 22, "対象図形１を指示(クリック)して下さい。"},
    {1, 3, 32809, "移動点", "移動点", 2, "直線・円・円弧上の点を移動します。点or対象図形を選んでください。"},
    {1, 4, 32810, "構成点", "構成点", 22, "対象図形を指示(クリック)して下さい。"},
    {2, 0, 32811, "直　線", "直線", 17, "直線を作図します。始端を指示して下さい。"},
    {2, 1, 32812, "連続線", "連続線", 18, "連続線を作図します。始端を指示して下さい。"},
    {2, 2, 32813, "無限線", "無限線", 15, "無限線を作図します。"},
    {2, 3, 32814, "垂　線", "垂線", 0, "垂線を作図します。対象となる線を指示して下さい。"},
    {2, 4, 32815, "平行線", "平行線", 16, "平行基準線を指示して下さい。"},
    {2, 5, 32816, "中心線", "中心線", 0, "中心線を作図します。対象とする線分を選んでください。"},
    {2, 6, 32817, "幅付き線", "幅付き線", 4, "幅付き線を作図します。始端を指示して下さい。"},
    {2, 7, 32818, "接　線", "接線", 0, "接線を作図します。円をクリックして下さい。"},
    {2, 8, 32820, "角度移動線", "角度移動線", 3, "基準となる点または線を指示して下さい。"},
    {3, 0, 32821, "ベジェ曲線", "ベジェ曲線", 0, "ベジェ曲線を作図します。開始点を指示して下さい。"},
    {3, 1, 32822, "連続円弧", "連続円弧", 0, "連続円弧を作図します。始端を指示して下さい。"},
    {3, 2, 32823, "自由曲線", "自由曲線", 0, "マウスドラッグで、自由曲線を作図します。"},
    {4, 0, 32824, "円(半径)", "円（半径指定）", 5, "円を作図します。中心位置指示して下さい。"},
    {4, 1, 32819, "円(直径)", "円（直径指定）", 0, "円を作図します。直径の始端を指示して下さい。"},
    {4, 2, 32825, "３点円", "３点円", 0, "３点指定円を作図します。開始位置を指示して下さい。"},
    {4, 3, 32826, "円弧(半径)", "円弧（半径）", 6, "円弧を作図します。中心位置を指示して下さい。"},
    {4, 4, 32827, "円弧(直径)", "円弧（直径）", 0, "円弧を作図します。直径開始位置を指示して下さい。"},
    {4, 5, 32828, "３点円弧", "３点円弧", 0, "３点指定円弧を作図します。円弧始端を指示して下さい。"},
    {5, 0, 32829, "ボックス", "ボックス", 7, "矩形を作図します。開始位置を指示して下さい。"},
    {5, 1, 32830, "平行四辺形", "平行四辺形", 0, "平行四辺形を作図します。基準線 始端を指示して下さい。"},
    {5, 2, 32831, "多角形", "多角形", 8, "多角形を作図します。中心点を指示して下さい。"},
    {6, 0, 32832, "任意文字", "任意文字", 13, "文字列を作図します。作図位置を指示して下さい。"},
    {6, 1, 32833, "指示線付き", "指示線付き", 14, "指示線付き文字列を作図します。作図位置を指示して下さい。"},
    {7, 0, 32834, "距離寸法", "距離寸法", 12, "距離寸法の開始位置を指示して下さい。"},
    {7, 1, 32835, "水平寸法", "水平寸法", 12, "水平寸法の開始位置を指示して下さい。"},
    {7, 2, 32836, "垂直寸法", "垂直寸法", 12, "垂直寸法の開始位置を指示して下さい。"},
    {7, 3, 32837, "周　長", "円周", 12, "周長寸法を作図します。閉領域を指示して下さい。"},
    {7, 4, 32838, "半　径", "半径", 12, "半径を求める円・円弧を指示して下さい。"},
    {7, 5, 32839, "直　径", "直径", 12, "直径を求める円・円弧を指示して下さい。"},
    {7, 6, 32840, "角　度", "角度寸法", 12, "角度を求める図形要素を指示して下さい。"},
    {7, 7, 32841, "面　積", "面積", 12, "面積を求める閉領域を指示して下さい。"},
    {8, 0, 32842, "単一削除", "単一削除", 0, "削除対象図形を指示して下さい。"},
    {8, 1, 32843, "クロス削除", "クロス削除", 0, "削除クロス線の始端を指示して下さい。"},
    {8, 2, 32844, "グループ削除", "グループ削除", 0, "グループ領域の開始位置を指示して下さい。"},
    {9, 0, 32845, "伸　縮", "伸縮", 0, "伸縮する、図形要素を指示して下さい。"},
    {9, 1, 32846, "基準線伸縮", "基準線伸縮", 0, "伸縮の基準線を指示して下さい。"},
    {9, 2, 32847, "カット", "カット", 0, "カットする図形要素を指示して下さい。"},
    {9, 3, 32848, "２線間カット", "２線間カット", 0, "２線間の直線をカットします。第１直線を指示して下さい。"},
    {9, 4, 32849, "接　合", "接合", 0, "接合する図形要素を指示して下さい。"},
    {9, 5, 32850, "包括処理", "包括処理", 0, "包括処理を行う開始位置をクリックしてください。"},
    {10, 0, 32851, "図形選択", "コーナー", 9, "コーナー処理を行う直線を指示して下さい。"},
    {11, 0, 32852, "拡大・縮小", "拡大・縮小", 20, "図形の拡大・縮小を行います。対象図形を選んでください。"},
    {11, 1, 32853, "ストレッチ", "ストレッチ", 19, "ストレッチを行います。対象図形を選んでください。"},
    {11, 2, 32854, "オフセット", "オフセット", 21, "図形のオフセットを行います。対象図形を選んでください。"},
    {12, 0, 32855, "移　動", "移動", 24, "移動する図形要素を選んでください。"},
    {12, 1, 32856, "複　写", "複写", 24, "複写する図形要素をボックスで囲んでください。"},
    {12, 2, 32857, "水平反転移動", "水平反転移動", 0, "水平反転 移動する図形要素を選んでください。"},
    {12, 3, 32858, "水平反転複写", "水平反転複写", 0, "水平反転 複写する図形要素を選んでください。"},
    {12, 4, 32859, "垂直反転移動", "垂直反転移動", 0, "垂直反転 移動する図形要素を選んでください。"},
    {12, 5, 32860, "垂直反転複写", "垂直反転複写", 0, "垂直反転 複写する図形要素を選んでください。"},
    {12, 6, 32861, "図面間複写", "図面間複写", 10, "図面間移動を行う図形要素を選んでください。"},
    {13, 0, 32862, "ハッチング", "ハッチング", 11, "ハッチングを行う閉領域を指示して下さい。"},
    {13, 1, 32863, "塗りつぶし", "塗りつぶし", 23, "塗つぶしを行う閉領域を指示して下さい。"},
    {14, 0, 32864, "画像貼付け", "画像貼付け", 0, "画像を作図します。開始位置を指示して下さい。"},
    {15, 0, 32865, "円柱展開図", "円柱展開図", 0, "円柱展開図を作図します。開始位置を指示して下さい。"},
    {15, 1, 32866, "四角柱展開図", "四角柱展開図", 0, "四角柱展開図を作図します。開始位置を指示して下さい。"},
    {15, 2, 32867, "円錐展開図", "円錐展開図", 0, "円錐展開図を作図します。開始位置を指示して下さい。"},
    // The parts placement has no palette row and no command of its own.
    {kPartsFamily, 0, 0, "", "", 0, "部品データの配置位置をクリックしてください。"},
};

constexpr CommandKind kSel = CommandKind::kToolSelect;
constexpr CommandKind kTool = CommandKind::kToolRouted;
constexpr CommandKind kView = CommandKind::kView;
constexpr CommandKind kFrame = CommandKind::kFrame;
constexpr CommandKind kOff = CommandKind::kDisabled;

// Everything but the tool selections, which are generated from kToolModes.
constexpr CommandInfo kOtherCommands[] = {
    // Routed to the active tool.
    {kCmdReturnKey, kTool, "", ""},
    {kCmdFocusOperationBar, kTool, "", ""},
    {kCmdCancel, kTool, "キャンセル", ""},
    {kCmdEscape, kTool, "", ""},
    {kCmdSpace, kTool, "", ""},
    {kCmdNumericInput, kTool, "数値入力...", ""},
    {kCmdUndo, kTool, "元に戻す", ""},
    {kCmdSelectAllKey, kTool, "", ""},
    {kCmdSelectAll, kTool, "すべて選択\tCtrl+A(&A)", ""},
    {kCmdEndSelection, kTool, "選択終了", ""},
    {kCmdListEdit, kTool, "リスト編集...", ""},
    {kCmdPartsRegistration, kTool, "部品データ登録...", ""},
    {kCmdGroupRegister, kTool, "グループ登録", ""},
    {kCmdGroupRelease, kTool, "グループ解除", ""},
    {kCmdScaleInput, kTool, "拡大・縮小", ""},
    {kCmdCloseTextBox, kTool, "文字入力ＢＯＸを消す", ""},
    // The view.
    {kCmdRedraw, kView, "再表示(&R)", "作図画面を再表示します。\n再表示"},
    {kCmdBaseScreen, kView, "基準画面に戻る(&B)", "基準サイズで図形要素を表示します。\n基準サイズに戻す"},
    {kCmdShowWhole, kView, "全体表示(&A)", "図面全体が表示できるように調整します\nパン処理"},
    {kCmdZoomIn, kView, "拡大(&+)\tPageUp", "10% 幅で図面を拡大する。\n拡大"},
    {kCmdZoomOut, kView, "縮小(&-)\tPageDown", "10% 幅で図面を縮小する。\n縮小"},
    {kCmdRangeZoom, kView, "範囲拡大(&Z)", "指定範囲を拡大表示します。\n拡大表示"},
    {kCmdCentreMove, kView, "", "指示したポイントを画面中心に移動します。\n中心移動"},
    {kCmdHandMove, kView, "", "図面の一部をつかんでドラッグさせて移動します。\nハンド移動"},
    {kCmdGridDisplay, kView, "グリッド表示(&G)", "グリッドの表示/非表示を行います。\nグリッド表示"},
    {kCmdAreaFrame, kView, "作図範囲表示(&D)", "作図範囲を表示します。\n作図範囲表示"},
    {kCmdOriginMark, kView, "原点マーク表示", "X:0 Y:0 の原点マークを表示します。\n原点マーク"},
    {kCmdMagnet, kView, "マグネット機能(&M)", "既存の図形要素に引きつけます。\nマグネット"},
    {kCmdDistanceDisplay, kView, "", "直線などの作図時に距離を表示します。\n距離表示"},
    {kCmdGridPitch, kView, "", ""},
    {kCmdPageUp, kView, "", ""},
    {kCmdPageDown, kView, "", ""},
    {kCmdPanUp, kView, "", ""},
    {kCmdPanDown, kView, "", ""},
    {kCmdPanLeft, kView, "", ""},
    {kCmdPanRight, kView, "", ""},
    // The main frame and the application.
    {kCmdFileNew, kFrame, "新規作成", ""},
    {kCmdFileOpen, kFrame, "開く", ""},
    {kCmdFileClose, kFrame, "閉じる", ""},
    {kCmdFileSave, kFrame, "上書き保存", ""},
    {kCmdFileSaveAs, kFrame, "名前を付けて保存...", ""},
    {kCmdOpenDxf, kFrame, "ＤＸＦファイルを開く...", ""},
    {kCmdOpenJwc, kFrame, "JWＣファイルを開く...", ""},
    {kCmdOpenJww, kFrame, "JWWファイルを開く...", ""},
    {kCmdSaveDxf, kFrame, "ＤＸＦ形式で保存...", ""},
    {kCmdSaveJww, kFrame, "JWW形式で保存...", ""},
    {kCmdSaveHpgl, kFrame, "HPGL形式で保存...", ""},
    {kCmdSaveEmf, kFrame, "EMF形式で保存...", ""},
    {kCmdSaveImage, kFrame, "画像で保存...", ""},
    {kCmdCopyToClipboard, kFrame, "クリップボードにコピー\tCtrl+C(&C)", ""},
    {kCmdPrintSetup, kFrame, "プリンタの設定(&R)...", ""},
    {kCmdPrint, kFrame, "印刷...\tCtrl+P(&P)", ""},
    {kCmdPrintPreview, kFrame, "印刷プレビュー(&V)", ""},
    {kCmdPlotterOutput, kFrame, "プロッター出力...\tAlt+P", ""},
    {kCmdPlotterSettings, kFrame, "プロッターの設定...", ""},
    {kCmdAppExit, kFrame, "アプリケーションの終了", ""},
    {kCmdDrawingPalette, kFrame, "作図パレット(&D)", ""},
    {kCmdPartsData, kFrame, "部品データ", ""},
    {kCmdLayerList, kFrame, "レイヤーリスト(&L)", ""},
    {kCmdLayerAdd, kFrame, "レイヤーの追加...", ""},
    {kCmdLayerProperty, kFrame, "プロパティ(&P)...", ""},
    {kCmdLayerNormal, kFrame, "■ 通常色表示", ""},
    {kCmdLayerOffColour, kFrame, "□ オフカラー表示", ""},
    {kCmdLayerHidden, kFrame, "＿ 表示しない", ""},
    {kCmdLayerUpdate, kFrame, "", ""},
    {kCmdToleranceSettings, kFrame, "寸法公差設定", ""},
    {kCmdInitialSettings, kFrame, "初期値設定", ""},
    {kCmdDrawingInfo, kFrame, "図面情報", ""},
    {kCmdEntityList, kFrame, "", "\n作図要素リスト"},
    {kCmdInfoLeft, kOff, "", ""},
    {kCmdInfoRight, kOff, "", ""},
    {kCmdSizeInfo, kOff, "", ""},
};

constexpr std::size_t kToolModeCount = std::size(kToolModes);
constexpr std::size_t kCommandCount = std::size(kOtherCommands) + kToolModeCount - 1;  // the parts row has no command

std::array<CommandInfo, kCommandCount> BuildCommands() {
  std::array<CommandInfo, kCommandCount> all{};
  std::size_t n = 0;
  for (const ToolModeInfo& m : kToolModes) {
    if (m.command == 0) continue;
    all[n++] = {m.command, kSel, m.menuText, "", m.family, m.mode};
  }
  for (const CommandInfo& c : kOtherCommands) all[n++] = c;
  return all;
}

const std::array<CommandInfo, kCommandCount>& Commands() {
  static const std::array<CommandInfo, kCommandCount> commands = BuildCommands();
  return commands;
}

constexpr ContextMenuInfo kContextMenus[] = {
    {kMenuListEdit, "リスト編集", kCmdListEdit, "リスト編集..."},
    {kMenuPartsRegistration, "外部登録", kCmdPartsRegistration, "部品データ登録..."},
    {kMenuGroupRegister, "グループ登録", kCmdGroupRegister, "グループ登録"},
    {kMenuGroupRelease, "グループ解除", kCmdGroupRelease, "グループ解除"},
    {kMenuNumericInput, "数値指定メニュー", kCmdNumericInput, "数値入力..."},
    {kMenuScale, "拡大・縮小", kCmdScaleInput, "拡大・縮小"},
    {kMenuEndSelection, "ストレッチ", kCmdEndSelection, "選択終了"},
};

constexpr Accelerator kAccelerators[] = {
    {AccelKey::kUp, kAccelNone, kCmdPanUp},
    {AccelKey::kDown, kAccelNone, kCmdPanDown},
    {AccelKey::kLeft, kAccelNone, kCmdPanLeft},
    {AccelKey::kRight, kAccelNone, kCmdPanRight},
    {AccelKey::kPageUp, kAccelNone, kCmdPageUp},
    {AccelKey::kPageDown, kAccelNone, kCmdPageDown},
    {AccelKey::kReturn, kAccelNone, kCmdReturnKey},
    {AccelKey::kEscape, kAccelNone, kCmdEscape},
    {AccelKey::kSpace, kAccelNone, kCmdSpace},
    {AccelKey::kA, kAccelCtrl, kCmdSelectAllKey},
    {AccelKey::kZ, kAccelCtrl, kCmdUndo},
    {AccelKey::kBackspace, kAccelAlt, kCmdUndo},
    {AccelKey::kC, kAccelCtrl, kCmdCopyToClipboard},
    {AccelKey::kP, kAccelCtrl, kCmdPrint},
    {AccelKey::kP, kAccelAlt, kCmdPlotterOutput},
    {AccelKey::kReturn, kAccelNone, kCmdFocusOperationBar},  // shadowed by the first Enter binding
};

constexpr PaletteFamilyInfo kPaletteFamilies[] = {
    {0, 1001, 143, "選択"},       {1, 1002, 144, "点"},          {2, 1004, 145, "直線"},
    {3, 1006, 146, "曲線"},       {4, 1008, 147, "円・円弧"},    {5, 1010, 148, "多角形"},
    {6, 1012, 149, "文字"},       {7, 1014, 150, "寸法"},        {8, 1016, 151, "削除"},
    {9, 1018, 152, "伸縮"},       {10, 1020, 153, "コーナー"},   {11, 1022, 154, "変形"},
    {12, 1024, 156, "移動・複写"}, {13, 1026, 158, "ハッチング"}, {14, 1028, 160, "画像"},
    {15, 1029, 162, "展開図"},
};
static_assert(std::size(kPaletteFamilies) == kPaletteFamilyCount);

}  // namespace

std::span<const CommandInfo> CommandTable() { return Commands(); }

const CommandInfo* FindCommand(int id) {
  for (const CommandInfo& c : Commands()) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

std::span<const ToolModeInfo> ToolModeTable() { return kToolModes; }

const ToolModeInfo* FindToolMode(int family, int mode) {
  for (const ToolModeInfo& m : kToolModes) {
    if (m.family == family && m.mode == mode) return &m;
  }
  return nullptr;
}

std::vector<const ToolModeInfo*> ModesOfFamily(int family) {
  std::vector<const ToolModeInfo*> modes;
  for (const ToolModeInfo& m : kToolModes) {
    if (m.family == family) modes.push_back(&m);
  }
  std::sort(modes.begin(), modes.end(), [](const ToolModeInfo* a, const ToolModeInfo* b) { return a->mode < b->mode; });
  return modes;
}

std::string_view FirstPrompt(int family, int mode) {
  const ToolModeInfo* m = FindToolMode(family, mode);
  return m ? m->firstPrompt : std::string_view();
}

int OperationBarFor(int family, int mode) {
  const ToolModeInfo* m = FindToolMode(family, mode);
  return m ? m->operationBar : 0;
}

std::span<const ContextMenuInfo> ContextMenus() { return kContextMenus; }

const ContextMenuInfo* FindContextMenu(int id) {
  for (const ContextMenuInfo& m : kContextMenus) {
    if (m.id == id) return &m;
  }
  return nullptr;
}

std::span<const Accelerator> AcceleratorTable() { return kAccelerators; }

int CommandForKey(AccelKey key, unsigned modifiers) {
  for (const Accelerator& a : kAccelerators) {
    if (a.key == key && a.modifiers == modifiers) return a.command;
  }
  return 0;
}

std::string_view AccelKeyName(AccelKey key) {
  switch (key) {
    case AccelKey::kReturn: return "Enter";
    case AccelKey::kEscape: return "Esc";
    case AccelKey::kSpace: return "Space";
    case AccelKey::kUp: return "Up";
    case AccelKey::kDown: return "Down";
    case AccelKey::kLeft: return "Left";
    case AccelKey::kRight: return "Right";
    case AccelKey::kPageUp: return "PageUp";
    case AccelKey::kPageDown: return "PageDown";
    case AccelKey::kBackspace: return "BackSpace";
    case AccelKey::kA: return "A";
    case AccelKey::kC: return "C";
    case AccelKey::kP: return "P";
    case AccelKey::kZ: return "Z";
  }
  return "";
}

std::span<const PaletteFamilyInfo> PaletteFamilies() { return kPaletteFamilies; }

}  // namespace plenwick
