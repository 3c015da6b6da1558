// The window of every attribute dialog: its choices as radio buttons or a combo box, its edits
// (enabled as the choices need them), the look controls and the preview, over an
// AttributeDialogModel, which keeps and checks the values.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QButtonGroup;
class QComboBox;
class QLineEdit;

namespace plenwick {

class AttributeDialogModel;
class ColourButton;
class PreviewBox;
class UserInterface;

class AttributeDialogWindow final : public QDialog {
  Q_OBJECT
 public:
  // Edits are named "field0", "field1", ...; radio groups "choice<g>_<i>" per button, combos
  // "choice<g>"; the look controls "lineType", "pen", "colour"; the buttons "ok" and "cancel".
  AttributeDialogWindow(AttributeDialogModel& model, UserInterface& ui, QWidget* parent = nullptr);

 public slots:
  // "実　行": closes only when the model takes the texts; otherwise the focus goes to the edit
  // at fault.
  void accept() override;

 private:
  std::vector<std::string> Texts() const;
  // The edits and choices the current choices enable; the focus in the first enabled edit.
  void ShowEnabling();

  AttributeDialogModel& model_;
  UserInterface& ui_;
  std::vector<QLineEdit*> edits_;
  std::vector<QWidget*> choiceBoxes_;
  ColourButton* colour_;
  PreviewBox* preview_;
};

}  // namespace plenwick
