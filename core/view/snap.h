// Snapping to the document's characteristic points: the nearest point to the cursor (the
// magnet), its variants, the handles of picked elements, and the nearest grid crossing.
#pragma once

#include "model/snap_point_list.h"
#include "view/geometry.h"
#include "view/pick_view.h"

namespace plenwick {

// Search radii (model mm) of the point searches.
inline constexpr double kSnapSearchRadius = 100.0;
inline constexpr double kHandleSearchRadius = 200.0;
inline constexpr double kFindByPointRadius = 1.0;

struct SnapHit {
  int kind = -1;  // point kind; 0: the nearest point is out of pixel reach; −1: no point at all
  ModelPoint point;   // model mm
  const SnapPoint* snap = nullptr;
};

// The nearest enabled point (state 0) to `at` closer than `limit` (model mm), the first in list
// order among equals, skipping the points of `except`; null when there is none.
const SnapPoint* NearestSnapPoint(const SnapPointList& points, ModelPoint at, double limit, const DrawEntity* except,
                                  double* distance);

// The nearest enabled point within 100 mm of the cursor, if it lies within 10 pixels of it.
SnapHit SnapNearest(const PickView& view, PixelPoint cursor);
// The same, ignoring the points of `except`.
SnapHit SnapNearestExcept(const PickView& view, PixelPoint cursor, const DrawEntity* except);
// The nearest enabled point to `at` (model mm) closer than *maxDistance, ignoring `except`; the
// point kind (−1 none) and, on success, the point and its distance in *maxDistance.
int SnapNearestWithin(const SnapPointList& points, ModelPoint at, double* maxDistance, const DrawEntity* except,
                      ModelPoint* found);

// The first enabled point of `entity` of the given kind: 0 and the point, or 1 when it has none.
int FindSnapPointOfKind(const SnapPointList& points, const DrawEntity* entity, int kind, ModelPoint* found);

// The handle under the cursor: the nearest point (within 200 mm, then within 10 pixels) of an
// element picked in figure selection (mark 3), not of kinds 1, 11 or 14, not of a dimension's part.
struct HandleHit {
  DrawEntity* entity = nullptr;  // null: no handle
  ModelPoint point;
  int kind = 0;
};
HandleHit PickSelectedHandle(const PickView& view, PixelPoint cursor);

// The element owning the first point (list order) of the given kind closer than 1 mm to `at`.
DrawEntity* FindEntityByPoint(const SnapPointList& points, int kind, ModelPoint at);

// The grid crossing nearest to `at` (model mm) and its distance: 0, or 1 when the drawing has no
// grid element with a positive pitch.
int NearestGridPoint(const PickView& view, ModelPoint at, ModelPoint* crossing, double* distance);

}  // namespace plenwick
