// A spatial index of the elements of one list: a grid per size class, each element filed once in
// the cell holding its box's lower-left corner at the level whose cells are at least twice its
// size, so that a query looks at one extra row and column of cells per level.
#include "view/entity_index.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "view/entity_shape.h"

namespace plenwick {

EntityIndex::EntityIndex(EntityList& list) : list_(list) {}

EntityIndex* EntityIndex::For(EntityList& list, SnapPointList& points) {
  if (list.snapPoints != &points) return nullptr;
  if (auto* index = dynamic_cast<EntityIndex*>(points.observer()); index && &index->list_ == &list) return index;
  auto index = std::make_unique<EntityIndex>(list);
  EntityIndex* raw = index.get();
  points.SetObserver(std::move(index));
  return raw;
}

double EntityIndex::CellSize(int level) { return std::ldexp(1.0, 2 * level - 1); }  // 0.5 · 4^level

EntityIndex::CellKey EntityIndex::CellOf(double x, double y, int level) {
  const double c = CellSize(level);
  return {static_cast<int64_t>(std::floor(x / c)), static_cast<int64_t>(std::floor(y / c))};
}

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
  if (size > CellSize(level) / 2) {
    r.level = kEverywhere;
    everywhere_.push_back(id);
    return;
  }
  r.level = static_cast<int8_t>(level);
  auto [head, isNew] = cells_[level].Insert(CellOf(box.minX, box.minY, level), id);
  if (isNew) {
    r.cellNext = kNone;
  } else {
    r.cellNext = *head;
    *head = id;
  }
}

void EntityIndex::Unplace(uint32_t id) {
  Record& r = records_[id];
  if (r.level == kEverywhere) {
    everywhere_.erase(std::find(everywhere_.begin(), everywhere_.end(), id));
  } else if (r.level >= 0) {
    const CellKey key = CellOf(r.box.minX, r.box.minY, r.level);
    uint32_t* link = cells_[r.level].Find(key);
    uint32_t* head = link;
    while (link && *link != kNone && *link != id) link = &records_[*link].cellNext;
    if (link && *link == id) *link = r.cellNext;
    if (head && *head == kNone) cells_[r.level].Erase(key);
  }
  r.level = kUnplaced;
  r.cellNext = kNone;
}

uint32_t EntityIndex::Upsert(DrawEntity* e) {
  uint32_t id;
  if (const uint32_t* known = ids_.Find(e)) {
    id = *known;
    Unplace(id);
  } else {
    if (freeIds_.empty()) {
      id = static_cast<uint32_t>(records_.size());
      records_.emplace_back();
    } else {
      id = freeIds_.back();
      freeIds_.pop_back();
    }
    ids_.Insert(e, id);
  }
  Record& r = records_[id];
  r.entity = e;
  r.seq = ++seq_;
  r.live = true;
  Place(id);
  return id;
}

void EntityIndex::Remove(uint32_t id) {
  Unplace(id);
  ids_.Erase(records_[id].entity);
  records_[id] = Record{};
  freeIds_.push_back(id);
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
  for (Record& r : records_) {
    if (r.entity && r.stamp != stamp_) r.live = false;
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
    if (const uint32_t* id = ids_.Find(e)) records_[*id].live = false;
  }
}

void EntityIndex::Restructured() {
  pending_.clear();
  needsResync_ = true;
}

void EntityIndex::Forget(const DrawEntity* entity) {
  if (!needsResync_) Flush();
  if (const uint32_t* id = ids_.Find(entity)) Remove(*id);
}

void EntityIndex::ForgetAll() {
  records_.clear();
  freeIds_.clear();
  ids_.Clear();
  for (CellMap& cells : cells_) cells.Clear();
  everywhere_.clear();
  pending_.clear();
  needsResync_ = true;
}

void EntityIndex::CollectLevel(int level, const Box& box, std::vector<uint32_t>* ids) const {
  const CellMap& cells = cells_[level];
  if (cells.empty()) return;
  const CellKey low = CellOf(box.minX, box.minY, level);
  const CellKey high = CellOf(box.maxX, box.maxY, level);
  const int64_t x0 = low.x - 1;
  const int64_t y0 = low.y - 1;
  auto collectChain = [&](uint32_t id) {
    for (; id != kNone; id = records_[id].cellNext) {
      const Record& r = records_[id];
      if (r.live && r.box.Intersects(box)) ids->push_back(id);
    }
  };
  const double span = static_cast<double>(high.x - x0 + 1) * static_cast<double>(high.y - y0 + 1);
  if (span > 2.0 * static_cast<double>(cells.size()) + 16.0) {
    cells.ForEach([&](const CellKey& key, uint32_t head) {
      if (key.x >= x0 && key.x <= high.x && key.y >= y0 && key.y <= high.y) collectChain(head);
    });
    return;
  }
  for (int64_t y = y0; y <= high.y; ++y) {
    for (int64_t x = x0; x <= high.x; ++x) {
      if (const uint32_t* head = cells.Find(CellKey{x, y})) collectChain(*head);
    }
  }
}

void EntityIndex::Candidates(const Box& box, std::vector<DrawEntity*>* out) {
  Sync();
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
  out->reserve(scratch_.size());
  for (uint32_t id : scratch_) out->push_back(records_[id].entity);
}

uint64_t EntityIndex::OrderOf(const DrawEntity* e) {
  Sync();
  const uint32_t* id = ids_.Find(e);
  return id && records_[*id].live ? records_[*id].seq : 0;
}

bool EntityIndex::MatchesList() {
  Sync();
  uint64_t last = 0;
  std::size_t linked = 0;
  for (DrawEntity* e = list_.head; e; e = e->next, ++linked) {
    const uint32_t* id = ids_.Find(e);
    if (!id || !records_[*id].live || records_[*id].seq <= last) return false;
    last = records_[*id].seq;
  }
  std::size_t live = 0;
  for (const Record& r : records_) live += r.live ? 1 : 0;
  return live == linked;
}

}  // namespace plenwick
