// The password question before a password protection is removed.
#include "password_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/drawing_header.h"
#include "model/drawing_info.h"
#include "model/user_interface.h"
#include "sjis_field.h"

namespace plenwick {

CPasswordDlg::CPasswordDlg(std::string storedPasswordSjis, UserInterface& ui, QWidget* parent)
    : QDialog(parent), stored_(std::move(storedPasswordSjis)), ui_(ui), edit_(new QLineEdit(this)) {
  setWindowTitle(QString::fromUtf8("パスワードの解除"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString::fromUtf8("この図面のパスワードを入力してください。"), this));
  auto* label = new QLabel(QString::fromUtf8("パスワード（８文字以内）"), this);
  label->setBuddy(edit_);
  layout->addWidget(label);
  edit_->setObjectName("password");
  edit_->setEchoMode(QLineEdit::Password);
  LimitToSjisBytes(edit_, DrawingHeader::kPasswordWidth - 1);
  layout->addWidget(edit_);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QString::fromUtf8("実　行"), QDialogButtonBox::AcceptRole);
  ok->setObjectName("ok");
  ok->setDefault(true);
  buttons->addButton(QString::fromUtf8("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole)->setObjectName("cancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &CPasswordDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CPasswordDlg::reject);
  layout->addWidget(buttons);
}

void CPasswordDlg::accept() {
  const std::string_view message = CheckPasswordRemoval(stored_, SjisOf(edit_->text()));
  if (!message.empty()) {
    ui_.ShowMessage(message);
    edit_->setFocus();
    edit_->selectAll();
    return;
  }
  QDialog::accept();
}

}  // namespace plenwick
