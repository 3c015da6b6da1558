// The moving tool's displacement dialog window ("移動・複写値入力"): the X and Y edits of at most 40
// characters and "実　行", which closes only when both hold values.
#pragma once

#include <QDialog>

class QLineEdit;

namespace plenwick {

class IdouZahyoDlg;
class UserInterface;

class IdouZahyoDialog final : public QDialog {
  Q_OBJECT
 public:
  IdouZahyoDialog(IdouZahyoDlg& model, UserInterface& ui, QWidget* parent = nullptr);
  QLineEdit* edit(int field) const { return edits_[field == 1 ? 1 : 0]; }

 public slots:
  // "実　行": the focus goes back to the edit at fault when a text gives no value.
  void accept() override;

 private:
  IdouZahyoDlg& model_;
  UserInterface& ui_;
  QLineEdit* edits_[2];
};

}  // namespace plenwick
