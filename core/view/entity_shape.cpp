// The geometry of one element read from its values.
#include "view/entity_shape.h"

#include <algorithm>
#include <cmath>

#include "view/bspline.h"
#include "platform/sjis.h"

namespace plenwick {

bool IsFullCircleArc(double startDeg, double endDeg) {
  return startDeg == endDeg || (startDeg == 360 && endDeg == 0) || (startDeg == 0 && endDeg == 360);
}

bool CircleOf(const DrawEntity& e, CircleShape* circle) {
  if (!e.values) return false;
  if (e.kind == kCircle && e.valueCount >= 3) {
    *circle = CircleShape{};
    circle->centre = {e.values[0], e.values[1]};
    circle->radius = e.values[2];
    return true;
  }
  if (e.kind == kArc && e.valueCount >= 5) {
    *circle = CircleShape{};
    circle->centre = {e.values[0], e.values[1]};
    circle->radius = e.values[2];
    circle->startDeg = e.values[3];
    circle->endDeg = e.values[4];
    circle->direction = ArcDirection(e);
    circle->whole = IsFullCircleArc(circle->startDeg, circle->endDeg);
    ArcEndPoints(circle->centre, circle->radius, circle->startDeg, circle->endDeg, &circle->start, &circle->end);
    return true;
  }
  return false;
}

bool SegmentOf(const DrawEntity& e, ModelPoint* p1, ModelPoint* p2) {
  if (!e.values || e.valueCount < 4) return false;
  const double* v = e.values.get();
  switch (e.kind) {
    case kLine: case kAngledInfiniteLine:
      *p1 = {v[0], v[1]};
      *p2 = {v[2], v[3]};
      return true;
    case kHorizontalInfiniteLine:
      *p1 = {-kInfiniteLineReach, v[1]};
      *p2 = {kInfiniteLineReach, v[3]};
      return true;
    case kVerticalInfiniteLine:
      *p1 = {v[0], -kInfiniteLineReach};
      *p2 = {v[2], kInfiniteLineReach};
      return true;
    default:
      return false;
  }
}

int VertexCount(const DrawEntity& e) {
  if (!e.values || e.valueCount < 2) return 0;
  if (e.kind != kBezierCurve && e.kind != kFreeCurve && e.kind != kPolygon) return 0;
  return e.valueCount / 2;
}

ModelPoint Vertex(const DrawEntity& e, int i) { return {e.values[2 * i], e.values[2 * i + 1]}; }

std::vector<ModelPoint> Vertices(const DrawEntity& e) {
  const int n = VertexCount(e);
  std::vector<ModelPoint> out;
  out.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) out.push_back(Vertex(e, i));
  return out;
}

std::vector<ModelPoint> PolylineOf(const DrawEntity& e) {
  std::vector<ModelPoint> points = Vertices(e);
  if (e.kind != kBezierCurve) return points;
  return SampleBSpline(points);
}

double TextByteLength(const DrawEntity& e) { return static_cast<double>(e.text.view().size()); }
double TextCharacterCount(const DrawEntity& e) { return static_cast<double>(SjisCharacterCount(e.text.view())); }

bool TextFrameOf(const DrawEntity& e, double units, TextFrame* frame) {
  if ((e.kind != kText && e.kind != kLeaderText) || !e.values || e.valueCount < 5) return false;
  frame->origin = {e.values[0], e.values[1]};
  frame->height = e.values[2];
  frame->width = e.values[3] * 0.5 * units;
  frame->angleDeg = e.values[4];
  return true;
}

bool ImageRectOf(const DrawEntity& e, Box* rect) {
  if (e.kind != kImage || !e.values || e.valueCount < 4) return false;
  *rect = Box::Around({e.values[0], e.values[1]});
  rect->Add({e.values[2], e.values[3]});
  return true;
}

std::vector<BoundaryPiece> BoundaryOf(const DrawEntity& e, bool paintLayout) {
  if (paintLayout) return ReadBoundaryPieces(e, 2);
  if (!e.codes || e.valueCount <= 0 || e.codes[0] <= 0) return {};
  return ReadBoundaryPieces(e, 7, e.codes[0]);
}

std::vector<BoundaryPiece> BoundaryOf(const DrawEntity& e) {
  if (e.kind == kPaint) return BoundaryOf(e, true);
  if (e.kind == kHatch) return BoundaryOf(e, false);
  return {};
}

bool BoundaryBoxOf(const std::vector<BoundaryPiece>& pieces, Box* box) {
  *box = Box{};
  for (const BoundaryPiece& piece : pieces) {
    if (piece.kind == BoundaryPiece::Kind::kVertex) {
      box->Add(piece.point);
    } else {
      const double r = std::fabs(piece.radius);
      box->Add({piece.centre.x - r, piece.centre.y - r});
      box->Add({piece.centre.x + r, piece.centre.y + r});
    }
  }
  return !box->IsEmpty();
}

bool BoundaryBoxOf(const DrawEntity& e, Box* box) { return BoundaryBoxOf(BoundaryOf(e), box); }

namespace {

bool ComputeBox(const DrawEntity& e, Box* box) {
  *box = Box{};
  ModelPoint p1;
  ModelPoint p2;
  TextFrame text;
  switch (e.kind) {
    case kPoint:
      if (!e.values || e.valueCount < 2) return false;
      *box = Box::Around({e.values[0], e.values[1]});
      return true;
    case kLine: case kHorizontalInfiniteLine: case kVerticalInfiniteLine: case kAngledInfiniteLine:
      if (!SegmentOf(e, &p1, &p2)) return false;
      *box = Box::Around(p1);
      box->Add(p2);
      return true;
    case kBezierCurve: case kFreeCurve: case kPolygon: {
      // A B-spline stays inside the hull of its control points.
      const int n = VertexCount(e);
      for (int i = 0; i < n; ++i) box->Add(Vertex(e, i));
      return n > 0;
    }
    case kCircle: case kArc: {
      if (!e.values || e.valueCount < (e.kind == kArc ? 5 : 3)) return false;
      const double r = std::fabs(e.values[2]);
      *box = {e.values[0] - r, e.values[1] - r, e.values[0] + r, e.values[1] + r};
      return true;
    }
    case kText: case kLeaderText: {
      if (!TextFrameOf(e, TextByteLength(e), &text)) return false;
      // Every corner of the turned box lies within |width| + |height| of the insertion point.
      const double reach = std::fabs(text.width) + std::fabs(text.height);
      *box = {text.origin.x - reach, text.origin.y - reach, text.origin.x + reach, text.origin.y + reach};
      return true;
    }
    case kPaint: case kHatch:
      return BoundaryBoxOf(e, box);
    case kImage:
      return ImageRectOf(e, box);
    default:
      return false;
  }
}

}  // namespace

Reach ReachOf(const DrawEntity& e, Box* box) {
  if (e.kind == kGrid) return Reach::kEverywhere;
  if (!ComputeBox(e, box)) return Reach::kNone;
  // A value that is not a number drops out of the box, yet the rules may still meet the element
  // (a line with one end NaN reaches along its other coordinate): such elements are met anywhere.
  for (int i = 0; i < e.valueCount; ++i) {
    if (!std::isfinite(e.values[i])) return Reach::kEverywhere;
  }
  const double largest = std::max({std::fabs(box->minX), std::fabs(box->minY), std::fabs(box->maxX), std::fabs(box->maxY)});
  if (!(largest < 1e15)) return Reach::kEverywhere;
  // The rules accept points up to 0.5 off an element; rounding grows with the coordinates.
  box->Grow(1.0 + largest * 1e-9);
  return Reach::kBox;
}

}  // namespace plenwick
