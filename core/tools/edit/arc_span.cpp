// Arc spans and the records of new pieces.
#include "tools/edit/arc_span.h"

#include <cmath>

#include "model/entity_core.h"
#include "tools/draw/circle_geometry.h"

namespace plenwick {

namespace {

bool Storable(const RecordGeometry& g) {
  for (double v : g.values) {
    if (!std::isfinite(v) || !InCoordinateRange(v)) return false;
  }
  return true;
}

std::optional<RecordGeometry> Checked(RecordGeometry g) {
  if (!Storable(g)) return std::nullopt;
  return g;
}

}  // namespace

ArcSpan ArcSpan::Of(const CircleShape& shape) {
  ArcSpan s;
  s.centre = shape.centre;
  s.radius = shape.radius;
  if (shape.whole) return s;
  s.direction = shape.direction;
  s.startDeg = NormalizedDegrees(shape.startDeg);
  const double sweep = NormalizedDegrees(shape.direction > 0 ? shape.endDeg - shape.startDeg
                                                             : shape.startDeg - shape.endDeg);
  s.sweepDeg = sweep > 0 ? sweep : 360;
  return s;
}

double ArcSpan::Along(ModelPoint p) const {
  const double a = AngleAbout(centre, p);
  return NormalizedDegrees(direction > 0 ? a - startDeg : startDeg - a);
}

ModelPoint ArcSpan::At(double u) const {
  const double a = DegreesToRadians(startDeg + direction * u);
  return {centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)};
}

std::optional<RecordGeometry> ArcSpan::Piece(double u0, double u1) const {
  if (DegreesToRadians(u1 - u0) * radius < kShortestPiece) return std::nullopt;
  return ArcRecord(centre, radius, NormalizedDegrees(startDeg + direction * u0),
                   NormalizedDegrees(startDeg + direction * u1), direction);
}

double AngleAbout(ModelPoint centre, ModelPoint p) {
  return NormalizedDegrees(std::atan2(p.y - centre.y, p.x - centre.x) * 180.0 / kPi);
}

std::optional<RecordGeometry> LineRecord(ModelPoint a, ModelPoint b) {
  if (!(Distance(a, b) >= kShortestPiece)) return std::nullopt;
  return Checked({kLine, 0, {a.x, a.y, b.x, b.y}, {10, 20, 11, 22}});
}

std::optional<RecordGeometry> CircleRecord(ModelPoint centre, double radius) {
  return Checked({kCircle, 0, {centre.x, centre.y, radius}, {10, 20, 40}});
}

std::optional<RecordGeometry> ArcRecord(ModelPoint centre, double radius, double startDeg, double endDeg,
                                        int direction) {
  // Equal angles would read as a whole circle.
  if (startDeg == endDeg) return std::nullopt;
  return Checked({kArc, static_cast<int16_t>(direction > 0 ? 1 : -1), {centre.x, centre.y, radius, startDeg, endDeg},
                  {10, 20, 40, 50, 51}});
}

}  // namespace plenwick
