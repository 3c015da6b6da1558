// Plane geometry shared by every drawing and editing tool: lines as coefficients A·x + B·y + C = 0,
// their intersections with lines and circles, feet, arcs and angles. All lengths and coordinates
// are model mm (doubles); angles are degrees where named so, radians otherwise. Functions that can
// fail return a status (0 success) and deliver results through output parameters.
#pragma once

#include "view/view_mapping.h"

namespace plenwick {

// A line A·x + B·y + C = 0; (−B, A) points from the first defining point toward the second.
struct LineCoef {
  double a = 0;
  double b = 0;
  double c = 0;
};

// An axis-parallel rectangle (model mm); empty while min > max.
struct Box {
  double minX = 1;
  double minY = 1;
  double maxX = -1;
  double maxY = -1;

  static Box Around(ModelPoint p) { return {p.x, p.y, p.x, p.y}; }
  bool IsEmpty() const { return !(minX <= maxX && minY <= maxY); }
  void Add(ModelPoint p) {
    if (IsEmpty()) {
      *this = Around(p);
      return;
    }
    if (p.x < minX) minX = p.x;
    if (p.x > maxX) maxX = p.x;
    if (p.y < minY) minY = p.y;
    if (p.y > maxY) maxY = p.y;
  }
  void Grow(double margin) { minX -= margin; minY -= margin; maxX += margin; maxY += margin; }
  // Bounds inclusive.
  bool Contains(ModelPoint p) const { return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY; }
  bool Intersects(const Box& o) const { return minX <= o.maxX && o.minX <= maxX && minY <= o.maxY && o.minY <= maxY; }
};

// The value degrees are converted with.
inline constexpr double kPi = 3.141592653589793;
inline constexpr double DegreesToRadians(double degrees) { return degrees * kPi / 180.0; }

// Tolerances (model mm) of the geometry rules.
inline constexpr double kOnTolerance = 0.5;         // a point on a line or an arc; collinearity
inline constexpr double kCoincidentTolerance = 0.05;  // coincident points

// Whether p and q lie within the coincidence tolerance of each other in both x and y.
inline bool WithinCoincidence(ModelPoint p, ModelPoint q) {
  const double dx = p.x - q.x, dy = p.y - q.y;
  return dx <= kCoincidentTolerance && -dx <= kCoincidentTolerance && dy <= kCoincidentTolerance && -dy <= kCoincidentTolerance;
}

// The parameters t0 ≤ t1 within [tMin, tMax] of the part of a + t · (b − a) inside the box
// (bounds inclusive); false when no part lies inside or a = b.
bool ClipToBox(ModelPoint a, ModelPoint b, const Box& box, double tMin, double tMax, double* t0, double* t1);

// Distance between p and q; status −1 (and distance 0) when the points are identical.
int PointDistance(ModelPoint p, ModelPoint q, double* distance);
double Distance(ModelPoint p, ModelPoint q);

// Coefficients of the line through p1 and p2. Ends less than 0.5 apart in y make the line
// horizontal through p1, else less than 0.5 apart in x make it vertical through p1. Status −1
// for identical points.
int LineCoefficients(ModelPoint p1, ModelPoint p2, LineCoef* line);

// Meeting point of two lines; status −1 (determinant 0) or −2 (parallel directions).
int IntersectLines(const LineCoef& l1, const LineCoef& l2, ModelPoint* at);

// Meeting points of a line and a circle (count 0..2, the order of the rule); status −1 when they
// do not meet, −2 when A = B = 0. A line within 0.5 of tangency meets in one point, the foot.
int IntersectLineCircle(const LineCoef& line, ModelPoint centre, double radius, int* count, ModelPoint points[2]);

// Meeting points of two circles (count 1 or 2); status 1 when there are none.
int IntersectCircles(ModelPoint c1, double r1, ModelPoint c2, double r2, int* count, ModelPoint points[2]);

// Foot of the perpendicular from p on the line; status −1 when A² + B² < 0.0001.
int PerpendicularFoot(ModelPoint p, const LineCoef& line, ModelPoint* foot);

// 0 when p lies on the segment s1–s2 (within 0.5 of its line, not beyond its ends), −1 otherwise.
int IsOnSegment(ModelPoint p, ModelPoint s1, ModelPoint s2);

// 1 when p lies within 0.5 of the line, 0 otherwise.
int IsOnLine(ModelPoint p, const LineCoef& line);

// 0 when p lies on the arc from `start` to `end` about `centre` (direction +1 counter-clockwise,
// −1 clockwise), −1 otherwise. An arc whose ends are within 0.5 of each other is never hit.
int IsOnArc(int direction, ModelPoint p, ModelPoint start, ModelPoint end, ModelPoint centre, double radius);

// Arc length from p to q about `centre` in the direction (+1 counter-clockwise, −1 clockwise);
// 0 for points within 0.5 of each other; status 1 when their radii differ by more than 0.5.
int SweepLength(int direction, ModelPoint p, ModelPoint q, ModelPoint centre, double* length);

// IsOnArc for many points of one arc, with what depends on the arc alone worked out once.
class OnArcTest {
 public:
  OnArcTest(int direction, ModelPoint start, ModelPoint end, ModelPoint centre, double radius);
  // IsOnArc(direction, p, start, end, centre, radius).
  int Test(ModelPoint p) const;

 private:
  int direction_;
  ModelPoint start_;
  ModelPoint end_;
  ModelPoint centre_;
  double radius_;
  double startRadius_;  // distance of the start from the centre
  double startAngle_;   // radians
  double toEnd_ = 0;    // SweepLength from the start to the end, and its status
  int endStatus_;
};

struct CircleThrough3 {
  ModelPoint centre;
  double radius = 0;
  int orientation = 0;  // +1 counter-clockwise (1 → 2 → 3), −1 clockwise, 0 collinear
};
CircleThrough3 CircleFrom3Points(ModelPoint p1, ModelPoint p2, ModelPoint p3);

// The points of an arc at its start and end angles (degrees).
void ArcEndPoints(ModelPoint centre, double radius, double startDeg, double endDeg, ModelPoint* start, ModelPoint* end);

// Points where the tangents from p touch the circle (count 1 when p lies on it: p itself, or 2);
// status 1 when p lies inside.
int TangentPoints(ModelPoint p, ModelPoint centre, double radius, int* count, ModelPoint points[2]);

// p mirrored about the line; status 1 when A = B = 0.
int MirrorPoint(ModelPoint p, const LineCoef& line, ModelPoint* mirrored);

// The point at distance d from p1 toward p2 (p1 when the points coincide).
ModelPoint PointAlong(ModelPoint p1, ModelPoint p2, double d);
// The same when the points differ and their distance `length` (PointDistance) is known.
inline ModelPoint PointAlong(ModelPoint p1, ModelPoint p2, double d, double length) {
  return {p1.x + d * (p2.x - p1.x) / length, p1.y + d * (p2.y - p1.y) / length};
}

// Angle (degrees, 0 ≤ a < 360 in the direction) from p1 to p2 about `centre`; status 1 when
// the points are identical.
int AngleBetween(int direction, ModelPoint p1, ModelPoint p2, ModelPoint centre, double* degrees);

// Direction of p2 seen from p1: 1 up, 2 down, 3 right, 4 left, −1 for the same point.
int OctantOf(ModelPoint p1, ModelPoint p2);

// Index of the point nearest to p (the first of equals), or −1 when there is none within 1e5.
int NearestOfPoints(const double* xs, const double* ys, int count, ModelPoint p, ModelPoint* nearest);

// Direction angle (radians, 0 ≤ a < 2π) of the vector (dx, dy).
double SnapAngle(double dx, double dy);

}  // namespace plenwick
