// The line tool's input dialog window.
#include "line_input_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialog_buttons.h"
#include "qt_user_interface.h"
#include "view/tool_framework/line_input.h"

namespace plenwick {

LineInputDialog::LineInputDialog(CLineInputDlg& model, UserInterface& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui) {
  setWindowTitle(FromUtf8(model.caption()));
  auto* layout = new QVBoxLayout(this);

  auto* group = new QGroupBox(FromUtf8(kLineInputGroupCaption), this);
  auto* groupLayout = new QHBoxLayout(group);
  modes_[0] = new QRadioButton(FromUtf8(kLineInputPolarChoice), group);
  modes_[1] = new QRadioButton(FromUtf8(kLineInputOffsetChoice), group);
  for (int mode = 0; mode < 2; ++mode) {
    modes_[mode]->setObjectName(QString("mode%1").arg(mode));
    groupLayout->addWidget(modes_[mode]);
    connect(modes_[mode], &QRadioButton::toggled, this, [this, mode](bool on) {
      if (on) ShowMode(mode);
    });
  }
  layout->addWidget(group);

  auto* fields = new QGridLayout;
  for (int field = 0; field < 2; ++field) {
    labels_[field] = new QLabel(this);
    labels_[field]->setObjectName(QString("label%1").arg(field));
    edits_[field] = new QLineEdit(FromUtf8(model.initialText(field)), this);
    edits_[field]->setObjectName(QString("value%1").arg(field));
    edits_[field]->setMaxLength(static_cast<int>(CLineInputDlg::kMaxChars));
    // Only the characters an expression may hold are kept as the user types.
    connect(edits_[field], &QLineEdit::textEdited, this, [this, field](const QString& typed) {
      const QString kept = FromUtf8(FilterLineInputText(typed.toStdString()));
      if (kept != typed) edits_[field]->setText(kept);
    });
    fields->addWidget(labels_[field], field, 0);
    fields->addWidget(edits_[field], field, 1);
  }
  layout->addLayout(fields);

  AddDialogButtons(*this, *layout, kLineInputOk, kLineInputCancel);

  modes_[model.mode() == 1 ? 1 : 0]->setChecked(true);
  ShowMode(model.mode());
  edits_[0]->setFocus();
  edits_[0]->selectAll();
}

void LineInputDialog::ShowMode(int mode) {
  model_.SetMode(mode);
  for (int field = 0; field < 2; ++field) labels_[field]->setText(FromUtf8(model_.label(field)));
}

void LineInputDialog::accept() {
  if (!model_.OnExecute(edits_[0]->text().toStdString(), edits_[1]->text().toStdString(), ui_)) {
    FocusAtFault(*edit(model_.focusField()));
    return;
  }
  QDialog::accept();
}

}  // namespace plenwick
