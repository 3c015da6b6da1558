// Snapping to the document's characteristic points through the list's grid of points.
#include "view/snap.h"

#include <cmath>

namespace plenwick {

namespace {

// The nearest point accepted by `accept` closer than `limit`; among equal distances the first in
// list order, exactly as a walk of the list that replaces only on a strictly smaller distance.
template <typename Accept>
const SnapPoint* Nearest(const SnapPointList& points, ModelPoint at, double limit, Accept accept, double* distance) {
  const SnapPoint* winner = nullptr;
  double best = limit;
  points.VisitNear(at.x, at.y, limit, [&](const SnapPoint* p) {
    if (accept(p)) {
      const double d = Distance(at, {p->x, p->y});
      if (d < best || (winner && d == best && p->order() < winner->order())) {
        best = d;
        winner = p;
      }
    }
    return best;
  });
  if (winner && distance) *distance = best;
  return winner;
}

ModelPoint ToModel(const PickView& view, PixelPoint p) { return view.ToModel(p); }

bool WithinPixels(const PickView& view, ModelPoint model, PixelPoint cursor) {
  if (!view.mapping) return false;
  const PixelPoint s = view.mapping->ModelToScreen(model.x, model.y);
  const double dx = s.x - cursor.x;
  const double dy = s.y - cursor.y;
  return std::sqrt(dx * dx + dy * dy) <= kSnapPixels;
}

}  // namespace

const SnapPoint* NearestSnapPoint(const SnapPointList& points, ModelPoint at, double limit, const DrawEntity* except,
                                  double* distance) {
  return Nearest(points, at, limit,
                 [except](const SnapPoint* p) { return p->snapState == kSnapEnabled && (!except || p->entity != except); },
                 distance);
}

SnapHit SnapNearestExcept(const PickView& view, PixelPoint cursor, const DrawEntity* except) {
  SnapHit hit;
  if (!view.snapPoints) return hit;
  const SnapPoint* p = NearestSnapPoint(*view.snapPoints, ToModel(view, cursor), kSnapSearchRadius, except, nullptr);
  if (!p) return hit;
  hit.point = {p->x, p->y};
  hit.snap = p;
  hit.kind = WithinPixels(view, hit.point, cursor) ? p->pointKind : 0;
  return hit;
}

SnapHit SnapNearest(const PickView& view, PixelPoint cursor) { return SnapNearestExcept(view, cursor, nullptr); }

int SnapNearestWithin(const SnapPointList& points, ModelPoint at, double* maxDistance, const DrawEntity* except,
                      ModelPoint* found) {
  double d = 0;
  const SnapPoint* p = NearestSnapPoint(points, at, *maxDistance, except, &d);
  if (!p) return -1;
  *maxDistance = d;
  *found = {p->x, p->y};
  return p->pointKind;
}

int FindSnapPointOfKind(const SnapPointList& points, const DrawEntity* entity, int kind, ModelPoint* found) {
  for (const SnapPoint* p : points.PointsOf(entity)) {
    if (p->pointKind == kind && p->snapState == kSnapEnabled) {
      *found = {p->x, p->y};
      return 0;
    }
  }
  return 1;
}

HandleHit PickSelectedHandle(const PickView& view, PixelPoint cursor) {
  HandleHit hit;
  if (!view.snapPoints) return hit;
  auto isHandle = [](const SnapPoint* p) {
    const DrawEntity* e = p->entity;
    if (!e || e->mark != kMarkPicked || p->snapState == kSnapDisabled) return false;
    if (p->pointKind == kSnapPoint || p->pointKind == kSnapArcQuadrant || p->pointKind == kSnapIntersection) return false;
    return !IsDimensionPart(*e);
  };
  const SnapPoint* p = Nearest(*view.snapPoints, ToModel(view, cursor), kHandleSearchRadius, isHandle, nullptr);
  if (!p || !WithinPixels(view, {p->x, p->y}, cursor)) return hit;
  hit.entity = p->entity;
  hit.point = {p->x, p->y};
  hit.kind = p->pointKind;
  return hit;
}

DrawEntity* FindEntityByPoint(const SnapPointList& points, int kind, ModelPoint at) {
  const SnapPoint* first = nullptr;
  points.VisitNear(at.x, at.y, kFindByPointRadius, [&](const SnapPoint* p) {
    if (p->pointKind == kind && p->snapState != kSnapDisabled && Distance(at, {p->x, p->y}) < kFindByPointRadius &&
        (!first || p->order() < first->order())) {
      first = p;
    }
    return kFindByPointRadius;
  });
  return first ? first->entity : nullptr;
}

int NearestGridPoint(const PickView& view, ModelPoint at, ModelPoint* crossing, double* distance) {
  if (!view.entities) return 1;
  for (const DrawEntity& e : *view.entities) {
    if (e.kind != kGrid || !e.values || e.valueCount < 3) continue;
    const double pitch = e.values[2];
    if (!(pitch > 0) || !std::isfinite(pitch)) return 1;
    const ModelPoint o = view.gridOrigin;
    *crossing = {o.x + std::floor((at.x - o.x) / pitch + 0.5) * pitch, o.y + std::floor((at.y - o.y) / pitch + 0.5) * pitch};
    *distance = Distance(at, *crossing);
    return 0;
  }
  return 1;
}

}  // namespace plenwick
