// The base line of a stretch and the records that follow its moving end.
#include "tools/edit/stretch_geometry.h"

#include <cmath>

#include "model/snap_point_list.h"
#include "tools/edit/select_reshape.h"
#include "view/entity_shape.h"

namespace plenwick {

namespace {

// An end this close to E in x and in y is joined to it; a point this far short of E along the
// base line still goes with it (mm).
constexpr double kJoined = kOnTolerance;
// A line this close to vertical keeps its lower end (mm).
constexpr double kVertical = 0.005;

bool Near(ModelPoint a, ModelPoint b) { return std::fabs(a.x - b.x) <= kJoined && std::fabs(a.y - b.y) <= kJoined; }

// Whether p lies at E or beyond it, measured along the base line from S.
bool AtOrBeyond(const StretchBase& base, ModelPoint p) {
  const double length = Distance(base.fixed, base.moving);
  const double along = ((p.x - base.fixed.x) * (base.moving.x - base.fixed.x) +
                        (p.y - base.fixed.y) * (base.moving.y - base.fixed.y)) / length;
  return along >= length - kJoined;
}

// The arc reshaped with the end at `end` (start or end of it) moved to `to`.
std::optional<RecordGeometry> ArcEndMoved(const DrawEntity& arc, bool start, ModelPoint from, ModelPoint to) {
  return ReshapedByHandle(arc, from, start ? kSnapArcStart : kSnapArcEnd, to);
}

}  // namespace

std::optional<StretchBase> StretchBaseOf(const DrawEntity& line) {
  if (line.kind != kLine || line.valueCount != 4 || !line.values) return std::nullopt;
  const ModelPoint a{line.values[0], line.values[1]}, b{line.values[2], line.values[3]};
  const bool aFixed = std::fabs(a.x - b.x) < kVertical ? a.y <= b.y : a.x < b.x;
  return aFixed ? StretchBase{a, b, true} : StretchBase{b, a, false};
}

ModelPoint StretchedEnd(const StretchBase& base, double length) {
  const double was = Distance(base.fixed, base.moving);
  return {base.fixed.x + (base.moving.x - base.fixed.x) / was * length,
          base.fixed.y + (base.moving.y - base.fixed.y) / was * length};
}

RecordGeometry StretchedBaseLine(const DrawEntity& line, const StretchBase& base, ModelPoint newEnd) {
  RecordGeometry g = GeometryOf(line);
  const std::size_t at = base.fixedFirst ? 2 : 0;
  g.values[at] = newEnd.x;
  g.values[at + 1] = newEnd.y;
  return g;
}

std::optional<RecordGeometry> EndFollowingStretch(const DrawEntity& e, const StretchBase& base, ModelPoint newEnd) {
  if (e.kind == kLine && e.valueCount == 4) {
    for (std::size_t i = 0; i < 4; i += 2) {
      const ModelPoint end{e.values[i], e.values[i + 1]};
      if (Near(end, base.moving)) return ReshapedByHandle(e, end, 0, newEnd);
    }
    return std::nullopt;
  }
  CircleShape arc;
  if (e.kind != kArc || !CircleOf(e, &arc) || arc.whole) return std::nullopt;
  if (Near(arc.start, base.moving)) return ArcEndMoved(e, true, arc.start, newEnd);
  if (Near(arc.end, base.moving)) return ArcEndMoved(e, false, arc.end, newEnd);
  return std::nullopt;
}

std::optional<RecordGeometry> LinkedStretch(const DrawEntity& e, const StretchBase& base, ModelPoint newEnd) {
  const ModelPoint shift{newEnd.x - base.moving.x, newEnd.y - base.moving.y};
  CircleShape arc;
  if (e.kind == kArc && CircleOf(e, &arc) && !arc.whole) {
    const bool start = AtOrBeyond(base, arc.start), end = AtOrBeyond(base, arc.end);
    if (start != end) {
      const ModelPoint from = start ? arc.start : arc.end;
      return ArcEndMoved(e, start, from, {from.x + shift.x, from.y + shift.y});
    }
    if (!start) return std::nullopt;
    return MappedGeometry(e, PointMap::Translation(shift.x, shift.y));
  }
  if (e.kind == kLine || e.kind == kBezierCurve || e.kind == kFreeCurve || e.kind == kPolygon) {
    RecordGeometry g = GeometryOf(e);
    bool moved = false;
    for (std::size_t i = 0; i + 1 < g.values.size(); i += 2) {
      if (!AtOrBeyond(base, {g.values[i], g.values[i + 1]})) continue;
      g.values[i] += shift.x;
      g.values[i + 1] += shift.y;
      moved = true;
    }
    if (!moved) return std::nullopt;
    if (e.kind == kLine && g.values.size() == 4 &&
        Distance({g.values[0], g.values[1]}, {g.values[2], g.values[3]}) < kCoincidentTolerance) {
      return std::nullopt;
    }
    return g;
  }
  const std::vector<ModelPoint> points = DefiningPoints(e);
  if (points.empty()) return std::nullopt;
  for (const ModelPoint p : points) {
    if (!AtOrBeyond(base, p)) return std::nullopt;
  }
  return MappedGeometry(e, PointMap::Translation(shift.x, shift.y));
}

}  // namespace plenwick
