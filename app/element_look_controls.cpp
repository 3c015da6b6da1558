// The attribute dialogs' shared controls.
#include "element_look_controls.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include "qt_canvas.h"
#include "qt_user_interface.h"
#include "model/program_settings.h"
#include "tools/edit/attribute_fields.h"
#include "view/line_style.h"

namespace plenwick {

namespace {

constexpr int kSampleWidth = 80;
constexpr int kSampleHeight = 14;

ColourRef ToColourRef(const QColor& c) { return MakeColourRef(c.red(), c.green(), c.blue()); }

}  // namespace

QPixmap LineTypeSample(int type) {
  QPixmap sample(kSampleWidth, kSampleHeight);
  sample.fill(Qt::white);
  QPainter painter(&sample);
  QtPainterCanvas canvas(painter, false);
  canvas.SetPen({PenKind::kCosmetic, LineStyleToPen(type), ScreenPenWidth(type), 0});
  canvas.Line({2, kSampleHeight / 2}, {kSampleWidth - 3, kSampleHeight / 2});
  return sample;
}

QPixmap Swatch(int32_t colour, int width, int height) {
  QPixmap swatch(width, height);
  swatch.fill(ToQColor(static_cast<ColourRef>(colour)));
  return swatch;
}

std::optional<int32_t> ChooseColour(int32_t colour, QWidget* parent) {
  // The dialog's custom colours are Qt's own, kept for as long as the program runs.
  const QColor chosen =
      QColorDialog::getColor(ToQColor(static_cast<ColourRef>(colour)), parent, QString(), QColorDialog::DontUseNativeDialog);
  if (!chosen.isValid()) return std::nullopt;
  return static_cast<int32_t>(ToColourRef(chosen));
}

LineTypeCombo::LineTypeCombo(ElementLook& look, QWidget* parent) : QComboBox(parent) {
  setObjectName("lineType");
  setIconSize(QSize(kSampleWidth, kSampleHeight));
  for (int type = 0; type < kAttributeLineTypes; ++type) addItem(QIcon(LineTypeSample(type)), QString());
  setCurrentIndex(look.lineType >= 0 && look.lineType < kAttributeLineTypes ? look.lineType : -1);
  connect(this, &QComboBox::activated, this, [this, &look](int index) {
    look.lineType = index;
    emit lookChanged();
  });
}

PenCombo::PenCombo(ElementLook& look, QWidget* parent) : QComboBox(parent) {
  setObjectName("pen");
  static const char* const kDigits[kAttributePens] = {"１", "２", "３", "４", "５", "６", "７", "８"};
  const ProgramSettings& settings = CurrentSettings();
  for (int pen = 0; pen < kAttributePens; ++pen) {
    const int32_t colour = settings.PenColours[static_cast<std::size_t>(pen)];
    addItem(QIcon(Swatch(colour, 16, 12)), FromUtf8("Ｐｅｎ №") + QString::fromUtf8(kDigits[pen]));
    setItemData(pen, ToQColor(static_cast<ColourRef>(colour)), Qt::ForegroundRole);
  }
  setCurrentIndex(look.pen >= 0 && look.pen < kAttributePens ? look.pen : -1);
  connect(this, &QComboBox::activated, this, [this, &look](int index) {
    look.SelectPen(index);
    emit lookChanged();
  });
}

ColourButton::ColourButton(ElementLook& look, QWidget* parent) : QPushButton(parent), look_(look) {
  setObjectName("colour");
  setIconSize(QSize(40, 14));
  ShowColour();
  connect(this, &QPushButton::clicked, this, [this] {
    const std::optional<int32_t> chosen = ChooseColour(look_.colour, this);
    if (!chosen) return;
    look_.colour = *chosen;
    ShowColour();
    emit lookChanged();
  });
}

void ColourButton::ShowColour() { setIcon(QIcon(Swatch(look_.colour, 40, 14))); }

namespace {

// The area the preview is painted in.
class PreviewArea final : public QWidget {
 public:
  PreviewArea(PreviewBox::Draw draw, QWidget* parent) : QWidget(parent), draw_(std::move(draw)) {
    setObjectName("preview");
    setMinimumSize(160, 110);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QtPainterCanvas canvas(painter, false);
    draw_(canvas, width(), height());
  }

 private:
  PreviewBox::Draw draw_;
};

}  // namespace

PreviewBox::PreviewBox(Draw draw, QWidget* parent) : QGroupBox(FromUtf8(kAttributePreviewCaption), parent) {
  auto* layout = new QVBoxLayout(this);
  area_ = new PreviewArea(std::move(draw), this);
  layout->addWidget(area_);
}

void PreviewBox::Refresh() { area_->update(); }

}  // namespace plenwick
