// AttributeDialogModel, what every attribute-change dialog is without a window: its edits (each a
// coordinate shown relative to the origin offset, a length or an angle), its radio and combo
// choices, the element's look, and "実　行", which reads the enabled edits in order and builds
// the new geometry. One Qt window shows any of them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/draw_entity.h"
#include "model/user_interface.h"
#include "tools/edit/attribute_fields.h"
#include "tools/edit/record_transform.h"

namespace plenwick {

// What an edit holds: an X or Y coordinate (model mm, shown relative to the origin offset and
// held within the drawing's coordinate range), a length (mm, above 0) or an angle (degrees).
enum class FieldKind { kX, kY, kLength, kAngle };

struct AttributeField {
  std::string_view name;  // also the messages' subject: "<name>値が入力されていません！"
  FieldKind kind;
};

// A set of radio buttons (or a combo box) of which one is chosen.
struct AttributeChoice {
  std::string_view caption;
  std::vector<std::string_view> labels;
  bool combo = false;
};

class AttributeDialogModel {
 public:
  virtual ~AttributeDialogModel() = default;
  virtual std::string_view caption() const = 0;
  // The element the dialog was opened for (the preview draws in its place).
  const DrawEntity& record() const { return record_; }

  int fieldCount() const { return static_cast<int>(fields_.size()); }
  const AttributeField& field(int i) const { return fields_[Index(i)]; }
  const std::string& initialText(int i) const { return initialTexts_[Index(i)]; }
  virtual bool FieldEnabled(int i) const {
    (void)i;
    return true;
  }

  const std::vector<AttributeChoice>& choices() const { return choices_; }
  int choice(int group) const { return chosen_[ChoiceIndex(group)]; }
  // A radio button or combo item: the edits it needs are enabled.
  void SetChoice(int group, int value);
  virtual bool ChoiceEnabled(int group) const {
    (void)group;
    return true;
  }

  ElementLook& look() { return look_; }
  const ElementLook& look() const { return look_; }
  // Whether the element is changed where it stands, without an undo step (curves).
  virtual bool InPlace() const { return false; }
  // Whether the line-type combo is shown (a paint's pattern takes the line type's place).
  virtual bool ShowsLineType() const { return true; }
  // The caption of the colour button's frame (none: the button stands by the pen combo).
  virtual std::string_view colourCaption() const { return {}; }

  // "実　行" with every edit's text (UTF-8): true when the dialog closes (geometry() holds the new
  // element); otherwise the message has been shown and focusField() names the edit the focus
  // goes back to. Disabled edits are not read.
  bool OnExecute(const std::vector<std::string>& texts, UserInterface& ui);
  int focusField() const { return focusField_; }
  const RecordGeometry& geometry() const { return geometry_; }
  // The element the texts describe now, for the preview; nothing while an edit reads as no value.
  std::optional<RecordGeometry> Peek(const std::vector<std::string>& texts) const;

 protected:
  // `fields` start with the element's stored values `stored` (model mm, degrees).
  AttributeDialogModel(const DrawEntity& record, double originX, double originY, std::vector<AttributeField> fields,
                       const std::vector<double>& stored);
  void AddChoice(AttributeChoice choice, int chosen);
  // An edit that shows `text` instead (a value that is no position).
  void SetInitialText(int i, std::string text) { initialTexts_[Index(i)] = std::move(text); }
  // The new geometry from the edits' values in model mm (origin offset added; 0 for disabled
  // edits).
  virtual RecordGeometry Build(const std::vector<double>& values) const = 0;
  // A choice changed (to keep choices that depend on each other consistent).
  virtual void ChoiceChanged(int group) { (void)group; }

 private:
  std::size_t Index(int i) const { return i >= 0 && i < fieldCount() ? static_cast<std::size_t>(i) : 0; }
  std::size_t ChoiceIndex(int group) const {
    return group >= 0 && static_cast<std::size_t>(group) < chosen_.size() ? static_cast<std::size_t>(group) : 0;
  }
  // The edit's value in model mm, or nothing when it is out of its kind's range.
  std::optional<double> ToModel(int i, double typed) const;

  const DrawEntity& record_;
  double originX_;
  double originY_;
  std::vector<AttributeField> fields_;
  std::vector<std::string> initialTexts_;
  std::vector<AttributeChoice> choices_;
  std::vector<int> chosen_;
  ElementLook look_;
  RecordGeometry geometry_;
  int focusField_ = 0;
};

}  // namespace plenwick
