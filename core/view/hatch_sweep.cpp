// The sweep that cuts hatch lines to their boundary.
#include "view/hatch_sweep.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "view/geometry.h"

namespace plenwick {

namespace {

// A piece of boundary that moves one way along the normal: it covers offsets u0 ≤ u < u1.
// Straight: t = a + (u − u0) · b. Arc: the half (branch +1 or −1) of the circle of centre (a, b)
// in the family's coordinates and radius r ahead of or behind its centre.
struct SweepEdge {
  double u0 = 0;
  double u1 = 0;
  double a = 0;
  double b = 0;
  double r = 0;
  int branch = 0;

  double At(double u) const {
    if (branch == 0) return a + (u - u0) * b;
    const double d = u - a;
    return b + branch * std::sqrt(std::max(0.0, r * r - d * d));
  }
  bool Finite() const {
    return std::isfinite(u0) && std::isfinite(u1) && std::isfinite(a) && std::isfinite(b) && std::isfinite(r * r);
  }
};

class EdgeBuilder {
 public:
  EdgeBuilder(const LineFamily& f, std::size_t pieces) : f_(f) { edges_.reserve(pieces + 4); }

  void Straight(ModelPoint a, ModelPoint b) {
    double ua = U(a), ub = U(b), ta = T(a), tb = T(b);
    // A piece along the lines is met only by a line through it, at its ends: its neighbours
    // give those crossings.
    if (ua == ub) return;
    if (ua > ub) {
      std::swap(ua, ub);
      std::swap(ta, tb);
    }
    edges_.push_back({ua, ub, ta, (tb - ta) / (ub - ua), 0, 0});
  }

  // The arc of the circle (centre, radius) from angle `start` over the signed `sweep` (radians),
  // from vertex `from` to vertex `to`; split where its normal offset turns back.
  void Arc(ModelPoint centre, double radius, double start, double sweep, ModelPoint from, ModelPoint to) {
    const double r = std::fabs(radius);
    const double dir = sweep < 0 ? -1 : 1;
    const double total = std::fabs(sweep);
    const double normalAngle = std::atan2(f_.normal.y, f_.normal.x);
    double split = std::fmod(dir * (normalAngle - start), std::numbers::pi);
    if (split < 0) split += std::numbers::pi;
    if (split == 0) split = std::numbers::pi;
    auto on = [&](double s) {
      const double a = start + dir * s;
      return ModelPoint{centre.x + r * std::cos(a), centre.y + r * std::sin(a)};
    };
    const double cu = U(centre), ct = T(centre);
    double sa = 0;
    ModelPoint pa = from;
    while (sa < total) {
      const bool last = !(split < total);
      const double sb = last ? total : split;
      const ModelPoint pb = last ? to : on(sb);
      const double ua = U(pa), ub = U(pb);
      if (ua != ub) {
        const double mid = start + dir * (sa + sb) / 2;
        const int branch = f_.along.x * std::cos(mid) + f_.along.y * std::sin(mid) < 0 ? -1 : 1;
        edges_.push_back({std::min(ua, ub), std::max(ua, ub), cu, ct, r, branch});
      }
      sa = sb;
      pa = pb;
      split += std::numbers::pi;
    }
  }

  std::vector<SweepEdge>& edges() { return edges_; }

 private:
  double U(ModelPoint p) const { return (p.x - f_.origin.x) * f_.normal.x + (p.y - f_.origin.y) * f_.normal.y; }
  double T(ModelPoint p) const { return (p.x - f_.origin.x) * f_.along.x + (p.y - f_.origin.y) * f_.along.y; }

  const LineFamily& f_;
  std::vector<SweepEdge> edges_;
};

bool Finite(const BoundaryPiece& p) {
  return std::isfinite(p.point.x) && std::isfinite(p.point.y) && std::isfinite(p.centre.x) &&
         std::isfinite(p.centre.y) && std::isfinite(p.radius);
}

bool OnCircle(ModelPoint p, const BoundaryPiece& arc) {
  return std::fabs(std::hypot(p.x - arc.centre.x, p.y - arc.centre.y) - std::fabs(arc.radius)) <=
         kCoincidentTolerance;
}

// The boundary's monotone edges in the family's coordinates; none when a number is not finite.
std::vector<SweepEdge> EdgesOf(const LineFamily& family, const std::vector<BoundaryPiece>& pieces) {
  EdgeBuilder build(family, pieces.size());
  for (const BoundaryPiece& p : pieces) {
    if (!Finite(p)) return {};
    if (p.kind != BoundaryPiece::Kind::kCircle) continue;
    const double r = std::fabs(p.radius);
    const double a = std::atan2(family.normal.y, family.normal.x);
    const ModelPoint top{p.centre.x + r * std::cos(a), p.centre.y + r * std::sin(a)};
    build.Arc(p.centre, r, a, 2 * std::numbers::pi, top, top);
  }
  const std::vector<const BoundaryPiece*> chain = ChainOf(pieces);
  for (std::size_t k = 0; k < chain.size(); ++k) {
    const BoundaryPiece& p = *chain[k];
    const ModelPoint end = chain[(k + 1) % chain.size()]->point;
    double start = 0, sweep = 0;
    if (p.kind == BoundaryPiece::Kind::kArc && OnCircle(p.point, p) && OnCircle(end, p) &&
        ArcPieceSweep(p, end, &start, &sweep)) {
      build.Arc(p.centre, p.radius, start, sweep, p.point, end);
    } else {
      build.Straight(p.point, end);
    }
  }
  std::vector<SweepEdge>& edges = build.edges();
  for (const SweepEdge& e : edges) {
    if (!e.Finite()) return {};
  }
  return std::move(edges);
}

}  // namespace

bool SweepLineFamily(const LineFamily& family, const std::vector<BoundaryPiece>& pieces, int64_t maxLines,
                     HatchBudget& budget, const std::function<void(int64_t k, double t0, double t1)>& inside,
                     const LineSelection& wanted) {
  const double s = family.spacing;
  if (!(s > 0) || !std::isfinite(s)) return false;
  std::vector<SweepEdge> edges = EdgesOf(family, pieces);
  if (edges.empty()) return true;
  std::sort(edges.begin(), edges.end(), [](const SweepEdge& a, const SweepEdge& b) { return a.u0 < b.u0; });
  double top = edges.front().u1;
  for (const SweepEdge& e : edges) top = std::max(top, e.u1);
  const double first = std::ceil(edges.front().u0 / s), last = std::floor(top / s);
  if (!std::isfinite(first) || !std::isfinite(last) || std::fabs(first) > 1e15 || std::fabs(last) > 1e15) return false;
  if (last - first + 1 > static_cast<double>(maxLines)) return false;
  const double from = std::max(first, std::ceil(wanted.from / s)), to = std::min(last, std::floor(wanted.to / s));
  if (!(from <= to) || wanted.stride < 1) return true;
  // Offsets stay within 1e15 lines of 0, so a longer stride would select line 0 at most anyway.
  const int64_t stride = std::min<int64_t>(wanted.stride, int64_t{1} << 51);
  auto begin = static_cast<int64_t>(from);
  if (const int64_t r = ((begin % stride) + stride) % stride; r != 0) begin += stride - r;
  const auto end = static_cast<int64_t>(to);
  if (begin > end) return true;

  std::vector<const SweepEdge*> active;
  std::vector<double> crossings;
  std::size_t next = 0;
  for (int64_t n = 0, count = (end - begin) / stride; n <= count; ++n) {
    const int64_t k = begin + n * stride;
    const double u = static_cast<double>(k) * s;
    while (next < edges.size() && edges[next].u0 <= u) active.push_back(&edges[next++]);
    crossings.clear();
    for (std::size_t i = 0; i < active.size();) {
      if (active[i]->u1 <= u) {
        active[i] = active.back();
        active.pop_back();
        continue;
      }
      crossings.push_back(active[i]->At(u));
      ++i;
    }
    if (crossings.empty()) continue;
    budget.crossings -= static_cast<int64_t>(crossings.size());
    if (budget.crossings < 0) return false;
    if (crossings.size() % 2 != 0) continue;  // a boundary that does not close: no line rather than one outside
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      if (!(crossings[i] < crossings[i + 1])) continue;
      if (--budget.segments < 0) return false;
      inside(k, crossings[i], crossings[i + 1]);
    }
  }
  return true;
}

}  // namespace plenwick
