// The constructions of the development drawings.
#include "tools/draw/develop_geometry.h"

#include <cmath>
#include <functional>

#include "view/geometry.h"

namespace plenwick {

namespace {

constexpr double kTwoPi = 2 * kPi;
// Ends closer than this (mm) in x and y make a line without length: rounding left it.
constexpr double kNoLength = 1e-9;

// Collects the pieces, leaving out lines without length and repeated folds, and follows a
// chain of lines from point to point.
class PieceList {
 public:
  void Line(ModelPoint a, ModelPoint b) {
    if (std::fabs(a.x - b.x) > kNoLength || std::fabs(a.y - b.y) > kNoLength) pieces_.push_back(LinePiece(a, b));
  }
  void Add(const GroupPiece& piece) { pieces_.push_back(piece); }
  void StartChain(ModelPoint p) { last_ = p; }
  void To(ModelPoint p) {
    Line(last_, p);
    last_ = p;
  }
  ModelPoint last() const { return last_; }
  // A fold of a development: from the chain's current point straight down to the base.
  void FoldTo(double baseY) {
    if (hasFold_ && std::fabs(foldX_ - last_.x) <= kNoLength) return;
    Line(last_, {last_.x, baseY});
    hasFold_ = true;
    foldX_ = last_.x;
  }
  std::vector<GroupPiece> Take() { return std::move(pieces_); }

 private:
  std::vector<GroupPiece> pieces_;
  ModelPoint last_;
  bool hasFold_ = false;
  double foldX_ = 0;
};

// The angle of the i-th of n pieces of a full turn. Multiplying rather than summing keeps a last
// step from leaving a piece of almost no length.
double TurnAngle(int i, int n) { return n > 0 ? kTwoPi * i / n : 0; }

void Cylinder(PieceList& out, ModelPoint at, const DevelopInput& in) {
  const double r = in.radius, h1 = in.height1, h2 = in.height2;
  const double x = at.x, y = at.y, yb = y + 3 * r, xd = x + 3 * r;
  out.Add(CirclePiece({x + r, y + r}, r));
  out.Line({x, yb}, {x + 2 * r, yb});
  out.Line({x + 2 * r, yb}, {x + 2 * r, yb + h2});
  out.Line({x + 2 * r, yb + h2}, {x, yb + h1});
  out.Line({x, yb + h1}, {x, yb});
  out.Line({xd, yb}, {xd, yb + h1});
  out.StartChain({xd, yb + h1});
  for (int i = 1; i < in.divisions; ++i) {
    const double phi = TurnAngle(i, in.divisions);
    out.To({xd + phi * r, yb + h1 + (1 - std::cos(phi)) * (h2 - h1) / 2});
  }
  const double end = xd + kTwoPi * r;
  out.To({end, yb + h1});
  out.Line({end, yb + h1}, {end, yb});
  out.Line({end, yb}, {xd, yb});
}

void SquarePrism(PieceList& out, ModelPoint at, const DevelopInput& in) {
  const double l1 = in.length1, l2 = in.length2, h1 = in.height1, h2 = in.height2, r = in.radius;
  const double x = at.x, y = at.y;
  const double s = (h2 - h1) / l1, c = y + 1.5 * l2, d = c + h1, x0 = x + l1 + l2 / 2;
  out.Line({x + r, y + l2}, {x + l1 - r, y + l2});
  out.Line({x + l1, y + l2 - r}, {x + l1, y + r});
  out.Line({x + l1 - r, y}, {x + r, y});
  out.Line({x, y + r}, {x, y + l2 - r});
  if (r > 0.005) {
    out.Add(ArcPiece({x + l1 - r, y + l2 - r}, r, 0, 90));
    out.Add(ArcPiece({x + l1 - r, y + r}, r, 270, 0));
    out.Add(ArcPiece({x + r, y + r}, r, 180, 270));
    out.Add(ArcPiece({x + r, y + l2 - r}, r, 90, 180));
  }
  out.Line({x, c}, {x, c + h1});
  out.Line({x, c + h1}, {x + l1, c + h2});
  out.Line({x + l1, c + h2}, {x + l1, c});
  out.Line({x + l1, c}, {x, c});

  const int n = in.divisions;
  const double step = n > 0 ? kTwoPi / n : 0;
  // A rounded corner from the chain's point: points R·Δ apart in x at the heights `height` gives
  // for each angle, then the corner's end, then its fold.
  const auto corner = [&](const std::function<double(double)>& height, ModelPoint end) {
    const double from = out.last().x;
    for (int i = 1; 4 * i < n; ++i) out.To({from + i * r * step, height(TurnAngle(i, n))});
    out.To(end);
    out.FoldTo(c);
  };
  const double arc = kPi * r / 2;
  out.Line({x0, c}, {x0, d});
  out.StartChain({x0, d});
  out.To({x0 + l2 / 2 - r, d});
  out.FoldTo(c);
  const double x1 = x0 + l2 / 2 - r + arc;
  corner([&](double phi) { return d + s * r * (1 - std::cos(phi)); }, {x1, d + s * r});
  out.To({x1 + l1 - 2 * r, d + s * (l1 - r)});
  out.FoldTo(c);
  const double x2 = x1 + l1 - 2 * r + arc;
  corner([&](double phi) { return d + s * (l1 - r * (1 - std::sin(phi))); }, {x2, c + h2});
  out.To({x2 + l2 - 2 * r, c + h2});
  out.FoldTo(c);
  const double x3 = x2 + l2 - 2 * r + arc;
  corner([&](double phi) { return d + s * (l1 - r * (1 - std::cos(phi))); }, {x3, c + h2 - s * r});
  out.To({x3 + l1 - 2 * r, d + s * r});
  out.FoldTo(c);
  const double x4 = x3 + l1 - 2 * r + arc;
  corner([&](double phi) { return d + s * r * (1 - std::sin(phi)); }, {x4, d});
  const double xEnd = x4 + l2 / 2 - r;
  out.To({xEnd, d});
  out.FoldTo(c);
  out.Line({xEnd, c}, {x0, c});
}

// Where the line through a and b meets the line through e and f, with the slope rules of the
// cone's construction; (0, 0) when they do not meet.
ModelPoint MeetingPoint(ModelPoint a, ModelPoint b, ModelPoint e, ModelPoint f) {
  constexpr double kEps = 0.0005;
  const bool firstVertical = std::fabs(b.x - a.x) < kEps, secondVertical = std::fabs(f.x - e.x) < kEps;
  if (firstVertical) {
    if (secondVertical) return {0, 0};
    return {a.x, e.y + (a.x - e.x) * (f.y - e.y) / (f.x - e.x)};
  }
  const double m = (b.y - a.y) / (b.x - a.x);
  if (secondVertical) return {e.x, a.y + m * (e.x - a.x)};
  const double q = (f.y - e.y) / (f.x - e.x);
  if (std::fabs(m) < kEps) {
    if (std::fabs(q) < kEps) return {0, 0};
    return {e.x + (a.y - e.y) / q, a.y};
  }
  if (std::fabs(q) < kEps) return {a.x + (e.y - a.y) / m, e.y};
  // Parallel lines: a generator parallel to the cutting plane never meets it.
  if (m == q) return {0, 0};
  const double mx = (e.y + a.x * m - a.y - e.x * q) / (m - q);
  return {mx, a.y + m * (mx - a.x)};
}

void Cone(PieceList& out, ModelPoint at, const DevelopInput& in) {
  const double r = in.radius, h1 = in.height1, h2 = in.height2;
  const double k = std::tan(DegreesToRadians(in.angle));
  const double x = at.x, y = at.y, xc = x + r, yb = y + 2.5 * r, u = h2 - k * r, t = h2 + k * r;
  out.Line({x, yb}, {x + 2 * r, yb});
  out.Line({x, yb}, {xc, yb + h1});
  out.Line({x + 2 * r, yb}, {xc, yb + h1});
  out.Line({x, yb + u}, {x + 2 * r, yb + t});
  out.Add(CirclePiece({xc, y + r}, r));

  // How far down its generator, as a share of the generator, the plane cuts at azimuth φ.
  const auto share = [&](double phi) {
    const double z = MeetingPoint({0, h1}, {r * std::cos(phi), 0}, {-r, u}, {r, t}).y;
    return (h1 - z) / h1;
  };
  const int n = in.divisions;
  const auto planPoint = [&](double phi) {
    const double rho = share(phi) * r;
    return ModelPoint{xc + rho * std::cos(phi), y + r + rho * std::sin(phi)};
  };
  out.StartChain(planPoint(0));
  for (int i = 1; i < n; ++i) out.To(planPoint(TurnAngle(i, n)));
  out.To(planPoint(kTwoPi));

  const ModelPoint p{x + 3 * r, y + h1 + 0.25 * r};
  const double slant = std::sqrt(h1 * h1 + r * r);
  if (!(slant > 0)) return;
  const double alpha = kPi * r / slant;
  const double alphaDegrees = alpha * 180 / kPi;
  if (alphaDegrees > 0) out.Add(ArcPiece(p, slant, 360 - alphaDegrees, alphaDegrees));
  for (const double side : {1.0, -1.0}) {
    const auto devPoint = [&](double phi) {
      const double dist = share(phi) * slant, psi = phi * r / slant;
      return ModelPoint{p.x + dist * std::cos(psi), p.y + side * dist * std::sin(psi)};
    };
    out.StartChain(devPoint(0));
    for (int i = 1; 2 * i < n; ++i) out.To(devPoint(TurnAngle(i, n)));
    out.To(devPoint(kPi));
    out.Line({p.x + slant * std::cos(alpha), p.y + side * slant * std::sin(alpha)}, out.last());
  }
}

}  // namespace

std::vector<GroupPiece> DevelopmentPieces(ModelPoint at, const DevelopInput& input) {
  PieceList out;
  switch (input.body) {
    case DevelopBody::kCylinder: Cylinder(out, at, input); break;
    case DevelopBody::kSquarePrism: SquarePrism(out, at, input); break;
    case DevelopBody::kCone: Cone(out, at, input); break;
  }
  return out.Take();
}

}  // namespace plenwick
