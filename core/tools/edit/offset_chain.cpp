// Following joined lines and arcs, and the ray test of a loop.
#include "tools/edit/offset_chain.h"

#include <algorithm>
#include <cmath>

#include "tools/draw/circle_geometry.h"
#include "tools/edit/arc_span.h"
#include "view/entity_shape.h"

namespace plenwick {

namespace {

// Ends this close in x and in y join (mm).
constexpr double kJoinTolerance = kOnTolerance;
// Points an arc is sampled with for a loop's orientation.
constexpr int kOrientationSamples = 8;

bool Joins(ModelPoint a, ModelPoint b) {
  return std::fabs(a.x - b.x) <= kJoinTolerance && std::fabs(a.y - b.y) <= kJoinTolerance;
}

// Degrees an arc piece turns from its `from` to its `to`, in (0, 360].
double SweepOf(const WalkedPiece& p) {
  const double sweep = NormalizedDegrees(p.direction * (AngleAbout(p.centre, p.to) - AngleAbout(p.centre, p.from)));
  return sweep > 0 ? sweep : 360;
}

ModelPoint OnArc(const WalkedPiece& p, double u) {
  const double a = DegreesToRadians(AngleAbout(p.centre, p.from) + p.direction * u);
  return {p.centre.x + p.radius * std::cos(a), p.centre.y + p.radius * std::sin(a)};
}

// Whether a piece from a to b crosses the ray from q to +x, ends on the ray counting as above it;
// `xAt` gives the piece's x at q's height.
template <typename XAt>
int Crossing(double ya, double yb, ModelPoint q, XAt xAt) {
  if ((ya >= q.y) == (yb >= q.y)) return 0;
  return xAt() > q.x ? 1 : 0;
}

int ArcCrossings(const WalkedPiece& p, ModelPoint q) {
  // Split where the arc turns in y (at 90 and 270 degrees) so that each part rises or falls.
  const double sweep = SweepOf(p);
  const double start = AngleAbout(p.centre, p.from);
  std::vector<double> cuts{0};
  for (const double turn : {90.0, 270.0}) {
    const double u = NormalizedDegrees(p.direction * (turn - start));
    if (u > 0 && u < sweep) cuts.push_back(u);
  }
  std::sort(cuts.begin(), cuts.end());
  cuts.push_back(sweep);
  int count = 0;
  for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
    const double ua = cuts[i], ub = cuts[i + 1];
    // The piece's own ends keep the values the neighbours' ends are compared with.
    const double ya = i == 0 ? p.from.y : OnArc(p, ua).y;
    const double yb = i + 2 == cuts.size() ? p.to.y : OnArc(p, ub).y;
    const bool right = std::cos(DegreesToRadians(start + p.direction * (ua + ub) / 2)) > 0;
    count += Crossing(ya, yb, q, [&] {
      const double dy = q.y - p.centre.y;
      const double half = std::sqrt(std::max(0.0, p.radius * p.radius - dy * dy));
      return right ? p.centre.x + half : p.centre.x - half;
    });
  }
  return count;
}

}  // namespace

std::optional<WalkedPiece> PieceOf(const DrawEntity& e) {
  WalkedPiece p;
  p.record = &e;
  if (e.kind == kLine) {
    if (!SegmentOf(e, &p.from, &p.to) || e.valueCount != 4) return std::nullopt;
    if (!(Distance(p.from, p.to) > 0)) return std::nullopt;
    return p;
  }
  CircleShape shape;
  if (e.kind != kArc || !CircleOf(e, &shape) || shape.whole || !(shape.radius > 0) || !std::isfinite(shape.radius)) {
    return std::nullopt;
  }
  p.arc = true;
  p.from = shape.start;
  p.to = shape.end;
  p.centre = shape.centre;
  p.radius = shape.radius;
  p.direction = shape.direction;
  if (!std::isfinite(p.from.x + p.from.y + p.to.x + p.to.y + p.centre.x + p.centre.y)) return std::nullopt;
  return p;
}

WalkedPiece Reversed(WalkedPiece p) {
  std::swap(p.from, p.to);
  p.reversed = !p.reversed;
  p.direction = -p.direction;
  return p;
}

PieceNetwork::PieceNetwork(const std::vector<const DrawEntity*>& records) {
  for (const DrawEntity* e : records) {
    std::optional<WalkedPiece> p = PieceOf(*e);
    if (!p || index_.count(e)) continue;
    index_[e] = pieces_.size();
    File(p->from, pieces_.size());
    File(p->to, pieces_.size());
    pieces_.push_back(*p);
  }
}

long long PieceNetwork::Cell(double v) {
  // Hostile coordinates share the outermost cells instead of overflowing.
  return static_cast<long long>(std::floor(std::clamp(v, -1e15, 1e15)));
}

void PieceNetwork::File(ModelPoint p, std::size_t piece) {
  ends_.emplace(Cell(p.x) * 2000003 + Cell(p.y), piece);
}

std::optional<WalkedPiece> PieceNetwork::NextAt(ModelPoint at, std::size_t except, const std::vector<bool>& used) const {
  std::size_t best = pieces_.size();
  for (long long cx = Cell(at.x - kJoinTolerance); cx <= Cell(at.x + kJoinTolerance); ++cx) {
    for (long long cy = Cell(at.y - kJoinTolerance); cy <= Cell(at.y + kJoinTolerance); ++cy) {
      const auto [first, last] = ends_.equal_range(cx * 2000003 + cy);
      for (auto it = first; it != last; ++it) {
        const std::size_t j = it->second;
        if (j == except || j >= best) continue;
        if (Joins(pieces_[j].from, at) || Joins(pieces_[j].to, at)) best = j;
      }
    }
  }
  if (best == pieces_.size() || used[best]) return std::nullopt;
  const WalkedPiece& p = pieces_[best];
  return Joins(p.from, at) ? p : Reversed(p);
}

Chain PieceNetwork::ChainThrough(const DrawEntity& record, std::size_t steps) const {
  Chain chain;
  const auto found = index_.find(&record);
  if (found == index_.end()) return chain;
  const std::size_t start = found->second;
  std::vector<bool> used(pieces_.size(), false);
  used[start] = true;
  std::vector<WalkedPiece> ahead{pieces_[start]};
  // Forward from the record's end; coming back to the record closes the loop.
  for (std::size_t k = 0; k < steps; ++k) {
    const WalkedPiece& last = ahead.back();
    used[start] = false;
    std::optional<WalkedPiece> next = NextAt(last.to, index_.at(last.record), used);
    used[start] = true;
    if (next && next->record == &record) {
      chain.pieces = std::move(ahead);
      chain.closed = true;
      return chain;
    }
    if (!next) break;
    used[index_.at(next->record)] = true;
    ahead.push_back(*next);
  }
  // Back from the record's start.
  std::vector<WalkedPiece> behind;
  ModelPoint at = pieces_[start].from;
  std::size_t from = start;
  for (std::size_t k = 0; k < steps; ++k) {
    std::optional<WalkedPiece> next = NextAt(at, from, used);
    if (!next) break;
    // Walked toward `at`.
    const WalkedPiece piece = Reversed(*next);
    from = index_.at(piece.record);
    used[from] = true;
    at = piece.from;
    behind.push_back(piece);
  }
  chain.pieces.assign(behind.rbegin(), behind.rend());
  chain.pieces.insert(chain.pieces.end(), ahead.begin(), ahead.end());
  return chain;
}

bool InsideLoop(const Chain& loop, ModelPoint q) {
  int crossings = 0;
  for (const WalkedPiece& p : loop.pieces) {
    if (p.arc) {
      crossings += ArcCrossings(p, q);
      continue;
    }
    crossings += Crossing(p.from.y, p.to.y, q, [&] {
      return p.from.x + (q.y - p.from.y) * (p.to.x - p.from.x) / (p.to.y - p.from.y);
    });
  }
  return crossings % 2 == 1;
}

double LoopOrientation(const Chain& loop) {
  std::vector<ModelPoint> outline;
  for (const WalkedPiece& p : loop.pieces) {
    outline.push_back(p.from);
    if (!p.arc) continue;
    const double sweep = SweepOf(p);
    for (int i = 1; i < kOrientationSamples; ++i) outline.push_back(OnArc(p, sweep * i / kOrientationSamples));
  }
  double twice = 0;
  for (std::size_t i = 0; i < outline.size(); ++i) {
    const ModelPoint a = outline[i], b = outline[(i + 1) % outline.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return twice;
}

}  // namespace plenwick
