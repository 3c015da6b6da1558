// A spatial index of the elements of one list, so that picking and the intersections registered
// for a new element look only at the elements near a point instead of walking the whole list.
// It follows the list through the snap-point list's reports (linked, unlinked, restructured,
// freed) and answers in list order, so that rules which depend on the order give the same
// results as a walk of the list.
#pragma once

#include <cstdint>
#include <vector>

#include "model/entity_list.h"
#include "model/snap_point_list.h"
#include "platform/flat_map.h"
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
  // Position of a linked element in list order (larger is later); 0 when it is not indexed.
  uint64_t OrderOf(const DrawEntity* e);

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

  struct Record {
    DrawEntity* entity = nullptr;
    uint64_t seq = 0;
    Box box;
    uint32_t stamp = 0;
    int8_t level = kUnplaced;
    bool live = false;
  };
  // A cell holds its elements' boxes (rounded outward to floats) next to each other, so that a
  // query reads a cell's contents in one go.
  struct Item {
    float minX;
    float minY;
    float maxX;
    float maxY;
    uint32_t id;
    bool live;
  };
  using CellMap = FlatMap<CellKey, uint32_t, CellHash>;

  static double CellSize(int level);
  static bool CellOf(double x, double y, int level, CellKey* key);
  void Sync();
  void Flush();
  void FullResync();
  uint32_t Upsert(DrawEntity* e);
  uint32_t Known(const DrawEntity* e) const;
  void Place(uint32_t id);
  void Unplace(uint32_t id);
  void Remove(uint32_t id);
  void SetLive(uint32_t id, bool live);
  Item* FindItem(uint32_t id);
  void CollectLevel(int level, const Box& box, std::vector<uint32_t>* ids) const;

  EntityList& list_;
  SnapPointList& points_;
  std::vector<Record> records_;  // by the snap-point list's element number
  CellMap cells_[kLevels];  // cell → bucket
  std::vector<std::vector<Item>> buckets_;
  std::vector<uint32_t> freeBuckets_;
  std::vector<uint32_t> everywhere_;
  std::vector<DrawEntity*> pending_;  // linked since the last sync, in link order
  bool needsResync_ = true;
  uint64_t seq_ = 0;
  uint32_t stamp_ = 0;
  std::vector<uint32_t> scratch_;
  std::vector<DrawEntity*> candidates_;
};

}  // namespace plenwick
