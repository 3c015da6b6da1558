// Transformed copies of element records: a similarity (move, scale, rotate) or a mirror applied
// to every defining point of a record by its kind, with its sizes scaled, its directions turned
// and, for a mirror, its sense of turning reversed. The moving, copying, mirroring and
// figure-selection tools all build their new records here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/draw_entity.h"
#include "view/geometry.h"

namespace plenwick {

// A map of model points (mm): p' = to + scale · rot(θ)(p − from), the 3 × 3 matrix R · S · T on
// row vectors; or a mirror about a line.
class PointMap {
 public:
  // The similarity; a rotation below 0.005 degrees is none. A negative scale is a half turn with
  // its size, so that radii and text heights stay positive.
  static PointMap Similarity(ModelPoint from, ModelPoint to, double scale, double degrees);
  static PointMap Translation(double dx, double dy) { return Similarity({0, 0}, {dx, dy}, 1, 0); }
  // The mirror about the line through a and b.
  static PointMap Mirror(ModelPoint a, ModelPoint b);

  ModelPoint Apply(ModelPoint p) const;
  // The direction (degrees, 0 to 360) a direction of `degrees` takes under the map.
  double MapDirection(double degrees) const;
  // Whether axis-parallel boxes stay axis-parallel (no turn but by quarter turns, mirrors about
  // horizontal and vertical lines).
  bool KeepsAxes() const;
  double scale() const { return scale_; }
  double degrees() const { return degrees_; }  // directions turn by this (counter-clockwise)
  bool mirrors() const { return mirrored_; }

 private:
  double m_[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};  // row vectors (x, y, 1) · m
  double scale_ = 1;
  double degrees_ = 0;
  bool mirrored_ = false;
};

// What a new record is made of: the old record's kind (an infinite line may change between its
// horizontal, vertical and general kinds), variant, values and codes.
struct RecordGeometry {
  int16_t kind = 0;
  int16_t subKind = 0;
  std::vector<double> values;
  std::vector<int16_t> codes;  // empty for kinds stored without codes
};

// A new record's string and font (Shift-JIS) where they change; none: the old record's.
struct RecordStrings {
  std::optional<std::string> text;
  std::optional<std::string> font;
};

// The record's own geometry, unchanged.
RecordGeometry GeometryOf(const DrawEntity& e);

// The geometry of `e` mapped by `map`: points and line ends, circle and arc centres (radius
// scaled, arc angles from the mapped ends, the direction reversed by a mirror), text positions
// (sizes scaled, the angle turned; a mirror moves only the reference point), every point of
// curves, polygons, leader lines, dimensions and the boundaries of paints and hatchings (their
// arc pieces reverse under a mirror; a hatching's spacings scale, its angle turns and its box
// follows the boundary), image corners (normalised). None for kinds that are not
// moved (grid, group header) and when a value would not be finite.
std::optional<RecordGeometry> MappedGeometry(const DrawEntity& e, const PointMap& map);

// The points that define a record (ends, vertices, centres, corners, leader and boundary
// points), model mm.
std::vector<ModelPoint> DefiningPoints(const DrawEntity& e);

// The centre of the box of every defining point of the records (mm); none for no points.
std::optional<ModelPoint> CentreOfRecords(const std::vector<DrawEntity*>& records);

}  // namespace plenwick
