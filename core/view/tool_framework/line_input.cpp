// The line tool's two-value numeric input.
#include "view/tool_framework/line_input.h"

#include <charconv>
#include <cmath>
#include <variant>

#include "view/tool_framework/numeric_input.h"

namespace plenwick {

namespace {

constexpr std::array<std::array<std::string_view, 2>, 2> kLabels = {{
    {"長さ入力 （mm）", "角度入力"},
    {"Ｘ座標移動値（mm）", "Ｙ座標移動値（mm）"},
}};

// "%0.2f" whatever the process locale.
std::string Preset(double value) {
  std::array<char, 400> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 2);
  return ec == std::errc() ? std::string(buffer.data(), end) : std::string("0.00");
}

bool Allowed(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == '*' || c == '/'; }

}  // namespace

CLineInputDlg::CLineInputDlg(int lastMode, const ProgramSettings& settings) {
  SetMode(lastMode);
  preset_[0] = settings.LineLengthOn ? static_cast<double>(settings.LineLength) : 0.0;
  preset_[1] = settings.LineAngleOn ? static_cast<double>(settings.LineAngle) : 0.0;
  for (std::size_t field = 0; field < preset_.size(); ++field) {
    if (!std::isfinite(preset_[field])) preset_[field] = 0;
    initialText_[field] = Preset(preset_[field]);
  }
}

void CLineInputDlg::SetMode(int mode) { mode_ = mode == kLineInputOffset ? kLineInputOffset : kLineInputPolar; }

std::string_view CLineInputDlg::label(int field) const {
  return kLabels[static_cast<std::size_t>(mode_)][Field(field)];
}

bool CLineInputDlg::OnExecute(std::string_view first, std::string_view second, UserInterface& ui) {
  const std::array<std::string_view, 2> texts{first, second};
  const std::optional<std::vector<double>> values = EvaluateNumericFields(texts, ui, &focusField_);
  if (!values) return false;
  value_ = {(*values)[0], (*values)[1]};
  return true;
}

std::string FilterLineInputText(std::string_view typed) {
  std::string kept;
  for (const char c : typed) {
    if (kept.size() >= CLineInputDlg::kMaxChars) break;
    if (Allowed(c)) kept += c;
  }
  return kept;
}

}  // namespace plenwick
