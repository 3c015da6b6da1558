// Arcs as the editing tools cut them up: a start angle and a sweep in the arc's direction, so
// that points on it are ordered by how far along they lie; and the new line, circle and arc
// records those tools make.
#pragma once

#include <optional>

#include "tools/edit/record_transform.h"
#include "view/entity_shape.h"

namespace plenwick {

// Shortest line or arc length (model mm) a new piece may have.
inline constexpr double kShortestPiece = 1e-6;

struct ArcSpan {
  ModelPoint centre;
  double radius = 0;
  double startDeg = 0;
  double sweepDeg = 360;  // in (0, 360]
  int direction = 1;      // +1 counter-clockwise, −1 clockwise

  // A circle runs counter-clockwise from 0 degrees; an arc from its start in its direction.
  static ArcSpan Of(const CircleShape& shape);
  // Degrees along the span from its start to the angle of p, in [0, 360).
  double Along(ModelPoint p) const;
  // The point `u` degrees along.
  ModelPoint At(double u) const;
  // The arc record of the part from u0 to u1 degrees along (u0 < u1); none when it is shorter
  // than the shortest piece or not storable.
  std::optional<RecordGeometry> Piece(double u0, double u1) const;
};

// The angle of p about the centre, degrees in [0, 360).
double AngleAbout(ModelPoint centre, ModelPoint p);

// New records: a line (kind 20), a circle (30) and an arc (31, direction in the variant). None
// when a value is not finite or outside the coordinate range, or the line is shorter than the
// shortest piece.
std::optional<RecordGeometry> LineRecord(ModelPoint a, ModelPoint b);
std::optional<RecordGeometry> CircleRecord(ModelPoint centre, double radius);
std::optional<RecordGeometry> ArcRecord(ModelPoint centre, double radius, double startDeg, double endDeg,
                                        int direction);

}  // namespace plenwick
