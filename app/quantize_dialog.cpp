// The rounding window.
#include "quantize_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialog_buttons.h"
#include "qt_user_interface.h"
#include "tools/edit/quantize_dlg.h"

namespace plenwick {

QuantizeDialog::QuantizeDialog(CQuantizeDlg& model, QWidget* parent) : QDialog(parent), model_(model) {
  setWindowTitle(FromUtf8(CQuantizeDlg::kCaption));
  auto* layout = new QVBoxLayout(this);
  places_ = new QComboBox(this);
  places_->setObjectName("places");
  for (int places = 0; places <= CQuantizeDlg::kMostPlaces; ++places) places_->addItem(QString::number(places));
  places_->setCurrentIndex(model_.places());
  layout->addWidget(places_);
  round_ = new QRadioButton(FromUtf8(CQuantizeDlg::kRound), this);
  truncate_ = new QRadioButton(FromUtf8(CQuantizeDlg::kTruncate), this);
  truncate_->setObjectName("truncate");
  (model_.mode() == DecimalRounding::kTruncate ? truncate_ : round_)->setChecked(true);
  layout->addWidget(round_);
  layout->addWidget(truncate_);
  layout->addWidget(new QLabel(FromUtf8(CQuantizeDlg::kSample), this));
  result_ = new QLabel(this);
  result_->setObjectName("result");
  layout->addWidget(result_);
  AddDialogButtons(*this, *layout, CQuantizeDlg::kOk, CQuantizeDlg::kCancel);
  connect(places_, &QComboBox::currentIndexChanged, this, &QuantizeDialog::Update);
  connect(truncate_, &QRadioButton::toggled, this, &QuantizeDialog::Update);
  Update();
}

void QuantizeDialog::Update() {
  model_.SetPlaces(places_->currentIndex());
  model_.SetMode(truncate_->isChecked() ? DecimalRounding::kTruncate : DecimalRounding::kHalfUp);
  result_->setText(QString::fromStdString(model_.PreviewText()));
}

}  // namespace plenwick
