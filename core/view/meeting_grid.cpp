// Grids of cells laid out from a sample of the drawing, filled element by element.
#include "view/meeting_grid.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/cell_pages.h"
#include "view/intersections.h"

namespace plenwick {

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

// Sizes and the extent are judged from about this many elements, the extent without the
// farthest few of them out on each side.
constexpr std::size_t kSample = std::size_t{1} << 14;
constexpr std::size_t kStrays = 16;
// The finest level has at most this many cells per element (plus a few): sparser drawings get
// larger cells, up to 2^kMostWidening times the size of their elements; beyond that the grid
// is not used.
constexpr double kCellsPerElement = 4;
constexpr int kMostWidening = 4;

// The cell of t (cells from the origin, t a number) along an axis of `count` cells.
int64_t Clamped(double t, int64_t count) {
  return static_cast<int64_t>(std::min(std::max(t, 0.0), static_cast<double>(count - 1)));
}

double SizeOf(const Box& b) { return std::max(b.maxX - b.minX, b.maxY - b.minY); }

}  // namespace

MeetingGrid::MeetingGrid(std::span<DrawEntity* const> sample) {
  const std::size_t step = std::max<std::size_t>(1, sample.size() / kSample);
  std::vector<double> sizes;
  std::vector<double> xs;
  std::vector<double> ys;
  for (std::size_t i = 0; i < sample.size(); i += step) {
    Box b;
    if (!CanMeet(*sample[i]) || ReachOf(*sample[i], &b) != Reach::kBox || !IsGridBox(b)) continue;
    sizes.push_back(SizeOf(b));
    xs.push_back((b.minX + b.maxX) / 2);
    ys.push_back((b.minY + b.maxY) / 2);
  }
  if (sizes.empty()) return;
  // Cells the size that nine in ten elements have at most.
  const auto ninth = sizes.begin() + static_cast<std::ptrdiff_t>(sizes.size() * 9 / 10);
  std::nth_element(sizes.begin(), ninth, sizes.end());
  unit_ = std::max(*ninth, 1e-9);
  const std::size_t strays = sizes.size() >= 100 * kStrays ? kStrays : 0;
  std::vector<double>* axes[] = {&xs, &ys};
  for (int axis = 0; axis < 2; ++axis) {
    std::vector<double>& v = *axes[axis];
    const auto low = v.begin() + static_cast<std::ptrdiff_t>(strays);
    const auto high = v.end() - 1 - static_cast<std::ptrdiff_t>(strays);
    std::nth_element(v.begin(), low, v.end());
    extent_[axis] = *low;
    std::nth_element(v.begin(), high, v.end());
    extent_[axis + 2] = *high;
  }
  // The finest level holds nine in ten elements or more.
  const double expected = static_cast<double>(sizes.size() * step);
  for (int widening = 0;; ++widening) {
    const double columns = (extent_[2] - extent_[0]) / unit_ + 3;
    const double rows = (extent_[3] - extent_[1]) / unit_ + 3;
    if (columns * rows <= kCellsPerElement * expected + 1024) break;
    if (widening == kMostWidening) {
      usable_ = false;
      return;
    }
    unit_ *= 2;
  }
  elements_.reserve(sample.size());
  reaches_.reserve(sample.size());
  nodes_.reserve(3 * sample.size());
}

inline MeetingGrid::Level& MeetingGrid::LevelFor(const FloatBox& r) {
  // Its level has cells of at least half its size: it covers at most 3 x 3 of them.
  const double size = std::max(double{r.maxX} - r.minX, double{r.maxY} - r.minY);
  if (size <= 2 * unit_ && !levels_.empty() && !levels_[0].heads.empty()) return levels_[0];
  return MakeLevelFor(size);
}

MeetingGrid::Level& MeetingGrid::MakeLevelFor(double size) {
  std::size_t k = 0;
  double edge = unit_;
  for (; size > 2 * edge; edge *= 4) ++k;
  if (k >= levels_.size()) levels_.resize(k + 1);
  Level& level = levels_[k];
  if (level.heads.empty()) {
    // Cells over the extent of the sample's centres, a cell beyond it on every side.
    level.cell = edge;
    level.inverse = 1 / edge;
    level.originX = extent_[0] - edge;
    level.originY = extent_[1] - edge;
    level.columns = static_cast<int64_t>((extent_[2] + edge - level.originX) * level.inverse) + 1;
    level.rows = static_cast<int64_t>((extent_[3] + edge - level.originY) * level.inverse) + 1;
    level.endX = level.originX + static_cast<double>(level.columns) * edge;
    level.endY = level.originY + static_cast<double>(level.rows) * edge;
    level.heads.assign(static_cast<std::size_t>(level.columns * level.rows), kNoNode);
  }
  return level;
}

inline void MeetingGrid::Cover(const Level& level, const FloatBox& r, int64_t* x0, int64_t* y0, int64_t* x1, int64_t* y1) const {
  *x0 = Clamped((r.minX - level.originX) * level.inverse, level.columns);
  *x1 = Clamped((r.maxX - level.originX) * level.inverse, level.columns);
  *y0 = Clamped((r.minY - level.originY) * level.inverse, level.rows);
  *y1 = Clamped((r.maxY - level.originY) * level.inverse, level.rows);
}

MeetingGrid::FloatBox MeetingGrid::FloatBoxOf(Reach reach, const Box& box) {
  // A box of ReachOf lies within about 1e15 mm of the origin: well inside the floats.
  if (reach == Reach::kBox) return {FloatBelow(box.minX), FloatBelow(box.minY), FloatAbove(box.maxX), FloatAbove(box.maxY)};
  return {-kInfinity, -kInfinity, kInfinity, kInfinity};
}

void MeetingGrid::File(DrawEntity& e, Reach reach, const Box& box) {
  if (reach != Reach::kNone) File(e, FloatBoxOf(reach, box));
}

void MeetingGrid::File(DrawEntity& e, const FloatBox& r) {
  if (std::isinf(r.minX)) {
    everywhere_.push_back(Keep(e, r));
    return;
  }
  Level& level = LevelFor(r);
  int64_t x0, y0, x1, y1;
  Cover(level, r, &x0, &y0, &x1, &y1);
  FileIn(Keep(e, r), level, x0, y0, x1, y1);
}

inline uint32_t MeetingGrid::Keep(DrawEntity& e, const FloatBox& r) {
  elements_.push_back(&e);
  reaches_.push_back(r);
  return static_cast<uint32_t>(elements_.size() - 1);
}

inline void MeetingGrid::FileIn(uint32_t place, Level& level, int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  const FloatBox& r = reaches_[place];
  beyond_ += r.minX < level.originX || r.minY < level.originY || r.maxX >= level.endX || r.maxY >= level.endY ? 1 : 0;
  for (int64_t y = y0; y <= y1; ++y) {
    for (int64_t x = x0; x <= x1; ++x) {
      uint32_t& head = level.heads[static_cast<std::size_t>(y * level.columns + x)];
      nodes_.push_back({place, head});
      head = static_cast<uint32_t>(nodes_.size() - 1);
    }
  }
}

const std::vector<DrawEntity*>& MeetingGrid::MeetAndFile(DrawEntity& e, Reach reach, const Box& box) {
  answer_.clear();
  if (reach == Reach::kNone) return answer_;
  const FloatBox r = FloatBoxOf(reach, box);
  if (std::isinf(r.minX)) {
    answer_ = elements_;
    File(e, r);
    return answer_;
  }
  // Its own level first (made when missing), so that the cells it is filed in are known.
  Level& own = LevelFor(r);
  int64_t ox0, oy0, ox1, oy1;
  Cover(own, r, &ox0, &oy0, &ox1, &oy1);
  std::size_t found = 0;
  for (Level& level : levels_) {
    if (level.heads.empty()) continue;
    int64_t x0 = ox0, y0 = oy0, x1 = ox1, y1 = oy1;
    if (&level != &own) Cover(level, r, &x0, &y0, &x1, &y1);
    for (int64_t y = y0; y <= y1; ++y) {
      for (int64_t x = x0; x <= x1; ++x) {
        for (uint32_t n = level.heads[static_cast<std::size_t>(y * level.columns + x)]; n != kNoNode; n = nodes_[n].next) {
          // Without a branch on the boxes: whether one meets is as good as random.
          if (found == found_.size()) found_.resize(2 * found + 64);
          const Node& node = nodes_[n];
          const FloatBox& o = reaches_[node.place];
          found_[found] = node.place;
          found += (o.minX <= r.maxX) & (r.minX <= o.maxX) & (o.minY <= r.maxY) & (r.minY <= o.maxY);
        }
      }
    }
  }
  if (found > 0 || !everywhere_.empty()) {
    auto end = found_.begin() + static_cast<std::ptrdiff_t>(found);
    if (!everywhere_.empty()) {
      found_.resize(found);
      found_.insert(found_.end(), everywhere_.begin(), everywhere_.end());
      end = found_.end();
    }
    std::sort(found_.begin(), end);
    end = std::unique(found_.begin(), end);
    for (auto place = found_.begin(); place != end; ++place) answer_.push_back(elements_[*place]);
  }
  FileIn(Keep(e, r), own, ox0, oy0, ox1, oy1);
  return answer_;
}

}  // namespace plenwick
