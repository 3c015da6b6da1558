// Labels of the numeric input dialog and its left-to-right arithmetic.
#include "view/tool_framework/numeric_input.h"

#include <array>
#include <cmath>
#include <vector>

#include "model/number_text.h"

namespace plenwick {

namespace {

constexpr std::array<std::string_view, kNumericInputKindCount> kLabels = {
    "長さ入力 （mm）",
    "半径入力 （mm）",
    "開始角度  (°) ",
    "角度 (開始角度±)",
    "傾斜角度  (°) ",
    "縦長さ （mm）",
    "対象線の始点からの距離（mm）",
    "対象線からの距離（mm）　[進行左：＋ 進行右：－]",
    "垂線始点からの距離（mm）　[基準線方向：＋ 逆：－]",
    "拡大・縮小倍率　[１：等倍]",
    "ストレッチ長さ（mm）",
};

constexpr std::size_t kMaxOperands = 10;
constexpr std::size_t kMaxOperandChars = 20;
constexpr std::string_view kFullWidthSpace = "\u3000";

bool IsOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/'; }

}  // namespace

std::string_view NumericInputLabel(int kind) {
  if (kind < 0 || kind >= kNumericInputKindCount) kind = 0;
  return kLabels[static_cast<std::size_t>(kind)];
}

std::variant<double, std::string_view> EvaluateNumericInput(std::string_view text) {
  if (text.empty()) return kNoNumberMessage;
  std::string compact;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == ' ') {
      ++i;
    } else if (text.substr(i, kFullWidthSpace.size()) == kFullWidthSpace) {
      i += kFullWidthSpace.size();
    } else {
      compact += text[i++];
    }
  }
  if (compact.empty()) return kBadInputMessage;
  for (const char c : compact) {
    if (!(c >= '0' && c <= '9') && c != '.' && !IsOperator(c)) return kBadInputMessage;
  }

  // Operands between the operators; the first may be empty (a leading sign).
  std::vector<std::string_view> operands;
  std::vector<char> operators;
  const std::string_view all(compact);
  std::size_t start = 0;
  for (std::size_t i = 0; i <= all.size(); ++i) {
    if (i < all.size() && !IsOperator(all[i])) continue;
    operands.push_back(all.substr(start, i - start));
    if (i < all.size()) operators.push_back(all[i]);
    start = i + 1;
    if (operands.size() > kMaxOperands) return kBadInputMessage;
  }

  double result = 0;
  for (std::size_t k = 0; k < operands.size(); ++k) {
    const std::string_view operand = operands[k];
    if (operand.size() > kMaxOperandChars) return kBadInputMessage;
    double value = 0;
    if (!(k == 0 && operand.empty())) {
      const std::optional<double> parsed = ParseDecimalText(operand);
      if (!parsed) return kBadInputMessage;
      value = *parsed;
    }
    if (k == 0) {
      result = value;
      continue;
    }
    switch (operators[k - 1]) {
      case '+': result += value; break;
      case '-': result -= value; break;
      case '*': result *= value; break;
      default:
        if (value == 0) return kBadInputMessage;
        result /= value;
        break;
    }
  }
  if (!std::isfinite(result)) return kBadInputMessage;
  return result;
}

std::string LimitNumericInputText(std::string_view utf8) {
  std::size_t chars = 0, end = 0;
  while (end < utf8.size() && chars < CInputNumDlg::kMaxChars) {
    ++end;
    // Continuation bytes belong to the character just started.
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
    ++chars;
  }
  return std::string(utf8.substr(0, end));
}

CInputNumDlg::CInputNumDlg(int kind, double current) : kind_(kind) {
  if (kind == kStretchLengthKind) initialText_ = FormatNumberText(current, 2);
}

CInputNumDlg CInputNumDlg::WithPreset(double current) {
  CInputNumDlg dialog(kStretchLengthKind, current);
  dialog.kind_ = 0;
  return dialog;
}

bool CInputNumDlg::OnExecute(std::string_view text, UserInterface& ui) {
  const auto result = EvaluateNumericInput(LimitNumericInputText(text));
  if (const std::string_view* message = std::get_if<std::string_view>(&result)) {
    ui.ShowMessage(*message);
    return false;
  }
  value_ = std::get<double>(result);
  return true;
}

std::optional<std::vector<double>> EvaluateNumericFields(std::span<const std::string_view> texts, UserInterface& ui,
                                                         int* fault, std::span<const std::string_view> emptyMessages) {
  std::vector<double> values;
  for (std::size_t field = 0; field < texts.size(); ++field) {
    const auto result = EvaluateNumericInput(LimitNumericInputText(texts[field]));
    if (const std::string_view* message = std::get_if<std::string_view>(&result)) {
      const bool empty = *message == kNoNumberMessage && field < emptyMessages.size();
      ui.ShowMessage(empty ? emptyMessages[field] : *message);
      *fault = static_cast<int>(field);
      return std::nullopt;
    }
    values.push_back(std::get<double>(result));
  }
  return values;
}

}  // namespace plenwick
