// A drafting logo: a sheet with a grid, a drawn arc and line with a compass, and the name.
#include "logo.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>

namespace plenwick {

void DrawLogo(QPainter& p, const QRect& box) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.translate(box.topLeft());
  p.scale(box.width() / double{kLogoWidth}, box.height() / double{kLogoHeight});

  // The sheet with its grid.
  const QRectF sheet(10, 10, 120, 120);
  p.setPen(QPen(QColor(40, 60, 110), 2));
  p.setBrush(QColor(245, 248, 255));
  p.drawRoundedRect(sheet, 6, 6);
  p.setPen(QPen(QColor(190, 205, 230), 1));
  for (int i = 1; i < 6; ++i) {
    p.drawLine(QPointF(sheet.left() + i * 20, sheet.top() + 4), QPointF(sheet.left() + i * 20, sheet.bottom() - 4));
    p.drawLine(QPointF(sheet.left() + 4, sheet.top() + i * 20), QPointF(sheet.right() - 4, sheet.top() + i * 20));
  }
  // A drawn line and arc.
  p.setPen(QPen(QColor(200, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(25, 110), QPointF(115, 50));
  p.setPen(QPen(QColor(30, 110, 60), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(30, 30, 80, 80), 30 * 16, 150 * 16);
  // The compass.
  p.setPen(QPen(QColor(60, 60, 60), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(70, 18), QPointF(48, 100));
  p.drawLine(QPointF(70, 18), QPointF(92, 100));
  p.setBrush(QColor(60, 60, 60));
  p.drawEllipse(QPointF(70, 18), 5, 5);

  // The name, as large as fits beside the sheet in whatever face the system gives for the one
  // asked for: its measured width sets the size.
  const QRectF nameBox(145, 25, kLogoWidth - 145 - 8, 60);
  QFont font("DejaVu Sans");
  font.setBold(true);
  font.setPixelSize(44);
  const qreal wide = QFontMetricsF(font).horizontalAdvance(kLogoName);
  if (wide > nameBox.width()) font.setPixelSize(std::max(8, static_cast<int>(44 * nameBox.width() / wide)));
  p.setFont(font);
  p.setPen(QColor(255, 255, 255));
  p.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter, kLogoName);
  font.setPixelSize(16);
  font.setBold(false);
  p.setFont(font);
  p.setPen(QColor(225, 230, 240));
  p.drawText(QRectF(148, 85, nameBox.width(), 30), Qt::AlignLeft | Qt::AlignVCenter, "2D CAD");
  p.restore();
}

QPixmap LogoPixmap() {
  QPixmap pixmap(kLogoWidth, kLogoHeight);
  pixmap.fill(QColor(70, 90, 130));
  QPainter p(&pixmap);
  DrawLogo(p, pixmap.rect());
  return pixmap;
}

QIcon ProgramIcon() {
  QPixmap pixmap(kLogoHeight, kLogoHeight);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  // The sheet is the logo's left square.
  p.setClipRect(pixmap.rect());
  DrawLogo(p, QRect(0, 0, kLogoWidth, kLogoHeight));
  p.end();
  return QIcon(pixmap.copy(0, 0, kLogoHeight, kLogoHeight));
}

}  // namespace plenwick
