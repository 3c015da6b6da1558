// The dimension tolerance dialog's window ("寸法公差設定"): the type combo, the two value edits
// and a preview of the chosen type's texts, over CSunpouKousaDlg, which keeps and checks the
// values.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace plenwick {

class CSunpouKousaDlg;
class UserInterface;

class SunpouKousaDlg final : public QDialog {
  Q_OBJECT
 public:
  // Controls are named "type", "value1", "value2" and "preview"; the buttons "ok" and "cancel".
  SunpouKousaDlg(CSunpouKousaDlg& model, UserInterface& ui, QWidget* parent = nullptr);

 public slots:
  // "設　定": closes only when every type's values are taken; otherwise the type at fault is
  // shown with the focus in the edit at fault.
  void accept() override;

 private:
  // The edits and the preview show the model's selected type.
  void ShowType();

  CSunpouKousaDlg& model_;
  UserInterface& ui_;
  QComboBox* type_;
  QLineEdit* values_[2];
  QWidget* preview_;
};

}  // namespace plenwick
