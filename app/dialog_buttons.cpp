// The dialogs' button row.
#include "dialog_buttons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

#include "qt_user_interface.h"

namespace plenwick {

QDialogButtonBox* AddDialogButtons(QDialog& dialog, QBoxLayout& layout, std::string_view ok, std::string_view cancel) {
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* run = buttons->addButton(FromUtf8(ok), QDialogButtonBox::AcceptRole);
  run->setObjectName("ok");
  run->setDefault(true);
  buttons->addButton(FromUtf8(cancel), QDialogButtonBox::RejectRole)->setObjectName("cancel");
  // accept() is virtual: the dialog's own checks run.
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout.addWidget(buttons);
  return buttons;
}

void FocusAtFault(QLineEdit& edit) {
  edit.setFocus();
  edit.selectAll();
}

}  // namespace plenwick
