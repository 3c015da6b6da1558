// The numeric input dialog without a window: its label by kind, the edit's limit, and the
// arithmetic it accepts ("+", "-", "*", "/" applied strictly from left to right, no precedence).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/user_interface.h"

namespace plenwick {

inline constexpr std::string_view kNumericInputCaption = "数値入力\u3000（四則演算式入力可能）";
inline constexpr std::string_view kNumericInputOk = "実 行";
inline constexpr std::string_view kNumericInputCancel = "ｷｬﾝｾﾙ";
inline constexpr std::string_view kNoNumberMessage = "数値の入力がありません！";
inline constexpr std::string_view kBadInputMessage = "入力文字に誤りがあります。[0-9 . +-*/]";

// Kinds 0..10 of the dialog's label.
inline constexpr int kNumericInputKindCount = 11;
// The label for a kind; kind 0's for any other.
std::string_view NumericInputLabel(int kind);

// Evaluates an expression typed into the dialog (UTF-8). The result, or the message refusing it:
// an empty text gives kNoNumberMessage; half-width and full-width spaces are removed first; any
// character other than 0-9 . + - * /, more than 10 operands, an operand over 20 characters, an
// operand that is not a number (two operators in a row, a trailing operator, "1.2.3"), a division
// by zero and a result beyond the double range give kBadInputMessage. An empty first operand is
// 0, so a leading sign gives a signed value.
std::variant<double, std::string_view> EvaluateNumericInput(std::string_view text);

// The expressions of a dialog's edits evaluated in order (each cut to what its edit holds): their
// values, or, at the first that gives none, its message shown (an empty edit's own message from
// `emptyMessages` when given) and that edit's index in *fault.
std::optional<std::vector<double>> EvaluateNumericFields(std::span<const std::string_view> texts, UserInterface& ui,
                                                         int* fault,
                                                         std::span<const std::string_view> emptyMessages = {});

class CInputNumDlg {
 public:
  static constexpr std::size_t kMaxChars = 40;  // the edit accepts at most this many characters
  static constexpr int kScaleFactorKind = 9;
  static constexpr int kStretchLengthKind = 10;

  // The dialog with the label of `kind`; kind 10 starts with `current` in its edit ("%0.2f"
  // without trailing zeros), the others empty.
  explicit CInputNumDlg(int kind, double current = 0);
  // The dialog of kind 0's label starting with `current` in its edit, as kind 10 does: a distance
  // asked with the last one offered again.
  static CInputNumDlg WithPreset(double current);

  int kind() const { return kind_; }
  std::string_view caption() const { return kNumericInputCaption; }
  std::string_view label() const { return NumericInputLabel(kind_); }
  const std::string& initialText() const { return initialText_; }

  // "実 行" with the edit's text: true when the dialog closes with OK (value() holds the result);
  // otherwise the message has been shown and the focus goes back to the edit.
  bool OnExecute(std::string_view text, UserInterface& ui);
  double value() const { return value_; }

 private:
  int kind_;
  std::string initialText_;
  double value_ = 0;
};

// The first kMaxChars characters of a UTF-8 text (what the edit can hold).
std::string LimitNumericInputText(std::string_view utf8);

}  // namespace plenwick
