// Plane geometry shared by every drawing and editing tool: lines as coefficients A·x + B·y + C = 0,
// their intersections with lines and circles, feet, arcs and angles. All lengths and coordinates
// are model mm (doubles); angles are degrees where named so, radians otherwise. Functions that can
// fail return a status (0 success) and deliver results through output parameters.
#pragma once

#include <vector>

namespace plenwick {

struct Point2 {
  double x = 0;
  double y = 0;
};

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

  static Box Around(Point2 p) { return {p.x, p.y, p.x, p.y}; }
  bool IsEmpty() const { return !(minX <= maxX && minY <= maxY); }
  void Add(Point2 p) {
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
  bool Contains(Point2 p) const { return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY; }
  bool Intersects(const Box& o) const { return minX <= o.maxX && o.minX <= maxX && minY <= o.maxY && o.minY <= maxY; }
};

// Tolerances (model mm) of the geometry rules.
inline constexpr double kOnTolerance = 0.5;         // a point on a line or an arc; collinearity
inline constexpr double kCoincidentTolerance = 0.05;  // coincident points

// Distance between p and q; status −1 (and distance 0) when the points are identical.
int PointDistance(Point2 p, Point2 q, double* distance);
double Distance(Point2 p, Point2 q);

// Coefficients of the line through p1 and p2. Ends less than 0.5 apart in y make the line
// horizontal through p1, else less than 0.5 apart in x make it vertical through p1. Status −1
// for identical points.
int LineCoefficients(Point2 p1, Point2 p2, LineCoef* line);

// Meeting point of two lines; status −1 (determinant 0) or −2 (parallel directions).
int IntersectLines(const LineCoef& l1, const LineCoef& l2, Point2* at);

// Meeting points of a line and a circle (count 0..2, the order of the rule); status −1 when they
// do not meet, −2 when A = B = 0. A line within 0.5 of tangency meets in one point, the foot.
int IntersectLineCircle(const LineCoef& line, Point2 centre, double radius, int* count, Point2 points[2]);

// Meeting points of two circles (count 1 or 2); status 1 when there are none.
int IntersectCircles(Point2 c1, double r1, Point2 c2, double r2, int* count, Point2 points[2]);

// Foot of the perpendicular from p on the line; status −1 when A² + B² < 0.0001.
int PerpendicularFoot(Point2 p, const LineCoef& line, Point2* foot);

// 0 when p lies on the segment s1–s2 (within 0.5 of its line, not beyond its ends), −1 otherwise.
int IsOnSegment(Point2 p, Point2 s1, Point2 s2);

// 1 when p lies within 0.5 of the line, 0 otherwise.
int IsOnLine(Point2 p, const LineCoef& line);

// 0 when p lies on the arc from `start` to `end` about `centre` (direction +1 counter-clockwise,
// −1 clockwise), −1 otherwise. An arc whose ends are within 0.5 of each other is never hit.
int IsOnArc(int direction, Point2 p, Point2 start, Point2 end, Point2 centre, double radius);

// Arc length from p to q about `centre` in the direction (+1 counter-clockwise, −1 clockwise);
// 0 for points within 0.5 of each other; status 1 when their radii differ by more than 0.5.
int SweepLength(int direction, Point2 p, Point2 q, Point2 centre, double* length);

struct CircleThrough3 {
  Point2 centre;
  double radius = 0;
  int orientation = 0;  // +1 counter-clockwise (1 → 2 → 3), −1 clockwise, 0 collinear
};
CircleThrough3 CircleFrom3Points(Point2 p1, Point2 p2, Point2 p3);

// The points of an arc at its start and end angles (degrees).
void ArcEndPoints(Point2 centre, double radius, double startDeg, double endDeg, Point2* start, Point2* end);

// Points where the tangents from p touch the circle (count 1 when p lies on it: p itself, or 2);
// status 1 when p lies inside.
int TangentPoints(Point2 p, Point2 centre, double radius, int* count, Point2 points[2]);

// p mirrored about the line; status 1 when A = B = 0.
int MirrorPoint(Point2 p, const LineCoef& line, Point2* mirrored);

// The point at distance d from p1 toward p2 (p1 when the points coincide).
Point2 PointAlong(Point2 p1, Point2 p2, double d);

// Angle (degrees, 0 ≤ a < 360 in the direction) from p1 to p2 about `centre`; status 1 when
// the points are identical.
int AngleBetween(int direction, Point2 p1, Point2 p2, Point2 centre, double* degrees);

// Direction of p2 seen from p1: 1 up, 2 down, 3 right, 4 left, −1 for the same point.
int OctantOf(Point2 p1, Point2 p2);

// Index of the point nearest to p (the first of equals), or −1 when there is none within 1e5.
int NearestOfPoints(const double* xs, const double* ys, int count, Point2 p, Point2* nearest);

// Direction angle (radians, 0 ≤ a < 2π) of the vector (dx, dy).
double SnapAngle(double dx, double dy);

// The uniform cubic B-spline through `points` (first and last repeated so that it starts and
// ends on them), sampled as a polyline of `samplesPerSpan` pieces per span.
std::vector<Point2> SampleBSpline(const Point2* points, int count, int samplesPerSpan);

}  // namespace plenwick
