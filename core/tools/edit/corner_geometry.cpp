// The corner construction: intersection, chamfer by distances along the lines, rounding arc
// centred where the lines moved inward by the distance meet.
#include "tools/edit/corner_geometry.h"

#include <cmath>

#include "model/entity_core.h"
#include "tools/draw/circle_geometry.h"
#include "tools/draw/line_geometry.h"

namespace plenwick {

namespace {

// The coefficients of the line through its stored ends, turned so that (−B, A) points from t
// toward `toward`: as stored, the offset side would depend on which way the line was drawn.
LineCoef OrientedToward(const LineCoef& line, ModelPoint t, ModelPoint toward) {
  if (-line.b * (toward.x - t.x) + line.a * (toward.y - t.y) >= 0) return line;
  return {-line.a, -line.b, -line.c};
}

// The line moved by d to the side s (+1 right of its direction (−B, A), −1 left).
LineCoef Offset(const LineCoef& line, double d, int s) {
  return {line.a, line.b, line.c - std::sqrt(line.a * line.a + line.b * line.b) * d * s};
}

bool Coincide(ModelPoint p, ModelPoint q) {
  return std::fabs(p.x - q.x) < kCoincidentTolerance && std::fabs(p.y - q.y) < kCoincidentTolerance;
}

bool Storable(ModelPoint p) { return std::isfinite(p.x) && std::isfinite(p.y) && InCoordinateRange(p.x) && InCoordinateRange(p.y); }

// The end kept by the trim: the first end when the pick lies between it and the corner.
ModelPoint KeptEnd(const CornerLine& line, ModelPoint t) {
  return IsOnSegment(line.picked, line.p1, t) == 0 ? line.p1 : line.p2;
}

}  // namespace

bool CornerDistanceUsable(double d) { return std::isfinite(d) && d >= kMinCornerDistance; }

std::optional<CornerResult> MakeCorner(const CornerLine& line1, const CornerLine& line2, const CornerSettings& settings) {
  const CornerStyle style = settings.style;
  const double d = settings.distance;
  LineCoef l1, l2;
  if (LineCoefficients(line1.p1, line1.p2, &l1) != 0 || LineCoefficients(line2.p1, line2.p2, &l2) != 0) return std::nullopt;
  if (IsOnLine(line2.p1, l1) && IsOnLine(line2.p2, l1)) return std::nullopt;
  ModelPoint t;
  if (IntersectLines(l1, l2, &t) != 0 || !Storable(t)) return std::nullopt;

  CornerResult r;
  r.kept1 = KeptEnd(line1, t);
  r.kept2 = KeptEnd(line2, t);
  r.end1 = r.end2 = t;
  if (style != CornerStyle::kSharpStyle) {
    if (!CornerDistanceUsable(d) || Coincide(line1.picked, t) || Coincide(line2.picked, t)) return std::nullopt;
    const ModelPoint a = PointAlong(t, line1.picked, d);
    const ModelPoint b = PointAlong(t, line2.picked, d);
    if (style == CornerStyle::kChamferStyle) {
      r.end1 = a;
      r.end2 = b;
      r.joinValues = {a.x, a.y, b.x, b.y};
    } else {
      // Counter-clockwise from line 1 to line 2 within a half turn: the inside is left of line 1.
      const double v = NormalizedDegrees(DirectionDegrees(t, b) - DirectionDegrees(t, a));
      const int s1 = v <= 180 ? -1 : 1;
      const LineCoef o1 = OrientedToward(l1, t, a);
      const LineCoef o2 = OrientedToward(l2, t, b);
      ModelPoint m;
      if (IntersectLines(Offset(o1, d, s1), Offset(o2, d, -s1), &m) != 0) return std::nullopt;
      if (PerpendicularFoot(m, l1, &r.end1) != 0 || PerpendicularFoot(m, l2, &r.end2) != 0) return std::nullopt;
      if (Coincide(r.end1, r.end2)) return std::nullopt;
      r.joinValues = {m.x, m.y, d, DirectionDegrees(m, r.end1), DirectionDegrees(m, r.end2)};
      r.arcDirection = s1;
    }
  }
  for (const ModelPoint& p : {r.end1, r.end2}) {
    if (!Storable(p)) return std::nullopt;
  }
  if ((settings.trim1 && Coincide(r.kept1, r.end1)) || (settings.trim2 && Coincide(r.kept2, r.end2))) return std::nullopt;
  if (style == CornerStyle::kChamferStyle && Coincide(r.end1, r.end2)) return std::nullopt;
  return r;
}

}  // namespace plenwick
