// The layer name dialog.
#include "layer_propaty_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "model/user_interface.h"
#include "sjis_field.h"
#include "view/layer_list.h"

namespace plenwick {

CLayerPropatyDlg::CLayerPropatyDlg(const QString& caption, const std::string& nameSjis, UserInterface& ui, QWidget* parent)
    : QDialog(parent), ui_(ui), edit_(new QLineEdit(this)) {
  setWindowTitle(caption);
  auto* form = new QFormLayout(this);
  edit_->setObjectName("layerName");
  LimitToSjisBytes(edit_, kLayerNameMaxBytes);
  edit_->setText(TextOfSjis(nameSjis));
  edit_->selectAll();
  form->addRow(QString::fromUtf8("レイヤー名"), edit_);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QString::fromUtf8("設　定"), QDialogButtonBox::AcceptRole);
  ok->setObjectName("ok");
  ok->setDefault(true);
  buttons->addButton(QString::fromUtf8("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole)->setObjectName("cancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &CLayerPropatyDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CLayerPropatyDlg::reject);
  form->addRow(buttons);
}

std::string CLayerPropatyDlg::nameSjis() const { return SjisOf(edit_->text()); }

void CLayerPropatyDlg::accept() {
  const std::string_view message = CheckLayerName(nameSjis());
  if (!message.empty()) {
    ui_.ShowMessage(message);
    edit_->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace plenwick
