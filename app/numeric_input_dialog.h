// The numeric input dialog's window ("数値入力　（四則演算式入力可能）"): the label of its kind,
// one edit of at most 40 characters, and "実 行" that evaluates the expression.
#pragma once

#include <QDialog>

class QLineEdit;

namespace plenwick {

class CInputNumDlg;
class UserInterface;

class NumericInputDialog final : public QDialog {
  Q_OBJECT
 public:
  NumericInputDialog(CInputNumDlg& model, UserInterface& ui, QWidget* parent = nullptr);
  QLineEdit* edit() const { return edit_; }

 public slots:
  // "実 行": closes only when the expression gives a value.
  void accept() override;

 private:
  CInputNumDlg& model_;
  UserInterface& ui_;
  QLineEdit* edit_;
};

}  // namespace plenwick
