// Drawing the canvas primitives with a Qt painter, device-context style: aliased lines whose last
// pixel is left out, odd-even polygon fills, hatch brushes, exclusive-or raster operations.
#include "qt_canvas.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "font_faces.h"
#include "platform/sjis.h"

namespace plenwick {

namespace {

QPoint ToQPoint(PixelPoint p) { return {p.x, p.y}; }

// The outline box of a device-context rectangle or ellipse: right and bottom are exclusive.
QRectF OutlineBox(const PixelRect& box) {
  return QRectF(box.left, box.top, std::max(0.0, static_cast<double>(box.right) - box.left - 1),
                std::max(0.0, static_cast<double>(box.bottom) - box.top - 1));
}

Qt::BrushStyle HatchPattern(HatchStyle h) {
  switch (h) {
    case HatchStyle::kHorizontal: return Qt::HorPattern;
    case HatchStyle::kVertical: return Qt::VerPattern;
    case HatchStyle::kCross: return Qt::CrossPattern;
    case HatchStyle::kBackwardDiagonal: return Qt::BDiagPattern;
    case HatchStyle::kForwardDiagonal: return Qt::FDiagPattern;
    case HatchStyle::kDiagonalCross: return Qt::DiagCrossPattern;
  }
  return Qt::HorPattern;
}

// Cosmetic dash patterns in pixels, as device contexts draw them.
QList<qreal> DashPattern(PenStyle style) {
  switch (style) {
    case PenStyle::kDot: return {3, 3};
    case PenStyle::kDash: return {18, 6};
    case PenStyle::kDashDot: return {9, 6, 3, 6};
    case PenStyle::kDashDotDot: return {9, 3, 3, 3, 3, 3};
    case PenStyle::kSolid: break;
  }
  return {};
}

QPen MakePen(const Pen& pen) {
  const QColor colour = ToQColor(pen.colour);
  const int width = std::clamp(pen.width, 1, 10000);
  if (pen.kind == PenKind::kGeometric) return QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
  if (width > 1) return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  QPen q(colour, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
  q.setCosmetic(true);
  const QList<qreal> dashes = DashPattern(pen.style);
  if (!dashes.isEmpty()) q.setDashPattern(dashes);
  return q;
}

QPainter::CompositionMode CompositionFor(DrawMode mode, bool rasterOps) {
  if (!rasterOps) return QPainter::CompositionMode_SourceOver;
  switch (mode) {
    case DrawMode::kXor: return QPainter::RasterOp_SourceXorDestination;
    case DrawMode::kNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    case DrawMode::kCopy: break;
  }
  return QPainter::CompositionMode_SourceOver;
}


}  // namespace

QImage ApplyColourMatrix(const QImage& source, const ColourMatrix& matrix) {
  QImage out = source.convertToFormat(QImage::Format_ARGB32);
  const auto& m = matrix.m;
  for (int y = 0; y < out.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      const float in[5] = {qRed(row[x]) / 255.0f, qGreen(row[x]) / 255.0f, qBlue(row[x]) / 255.0f,
                           qAlpha(row[x]) / 255.0f, 1.0f};
      int result[4];
      for (int c = 0; c < 4; ++c) {
        float v = 0;
        for (int r = 0; r < 5; ++r) v += in[r] * m[static_cast<std::size_t>(r * 5 + c)];
        const float unit = v > 0 ? (v < 1 ? v : 1) : 0;  // NaN counts as 0
        result[c] = static_cast<int>(unit * 255.0f + 0.5f);
      }
      row[x] = qRgba(result[0], result[1], result[2], result[3]);
    }
  }
  return out;
}

QColor ToQColor(ColourRef colour) { return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

QtPainterCanvas::QtPainterCanvas(QPainter& painter, bool rasterOps) : painter_(painter), rasterOps_(rasterOps) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  const QPaintEngine* engine = painter_.paintEngine();
  rasterEngine_ = engine && engine->type() == QPaintEngine::Raster;
  KeepShapedTexts(true);
}

const QPen& QtPainterCanvas::PainterPen(const Pen& pen) {
  for (const auto& [key, made] : pens_) {
    if (key == pen) return made;
  }
  if (pens_.size() >= 64) pens_.clear();
  return pens_.emplace_back(pen, MakePen(pen)).second;
}

void QtPainterCanvas::Prepare(bool withBrush) {
  if (!applied_ || textPen_ || pen() != pen_) painter_.setPen(PainterPen(pen()));
  pen_ = pen();
  textPen_ = false;
  PrepareBrushAndMode(withBrush);
}

// Texts are drawn with the text colour as the painter's pen. Glyphs are filled with the pen's
// colour alone, so on raster devices a cosmetic pen of that colour already set serves as it is:
// texts among lines of their colour cost no pen changes.
void QtPainterCanvas::PrepareText() {
  const bool penServes = rasterEngine_ && pen_.kind == PenKind::kCosmetic && pen_.colour == textColour();
  const bool current = applied_ && (textPen_ ? textColour() == textColour_ : penServes);
  if (!current) {
    if (!textQPen_ || textQPenColour_ != textColour()) {
      textQPen_ = QPen(ToQColor(textColour()));
      textQPenColour_ = textColour();
    }
    painter_.setPen(*textQPen_);
    textPen_ = true;
    textColour_ = textColour();
  }
  PrepareBrushAndMode(false);
}

void QtPainterCanvas::PrepareBrushAndMode(bool withBrush) {
  const bool brushChange = !applied_ || withBrush != brushOn_ || (withBrush && brush() != brush_);
  if (brushChange) {
    if (!withBrush || brush().kind == BrushKind::kNone) {
      painter_.setBrush(Qt::NoBrush);
    } else {
      const QColor c = ToQColor(brush().colour);
      painter_.setBrush(brush().kind == BrushKind::kSolid ? QBrush(c) : QBrush(c, HatchPattern(brush().hatch)));
    }
  }
  if (!applied_ || drawMode() != mode_) painter_.setCompositionMode(CompositionFor(drawMode(), rasterOps_));
  if (!applied_ || backgroundMode() != backgroundMode_ || backgroundColour() != background_) {
    painter_.setBackgroundMode(backgroundMode() == BackgroundMode::kOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
    painter_.setBackground(QBrush(ToQColor(backgroundColour())));
  }
  applied_ = true;
  brush_ = brush();
  brushOn_ = withBrush;
  mode_ = drawMode();
  backgroundMode_ = backgroundMode();
  background_ = backgroundColour();
}

void QtPainterCanvas::ClipChanged() {
  if (hasClip()) {
    const PixelRect& c = clip();
    painter_.setClipRect(QRect(c.left, c.top, std::max(0, c.right - c.left), std::max(0, c.bottom - c.top)));
  } else {
    painter_.setClipping(false);
  }
}

void QtPainterCanvas::Line(PixelPoint a, PixelPoint b) {
  Prepare(false);
  painter_.drawLine(ToQPoint(a), ToQPoint(b));
}

void QtPainterCanvas::Polyline(std::span<const PixelPoint> points) {
  if (points.size() < 2) return;
  Prepare(false);
  QPolygon polygon(static_cast<int>(points.size()));
  for (std::size_t i = 0; i < points.size(); ++i) polygon.setPoint(static_cast<int>(i), ToQPoint(points[i]));
  painter_.drawPolyline(polygon);
}

void QtPainterCanvas::Polygon(std::span<const PixelPoint> points) {
  if (points.size() < 3) return;
  Prepare(true);
  QPolygon polygon(static_cast<int>(points.size()));
  for (std::size_t i = 0; i < points.size(); ++i) polygon.setPoint(static_cast<int>(i), ToQPoint(points[i]));
  painter_.drawPolygon(polygon, Qt::OddEvenFill);
}

void QtPainterCanvas::Rectangle(const PixelRect& box) {
  if (box.right <= box.left || box.bottom <= box.top) return;
  Prepare(true);
  painter_.drawRect(OutlineBox(box));
}

void QtPainterCanvas::Ellipse(const PixelRect& box) {
  if (box.right <= box.left || box.bottom <= box.top) return;
  Prepare(true);
  const QRectF outline = OutlineBox(box);
  if (brush().kind == BrushKind::kNone && TinyOutline(outline, false, 0, 0)) return;
  painter_.drawEllipse(outline);
}

void QtPainterCanvas::Arc(const PixelRect& box, double startDegrees, double sweepDegrees) {
  if (box.right <= box.left || box.bottom <= box.top || !std::isfinite(startDegrees) || !std::isfinite(sweepDegrees)) return;
  Prepare(false);
  const int start = static_cast<int>(std::lround(std::fmod(startDegrees, 360.0) * 16));
  const int sweep = static_cast<int>(std::lround(std::clamp(sweepDegrees, -360.0, 360.0) * 16));
  const QRectF outline = OutlineBox(box);
  if (TinyOutline(outline, true, start, sweep)) return;
  painter_.drawArc(outline, start, sweep);
}

bool QtPainterCanvas::TinyOutline(const QRectF& outline, bool arc, int start, int sweep) {
  // A drawing seen whole holds hundreds of thousands of circles and arcs a pixel or two across;
  // the painter strokes each as a curved path. Larger ones draw as fast as they are.
  constexpr double kTiny = 6;
  const bool plainPen = pen().kind == PenKind::kCosmetic && pen().width == 1 && pen().style == PenStyle::kSolid;
  if (!tinyAsPoints_ || !rasterEngine_ || drawMode() != DrawMode::kCopy || !plainPen || !(outline.width() <= kTiny) ||
      !(outline.height() <= kTiny) || painter_.transform().type() != QTransform::TxNone || !painter_.device()) {
    return false;
  }
  // The painter cuts outlines that cross the picture's edge before it strokes them, which moves
  // their pixels: those are stroked.
  constexpr double kEdge = 2;
  if (outline.left() < kEdge || outline.top() < kEdge || outline.right() + kEdge >= painter_.device()->width() ||
      outline.bottom() + kEdge >= painter_.device()->height()) {
    return false;
  }
  const int w = static_cast<int>(outline.width()), h = static_cast<int>(outline.height());
  // Full circles have no angles; arcs' angles lie within +-5760 (sixteenths of a degree).
  const uint64_t key = static_cast<uint64_t>(w) | static_cast<uint64_t>(h) << 8 | static_cast<uint64_t>(arc) << 16 |
                       static_cast<uint64_t>(start + 8192) << 24 | static_cast<uint64_t>(sweep + 8192) << 40;
  auto it = tinyOutlines_.find(key);
  if (it == tinyOutlines_.end()) {
    if (tinyOutlines_.size() >= 4096) tinyOutlines_.clear();
    // The outline drawn once the ordinary way, on a little picture with room around it.
    constexpr int kMargin = 4;
    QtImageCanvas probe(w + 2 * kMargin + 1, h + 2 * kMargin + 1, 0xFFFFFF);
    probe.DrawTinyOutlinesAsPoints(false);
    probe.SetPen({PenKind::kCosmetic, PenStyle::kSolid, 1, 0});
    const PixelRect at{kMargin, kMargin, kMargin + w + 1, kMargin + h + 1};
    if (arc) {
      probe.Arc(at, start / 16.0, sweep / 16.0);  // sixteenths of a degree are exact in doubles
    } else {
      probe.Ellipse(at);
    }
    const QImage& picture = probe.Finish();
    std::vector<QPoint> points;
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        if ((picture.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) points.emplace_back(x - kMargin, y - kMargin);
      }
    }
    it = tinyOutlines_.emplace(key, std::move(points)).first;
  }
  const QPoint corner(static_cast<int>(outline.left()), static_cast<int>(outline.top()));
  points_.clear();
  for (const QPoint& p : it->second) points_.push_back(p + corner);
  if (!points_.empty()) painter_.drawPoints(points_.data(), static_cast<int>(points_.size()));
  return true;
}

void QtPainterCanvas::StrokePath(std::span<const PixelPolyline> pieces) {
  QPainterPath path;
  for (const PixelPolyline& piece : pieces) {
    if (piece.size() < 2) continue;
    path.moveTo(piece[0].x, piece[0].y);
    for (std::size_t i = 1; i < piece.size(); ++i) path.lineTo(piece[i].x, piece[i].y);
  }
  if (path.isEmpty()) return;
  Prepare(false);
  painter_.drawPath(path);
}

const QtPainterCanvas::FontEntry& QtPainterCanvas::FontFor(const FontSpec& spec, bool antialias, int group) {
  std::string key = spec.face;
  key.append(1, '\0').append(std::to_string(spec.height)).append(1, ',').append(std::to_string(spec.width));
  key.append(antialias ? "a" : "n").append(std::to_string(group));
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  if (fonts_.size() > 256) fonts_.clear();
  QFont font;
  font.setFamilies(FamiliesForFace(SjisToUtf8(spec.face)));
  font.setPixelSize(spec.height);
  font.setFixedPitch(spec.fixedPitch);
  if (spec.width > 0) {
    // The natural width of a half-width character is half the height.
    const double natural = spec.height / 2.0;
    font.setStretch(std::clamp(static_cast<int>(std::lround(100 * spec.width / natural)), 1, 4000));
  }
  font.setStyleStrategy(antialias ? QFont::PreferDefault : QFont::NoAntialias);
  if (group > 0) {
    // A weight a few steps above normal picks the same face and draws the same glyphs, but is a
    // font of its own to Qt, with an engine and glyph caches of its own.
    font.setWeight(static_cast<QFont::Weight>(QFont::Normal + group - 1));
    // Glyphs at whole-pixel positions: one picture of a turned glyph instead of one for each
    // fraction of a pixel, which many angles would multiply.
    font.setHintingPreference(QFont::PreferFullHinting);
  }
  FontEntry entry{font, QFontMetricsF(font).ascent()};
  return fonts_.emplace(key, std::move(entry)).first->second;
}

const QList<QGlyphRun>& QtPainterCanvas::CachedRuns(std::string_view sjis, const FontSpec& font, bool antialias) {
  int numbers[] = {font.height, font.width, font.fixedPitch ? 1 : 0, antialias ? 1 : 0, 0};
  key_.assign(font.face).push_back('\0');
  key_.append(reinterpret_cast<const char*>(numbers), sizeof numbers);
  const int tenths = font.escapement % 3600;
  if (tenths != 0) {
    numbers[4] = TurnedGroup(textRuns_->AngleGroup(key_, tenths));
    key_.replace(key_.size() - sizeof numbers, sizeof numbers, reinterpret_cast<const char*>(numbers), sizeof numbers);
  }
  key_.append(sjis);
  if (const QList<QGlyphRun>* runs = textRuns_->Find(key_)) return *runs;
  const FontEntry& entry = FontFor(font, antialias, numbers[4]);
  return textRuns_->Insert(key_, ShapeText(QString::fromStdString(SjisToUtf8(sjis)), entry.font, entry.ascent));
}

void QtPainterCanvas::Text(PixelPoint topLeft, std::string_view sjis, const FontSpec& font) {
  if (sjis.empty() || font.height < 1 || font.height > kMaxTextPixels) return;
  const bool antialias = drawMode() == DrawMode::kCopy;
  PrepareText();
  const double degrees = (font.escapement % 3600) / 10.0;
  // An opaque background fills the text cell, which glyph runs leave out; control characters
  // lay out differently in a text layout.
  const bool cached = textRuns_ && backgroundMode() == BackgroundMode::kTransparent &&
                      std::none_of(sjis.begin(), sjis.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
  if (cached) {
    const QList<QGlyphRun>& runs = CachedRuns(sjis, font, antialias);
    if (degrees == 0) {
      for (const QGlyphRun& run : runs) painter_.drawGlyphRun(QPointF(topLeft.x, topLeft.y), run);
      return;
    }
    const QTransform before = painter_.worldTransform();
    painter_.translate(topLeft.x, topLeft.y);
    painter_.rotate(-degrees);
    for (const QGlyphRun& run : runs) painter_.drawGlyphRun(QPointF(0, 0), run);
    painter_.setWorldTransform(before);
    return;
  }
  const FontEntry& entry = FontFor(font, antialias, degrees == 0 ? 0 : TurnedGroup(0));
  const QString text = QString::fromStdString(SjisToUtf8(sjis));
  painter_.setFont(entry.font);
  if (degrees == 0) {
    painter_.drawText(QPointF(topLeft.x, topLeft.y + entry.ascent), text);
    return;
  }
  painter_.save();
  painter_.translate(topLeft.x, topLeft.y);
  painter_.rotate(-degrees);
  painter_.drawText(QPointF(0, entry.ascent), text);
  painter_.restore();
}

bool QtPainterCanvas::Image(const PixelRect& box, std::string_view pathSjis, const ColourMatrix* matrix) {
  if (!images_) {
    ImageLoader* shared = SharedImageLoader();
    images_ = shared ? shared : &ownImages_;
  }
  const QImage loaded = images_->Load(pathSjis);
  if (loaded.isNull()) return false;
  const double w = static_cast<double>(box.right) - box.left, h = static_cast<double>(box.bottom) - box.top;
  if (w <= 0 || h <= 0) return true;
  // Only the part on the device is drawn, so huge boxes cost no more than small ones.
  const QRectF target(box.left, box.top, w, h);
  const QRectF device = painter_.device() ? QRectF(0, 0, painter_.device()->width(), painter_.device()->height()) : target;
  const QRectF visible = target.intersected(device);
  if (visible.isEmpty()) return true;
  const QRectF source((visible.left() - target.left()) / w * loaded.width(),
                      (visible.top() - target.top()) / h * loaded.height(), visible.width() / w * loaded.width(),
                      visible.height() / h * loaded.height());
  Prepare(false);
  if (matrix) {
    // The colours are mixed after shrinking a large picture to the pixels it covers, so that
    // an off-colour picture costs what it shows, not what its file holds.
    QImage crop = loaded.copy(source.toAlignedRect());
    const QSize covered = painter_.worldTransform().mapRect(visible).toAlignedRect().size();
    if (!covered.isEmpty() && static_cast<qint64>(crop.width()) * crop.height() >
                                  static_cast<qint64>(covered.width()) * covered.height()) {
      crop = crop.scaled(covered, Qt::IgnoreAspectRatio,
                         painter_.testRenderHint(QPainter::SmoothPixmapTransform) ? Qt::SmoothTransformation
                                                                                  : Qt::FastTransformation);
    }
    painter_.drawImage(visible, ApplyColourMatrix(crop, *matrix));
  } else {
    painter_.drawImage(visible, loaded, source);
  }
  return true;
}

void QtPainterCanvas::FillRect(const PixelRect& rect, ColourRef colour) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  const QPainter::CompositionMode mode = painter_.compositionMode();
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_.fillRect(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top), ToQColor(colour));
  painter_.setCompositionMode(mode);
}

QtImageTarget::QtImageTarget(int width, int height, ColourRef fill)
    : image(std::max(1, width), std::max(1, height), QImage::Format_RGB32) {
  image.fill(ToQColor(fill));
  painter.begin(&image);
}

QtImageCanvas::QtImageCanvas(int width, int height, ColourRef fill)
    : QtImageTarget(width, height, fill), QtPainterCanvas(QtImageTarget::painter, true) {}

const QImage& QtImageCanvas::Finish() {
  if (QtImageTarget::painter.isActive()) QtImageTarget::painter.end();
  return QtImageTarget::image;
}

}  // namespace plenwick
