// The line tool's input dialog window ("数値入力"): two radio buttons switching between length
// and angle and X/Y offsets, two edits of at most 40 characters, and "実　行" that evaluates both.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace plenwick {

class CLineInputDlg;
class UserInterface;

class LineInputDialog final : public QDialog {
  Q_OBJECT
 public:
  LineInputDialog(CLineInputDlg& model, UserInterface& ui, QWidget* parent = nullptr);
  QLineEdit* edit(int field) const { return edits_[field == 1 ? 1 : 0]; }
  QRadioButton* modeButton(int mode) const { return modes_[mode == 1 ? 1 : 0]; }

 public slots:
  // "実　行": closes only when both texts give values; otherwise the focus goes to the one at fault.
  void accept() override;

 private:
  void ShowMode(int mode);

  CLineInputDlg& model_;
  UserInterface& ui_;
  QRadioButton* modes_[2];
  QLabel* labels_[2];
  QLineEdit* edits_[2];
};

}  // namespace plenwick
