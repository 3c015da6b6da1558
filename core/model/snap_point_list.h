// The document's characteristic points (ends, midpoints, quadrants, intersections...) that
// snapping searches, each tied to the element it belongs to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "model/draw_entity.h"

namespace plenwick {

struct EntityList;

// Point kinds.
enum SnapPointKind : int16_t {
  kSnapPoint = 1,
  kSnapLineStart = 2,
  kSnapLineEnd = 3,
  kSnapLineMidpoint = 4,
  kSnapCurveStart = 5,
  kSnapCurveEnd = 6,
  kSnapQuadrant0 = 7,  // 7..10: the four quadrant points of a circle
  kSnapIntersection = 14,
  kSnapImageCorner0 = 17,  // 17..20: the four image corners
};

struct SnapPoint {
  SnapPoint* prev = nullptr;
  SnapPoint* next = nullptr;
  DrawEntity* entity = nullptr;
  int16_t pointKind = 0;
  int16_t snapState = 0;  // copy of the element's mark; -1 while the element sits in the undo buffer
  double x = 0;           // model mm
  double y = 0;
};

class SnapPointList {
 public:
  SnapPointList() = default;
  SnapPointList(const SnapPointList&) = delete;
  SnapPointList& operator=(const SnapPointList&) = delete;
  ~SnapPointList() { Clear(); }

  // Appends a point of `entity`; its state starts as the element's mark.
  SnapPoint* Add(DrawEntity* entity, int16_t pointKind, double x, double y);
  // Deletes every point of the element (it is being freed).
  void RemoveEntityPoints(const DrawEntity* entity);
  // Sets the state of every point of the element (-1 disables, 0 enables).
  void SetEntityState(const DrawEntity* entity, int16_t state);
  // The points of one element, in the order they were added.
  const std::vector<SnapPoint*>* PointsOf(const DrawEntity* entity) const;
  void Clear();

  SnapPoint* head() const { return head_; }
  SnapPoint* tail() const { return tail_; }
  std::size_t size() const { return size_; }

 private:
  SnapPoint* head_ = nullptr;
  SnapPoint* tail_ = nullptr;
  std::size_t size_ = 0;
  std::unordered_map<const DrawEntity*, std::vector<SnapPoint*>> byEntity_;
};

// Computes and adds the characteristic points of a newly added element (and its intersections
// with the other elements). The picking and snapping code installs the real computation; until
// one is installed nothing is registered.
using SnapPointRegistrar = std::function<void(SnapPointList& points, EntityList& entities, DrawEntity& added)>;
SnapPointRegistrar InstallSnapPointRegistrar(SnapPointRegistrar registrar);
void RegisterSnapPoints(SnapPointList& points, EntityList& entities, DrawEntity& added);

}  // namespace plenwick
