// Keeps the primitives drawn on a RecordingCanvas.
#include "view/recording_canvas.h"

#include <algorithm>

namespace plenwick {

RecordedPrimitive& RecordingCanvas::Record(CanvasOp op) {
  RecordedPrimitive& p = primitives_.emplace_back();
  p.op = op;
  p.pen = pen();
  p.brush = brush();
  p.drawMode = drawMode();
  p.backgroundMode = backgroundMode();
  p.backgroundColour = backgroundColour();
  p.textColour = textColour();
  return p;
}

void RecordingCanvas::Line(PixelPoint a, PixelPoint b) { Record(CanvasOp::kLine).points = {a, b}; }

void RecordingCanvas::Polyline(std::span<const PixelPoint> points) {
  Record(CanvasOp::kPolyline).points.assign(points.begin(), points.end());
}

void RecordingCanvas::Polygon(std::span<const PixelPoint> points) {
  Record(CanvasOp::kPolygon).points.assign(points.begin(), points.end());
}

void RecordingCanvas::Rectangle(const PixelRect& box) { Record(CanvasOp::kRectangle).rect = box; }

void RecordingCanvas::Ellipse(const PixelRect& box) { Record(CanvasOp::kEllipse).rect = box; }

void RecordingCanvas::Arc(const PixelRect& box, double startDegrees, double sweepDegrees) {
  RecordedPrimitive& p = Record(CanvasOp::kArc);
  p.rect = box;
  p.startDegrees = startDegrees;
  p.sweepDegrees = sweepDegrees;
}

void RecordingCanvas::StrokePath(std::span<const PixelPolyline> pieces) {
  Record(CanvasOp::kStrokePath).pieces.assign(pieces.begin(), pieces.end());
}

void RecordingCanvas::Text(PixelPoint topLeft, std::string_view sjis, const FontSpec& font) {
  RecordedPrimitive& p = Record(CanvasOp::kText);
  p.points = {topLeft};
  p.text = std::string(sjis);
  p.font = font;
}

bool RecordingCanvas::Image(const PixelRect& box, std::string_view pathSjis, const ColourMatrix* matrix) {
  RecordedPrimitive& p = Record(CanvasOp::kImage);
  p.rect = box;
  p.text = std::string(pathSjis);
  p.hasMatrix = matrix != nullptr;
  if (matrix) p.matrix = *matrix;
  p.imageDrawn = imageLoads && imageLoads(pathSjis);
  return p.imageDrawn;
}

void RecordingCanvas::FillRect(const PixelRect& rect, ColourRef colour) {
  RecordedPrimitive& p = Record(CanvasOp::kFillRect);
  p.rect = rect;
  p.fillColour = colour;
}

std::vector<RecordedPrimitive> RecordingCanvas::OfKind(CanvasOp op) const {
  std::vector<RecordedPrimitive> out;
  std::copy_if(primitives_.begin(), primitives_.end(), std::back_inserter(out),
               [op](const RecordedPrimitive& p) { return p.op == op; });
  return out;
}

std::size_t RecordingCanvas::Count(CanvasOp op) const {
  return static_cast<std::size_t>(std::count_if(primitives_.begin(), primitives_.end(),
                                                [op](const RecordedPrimitive& p) { return p.op == op; }));
}

}  // namespace plenwick
