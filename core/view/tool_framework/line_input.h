// The line tool's numeric input dialog "数値入力" without a window: a length and an angle, or
// X and Y offsets, with their presets, labels and the arithmetic of the numeric input.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "model/program_settings.h"
#include "model/user_interface.h"

namespace plenwick {

inline constexpr std::string_view kLineInputCaption = "数値入力";
inline constexpr std::string_view kLineInputGroupCaption = " 入力切り替え ";
inline constexpr std::string_view kLineInputPolarChoice = "長さ・角度入力";
inline constexpr std::string_view kLineInputOffsetChoice = "ＸＹ座標入力";
inline constexpr std::string_view kLineInputOk = "実　行";
inline constexpr std::string_view kLineInputCancel = "ｷｬﾝｾﾙ";

// EnteredMode values.
enum LineInputMode : int {
  kLineInputPolar = 0,   // length and angle (degrees)
  kLineInputOffset = 1,  // X and Y offsets (mm)
};

class CLineInputDlg {
 public:
  static constexpr std::size_t kMaxChars = 40;  // each edit holds at most this many characters

  // The dialog in the mode of its last use (a mode outside 0..1 is taken as 0), preset with
  // LineLength when LineLengthOn is set and LineAngle when LineAngleOn is set, else 0 ("%0.2f").
  CLineInputDlg(int lastMode, const ProgramSettings& settings);

  int mode() const { return mode_; }
  // A radio button: the mode and the labels of the two edits change; the texts stay.
  void SetMode(int mode);
  std::string_view caption() const { return kLineInputCaption; }
  // The label of edit 0 or 1 in the current mode.
  std::string_view label(int field) const;
  const std::string& initialText(int field) const { return initialText_[Field(field)]; }
  // The value the edit starts with.
  double presetValue(int field) const { return preset_[Field(field)]; }

  // "実　行" with both edits' texts (UTF-8): true when the dialog closes with OK (value(0) and
  // value(1) hold the results); otherwise the message has been shown and focusField() names the
  // edit the focus goes back to. Each text is evaluated strictly from left to right.
  bool OnExecute(std::string_view first, std::string_view second, UserInterface& ui);
  int focusField() const { return focusField_; }
  double value(int field) const { return value_[Field(field)]; }

 private:
  static std::size_t Field(int field) { return field == 1 ? 1 : 0; }

  int mode_ = kLineInputPolar;
  std::array<double, 2> preset_{};
  std::array<std::string, 2> initialText_;
  std::array<double, 2> value_{};
  int focusField_ = 0;
};

// What an edit of the dialog keeps of typed text (UTF-8): digits, ".", "+", "-", "*" and "/"
// only, at most kMaxChars of them.
std::string FilterLineInputText(std::string_view typed);

}  // namespace plenwick
