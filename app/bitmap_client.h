// The MDI client area: grey with the logo in its centre while no drawing covers it.
#pragma once

#include <QMdiArea>

namespace plenwick {

class CBitmapClient final : public QMdiArea {
  Q_OBJECT
 public:
  // The background: RGB(128, 128, 128).
  static QColor BackgroundColour() { return QColor(128, 128, 128); }
  explicit CBitmapClient(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
};

}  // namespace plenwick
