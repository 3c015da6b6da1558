// A spatial index of the elements of one list: a grid per size class, each element filed once in
// the cell holding its box's centre at the level whose cells are at least twice its size. Cells
// are found through pages of 4 x 4 neighbouring cells (a query near a point mostly reads one
// page per level) and keep their elements' boxes in one shared array.
#include "view/entity_index.h"

#include <algorithm>
#include <bit>
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

// Cell edges 0.5 · 4^level model mm (powers of two, so that multiplying by the inverse is exact).
struct CellSizes {
  double size[32];
  double inverse[32];
  CellSizes() {
    for (int i = 0; i < 32; ++i) {
      size[i] = std::ldexp(1.0, 2 * i - 1);
      inverse[i] = std::ldexp(1.0, 1 - 2 * i);
    }
  }
};
const CellSizes kCellSizes;
// Sequence numbers start again from 1 (with a rebuild) before they would run out.
constexpr uint32_t kLastSeq = UINT32_MAX - 1;

double Largest(const Box& box) {
  return std::max({std::fabs(box.minX), std::fabs(box.minY), std::fabs(box.maxX), std::fabs(box.maxY)});
}

}  // namespace

bool EntityIndex::CellOf(double x, double y, int level, CellKey* key) {
  return CellNumberOf(x, kCellSizes.inverse[level], &key->x) && CellNumberOf(y, kCellSizes.inverse[level], &key->y);
}

EntityIndex::Placement EntityIndex::PlacementOf(const DrawEntity& e) const {
  Placement where;
  switch (ReachOf(e, &where.box)) {
    case Reach::kNone:
      return where;
    case Reach::kEverywhere:
      where.level = kEverywhere;
      return where;
    case Reach::kBox:
      break;
  }
  const Box& box = where.box;
  const double size = std::max(box.maxX - box.minX, box.maxY - box.minY);
  int level = 0;
  while (level < kLevels - 1 && size > kCellSizes.size[level] / 2) ++level;
  if (size > kCellSizes.size[level] / 2 || !CellOf((box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2, level, &where.cell)) {
    where.level = kEverywhere;
    return where;
  }
  where.level = static_cast<int8_t>(level);
  return where;
}

uint32_t EntityIndex::CellFor(int level, CellKey cell) {
  Level& lv = levels_[level];
  uint32_t& number = lv.cells.Slot(cell);
  if (number == kNone) {
    number = static_cast<uint32_t>(cells_.size());
    cells_.emplace_back();
    ++lv.cellCount;
    filledLevels_ |= 1u << level;
  }
  return number;
}

void EntityIndex::GrowCell(Cell& cell) {
  // Cells that moved leave their old room behind; once that is more than what is in use, every
  // cell is packed again.
  if (spareItems_ > 4096 && spareItems_ > items_.size() / 2) {
    std::vector<Item> packed;
    packed.reserve(items_.size() - spareItems_ + 16);
    for (Cell& c : cells_) {
      const auto begin = static_cast<uint32_t>(packed.size());
      packed.insert(packed.end(), items_.begin() + c.begin, items_.begin() + c.begin + c.size);
      c.begin = begin;
      c.capacity = c.size;
    }
    items_ = std::move(packed);
    spareItems_ = 0;
  }
  const uint32_t capacity = cell.capacity == 0 ? 2 : cell.capacity * 2;
  const auto begin = static_cast<uint32_t>(items_.size());
  items_.resize(items_.size() + capacity);
  std::copy(items_.begin() + cell.begin, items_.begin() + cell.begin + cell.size, items_.begin() + begin);
  spareItems_ += cell.capacity;
  cell.begin = begin;
  cell.capacity = capacity;
}

void EntityIndex::FileItem(uint32_t id, const Placement& where) {
  Record& r = records_[id];
  r.level = where.level;
  if (where.level == kUnplaced) return;
  if (where.level == kEverywhere) {
    r.slot = static_cast<uint32_t>(everywhere_.size());
    everywhere_.push_back(id);
    return;
  }
  r.cell = CellFor(where.level, where.cell);
  Cell& cell = cells_[r.cell];
  if (cell.size == cell.capacity) GrowCell(cell);
  const Box& b = where.box;
  filed_.all.Add({b.minX, b.minY});
  filed_.all.Add({b.maxX, b.maxY});
  if (std::max(b.maxX - b.minX, b.maxY - b.minY) < kInfiniteLineReach / 10) {
    filed_.core.Add({b.minX, b.minY});
    filed_.core.Add({b.maxX, b.maxY});
  }
  items_[cell.begin + cell.size] = {FloatBelow(b.minX), FloatBelow(b.minY), FloatAbove(b.maxX), FloatAbove(b.maxY), r.seq, id};
  r.slot = cell.size++;
  Level& lv = levels_[where.level];
  lv.reach = std::max({lv.reach, (b.maxX - b.minX) / 2, (b.maxY - b.minY) / 2});
}

void EntityIndex::Place(uint32_t id) { FileItem(id, PlacementOf(*records_[id].entity)); }

void EntityIndex::Unplace(uint32_t id) {
  Record& r = records_[id];
  if (r.level == kEverywhere) {
    const uint32_t moved = everywhere_.back();
    everywhere_[r.slot] = moved;
    records_[moved].slot = r.slot;
    everywhere_.pop_back();
  } else if (r.level >= 0) {
    Cell& cell = cells_[r.cell];
    const Item& last = items_[cell.begin + cell.size - 1];
    if (r.slot + 1 != cell.size) cell.ordered = false;
    records_[last.id].slot = r.slot;
    items_[cell.begin + r.slot] = last;
    --cell.size;
  }
  r.level = kUnplaced;
  r.cell = kNone;
}

uint32_t EntityIndex::Upsert(DrawEntity* e) {
  const uint32_t id = points_.EntityNumber(e);
  if (id >= records_.size()) records_.resize(id + 1);
  Unplace(id);
  Record& r = records_[id];
  if (!r.live) ++live_;
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
  if (records_[id].live) --live_;
  records_[id] = Record{};
}

void EntityIndex::ClearPlaces() {
  for (Level& lv : levels_) lv = Level{};
  filledLevels_ = 0;
  cells_.clear();
  items_.clear();
  spareItems_ = 0;
  everywhere_.clear();
  filed_ = Bounds{};
}

void EntityIndex::Flush() {
  for (DrawEntity* e : pending_) Upsert(e);
  pending_.clear();
}

void EntityIndex::FullResync() {
  // Built afresh from the list: every cell gets room for exactly its elements, in list order.
  const std::size_t expected = live_ + pending_.size();
  pending_.clear();
  ClearPlaces();
  for (Record& r : records_) {
    r.seq = 0;
    r.cell = kNone;
    r.level = kUnplaced;
    r.live = false;
  }
  seq_ = 0;
  live_ = 0;
  std::vector<Item> filed;
  filed.reserve(expected);
  records_.reserve(expected);
  for (DrawEntity* e = list_.head; e; e = e->next) {
    const uint32_t id = points_.EntityNumber(e);
    if (id >= records_.size()) records_.resize(id + 1);
    Record& r = records_[id];
    r.entity = e;
    r.seq = ++seq_;
    r.live = true;
    ++live_;
    const Placement where = PlacementOf(*e);
    if (where.level < 0) {
      FileItem(id, where);
      continue;
    }
    r.level = where.level;
    r.cell = CellFor(where.level, where.cell);
    ++cells_[r.cell].size;
    const Box& b = where.box;
    Level& lv = levels_[where.level];
    lv.reach = std::max({lv.reach, (b.maxX - b.minX) / 2, (b.maxY - b.minY) / 2});
    filed.push_back({FloatBelow(b.minX), FloatBelow(b.minY), FloatAbove(b.maxX), FloatAbove(b.maxY), r.seq, id});
  }
  uint32_t total = 0;
  for (Cell& c : cells_) {
    c.begin = total;
    c.capacity = c.size;
    total += c.size;
    c.size = 0;
  }
  items_.resize(total);
  for (const Item& item : filed) {
    Record& r = records_[item.id];
    Cell& c = cells_[r.cell];
    r.slot = c.size++;
    items_[c.begin + r.slot] = item;
  }
  // Records the walk did not meet belong to detached chains (or to elements freed without
  // being reported); they are never looked at again unless their element is linked anew.
  needsResync_ = false;
}

void EntityIndex::Sync() {
  // Many new elements (a drawing just read) are filed faster all at once.
  const std::size_t pending = pending_.size();
  if (!needsResync_ && pending > 0 && (pending > live_ / 2 + 1024 || pending > kLastSeq - seq_)) {
    needsResync_ = true;
  }
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
  Sync();
  for (DrawEntity* e = first; e; e = e->next) {
    const uint32_t id = Known(e);
    if (id == kNone || !records_[id].live) continue;
    Unplace(id);
    records_[id].live = false;
    records_[id].seq = 0;
    --live_;
  }
}

void EntityIndex::Restructured() {
  pending_.clear();
  needsResync_ = true;
}

void EntityIndex::Forget(const DrawEntity* entity, uint32_t number) {
  // A pending element must be filed before it may be freed.
  if (!needsResync_) Sync();
  if (number < records_.size() && records_[number].entity == entity) Remove(number);
}

void EntityIndex::ForgetAll() {
  records_.clear();
  ClearPlaces();
  pending_.clear();
  live_ = 0;
  seq_ = 0;
  needsResync_ = true;
}

void EntityIndex::CollectLevel(int level, const Box& box, uint32_t before) {
  const Level& lv = levels_[level];
  // An element filed in a cell has its box's centre there and reaches at most lv.reach beyond
  // it (plus rounding). Cells beyond the 32-bit range hold nothing (such elements reach
  // everywhere).
  const double inverse = kCellSizes.inverse[level];
  const double reach = lv.reach + kCellSizes.size[level] / 64 + 1e-12 * Largest(box);
  const int64_t x0 = ClampedCellNumber(box.minX - reach, inverse);
  const int64_t y0 = ClampedCellNumber(box.minY - reach, inverse);
  const int64_t x1 = ClampedCellNumber(box.maxX + reach, inverse);
  const int64_t y1 = ClampedCellNumber(box.maxY + reach, inverse);
  lv.cells.ForEachIn(x0, y0, x1, y1, [&](uint32_t number) {
    const Cell& cell = cells_[number];
    const Item* item = items_.data() + cell.begin;
    const Item* const end = item + cell.size;
    if (scratch_.size() < found_ + cell.size) scratch_.resize(2 * (found_ + cell.size));
    uint64_t* out = scratch_.data() + found_;
    // Without branches on the boxes: whether one meets is as good as random. A cell in list
    // order ends its earlier items with the first later one.
    for (; item != end; ++item) {
      const bool earlier = item->seq < before;
      if (!earlier && cell.ordered) break;
      const bool meets = earlier & (item->minX <= box.maxX) & (box.minX <= item->maxX) & (item->minY <= box.maxY) &
                         (box.minY <= item->maxY);
      *out = uint64_t{item->seq} << 32 | item->id;
      out += meets ? 1 : 0;
    }
    found_ = static_cast<std::size_t>(out - scratch_.data());
  });
}

const std::vector<DrawEntity*>& EntityIndex::Collect(std::span<const Box> boxes, bool all, uint32_t before) {
  found_ = 0;
  auto take = [&](uint32_t id) {
    if (found_ == scratch_.size()) scratch_.resize(2 * found_ + 64);
    scratch_[found_++] = uint64_t{records_[id].seq} << 32 | id;
  };
  if (!all) {
    for (const Box& box : boxes) {
      for (uint32_t levels = filledLevels_; levels != 0; levels &= levels - 1) {
        CollectLevel(std::countr_zero(levels), box, before);
      }
    }
    for (uint32_t id : everywhere_) {
      if (records_[id].seq < before) take(id);
    }
  } else {
    for (uint32_t id = 0; id < records_.size(); ++id) {
      const Record& r = records_[id];
      if (r.live && r.level != kUnplaced && r.seq < before) take(id);
    }
  }
  const auto found = scratch_.begin() + static_cast<std::ptrdiff_t>(found_);
  std::sort(scratch_.begin(), found);
  // Boxes that overlap find some elements twice.
  const auto last = boxes.size() > 1 ? std::unique(scratch_.begin(), found) : found;
  candidates_.clear();
  for (auto key = scratch_.begin(); key != last; ++key) candidates_.push_back(records_[static_cast<uint32_t>(*key)].entity);
  return candidates_;
}

const std::vector<DrawEntity*>& EntityIndex::Candidates(const Box& box) {
  Sync();
  return Collect(std::span<const Box>(&box, 1), !IsGridBox(box), UINT32_MAX);
}

const std::vector<DrawEntity*>& EntityIndex::Candidates(std::span<const Box> boxes) {
  Sync();
  return Collect(boxes, !std::all_of(boxes.begin(), boxes.end(), IsGridBox), UINT32_MAX);
}

EntityIndex::Bounds EntityIndex::FiledBounds() {
  Sync();
  return filed_;
}

const std::vector<DrawEntity*>& EntityIndex::EarlierCandidates(const DrawEntity& e, Reach reach, const Box& box) {
  Sync();
  candidates_.clear();
  const uint32_t id = Known(&e);
  if (id == kNone || !records_[id].live || reach == Reach::kNone) return candidates_;
  const bool bounded = reach == Reach::kBox && IsGridBox(box);
  return Collect(std::span<const Box>(&box, 1), !bounded, records_[id].seq);
}

uint64_t EntityIndex::OrderOf(const DrawEntity* e) {
  Sync();
  const uint32_t id = Known(e);
  return id != kNone && records_[id].live ? records_[id].seq : 0;
}

bool EntityIndex::MatchesList() {
  Sync();
  uint32_t last = 0;
  std::size_t linked = 0;
  for (DrawEntity* e = list_.head; e; e = e->next, ++linked) {
    const uint32_t id = Known(e);
    if (id == kNone || !records_[id].live || records_[id].seq <= last) return false;
    last = records_[id].seq;
  }
  // Every live record is filed where it says, with its current order.
  std::size_t live = 0;
  for (uint32_t id = 0; id < records_.size(); ++id) {
    const Record& r = records_[id];
    if (!r.live) {
      if (r.level != kUnplaced) return false;
      continue;
    }
    ++live;
    if (r.level == kEverywhere) {
      if (r.slot >= everywhere_.size() || everywhere_[r.slot] != id) return false;
    } else if (r.level >= 0) {
      const Cell& cell = cells_[r.cell];
      if (r.slot >= cell.size || items_[cell.begin + r.slot].id != id || items_[cell.begin + r.slot].seq != r.seq) {
        return false;
      }
    }
  }
  return live == linked && live == live_;
}

}  // namespace plenwick
