// Reading and showing the attribute dialogs' edits.
#include "tools/edit/attribute_dialog.h"

#include <cmath>

#include "model/entity_core.h"

namespace plenwick {

AttributeDialogModel::AttributeDialogModel(const DrawEntity& record, double originX, double originY,
                                           std::vector<AttributeField> fields, const std::vector<double>& stored)
    : record_(record), originX_(originX), originY_(originY), fields_(std::move(fields)), look_(ElementLook::Of(record)) {
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const double value = i < stored.size() ? stored[i] : 0.0;
    const FieldKind kind = fields_[i].kind;
    initialTexts_.push_back(
        AttributeNumberText(kind == FieldKind::kX ? value - originX : kind == FieldKind::kY ? value - originY : value));
  }
}

void AttributeDialogModel::AddChoice(AttributeChoice choice, int chosen) {
  const int count = static_cast<int>(choice.labels.size());
  choices_.push_back(std::move(choice));
  chosen_.push_back(chosen >= 0 && chosen < count ? chosen : 0);
}

void AttributeDialogModel::SetChoice(int group, int value) {
  if (group < 0 || static_cast<std::size_t>(group) >= chosen_.size()) return;
  const auto g = static_cast<std::size_t>(group);
  if (value < 0 || static_cast<std::size_t>(value) >= choices_[g].labels.size()) return;
  chosen_[g] = value;
  ChoiceChanged(group);
}

std::optional<double> AttributeDialogModel::ToModel(int i, double typed) const {
  switch (field(i).kind) {
    case FieldKind::kX: typed += originX_; break;
    case FieldKind::kY: typed += originY_; break;
    case FieldKind::kLength: return typed > 0 ? std::optional<double>(typed) : std::nullopt;
    case FieldKind::kAngle: return typed;
  }
  // A position the drawing cannot hold would be refused once the old element is gone, or
  // dropped when the file is read again.
  return InCoordinateRange(typed) ? std::optional<double>(typed) : std::nullopt;
}

bool AttributeDialogModel::OnExecute(const std::vector<std::string>& texts, UserInterface& ui) {
  std::vector<double> values(fields_.size(), 0.0);
  for (int i = 0; i < fieldCount(); ++i) {
    if (!FieldEnabled(i)) continue;
    const std::string_view text = static_cast<std::size_t>(i) < texts.size() ? std::string_view(texts[Index(i)]) : "";
    std::optional<double> value = ReadAttributeNumber(text, field(i).name, ui);
    if (value) {
      value = ToModel(i, *value);
      if (!value) ui.ShowMessage(std::string(field(i).name) + "の入力に誤りがあります！");
    }
    if (!value) {
      focusField_ = i;
      return false;
    }
    values[Index(i)] = *value;
  }
  geometry_ = Build(values);
  return true;
}

std::optional<RecordGeometry> AttributeDialogModel::Peek(const std::vector<std::string>& texts) const {
  std::vector<double> values(fields_.size(), 0.0);
  for (int i = 0; i < fieldCount(); ++i) {
    if (!FieldEnabled(i)) continue;
    const std::optional<double> typed =
        static_cast<std::size_t>(i) < texts.size() ? PeekAttributeNumber(texts[Index(i)]) : std::nullopt;
    const std::optional<double> value = typed ? ToModel(i, *typed) : std::nullopt;
    if (!value) return std::nullopt;
    values[Index(i)] = *value;
  }
  return Build(values);
}

}  // namespace plenwick
