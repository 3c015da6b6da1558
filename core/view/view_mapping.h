// How a view maps model millimetres to client pixels and back, and the fit of a model window
// into the client area.
#pragma once

#include <cstdint>

#include "view/canvas.h"

namespace plenwick {

struct ModelPoint {
  double x = 0;
  double y = 0;
  bool operator==(const ModelPoint&) const = default;
};

// Model rectangle (model mm), y upward.
struct ModelRect {
  double xmin = 0;
  double ymin = 0;
  double xmax = 0;
  double ymax = 0;
  double width() const { return xmax - xmin; }
  double height() const { return ymax - ymin; }
  // False for NaN coordinates.
  bool Contains(double x, double y) const { return x >= xmin && x <= xmax && y >= ymin && y <= ymax; }
  bool Overlaps(const ModelRect& o) const {
    return o.xmax >= xmin && o.xmin <= xmax && o.ymax >= ymin && o.ymin <= ymax;
  }
  bool operator==(const ModelRect&) const = default;
};

// Client coordinates are kept within this bound so that pixel arithmetic never overflows and
// painters never meet absurd coordinates; anything further out is off any screen anyway.
inline constexpr int kPixelLimit = 1 << 29;

// The integer part of v + 0.5 ("near"), clamped to the int range; NaN gives 0.
int64_t NearPixel(double v);
// The integer part of v, clamped to the int range; NaN gives 0.
int32_t TruncToInt(double v);
// Clamps to +-kPixelLimit.
int ClampPixel(int64_t v);
int ClampPixel(double v);

// A drawing scale usable for division: finite and positive, else 1.
double UsableScale(double scale);

struct ViewMapping {
  double scale = 1;                // drawing scale denominator (1:scale)
  double PixelsPerMm = 1;          // client pixels per paper millimetre
  ModelRect ViewWindow;            // model rectangle the view is asked to show
  PixelPoint ScrollOffset;         // pixel offsets of the picture
  int clientWidth = 0;             // W
  int clientHeight = 0;            // H
  int extentWidth = 0;             // largest client size seen: bounds the visible window
  int extentHeight = 0;

  // Client pixels per model millimetre.
  double PixelsPerModelMm() const { return PixelsPerMm / scale; }

  // Model point to client pixel: x = near(x * PixelsPerMm / scale) - ScrollOffset.x,
  // y = ScrollOffset.y + H - near(y * PixelsPerMm / scale), clamped to +-kPixelLimit.
  PixelPoint ModelToScreen(double x, double y) const;
  PixelPoint ModelToScreen(ModelPoint p) const { return ModelToScreen(p.x, p.y); }
  // The same without rounding or clamping (for clipping decisions and sub-pixel geometry).
  double ScreenXOf(double x) const { return x * PixelsPerModelMm() - ScrollOffset.x; }
  double ScreenYOf(double y) const {
    return static_cast<double>(ScrollOffset.y) + clientHeight - y * PixelsPerModelMm();
  }
  // Client pixel to model point (no rounding).
  ModelPoint ScreenToModel(double sx, double sy) const;

  // Recomputes PixelsPerMm so that ViewWindow fits the client. Returns false, leaving the factor
  // unchanged, when the window or the client cannot give a finite positive factor.
  bool FitViewWindow();
  // Puts the centre of ViewWindow at the client centre.
  void Recentre();
  // Model rectangle covered by the client extent.
  ModelRect VisibleWindow() const;
};

}  // namespace plenwick
