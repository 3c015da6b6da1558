// The window-deletion dialog's window.
#include "delete_group_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialog_buttons.h"
#include "qt_user_interface.h"
#include "tools/edit/delete_group_dlg.h"

namespace plenwick {

namespace {

QString ControlName(int id) { return QStringLiteral("c%1").arg(id); }

struct RadioPair {
  QRadioButton* first;
  QRadioButton* second;
};

// Two radios in a box of their own: radios sharing a parent exclude each other.
RadioPair AddRadioPair(QWidget* parent, QLayout* layout, std::string_view firstText, int firstId,
                       std::string_view secondText, int secondId) {
  auto* box = new QGroupBox(parent);
  auto* row = new QHBoxLayout(box);
  RadioPair pair{new QRadioButton(FromUtf8(firstText), box), new QRadioButton(FromUtf8(secondText), box)};
  pair.first->setObjectName(ControlName(firstId));
  pair.second->setObjectName(ControlName(secondId));
  row->addWidget(pair.first);
  row->addWidget(pair.second);
  layout->addWidget(box);
  return pair;
}

}  // namespace

DeleteGroupDlg::DeleteGroupDlg(CDeleteGroupDlg& model, QWidget* parent) : QDialog(parent), model_(model) {
  using D = CDeleteGroupDlg;
  setWindowTitle(FromUtf8(D::kCaption));
  auto* layout = new QVBoxLayout(this);

  const RadioPair scope =
      AddRadioPair(this, layout, D::kAllKindsText, D::kAllKindsId, D::kTickedKindsText, D::kTickedKindsId);
  QRadioButton* all = scope.first;
  QRadioButton* ticked = scope.second;
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

  const RadioPair range = AddRadioPair(this, layout, D::kInsideText, D::kInsideId, D::kOutsideText, D::kOutsideId);
  QRadioButton* outside = range.second;
  (model_.choice().outside ? outside : range.first)->setChecked(true);

  // Either scope radio re-evaluates the enabling at once.
  for (QRadioButton* radio : {all, ticked}) {
    connect(radio, &QRadioButton::toggled, this, [this, all] {
      model_.SetAllKinds(all->isChecked());
      SyncEnabling();
    });
  }
  connect(outside, &QRadioButton::toggled, this, [this](bool on) { model_.SetOutside(on); });

  AddDialogButtons(*this, *layout, D::kOkText, D::kCancelText);
  SyncEnabling();
}

void DeleteGroupDlg::SyncEnabling() {
  for (QCheckBox* box : kinds_) box->setEnabled(model_.KindsEnabled());
}

}  // namespace plenwick
