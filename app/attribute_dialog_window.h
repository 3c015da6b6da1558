// The window of every attribute dialog: its choices as radio buttons or a combo box, its edits
// (enabled as the choices need them), the look controls and the preview, over an
// AttributeDialogModel, which keeps and checks the values.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;

namespace plenwick {

class AttributeDialogModel;
class ColourButton;
class PreviewBox;
class UserInterface;

class AttributeDialogWindow final : public QDialog {
  Q_OBJECT
 public:
  // Edits are named "field0", "field1", ... (browse buttons "browse<i>", read-only values
  // "fact0", ...); radio groups "choice<g>_<i>" per button, combos
  // "choice<g>"; the look controls "lineType", "pen", "colour"; the buttons "ok" and "cancel".
  AttributeDialogWindow(AttributeDialogModel& model, UserInterface& ui, QWidget* parent = nullptr);

 public slots:
  // "実　行": closes only when the model takes the texts; otherwise the focus goes to the edit
  // at fault.
  void accept() override;

 private:
  std::vector<std::string> Texts() const;
  // A radio button or combo item chosen: the edits it changes are shown anew.
  void Choose(int group, int index);
  // The read-only values anew (after another picture was chosen).
  void ShowFacts();
  // The edits and choices the current choices enable; the focus in the first enabled edit.
  void ShowEnabling();

  AttributeDialogModel& model_;
  UserInterface& ui_;
  std::vector<QLineEdit*> edits_;
  std::vector<QWidget*> choiceBoxes_;
  std::vector<QLabel*> facts_;
  ColourButton* colour_;
  PreviewBox* preview_;
};

}  // namespace plenwick
