// The window-deletion dialog's window.
#include "delete_group_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "qt_user_interface.h"
#include "tools/edit/delete_group_dlg.h"

namespace plenwick {

namespace {

QString ControlName(int id) { return QStringLiteral("c%1").arg(id); }

QRadioButton* AddRadio(QWidget* parent, QLayout* layout, std::string_view text, int id) {
  auto* radio = new QRadioButton(FromUtf8(text), parent);
  radio->setObjectName(ControlName(id));
  layout->addWidget(radio);
  return radio;
}

}  // namespace

DeleteGroupDlg::DeleteGroupDlg(CDeleteGroupDlg& model, QWidget* parent) : QDialog(parent), model_(model) {
  using D = CDeleteGroupDlg;
  setWindowTitle(FromUtf8(D::kCaption));
  auto* layout = new QVBoxLayout(this);

  // Each pair of radios in a box of its own: radios sharing a parent exclude each other.
  auto* scopeBox = new QGroupBox(this);
  auto* scopeRow = new QHBoxLayout(scopeBox);
  QRadioButton* all = AddRadio(scopeBox, scopeRow, D::kAllKindsText, D::kAllKindsId);
  QRadioButton* ticked = AddRadio(scopeBox, scopeRow, D::kTickedKindsText, D::kTickedKindsId);
  layout->addWidget(scopeBox);
  (model_.choice().allKinds ? all : ticked)->setChecked(true);

  auto* kindsBox = new QGroupBox(this);
  auto* grid = new QGridLayout(kindsBox);
  for (int i = 0; i < kDeleteKindBoxCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    auto* box = new QCheckBox(FromUtf8(D::kKindTexts[index]), kindsBox);
    box->setObjectName(ControlName(D::kFirstKindId + i));
    box->setChecked(model_.choice().kinds[index]);
    grid->addWidget(box, i / 3, i % 3);
    connect(box, &QCheckBox::toggled, this,
            [this, i](bool on) { model_.SetKind(static_cast<DeleteKindBox>(i), on); });
    kinds_[index] = box;
  }
  layout->addWidget(kindsBox);

  auto* rangeBox = new QGroupBox(this);
  auto* rangeRow = new QHBoxLayout(rangeBox);
  QRadioButton* inside = AddRadio(rangeBox, rangeRow, D::kInsideText, D::kInsideId);
  QRadioButton* outside = AddRadio(rangeBox, rangeRow, D::kOutsideText, D::kOutsideId);
  layout->addWidget(rangeBox);
  (model_.choice().outside ? outside : inside)->setChecked(true);

  // Either scope radio re-evaluates the enabling at once.
  for (QRadioButton* radio : {all, ticked}) {
    connect(radio, &QRadioButton::toggled, this, [this, all] {
      model_.SetAllKinds(all->isChecked());
      SyncEnabling();
    });
  }
  connect(outside, &QRadioButton::toggled, this, [this](bool on) { model_.SetOutside(on); });

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(FromUtf8(D::kOkText), QDialogButtonBox::AcceptRole);
  ok->setObjectName("ok");
  ok->setDefault(true);
  buttons->addButton(FromUtf8(D::kCancelText), QDialogButtonBox::RejectRole)->setObjectName("cancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &DeleteGroupDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &DeleteGroupDlg::reject);
  layout->addWidget(buttons);
  SyncEnabling();
}

void DeleteGroupDlg::SyncEnabling() {
  for (QCheckBox* box : kinds_) box->setEnabled(model_.KindsEnabled());
}

}  // namespace plenwick
