// The 25 operation bars of the tools: which controls each has and which program-wide tool value
// each control carries.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/program_settings.h"
#include "model/user_interface.h"
#include "view/tool_framework/interaction_state.h"
#include "view/tool_framework/operation_bar.h"

namespace plenwick {

enum OperationBarIndex : int {
  kNoOperationBar = 0,
  kOpeZahyoBox = 1,         // COpeZahyoBox " 座標指定 "
  kOpeKyoriBox = 2,         // COpeKyoriBox " 距離指定 "
  kOpeAngleBox = 3,         // COpeAngleBox " 角度指定 "
  kOpeHabatukiBox = 4,      // OpeHabatukiBox " 幅付き線 "
  kOpeCircleBox = 5,        // COpeCircleBox " 円指定 "
  kOpeArcBox = 6,           // COpeArcBox " 円弧指定 "
  kOpeRectBox = 7,          // COpeRectBox " BOX指定 "
  kOpePolyBox = 8,          // COpePolyBox " 多角形指定 "
  kOpeCornerBox = 9,        // COpeCornerBox " 角指定 "
  kOpeMoveBox = 10,         // COpeMoveBox " 移動・複写 "
  kOpeHatBox = 11,          // COpeHatBox " ハッチング "
  kOpeDimBox = 12,          // COpeDimBox " 寸法線 "
  kOpeTextBox = 13,         // COpeTextBox " 文字列 "
  kOpeTextPlusBox = 14,     // COpeTextPlusBox " 指示線文字 "
  kOpeMugenBox = 15,        // COpeMugenBox " 無限線指定 "
  kOpeParallelBox = 16,     // COpeParallelBox " 平行線指定 "
  kOpeLineBox = 17,         // COpeLineBox " 直線指定 "
  kOpeRenzokuLineBox = 18,  // COpeRenzokuLineBox " 連続線指定 "
  kOpeStretchBox = 19,      // COpeStretchBox " ストレッチ "
  kOpeKakudaiBox = 20,      // COpeKakudaiBox " 拡大・縮小 "
  kOpeOffsetBox = 21,       // COpeOffsetBox " オフセット "
  kOpePointBox = 22,        // COpePointBox " 点指定 "
  kOpePaintBox = 23,        // COpePaintBox " 塗りつぶし指定 "
  kOpeMoveZahyoDlg = 24,    // COpeMoveZahyoDlg " 移動・複写 "
  kOpeSelectBox = 25,       // COpeSelectBox " 図形選択  "
};
inline constexpr int kOperationBarCount = 25;

// What a bar is created with.
struct OperationBarContext {
  ProgramSettings& settings;
  InteractionState& state;
  UserInterface& ui;                     // refusal messages
  // Face names for the font combos (UTF-8, enumeration order), asked for when such a bar opens.
  std::function<std::vector<std::string>()> fontFamilies;
  std::function<void(int id)> onButton;  // the figure-selection bar's picture buttons
};

// Unit labels show "㎜" for sizes in millimetres and "pt." for points (TextSizeMode 1).
inline constexpr std::string_view kUnitMm = "㎜";
inline constexpr std::string_view kUnitPoint = "pt.";

// Bar 1..25 with its controls showing the current values; nothing for other indexes.
std::unique_ptr<OperationBar> MakeOperationBar(int index, const OperationBarContext& context);

}  // namespace plenwick
