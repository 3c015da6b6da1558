// Reading and showing the attribute dialogs' edits.
#include "tools/edit/attribute_dialog.h"

#include <algorithm>
#include <cmath>

#include "model/entity_core.h"
#include "model/number_text.h"
#include "platform/sjis.h"
#include "tools/draw/text_input.h"
#include "tools/draw/tolerance_dlg.h"

namespace plenwick {

AttributeDialogModel::AttributeDialogModel(const DrawEntity& record, double originX, double originY,
                                           std::vector<AttributeField> fields, const std::vector<double>& stored)
    : record_(record), originX_(originX), originY_(originY), fields_(std::move(fields)), look_(ElementLook::Of(record)) {
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const double value = i < stored.size() ? stored[i] : 0.0;
    const FieldKind kind = fields_[i].kind;
    if (kind == FieldKind::kText) {
      initialTexts_.emplace_back();
      continue;
    }
    // Tolerances are thousandths: "%0.2f" would show (and give back) 0.0015 as 0.
    if (kind == FieldKind::kTolerance) {
      initialTexts_.push_back(FormatNumberText(value, 6));
      continue;
    }
    initialTexts_.push_back(
        AttributeNumberText(kind == FieldKind::kX ? value - originX : kind == FieldKind::kY ? value - originY : value));
  }
}

void AttributeDialogModel::AddChoice(AttributeChoice choice, int chosen) {
  const int count = static_cast<int>(choice.labels.size());
  choices_.push_back(std::move(choice));
  chosen_.push_back(chosen >= 0 && chosen < count ? chosen : 0);
}

void AttributeDialogModel::AddFontChoice(std::string_view caption, std::vector<std::string> installed,
                                         std::string_view storedSjis) {
  const std::string stored = SjisToUtf8(storedSjis);
  auto at = std::find(installed.begin(), installed.end(), stored);
  if (at == installed.end()) at = installed.insert(installed.end(), stored);
  storedFace_ = static_cast<int>(at - installed.begin());
  fontGroup_ = static_cast<int>(choices_.size());
  AddChoice({caption, std::move(installed), true}, storedFace_);
}

std::optional<std::string> AttributeDialogModel::ChangedFace() const {
  if (fontGroup_ < 0 || choice(fontGroup_) == storedFace_) return std::nullopt;
  return Utf8ToSjis(choices_[static_cast<std::size_t>(fontGroup_)].labels[static_cast<std::size_t>(choice(fontGroup_))]);
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
    case FieldKind::kDistance: return typed >= 0 ? std::optional<double>(typed) : std::nullopt;
    case FieldKind::kTolerance: return typed >= 0 && typed <= CSunpouKousaDlg::kMaxValue ? std::optional<double>(typed) : std::nullopt;
    case FieldKind::kAngle: return typed;
    case FieldKind::kText: return std::nullopt;
  }
  // A position the drawing cannot hold would be refused once the old element is gone, or
  // dropped when the file is read again.
  return InCoordinateRange(typed) ? std::optional<double>(typed) : std::nullopt;
}

std::optional<std::string> AttributeDialogModel::ToWord(int i, std::string_view utf8, UserInterface* ui) const {
  const AttributeField& f = field(i);
  std::string sjis;
  if (const std::optional<std::string> refused = TextForDrawing(utf8, &sjis)) {
    if (ui) ui->ShowMessage(UnkeepableCharacterMessage(*refused));
    return std::nullopt;
  }
  if (f.maxBytes > 0 && sjis.size() > f.maxBytes) sjis.resize(SjisPrefixLength(sjis, f.maxBytes));
  return sjis;
}

bool AttributeDialogModel::OnExecute(const std::vector<std::string>& texts, UserInterface& ui) {
  std::vector<double> values(fields_.size(), 0.0);
  std::vector<std::string> words(fields_.size());
  for (int i = 0; i < fieldCount(); ++i) {
    if (!FieldEnabled(i)) continue;
    const std::string_view text = static_cast<std::size_t>(i) < texts.size() ? std::string_view(texts[Index(i)]) : "";
    if (field(i).kind == FieldKind::kText) {
      std::optional<std::string> word = ToWord(i, text, &ui);
      if (word && !CheckText(i, text, ui)) word.reset();
      if (!word) {
        focusField_ = i;
        return false;
      }
      words[Index(i)] = std::move(*word);
      continue;
    }
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
  result_ = {Build(values, words), Strings(words)};
  return true;
}

std::optional<AttributeRecord> AttributeDialogModel::Peek(const std::vector<std::string>& texts) const {
  std::vector<double> values(fields_.size(), 0.0);
  std::vector<std::string> words(fields_.size());
  for (int i = 0; i < fieldCount(); ++i) {
    if (!FieldEnabled(i)) continue;
    const std::string_view text = static_cast<std::size_t>(i) < texts.size() ? std::string_view(texts[Index(i)]) : "";
    if (field(i).kind == FieldKind::kText) {
      std::optional<std::string> word = ToWord(i, text, nullptr);
      if (!word) return std::nullopt;
      words[Index(i)] = std::move(*word);
      continue;
    }
    const std::optional<double> typed = PeekAttributeNumber(text);
    const std::optional<double> value = typed ? ToModel(i, *typed) : std::nullopt;
    if (!value) return std::nullopt;
    values[Index(i)] = *value;
  }
  return AttributeRecord{Build(values, words), Strings(words)};
}

}  // namespace plenwick
