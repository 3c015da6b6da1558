// The moving tool's displacement dialog window.
#include "idou_zahyo_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialog_buttons.h"
#include "qt_user_interface.h"
#include "tools/edit/idou_zahyo_dlg.h"

namespace plenwick {

IdouZahyoDialog::IdouZahyoDialog(IdouZahyoDlg& model, UserInterface& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui) {
  setWindowTitle(FromUtf8(IdouZahyoDlg::kCaption));
  auto* layout = new QVBoxLayout(this);
  auto* fields = new QGridLayout;
  const std::string_view labels[2] = {IdouZahyoDlg::kXLabel, IdouZahyoDlg::kYLabel};
  for (int field = 0; field < 2; ++field) {
    fields->addWidget(new QLabel(FromUtf8(labels[field]), this), field, 0);
    edits_[field] = new QLineEdit(this);
    edits_[field]->setObjectName(field == 0 ? "x" : "y");
    edits_[field]->setMaxLength(static_cast<int>(IdouZahyoDlg::kMaxChars));
    fields->addWidget(edits_[field], field, 1);
  }
  layout->addLayout(fields);
  AddDialogButtons(*this, *layout, IdouZahyoDlg::kOk, IdouZahyoDlg::kCancel);
  edits_[0]->setFocus();
}

void IdouZahyoDialog::accept() {
  if (!model_.OnExecute(edits_[0]->text().toStdString(), edits_[1]->text().toStdString(), ui_)) {
    FocusAtFault(*edit(model_.focusField()));
    return;
  }
  QDialog::accept();
}

}  // namespace plenwick
