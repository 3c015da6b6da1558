// AttributeDialogModel, what every attribute-change dialog is without a window: its edits (each a
// coordinate shown relative to the origin offset, a length or an angle), its radio and combo
// choices, the element's look, and "実　行", which reads the enabled edits in order and builds
// the new geometry. One Qt window shows any of them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/draw_entity.h"
#include "model/user_interface.h"
#include "tools/edit/attribute_fields.h"
#include "tools/edit/record_transform.h"

namespace plenwick {

// What an edit holds: an X or Y coordinate (model mm, shown relative to the origin offset and
// held within the drawing's coordinate range), a length (mm, above 0), a distance (mm, 0 or
// more), an angle (degrees), a tolerance (0 to 1000) or a text (Shift-JIS in the model).
enum class FieldKind { kX, kY, kLength, kDistance, kAngle, kTolerance, kText };

struct AttributeField {
  std::string_view name;  // also the messages' subject: "<name>値が入力されていません！"
  FieldKind kind;
  std::size_t maxChars = kAttributeFieldChars;  // what the edit takes
  // A text's Shift-JIS bytes at most: cut there at a character boundary.
  std::size_t maxBytes = 0;
};

// A set of radio buttons (or a combo box) of which one is chosen (labels UTF-8).
struct AttributeChoice {
  std::string_view caption;
  std::vector<std::string> labels;
  bool combo = false;
};

// What the dialog makes: the new record's geometry and, for texts, its string and font.
struct AttributeRecord {
  RecordGeometry geometry;
  RecordStrings strings;
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
  const RecordGeometry& geometry() const { return result_.geometry; }
  // The new string and font (Shift-JIS) after OnExecute; none: the element's own.
  const RecordStrings& strings() const { return result_.strings; }
  // The element the texts describe now, for the preview; nothing while an edit reads as no value.
  std::optional<AttributeRecord> Peek(const std::vector<std::string>& texts) const;

  // Read-only lines shown under the edits (label, value), UTF-8.
  virtual std::vector<std::pair<std::string, std::string>> Facts() const { return {}; }
  // The button beside edit `i` that fills it with a chosen file (its caption; empty: none).
  virtual std::string_view BrowseCaption(int i) const {
    (void)i;
    return {};
  }
  // The browse button of edit `i` was pressed: the edit's new text (UTF-8), none when cancelled.
  virtual std::optional<std::string> Browse(int i) {
    (void)i;
    return std::nullopt;
  }
  // The dimension-text font the drawing makes the dimension's parts with, when the dialog
  // changes it (Shift-JIS): a dimension record keeps no font of its own.
  virtual std::optional<std::string> PartsFont() const { return std::nullopt; }
  // The edits' texts after the choice of `group` changed from `previous`: edits that show
  // another quantity then are rewritten.
  virtual void RewriteTexts(int group, int previous, std::vector<std::string>& texts) const {
    (void)group, (void)previous, (void)texts;
  }
  // After "実　行" and the replacement: what the program keeps of it (the folder of a picture).
  virtual void Applied() {}

 protected:
  // `fields` start with the element's stored values `stored` (model mm, degrees).
  AttributeDialogModel(const DrawEntity& record, double originX, double originY, std::vector<AttributeField> fields,
                       const std::vector<double>& stored);
  void AddChoice(AttributeChoice choice, int chosen);
  // The font combo: the installed faces (UTF-8, as the tool UI lists them) and the stored face
  // (Shift-JIS) last when it is not among them, so that a drawing made elsewhere keeps its face;
  // the stored face chosen.
  void AddFontChoice(std::string_view caption, std::vector<std::string> installed, std::string_view storedSjis);
  // The face chosen in the font combo when it is not the stored one (Shift-JIS).
  std::optional<std::string> ChangedFace() const;
  // An edit that shows `text` instead (a value that is no position).
  void SetInitialText(int i, std::string text) { initialTexts_[Index(i)] = std::move(text); }
  // The new geometry from the edits' values in model mm (origin offset added; 0 for disabled
  // and text edits) and the texts of the text edits (Shift-JIS; empty for the others).
  virtual RecordGeometry Build(const std::vector<double>& values, const std::vector<std::string>& words) const = 0;
  // More than the characters to check of text edit `i` (UTF-8): false after the message.
  virtual bool CheckText(int i, std::string_view utf8, UserInterface& ui) const {
    (void)i, (void)utf8, (void)ui;
    return true;
  }
  // The new string and font from the same (none: the element's own).
  virtual RecordStrings Strings(const std::vector<std::string>& words) const {
    (void)words;
    return {};
  }

  // A choice changed (to keep choices that depend on each other consistent).
  virtual void ChoiceChanged(int group) { (void)group; }

 private:
  std::size_t Index(int i) const { return i >= 0 && i < fieldCount() ? static_cast<std::size_t>(i) : 0; }
  std::size_t ChoiceIndex(int group) const {
    return group >= 0 && static_cast<std::size_t>(group) < chosen_.size() ? static_cast<std::size_t>(group) : 0;
  }
  // The edit's value in model mm, or nothing when it is out of its kind's range.
  std::optional<double> ToModel(int i, double typed) const;
  // The Shift-JIS text of text edit `i`, or nothing (with the message when `ui` is given).
  std::optional<std::string> ToWord(int i, std::string_view utf8, UserInterface* ui) const;

  const DrawEntity& record_;
  double originX_;
  double originY_;
  std::vector<AttributeField> fields_;
  std::vector<std::string> initialTexts_;
  std::vector<AttributeChoice> choices_;
  std::vector<int> chosen_;
  int fontGroup_ = -1;
  int storedFace_ = 0;
  ElementLook look_;
  AttributeRecord result_;
  int focusField_ = 0;
};

}  // namespace plenwick
