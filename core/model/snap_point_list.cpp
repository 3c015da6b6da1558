// The document's characteristic points.
#include "model/snap_point_list.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace plenwick {

SnapPoint* SnapPointList::Add(DrawEntity* entity, int16_t pointKind, double x, double y) {
  auto node = std::make_unique<SnapPoint>();
  node->entity = entity;
  node->pointKind = pointKind;
  node->snapState = entity ? entity->mark : int16_t{0};
  node->x = x;
  node->y = y;
  SnapPoint* p = node.release();  // owned by the list until RemoveEntityPoints or Clear
  p->prev = tail_;
  if (tail_) {
    tail_->next = p;
  } else {
    head_ = p;
  }
  tail_ = p;
  ++size_;
  byEntity_[entity].push_back(p);
  return p;
}

void SnapPointList::RemoveEntityPoints(const DrawEntity* entity) {
  auto it = byEntity_.find(entity);
  if (it == byEntity_.end()) return;
  for (SnapPoint* p : it->second) {
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
    std::unique_ptr<SnapPoint> owned(p);
  }
  byEntity_.erase(it);
}

void SnapPointList::SetEntityState(const DrawEntity* entity, int16_t state) {
  auto it = byEntity_.find(entity);
  if (it == byEntity_.end()) return;
  for (SnapPoint* p : it->second) p->snapState = state;
}

const std::vector<SnapPoint*>* SnapPointList::PointsOf(const DrawEntity* entity) const {
  auto it = byEntity_.find(entity);
  return it == byEntity_.end() ? nullptr : &it->second;
}

void SnapPointList::Clear() {
  for (SnapPoint* p = head_; p;) {
    SnapPoint* next = p->next;
    std::unique_ptr<SnapPoint> owned(p);
    p = next;
  }
  head_ = tail_ = nullptr;
  size_ = 0;
  byEntity_.clear();
}

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
