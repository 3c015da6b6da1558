// The window of "プロッター設定" over CPloterSetDlg: the seven combos of the interface and the
// device edit of the port shown.
#pragma once

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;

namespace plenwick {

class CPloterSetDlg;
class UserInterface;

class PloterSetDlg final : public QDialog {
  Q_OBJECT
 public:
  // Combos are named "command", "port", "baudRate", "dataBits", "parity", "stopBits" and
  // "flowControl", the edit "device"; the buttons "save" and "cancel".
  PloterSetDlg(CPloterSetDlg& model, UserInterface& ui, QWidget* parent = nullptr);

 public slots:
  // "保　存": closes once every port has a device path; the model then holds the choices.
  void accept() override;

 private:
  void Show();

  CPloterSetDlg& model_;
  UserInterface& ui_;
  std::array<QComboBox*, 7> combos_{};
  QLineEdit* device_;
};

}  // namespace plenwick
