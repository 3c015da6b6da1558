// The document's characteristic points, filed by element and by grid cell so that neither
// freeing an element nor a search near the cursor has to walk the whole list.
#include "model/snap_point_list.h"

#include <cmath>
#include <limits>
#include <utility>

namespace plenwick {

namespace {
constexpr std::size_t kChunkPoints = 1024;
// Cell numbers beyond this are not filed (they would not fit the grid's integer cells).
constexpr double kLargestCell = 2.0e9;
}  // namespace

SnapPointList::~SnapPointList() { Clear(); }

SnapPointList::EntityPoints::Iterator& SnapPointList::EntityPoints::Iterator::operator++() {
  p_ = NextOfOwner(p_);
  return *this;
}

std::size_t SnapPointList::EntityPoints::size() const {
  std::size_t n = 0;
  for (SnapPoint* p = first_; p; p = NextOfOwner(p)) ++n;
  return n;
}

SnapPointList::EntityPoints SnapPointList::PointsOf(const DrawEntity* entity) const {
  const EntitySlot* slot = slots_.Find(entity);
  return EntityPoints(slot ? slot->ownFirst : nullptr);
}

bool SnapPointList::CellOf(double x, double y, CellKey* key) {
  const double cx = std::floor(x / kCellSize);
  const double cy = std::floor(y / kCellSize);
  if (!(std::fabs(cx) < kLargestCell) || !(std::fabs(cy) < kLargestCell)) return false;
  key->x = static_cast<int32_t>(cx);
  key->y = static_cast<int32_t>(cy);
  return true;
}

SnapPoint* SnapPointList::Allocate() {
  if (freePoints_) {
    SnapPoint* p = freePoints_;
    freePoints_ = p->next;
    *p = SnapPoint{};
    return p;
  }
  if (chunks_.empty() || chunkUsed_ == kChunkPoints) {
    chunks_.push_back(std::make_unique<SnapPoint[]>(kChunkPoints));
    chunkUsed_ = 0;
  }
  return &chunks_.back()[chunkUsed_++];
}

void SnapPointList::Release(SnapPoint* p) {
  *p = SnapPoint{};
  p->next = freePoints_;
  freePoints_ = p;
}

void SnapPointList::Renumber() {
  uint32_t n = 0;
  for (SnapPoint* p = head_; p; p = p->next) p->order_ = n++;
  nextOrder_ = n;
}

SnapPoint* SnapPointList::Append(DrawEntity* entity, int16_t pointKind, double x, double y) {
  if (nextOrder_ == std::numeric_limits<uint32_t>::max()) Renumber();
  SnapPoint* p = Allocate();
  p->entity = entity;
  p->pointKind = pointKind;
  p->x = x;
  p->y = y;
  p->order_ = nextOrder_++;
  p->prev = tail_;
  if (tail_) {
    tail_->next = p;
  } else {
    head_ = p;
  }
  tail_ = p;
  ++size_;
  FileInCell(p);
  EntitySlot& slot = SlotFor(entity);
  if (slot.ownLast) {
    slot.ownLast->ownerNext_ = p;
  } else {
    slot.ownFirst = p;
  }
  slot.ownLast = p;
  return p;
}

SnapPoint* SnapPointList::Add(DrawEntity* entity, int16_t pointKind, double x, double y) {
  SnapPoint* p = Append(entity, pointKind, x, y);
  p->snapState = EnabledState(p);
  return p;
}

SnapPoint* SnapPointList::AddIntersection(DrawEntity* entity, DrawEntity* partner, double x, double y) {
  SnapPoint* p = Append(entity, kSnapIntersection, x, y);
  if (partner && partner != entity) {
    p->partner = partner;
    EntitySlot& slot = SlotFor(partner);
    p->partnerNext_ = slot.partnerFirst;
    slot.partnerFirst = p;
  }
  p->snapState = EnabledState(p);
  return p;
}

SnapPointList::EntitySlot& SnapPointList::SlotFor(const DrawEntity* entity) {
  return *slots_.Insert(entity, EntitySlot{}).first;
}

bool SnapPointList::IsDetached(const DrawEntity* entity) const {
  if (detached_ == 0) return false;
  const EntitySlot* slot = slots_.Find(entity);
  return slot && slot->detached;
}

int16_t SnapPointList::EnabledState(const SnapPoint* p) const {
  if (IsDetached(p->entity) || (p->partner && IsDetached(p->partner))) return kSnapDisabled;
  return p->entity ? p->entity->mark : kSnapEnabled;
}

void SnapPointList::FileInCell(SnapPoint* p) {
  CellKey key;
  if (!CellOf(p->x, p->y, &key)) {
    p->cellNext_ = outside_;
    outside_ = p;
    return;
  }
  auto [first, isNew] = cells_.Insert(key, p);
  if (!isNew) {
    p->cellNext_ = *first;
    *first = p;
  }
}

void SnapPointList::UnfileFromCell(SnapPoint* p) {
  CellKey key;
  SnapPoint** link = &outside_;
  SnapPoint** cell = nullptr;
  if (CellOf(p->x, p->y, &key)) {
    cell = cells_.Find(key);
    if (!cell) return;
    link = cell;
  }
  while (*link && *link != p) link = &(*link)->cellNext_;
  if (*link) *link = p->cellNext_;
  if (cell && !*cell) cells_.Erase(key);
}

void SnapPointList::UnlinkFromList(SnapPoint* p) {
  if (p->prev) {
    p->prev->next = p->next;
  } else {
    head_ = p->next;
  }
  if (p->next) {
    p->next->prev = p->prev;
  } else {
    tail_ = p->prev;
  }
  --size_;
}

void SnapPointList::RemoveEntityPoints(const DrawEntity* entity) {
  if (observer_) observer_->Forget(entity);
  const EntitySlot* found = slots_.Find(entity);
  if (!found) return;
  const EntitySlot slot = *found;
  if (slot.detached) --detached_;
  for (SnapPoint* p = slot.ownFirst; p;) {
    SnapPoint* nextOwn = p->ownerNext_;
    if (p->partner) {
      // Take the intersection off its partner's list too.
      if (EntitySlot* other = slots_.Find(p->partner)) {
        SnapPoint** link = &other->partnerFirst;
        while (*link && *link != p) link = &(*link)->partnerNext_;
        if (*link) *link = p->partnerNext_;
      }
    }
    UnlinkFromList(p);
    UnfileFromCell(p);
    Release(p);
    p = nextOwn;
  }
  for (SnapPoint* p = slot.partnerFirst; p;) {
    SnapPoint* nextPartnered = p->partnerNext_;
    // An intersection with an element that no longer exists is meaningless: it goes too.
    if (EntitySlot* owner = slots_.Find(p->entity)) {
      SnapPoint* before = nullptr;
      SnapPoint** link = &owner->ownFirst;
      while (*link && *link != p) {
        before = *link;
        link = &(*link)->ownerNext_;
      }
      if (*link) *link = p->ownerNext_;
      if (owner->ownLast == p) owner->ownLast = before;
    }
    UnlinkFromList(p);
    UnfileFromCell(p);
    Release(p);
    p = nextPartnered;
  }
  slots_.Erase(entity);
}

void SnapPointList::SetEntityState(const DrawEntity* entity, int16_t state) {
  const EntitySlot* slot = slots_.Find(entity);
  if (!slot) return;
  for (SnapPoint* p = slot->ownFirst; p; p = p->ownerNext_) p->snapState = state;
}

void SnapPointList::DisableEntity(const DrawEntity* entity) {
  EntitySlot* slot = slots_.Find(entity);
  if (!slot) return;
  if (!slot->detached) ++detached_;
  slot->detached = true;
  for (SnapPoint* p = slot->ownFirst; p; p = p->ownerNext_) p->snapState = kSnapDisabled;
  for (SnapPoint* p = slot->partnerFirst; p; p = p->partnerNext_) p->snapState = kSnapDisabled;
}

void SnapPointList::EnableEntity(const DrawEntity* entity) {
  EntitySlot* slot = slots_.Find(entity);
  if (!slot) return;
  if (slot->detached) --detached_;
  slot->detached = false;
  const SnapPoint* own = slot->ownFirst;
  const SnapPoint* partnered = slot->partnerFirst;
  // EnabledState looks slots up again, which leaves `slot` valid: lookups do not move entries.
  for (SnapPoint* p = const_cast<SnapPoint*>(own); p; p = p->ownerNext_) p->snapState = EnabledState(p);
  for (SnapPoint* p = const_cast<SnapPoint*>(partnered); p; p = p->partnerNext_) p->snapState = EnabledState(p);
}

void SnapPointList::Clear() {
  if (observer_) observer_->ForgetAll();
  chunks_.clear();
  chunkUsed_ = 0;
  freePoints_ = nullptr;
  head_ = tail_ = nullptr;
  outside_ = nullptr;
  size_ = 0;
  detached_ = 0;
  nextOrder_ = 0;
  slots_.Clear();
  cells_.Clear();
}

void SnapPointList::NoteLinked(DrawEntity* first) {
  if (detached_ > 0) {
    for (DrawEntity* e = first; e; e = e->next) {
      const EntitySlot* slot = slots_.Find(e);
      if (slot && slot->detached) EnableEntity(e);
    }
  }
  if (observer_) observer_->Linked(first);
}

void SnapPointList::NoteUnlinked(DrawEntity* first) {
  if (!slots_.empty()) {
    for (DrawEntity* e = first; e; e = e->next) DisableEntity(e);
  }
  if (observer_) observer_->Unlinked(first);
}

void SnapPointList::NoteRestructured() {
  if (observer_) observer_->Restructured();
}

void SnapPointList::SetObserver(std::unique_ptr<EntityListObserver> observer) { observer_ = std::move(observer); }

namespace {
SnapPointRegistrar& Registrar() {
  static SnapPointRegistrar registrar;
  return registrar;
}
}  // namespace

SnapPointRegistrar InstallSnapPointRegistrar(SnapPointRegistrar registrar) {
  return std::exchange(Registrar(), std::move(registrar));
}

void RegisterSnapPoints(SnapPointList& points, EntityList& entities, DrawEntity& added) {
  if (const SnapPointRegistrar& r = Registrar()) r(points, entities, added);
}

}  // namespace plenwick
