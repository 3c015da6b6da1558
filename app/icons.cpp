// Small line drawings for the tool-bar and operation-bar buttons, 16 x 15 pixels like the
// original bitmaps.
#include "icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "qt_canvas.h"
#include "view/paint_brush.h"

namespace plenwick {

namespace {

constexpr int kW = 16, kH = 15;
// The paint bar's radio buttons, patterns 0 to 6.
constexpr int kPaintPatternFirstId = 1464;

const QColor kInk(30, 30, 30);
const QColor kBlue(20, 70, 180);
const QColor kRed(190, 30, 30);
const QColor kGreen(20, 130, 50);
const QColor kPaper(255, 255, 245);

void Sheet(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(kPaper);
  QPolygon page;
  page << QPoint(2, 0) << QPoint(10, 0) << QPoint(13, 3) << QPoint(13, 14) << QPoint(2, 14);
  p.drawPolygon(page);
  p.drawLine(10, 0, 10, 3);
  p.drawLine(10, 3, 13, 3);
}

void Magnifier(QPainter& p, bool plus, bool minus) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(220, 235, 255));
  p.drawEllipse(1, 1, 9, 9);
  p.setPen(QPen(kInk, 2));
  p.drawLine(9, 9, 14, 14);
  p.setPen(QPen(kBlue, 1));
  if (plus || minus) p.drawLine(3, 5, 8, 5);
  if (plus) p.drawLine(5, 3, 5, 8);
}

void Hand(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(QColor(250, 220, 180));
  QPainterPath path;
  path.moveTo(4, 14);
  path.lineTo(3, 7);
  path.lineTo(4, 3);
  path.lineTo(6, 3);
  path.lineTo(6, 1);
  path.lineTo(8, 1);
  path.lineTo(8, 2);
  path.lineTo(10, 2);
  path.lineTo(10, 3);
  path.lineTo(12, 3);
  path.lineTo(12, 10);
  path.lineTo(10, 14);
  path.closeSubpath();
  p.drawPath(path);
}

// Two overlapping squares; the blue one is drawn last, on top, when `blueOnTop`.
void Stack(QPainter& p, bool blueOnTop) {
  auto grey = [&p] {
    p.setPen(kInk);
    p.setBrush(QColor(225, 225, 225));
    p.drawRect(1, 1, 8, 8);
  };
  auto blue = [&p] {
    p.setPen(kInk);
    p.setBrush(kBlue);
    p.drawRect(6, 5, 8, 8);
  };
  if (blueOnTop) {
    grey();
    blue();
  } else {
    blue();
    grey();
  }
}

// A triangle and its mirror image across a dotted axis, upright (left-right) or lying.
void Mirror(QPainter& p, bool leftRight) {
  QTransform t;
  if (!leftRight) t = QTransform(0, 1, 1, 0, 0, 0);  // swaps x and y
  p.setTransform(t);
  p.setPen(QPen(kRed, 1, Qt::DotLine));
  p.drawLine(7, 0, 7, 14);
  p.setPen(kInk);
  p.setBrush(kBlue);
  p.drawPolygon(QPolygon({QPoint(5, 2), QPoint(5, 12), QPoint(0, 12)}));
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygon({QPoint(9, 2), QPoint(9, 12), QPoint(14, 12)}));
  p.resetTransform();
}

// A half-circle arrow over a small square, turning clockwise (right) or anticlockwise.
void Turn(QPainter& p, bool right) {
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(kInk);
  p.setBrush(QColor(225, 225, 225));
  p.drawRect(5, 8, 5, 5);
  p.setPen(QPen(kBlue, 1.5));
  p.setBrush(Qt::NoBrush);
  // Over the top: from the left for a right turn, from the right for a left one.
  p.drawArc(QRectF(2, 3, 11, 11), right ? 180 * 16 : 0, right ? -180 * 16 : 180 * 16);
  // The head at the arc's end, pointing down.
  const qreal x = right ? 13 : 2;
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawPolygon(QPolygonF({QPointF(x - 3, 7), QPointF(x + 3, 7), QPointF(x, 11)}));
}

// The paint bar's seven choices: a swatch of each fill as drawings show it.
void PaintSwatch(QPainter& p, int pattern) {
  QtPainterCanvas canvas(p, false);
  const ColourRef ink = 0x1E1E1E;
  canvas.SetPen({PenKind::kCosmetic, PenStyle::kSolid, 1, ink});
  canvas.SetBrush(PaintPatternBrush(pattern, ink));
  canvas.Rectangle({1, 1, kW - 1, kH - 1});
}

// Draws the picture of command `id`; false when it has none.
bool DrawIcon(QPainter& p, int id) {
  if (id >= kPaintPatternFirstId && id < kPaintPatternFirstId + 7) {
    PaintSwatch(p, id - kPaintPatternFirstId);
    return true;
  }
  switch (id) {
    case 57600:  // new
      Sheet(p);
      break;
    case 57601:  // open
      p.setPen(kInk);
      p.setBrush(QColor(240, 200, 90));
      p.drawRect(1, 4, 12, 9);
      p.drawLine(1, 4, 4, 2);
      p.drawLine(4, 2, 7, 4);
      break;
    case 57603:  // save
      p.setPen(kInk);
      p.setBrush(QColor(70, 90, 160));
      p.drawRect(1, 1, 13, 12);
      p.setBrush(Qt::white);
      p.drawRect(4, 1, 7, 5);
      p.drawRect(4, 9, 7, 4);
      break;
    case 57607:  // print
      p.setPen(kInk);
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(1, 6, 13, 5);
      p.setBrush(Qt::white);
      p.drawRect(4, 1, 7, 5);
      p.drawRect(4, 10, 7, 4);
      break;
    case 32870:  // drawing palette
      p.setPen(kInk);
      p.setBrush(QColor(235, 235, 235));
      p.drawRect(1, 1, 13, 12);
      p.setPen(kRed);
      p.drawLine(3, 11, 12, 3);
      p.setPen(kBlue);
      p.drawEllipse(3, 3, 6, 6);
      break;
    case 32871:  // parts data
      p.setPen(kInk);
      p.setBrush(QColor(200, 230, 200));
      p.drawRect(1, 5, 6, 6);
      p.drawEllipse(8, 2, 6, 6);
      p.drawRect(8, 9, 6, 4);
      break;
    case 32890:  // entity list
      p.setPen(kInk);
      p.setBrush(Qt::white);
      p.drawRect(1, 1, 13, 12);
      for (int y = 4; y <= 10; y += 3) p.drawLine(3, y, 12, y);
      break;
    case 57643:  // undo
      p.setPen(QPen(kBlue, 2));
      p.drawArc(3, 3, 10, 9, 90 * 16, -200 * 16);
      p.setBrush(kBlue);
      p.setPen(kBlue);
      p.drawPolygon(QPolygon({QPoint(1, 4), QPoint(7, 1), QPoint(7, 7)}));
      break;
    case 32873:  // redraw
      p.setPen(QPen(kGreen, 2));
      p.drawArc(2, 2, 11, 11, 30 * 16, 300 * 16);
      p.setBrush(kGreen);
      p.drawPolygon(QPolygon({QPoint(10, 0), QPoint(14, 5), QPoint(9, 6)}));
      break;
    case 32874:  // base screen
      p.setPen(kInk);
      p.setBrush(Qt::white);
      p.drawRect(1, 2, 13, 10);
      p.setPen(kBlue);
      p.drawRect(4, 4, 7, 6);
      break;
    case 32875:  // whole view
      p.setPen(kInk);
      p.setBrush(Qt::white);
      p.drawRect(1, 2, 13, 10);
      p.setPen(kBlue);
      p.drawLine(3, 4, 5, 4);
      p.drawLine(3, 4, 3, 6);
      p.drawLine(12, 10, 10, 10);
      p.drawLine(12, 10, 12, 8);
      break;
    case 32880: Magnifier(p, true, true); break;    // zoom in
    case 32881: Magnifier(p, false, true); break;   // zoom out
    case 32882:                                     // range zoom
      Magnifier(p, false, false);
      p.setPen(QPen(kRed, 1, Qt::DotLine));
      p.setBrush(Qt::NoBrush);
      p.drawRect(3, 3, 5, 5);
      break;
    case 32896: Hand(p); break;  // hand move
    case 32897:                  // centre move
      p.setPen(kInk);
      p.drawLine(7, 0, 7, 14);
      p.drawLine(0, 7, 14, 7);
      p.setPen(kRed);
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(4, 4, 6, 6);
      break;
    case 32877:  // drawing-area frame
      p.setPen(QPen(kRed, 1, Qt::DotLine));
      p.setBrush(Qt::NoBrush);
      p.drawRect(1, 2, 13, 10);
      break;
    case 32878:  // origin mark
      p.setPen(QPen(kRed, 1));
      p.drawLine(7, 1, 7, 13);
      p.drawLine(1, 7, 13, 7);
      p.setPen(kInk);
      p.drawText(QRect(9, 7, 7, 8), Qt::AlignCenter, "0");
      break;
    case 32879:  // magnet
      p.setPen(QPen(kRed, 4, Qt::SolidLine, Qt::FlatCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(3, 2, 10, 10, 180 * 16, 180 * 16);
      p.drawLine(3, 2, 3, 7);
      p.drawLine(13, 2, 13, 7);
      break;
    case 32898:  // distance display
      p.setPen(kInk);
      p.drawLine(1, 10, 14, 10);
      p.drawLine(1, 7, 1, 13);
      p.drawLine(14, 7, 14, 13);
      p.setPen(kBlue);
      p.drawText(QRect(0, 0, 16, 9), Qt::AlignCenter, "mm");
      break;
    case 32894:  // drawing information
      p.setPen(kInk);
      p.setBrush(QColor(255, 255, 220));
      p.drawRect(1, 1, 13, 12);
      p.setPen(kBlue);
      p.drawText(QRect(1, 1, 14, 13), Qt::AlignCenter, "i");
      break;
    case 32895:
    case 32891:
    case 32892:  // buttons without a command
      p.setPen(QColor(120, 120, 120));
      p.setBrush(QColor(210, 210, 210));
      p.drawEllipse(4, 3, 8, 8);
      break;
    case 32876:  // grid display
      p.setPen(QColor(90, 90, 90));
      for (int i = 2; i <= 14; i += 4) {
        p.drawLine(i, 1, i, 13);
        p.drawLine(1, i - 1, 14, i - 1);
      }
      break;
    case 32889:  // apply grid pitch
      p.setPen(QColor(90, 90, 90));
      for (int i = 2; i <= 14; i += 6) {
        p.drawLine(i, 1, i, 13);
        p.drawLine(1, i, 14, i);
      }
      p.setPen(QPen(kGreen, 2));
      p.drawLine(5, 8, 7, 11);
      p.drawLine(7, 11, 12, 4);
      break;
    case 1493: Stack(p, true); break;    // to the top of the drawing order
    case 1494: Stack(p, false); break;   // to the bottom
    case 1495: Mirror(p, true); break;   // mirror left-right
    case 1496: Mirror(p, false); break;  // mirror up-down
    case 1497: Turn(p, true); break;     // turn right (−90°)
    case 1498: Turn(p, false); break;    // turn left (+90°)
    default: return false;
  }
  return true;
}

void DrawFamily(QPainter& p, int family) {
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(Qt::NoBrush);
  switch (family) {
    case 0:  // selection: an arrow
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygonF({QPointF(3, 1), QPointF(3, 14), QPointF(6.5, 10.5), QPointF(9, 15), QPointF(11, 14),
                               QPointF(8.5, 9.5), QPointF(13, 9.5)}));
      break;
    case 1:  // point
      p.setBrush(kInk);
      p.drawEllipse(QPointF(8, 8), 2.5, 2.5);
      break;
    case 2: p.drawLine(2, 14, 14, 2); break;  // line
    case 3: {                                   // curve
      QPainterPath path(QPointF(1, 12));
      path.cubicTo(QPointF(5, 0), QPointF(10, 16), QPointF(15, 3));
      p.drawPath(path);
      break;
    }
    case 4: p.drawEllipse(QPointF(8, 8), 6, 6); break;  // circle
    case 5:                                             // polygon
      p.drawPolygon(QPolygonF({QPointF(8, 1.5), QPointF(14.5, 6.5), QPointF(12, 14), QPointF(4, 14), QPointF(1.5, 6.5)}));
      break;
    case 6: {  // text
      QFont f = p.font();
      f.setPixelSize(13);
      f.setBold(true);
      p.setFont(f);
      p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, "A");
      break;
    }
    case 7:  // dimension
      p.drawLine(2, 4, 2, 14);
      p.drawLine(14, 4, 14, 14);
      p.drawLine(2, 9, 14, 9);
      p.drawLine(2, 9, 5, 7);
      p.drawLine(14, 9, 11, 7);
      break;
    case 8:  // delete
      p.setPen(QPen(kRed, 2));
      p.drawLine(3, 3, 13, 13);
      p.drawLine(13, 3, 3, 13);
      break;
    case 9:  // trim and extend
      p.drawLine(2, 8, 10, 8);
      p.setPen(QPen(kBlue, 1.5));
      p.drawLine(12, 2, 12, 14);
      break;
    case 10:  // corner
      p.drawLine(3, 14, 3, 6);
      p.drawArc(QRectF(3, 2, 8, 8), 90 * 16, 90 * 16);
      p.drawLine(7, 2, 14, 2);
      break;
    case 11:  // scale, stretch, offset
      p.drawRect(2, 7, 6, 6);
      p.setPen(QPen(kBlue, 1.5));
      p.drawRect(2, 2, 12, 11);
      break;
    case 12:  // move and copy
      p.drawRect(1, 8, 6, 6);
      p.setPen(QPen(kBlue, 1.5));
      p.drawRect(8, 1, 6, 6);
      p.drawLine(5, 9, 10, 5);
      break;
    case 13:  // hatching
      p.drawRect(2, 2, 12, 12);
      for (int i = 0; i < 3; ++i) p.drawLine(2 + 4 * i, 14, 14, 2 + 4 * i);
      break;
    case 14:  // image
      p.drawRect(2, 3, 12, 10);
      p.setBrush(kGreen);
      p.drawPolygon(QPolygonF({QPointF(3, 12), QPointF(7, 7), QPointF(10, 10), QPointF(13, 6), QPointF(13, 12)}));
      break;
    case 15:  // development
      p.drawRect(2, 6, 12, 8);
      p.drawEllipse(QRectF(4, 1, 8, 4));
      break;
    default: break;
  }
}

}  // namespace

QIcon FamilyIcon(int family) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  {
    QPainter p(&pixmap);
    DrawFamily(p, family);
  }
  return QIcon(pixmap);
}

QIcon CommandIcon(int commandId) {
  QPixmap pixmap(kW, kH);
  pixmap.fill(Qt::transparent);
  bool drawn;
  {
    QPainter p(&pixmap);
    QFont f = p.font();
    f.setPixelSize(9);
    p.setFont(f);
    drawn = DrawIcon(p, commandId);
  }
  return drawn ? QIcon(pixmap) : QIcon();
}

}  // namespace plenwick
