// "パスワードの解除": asks for the drawing's password before its protection may be removed.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

namespace plenwick {

class UserInterface;

class CPasswordDlg final : public QDialog {
  Q_OBJECT
 public:
  // storedPasswordSjis: the drawing's password as stored (Shift-JIS).
  CPasswordDlg(std::string storedPasswordSjis, UserInterface& ui, QWidget* parent = nullptr);
  QLineEdit* passwordEdit() const { return edit_; }

 public slots:
  // "実　行": closes only when the entered text is the password.
  void accept() override;

 private:
  std::string stored_;
  UserInterface& ui_;
  QLineEdit* edit_;
};

}  // namespace plenwick
