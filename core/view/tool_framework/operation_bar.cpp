// Bar controls bound to tool values: showing, choosing, validating and writing back.
#include "view/tool_framework/operation_bar.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

#include "model/number_text.h"

namespace plenwick {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool IsIntegerText(std::string_view s) {
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
  if (s.empty()) return false;
  for (const char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

std::string BarRangeMessage(const EditBinding& binding) {
  const bool isInt = binding.number == EditBinding::Number::kInt;
  const int decimals = isInt ? 0 : 6;
  return FormatNumberText(binding.min.value_or(0), decimals) + " から " + FormatNumberText(binding.max.value_or(0), decimals) +
         (isInt ? " までの整数を入力してください。" : " までの数値を入力してください。");
}

OperationBar::OperationBar(int index, std::string_view className, int templateId, std::string_view caption,
                           UserInterface& ui)
    : index_(index), className_(className), templateId_(templateId), caption_(caption), ui_(ui) {}

const BarControl* OperationBar::Find(int id) const {
  if (id == 0) return nullptr;
  for (const BarControl& c : controls_) {
    if (c.id == id) return &c;
  }
  return nullptr;
}


BarControl* OperationBar::FindMutable(int id) {
  if (id == 0) return nullptr;
  for (BarControl& c : controls_) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

BarControl& OperationBar::Add(BarControl control, Binding binding) {
  controls_.push_back(std::move(control));
  bindings_.push_back(std::move(binding));
  return controls_.back();
}

void OperationBar::AddLabel(std::string_view caption, int id, int enableWith) {
  BarControl c;
  c.id = id;
  c.kind = BarControlKind::kLabel;
  c.caption = caption;
  c.enableWith = enableWith;
  Add(std::move(c), std::monostate{});
}

void OperationBar::AddEdit(int id, EditBinding binding) {
  BarControl c;
  c.id = id;
  c.kind = BarControlKind::kEdit;
  c.text = Format(binding, binding.get());
  Add(std::move(c), EditState{std::move(binding)});
}

void OperationBar::AddCheck(int id, std::string_view caption, FlagBinding binding) {
  BarControl c;
  c.id = id;
  c.kind = BarControlKind::kCheck;
  c.caption = caption;
  c.checked = binding.get();
  Add(std::move(c), std::move(binding));
}

void OperationBar::AddRadio(int id, std::string_view caption, const ChoiceBinding& group, int value, bool picture) {
  BarControl c;
  c.id = id;
  c.kind = BarControlKind::kRadio;
  c.caption = caption;
  c.picture = picture;
  c.checked = group.get() == value;
  Add(std::move(c), RadioBinding{group, value});
}

void OperationBar::AddCombo(int id, std::vector<std::string> items, ChoiceBinding binding) {
  BarControl c;
  c.id = id;
  c.kind = BarControlKind::kCombo;
  c.items = std::move(items);
  const int v = binding.get();
  c.selected = v >= 0 && v < static_cast<int>(c.items.size()) ? v : -1;
  Add(std::move(c), std::move(binding));
}

void OperationBar::AddButton(int id, std::string_view toolTip) {
  BarControl c;
  c.id = id;
  c.kind = BarControlKind::kButton;
  c.caption = toolTip;
  c.picture = true;
  Add(std::move(c), std::monostate{});
}

void OperationBar::SetEnableRule(std::function<void(OperationBar&)> rule) {
  enableRule_ = std::move(rule);
  Refresh();
}

void OperationBar::SetEnabled(int id, bool enabled) {
  if (BarControl* c = FindMutable(id)) c->enabled = enabled;
}

void OperationBar::Refresh() {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    BarControl& c = controls_[i];
    // An edit the user is changing keeps the text being typed.
    if (const auto* edit = std::get_if<EditState>(&bindings_[i]); edit && !edit->dirty) {
      c.text = Format(edit->binding, edit->binding.get());
    }
    if (const auto* flag = std::get_if<FlagBinding>(&bindings_[i])) c.checked = flag->get();
    if (const auto* radio = std::get_if<RadioBinding>(&bindings_[i])) c.checked = radio->group.get() == radio->value;
    if (const auto* choice = std::get_if<ChoiceBinding>(&bindings_[i])) {
      const int v = choice->get();
      c.selected = v >= 0 && v < static_cast<int>(c.items.size()) ? v : -1;
    }
  }
  if (enableRule_) enableRule_(*this);
  for (BarControl& c : controls_) {
    if (c.kind != BarControlKind::kLabel || c.enableWith == 0) continue;
    const BarControl* buddy = Find(c.enableWith);
    c.enabled = buddy == nullptr || buddy->enabled;
  }
}

bool OperationBar::Click(int id) {
  BarControl* c = FindMutable(id);
  if (!c || !c->enabled) return false;
  Binding& b = bindings_[Slot(c)];
  switch (c->kind) {
    case BarControlKind::kCheck: std::get<FlagBinding>(b).set(!c->checked); break;
    case BarControlKind::kRadio: {
      const RadioBinding& r = std::get<RadioBinding>(b);
      r.group.set(r.value);
      break;
    }
    case BarControlKind::kButton:
      if (onButton_) onButton_(id);
      return true;
    default: return false;
  }
  Refresh();
  return true;
}

bool OperationBar::SelectItem(int id, int item) {
  BarControl* c = FindMutable(id);
  if (!c || !c->enabled || c->kind != BarControlKind::kCombo) return false;
  if (item < 0 || item >= static_cast<int>(c->items.size())) return false;
  std::get<ChoiceBinding>(bindings_[Slot(c)]).set(item);
  Refresh();
  return true;
}

std::string OperationBar::Format(const EditBinding& b, double value) {
  return FormatNumberText(value, b.number == EditBinding::Number::kInt ? 0 : 6);
}

std::variant<double, std::string> ReadEditText(const EditBinding& b, std::string_view text) {
  text = Trim(text);
  const bool isInt = b.number == EditBinding::Number::kInt;
  const std::string notANumber(isInt ? kBarNeedsInteger : kBarNeedsNumber);
  if (isInt && !IsIntegerText(text)) return notANumber;
  const std::optional<double> value = ParseDecimalText(text);
  if (!value) return notANumber;
  // The value must fit the field it goes to.
  const double limit = isInt ? std::max<double>(std::numeric_limits<int16_t>::max(), b.max.value_or(0)) : FLT_MAX;
  if (std::fabs(*value) > limit) return b.min || b.max ? BarRangeMessage(b) : notANumber;
  if ((b.min && *value < *b.min) || (b.max && *value > *b.max)) return BarRangeMessage(b);
  return *value;
}

bool OperationBar::EditChanged(int id, std::string_view text) {
  BarControl* c = FindMutable(id);
  if (!c || !c->enabled || c->kind != BarControlKind::kEdit) return false;
  c->text = text;
  EditState& e = std::get<EditState>(bindings_[Slot(c)]);
  if (!e.dirty) e.before = e.binding.get();
  e.dirty = true;
  const auto value = ReadEditText(e.binding, text);
  if (const double* v = std::get_if<double>(&value)) {
    e.binding.set(*v);
    Refresh();
  }
  return true;
}

bool OperationBar::EditFinished(int id) {
  BarControl* c = FindMutable(id);
  if (!c || c->kind != BarControlKind::kEdit) return false;
  EditState& e = std::get<EditState>(bindings_[Slot(c)]);
  if (!e.dirty) return true;
  e.dirty = false;
  const auto value = ReadEditText(e.binding, c->text);
  if (const std::string* message = std::get_if<std::string>(&value)) {
    // Values written while the text was being typed are taken back as well.
    e.binding.set(e.before);
    c->text = Format(e.binding, e.before);
    Refresh();
    ui_.ShowMessage(*message);
    return false;
  }
  e.binding.set(std::get<double>(value));
  Refresh();
  return true;
}

void OperationBar::WriteBack() {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    auto* e = std::get_if<EditState>(&bindings_[i]);
    if (!e || !e->dirty) continue;
    e->dirty = false;
    const auto value = ReadEditText(e->binding, controls_[i].text);
    const double* v = std::get_if<double>(&value);
    e->binding.set(v ? *v : e->before);
  }
}

}  // namespace plenwick
