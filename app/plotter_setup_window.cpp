// The plotter interface window.
#include "plotter_setup_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <span>

#include "output/ploter_set_dlg.h"
#include "qt_user_interface.h"

namespace plenwick {

namespace {

enum Combo { kCommand, kPort, kBaudRate, kDataBits, kParity, kStopBits, kFlowControl };

}  // namespace

PloterSetDlg::PloterSetDlg(CPloterSetDlg& model, UserInterface& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui) {
  using D = CPloterSetDlg;
  setWindowTitle(FromUtf8(D::kCaption));
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(FromUtf8(D::kGroup), this);
  auto* form = new QFormLayout(group);
  auto add = [&](Combo which, const char* name, std::string_view label, std::span<const std::string_view> items) {
    auto* combo = new QComboBox(group);
    combo->setObjectName(name);
    for (std::string_view item : items) combo->addItem(FromUtf8(item));
    form->addRow(FromUtf8(label), combo);
    combos_[which] = combo;
  };
  add(kCommand, "command", D::kCommandLabel, kPlotterCommandItems);
  add(kPort, "port", D::kPortLabel, kPlotterPortItems);
  device_ = new QLineEdit(group);
  device_->setObjectName("device");
  form->addRow(FromUtf8(D::kDeviceLabel), device_);
  add(kBaudRate, "baudRate", D::kBaudRateLabel, kBaudRateItems);
  add(kDataBits, "dataBits", D::kDataBitsLabel, kDataBitsItems);
  add(kParity, "parity", D::kParityLabel, kParityItems);
  add(kStopBits, "stopBits", D::kStopBitsLabel, kStopBitsItems);
  add(kFlowControl, "flowControl", D::kFlowControlLabel, kFlowControlItems);
  layout->addWidget(group);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* save = buttons->addButton(FromUtf8(D::kSaveText), QDialogButtonBox::AcceptRole);
  save->setObjectName("save");
  save->setDefault(true);
  buttons->addButton(FromUtf8(D::kCancelText), QDialogButtonBox::RejectRole)->setObjectName("cancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &PloterSetDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &PloterSetDlg::reject);
  layout->addWidget(buttons);

  connect(combos_[kPort], &QComboBox::currentIndexChanged, this, [this](int port) {
    model_.SelectPort(port, device_->text().toStdString());
    device_->setText(QString::fromStdString(model_.device(port)));
  });
  Show();
}

void PloterSetDlg::Show() {
  const PlotterInterface& s = model_.settings();
  const int selected[] = {s.command, s.port, s.baudRate, s.dataBits, s.parity, s.stopBits, s.flowControl};
  for (std::size_t i = 0; i < combos_.size(); ++i) {
    const QSignalBlocker quiet(combos_[i]);
    combos_[i]->setCurrentIndex(selected[i]);
  }
  device_->setText(QString::fromStdString(model_.device(s.port)));
}

void PloterSetDlg::accept() {
  PlotterInterface& s = model_.settings();
  s.command = combos_[kCommand]->currentIndex();
  s.baudRate = combos_[kBaudRate]->currentIndex();
  s.dataBits = combos_[kDataBits]->currentIndex();
  s.parity = combos_[kParity]->currentIndex();
  s.stopBits = combos_[kStopBits]->currentIndex();
  s.flowControl = combos_[kFlowControl]->currentIndex();
  if (!model_.OnSave(device_->text().toStdString(), ui_)) {
    Show();
    device_->setFocus();
    device_->selectAll();
    return;
  }
  QDialog::accept();
}

}  // namespace plenwick
