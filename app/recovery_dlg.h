// The start-up dialog offering the drawings a crashed run left behind: 復元, 破棄 or 後で.
#pragma once

#include <QDialog>
#include <vector>

#include "model/autosave_recovery.h"

class QPushButton;
class QTreeWidget;

namespace plenwick {

class CRecoveryDlg final : public QDialog {
  Q_OBJECT
 public:
  CRecoveryDlg(const std::vector<LeftDrawing>& left, QWidget* parent = nullptr);

  // What the user chose; closing the dialog otherwise is 後で.
  RecoveryChoice choice() const { return choice_; }
  QTreeWidget* list() const { return list_; }
  QPushButton* button(RecoveryChoice choice) const;

 private:
  void Choose(RecoveryChoice choice);

  QTreeWidget* list_;
  QPushButton* restore_;
  QPushButton* discard_;
  QPushButton* later_;
  RecoveryChoice choice_ = RecoveryChoice::kLater;
};

}  // namespace plenwick
