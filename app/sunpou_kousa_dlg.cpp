// The dimension tolerance dialog's window and its preview.
#include "sunpou_kousa_dlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "dialog_buttons.h"
#include "qt_user_interface.h"
#include "tools/draw/tolerance_dlg.h"

namespace plenwick {

namespace {

// The sample texts of one tolerance type, drawn in the dialog's preview face.
class TolerancePreview final : public QWidget {
 public:
  explicit TolerancePreview(QWidget* parent) : QWidget(parent) {
    setObjectName("preview");
    setMinimumSize(200, 70);
  }
  void SetType(int type) {
    type_ = type;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setPen(palette().text().color());
    const double h = height() * 0.45;  // the value's height, pixels
    const QPointF origin(h * 0.5, height() * 0.5 + h / 2);
    for (const PreviewText& t : TolerancePreviewTexts(type_)) {
      QFont font(FromUtf8(CSunpouKousaDlg::kPreviewFont));
      font.setPixelSize(std::max(1, static_cast<int>(t.height * h)));
      painter.setFont(font);
      painter.drawText(origin + QPointF(t.x * h, -t.y * h), FromUtf8(t.text));
    }
  }

 private:
  int type_ = 1;
};

}  // namespace

SunpouKousaDlg::SunpouKousaDlg(CSunpouKousaDlg& model, UserInterface& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui) {
  using D = CSunpouKousaDlg;
  setWindowTitle(FromUtf8(D::kCaption));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  type_ = new QComboBox(this);
  type_->setObjectName("type");
  for (std::string_view text : D::kTypeTexts) type_->addItem(FromUtf8(text));
  form->addRow(FromUtf8(D::kTypeLabel), type_);
  const std::string_view labels[2] = {D::kValue1Label, D::kValue2Label};
  for (int field = 0; field < 2; ++field) {
    values_[field] = new QLineEdit(this);
    values_[field]->setObjectName(QString("value%1").arg(field + 1));
    form->addRow(FromUtf8(labels[field]), values_[field]);
  }
  layout->addLayout(form);
  preview_ = new TolerancePreview(this);
  layout->addWidget(preview_);

  AddDialogButtons(*this, *layout, D::kOkText, D::kCancelText);

  connect(type_, &QComboBox::currentIndexChanged, this, [this](int index) {
    model_.SelectIndex(index, values_[0]->text().toStdString(), values_[1]->text().toStdString());
    ShowType();
  });
  ShowType();
  values_[0]->setFocus();
}

void SunpouKousaDlg::ShowType() {
  const QSignalBlocker quiet(type_);
  type_->setCurrentIndex(model_.index());
  for (int field = 0; field < 2; ++field) values_[field]->setText(FromUtf8(model_.text(field)));
  static_cast<TolerancePreview*>(preview_)->SetType(model_.type());
}

void SunpouKousaDlg::accept() {
  if (!model_.OnSet(values_[0]->text().toStdString(), values_[1]->text().toStdString(), ui_)) {
    ShowType();
    FocusAtFault(*values_[model_.focusField() == 1 ? 1 : 0]);
    return;
  }
  QDialog::accept();
}

}  // namespace plenwick
