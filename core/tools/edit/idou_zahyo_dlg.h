// IdouZahyoDlg, the typed displacement of the moving tool ("移動・複写値入力"): two expressions,
// X and Y, evaluated strictly from left to right as the numeric input evaluates them. The Qt
// window only shows it.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "model/user_interface.h"

namespace plenwick {

class IdouZahyoDlg {
 public:
  static constexpr std::string_view kCaption = "移動・複写値入力";
  static constexpr std::string_view kXLabel = "Ｘ方向 移動・複写値\u3000（㎜）";
  static constexpr std::string_view kYLabel = "Ｙ方向 移動・複写値\u3000（㎜）";
  static constexpr std::string_view kOk = "実\u3000行";
  static constexpr std::string_view kCancel = "ｷｬﾝｾﾙ";
  static constexpr std::string_view kNoXMessage = "Ｘ方向値の入力がありません！";
  static constexpr std::string_view kNoYMessage = "Ｙ方向値の入力がありません！";
  static constexpr std::size_t kMaxChars = 40;  // each edit holds at most this many characters

  // "実　行" with the texts of the X and Y edits (UTF-8): true when the dialog closes (dx() and
  // dy() hold the values); otherwise the message has been shown and focusField() names the edit
  // the focus goes back to (0 X, 1 Y).
  bool OnExecute(std::string_view x, std::string_view y, UserInterface& ui);
  int focusField() const { return focusField_; }
  double dx() const { return values_[0]; }
  double dy() const { return values_[1]; }

 private:
  std::array<double, 2> values_{};
  int focusField_ = 0;
};

}  // namespace plenwick
