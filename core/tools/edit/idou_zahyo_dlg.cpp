// The typed displacement's checks: the numeric input's arithmetic, with a message of its own for
// each empty field.
#include "tools/edit/idou_zahyo_dlg.h"

#include <optional>
#include <vector>

#include "view/tool_framework/numeric_input.h"

namespace plenwick {

bool IdouZahyoDlg::OnExecute(std::string_view x, std::string_view y, UserInterface& ui) {
  const std::array<std::string_view, 2> texts{x, y};
  const std::array<std::string_view, 2> empty{kNoXMessage, kNoYMessage};
  const std::optional<std::vector<double>> values = EvaluateNumericFields(texts, ui, &focusField_, empty);
  if (!values) return false;
  values_ = {(*values)[0], (*values)[1]};
  return true;
}

}  // namespace plenwick
