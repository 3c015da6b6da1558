// Extents of elements for culling, invalidation and "show whole".
#include "view/entity_bounds.h"

#include <algorithm>
#include <cmath>

#include "platform/sjis.h"
#include "view/boundary_pieces.h"

namespace plenwick {

namespace {

class BoxBuilder {
 public:
  void Add(double x, double y) {
    box_.xmin = std::min(box_.xmin, x);
    box_.xmax = std::max(box_.xmax, x);
    box_.ymin = std::min(box_.ymin, y);
    box_.ymax = std::max(box_.ymax, y);
    any_ = true;
  }
  void AddPairs(const double* v, int from, int to) {
    for (int i = from; i + 1 < to; i += 2) Add(v[i], v[i + 1]);
  }
  void AddAround(double x, double y, double r) {
    Add(x - r, y - r);
    Add(x + r, y + r);
  }
  bool Result(ModelRect& out) const {
    out = box_;
    return any_;
  }

 private:
  ModelRect box_{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
  bool any_ = false;
};

// Half the side of a box around a text's insertion point that holds the text at any angle.
double TextReach(const DrawEntity& e) {
  const double h = std::fabs(e.values[2]);
  return h * (static_cast<double>(e.text.view().size()) / 2 + 1);
}

}  // namespace

bool EntityDrawingBounds(const DrawEntity& e, ModelRect& box) {
  const int n = e.values ? e.valueCount : 0;
  const double* v = e.values.get();
  BoxBuilder b;
  switch (e.kind) {
    case kPoint:
      if (n < 2) return false;
      b.Add(v[0], v[1]);
      break;
    case kLine:
    case kAngledInfiniteLine:
    case kImage:
      if (n < 4) return false;
      b.Add(v[0], v[1]);
      b.Add(v[2], v[3]);
      break;
    case kHorizontalInfiniteLine:
      if (n < 2) return false;
      b.Add(-HUGE_VAL, v[1]);
      b.Add(HUGE_VAL, v[1]);
      break;
    case kVerticalInfiniteLine:
      if (n < 2) return false;
      b.Add(v[0], -HUGE_VAL);
      b.Add(v[0], HUGE_VAL);
      break;
    case kBezierCurve:
    case kFreeCurve:
    case kPolygon:
      b.AddPairs(v, 0, n);
      break;
    case kCircle:
    case kArc:
      if (n < 3) return false;
      b.AddAround(v[0], v[1], std::fabs(v[2]));
      break;
    case kText:
      if (n < 5) return false;
      b.AddAround(v[0], v[1], TextReach(e));
      break;
    case kLeaderText:
      if (n < 9) return false;
      b.AddAround(v[0], v[1], TextReach(e));
      b.AddPairs(v, 5, std::min(n, 11));
      break;
    case kPaint:
      for (const BoundaryPiece& p : ReadBoundaryPieces(e, 2)) {
        if (p.kind == BoundaryPiece::Kind::kVertex) {
          b.Add(p.point.x, p.point.y);
        } else {
          b.AddAround(p.centre.x, p.centre.y, std::fabs(p.radius));
        }
      }
      break;
    case kHatch:
      if (n < 7) return false;
      b.Add(v[3], v[4]);
      b.Add(v[5], v[6]);
      break;
    default:
      return false;
  }
  return b.Result(box);
}

ModelRect EmptyWholeBounds() { return {99999999, 99999999, -9998999, -9999999}; }

void AddToWholeBounds(const DrawEntity& e, ModelRect& box) {
  const int n = e.values ? e.valueCount : 0;
  const double* v = e.values.get();
  auto addX = [&](double x) {
    if (!std::isfinite(x)) return;
    box.xmin = std::min(box.xmin, x);
    box.xmax = std::max(box.xmax, x);
  };
  auto addY = [&](double y) {
    if (!std::isfinite(y)) return;
    box.ymin = std::min(box.ymin, y);
    box.ymax = std::max(box.ymax, y);
  };
  auto add = [&](double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    addX(x);
    addY(y);
  };
  switch (e.kind) {
    case kPoint:
      if (n >= 2) add(v[0], v[1]);
      break;
    case kLine:
    case kAngledInfiniteLine:
    case kImage:
      if (n >= 4) {
        add(v[0], v[1]);
        add(v[2], v[3]);
      }
      break;
    // Horizontal and vertical infinite lines run across any window: only their fixed coordinate counts.
    case kHorizontalInfiniteLine:
      if (n >= 2) addY(v[1]);
      break;
    case kVerticalInfiniteLine:
      if (n >= 1) addX(v[0]);
      break;
    case kBezierCurve:
    case kFreeCurve:
    case kPolygon:
      for (int i = 0; i + 1 < n; i += 2) add(v[i], v[i + 1]);
      break;
    case kCircle:
    case kArc:
      if (n >= 3) {
        const double r = std::fabs(v[2]);
        add(v[0] - r, v[1] - r);
        add(v[0] + r, v[1] + r);
      }
      break;
    case kText:
    case kLeaderText:
      if (n >= 5) {
        const double h = v[2];
        add(v[0], v[1]);
        add(v[0] + h * static_cast<double>(SjisCharacterCount(e.text.view())), v[1] + h);
      }
      // A leader's points belong to what is drawn as well.
      if (e.kind == kLeaderText) {
        for (int i = 5; i + 1 < std::min(n, 11); i += 2) add(v[i], v[i + 1]);
      }
      break;
    case kPaint:
      for (const BoundaryPiece& p : ReadBoundaryPieces(e, 2)) add(p.point.x, p.point.y);
      break;
    case kHatch:
      if (n >= 7) {
        add(v[3], v[4]);
        add(v[5], v[6]);
      }
      break;
    default:
      break;
  }
}

}  // namespace plenwick
