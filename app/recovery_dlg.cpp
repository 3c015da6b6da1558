// The recovery dialog: the list of left drawings and the three buttons.
#include "recovery_dlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>


namespace plenwick {

CRecoveryDlg::CRecoveryDlg(const std::vector<LeftDrawing>& left, QWidget* parent)
    : QDialog(parent),
      list_(new QTreeWidget(this)),
      restore_(new QPushButton(QString::fromUtf8("復元"), this)),
      discard_(new QPushButton(QString::fromUtf8("破棄"), this)),
      later_(new QPushButton(QString::fromUtf8("後で"), this)) {
  setWindowTitle(QString::fromUtf8("図面の復元"));
  list_->setHeaderLabels({QString::fromUtf8("図面"), QString::fromUtf8("場所"), QString::fromUtf8("自動保存")});
  list_->setRootIsDecorated(false);
  list_->setSelectionMode(QAbstractItemView::NoSelection);
  for (const LeftDrawing& drawing : left) {
    const RecoveryRow row = RecoveryRowOf(drawing);
    list_->addTopLevelItem(new QTreeWidgetItem(
        {QString::fromStdString(row.name), QString::fromStdString(row.path), QString::fromStdString(row.time)}));
  }
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  list_->setMinimumWidth(560);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {restore_, discard_, later_}) buttons->addWidget(b);
  restore_->setDefault(true);
  connect(restore_, &QPushButton::clicked, this, [this] { Choose(RecoveryChoice::kRestore); });
  connect(discard_, &QPushButton::clicked, this, [this] { Choose(RecoveryChoice::kDiscard); });
  connect(later_, &QPushButton::clicked, this, [this] { Choose(RecoveryChoice::kLater); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString::fromUtf8(kRecoveryQuestion.data(), static_cast<qsizetype>(kRecoveryQuestion.size())), this));
  layout->addWidget(list_);
  layout->addLayout(buttons);
}

QPushButton* CRecoveryDlg::button(RecoveryChoice choice) const {
  switch (choice) {
    case RecoveryChoice::kRestore: return restore_;
    case RecoveryChoice::kDiscard: return discard_;
    case RecoveryChoice::kLater: return later_;
  }
  return later_;
}

void CRecoveryDlg::Choose(RecoveryChoice choice) {
  choice_ = choice;
  accept();
}

}  // namespace plenwick
