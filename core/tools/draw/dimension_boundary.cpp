// A closed boundary picked element by element, and its length and area.
#include "tools/draw/dimension_boundary.h"

#include <cmath>

#include "tools/draw/circle_geometry.h"
#include "tools/draw/line_geometry.h"
#include "view/intersections.h"

namespace plenwick {

namespace {

bool IsLine(const DrawEntity& e) { return e.kind >= kLine && e.kind <= kAngledInfiniteLine; }

// Where p lies along the arc from its start in its own direction (degrees, 0..sweep); a point
// off the arc's span counts at the nearer end, so that rounding at an end never reads as a turn.
double AlongArcDeg(const CircleShape& arc, ModelPoint p) {
  const double sweep = NormalizedDegrees(arc.direction * (arc.endDeg - arc.startDeg));
  const double t = NormalizedDegrees(arc.direction * (DirectionDegrees(arc.centre, p) - arc.startDeg));
  if (t <= sweep) return t;
  return t - sweep < 360 - t ? sweep : 0;
}

double Cross(ModelPoint a, ModelPoint b) { return a.x * b.y - b.x * a.y; }

double ShoelaceArea(const std::vector<ModelPoint>& v) {
  double sum = 0;
  for (std::size_t i = 0; i < v.size(); ++i) sum += Cross(v[i], v[(i + 1) % v.size()]);
  return std::fabs(sum) / 2;
}

}  // namespace

bool RunsCounterClockwise(const BoundaryStretch& arcPiece) {
  const bool forward = AlongArcDeg(arcPiece.circle, arcPiece.to) >= AlongArcDeg(arcPiece.circle, arcPiece.from);
  return forward == (arcPiece.circle.direction == 1);
}

double StretchLength(const BoundaryStretch& piece) {
  switch (piece.type) {
    case BoundaryStretch::Type::kSegment: return Distance(piece.from, piece.to);
    case BoundaryStretch::Type::kArc: {
      const double turn = std::fabs(AlongArcDeg(piece.circle, piece.to) - AlongArcDeg(piece.circle, piece.from));
      return DegreesToRadians(turn) * piece.circle.radius;
    }
    case BoundaryStretch::Type::kCircle: return 2 * kPi * piece.circle.radius;
    case BoundaryStretch::Type::kPolygon: {
      double sum = 0;
      const std::vector<ModelPoint>& v = piece.vertices;
      for (std::size_t i = 0; i < v.size(); ++i) sum += Distance(v[i], v[(i + 1) % v.size()]);
      return sum;
    }
  }
  return 0;
}

double EnclosedArea(const std::vector<BoundaryStretch>& pieces) {
  if (pieces.size() == 1 && pieces[0].type == BoundaryStretch::Type::kCircle) {
    const double r = pieces[0].circle.radius;
    return kPi * r * r;
  }
  if (pieces.size() == 1 && pieces[0].type == BoundaryStretch::Type::kPolygon) return ShoelaceArea(pieces[0].vertices);
  double sum = 0;  // twice the signed area
  for (const BoundaryStretch& piece : pieces) {
    sum += Cross(piece.from, piece.to);
    if (piece.type != BoundaryStretch::Type::kArc) continue;
    const double from = AlongArcDeg(piece.circle, piece.from);
    const double to = AlongArcDeg(piece.circle, piece.to);
    const double theta = DegreesToRadians(std::fabs(to - from));
    // Walked counter-clockwise about its centre, the arc bulges out of the chord to the right.
    const int ccw = RunsCounterClockwise(piece) ? 1 : -1;
    const double r = piece.circle.radius;
    sum += ccw * r * r * (theta - std::sin(theta));
  }
  return std::fabs(sum) / 2;
}

BoundaryChain::Pick BoundaryChain::Add(const DrawEntity& e, ModelPoint click, bool polygons) {
  if (closed_) return Pick::kRefused;
  CircleShape circle;
  const bool round = CircleOf(e, &circle);
  if (elements_.empty()) {
    if (round && circle.whole) {
      BoundaryStretch whole;
      whole.type = BoundaryStretch::Type::kCircle;
      whole.circle = circle;
      pieces_ = {whole};
      closed_ = true;
      return Pick::kClosed;
    }
    if (e.kind == kPolygon && polygons) {
      BoundaryStretch outline;
      outline.type = BoundaryStretch::Type::kPolygon;
      outline.vertices = Vertices(e);
      if (outline.vertices.size() < 3) return Pick::kRefused;
      pieces_ = {outline};
      closed_ = true;
      return Pick::kClosed;
    }
    if (!IsLine(e) && !round) return Pick::kRefused;
    elements_.push_back(&e);
    vertices_.push_back(click);  // replaced by the closing vertex
    return Pick::kTaken;
  }
  if ((!IsLine(e) && !(round && !circle.whole)) || &e == elements_.back()) return Pick::kRefused;
  const bool closing = &e == elements_.front();
  if (!closing && size() >= kMaxBoundaryElements) return Pick::kRefused;
  ModelPoint meet = click;
  if (IntersectEntities(*elements_.back(), e, &meet) != 1) return Pick::kRefused;
  if (closing) {
    Close(meet);
    return Pick::kClosed;
  }
  elements_.push_back(&e);
  vertices_.push_back(meet);
  return Pick::kTaken;
}

void BoundaryChain::Close(ModelPoint closing) {
  vertices_[0] = closing;
  const std::size_t k = elements_.size();
  for (std::size_t i = 0; i < k; ++i) {
    BoundaryStretch piece;
    piece.from = vertices_[i];
    piece.to = vertices_[(i + 1) % k];
    if (CircleOf(*elements_[i], &piece.circle)) piece.type = BoundaryStretch::Type::kArc;
    pieces_.push_back(piece);
  }
  elements_.clear();
  closed_ = true;
}

}  // namespace plenwick
