// Draws the lines of one element with the pen its line attribute and state call for: a styled
// cosmetic pen on the screen, a geometric pen with explicit dash pieces when printing.
#pragma once

#include <span>

#include "view/render_context.h"

namespace plenwick {

class EntityStroke {
 public:
  // lineAttr = line type * 100 + pen; state -1 draws solid in the given (background) colour.
  EntityStroke(const RenderContext& ctx, int lineAttr, ColourRef colour, int state);

  // Polyline in device pixels.
  void Pixels(std::span<const PixelPoint> points) const;
  // Polyline in model mm; points far outside the device are clipped so that the lines keep
  // their direction.
  void Model(std::span<const ModelPoint> points) const;
  // A segment under the window rule of lines: drawn unchanged when an end lies in the visible
  // window, else between its crossings with the window's edges, else not at all.
  void Segment(ModelPoint a, ModelPoint b) const;
  // A circle (full) or the counter-clockwise arc from startDegrees over sweepDegrees, model mm.
  void CircleArc(ModelPoint centre, double radius, double startDegrees, double sweepDegrees, bool full) const;

  // Selects the pen on the canvas (done by every drawing call).
  void ApplyPen() const;

 private:
  const RenderContext& ctx_;
  Pen pen_;
  int lineType_ = 0;
  bool dashed_ = false;  // printed broken line
};

// The printed width (device pixels) of a line attribute's pen or thick line type.
int PrintedPenWidthOf(const RenderContext& ctx, int lineAttr);

// The window rule of lines: replaces the ends of a segment that has no end inside the window by
// its crossings with the window's edges (vertical edges first, horizontal ones when fewer than
// two were found; each end takes the crossing nearer to it). False when it crosses no edge.
bool ClipSegmentToWindow(ModelPoint& a, ModelPoint& b, const ModelRect& window);

}  // namespace plenwick
