// Reading the closed boundary that paints (kind 70) and hatchings (kind 71) store as coded
// pieces, flattening it into a polygon, and measuring its length and area (dimensions).
#pragma once

#include <vector>

#include "model/draw_entity.h"
#include "view/geometry.h"
#include "view/view_mapping.h"

namespace plenwick {

struct BoundaryPiece {
  enum class Kind : uint8_t { kVertex, kArc, kCircle };
  Kind kind = Kind::kVertex;
  ModelPoint point;              // vertex, or the start vertex of an arc piece
  ModelPoint centre;             // arc and circle pieces
  double radius = 0;             // arc and circle pieces
  bool counterClockwise = true;  // arc pieces: code 1 runs counter-clockwise, code 0 clockwise
};

// Walks the pieces from value `first`: code 10 a vertex (x, y), code 0 or 1 an arc piece (centre
// x, y, radius, start x, y), code 50 a circle (centre x, y, radius). Stops at any other code, at
// the end of the values, or after maxPieces pieces.
std::vector<BoundaryPiece> ReadBoundaryPieces(const DrawEntity& entity, int first, int maxPieces = 32767);

// The pieces that chain from vertex to vertex, in order (circle pieces stand alone).
std::vector<const BoundaryPiece*> ChainOf(const std::vector<BoundaryPiece>& pieces);

// The start angle and signed sweep (radians, negative clockwise) of an arc piece running from
// its start vertex to `end`; equal angles sweep a whole turn. False when they are not finite.
bool ArcPieceSweep(const BoundaryPiece& p, ModelPoint end, double* start, double* sweep);

// The points an arc piece running to `end` flattens into (its start and the points between, at
// steps of at most 5 degrees); -1 when its sweep is not finite.
int ArcPieceFlatteningPoints(const BoundaryPiece& p, ModelPoint end);

// Appends the pieces in their coded form: a vertex as codes 10, 20; an arc piece as 1
// (counter-clockwise) or 0, then 2, 3, 4, 5 over centre x, y, radius, start x, y; a circle as 50,
// 51, 52 over centre x, y, radius.
void EncodeBoundaryPieces(const std::vector<BoundaryPiece>& pieces, std::vector<int16_t>& codes,
                          std::vector<double>& values);

// The box the boundary's outline spans: its vertices, each arc piece over its own sweep to the next
// piece's start, and whole circles.
Box BoundaryBox(const std::vector<BoundaryPiece>& pieces);

// The boundary as one closed polygon (the closing edge implied): vertices in order, each arc
// piece flattened from its start vertex to the next piece's start (steps of at most 5 degrees).
// Circle pieces are left out (a lone circle is drawn as an ellipse instead).
std::vector<ModelPoint> FlattenBoundary(const std::vector<BoundaryPiece>& pieces);

// The length and enclosed area (model mm, mm²) of a boundary of line and arc pieces: each vertex
// or arc piece runs to the next piece's start (the last back to the first); an arc piece whose
// ends lie at the same angle runs a whole turn. Circle pieces add their circumference and area.
struct BoundaryMeasure {
  double length = 0;
  double area = 0;
};
BoundaryMeasure MeasureBoundary(const std::vector<BoundaryPiece>& pieces);

}  // namespace plenwick
