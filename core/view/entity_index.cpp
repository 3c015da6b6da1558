// A spatial index of the elements of one list: a grid per size class, each element filed once in
// the cell holding its box's centre at the level whose cells are at least twice its size, so that
// an element reaches at most a quarter cell beyond its own cell.
#include "view/entity_index.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "view/entity_shape.h"

namespace plenwick {

EntityIndex::EntityIndex(EntityList& list, SnapPointList& points) : list_(list), points_(points) {}

EntityIndex* EntityIndex::For(EntityList& list, SnapPointList& points) {
  if (list.snapPoints != &points) return nullptr;
  if (auto* index = dynamic_cast<EntityIndex*>(points.observer()); index && &index->list_ == &list) return index;
  auto index = std::make_unique<EntityIndex>(list, points);
  EntityIndex* raw = index.get();
  points.SetObserver(std::move(index));
  return raw;
}

namespace {

// Cell edges 0.5 · 4^level model mm; cell numbers must fit 32 bits.
struct CellSizes {
  double size[32];
  CellSizes() {
    for (int i = 0; i < 32; ++i) size[i] = std::ldexp(1.0, 2 * i - 1);
  }
};
const CellSizes kCellSizes;
constexpr double kLargestCell = 2.0e9;

}  // namespace

double EntityIndex::CellSize(int level) { return kCellSizes.size[level]; }

bool EntityIndex::CellOf(double x, double y, int level, CellKey* key) {
  const double c = CellSize(level);
  const double cx = std::floor(x / c);
  const double cy = std::floor(y / c);
  if (!(std::fabs(cx) < kLargestCell) || !(std::fabs(cy) < kLargestCell)) return false;
  *key = {static_cast<int32_t>(cx), static_cast<int32_t>(cy)};
  return true;
}

namespace {

float Down(double v) {
  float f = static_cast<float>(v);
  if (f > v) f = std::nextafter(f, -std::numeric_limits<float>::infinity());
  return f;
}

float Up(double v) {
  float f = static_cast<float>(v);
  if (f < v) f = std::nextafter(f, std::numeric_limits<float>::infinity());
  return f;
}

}  // namespace

void EntityIndex::Place(uint32_t id) {
  Record& r = records_[id];
  Box box;
  switch (ReachOf(*r.entity, &box)) {
    case Reach::kNone:
      r.level = kUnplaced;
      return;
    case Reach::kEverywhere:
      r.level = kEverywhere;
      everywhere_.push_back(id);
      return;
    case Reach::kBox:
      break;
  }
  r.box = box;
  const double size = std::max(box.maxX - box.minX, box.maxY - box.minY);
  int level = 0;
  while (level < kLevels - 1 && size > CellSize(level) / 2) ++level;
  CellKey key;
  if (size > CellSize(level) / 2 || !CellOf((box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2, level, &key)) {
    r.level = kEverywhere;
    everywhere_.push_back(id);
    return;
  }
  r.level = static_cast<int8_t>(level);
  uint32_t bucket = freeBuckets_.empty() ? static_cast<uint32_t>(buckets_.size()) : freeBuckets_.back();
  auto [found, isNew] = cells_[level].Insert(key, bucket);
  if (isNew) {
    if (freeBuckets_.empty()) {
      buckets_.emplace_back();
    } else {
      freeBuckets_.pop_back();
    }
  } else {
    bucket = *found;
  }
  buckets_[bucket].push_back({Down(box.minX), Down(box.minY), Up(box.maxX), Up(box.maxY), id, r.live});
}

EntityIndex::Item* EntityIndex::FindItem(uint32_t id) {
  const Record& r = records_[id];
  if (r.level < 0) return nullptr;
  CellKey key;
  CellOf((r.box.minX + r.box.maxX) / 2, (r.box.minY + r.box.maxY) / 2, r.level, &key);
  const uint32_t* bucket = cells_[r.level].Find(key);
  if (!bucket) return nullptr;
  for (Item& item : buckets_[*bucket]) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

void EntityIndex::Unplace(uint32_t id) {
  Record& r = records_[id];
  if (r.level == kEverywhere) {
    everywhere_.erase(std::find(everywhere_.begin(), everywhere_.end(), id));
  } else if (r.level >= 0) {
    CellKey key;
    CellOf((r.box.minX + r.box.maxX) / 2, (r.box.minY + r.box.maxY) / 2, r.level, &key);
    if (const uint32_t* found = cells_[r.level].Find(key)) {
      const uint32_t bucket = *found;
      std::vector<Item>& items = buckets_[bucket];
      for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].id == id) {
          items[i] = items.back();
          items.pop_back();
          break;
        }
      }
      if (items.empty()) {
        cells_[r.level].Erase(key);
        freeBuckets_.push_back(bucket);
      }
    }
  }
  r.level = kUnplaced;
}

void EntityIndex::SetLive(uint32_t id, bool live) {
  records_[id].live = live;
  if (Item* item = FindItem(id)) item->live = live;
}

uint32_t EntityIndex::Upsert(DrawEntity* e) {
  const uint32_t id = points_.EntityNumber(e);
  if (id >= records_.size()) records_.resize(id + 1);
  Unplace(id);
  Record& r = records_[id];
  r.entity = e;
  r.seq = ++seq_;
  r.live = true;
  Place(id);
  return id;
}

uint32_t EntityIndex::Known(const DrawEntity* e) const {
  const uint32_t id = points_.FindEntityNumber(e);
  return id < records_.size() && records_[id].entity == e ? id : kNone;
}

void EntityIndex::Remove(uint32_t id) {
  Unplace(id);
  records_[id] = Record{};
}

void EntityIndex::Flush() {
  for (DrawEntity* e : pending_) Upsert(e);
  pending_.clear();
}

void EntityIndex::FullResync() {
  pending_.clear();
  ++stamp_;
  for (DrawEntity* e = list_.head; e; e = e->next) records_[Upsert(e)].stamp = stamp_;
  // Records the walk did not meet belong to detached chains (or to elements freed without
  // being reported); they are never looked at again unless their element is linked anew.
  for (uint32_t id = 0; id < records_.size(); ++id) {
    if (records_[id].entity && records_[id].stamp != stamp_ && records_[id].live) SetLive(id, false);
  }
  needsResync_ = false;
}

void EntityIndex::Sync() {
  if (needsResync_) {
    FullResync();
  } else if (!pending_.empty()) {
    Flush();
  }
}

void EntityIndex::Linked(DrawEntity* first) {
  if (needsResync_) return;
  for (DrawEntity* e = first; e; e = e->next) pending_.push_back(e);
}

void EntityIndex::Unlinked(DrawEntity* first) {
  if (needsResync_) return;
  Flush();
  for (DrawEntity* e = first; e; e = e->next) {
    const uint32_t id = Known(e);
    if (id != kNone) SetLive(id, false);
  }
}

void EntityIndex::Restructured() {
  pending_.clear();
  needsResync_ = true;
}

void EntityIndex::Forget(const DrawEntity* entity, uint32_t number) {
  if (!needsResync_) Flush();
  if (number < records_.size() && records_[number].entity == entity) Remove(number);
}

void EntityIndex::ForgetAll() {
  records_.clear();
  buckets_.clear();
  freeBuckets_.clear();
  for (CellMap& cells : cells_) cells.Clear();
  everywhere_.clear();
  pending_.clear();
  needsResync_ = true;
}

void EntityIndex::CollectLevel(int level, const Box& box, std::vector<uint32_t>* ids) const {
  const CellMap& cells = cells_[level];
  if (cells.empty()) return;
  // An element filed in a cell reaches at most a quarter cell beyond it (plus rounding).
  const double c = CellSize(level);
  const double reach = c / 4 + c / 64 + 1e-12 * std::max({std::fabs(box.minX), std::fabs(box.minY), std::fabs(box.maxX), std::fabs(box.maxY)});
  // Cells beyond the 32-bit range hold nothing (such elements reach everywhere).
  const double x0 = std::max(std::floor((box.minX - reach) / c), -kLargestCell);
  const double y0 = std::max(std::floor((box.minY - reach) / c), -kLargestCell);
  const double x1 = std::min(std::floor((box.maxX + reach) / c), kLargestCell);
  const double y1 = std::min(std::floor((box.maxY + reach) / c), kLargestCell);
  if (!(x0 <= x1 && y0 <= y1)) return;
  auto collectChain = [&](uint32_t bucket) {
    for (const Item& item : buckets_[bucket]) {
      if (item.live && item.minX <= box.maxX && box.minX <= item.maxX && item.minY <= box.maxY && box.minY <= item.maxY) {
        ids->push_back(item.id);
      }
    }
  };
  const double span = (x1 - x0 + 1) * (y1 - y0 + 1);
  if (span > 2.0 * static_cast<double>(cells.size()) + 16.0) {
    cells.ForEach([&](const CellKey& key, uint32_t head) {
      if (key.x >= x0 && key.x <= x1 && key.y >= y0 && key.y <= y1) collectChain(head);
    });
    return;
  }
  for (double y = y0; y <= y1; ++y) {
    for (double x = x0; x <= x1; ++x) {
      if (const uint32_t* head = cells.Find(CellKey{static_cast<int32_t>(x), static_cast<int32_t>(y)})) collectChain(*head);
    }
  }
}

const std::vector<DrawEntity*>& EntityIndex::Candidates(const Box& box) {
  Sync();
  std::vector<DrawEntity*>* out = &candidates_;
  out->clear();
  scratch_.clear();
  const bool bounded = std::isfinite(box.minX) && std::isfinite(box.minY) && std::isfinite(box.maxX) &&
                       std::isfinite(box.maxY) && !box.IsEmpty() &&
                       std::max({std::fabs(box.minX), std::fabs(box.minY), std::fabs(box.maxX), std::fabs(box.maxY)}) < 1e15;
  if (!bounded) {
    for (uint32_t id = 0; id < records_.size(); ++id) {
      if (records_[id].live && records_[id].level != kUnplaced) scratch_.push_back(id);
    }
  } else {
    for (int level = 0; level < kLevels; ++level) CollectLevel(level, box, &scratch_);
    for (uint32_t id : everywhere_) {
      if (records_[id].live) scratch_.push_back(id);
    }
  }
  std::sort(scratch_.begin(), scratch_.end(), [&](uint32_t a, uint32_t b) { return records_[a].seq < records_[b].seq; });
  for (uint32_t id : scratch_) out->push_back(records_[id].entity);
  return candidates_;
}

uint64_t EntityIndex::OrderOf(const DrawEntity* e) {
  Sync();
  const uint32_t id = Known(e);
  return id != kNone && records_[id].live ? records_[id].seq : 0;
}

bool EntityIndex::MatchesList() {
  Sync();
  uint64_t last = 0;
  std::size_t linked = 0;
  for (DrawEntity* e = list_.head; e; e = e->next, ++linked) {
    const uint32_t id = Known(e);
    if (id == kNone || !records_[id].live || records_[id].seq <= last) return false;
    last = records_[id].seq;
  }
  std::size_t live = 0;
  for (const Record& r : records_) live += r.live ? 1 : 0;
  return live == linked;
}

}  // namespace plenwick
