// Offset circles, chains and loops, and where consecutive offsets meet.
#include "tools/edit/offset_geometry.h"

#include <cmath>

#include "tools/draw/circle_geometry.h"
#include "tools/draw/element_adding.h"
#include "tools/draw/line_geometry.h"
#include "tools/edit/arc_span.h"
#include "view/entity_shape.h"

namespace plenwick {

namespace {

// Relative size below which a discriminant or determinant counts as zero: offsets of pieces that
// touch (a line tangent to an arc) still touch, up to rounding.
constexpr double kRelativeZero = 1e-9;

double Cross(ModelPoint a, ModelPoint b) { return a.x * b.y - a.y * b.x; }
ModelPoint Minus(ModelPoint a, ModelPoint b) { return {a.x - b.x, a.y - b.y}; }

// A piece moved to its offset: ends that fall where it would end alone, and its line or circle.
struct Offset {
  WalkedPiece piece;  // from, to, centre, radius of the offset
  double sweep = 0;   // arcs: the source's sweep in the walk's sense (degrees)
};

double WalkedSweep(const WalkedPiece& p) {
  const double sweep = NormalizedDegrees(p.direction * (AngleAbout(p.centre, p.to) - AngleAbout(p.centre, p.from)));
  return sweep > 0 ? sweep : 360;
}

std::optional<Offset> OffsetOf(const WalkedPiece& p, int side, double d) {
  Offset o{p, 0};
  if (!p.arc) {
    const LineEnds moved = OffsetSegment(p.from, p.to, side * d);
    o.piece.from = moved.a;
    o.piece.to = moved.b;
    return o;
  }
  // To the left of a counter-clockwise walk lies the centre.
  const double radius = p.radius - side * p.direction * d;
  if (!(radius >= kMinToolRadius)) return std::nullopt;
  const double k = radius / p.radius;
  o.piece.radius = radius;
  o.piece.from = {p.centre.x + (p.from.x - p.centre.x) * k, p.centre.y + (p.from.y - p.centre.y) * k};
  o.piece.to = {p.centre.x + (p.to.x - p.centre.x) * k, p.centre.y + (p.to.y - p.centre.y) * k};
  o.sweep = WalkedSweep(p);
  return o;
}

// Where the lines or circles of two offsets cross, up to two points.
std::vector<ModelPoint> Meetings(const WalkedPiece& a, const WalkedPiece& b) {
  if (!a.arc && !b.arc) {
    const ModelPoint da = Minus(a.to, a.from), db = Minus(b.to, b.from);
    const double det = Cross(da, db);
    if (!(std::fabs(det) > kRelativeZero * std::hypot(da.x, da.y) * std::hypot(db.x, db.y))) return {};
    const double t = Cross(Minus(b.from, a.from), db) / det;
    return {{a.from.x + t * da.x, a.from.y + t * da.y}};
  }
  if (a.arc != b.arc) {
    const WalkedPiece& line = a.arc ? b : a;
    const WalkedPiece& round = a.arc ? a : b;
    const ModelPoint dir = Minus(line.to, line.from), rel = Minus(line.from, round.centre);
    const double qa = dir.x * dir.x + dir.y * dir.y;
    const double qb = 2 * (dir.x * rel.x + dir.y * rel.y);
    const double qc = rel.x * rel.x + rel.y * rel.y - round.radius * round.radius;
    double disc = qb * qb - 4 * qa * qc;
    if (disc < 0 && disc > -kRelativeZero * (qb * qb + std::fabs(4 * qa * qc))) disc = 0;
    if (!(disc >= 0) || !(qa > 0)) return {};
    const double root = std::sqrt(disc);
    std::vector<ModelPoint> out;
    for (const double t : {(-qb - root) / (2 * qa), (-qb + root) / (2 * qa)}) {
      out.push_back({line.from.x + t * dir.x, line.from.y + t * dir.y});
    }
    return out;
  }
  const ModelPoint between = Minus(b.centre, a.centre);
  const double dist = std::hypot(between.x, between.y);
  if (!(dist > 0)) return {};
  const double along = (a.radius * a.radius - b.radius * b.radius + dist * dist) / (2 * dist);
  double h2 = a.radius * a.radius - along * along;
  if (h2 < 0 && h2 > -kRelativeZero * a.radius * a.radius) h2 = 0;
  if (!(h2 >= 0)) return {};
  const double h = std::sqrt(h2);
  const ModelPoint u{between.x / dist, between.y / dist};
  const ModelPoint base{a.centre.x + along * u.x, a.centre.y + along * u.y};
  return {{base.x - h * u.y, base.y + h * u.x}, {base.x + h * u.y, base.y - h * u.x}};
}

std::optional<ModelPoint> MeetingNear(const WalkedPiece& a, const WalkedPiece& b) {
  const ModelPoint near{(a.to.x + b.from.x) / 2, (a.to.y + b.from.y) / 2};
  std::optional<ModelPoint> best;
  for (const ModelPoint p : Meetings(a, b)) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
    if (!best || Distance(p, near) < Distance(*best, near)) best = p;
  }
  return best;
}

// The record of an offset between its joined ends, in the source's stored order; none when it
// turned back or shrank to nothing.
std::optional<RecordGeometry> RecordOf(const Offset& o, ModelPoint start, ModelPoint end) {
  const WalkedPiece& p = o.piece;
  const DrawEntity& source = *p.record;
  if (!p.arc) {
    const ModelPoint was = Minus(p.to, p.from), now = Minus(end, start);
    if (!(was.x * now.x + was.y * now.y > 0)) return std::nullopt;
    std::optional<RecordGeometry> g = p.reversed ? LineRecord(end, start) : LineRecord(start, end);
    if (g) g->subKind = source.subKind;
    return g;
  }
  const double a0 = AngleAbout(p.centre, start), a1 = AngleAbout(p.centre, end);
  const double sweep = NormalizedDegrees(p.direction * (a1 - a0));
  if (!(sweep > 0) || std::fabs(sweep - o.sweep) > 180 || !(Distance(start, end) > kShortestPiece)) return std::nullopt;
  return p.reversed ? ArcRecord(p.centre, p.radius, a1, a0, -p.direction)
                    : ArcRecord(p.centre, p.radius, a0, a1, p.direction);
}

}  // namespace

std::optional<RecordGeometry> OffsetRound(const DrawEntity& e, ModelPoint q, double d) {
  CircleShape shape;
  if (!CircleOf(e, &shape) || !shape.whole || !(shape.radius > 0)) return std::nullopt;
  const double radius = Distance(q, shape.centre) <= shape.radius ? shape.radius - d : shape.radius + d;
  if (!(radius >= kMinToolRadius)) return std::nullopt;
  RecordGeometry g = GeometryOf(e);
  g.values[2] = radius;
  if (!ToolElementStorable(g.kind, g.values)) return std::nullopt;
  return g;
}

int SideOfFirstPiece(const WalkedPiece& first, ModelPoint q) {
  if (first.arc && Distance(q, first.centre) < first.radius) return first.direction;
  return Cross(Minus(first.to, first.from), Minus(q, first.from)) >= 0 ? 1 : -1;
}

int InsideSideOf(const Chain& loop) { return LoopOrientation(loop) >= 0 ? 1 : -1; }

std::optional<std::vector<OffsetRecord>> OffsetChain(const Chain& chain, int side, double d) {
  const std::size_t n = chain.pieces.size();
  std::vector<Offset> offsets;
  for (const WalkedPiece& p : chain.pieces) {
    std::optional<Offset> o = OffsetOf(p, side, d);
    if (!o) return std::nullopt;
    offsets.push_back(*o);
  }
  std::vector<ModelPoint> starts, ends;
  for (const Offset& o : offsets) {
    starts.push_back(o.piece.from);
    ends.push_back(o.piece.to);
  }
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t next = (i + 1) % n;
    if ((next == 0 && !chain.closed) || next == i) continue;
    if (const std::optional<ModelPoint> at = MeetingNear(offsets[i].piece, offsets[next].piece)) {
      ends[i] = *at;
      starts[next] = *at;
    }
  }
  std::vector<OffsetRecord> out;
  for (std::size_t i = 0; i < n; ++i) {
    std::optional<RecordGeometry> g = RecordOf(offsets[i], starts[i], ends[i]);
    if (!g) return std::nullopt;
    out.push_back({offsets[i].piece.record, std::move(*g)});
  }
  return out;
}

}  // namespace plenwick
