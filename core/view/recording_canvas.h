// A canvas that keeps every primitive it is asked to draw, with the drawing state of the moment,
// so that tests can check what a routine drew in device pixels.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "view/canvas.h"

namespace plenwick {

enum class CanvasOp : uint8_t {
  kLine, kPolyline, kPolygon, kRectangle, kEllipse, kArc, kStrokePath, kText, kImage, kFillRect,
};

struct RecordedPrimitive {
  CanvasOp op = CanvasOp::kLine;
  // Lines: the two ends; polylines and polygons: the vertices; text: the top-left corner.
  std::vector<PixelPoint> points;
  PixelRect rect;                     // rectangle, ellipse, arc box, image box, filled rectangle
  double startDegrees = 0;            // arc
  double sweepDegrees = 0;            // arc
  std::vector<PixelPolyline> pieces;  // stroked path
  std::string text;                   // text bytes, or the image path
  FontSpec font;
  bool hasMatrix = false;
  ColourMatrix matrix;
  bool imageDrawn = false;
  ColourRef fillColour = 0;  // FillRect
  // State at the time of drawing.
  Pen pen;
  Brush brush;
  DrawMode drawMode = DrawMode::kCopy;
  BackgroundMode backgroundMode = BackgroundMode::kOpaque;
  ColourRef backgroundColour = 0;
  ColourRef textColour = 0;
};

class RecordingCanvas final : public Canvas {
 public:
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

  const std::vector<RecordedPrimitive>& primitives() const { return primitives_; }
  std::vector<RecordedPrimitive> OfKind(CanvasOp op) const;
  std::size_t Count(CanvasOp op) const;
  void Clear() { primitives_.clear(); }

  // Decides which image paths "load" (none by default).
  std::function<bool(std::string_view pathSjis)> imageLoads;

 private:
  RecordedPrimitive& Record(CanvasOp op);
  std::vector<RecordedPrimitive> primitives_;
};

}  // namespace plenwick
