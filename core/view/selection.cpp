// Window selection, marks, and the nearest piece of a multi-point element.
#include "view/selection.h"

#include <cmath>
#include <utility>
#include <vector>

#include "view/entity_shape.h"

namespace plenwick {

void NormalizeRect(int* x1, int* y1, int* x2, int* y2) {
  if (*x1 > *x2) std::swap(*x1, *x2);
  if (*y1 > *y2) std::swap(*y1, *y2);
}

void NormalizeRectF(double* x1, double* y1, double* x2, double* y2) {
  if (*x1 > *x2) std::swap(*x1, *x2);
  if (*y1 > *y2) std::swap(*y1, *y2);
}

namespace {

bool AllInside(const Box& rect, const std::vector<ModelPoint>& points) {
  if (points.empty()) return false;
  for (ModelPoint p : points) {
    if (!rect.Contains(p)) return false;
  }
  return true;
}

bool BoxInside(const Box& rect, const Box& box) {
  return !box.IsEmpty() && rect.Contains({box.minX, box.minY}) && rect.Contains({box.maxX, box.maxY});
}

bool CircleBoxInside(const Box& rect, ModelPoint centre, double radius) {
  return AllInside(rect, {{centre.x - radius, centre.y - radius}, {centre.x + radius, centre.y + radius}});
}

bool TextCornersInside(const Box& rect, const DrawEntity& e, double characters) {
  TextFrame frame;
  if (!TextFrameOf(e, characters, &frame)) return false;
  return AllInside(rect, {frame.origin, {frame.origin.x + frame.width, frame.origin.y + frame.height}});
}

}  // namespace

bool IsPointInside(const Box& rect, const DrawEntity& e) {
  return e.values && e.valueCount >= 2 && rect.Contains({e.values[0], e.values[1]});
}

bool IsSegmentInside(const Box& rect, const DrawEntity& e) {
  if (!e.values || e.valueCount < 4) return false;
  return AllInside(rect, {{e.values[0], e.values[1]}, {e.values[2], e.values[3]}});
}

bool IsVertexListInside(const Box& rect, const DrawEntity& e) {
  Box box;
  for (ModelPoint p : Vertices(e)) box.Add(p);
  return BoxInside(rect, box);
}

bool IsPolylineInside(const Box& rect, const DrawEntity& e) { return IsVertexListInside(rect, e); }

bool IsCircleInside(const Box& rect, const DrawEntity& e) {
  CircleShape c;
  return CircleOf(e, &c) && CircleBoxInside(rect, c.centre, c.radius);
}

bool IsArcInside(const Box& rect, const DrawEntity& e) {
  CircleShape c;
  if (!CircleOf(e, &c)) return false;
  // An arc drawn as a whole circle is selected as one.
  if (c.whole) return CircleBoxInside(rect, c.centre, c.radius);
  // The arc runs between its end points: angles more than a turn apart sweep the remainder.
  double sweep = std::fmod((c.endDeg - c.startDeg) * c.direction, 360.0);
  if (sweep < 0) sweep += 360.0;
  const double middleDeg = c.startDeg + c.direction * sweep / 2;
  ModelPoint middle;
  ModelPoint unused;
  ArcEndPoints(c.centre, c.radius, middleDeg, middleDeg, &middle, &unused);
  return AllInside(rect, {c.start, c.end, middle});
}

bool IsTextInside2(const Box& rect, const DrawEntity& e, double characters) {
  return TextCornersInside(rect, e, characters);
}

bool IsTextInside(const Box& rect, const DrawEntity& e, double characters) {
  if (!TextCornersInside(rect, e, characters) || e.valueCount < 9) return false;
  return AllInside(rect, {{e.values[5], e.values[6]}, {e.values[7], e.values[8]}});
}

bool IsCompositeInside(const Box& rect, const DrawEntity& e, int paintFlag) {
  const std::vector<BoundaryPiece> pieces = BoundaryOf(e, paintFlag == 1);
  if (pieces.empty()) return false;
  for (const BoundaryPiece& piece : pieces) {
    const bool inside = piece.kind == BoundaryPiece::Kind::kVertex ? rect.Contains(piece.point)
                                                                   : CircleBoxInside(rect, piece.centre, piece.radius);
    if (!inside) return false;
  }
  return true;
}

bool IsInsideRect(const Box& rect, const DrawEntity& e) {
  switch (e.kind) {
    case kPoint: return IsPointInside(rect, e);
    case kLine: case kImage: return IsSegmentInside(rect, e);
    case kBezierCurve: return IsPolylineInside(rect, e);
    case kFreeCurve: case kPolygon: return IsVertexListInside(rect, e);
    case kCircle: return IsCircleInside(rect, e);
    case kArc: return IsArcInside(rect, e);
    case kText: return IsTextInside2(rect, e, TextCharacterCount(e));
    case kLeaderText: return IsTextInside(rect, e, TextCharacterCount(e));
    case kPaint: return IsCompositeInside(rect, e, 1);
    case kHatch: return IsCompositeInside(rect, e, 0);
    default: return false;
  }
}

int SelectInRect(EntityList& list, int currentLayer, double x1, double y1, double x2, double y2, int mark,
                 const EntityRedraw& redraw) {
  NormalizeRectF(&x1, &y1, &x2, &y2);
  const Box rect{x1, y1, x2, y2};
  int any = 0;
  for (DrawEntity& e : list) {
    if (e.layer != currentLayer || e.mark == kMarkDeleted || !IsInsideRect(rect, e)) continue;
    e.mark = static_cast<int16_t>(mark);
    if (redraw) redraw(e);
    any = 1;
    DrawEntity* owner = e.owner;
    if (owner && owner->kind == kDimension && owner->mark == kMarkNone) {
      MarkGroupMembers(*owner, redraw);
      owner->mark = static_cast<int16_t>(mark);
      if (redraw) redraw(*owner);
    }
  }
  return any;
}

void ClearMarks(EntityList& list, SnapPointList* points, int currentLayer, int mark, const EntityRedraw& invalidate) {
  for (DrawEntity& e : list) {
    if (e.layer != currentLayer || e.mark != mark) continue;
    e.mark = kMarkNone;
    if (invalidate) invalidate(e);
    if (points) points->EnableEntity(&e);
  }
}

void ClearHighlight(EntityList& list, bool pending, const EntityRedraw& redraw) {
  if (!pending) return;
  for (DrawEntity& e : list) {
    if (e.mark != kMarkPicked) continue;
    e.mark = kMarkNone;
    if (redraw) redraw(e);
  }
}

void MarkGroupMembers(DrawEntity& owner, const EntityRedraw& redraw) {
  for (DrawEntity* e = owner.next; e; e = e->next) {
    if (e->owner != &owner) continue;
    e->mark = kMarkTemporary;
    if (redraw) redraw(*e);
  }
}

int NearestSegment(const DrawEntity& e, ModelPoint p, ModelPoint* s1, ModelPoint* s2) {
  std::vector<ModelPoint> points = Vertices(e);
  if (points.empty() && e.kind >= kLine && e.kind <= kAngledInfiniteLine && e.values && e.valueCount >= 4) {
    points = {{e.values[0], e.values[1]}, {e.values[2], e.values[3]}};
  }
  double best = 99999.9;
  int found = 0;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    LineCoef line;
    ModelPoint foot;
    if (LineCoefficients(points[i], points[i + 1], &line) != 0 || PerpendicularFoot(p, line, &foot) != 0) continue;
    if (IsOnSegment(foot, points[i], points[i + 1]) != 0) continue;
    const double d = Distance(p, foot);
    if (d < best) {
      best = d;
      *s1 = points[i];
      *s2 = points[i + 1];
      found = 1;
    }
  }
  return found;
}

}  // namespace plenwick
