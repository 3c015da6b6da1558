// The hit test: which element a click (client pixels) picks, and the point on it. It is also the
// magnet of point entry: with filter 0 a click lands on the nearest element or grid crossing.
#pragma once

#include "model/draw_entity.h"
#include "view/geometry.h"
#include "view/pick_view.h"

namespace plenwick {

// Filters of PickEntity: 0 all kinds, 1 all but the grid, n > 1 kind n only, and the groups
// below. −999 (magnet off) is read as kPickGridOnly.
inline constexpr int kPickAll = 0;
inline constexpr int kPickAllButGrid = 1;
inline constexpr int kPickGridOnly = -1;
inline constexpr int kPickMagnetOff = -999;

// Whether a filter admits an element kind.
bool PickFilterAdmits(int filter, int kind);

struct PickHit {
  DrawEntity* entity = nullptr;  // null: nothing picked
  ModelPoint point;                  // model mm: the point on the element (or the grid crossing)
};

// The element hit by a click and the point on it. Candidates are the elements that are not
// deleted, on a layer the view shows (only the current layer while the view asks so), and of a
// kind the filter admits; the nearest within the tolerance wins, the first in list order among
// equals; a grid crossing, a text, a paint or a hatching under the click is taken at once.
PickHit PickEntity(const PickView& view, int filter, PixelPoint click);

// Brings the element index of a view's list up to date ahead of the first click: after a large
// drawing is read, filing it takes a noticeable moment the shell spends while idle instead.
void PreparePicking(EntityList& entities, SnapPointList& points);

// The walk of PickEntity, offered one element at a time in list order. PickEntity offers every
// element (or, with an index, those that reach near the click, still in list order).
class PickWalk {
 public:
  PickWalk(const PickView& view, int filter, PixelPoint click);
  // Considers `e`; true when the walk ends here (the element is taken at once).
  bool Offer(DrawEntity& e);
  PickHit result() const { return {best_, bestPoint_}; }
  // The click in model mm and the starting tolerance (model mm): nothing further away can win.
  ModelPoint click() const { return click_; }
  double reach() const { return reach_; }

 private:
  bool Eligible(const DrawEntity& e) const;
  bool Consider(DrawEntity& e, ModelPoint q);
  bool TakeGrid(DrawEntity& e);
  bool NearestOnPolyline(const DrawEntity& e, ModelPoint* q) const;

  const PickView& view_;
  int filter_;
  ModelPoint click_;
  double reach_;
  double tolerance_;  // t: narrows as candidates are met
  double bestDistance_;
  DrawEntity* best_ = nullptr;
  ModelPoint bestPoint_;
};

// Whether the click lies inside a paint or hatching boundary (even–odd rule along the
// horizontal line through it).
bool IsInsideBoundary(const DrawEntity& e, ModelPoint click);

}  // namespace plenwick
