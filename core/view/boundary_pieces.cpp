// Coded boundary pieces of paints and hatchings.
#include "view/boundary_pieces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace plenwick {

std::vector<BoundaryPiece> ReadBoundaryPieces(const DrawEntity& entity, int first, int maxPieces) {
  std::vector<BoundaryPiece> pieces;
  if (!entity.values || !entity.codes) return pieces;
  const int n = entity.valueCount;
  const double* v = entity.values.get();
  int i = first < 0 ? 0 : first;
  while (i < n && static_cast<int>(pieces.size()) < maxPieces) {
    const int code = entity.codes[i];
    BoundaryPiece p;
    if (code == 10 && i + 1 < n) {
      p.point = {v[i], v[i + 1]};
      i += 2;
    } else if ((code == 0 || code == 1) && i + 4 < n) {
      p.kind = BoundaryPiece::Kind::kArc;
      p.centre = {v[i], v[i + 1]};
      p.radius = v[i + 2];
      p.point = {v[i + 3], v[i + 4]};
      p.counterClockwise = code == 1;
      i += 5;
    } else if (code == 50 && i + 2 < n) {
      p.kind = BoundaryPiece::Kind::kCircle;
      p.centre = {v[i], v[i + 1]};
      p.radius = v[i + 2];
      p.point = p.centre;
      i += 3;
    } else {
      break;
    }
    pieces.push_back(p);
  }
  return pieces;
}

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

}  // namespace

std::vector<const BoundaryPiece*> ChainOf(const std::vector<BoundaryPiece>& pieces) {
  std::vector<const BoundaryPiece*> chain;
  for (const BoundaryPiece& p : pieces) {
    if (p.kind != BoundaryPiece::Kind::kCircle) chain.push_back(&p);
  }
  return chain;
}

bool ArcPieceSweep(const BoundaryPiece& p, ModelPoint end, double* start, double* sweep) {
  const double a0 = std::atan2(p.point.y - p.centre.y, p.point.x - p.centre.x);
  const double a1 = std::atan2(end.y - p.centre.y, end.x - p.centre.x);
  if (!std::isfinite(a0) || !std::isfinite(a1) || !std::isfinite(p.radius)) return false;
  double s = std::fmod(p.counterClockwise ? a1 - a0 : a0 - a1, kTwoPi);
  if (s <= 0) s += kTwoPi;
  *start = a0;
  *sweep = p.counterClockwise ? s : -s;
  return true;
}

namespace {

constexpr double kFlatteningStep = 5 * std::numbers::pi / 180;

int FlatteningSteps(double sweep) { return static_cast<int>(std::ceil(std::fabs(sweep) / kFlatteningStep)); }

}  // namespace

int ArcPieceFlatteningPoints(const BoundaryPiece& p, ModelPoint end) {
  double a0 = 0, sweep = 0;
  if (!ArcPieceSweep(p, end, &a0, &sweep) || !std::isfinite(sweep)) return -1;
  return std::max(FlatteningSteps(sweep), 1);
}

void EncodeBoundaryPieces(const std::vector<BoundaryPiece>& pieces, std::vector<int16_t>& codes,
                          std::vector<double>& values) {
  for (const BoundaryPiece& p : pieces) {
    switch (p.kind) {
      case BoundaryPiece::Kind::kVertex:
        codes.insert(codes.end(), {10, 20});
        values.insert(values.end(), {p.point.x, p.point.y});
        break;
      case BoundaryPiece::Kind::kArc:
        codes.insert(codes.end(), {static_cast<int16_t>(p.counterClockwise ? 1 : 0), 2, 3, 4, 5});
        values.insert(values.end(), {p.centre.x, p.centre.y, p.radius, p.point.x, p.point.y});
        break;
      case BoundaryPiece::Kind::kCircle:
        codes.insert(codes.end(), {50, 51, 52});
        values.insert(values.end(), {p.centre.x, p.centre.y, p.radius});
        break;
    }
  }
}

Box BoundaryBox(const std::vector<BoundaryPiece>& pieces) {
  Box box;
  const std::vector<const BoundaryPiece*> chain = ChainOf(pieces);
  for (std::size_t k = 0; k < chain.size(); ++k) {
    const BoundaryPiece& p = *chain[k];
    box.Add(p.point);
    double a0 = 0, sweep = 0;
    if (p.kind != BoundaryPiece::Kind::kArc || !ArcPieceSweep(p, chain[(k + 1) % chain.size()]->point, &a0, &sweep)) {
      continue;
    }
    // The quarter points the arc passes on its way.
    const double from = std::min(a0, a0 + sweep), to = std::max(a0, a0 + sweep);
    for (double q = std::ceil(from / (kTwoPi / 4)) * (kTwoPi / 4); q <= to; q += kTwoPi / 4) {
      box.Add({p.centre.x + std::fabs(p.radius) * std::cos(q), p.centre.y + std::fabs(p.radius) * std::sin(q)});
    }
  }
  for (const BoundaryPiece& p : pieces) {
    if (p.kind != BoundaryPiece::Kind::kCircle) continue;
    const double r = std::fabs(p.radius);
    box.Add({p.centre.x - r, p.centre.y - r});
    box.Add({p.centre.x + r, p.centre.y + r});
  }
  return box;
}

std::vector<ModelPoint> FlattenBoundary(const std::vector<BoundaryPiece>& pieces) {
  std::vector<ModelPoint> points;
  const std::vector<const BoundaryPiece*> chain = ChainOf(pieces);
  for (std::size_t k = 0; k < chain.size(); ++k) {
    const BoundaryPiece& p = *chain[k];
    points.push_back(p.point);
    double a0 = 0, sweep = 0;
    if (p.kind != BoundaryPiece::Kind::kArc || !ArcPieceSweep(p, chain[(k + 1) % chain.size()]->point, &a0, &sweep)) {
      continue;
    }
    const int steps = FlatteningSteps(sweep);
    for (int s = 1; s < steps; ++s) {
      const double a = a0 + sweep * s / steps;
      points.push_back({p.centre.x + p.radius * std::cos(a), p.centre.y + p.radius * std::sin(a)});
    }
  }
  return points;
}

BoundaryMeasure MeasureBoundary(const std::vector<BoundaryPiece>& pieces) {
  BoundaryMeasure m;
  double twiceSigned = 0;  // the chain's signed area, doubled (the integral of x dy − y dx)
  const std::vector<const BoundaryPiece*> chain = ChainOf(pieces);
  for (std::size_t k = 0; k < chain.size(); ++k) {
    const BoundaryPiece& p = *chain[k];
    const ModelPoint a = p.point, b = chain[(k + 1) % chain.size()]->point;
    double a0 = 0, sweep = 0;
    if (p.kind == BoundaryPiece::Kind::kArc && ArcPieceSweep(p, b, &a0, &sweep)) {
      m.length += std::fabs(p.radius * sweep);
      twiceSigned += p.centre.x * (b.y - a.y) - p.centre.y * (b.x - a.x) + p.radius * p.radius * sweep;
    } else {
      m.length += std::hypot(b.x - a.x, b.y - a.y);
      twiceSigned += a.x * b.y - b.x * a.y;
    }
  }
  m.area = std::fabs(twiceSigned) / 2;
  for (const BoundaryPiece& p : pieces) {
    if (p.kind != BoundaryPiece::Kind::kCircle) continue;
    m.length += kTwoPi * std::fabs(p.radius);
    m.area += std::numbers::pi * p.radius * p.radius;
  }
  return m;
}

}  // namespace plenwick
