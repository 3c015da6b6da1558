// Plane geometry shared by the drawing and editing tools.
#include "view/geometry.h"

#include <algorithm>
#include <cmath>

namespace plenwick {

bool ClipToBox(ModelPoint a, ModelPoint b, const Box& box, double tMin, double tMax, double* t0, double* t1) {
  const double d[2] = {b.x - a.x, b.y - a.y};
  if (d[0] == 0 && d[1] == 0) return false;
  const double at[2] = {a.x, a.y}, low[2] = {box.minX, box.minY}, high[2] = {box.maxX, box.maxY};
  double from = tMin, to = tMax;
  for (int axis = 0; axis < 2; ++axis) {
    if (d[axis] == 0) {
      if (!(at[axis] >= low[axis] && at[axis] <= high[axis])) return false;
      continue;
    }
    double u = (low[axis] - at[axis]) / d[axis], v = (high[axis] - at[axis]) / d[axis];
    if (u > v) std::swap(u, v);
    from = std::max(from, u);
    to = std::min(to, v);
  }
  if (!(from <= to)) return false;
  *t0 = from;
  *t1 = to;
  return true;
}

int PointDistance(ModelPoint p, ModelPoint q, double* distance) {
  if (p.x == q.x && p.y == q.y) {
    *distance = 0;
    return -1;
  }
  const double dx = p.x - q.x;
  const double dy = p.y - q.y;
  *distance = std::sqrt(dx * dx + dy * dy);
  return 0;
}

double Distance(ModelPoint p, ModelPoint q) {
  double d = 0;
  PointDistance(p, q, &d);
  return d;
}

int LineCoefficients(ModelPoint p1, ModelPoint p2, LineCoef* line) {
  if (p1.x == p2.x && p1.y == p2.y) return -1;
  if (std::fabs(p2.y - p1.y) < kOnTolerance) {
    line->a = 0;
    if (p1.x > p2.x) {
      line->b = 1;
      line->c = -p1.y;
    } else {
      line->b = -1;
      line->c = p1.y;
    }
  } else if (std::fabs(p1.x - p2.x) < kOnTolerance) {
    line->b = 0;
    if (p1.y < p2.y) {
      line->a = 1;
      line->c = -p1.x;
    } else {
      line->a = -1;
      line->c = p1.x;
    }
  } else {
    line->a = p2.y - p1.y;
    line->b = p1.x - p2.x;
    line->c = p1.y * p2.x - p2.y * p1.x;
  }
  return 0;
}

int IntersectLines(const LineCoef& l1, const LineCoef& l2, ModelPoint* at) {
  const double det = l1.a * l2.b - l1.b * l2.a;
  if (std::fabs(det) < 0.05) {
    if (det == 0) return -1;
    const double diff = std::fabs(std::atan2(l1.b, l1.a) - std::atan2(l2.b, l2.a));
    constexpr double kParallel = 0.000175;
    if (diff < kParallel || std::fabs(diff - kPi) < kParallel) return -2;
  }
  at->x = (l1.b * l2.c - l2.b * l1.c) / det;
  at->y = (l2.a * l1.c - l1.a * l2.c) / det;
  return 0;
}

int IntersectLineCircle(const LineCoef& line, ModelPoint centre, double radius, int* count, ModelPoint points[2]) {
  *count = 0;
  if (line.a == 0 && line.b == 0) return -2;
  const double len = std::sqrt(line.a * line.a + line.b * line.b);
  const double s = (line.a * centre.x + line.b * centre.y + line.c) / len;
  const ModelPoint foot{centre.x - line.a * s / len, centre.y - line.b * s / len};
  if (std::fabs(std::fabs(s) - radius) < kOnTolerance) {
    points[0] = foot;
    *count = 1;
    return 0;
  }
  if (std::fabs(s) > radius) return -1;
  const double h = std::sqrt(radius * radius - s * s);
  const double ux = -line.b / len;
  const double uy = line.a / len;
  points[0] = {foot.x + h * ux, foot.y + h * uy};
  points[1] = {foot.x - h * ux, foot.y - h * uy};
  *count = 2;
  return 0;
}

int IntersectCircles(ModelPoint c1, double r1, ModelPoint c2, double r2, int* count, ModelPoint points[2]) {
  *count = 0;
  const double d = Distance(c1, c2);
  if (d == 0 || r1 + r2 + kOnTolerance < d || d < std::fabs(r1 - r2) - kOnTolerance) return 1;
  const double a = (r1 * r1 - r2 * r2) / (2 * d) + d / 2;
  const double h = std::sqrt(std::fabs(r1 * r1 - a * a));
  const double ux = (c2.x - c1.x) / d;
  const double uy = (c2.y - c1.y) / d;
  const ModelPoint base{c1.x + a * ux, c1.y + a * uy};
  if (h < kOnTolerance) {  // touching: one point
    points[0] = base;
    *count = 1;
    return 0;
  }
  points[0] = {base.x + h * uy, base.y - h * ux};
  points[1] = {base.x - h * uy, base.y + h * ux};
  *count = 2;
  return 0;
}

int PerpendicularFoot(ModelPoint p, const LineCoef& line, ModelPoint* foot) {
  const double q = line.a * line.a + line.b * line.b;
  if (q < 0.0001) return -1;
  foot->x = (line.b * line.b * p.x - line.a * line.b * p.y - line.a * line.c) / q;
  foot->y = (line.a * line.a * p.y - line.a * line.b * p.x - line.b * line.c) / q;
  return 0;
}

int IsOnLine(ModelPoint p, const LineCoef& line) {
  const double len = std::sqrt(line.a * line.a + line.b * line.b);
  return std::fabs(line.a * p.x + line.b * p.y + line.c) / len <= kOnTolerance ? 1 : 0;
}

int IsOnSegment(ModelPoint p, ModelPoint s1, ModelPoint s2) {
  if (std::fabs(s1.x - s2.x) < 0.0001 && std::fabs(s1.y - s2.y) < 0.0001) return -1;
  LineCoef line;
  if (LineCoefficients(s1, s2, &line) != 0 || IsOnLine(p, line) == 0) return -1;
  const double length = Distance(s1, s2) + 0.0005;
  if (Distance(p, s1) > length || Distance(p, s2) > length) return -1;
  return 0;
}

namespace {

// atan2(dy, dx). Along the axes its value is fixed by definition (±0, ±π/2, ±π), which the
// quadrant points of circles meet often enough to be spared the call.
double Angle(double dy, double dx) {
  if (dy == 0 && (dx > 0 || dx < 0)) return dx > 0 ? dy : std::copysign(kPi, dy);
  if (dx == 0 && (dy > 0 || dy < 0)) return dy > 0 ? kPi / 2 : -kPi / 2;
  return std::atan2(dy, dx);
}

// SweepLength from p to q, the distances (rp, rq) of both from the centre and the angle of p (ap,
// radians) being known.
int SweepFrom(int direction, ModelPoint p, double rp, double ap, ModelPoint q, double rq, ModelPoint centre,
              double* length) {
  *length = 0;
  if (Distance(p, q) < kOnTolerance) return 0;
  if (std::fabs(rp - rq) > kOnTolerance) return 1;
  double sweep = (Angle(q.y - centre.y, q.x - centre.x) - ap) * direction;
  if (sweep < 0) sweep += 2 * kPi;
  *length = rp * sweep;
  return 0;
}

bool Near(ModelPoint a, ModelPoint b) { return std::fabs(a.x - b.x) < kOnTolerance && std::fabs(a.y - b.y) < kOnTolerance; }

}  // namespace

int SweepLength(int direction, ModelPoint p, ModelPoint q, ModelPoint centre, double* length) {
  return SweepFrom(direction, p, Distance(p, centre), Angle(p.y - centre.y, p.x - centre.x), q, Distance(q, centre),
                   centre, length);
}

OnArcTest::OnArcTest(int direction, ModelPoint start, ModelPoint end, ModelPoint centre, double radius)
    : direction_(direction),
      start_(start),
      end_(end),
      centre_(centre),
      radius_(radius),
      startRadius_(Distance(start, centre)),
      startAngle_(Angle(start.y - centre.y, start.x - centre.x)),
      endStatus_(SweepFrom(direction, start, startRadius_, startAngle_, end, Distance(end, centre), centre, &toEnd_)) {}

int OnArcTest::Test(ModelPoint p) const {
  if (Near(start_, end_)) return -1;
  if (Near(p, start_) || Near(p, end_)) return 0;
  const double r = Distance(p, centre_);
  if (std::fabs(r - radius_) > kOnTolerance) return -1;
  double toPoint = 0;
  if (SweepFrom(direction_, start_, startRadius_, startAngle_, p, r, centre_, &toPoint) != 0) return -1;
  if (endStatus_ != 0) return -1;
  return toPoint <= toEnd_ ? 0 : -1;
}

int IsOnArc(int direction, ModelPoint p, ModelPoint start, ModelPoint end, ModelPoint centre, double radius) {
  return OnArcTest(direction, start, end, centre, radius).Test(p);
}

CircleThrough3 CircleFrom3Points(ModelPoint p1, ModelPoint p2, ModelPoint p3) {
  CircleThrough3 out;
  const double k = (p2.y - p1.y) * (p3.x - p1.x) - (p2.x - p1.x) * (p3.y - p1.y);
  if (std::fabs(k) <= 0.000001) return out;
  // Circumcentre relative to p1.
  const double bx = p2.x - p1.x;
  const double by = p2.y - p1.y;
  const double cx = p3.x - p1.x;
  const double cy = p3.y - p1.y;
  const double d = 2 * (bx * cy - by * cx);
  const double b2 = bx * bx + by * by;
  const double c2 = cx * cx + cy * cy;
  out.centre = {p1.x + (cy * b2 - by * c2) / d, p1.y + (bx * c2 - cx * b2) / d};
  out.radius = Distance(out.centre, p1);
  out.orientation = k < 0 ? 1 : -1;
  return out;
}

void ArcEndPoints(ModelPoint centre, double radius, double startDeg, double endDeg, ModelPoint* start, ModelPoint* end) {
  const double s = startDeg * kPi / 180.0;
  const double e = endDeg * kPi / 180.0;
  *start = {centre.x + radius * std::cos(s), centre.y + radius * std::sin(s)};
  *end = {centre.x + radius * std::cos(e), centre.y + radius * std::sin(e)};
}

int TangentPoints(ModelPoint p, ModelPoint centre, double radius, int* count, ModelPoint points[2]) {
  *count = 0;
  const double d = Distance(p, centre);
  if (std::fabs(d - radius) < kOnTolerance) {
    points[0] = p;
    *count = 1;
    return 0;
  }
  if (d < radius) return 1;
  return IntersectCircles(p, std::sqrt(d * d - radius * radius), centre, radius, count, points) == 0 ? 0 : 1;
}

int MirrorPoint(ModelPoint p, const LineCoef& line, ModelPoint* mirrored) {
  const double a = line.a;
  const double b = line.b;
  const double q = a * a + b * b;
  if (q == 0) return 1;
  mirrored->x = (-2 * a * b * p.y - (a * a - b * b) * p.x - 2 * a * line.c) / q;
  mirrored->y = (-2 * a * b * p.x + (a * a - b * b) * p.y - 2 * b * line.c) / q;
  return 0;
}

ModelPoint PointAlong(ModelPoint p1, ModelPoint p2, double d) {
  double len = 0;
  if (PointDistance(p1, p2, &len) != 0) return p1;
  return PointAlong(p1, p2, d, len);
}

int AngleBetween(int direction, ModelPoint p1, ModelPoint p2, ModelPoint centre, double* degrees) {
  if (p1.x == p2.x && p1.y == p2.y) return 1;
  const double a1 = std::atan2(p1.y - centre.y, p1.x - centre.x);
  const double a2 = std::atan2(p2.y - centre.y, p2.x - centre.x);
  double a = (a2 - a1) * 180.0 / kPi * direction;
  if (a < 0) a += 360.0;
  *degrees = a;
  return 0;
}

int OctantOf(ModelPoint p1, ModelPoint p2) {
  const double dx = p2.x - p1.x;
  const double dy = p2.y - p1.y;
  if (std::fabs(dx) < 0.0001 && std::fabs(dy) < 0.0001) return -1;
  const double a = std::atan2(dy, dx);
  constexpr double kLow = 0.7853981633975;
  constexpr double kHigh = 2.3561944901925003;
  if (a >= kLow && a <= kHigh) return 1;
  if (a >= -kHigh && a <= -kLow) return 2;
  if (a > -kLow && a < kLow) return 3;
  return 4;
}

int NearestOfPoints(const double* xs, const double* ys, int count, ModelPoint p, ModelPoint* nearest) {
  double best = 1e10;
  int index = -1;
  for (int i = 0; i < count; ++i) {
    const double dx = xs[i] - p.x;
    const double dy = ys[i] - p.y;
    const double d = dx * dx + dy * dy;
    if (d < best) {
      best = d;
      index = i;
    }
  }
  if (index >= 0 && nearest) *nearest = {xs[index], ys[index]};
  return index;
}

double SnapAngle(double dx, double dy) {
  if (dx == 0) {
    if (dy > 0) return 1.570796326794865;
    if (dy < 0) return 4.712388980384594;
    return 0;
  }
  double a = std::atan(dy / dx);
  if (dx < 0) {
    a += 3.14159265358973;
  } else if (dy < 0) {
    a += 6.28318530717946;
  }
  return a;
}

}  // namespace plenwick
