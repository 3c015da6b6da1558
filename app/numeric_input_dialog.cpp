// The numeric input dialog's window.
#include "numeric_input_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialog_buttons.h"
#include "qt_user_interface.h"
#include "view/tool_framework/numeric_input.h"

namespace plenwick {

NumericInputDialog::NumericInputDialog(CInputNumDlg& model, UserInterface& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui), edit_(new QLineEdit(this)) {
  setWindowTitle(FromUtf8(model.caption()));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(FromUtf8(model.label()), this);
  label->setObjectName("label");
  layout->addWidget(label);
  edit_->setObjectName("value");
  edit_->setMaxLength(static_cast<int>(CInputNumDlg::kMaxChars));
  edit_->setText(FromUtf8(model.initialText()));
  edit_->selectAll();
  layout->addWidget(edit_);
  AddDialogButtons(*this, *layout, kNumericInputOk, kNumericInputCancel);
  edit_->setFocus();
}

void NumericInputDialog::accept() {
  if (!model_.OnExecute(edit_->text().toStdString(), ui_)) {
    edit_->setFocus();
    edit_->selectAll();
    return;
  }
  QDialog::accept();
}

}  // namespace plenwick
