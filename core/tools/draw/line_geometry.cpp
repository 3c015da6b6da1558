// The line tools' constructions.
#include "tools/draw/line_geometry.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

#include "model/draw_entity.h"

namespace plenwick {

namespace {

bool InRange(double v, double low, double high) { return v >= low && v <= high; }

// The two feet of e's ends on `line`; e itself when the line has no direction.
LineEnds FeetOn(const LineEnds& e, const LineCoef& line) {
  LineEnds feet = e;
  if (PerpendicularFoot(e.a, line, &feet.a) != 0 || PerpendicularFoot(e.b, line, &feet.b) != 0) return e;
  return feet;
}

LineEnds StoredCopy(int kind, LineEnds ends) {
  if (kind == kHorizontalInfiniteLine) {
    ends.a.x = kParallelStoredLow;
    ends.b.x = kParallelStoredHigh;
  } else if (kind == kVerticalInfiniteLine) {
    ends.a.y = kParallelStoredLow;
    ends.b.y = kParallelStoredHigh;
  }
  return ends;
}

}  // namespace

double EnteredAngle(double degrees) { return degrees < 0 ? 360 - degrees : degrees; }

double DirectionDegrees(ModelPoint p, ModelPoint q) {
  double a = std::atan2(q.y - p.y, q.x - p.x) * 180.0 / kPi;
  if (a < 0) a += 360;
  if (!(a < 360)) a = 0;  // -0 and rounding up to 360, NaN
  return a;
}

ModelPoint PointAtAngle(ModelPoint p, double degrees, double length) {
  const double r = DegreesToRadians(degrees);
  return {p.x + length * std::cos(r), p.y + length * std::sin(r)};
}

ModelPoint FixedLengthEnd(ModelPoint p, ModelPoint q, double length) {
  const double d = Distance(p, q);
  if (!(d >= kOnTolerance)) return q;
  return {p.x + length * (q.x - p.x) / d, p.y + length * (q.y - p.y) / d};
}

double QuadrantAngle(double theta, double angle) {
  if (theta < 90) return angle;
  if (theta < 180) return 180 - angle;
  if (theta < 270) return angle + 180;
  return -angle;
}

ModelPoint LengthAndAngleEnd(ModelPoint p, ModelPoint q, double length, double angle) {
  return PointAtAngle(p, QuadrantAngle(DirectionDegrees(p, q), angle), length);
}

ModelPoint AngleOnlyEnd(ModelPoint p, ModelPoint click, double angle) {
  const double a = EnteredAngle(angle);
  const double r = DegreesToRadians(a);
  const double c = std::cos(r), s = std::sin(r);
  const double within = std::fmod(a, 360.0);
  // Near horizontal directions meet the vertical line through the click; steep ones the
  // horizontal line (the divisor is then at least sin 45°).
  const bool nearHorizontal = within < 45 || (within >= 135 && within < 225) || within >= 315;
  if (nearHorizontal) return {click.x, p.y + (click.x - p.x) * s / c};
  return {p.x + (click.y - p.y) * c / s, click.y};
}

ModelPoint NumericLineEnd(ModelPoint p, int mode, double v1, double v2) {
  if (mode == 1) return {p.x + v1, p.y + v2};
  return PointAtAngle(p, EnteredAngle(v2), v1);
}

bool IsHorizontalDrag(PixelPoint start, PixelPoint mouse) {
  const int64_t dx = std::llabs(static_cast<int64_t>(mouse.x) - start.x);
  const int64_t dy = std::llabs(static_cast<int64_t>(mouse.y) - start.y);
  return dx >= dy;
}

ModelPoint AxisEnd(ModelPoint p, ModelPoint q, bool horizontal) {
  return horizontal ? ModelPoint{q.x, p.y} : ModelPoint{p.x, q.y};
}

ModelPoint AxisNumericEnd(ModelPoint p, ModelPoint mouse, bool horizontal, double d) {
  if (horizontal) return {mouse.x > p.x ? p.x + d : p.x - d, p.y};
  return {p.x, mouse.y > p.y ? p.y + d : p.y - d};
}

LineEnds HorizontalInfiniteLine(double y) { return {{kInfiniteLow, y}, {kInfiniteHigh, y}}; }
LineEnds VerticalInfiniteLine(double x) { return {{x, kInfiniteLow}, {x, kInfiniteHigh}}; }

LineEnds AngledInfiniteLine(ModelPoint p, double enteredAngle, double fallbackLength) {
  const double a = DegreesToRadians(EnteredAngle(enteredAngle));
  const ModelPoint d{std::cos(a), std::sin(a)};
  const LineCoef line = LineThrough(p, d);
  const double e = enteredAngle;
  const bool byVerticals = InRange(e, 0, 45) || InRange(e, 135, 225) || InRange(e, 315, 360);
  const LineCoef low = byVerticals ? LineCoef{1, 0, -kInfiniteLow} : LineCoef{0, 1, -kInfiniteLow};
  const LineCoef high = byVerticals ? LineCoef{1, 0, -kInfiniteHigh} : LineCoef{0, 1, -kInfiniteHigh};
  LineEnds ends;
  if (IntersectLines(line, low, &ends.a) != 0) ends.a = p;
  if (IntersectLines(line, high, &ends.b) != 0) ends.b = {p.x + d.x * fallbackLength, p.y + d.y * fallbackLength};
  return ends;
}

LineEnds ParallelThrough(int kind, const LineEnds& e, const LineCoef& ref, ModelPoint through) {
  const LineCoef copy{ref.a, ref.b, -(ref.a * through.x + ref.b * through.y)};
  return StoredCopy(kind, FeetOn(e, copy));
}

LineEnds ParallelAtDistance(int kind, const LineEnds& e, const LineCoef& ref, ModelPoint side, double distance) {
  const double length = std::hypot(ref.a, ref.b);
  const double sign = ref.a * side.x + ref.b * side.y + ref.c < 0 ? -1.0 : 1.0;
  const LineCoef copy{ref.a, ref.b, ref.c - sign * distance * length};
  return StoredCopy(kind, FeetOn(e, copy));
}

LineEnds OffsetSegment(ModelPoint p, ModelPoint q, double distance) {
  const double length = Distance(p, q);
  if (!(length > 0)) return {p, q};
  const ModelPoint n{-(q.y - p.y) / length * distance, (q.x - p.x) / length * distance};
  return {{p.x + n.x, p.y + n.y}, {q.x + n.x, q.y + n.y}};
}

LineCoef LineThrough(ModelPoint p, ModelPoint d) { return {d.y, -d.x, d.x * p.y - d.y * p.x}; }

bool ClipLineToSquare(ModelPoint p, ModelPoint d, double half, LineEnds* ends) {
  if (d.x == 0 && d.y == 0) return false;
  double t0 = -std::numeric_limits<double>::infinity();
  double t1 = std::numeric_limits<double>::infinity();
  const double from[2] = {p.x, p.y};
  const double step[2] = {d.x, d.y};
  for (int axis = 0; axis < 2; ++axis) {
    if (step[axis] == 0) {
      if (std::fabs(from[axis]) > half) return false;
      continue;
    }
    double ta = (-half - from[axis]) / step[axis];
    double tb = (half - from[axis]) / step[axis];
    if (ta > tb) std::swap(ta, tb);
    if (ta > t0) t0 = ta;
    if (tb < t1) t1 = tb;
  }
  if (!(t0 <= t1)) return false;
  *ends = {{p.x + t0 * d.x, p.y + t0 * d.y}, {p.x + t1 * d.x, p.y + t1 * d.y}};
  return true;
}

}  // namespace plenwick
