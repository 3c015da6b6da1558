// The geometry of one element read from its values, by kind: the segment of a line, the circle
// of a circle or arc, the points of a curve, the frame of a text, and the box that holds
// everything a click can hit. Every reader checks the value count first (files are hostile).
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/draw_entity.h"
#include "view/boundary_pieces.h"
#include "view/geometry.h"

namespace plenwick {

// Half-length (model mm) of the horizontal and vertical infinite lines as picking sees them.
inline constexpr double kInfiniteLineReach = 10000000.0;

// Direction of an arc element: +1 counter-clockwise when its flag is 1, else −1.
inline int ArcDirection(const DrawEntity& arc) { return arc.subKind == 1 ? 1 : -1; }

// An arc whose angles are equal or are 0 and 360 (either order) is drawn, snapped and picked as a
// whole circle. (Angles are not truncated to whole degrees first: a small arc stays an arc.)
bool IsFullCircleArc(double startDeg, double endDeg);

struct CircleShape {
  ModelPoint centre;
  double radius = 0;
  bool whole = true;  // a circle, or an arc that counts as one
  int direction = 1;
  double startDeg = 0;
  double endDeg = 0;
  ModelPoint start;  // arc ends (arcs only)
  ModelPoint end;
};
// Kinds 30 and 31.
bool CircleOf(const DrawEntity& e, CircleShape* circle);

// The segment of a line element (kinds 20–23); horizontal and vertical infinite lines reach
// ±10000000 along their direction.
bool SegmentOf(const DrawEntity& e, ModelPoint* p1, ModelPoint* p2);

// Stored points of a control-point curve, free curve or polygon (kinds 24, 26, 90).
int VertexCount(const DrawEntity& e);
ModelPoint Vertex(const DrawEntity& e, int i);
std::vector<ModelPoint> Vertices(const DrawEntity& e);
// The drawn path of such an element: the sampled B-spline for kind 24 (at the fixed sampling of
// model-space work), the points otherwise.
std::vector<ModelPoint> PolylineOf(const DrawEntity& e);

// The box of a text (kinds 40, 41) in its own frame: from the insertion point to
// (x + width · 0.5 · units, y + height), turned about the insertion point by the angle.
struct TextFrame {
  ModelPoint origin;
  double width = 0;   // along the text direction
  double height = 0;
  double angleDeg = 0;
};
// `units` is the text's length: bytes for picking, characters for window selection.
bool TextFrameOf(const DrawEntity& e, double units, TextFrame* frame);
double TextByteLength(const DrawEntity& e);
double TextCharacterCount(const DrawEntity& e);

// The rectangle of an image element (kind 80), corners ordered.
bool ImageRectOf(const DrawEntity& e, Box* rect);

// The boundary pieces of a paint (from value 2) or a hatching (codes[0] pieces from value 7).
std::vector<BoundaryPiece> BoundaryOf(const DrawEntity& e, bool paintLayout);
std::vector<BoundaryPiece> BoundaryOf(const DrawEntity& e);  // by the element's kind

// The box of a paint or hatching boundary: vertices, and arc and circle pieces by centre ± radius.
bool BoundaryBoxOf(const std::vector<BoundaryPiece>& pieces, Box* box);
bool BoundaryBoxOf(const DrawEntity& e, Box* box);

// Where a click or another element can meet `e` under the picking and intersection rules:
// nowhere (dimensions, groups, too few values), inside a box (model mm, grown by a margin so that
// rules with tolerances stay inside), or anywhere (the grid; coordinates too large to box).
enum class Reach { kNone, kBox, kEverywhere };
Reach ReachOf(const DrawEntity& e, Box* box);

// Whether the cell grids of the spatial indexes can file a box (or answer for it): non-empty,
// finite and within 1e15 mm of the origin. Elements with other boxes are met everywhere.
inline bool IsGridBox(const Box& box) {
  const double largest = std::max({std::fabs(box.minX), std::fabs(box.minY), std::fabs(box.maxX), std::fabs(box.maxY)});
  return !box.IsEmpty() && largest < 1e15;
}

}  // namespace plenwick
