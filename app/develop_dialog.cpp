// The development tool's dialog window.
#include "develop_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "dialog_buttons.h"
#include "qt_user_interface.h"
#include "tools/draw/develop_dlg.h"
#include "view/tool_framework/tool_ui.h"

namespace plenwick {

static_assert(CDevelopDlg::kFieldCount == 7);

DevelopDialog::DevelopDialog(CDevelopDlg& model, ToolUi& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui) {
  setWindowTitle(FromUtf8(CDevelopDlg::kCaption));
  auto* layout = new QVBoxLayout(this);
  auto* fields = new QGridLayout;
  QLineEdit* first = nullptr;
  for (int field = 0; field < CDevelopDlg::kFieldCount; ++field) {
    const auto i = static_cast<std::size_t>(field);
    labels_[i] = new QLabel(FromUtf8(model.label(field)), this);
    edits_[i] = new QLineEdit(FromUtf8(model.initialText(field)), this);
    edits_[i]->setObjectName(QString("edit%1").arg(field + 1));
    edits_[i]->setMaxLength(static_cast<int>(CDevelopDlg::kMaxChars));
    fields->addWidget(labels_[i], field, 0);
    fields->addWidget(edits_[i], field, 1);
    const bool used = !model.label(field).empty();
    labels_[i]->setVisible(used);
    edits_[i]->setVisible(used);
    if (used && !first) first = edits_[i];
  }
  layout->addLayout(fields);
  AddDialogButtons(*this, *layout, CDevelopDlg::kOk, CDevelopDlg::kCancel);
  if (first) first->setFocus();
}

void DevelopDialog::accept() {
  std::vector<std::string> texts;
  for (const QLineEdit* e : edits_) texts.push_back(e->text().toStdString());
  if (!model_.OnExecute(texts, ui_)) {
    FocusAtFault(*edit(model_.focusField()));
    return;
  }
  QDialog::accept();
}

}  // namespace plenwick
