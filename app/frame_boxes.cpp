// Size box, prompt box and grid bar.
#include "frame_boxes.h"

#include <QDoubleValidator>
#include <QHBoxLayout>
#include <QPainter>
#include <cmath>

#include "qt_canvas.h"
#include "view/paper.h"

namespace plenwick {

namespace {
const char* const kPaperNames[kPaperSizeCount] = {"Ａ０", "Ａ１", "Ａ２", "Ａ３", "Ａ４", "Ａ５", "Ａ６", "Ｂ４", "Ｂ５", "Ｂ６"};

// "%0.2f" without trailing zeros and point.
QString NumberText(double v) {
  QString s = QString::asprintf("%0.2f", v);
  while (s.contains('.') && s.endsWith('0')) s.chop(1);
  if (s.endsWith('.')) s.chop(1);
  return s;
}
}  // namespace

CSizeInfoDlg::CSizeInfoDlg(QWidget* parent) : QWidget(parent) { setObjectName("sizeBox"); }

void CSizeInfoDlg::ShowDrawing(bool shown, int paperSize, int orientation, double scale, bool printerPaper) {
  QString text;
  if (shown) {
    const QString paper = printerPaper ? QString::fromUtf8("プリンター")
                          : paperSize >= 0 && paperSize < kPaperSizeCount ? QString::fromUtf8(kPaperNames[paperSize])
                                                                          : QString("?");
    const QString turn = QString::fromUtf8(orientation == 1 ? "縦" : "横");
    text = QString::fromUtf8("用紙 %1 %2　縮尺 1/%3").arg(paper, turn, NumberText(scale));
  }
  if (text == text_) return;
  text_ = text;
  setToolTip(text_);
  update();
}

void CSizeInfoDlg::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect().adjusted(1, 1, -1, -1), palette().base());
  p.setPen(palette().text().color());
  p.drawText(rect().adjusted(5, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, text_);
}

PromptBoxWidget::PromptBoxWidget(const COperateMsgBox& box, QWidget* parent) : QWidget(parent), box_(box) {
  setObjectName("promptBox");
}

QString PromptBoxWidget::text() const { return QString::fromStdString(box_.text()); }

void PromptBoxWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  QtPainterCanvas canvas(painter, false);
  PaintPromptBox(canvas, {0, 0, width(), height()}, box_);
}

CGrigBarDlg::CGrigBarDlg(QWidget* parent) : QWidget(parent), edit_(new QLineEdit(this)) {
  setObjectName("gridBar");
  edit_->setObjectName("gridPitch");
  auto* validator = new QDoubleValidator(0.001, 1e9, 3, edit_);
  validator->setLocale(QLocale::c());
  validator->setNotation(QDoubleValidator::StandardNotation);
  edit_->setValidator(validator);
  edit_->setToolTip(QString::fromUtf8("グリッドピッチ"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(edit_);
}

double CGrigBarDlg::pitch() const {
  bool ok = false;
  const double v = edit_->text().toDouble(&ok);
  return ok && std::isfinite(v) && v > 0 ? v : shown_;
}

void CGrigBarDlg::SetPitch(double pitch) {
  shown_ = pitch;
  edit_->setText(NumberText(pitch));
}

}  // namespace plenwick
