// Cutting a piece out of a line, circle or arc.
#include "tools/edit/cut_geometry.h"

#include <algorithm>

#include "tools/draw/circle_geometry.h"
#include "tools/edit/arc_span.h"
#include "view/entity_shape.h"

namespace plenwick {

namespace {

// Where p lies along a–b: 0 at a, 1 at b.
double Along(ModelPoint a, ModelPoint b, ModelPoint p) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  return ((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy);
}

ModelPoint Lerp(ModelPoint a, ModelPoint b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

// Degrees along the span, a position beyond the arc's end taken to the nearer end.
double AlongArc(const ArcSpan& span, ModelPoint p) {
  const double u = span.Along(p);
  if (u <= span.sweepDeg) return u;
  return u - span.sweepDeg < 360 - u ? span.sweepDeg : 0;
}

void Keep(std::optional<RecordGeometry> piece, int16_t subKind, CutPlan* plan) {
  if (!piece) return;
  if (piece->kind == kLine) piece->subKind = subKind;
  plan->kept.push_back(std::move(*piece));
}

}  // namespace

std::optional<ModelPoint> CutPosition(const DrawEntity& e, ModelPoint click) {
  ModelPoint a, b;
  CircleShape s;
  if (e.kind == kLine && SegmentOf(e, &a, &b)) {
    if (!(Distance(a, b) > 0)) return std::nullopt;
    return Lerp(a, b, std::clamp(Along(a, b, click), 0.0, 1.0));
  }
  if (!CircleOf(e, &s)) return std::nullopt;
  const std::optional<ModelPoint> on = PointOnCircleToward(s.centre, s.radius, click);
  if (!on || s.whole) return on;
  const ArcSpan span = ArcSpan::Of(s);
  return span.At(AlongArc(span, *on));
}

CutPlan PlanCut(const DrawEntity& e, ModelPoint from, ModelPoint to, double pixelsPerMm) {
  CutPlan plan;
  ModelPoint a, b;
  CircleShape s;
  if (e.kind == kLine && SegmentOf(e, &a, &b)) {
    if (!(Distance(a, b) > 0)) return plan;
    double t0 = Along(a, b, from), t1 = Along(a, b, to);
    if (t0 > t1) std::swap(t0, t1);
    const ModelPoint m0 = Lerp(a, b, t0), m1 = Lerp(a, b, t1);
    if (!(Distance(m0, m1) >= kShortestPiece)) return plan;
    Keep(LineRecord(a, m0), e.subKind, &plan);
    Keep(LineRecord(m1, b), e.subKind, &plan);
    plan.goes = {m0, m1};
  } else if (CircleOf(e, &s)) {
    if (s.whole) {
      // Counter-clockwise from the start to the end goes; the rest stays as one arc.
      const ArcSpan turned{s.centre, s.radius, AngleAbout(s.centre, from), 360, 1};
      const double end = turned.Along(to);
      if (!(DegreesToRadians(end) * s.radius >= kShortestPiece)) return plan;
      Keep(turned.Piece(end, 360), e.subKind, &plan);
      plan.goes = ArcPolyline(s.centre, s.radius, turned.startDeg, NormalizedDegrees(turned.startDeg + end), 1,
                              pixelsPerMm);
    } else {
      const ArcSpan span = ArcSpan::Of(s);
      double u0 = AlongArc(span, from), u1 = AlongArc(span, to);
      if (u0 > u1) std::swap(u0, u1);
      if (!(DegreesToRadians(u1 - u0) * s.radius >= kShortestPiece)) return plan;
      Keep(span.Piece(0, u0), e.subKind, &plan);
      Keep(span.Piece(u1, span.sweepDeg), e.subKind, &plan);
      plan.goes = ArcPolyline(s.centre, s.radius, NormalizedDegrees(span.startDeg + span.direction * u0),
                              NormalizedDegrees(span.startDeg + span.direction * u1), span.direction, pixelsPerMm);
    }
  }
  if (plan.kept.empty()) plan.goes.clear();
  return plan;
}

}  // namespace plenwick
