// The elements of a drawing just read that can meet others (lines, curves, circles and arcs),
// filed in grids of cells one after another in list order, so that each is met with the earlier
// ones whose reach meets its own just before it is filed itself: the intersections of a whole
// drawing are registered without an element index updated element by element.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/draw_entity.h"
#include "view/entity_shape.h"
#include "view/geometry.h"

namespace plenwick {

class MeetingGrid {
 public:
  // Cells laid out for the extent and the sizes of `sample` (the elements read), which should
  // be most of the elements that will be filed.
  explicit MeetingGrid(std::span<DrawEntity* const> sample);

  // False when the sample is spread too thinly for cells of its elements' sizes; callers then
  // use the element index.
  bool usable() const { return usable_; }
  // True once more than a few of the elements filed lay beyond the sample's extent (the sample
  // missed them, or they were there before): they crowd the border cells, so callers go on
  // through the element index.
  bool crowded() const { return beyond_ > kFewBeyond + elements_.size() / 32; }

  // The elements filed so far whose reach may meet the reach of `e` (ReachOf: `reach`, `box`): a
  // superset of those whose reach boxes meet, every one when `e` reaches everywhere, none when it
  // reaches nowhere; in the order they were filed. Then files `e`. Valid until the next call.
  const std::vector<DrawEntity*>& MeetAndFile(DrawEntity& e, Reach reach, const Box& box);
  // Files `e` without meeting it with the others.
  void File(DrawEntity& e, Reach reach, const Box& box);

 private:
  // A reach box rounded outward to floats; infinite for one that reaches everywhere.
  struct FloatBox {
    float minX;
    float minY;
    float maxX;
    float maxY;
  };
  // Cells of one size over the sample's extent (reaches beyond it are taken in by the border
  // cells). Each cell heads a chain of the elements whose boxes cover it, the last filed first.
  // An element is filed at the first level whose cells are at least half its size, so that it
  // covers at most 3 x 3 of them (and the elements of most drawings share one level).
  struct Level {
    double cell = 0;  // edge, model mm
    double inverse = 0;
    double originX = 0;
    double originY = 0;
    double endX = 0;  // where the last cell ends
    double endY = 0;
    int64_t columns = 0;
    int64_t rows = 0;
    std::vector<uint32_t> heads;  // per cell, row by row: its last node; kNoNode when none
  };
  struct Node {
    uint32_t place;
    uint32_t next;
  };
  static constexpr uint32_t kNoNode = UINT32_MAX;
  static constexpr std::size_t kFewBeyond = 4096;

  Level& LevelFor(const FloatBox& r);
  Level& MakeLevelFor(double size);
  void Cover(const Level& level, const FloatBox& r, int64_t* x0, int64_t* y0, int64_t* x1, int64_t* y1) const;
  static FloatBox FloatBoxOf(Reach reach, const Box& box);
  void File(DrawEntity& e, const FloatBox& r);
  // The place of a new element.
  uint32_t Keep(DrawEntity& e, const FloatBox& r);
  void FileIn(uint32_t place, Level& level, int64_t x0, int64_t y0, int64_t x1, int64_t y1);

  bool usable_ = true;
  std::size_t beyond_ = 0;  // elements filed that reach beyond their level's cells
  double unit_ = 1;  // the cell edge at level 0
  double extent_[4] = {0, 0, 0, 0};  // min x, min y, max x, max y of the sample's centres
  std::vector<Level> levels_;
  std::vector<DrawEntity*> elements_;  // filed, in order
  std::vector<FloatBox> reaches_;
  std::vector<Node> nodes_;
  std::vector<uint32_t> everywhere_;  // places of those that reach everywhere
  std::vector<uint32_t> found_;
  std::vector<DrawEntity*> answer_;
};

}  // namespace plenwick
