// The MDI client's background and logo.
#include "bitmap_client.h"

#include <QPainter>
#include <QPaintEvent>
#include <QResizeEvent>

#include "logo.h"

namespace plenwick {

CBitmapClient::CBitmapClient(QWidget* parent) : QMdiArea(parent) {
  setBackground(BackgroundColour());
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void CBitmapClient::paintEvent(QPaintEvent* event) {
  QPainter p(viewport());
  p.fillRect(event->rect(), BackgroundColour());
  const QRect area = viewport()->rect();
  const QRect logo(area.center().x() - kLogoWidth / 2, area.center().y() - kLogoHeight / 2, kLogoWidth, kLogoHeight);
  if (event->rect().intersects(logo)) DrawLogo(p, logo);
}

void CBitmapClient::resizeEvent(QResizeEvent* event) {
  QMdiArea::resizeEvent(event);
  viewport()->update();  // the logo stays centred
}

}  // namespace plenwick
