// The plot parameters' window and its sheet preview.
#include "plot_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "output/plot_dlg.h"
#include "qt_user_interface.h"

namespace plenwick {

namespace {

// The sheet and the drawing's lines, circles and arcs on it.
class PlotPreview final : public QWidget {
 public:
  PlotPreview(const CPlotDlg& model, const EntityList& list, QWidget* parent) : QWidget(parent), model_(model), list_(list) {
    setObjectName("preview");
    setFixedSize(CPlotDlg::kPreviewWidth, CPlotDlg::kPreviewHeight);
  }
  void Refresh() {
    shapes_ = model_.Preview(list_);
    update();
  }
  const std::vector<PlotPreviewShape>& shapes() const { return shapes_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::darkGray);
    painter.fillRect(QRect(CPlotDlg::kSheetLeft, CPlotDlg::kSheetTop, CPlotDlg::kSheetWidth, CPlotDlg::kSheetHeight),
                     Qt::white);
    painter.setClipRect(rect());
    painter.setPen(QPen(Qt::black, 0));
    for (const PlotPreviewShape& s : shapes_) {
      const QPointF a(s.a.x, s.a.y);
      if (s.kind == PlotPreviewShape::Kind::kLine) {
        painter.drawLine(a, QPointF(s.b.x, s.b.y));
        continue;
      }
      const QRectF box(a.x() - s.radius, a.y() - s.radius, 2 * s.radius, 2 * s.radius);
      if (s.kind == PlotPreviewShape::Kind::kCircle) {
        painter.drawEllipse(box);
      } else {
        painter.drawArc(box, static_cast<int>(s.startAngle * 16), static_cast<int>(s.sweep * 16));
      }
    }
  }

 private:
  const CPlotDlg& model_;
  const EntityList& list_;
  std::vector<PlotPreviewShape> shapes_;
};

}  // namespace

PlotDlg::PlotDlg(CPlotDlg& model, const EntityList& list, UserInterface& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui) {
  using D = CPlotDlg;
  setWindowTitle(FromUtf8(D::kCaption));
  auto* layout = new QHBoxLayout(this);
  auto* group = new QGroupBox(FromUtf8(D::kGroup), this);
  auto* form = new QFormLayout(group);
  auto combo = [&](const char* name, std::string_view label, const auto& items, int selected) {
    auto* c = new QComboBox(group);
    c->setObjectName(name);
    for (std::string_view item : items) c->addItem(FromUtf8(item));
    c->setCurrentIndex(selected);
    form->addRow(FromUtf8(label), c);
    return c;
  };
  const HpglOptions& o = model_.options();
  paper_ = combo("paper", D::kPaperLabel, D::kPaperItems, o.paperSize);
  scale_ = combo("scale", D::kScaleLabel, D::kScaleItems, o.scaleChoice);
  paperBased_ = new QCheckBox(FromUtf8(D::kPaperBasedText), group);
  paperBased_->setObjectName("paperBased");
  paperBased_->setChecked(o.paperBased);
  form->addRow(FromUtf8(D::kPaperBasedLabel), paperBased_);
  const std::string_view labels[2] = {D::kCorrectionXLabel, D::kCorrectionYLabel};
  const int corrections[2] = {o.correctionX, o.correctionY};
  for (int i = 0; i < 2; ++i) {
    correction_[i] = new QLineEdit(QString::fromStdString(D::CorrectionText(corrections[i])), group);
    correction_[i]->setObjectName(i == 0 ? "correctionX" : "correctionY");
    auto* row = new QHBoxLayout;
    row->addWidget(correction_[i]);
    row->addWidget(new QLabel(FromUtf8(D::kMillimetres), group));
    form->addRow(FromUtf8(labels[i]), row);
  }
  visibleOnly_ = new QRadioButton(FromUtf8(D::kVisibleOnlyText), group);
  visibleOnly_->setObjectName("visibleOnly");
  allLayers_ = new QRadioButton(FromUtf8(D::kAllLayersText), group);
  allLayers_->setObjectName("allLayers");
  (o.allLayers ? allLayers_ : visibleOnly_)->setChecked(true);
  auto* layers = new QVBoxLayout;
  layers->addWidget(visibleOnly_);
  layers->addWidget(allLayers_);
  form->addRow(FromUtf8(D::kLayersLabel), layers);

  auto* side = new QVBoxLayout;
  side->addWidget(group);
  auto* show = new QPushButton(FromUtf8(D::kShowText), this);
  show->setObjectName("show");
  auto* output = new QPushButton(FromUtf8(D::kOutputText), this);
  output->setObjectName("output");
  output->setDefault(true);
  auto* close = new QPushButton(FromUtf8(D::kCloseText), this);
  close->setObjectName("close");
  side->addWidget(show);
  side->addWidget(output);
  side->addWidget(close);
  layout->addLayout(side);
  auto* preview = new PlotPreview(model_, list, this);
  preview_ = preview;
  layout->addWidget(preview_);

  connect(show, &QPushButton::clicked, this, [this] { Repaint(true); });
  connect(output, &QPushButton::clicked, this, &PlotDlg::accept);
  connect(close, &QPushButton::clicked, this, &PlotDlg::reject);
  auto repaint = [this] { Repaint(false); };
  for (QComboBox* c : {paper_, scale_}) connect(c, &QComboBox::currentIndexChanged, this, repaint);
  for (QRadioButton* r : {visibleOnly_, allLayers_}) connect(r, &QRadioButton::toggled, this, repaint);
  connect(paperBased_, &QCheckBox::toggled, this, repaint);
  for (QLineEdit* e : correction_) connect(e, &QLineEdit::textChanged, this, repaint);
  preview->Refresh();
}

bool PlotDlg::TakeControls(bool tell) {
  HpglOptions& o = model_.options();
  o.paperSize = paper_->currentIndex();
  o.scaleChoice = scale_->currentIndex();
  o.paperBased = paperBased_->isChecked();
  o.allLayers = allLayers_->isChecked();
  SilentUserInterface quiet;
  if (model_.TakeCorrections(correction_[0]->text().toStdString(), correction_[1]->text().toStdString(),
                             tell ? ui_ : quiet)) {
    return true;
  }
  if (!tell) return false;
  QLineEdit* atFault = correction_[model_.focusField() == 1 ? 1 : 0];
  atFault->setFocus();
  atFault->selectAll();
  return false;
}

void PlotDlg::Repaint(bool tell) {
  // A correction being typed keeps the last one taken until it is asked for.
  if (!TakeControls(tell) && tell) return;
  static_cast<PlotPreview*>(preview_)->Refresh();
}

void PlotDlg::accept() {
  if (TakeControls(true)) QDialog::accept();
}

}  // namespace plenwick
