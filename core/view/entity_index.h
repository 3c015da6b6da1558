// A spatial index of the elements of one list, so that picking and the intersections registered
// for a new element look only at the elements near a point instead of walking the whole list.
// It follows the list through the snap-point list's reports (linked, unlinked, restructured,
// freed) and answers in list order, so that rules which depend on the order give the same
// results as a walk of the list.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "model/entity_list.h"
#include "model/snap_point_list.h"
#include "platform/cell_pages.h"
#include "view/entity_shape.h"
#include "view/geometry.h"

namespace plenwick {

class EntityIndex final : public EntityListObserver {
 public:
  EntityIndex(EntityList& list, SnapPointList& points);

  // The index of `list`, created on first use and owned by `points`; null when the list does
  // not report its changes to `points` (list.snapPoints != &points): then callers walk the list.
  static EntityIndex* For(EntityList& list, SnapPointList& points);

  // The linked elements whose reach (ReachOf) meets `box`, and those that reach everywhere, in
  // list order. Elements added since the last call are taken in first. The answer stays valid
  // until the next call or list change.
  const std::vector<DrawEntity*>& Candidates(const Box& box);
  // The same for the union of `boxes`, each element once (no boxes: those that reach everywhere).
  const std::vector<DrawEntity*>& Candidates(std::span<const Box> boxes);
  // Boxes that hold every element filed with a box (they may be larger than the elements are now,
  // after removals; empty when there is none): `all` of them, and `core` without those that reach
  // about as far as the infinite lines, which would make it as wide as they are.
  struct Bounds {
    Box core;
    Box all;
  };
  Bounds FiledBounds();
  // What Candidates(reach of `e`) answered right after the linked element `e` was appended,
  // without `e`: the elements before it whose reach meets its reach (all of them when `e`
  // reaches everywhere, none when it reaches nowhere), in list order. `reach` and `box` are
  // ReachOf(e).
  const std::vector<DrawEntity*>& EarlierCandidates(const DrawEntity& e, Reach reach, const Box& box);
  // Position of a linked element in list order (larger is later); 0 when it is not indexed.
  uint64_t OrderOf(const DrawEntity* e);
  // Files what was linked since the last query (a whole drawing just read is filed afresh), so
  // that the next query answers at once.
  void Prepare() { Sync(); }

  // For tests: true when the live records are exactly the linked elements, in list order.
  bool MatchesList();

  void Linked(DrawEntity* first) override;
  void Unlinked(DrawEntity* first) override;
  void Restructured() override;
  void Forget(const DrawEntity* entity, uint32_t number) override;
  void ForgetAll() override;

 private:
  static constexpr uint32_t kNone = UINT32_MAX;
  static constexpr int kLevels = 28;
  static constexpr int8_t kUnplaced = -1;
  static constexpr int8_t kEverywhere = -2;

  // Per element number.
  struct Record {
    DrawEntity* entity = nullptr;
    uint32_t seq = 0;      // list order; 0 while not live
    uint32_t cell = kNone;  // the cell holding its item
    uint32_t slot = 0;      // its item's place in that cell, or in everywhere_
    int8_t level = kUnplaced;
    bool live = false;
  };
  // An element's box (rounded outward to floats) as its cell keeps it, next to the others of the
  // cell, so that a query reads a cell's contents in one go.
  struct Item {
    float minX;
    float minY;
    float maxX;
    float maxY;
    uint32_t seq;
    uint32_t id;
  };
  // A cell's items lie in items_[begin, begin + size), with room up to begin + capacity; in
  // list order unless a removal moved the last one into a gap.
  struct Cell {
    uint32_t begin = 0;
    uint32_t size = 0;
    uint32_t capacity = 0;
    bool ordered = true;
  };
  struct Level {
    CellPages cells;  // grid cell → cells_ number
    uint32_t cellCount = 0;
    double reach = 0;  // largest half width or height of an element filed here (model mm)
  };
  struct Placement {
    int8_t level = kUnplaced;
    CellKey cell;
    Box box;
  };

  static bool CellOf(double x, double y, int level, CellKey* key);
  Placement PlacementOf(const DrawEntity& e) const;
  uint32_t CellFor(int level, CellKey cell);
  void Sync();
  void Flush();
  void FullResync();
  void ClearPlaces();
  uint32_t Upsert(DrawEntity* e);
  uint32_t Known(const DrawEntity* e) const;
  void Place(uint32_t id);
  void FileItem(uint32_t id, const Placement& where);
  void Unplace(uint32_t id);
  void Remove(uint32_t id);
  void GrowCell(Cell& cell);
  void CollectLevel(int level, const Box& box, uint32_t before);
  // The elements before `before` that meet one of `boxes` or reach everywhere; with `all`, every
  // filed one.
  const std::vector<DrawEntity*>& Collect(std::span<const Box> boxes, bool all, uint32_t before);

  EntityList& list_;
  SnapPointList& points_;
  std::vector<Record> records_;  // by the snap-point list's element number
  std::array<Level, kLevels> levels_;
  uint32_t filledLevels_ = 0;  // bit per level with cells
  std::vector<Cell> cells_;
  std::vector<Item> items_;
  std::size_t spareItems_ = 0;  // items_ entries left behind by cells that moved
  std::vector<uint32_t> everywhere_;
  Bounds filed_;  // hold the box of every element filed in a cell since the last clearing
  std::size_t live_ = 0;
  std::vector<DrawEntity*> pending_;  // linked since the last sync, in link order
  bool needsResync_ = true;
  uint32_t seq_ = 0;
  std::vector<uint64_t> scratch_;  // seq << 32 | id of the elements found: scratch_[0, found_)
  std::size_t found_ = 0;
  std::vector<DrawEntity*> candidates_;
};

}  // namespace plenwick
