// The typed displacement's checks: the numeric input's arithmetic, with a message of its own for
// each empty field.
#include "tools/edit/idou_zahyo_dlg.h"

#include <variant>

#include "view/tool_framework/numeric_input.h"

namespace plenwick {

bool IdouZahyoDlg::OnExecute(std::string_view x, std::string_view y, UserInterface& ui) {
  const std::array<std::string_view, 2> texts{x, y};
  std::array<double, 2> values{};
  for (std::size_t field = 0; field < texts.size(); ++field) {
    const auto result = EvaluateNumericInput(LimitNumericInputText(texts[field]));
    if (const std::string_view* message = std::get_if<std::string_view>(&result)) {
      ui.ShowMessage(*message == kNoNumberMessage ? (field == 0 ? kNoXMessage : kNoYMessage) : *message);
      focusField_ = static_cast<int>(field);
      return false;
    }
    values[field] = std::get<double>(result);
  }
  values_ = values;
  return true;
}

}  // namespace plenwick
