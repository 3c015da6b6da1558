// Model-to-client mapping with its rounding rules and guards against hostile values.
#include "view/view_mapping.h"

#include <cmath>
#include <limits>

namespace plenwick {

namespace {
constexpr double kIntMax = static_cast<double>(std::numeric_limits<int32_t>::max());
constexpr double kIntMin = static_cast<double>(std::numeric_limits<int32_t>::min() + 1);
}  // namespace

int64_t NearPixel(double v) { return TruncToInt(v + 0.5); }

int32_t TruncToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= kIntMax) return std::numeric_limits<int32_t>::max();
  if (v <= kIntMin) return std::numeric_limits<int32_t>::min() + 1;
  return static_cast<int32_t>(v);
}

int ClampPixel(int64_t v) {
  if (v > kPixelLimit) return kPixelLimit;
  if (v < -kPixelLimit) return -kPixelLimit;
  return static_cast<int>(v);
}

int ClampPixel(double v) {
  if (std::isnan(v)) return 0;
  if (v > kPixelLimit) return kPixelLimit;
  if (v < -kPixelLimit) return -kPixelLimit;
  return static_cast<int>(v);
}

double UsableScale(double scale) { return std::isfinite(scale) && scale > 0 ? scale : 1.0; }

PixelPoint ViewMapping::ModelToScreen(double x, double y) const {
  const double k = PixelsPerModelMm();
  const int64_t sx = NearPixel(x * k) - int64_t{ScrollOffset.x};
  const int64_t sy = int64_t{ScrollOffset.y} + clientHeight - NearPixel(y * k);
  return {ClampPixel(sx), ClampPixel(sy)};
}

ModelPoint ViewMapping::ScreenToModel(double sx, double sy) const {
  return {(ScrollOffset.x + sx) / PixelsPerMm * scale, (clientHeight - sy + ScrollOffset.y) / PixelsPerMm * scale};
}

bool ViewMapping::FitViewWindow() {
  const double dx = ViewWindow.xmax - ViewWindow.xmin;
  const double dy = ViewWindow.ymax - ViewWindow.ymin;
  const double w = clientWidth;
  const double h = clientHeight;
  double factor = 0;
  if (dy >= dx) {
    factor = h / dy * scale;  // the tall branch never compares against the width
  } else if (h >= w) {
    factor = w / dx * scale;
  } else {
    factor = dx * (h / dy) <= w ? h / dy * scale : w / dx * scale;
  }
  if (!std::isfinite(factor) || factor <= 0) return false;
  PixelsPerMm = factor;
  return true;
}

void ViewMapping::Recentre() {
  const double k = PixelsPerModelMm();
  const double cx = (ViewWindow.xmin + ViewWindow.xmax) / 2;
  const double cy = (ViewWindow.ymin + ViewWindow.ymax) / 2;
  ScrollOffset.x = TruncToInt(static_cast<double>(TruncToInt(cx * k)) - clientWidth / 2);
  ScrollOffset.y = TruncToInt(static_cast<double>(TruncToInt(cy * k)) - clientHeight / 2);
}

ModelRect ViewMapping::VisibleWindow() const {
  const double f = scale / PixelsPerMm;
  return {ScrollOffset.x * f, (static_cast<double>(ScrollOffset.y) + clientHeight - extentHeight) * f,
          (static_cast<double>(ScrollOffset.x) + extentWidth) * f, (static_cast<double>(ScrollOffset.y) + clientHeight) * f};
}

}  // namespace plenwick
