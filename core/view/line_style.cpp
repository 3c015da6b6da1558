// Screen and printed pens, printed dash patterns and the cutting of polylines into dashes.
#include "view/line_style.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "view/pixel_geometry.h"
#include "view/view_mapping.h"

namespace plenwick {

PenStyle LineStyleToPen(int lineType) {
  switch (lineType) {
    case 1: return PenStyle::kDot;
    case 2: return PenStyle::kDash;
    case 3: return PenStyle::kDashDot;
    case 4: return PenStyle::kDashDotDot;
    default: return PenStyle::kSolid;
  }
}

int ScreenPenWidth(int lineType) {
  switch (lineType) {
    case 5: return 2;
    case 6: return 4;
    case 7: return 8;
    default: return 1;
  }
}

int PrintedPenWidth(const RenderSettings& settings, int lineType, int pen, double devicePixelsPerMm) {
  double mm = 0;
  if (lineType >= 5 && lineType <= 7) {
    mm = settings.thickWidthsMm[static_cast<std::size_t>(lineType - 5)];
  } else {
    mm = settings.penWidthsMm[static_cast<std::size_t>(pen >= 0 && pen < kPenCount ? pen : 0)];
  }
  const int width = TruncToInt(std::floor(mm * devicePixelsPerMm + 0.5));
  return width >= 1 ? std::min(width, 10000) : 1;
}

std::vector<int> PrintedDashPattern(int lineType, int g) {
  if (g < 1) g = 1;
  switch (lineType) {
    case 1: return {g, g};
    case 2: return {3 * g, g};
    case 3: return {3 * g, g, g, g};
    case 4: return {3 * g, g, g, g, g, g};
    default: return {};
  }
}

namespace {

// Where a dash pattern stands: which entry, how much of it is left.
class DashPhase {
 public:
  explicit DashPhase(std::span<const int> pattern) : pattern_(pattern) {
    total_ = std::accumulate(pattern.begin(), pattern.end(), 0.0);
    left_ = pattern_[0];
  }
  bool on() const { return index_ % 2 == 0; }
  double left() const { return left_; }
  void Next() {
    index_ = (index_ + 1) % pattern_.size();
    left_ = pattern_[index_];
  }
  // Moves the phase by a distance without emitting anything.
  void Skip(double d) {
    if (d < left_) {
      left_ -= d;
      return;
    }
    d -= left_;
    Next();
    d = std::fmod(d, total_);
    while (d >= left_) {
      d -= left_;
      Next();
    }
    left_ -= d;
  }
  void Consume(double d) { left_ -= d; }

 private:
  std::span<const int> pattern_;
  std::size_t index_ = 0;
  double total_ = 0;
  double left_ = 0;
};

}  // namespace

void CollectDashPieces(std::span<const PixelPoint> polyline, std::span<const int> pattern, const PixelRect& bounds,
                       std::vector<PixelPolyline>& out) {
  if (polyline.size() < 2) return;
  const bool solid = pattern.empty() || !std::all_of(pattern.begin(), pattern.end(), [](int v) { return v > 0; });
  const std::size_t firstNew = out.size();
  const PixelRect box{bounds.left - 2, bounds.top - 2, bounds.right + 2, bounds.bottom + 2};
  static constexpr int kUnit[1] = {1};
  DashPhase phase(solid ? std::span<const int>(kUnit) : pattern);
  bool extending = false;  // whether out.back() is the piece being extended
  auto emit = [&](double x, double y) {
    const PixelPoint p = RoundToPixel({x, y});
    if (!extending) {
      out.emplace_back();
      extending = true;
    }
    if (out.back().empty() || out.back().back() != p) out.back().push_back(p);
  };
  for (std::size_t i = 0; i + 1 < polyline.size(); ++i) {
    const double ax = polyline[i].x, ay = polyline[i].y;
    const double bx = polyline[i + 1].x, by = polyline[i + 1].y;
    const double len = std::hypot(bx - ax, by - ay);
    if (len == 0) continue;
    double t0 = 0, t1 = 0;
    if (!ClipParameters({ax, ay}, {bx, by}, box, t0, t1)) {
      if (!solid) phase.Skip(len);
      extending = false;
      continue;
    }
    if (t0 > 0) {
      if (!solid) phase.Skip(t0 * len);
      extending = false;
    }
    const double ux = (bx - ax) / len, uy = (by - ay) / len;
    if (solid) {
      emit(ax + ux * t0 * len, ay + uy * t0 * len);
      emit(ax + ux * t1 * len, ay + uy * t1 * len);
    } else {
      double s = t0 * len;
      const double end = t1 * len;
      while (s < end) {
        const bool last = phase.left() >= end - s;
        const double step = last ? end - s : phase.left();
        if (phase.on()) {
          emit(ax + ux * s, ay + uy * s);
          emit(ax + ux * (s + step), ay + uy * (s + step));
        }
        s = last ? end : s + step;
        phase.Consume(step);
        if (phase.left() <= 0) {
          if (phase.on()) extending = false;
          phase.Next();
        }
      }
    }
    if (t1 < 1) {
      if (!solid) phase.Skip((1 - t1) * len);
      extending = false;
    }
  }
  // Pieces that collapsed to a single pixel carry no stroke.
  auto first = out.begin() + static_cast<std::ptrdiff_t>(firstNew);
  out.erase(std::remove_if(first, out.end(), [](const PixelPolyline& p) { return p.size() < 2; }), out.end());
}

}  // namespace plenwick
