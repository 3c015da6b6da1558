// Cleaning up the lines of a window. Crossings are found through a grid over the window, each
// pair of lines tested in the one cell that holds their meeting point, so that a window over a
// large drawing does not compare every line with every other.
#include "tools/edit/window_cleanup.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace plenwick {

namespace {

constexpr double kTolerance = kCoincidentTolerance;
constexpr std::size_t kMostCells = std::size_t{1} << 20;

ModelPoint At(const LineEnds& s, double t) { return {s.a.x + t * (s.b.x - s.a.x), s.a.y + t * (s.b.y - s.a.y)}; }

// Position of p along the line of s: 0 at s.a, 1 at s.b.
double Along(const LineEnds& s, ModelPoint p) {
  const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
  return ((p.x - s.a.x) * dx + (p.y - s.a.y) * dy) / (dx * dx + dy * dy);
}

// Cells over the (grown) window, each listing the lines that pass through it.
class CrossingGrid {
 public:
  CrossingGrid(const Box& area, std::size_t lines) : area_(area) {
    const double w = std::max(area.maxX - area.minX, 1e-9), h = std::max(area.maxY - area.minY, 1e-9);
    const double cells = static_cast<double>(std::clamp<std::size_t>(lines, 1, kMostCells));
    columns_ = static_cast<int>(std::clamp(std::round(std::sqrt(cells * w / h)), 1.0, cells));
    rows_ = static_cast<int>(std::clamp(std::round(cells / columns_), 1.0, cells));
    cellW_ = w / columns_;
    cellH_ = h / rows_;
    cells_.resize(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_));
  }

  // Files line `id` in every cell that the part of `s` within the area comes near.
  void File(uint32_t id, const LineEnds& s) {
    double t0 = 0, t1 = 0;
    if (!ClipToBox(s.a, s.b, area_, 0, 1, &t0, &t1)) return;
    const LineEnds inside{At(s, t0), At(s, t1)};
    const int r0 = Row(std::min(inside.a.y, inside.b.y) - kTolerance);
    const int r1 = Row(std::max(inside.a.y, inside.b.y) + kTolerance);
    for (int r = r0; r <= r1; ++r) {
      // The part of the segment within this row's band, and the columns it covers.
      const Box band{area_.minX - kTolerance, area_.minY + r * cellH_ - kTolerance, area_.maxX + kTolerance,
                     area_.minY + (r + 1) * cellH_ + kTolerance};
      double u0 = 0, u1 = 0;
      if (!ClipToBox(inside.a, inside.b, band, 0, 1, &u0, &u1)) continue;
      const ModelPoint p = At(inside, u0), q = At(inside, u1);
      const int c0 = Column(std::min(p.x, q.x) - kTolerance), c1 = Column(std::max(p.x, q.x) + kTolerance);
      for (int c = c0; c <= c1; ++c) cells_[Index(c, r)].push_back(id);
    }
  }

  // The cell of a point (points outside the area go to the border cells).
  std::size_t CellOf(ModelPoint p) const { return Index(Column(p.x), Row(p.y)); }
  const std::vector<std::vector<uint32_t>>& cells() const { return cells_; }

 private:
  int Column(double x) const { return std::clamp(static_cast<int>(std::floor((x - area_.minX) / cellW_)), 0, columns_ - 1); }
  int Row(double y) const { return std::clamp(static_cast<int>(std::floor((y - area_.minY) / cellH_)), 0, rows_ - 1); }
  std::size_t Index(int c, int r) const { return static_cast<std::size_t>(r) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(c); }

  Box area_;
  int columns_ = 1, rows_ = 1;
  double cellW_ = 1, cellH_ = 1;
  std::vector<std::vector<uint32_t>> cells_;
};

// The new pieces of line s with its crossings (distinct points on it).
std::optional<std::vector<LineEnds>> CutBack(const LineEnds& s, const std::vector<ModelPoint>& crossings,
                                             const Box& window) {
  if (crossings.empty()) return std::nullopt;
  std::vector<LineEnds> pieces;
  auto keep = [&](ModelPoint p, ModelPoint q) {
    if (Distance(p, q) >= kTolerance) pieces.push_back({p, q});
  };
  if (crossings.size() >= 2) {
    auto nearest = [&](ModelPoint end) {
      return *std::min_element(crossings.begin(), crossings.end(),
                               [&](ModelPoint x, ModelPoint y) { return Distance(x, end) < Distance(y, end); });
    };
    keep(s.a, nearest(s.a));
    keep(nearest(s.b), s.b);
    return pieces;
  }
  const ModelPoint x = crossings.front();
  const std::optional<LineEnds> edges = WindowCrossings(s, window);
  if (!edges) return std::nullopt;
  // Along the line the window spans [low, high]; an end within it lies inside the window.
  const double g1 = Along(s, edges->a), g2 = Along(s, edges->b);
  const double low = std::min(g1, g2) - 1e-9, high = std::max(g1, g2) + 1e-9;
  const bool aInside = 0 >= low && 0 <= high, bInside = 1 >= low && 1 <= high;
  if (aInside == bInside) return std::nullopt;
  // The stub that pokes into the window past the crossing goes.
  if (aInside) {
    keep(x, s.b);
  } else {
    keep(s.a, x);
  }
  return pieces;
}

}  // namespace

bool SegmentMeetsWindow(LineEnds segment, const Box& window) {
  if (window.Contains(segment.a) || window.Contains(segment.b)) return true;
  double t0 = 0, t1 = 0;
  return ClipToBox(segment.a, segment.b, window, 0, 1, &t0, &t1);
}

std::optional<LineEnds> WindowCrossings(LineEnds segment, const Box& window) {
  double t0 = 0, t1 = 0;
  if (!ClipToBox(segment.a, segment.b, window, -INFINITY, INFINITY, &t0, &t1) || !(t0 < t1)) return std::nullopt;
  return LineEnds{At(segment, t0), At(segment, t1)};
}

std::vector<std::optional<std::vector<LineEnds>>> CleanUpWindow(const Box& window, const std::vector<CleanupLine>& lines) {
  std::vector<std::optional<std::vector<LineEnds>>> result(lines.size());
  if (window.IsEmpty()) return result;
  Box area = window;
  area.Grow(kTolerance);
  std::vector<LineCoef> coefficients(lines.size());
  std::vector<bool> usable(lines.size());
  CrossingGrid grid(area, lines.size());
  for (uint32_t i = 0; i < lines.size(); ++i) {
    usable[i] = LineCoefficients(lines[i].ends.a, lines[i].ends.b, &coefficients[i]) == 0;
    if (usable[i]) grid.File(i, lines[i].ends);
  }

  std::vector<std::vector<ModelPoint>> crossings(lines.size());
  auto add = [&](uint32_t i, ModelPoint x) {
    const CleanupLine& line = lines[i];
    if (!line.changeable || WithinCoincidence(x, line.ends.a) || WithinCoincidence(x, line.ends.b)) return;
    std::vector<ModelPoint>& found = crossings[i];
    if (std::none_of(found.begin(), found.end(), [&](ModelPoint y) { return WithinCoincidence(x, y); })) found.push_back(x);
  };
  const auto& cells = grid.cells();
  for (std::size_t cell = 0; cell < cells.size(); ++cell) {
    const std::vector<uint32_t>& here = cells[cell];
    for (std::size_t m = 0; m < here.size(); ++m) {
      for (std::size_t n = m + 1; n < here.size(); ++n) {
        const uint32_t i = here[m], j = here[n];
        if (!lines[i].changeable && !lines[j].changeable) continue;
        ModelPoint x;
        // Each pair is met in every cell both pass through: it counts in the cell of its crossing.
        if (IntersectLines(coefficients[i], coefficients[j], &x) != 0 || !area.Contains(x) || grid.CellOf(x) != cell) {
          continue;
        }
        if (IsOnSegment(x, lines[i].ends.a, lines[i].ends.b) != 0 || IsOnSegment(x, lines[j].ends.a, lines[j].ends.b) != 0) {
          continue;
        }
        add(i, x);
        add(j, x);
      }
    }
  }
  for (uint32_t i = 0; i < lines.size(); ++i) {
    if (lines[i].changeable) result[i] = CutBack(lines[i].ends, crossings[i], window);
  }
  return result;
}

}  // namespace plenwick
