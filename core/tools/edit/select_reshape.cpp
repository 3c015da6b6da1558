// Reshaping picked records by a dragged handle or a dragged line midpoint.
#include "tools/edit/select_reshape.h"

#include <cmath>

#include "model/snap_point_list.h"
#include "tools/draw/circle_geometry.h"

namespace plenwick {

namespace {

// Points this close in x and in y are the same point (mm).
constexpr double kSamePoint = kCoincidentTolerance;

bool Same(ModelPoint a, ModelPoint b) { return std::fabs(a.x - b.x) < kSamePoint && std::fabs(a.y - b.y) < kSamePoint; }

// The arc `e` with one end moved: the other end stays, and the arc keeps its bulge in proportion
// to its chord, on the same side.
std::optional<RecordGeometry> ArcWithEndMoved(const DrawEntity& e, bool movedStart, ModelPoint moved) {
  if (!e.values || e.valueCount < 5) return std::nullopt;
  const double* v = e.values.get();
  const ModelPoint centre{v[0], v[1]};
  ModelPoint start, end;
  ArcEndPoints(centre, v[2], v[3], v[4], &start, &end);
  const int direction = e.subKind == 1 ? 1 : -1;
  // The middle of the old sweep.
  const double sweep = NormalizedDegrees(direction > 0 ? v[4] - v[3] : v[3] - v[4]);
  const double middleAngle = DegreesToRadians(v[3] + direction * sweep / 2);
  const ModelPoint middle{centre.x + v[2] * std::cos(middleAngle), centre.y + v[2] * std::sin(middleAngle)};
  const double chord = Distance(start, end);
  const ModelPoint chordMiddle{(start.x + end.x) / 2, (start.y + end.y) / 2};
  const double bulge = Distance(chordMiddle, middle);
  // Which side of the chord the arc bulges to.
  const double side = (end.x - start.x) * (middle.y - start.y) - (end.y - start.y) * (middle.x - start.x);
  const ModelPoint newStart = movedStart ? moved : start;
  const ModelPoint newEnd = movedStart ? end : moved;
  const double newChord = Distance(newStart, newEnd);
  if (!(chord > kSamePoint) || !(newChord > kSamePoint) || !std::isfinite(newChord)) return std::nullopt;
  const double height = bulge * newChord / chord;
  // The unit normal of the new chord on the side of the old bulge.
  ModelPoint normal{-(newEnd.y - newStart.y) / newChord, (newEnd.x - newStart.x) / newChord};
  if (side < 0) normal = {-normal.x, -normal.y};
  const ModelPoint through{(newStart.x + newEnd.x) / 2 + normal.x * height, (newStart.y + newEnd.y) / 2 + normal.y * height};
  const std::optional<ArcThrough3> arc = ArcFrom3Points(newStart, newEnd, through);
  if (!arc || !(arc->radius >= kCoincidentTolerance)) return std::nullopt;
  RecordGeometry g = GeometryOf(e);
  g.values = {arc->centre.x, arc->centre.y, arc->radius, arc->startDeg, arc->endDeg};
  g.subKind = static_cast<int16_t>(arc->direction);
  return g;
}

// Every stored point pair of `g` at `from` moved to `to`; false when none is there.
bool MovePointsAt(RecordGeometry& g, ModelPoint from, ModelPoint to) {
  bool moved = false;
  for (std::size_t i = 0; i + 1 < g.values.size(); i += 2) {
    if (Same({g.values[i], g.values[i + 1]}, from)) {
      g.values[i] = to.x;
      g.values[i + 1] = to.y;
      moved = true;
    }
  }
  return moved;
}

}  // namespace

std::optional<RecordGeometry> ReshapedByHandle(const DrawEntity& e, ModelPoint handle, int handleKind, ModelPoint drop) {
  if (!e.values) return std::nullopt;
  const double* v = e.values.get();
  switch (e.kind) {
    case kLine:
    case kBezierCurve:
    case kPolygon: {
      RecordGeometry g = GeometryOf(e);
      if (e.kind == kLine && g.values.size() > 4) return std::nullopt;
      if (!MovePointsAt(g, handle, drop)) return std::nullopt;
      if (e.kind == kLine && Same({g.values[0], g.values[1]}, {g.values[2], g.values[3]})) return std::nullopt;
      return g;
    }
    case kCircle: {
      if (e.valueCount < 3 || (e.owner && e.owner->kind == kGroupHeader)) return std::nullopt;
      if (handleKind < kSnapQuadrant0 || handleKind > kSnapQuadrant0 + 3) return std::nullopt;
      // The opposite quadrant point stays: the circle is the one of that diameter.
      const ModelPoint fixed{2 * v[0] - handle.x, 2 * v[1] - handle.y};
      const double r = Distance(fixed, drop) / 2;
      if (!(r >= kCoincidentTolerance) || !std::isfinite(r)) return std::nullopt;
      RecordGeometry g = GeometryOf(e);
      g.values = {(fixed.x + drop.x) / 2, (fixed.y + drop.y) / 2, r};
      return g;
    }
    case kArc:
      if (handleKind != kSnapArcStart && handleKind != kSnapArcEnd) return std::nullopt;
      return ArcWithEndMoved(e, handleKind == kSnapArcStart, drop);
    case kImage: {
      if (e.valueCount < 4 || handleKind < kSnapImageCorner0 || handleKind > kSnapImageCorner0 + 3) return std::nullopt;
      // Corners 17 (x1, y1), 18 (x1, y2), 19 (x2, y2), 20 (x2, y1): the opposite one stays.
      const int corner = handleKind - kSnapImageCorner0;
      const ModelPoint fixed{corner == 0 || corner == 1 ? v[2] : v[0], corner == 0 || corner == 3 ? v[3] : v[1]};
      if (std::fabs(fixed.x - drop.x) < kSamePoint || std::fabs(fixed.y - drop.y) < kSamePoint) return std::nullopt;
      RecordGeometry g = GeometryOf(e);
      g.values = {std::min(fixed.x, drop.x), std::min(fixed.y, drop.y), std::max(fixed.x, drop.x), std::max(fixed.y, drop.y)};
      return g;
    }
    default: return std::nullopt;
  }
}

std::optional<RecordGeometry> ReshapedByMidpointDrag(const DrawEntity& e, const LineEnds& grabbed, ModelPoint shift) {
  if (!e.values) return std::nullopt;
  if (e.kind == kLine && e.valueCount == 4) {
    RecordGeometry g = GeometryOf(e);
    const ModelPoint a = grabbed.a, b = grabbed.b;
    bool moved = false;
    for (std::size_t i = 0; i < 4; i += 2) {
      const ModelPoint p{g.values[i], g.values[i + 1]};
      if (Same(p, a) || Same(p, b)) {
        g.values[i] += shift.x;
        g.values[i + 1] += shift.y;
        moved = true;
      }
    }
    if (!moved || Same({g.values[0], g.values[1]}, {g.values[2], g.values[3]})) return std::nullopt;
    return g;
  }
  if (e.kind == kArc && e.valueCount >= 5) {
    const double* v = e.values.get();
    ModelPoint start, end;
    ArcEndPoints({v[0], v[1]}, v[2], v[3], v[4], &start, &end);
    for (const ModelPoint at : {grabbed.a, grabbed.b}) {
      if (Same(start, at)) return ArcWithEndMoved(e, true, {start.x + shift.x, start.y + shift.y});
      if (Same(end, at)) return ArcWithEndMoved(e, false, {end.x + shift.x, end.y + shift.y});
    }
  }
  return std::nullopt;
}

}  // namespace plenwick
