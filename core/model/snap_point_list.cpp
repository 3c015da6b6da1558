// The document's characteristic points, kept in a pool and filed by element and by grid cell, so
// that neither freeing an element nor a search near the cursor has to walk the whole list.
#include "model/snap_point_list.h"

#include <cmath>
#include <limits>
#include <mutex>
#include <new>
#include <type_traits>
#include <utility>

#include "platform/address_sanitizer.h"

namespace plenwick {

SnapPointList::~SnapPointList() { Clear(); }

std::size_t SnapPointList::EntityPoints::size() const {
  std::size_t count = 0;
  for (auto it = begin(); !(it == end()); ++it) ++count;
  return count;
}

SnapPointList::EntityPoints SnapPointList::PointsOf(const DrawEntity* entity) const {
  const uint32_t number = FindEntityNumber(entity);
  return EntityPoints(this, number == kNoNumber ? SnapPoint::kNone : slots_[number].ownFirst);
}

uint32_t SnapPointList::EntityNumber(const DrawEntity* entity) {
  const uint32_t known = FindEntityNumber(entity);
  if (known != kNoNumber) return known;
  const uint32_t fresh = freeSlots_.empty() ? static_cast<uint32_t>(slots_.size()) : freeSlots_.back();
  if (freeSlots_.empty()) {
    slots_.emplace_back();
  } else {
    freeSlots_.pop_back();
  }
  slots_[fresh] = EntitySlot{};
  slots_[fresh].entity = entity;
  // The element carries its number unless another list (or this one before a Clear) gave it one.
  if (entity && entity->number_ == kNoNumber) {
    entity->number_ = fresh;
    slots_[fresh].carried = true;
  } else {
    numbers_.Insert(entity, fresh);
  }
  return fresh;
}

uint32_t SnapPointList::FindEntityNumber(const DrawEntity* entity) const {
  if (entity) {
    const uint32_t carried = entity->number_;
    if (carried < slots_.size() && slots_[carried].entity == entity) return carried;
  }
  if (numbers_.empty()) return kNoNumber;
  const uint32_t* number = numbers_.Find(entity);
  return number ? *number : kNoNumber;
}

namespace {

// Chunks of cleared lists kept for the next drawing, as record blocks are: the three million
// points of a drawing of a million elements take 200 MB, which would otherwise be faulted in
// anew page by page each time a drawing is opened.
#ifdef PLENWICK_ADDRESS_SANITIZER
constexpr std::size_t kKeptChunks = 0;  // freed at once, so that the sanitizer sees stale uses
#else
constexpr std::size_t kKeptChunks = 4096;
#endif

}  // namespace

struct SnapPointList::KeptChunks {
  std::mutex mutex;
  std::vector<std::unique_ptr<PointRoom[]>> chunks;
};

SnapPointList::KeptChunks& SnapPointList::Kept() {
  static auto* kept = new KeptChunks;  // never destroyed: lists may be cleared while the program exits
  return *kept;
}

std::unique_ptr<SnapPointList::PointRoom[]> SnapPointList::NewChunk() {
  KeptChunks& kept = Kept();
  {
    const std::lock_guard<std::mutex> lock(kept.mutex);
    if (!kept.chunks.empty()) {
      std::unique_ptr<PointRoom[]> chunk = std::move(kept.chunks.back());
      kept.chunks.pop_back();
      return chunk;
    }
  }
  return std::make_unique_for_overwrite<PointRoom[]>(1u << kChunkBits);
}

void SnapPointList::KeepChunks(std::vector<std::unique_ptr<PointRoom[]>>& chunks) {
  KeptChunks& kept = Kept();
  const std::lock_guard<std::mutex> lock(kept.mutex);
  for (std::unique_ptr<PointRoom[]>& chunk : chunks) {
    if (kept.chunks.size() >= kKeptChunks) break;
    kept.chunks.push_back(std::move(chunk));
  }
}

uint32_t SnapPointList::Allocate() {
  if (freePoints_ != SnapPoint::kNone) {
    const uint32_t n = freePoints_;
    freePoints_ = PointAt(n)->cellNext_;
    return n;
  }
  if ((allocated_ >> kChunkBits) == chunks_.size()) chunks_.push_back(NewChunk());
  return allocated_++;
}

void SnapPointList::Release(uint32_t n) {
  SnapPoint* p = PointAt(n);
  *p = SnapPoint{};
  p->cellNext_ = freePoints_;
  freePoints_ = n;
}

void SnapPointList::Renumber() {
  uint32_t order = 0;
  for (SnapPoint* p = head_; p; p = p->next) p->order_ = order++;
  nextOrder_ = order;
}

uint32_t SnapPointList::Append(DrawEntity* entity, int16_t pointKind, double x, double y) {
  return Append(EntityNumber(entity), entity, pointKind, x, y);
}

uint32_t SnapPointList::Append(uint32_t owner, DrawEntity* entity, int16_t pointKind, double x, double y) {
  if (nextOrder_ == std::numeric_limits<uint32_t>::max()) Renumber();
  const uint32_t n = Allocate();
  static_assert(std::is_trivially_destructible_v<SnapPoint>, "points are dropped with their chunk, or made anew");
  SnapPoint* p = ::new (static_cast<void*>(RoomAt(n))) SnapPoint(tail_, entity, pointKind, nextOrder_++, x, y);
  if (tail_) {
    tail_->next = p;
  } else {
    head_ = p;
  }
  tail_ = p;
  ++size_;
  FileInCell(n);
  EntitySlot& slot = slots_[owner];
  if (slot.ownLast != SnapPoint::kNone) {
    PointAt(slot.ownLast)->ownerNext_ = n;
  } else {
    slot.ownFirst = n;
  }
  slot.ownLast = n;
  return n;
}

SnapPoint* SnapPointList::Add(DrawEntity* entity, int16_t pointKind, double x, double y) {
  SnapPoint* p = PointAt(Append(entity, pointKind, x, y));
  p->snapState = EnabledState(p);
  return p;
}

inline void SnapPointList::FileInCell(uint32_t n) {
  SnapPoint* p = PointAt(n);
  CellKey key;
  if (!CellOf(p->x, p->y, &key)) {
    p->cellNext_ = outside_;
    outside_ = n;
    return;
  }
  static_assert(SnapPoint::kNone == CellPages::kEmpty, "an empty cell has no first point");
  uint32_t& first = cells_.Slot(key);
  filedCells_ += first == SnapPoint::kNone ? 1 : 0;
  p->cellNext_ = first;
  first = n;
}

void SnapPointList::AddAll(DrawEntity* entity, std::span<const NewPoint> points) {
  if (points.empty()) return;
  const uint32_t owner = EntityNumber(entity);
  // The state Add would give each: all are the element's own points.
  const int16_t state = IsDetached(owner) ? kSnapDisabled : entity ? entity->mark : kSnapEnabled;
  // Append on each, with the element's chain of points carried along from one to the next.
  EntitySlot& slot = slots_[owner];
  SnapPoint* lastOwn = slot.ownLast == SnapPoint::kNone ? nullptr : PointAt(slot.ownLast);
  uint32_t n = SnapPoint::kNone;
  for (const NewPoint& point : points) {
    if (nextOrder_ == std::numeric_limits<uint32_t>::max()) Renumber();
    n = Allocate();
    SnapPoint* p = ::new (static_cast<void*>(RoomAt(n))) SnapPoint(tail_, entity, point.pointKind, nextOrder_++, point.x, point.y);
    p->snapState = state;
    if (tail_) {
      tail_->next = p;
    } else {
      head_ = p;
    }
    tail_ = p;
    FileInCell(n);
    if (lastOwn) {
      lastOwn->ownerNext_ = n;
    } else {
      slot.ownFirst = n;
    }
    lastOwn = p;
  }
  size_ += points.size();
  slot.ownLast = n;
}

SnapPoint* SnapPointList::AddIntersection(DrawEntity* entity, DrawEntity* partner, double x, double y) {
  const uint32_t n = Append(entity, kSnapIntersection, x, y);
  if (partner && partner != entity) {
    const uint32_t other = EntityNumber(partner);
    SnapPoint* p = PointAt(n);
    p->partner_ = other;
    p->partnerNext_ = slots_[other].partnerFirst;
    slots_[other].partnerFirst = n;
  }
  SnapPoint* p = PointAt(n);
  p->snapState = EnabledState(p);
  return p;
}

DrawEntity* SnapPointList::PartnerOf(const SnapPoint* p) const {
  return p->partner_ == SnapPoint::kNone ? nullptr : const_cast<DrawEntity*>(slots_[p->partner_].entity);
}

bool SnapPointList::IsDetached(uint32_t number) const { return detached_ > 0 && slots_[number].detached; }

int16_t SnapPointList::EnabledState(const SnapPoint* p) const {
  if (detached_ > 0) {
    if (IsDetached(FindEntityNumber(p->entity))) return kSnapDisabled;
    if (p->partner_ != SnapPoint::kNone && IsDetached(p->partner_)) return kSnapDisabled;
  }
  return p->entity ? p->entity->mark : kSnapEnabled;
}

void SnapPointList::Unchain(uint32_t* first, uint32_t n, uint32_t SnapPoint::*link, uint32_t* last) {
  uint32_t before = SnapPoint::kNone;
  for (uint32_t* at = first; *at != SnapPoint::kNone; at = &(PointAt(*at)->*link)) {
    if (*at == n) {
      *at = PointAt(n)->*link;
      if (last && *last == n) *last = before;
      return;
    }
    before = *at;
  }
}

void SnapPointList::UnfileFromCell(uint32_t n) {
  const SnapPoint* p = PointAt(n);
  CellKey key;
  if (!CellOf(p->x, p->y, &key)) {
    Unchain(&outside_, n, &SnapPoint::cellNext_);
    return;
  }
  uint32_t& first = cells_.Slot(key);
  if (first == SnapPoint::kNone) return;
  Unchain(&first, n, &SnapPoint::cellNext_);
  if (first == SnapPoint::kNone) --filedCells_;
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

void SnapPointList::Free(uint32_t n) {
  UnlinkFromList(PointAt(n));
  UnfileFromCell(n);
  Release(n);
}

void SnapPointList::RemoveEntityPoints(const DrawEntity* entity) {
  const uint32_t number = FindEntityNumber(entity);
  if (observer_) observer_->Forget(entity, number);
  if (number == kNoNumber) return;
  const EntitySlot slot = slots_[number];
  if (slot.detached) --detached_;
  for (uint32_t n = slot.ownFirst; n != SnapPoint::kNone;) {
    const SnapPoint* p = PointAt(n);
    const uint32_t nextOwn = p->ownerNext_;
    if (p->partner_ != SnapPoint::kNone) Unchain(&slots_[p->partner_].partnerFirst, n, &SnapPoint::partnerNext_);
    Free(n);
    n = nextOwn;
  }
  // An intersection with an element that no longer exists is meaningless: it goes too.
  for (uint32_t n = slot.partnerFirst; n != SnapPoint::kNone;) {
    const SnapPoint* p = PointAt(n);
    const uint32_t nextPartnered = p->partnerNext_;
    const uint32_t owner = FindEntityNumber(p->entity);
    if (owner != kNoNumber) Unchain(&slots_[owner].ownFirst, n, &SnapPoint::ownerNext_, &slots_[owner].ownLast);
    Free(n);
    n = nextPartnered;
  }
  if (slot.carried) {
    entity->number_ = kNoNumber;
  } else {
    numbers_.Erase(entity);
  }
  slots_[number] = EntitySlot{};
  freeSlots_.push_back(number);
}

void SnapPointList::SetEntityState(const DrawEntity* entity, int16_t state) {
  const uint32_t number = FindEntityNumber(entity);
  if (number == kNoNumber) return;
  // A point stays disabled while its element or the element it meets sits in the undo buffer: a
  // mark must not bring back an intersection with a record that is gone.
  const bool detached = detached_ > 0 && IsDetached(number);
  for (uint32_t n = slots_[number].ownFirst; n != SnapPoint::kNone; n = PointAt(n)->ownerNext_) {
    SnapPoint* p = PointAt(n);
    const bool partnerGone = detached_ > 0 && p->partner_ != SnapPoint::kNone && IsDetached(p->partner_);
    p->snapState = detached || partnerGone ? kSnapDisabled : state;
  }
}

void SnapPointList::DisableEntity(const DrawEntity* entity) {
  const uint32_t number = FindEntityNumber(entity);
  if (number == kNoNumber) return;
  EntitySlot& slot = slots_[number];
  if (!slot.detached) ++detached_;
  slot.detached = true;
  for (uint32_t n = slot.ownFirst; n != SnapPoint::kNone; n = PointAt(n)->ownerNext_) PointAt(n)->snapState = kSnapDisabled;
  for (uint32_t n = slot.partnerFirst; n != SnapPoint::kNone; n = PointAt(n)->partnerNext_) {
    PointAt(n)->snapState = kSnapDisabled;
  }
}

void SnapPointList::EnableEntity(const DrawEntity* entity) {
  const uint32_t number = FindEntityNumber(entity);
  if (number == kNoNumber) return;
  EntitySlot& slot = slots_[number];
  if (slot.detached) --detached_;
  slot.detached = false;
  for (uint32_t n = slot.ownFirst; n != SnapPoint::kNone; n = PointAt(n)->ownerNext_) {
    PointAt(n)->snapState = EnabledState(PointAt(n));
  }
  for (uint32_t n = slot.partnerFirst; n != SnapPoint::kNone; n = PointAt(n)->partnerNext_) {
    PointAt(n)->snapState = EnabledState(PointAt(n));
  }
}

void SnapPointList::Clear() {
  if (observer_) observer_->ForgetAll();
  KeepChunks(chunks_);
  chunks_.clear();
  allocated_ = 0;
  freePoints_ = SnapPoint::kNone;
  head_ = tail_ = nullptr;
  outside_ = SnapPoint::kNone;
  size_ = 0;
  detached_ = 0;
  nextOrder_ = 0;
  slots_.clear();
  freeSlots_.clear();
  numbers_.Clear();
  cells_.Clear();
  filedCells_ = 0;
}

void SnapPointList::NoteLinked(DrawEntity* first) {
  if (detached_ > 0) {
    for (DrawEntity* e = first; e; e = e->next) {
      const uint32_t number = FindEntityNumber(e);
      if (number != kNoNumber && slots_[number].detached) EnableEntity(e);
    }
  }
  if (observer_) observer_->Linked(first);
}

void SnapPointList::NoteUnlinked(DrawEntity* first) {
  for (DrawEntity* e = first; e; e = e->next) DisableEntity(e);
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
  if (const SnapPointRegistrar& r = Registrar(); r.forOne) r.forOne(points, entities, added);
}

bool RegistersLoadedTogether() { return static_cast<bool>(Registrar().forLoaded); }

void RegisterLoadedSnapPoints(SnapPointList& points, EntityList& entities, std::span<DrawEntity* const> added) {
  if (const SnapPointRegistrar& r = Registrar(); r.forLoaded) r.forLoaded(points, entities, added);
}

}  // namespace plenwick
