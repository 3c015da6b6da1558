// The canvas drawn by a Qt painter: QtPainterCanvas on any paint device (PDF, SVG, printer),
// QtImageCanvas on an image back-buffer where exclusive-or modes are really exclusive-or.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "image_loader.h"
#include "text_runs.h"
#include "view/canvas.h"

namespace plenwick {

QColor ToQColor(ColourRef colour);
// The picture's colours through a 5 x 5 colour matrix (32-bit with alpha).
QImage ApplyColourMatrix(const QImage& source, const ColourMatrix& matrix);

class QtPainterCanvas : public Canvas {
 public:
  // Draws with `painter` (kept, not owned). rasterOps: the device is a 32-bit image, so the
  // exclusive-or modes can be drawn as raster operations; elsewhere they draw as copies.
  QtPainterCanvas(QPainter& painter, bool rasterOps);

  void Line(PixelPoint a, PixelPoint b) override;
  void Polyline(std::span<const PixelPoint> points) override;
  void Polygon(std::span<const PixelPoint> points) override;
  void Rectangle(const PixelRect& box) override;
  void Ellipse(const PixelRect& box) override;
  void Arc(const PixelRect& box, double startDegrees, double sweepDegrees) override;
  void StrokePath(std::span<const PixelPolyline> pieces) override;
  void Text(PixelPoint topLeft, std::string_view sjis, const FontSpec& font) override;
  bool Image(const PixelRect& box, std::string_view pathSjis, const ColourMatrix* matrix) override;
  void FillRect(const PixelRect& rect, ColourRef colour) override;

  // Whether texts are drawn from glyph runs shaped once and kept between paints; on by default
  // on raster devices of the main thread, where it draws the same pixels as shaping each time.
  void KeepShapedTexts(bool on) { textRuns_ = on && rasterEngine_ ? SharedTextRuns() : nullptr; }

  // Whether circles and arcs a few pixels across are drawn as the points their outlines set (on
  // by default; off, the painter strokes each, as it does for the shapes' first drawing).
  void DrawTinyOutlinesAsPoints(bool on) { tinyAsPoints_ = on; }

  // Texts taller than this many pixels are not drawn (no font engine rasterises them sensibly).
  static constexpr int kMaxTextPixels = 16384;

 protected:
  void ClipChanged() override;

 private:
  struct FontEntry {
    QFont font;
    double ascent = 0;
  };
  void Prepare(bool withBrush);
  void PrepareText();
  void PrepareBrushAndMode(bool withBrush);
  // The painter pen of a canvas pen, made once.
  const QPen& PainterPen(const Pen& pen);
  // Draws the outline of a small circle or arc as the points the painter's own outline would
  // set, worked out once a shape; false when the outline is not small or not plainly drawn.
  bool TinyOutline(const QRectF& outline, bool arc, int start, int sweep);
  // Group 0 is the font of upright texts; turned ones are drawn in TurnedGroup(g) of their angle
  // group g (see TextRunCache::AngleGroup), each a font engine of its own.
  static int TurnedGroup(int angleGroup) { return angleGroup + 1; }
  const FontEntry& FontFor(const FontSpec& spec, bool antialias, int group);
  // The shaped text from the shared cache, shaped and kept on a miss.
  const QList<QGlyphRun>& CachedRuns(std::string_view sjis, const FontSpec& font, bool antialias);

  QPainter& painter_;
  bool rasterOps_;
  // What the painter was last set to, so unchanged state costs nothing.
  bool applied_ = false;
  bool textPen_ = false;  // the painter's pen is the text colour, not the canvas pen
  Pen pen_;
  Brush brush_;
  bool brushOn_ = false;
  DrawMode mode_ = DrawMode::kCopy;
  BackgroundMode backgroundMode_ = BackgroundMode::kTransparent;
  ColourRef background_ = 0;
  ColourRef textColour_ = 0;
  std::vector<std::pair<Pen, QPen>> pens_;
  bool tinyAsPoints_ = true;
  std::optional<QPen> textQPen_;  // the pen of texts, made for textQPenColour_
  ColourRef textQPenColour_ = 0;
  std::unordered_map<uint64_t, std::vector<QPoint>> tinyOutlines_;  // points around (0, 0)
  std::vector<QPoint> points_;  // reused for drawing one outline
  std::unordered_map<std::string, FontEntry> fonts_;
  // Shaped texts, on raster devices only: glyph runs drawn elsewhere (PDF, SVG) would lose
  // the characters behind the glyphs.
  bool rasterEngine_ = false;
  TextRunCache* textRuns_ = nullptr;
  std::string key_;  // reused for cache look-ups
  // Pictures: the shared loader on the main thread, an own one elsewhere.
  ImageLoader ownImages_;
  ImageLoader* images_ = nullptr;
};

// Owns the image and its painter; base of QtImageCanvas so they exist before the canvas.
struct QtImageTarget {
  QtImageTarget(int width, int height, ColourRef fill);
  QImage image;
  QPainter painter;
};

class QtImageCanvas final : private QtImageTarget, public QtPainterCanvas {
 public:
  // An image of width x height pixels filled with `fill`.
  QtImageCanvas(int width, int height, ColourRef fill = 0xFFFFFF);
  // Ends painting and hands out the picture.
  const QImage& Finish();
  QImage& image() { return QtImageTarget::image; }
};

}  // namespace plenwick
