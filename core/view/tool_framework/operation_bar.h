// An operation bar without a window: the controls of one small modeless bar (labels, edits,
// check boxes, radio buttons, combo boxes, picture buttons), each bound to a program-wide tool
// value that it shows when the bar is created and writes back when the user changes it. The shell
// renders the controls and reports the user's actions; edits are validated, and a refused text
// gives its message and shows the previous value again.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/user_interface.h"

namespace plenwick {

enum class BarControlKind : uint8_t { kLabel, kEdit, kCheck, kRadio, kCombo, kButton };

struct BarControl {
  int id = 0;  // control id; 0 for a static label without one
  BarControlKind kind = BarControlKind::kLabel;
  std::string caption;             // label text, check or radio caption, picture button tool tip (UTF-8)
  bool picture = false;            // a radio button or button shown as a picture
  std::vector<std::string> items;  // combo box entries (UTF-8)
  std::string text;                // edit text
  bool checked = false;            // check box, radio button
  int selected = -1;               // combo box: the selected entry, -1 for none
  bool enabled = true;
  int enableWith = 0;  // a label enabled together with this control (0: always enabled)
};

// How an edit reads and writes its value.
struct EditBinding {
  enum class Number : uint8_t { kFloat, kInt } number = Number::kFloat;
  std::optional<double> min;  // inclusive limits checked when the text is taken
  std::optional<double> max;
  std::function<double()> get;
  std::function<void(double)> set;
};
struct FlagBinding {
  std::function<bool()> get;
  std::function<void(bool)> set;
};
// A radio group or a combo box: the value of the chosen button or the entry index.
struct ChoiceBinding {
  std::function<int()> get;
  std::function<void(int)> set;
};

class OperationBar {
 public:
  OperationBar(int index, std::string_view className, int templateId, std::string_view caption, UserInterface& ui);
  OperationBar(const OperationBar&) = delete;
  OperationBar& operator=(const OperationBar&) = delete;

  int index() const { return index_; }
  std::string_view className() const { return className_; }
  int templateId() const { return templateId_; }
  std::string_view caption() const { return caption_; }  // the frame's caption
  const std::vector<BarControl>& controls() const { return controls_; }
  const BarControl* Find(int id) const;

  // What the user does. Each returns false when the id names no control of that kind (or a
  // disabled one); afterwards the shell shows controls() again.
  // A check box toggles, a radio button is chosen, a picture button is pressed.
  bool Click(int id);
  bool SelectItem(int id, int item);
  // The edit's text changed: a valid value is written back at once, anything else waits.
  bool EditChanged(int id, std::string_view text);
  // The edit lost the focus (or Enter was pressed in it): a refused text gives its message and
  // the previous value is shown again (false); otherwise the value is written back.
  bool EditFinished(int id);
  // Writes every changed edit back before the bar goes away; refused texts are dropped silently.
  void WriteBack();

  // Building (the bar definitions).
  void AddLabel(std::string_view caption, int id = 0, int enableWith = 0);
  void AddEdit(int id, EditBinding binding);
  void AddCheck(int id, std::string_view caption, FlagBinding binding);
  // One button of a radio group; the buttons of a group share a binding whose value is `value`.
  void AddRadio(int id, std::string_view caption, const ChoiceBinding& group, int value, bool picture = false);
  void AddCombo(int id, std::vector<std::string> items, ChoiceBinding binding);
  void AddButton(int id, std::string_view toolTip);
  // Decides which controls are enabled; run after every change.
  void SetEnableRule(std::function<void(OperationBar&)> rule);
  // Receives the id of a pressed picture button.
  void SetButtonHandler(std::function<void(int id)> handler) { onButton_ = std::move(handler); }
  void SetEnabled(int id, bool enabled);
  // Shows every bound value again (edits being changed keep their text) and applies the enable
  // rule; also for values a tool changed while the bar is shown.
  void Refresh();

 private:
  struct RadioBinding {
    ChoiceBinding group;
    int value;
  };
  struct EditState {
    EditBinding binding;
    bool dirty = false;
    double before = 0;  // the value when the user started to change the text
  };
  using Binding = std::variant<std::monostate, EditState, FlagBinding, RadioBinding, ChoiceBinding>;

  BarControl* FindMutable(int id);
  std::size_t Slot(const BarControl* c) const { return static_cast<std::size_t>(c - controls_.data()); }
  BarControl& Add(BarControl control, Binding binding);
  static std::string Format(const EditBinding& b, double value);

  int index_;
  std::string className_;
  int templateId_;
  std::string caption_;
  UserInterface& ui_;
  std::vector<BarControl> controls_;
  std::vector<Binding> bindings_;
  std::function<void(OperationBar&)> enableRule_;
  std::function<void(int)> onButton_;
};

// Messages of a refused edit.
inline constexpr std::string_view kBarNeedsNumber = "数値を入力してください。";
inline constexpr std::string_view kBarNeedsInteger = "整数を入力してください。";
// "%1 から %2 までの数値を入力してください。" / "...整数を..." with the limits filled in.
std::string BarRangeMessage(const EditBinding& binding);
// The value of an edit's text by the binding's number kind and limits, or the message refusing
// it. An integer must fit an int16 field unless the binding's maximum is larger.
std::variant<double, std::string> ReadEditText(const EditBinding& binding, std::string_view text);

}  // namespace plenwick
