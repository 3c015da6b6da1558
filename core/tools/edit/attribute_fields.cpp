// Number texts and looks of the attribute-change dialogs.
#include "tools/edit/attribute_fields.h"

#include <algorithm>

#include "model/number_text.h"
#include "model/program_settings.h"

namespace plenwick {

std::string AttributeNumberText(double value) { return FormatNumberText(value, 2); }

std::optional<double> PeekAttributeNumber(std::string_view text) {
  const bool plain = std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || c == '-' || c == '.'; });
  return plain ? ParseDecimalText(text) : std::nullopt;
}

std::optional<double> ReadAttributeNumber(std::string_view text, std::string_view name, UserInterface& ui) {
  if (text.empty()) {
    // A name that already ends in "値" ("画像幅の値") is not given a second one.
    const bool endsInValue = name.size() >= 3 && name.substr(name.size() - 3) == "値";
    ui.ShowMessage(std::string(name) + (endsInValue ? "が入力されていません！" : "値が入力されていません！"));
    return std::nullopt;
  }
  const std::optional<double> value = PeekAttributeNumber(text);
  if (!value) ui.ShowMessage(std::string(name) + "の入力に誤りがあります！");
  return value;
}

ElementLook ElementLook::Of(const DrawEntity& e) { return {e.lineAttr / 100, e.lineAttr % 100, e.colour}; }

int16_t ElementLook::lineAttr() const { return static_cast<int16_t>(lineType * 100 + pen); }

void ElementLook::SelectPen(int newPen) {
  if (newPen < 0 || newPen >= kAttributePens) return;
  pen = newPen;
  colour = CurrentSettings().PenColours[static_cast<std::size_t>(newPen)];
}

}  // namespace plenwick
