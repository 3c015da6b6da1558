// The closed boundary a perimeter or area dimension measures, picked element by element: each
// line or arc must meet the one before (their meeting point nearest the click becomes the next
// vertex) and picking the first again closes it; a circle, or for areas a polygon, closes at once.
// Its length and area follow the pieces between the vertices (model mm, mm²).
#pragma once

#include <cstdint>
#include <vector>

#include "model/draw_entity.h"
#include "view/entity_shape.h"
#include "view/geometry.h"

namespace plenwick {

// Most elements of a boundary.
inline constexpr int kMaxBoundaryElements = 20;

// One piece of a closed boundary: a segment or the part of an arc between two vertices, a whole
// circle, or a polygon's outline.
struct BoundaryStretch {
  enum class Type : uint8_t { kSegment, kArc, kCircle, kPolygon };
  Type type = Type::kSegment;
  ModelPoint from;
  ModelPoint to;
  CircleShape circle;                // arcs and circles
  std::vector<ModelPoint> vertices;  // polygons
};

// Whether an arc piece, running over its arc from one vertex to the other, turns counter-clockwise.
bool RunsCounterClockwise(const BoundaryStretch& arcPiece);
// Length of the piece; for an arc, along the arc between its two vertices.
double StretchLength(const BoundaryStretch& piece);
// The area enclosed by pieces that follow one another round a closed boundary: the shoelace sum of
// the vertices plus or minus each arc's circular segment by the side it bulges to; a circle's
// πr², a polygon's shoelace area (absolute values).
double EnclosedArea(const std::vector<BoundaryStretch>& pieces);

class BoundaryChain {
 public:
  enum class Pick : uint8_t {
    kTaken,    // one more element
    kClosed,   // the boundary is complete
    kRefused,  // no meeting point, a circle or polygon after the first, the same element twice in a row, too many
  };
  // The element picked at `click` (model mm). Polygons are taken only with `polygons`.
  Pick Add(const DrawEntity& e, ModelPoint click, bool polygons);
  bool closed() const { return closed_; }
  int size() const { return static_cast<int>(elements_.size()); }
  void Clear() { *this = BoundaryChain{}; }
  // The pieces of the closed boundary (empty before it closes).
  const std::vector<BoundaryStretch>& pieces() const { return pieces_; }

 private:
  void Close(ModelPoint closing);

  std::vector<const DrawEntity*> elements_;  // valid while the operation runs (an undo ends it)
  std::vector<ModelPoint> vertices_;         // vertices_[i]: where elements_[i] meets the one before
  std::vector<BoundaryStretch> pieces_;
  bool closed_ = false;
};

}  // namespace plenwick
