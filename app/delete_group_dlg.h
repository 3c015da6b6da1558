// The window-deletion dialog's window ("グループ削除"): the scope and range radios and the nine
// kind boxes over CDeleteGroupDlg, which decides what is enabled.
#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QRadioButton;

namespace plenwick {

class CDeleteGroupDlg;

class DeleteGroupDlg final : public QDialog {
  Q_OBJECT
 public:
  // Controls are named by their ids ("c1093" ... "c1105"); the buttons are "ok" and "cancel".
  DeleteGroupDlg(CDeleteGroupDlg& model, QWidget* parent = nullptr);

 private:
  // The kind boxes follow the model's enabling.
  void SyncEnabling();

  CDeleteGroupDlg& model_;
  std::array<QCheckBox*, 9> kinds_{};
};

}  // namespace plenwick
