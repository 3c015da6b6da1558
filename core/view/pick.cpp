// The hit test of a click: the per-kind rules, the narrowing tolerance and the list-order walk.
#include "view/pick.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "model/layer_table.h"
#include "view/entity_index.h"
#include "view/entity_shape.h"

namespace plenwick {

int PickTolerancePixels(double gridPitch, int sensitivity) {
  const int s = std::clamp(sensitivity, 1, 5);
  const double t = std::trunc(gridPitch / s);
  if (!(t > 0)) return 0;
  return t > 1e6 ? 1000000 : static_cast<int>(t);
}

bool PickFilterAdmits(int filter, int kind) {
  const bool line = kind >= kLine && kind <= kAngledInfiniteLine;
  const bool round = kind == kCircle || kind == kArc;
  switch (filter) {
    case kPickAll: return true;
    case kPickAllButGrid: return kind != kGrid;
    case kPickGridOnly: return kind == kGrid;
    case -10: return kind == kPoint || kind == kGrid;
    case -11: return kind == kPoint || kind == kGrid || kind == kText;
    case -20: return line;
    case -21: return kind == kLine || kind == kArc;
    case -22: return line || round;
    case -23: return kind == kLine || round;
    case -24: return line || kind == kBezierCurve || kind == kFreeCurve || round;
    case -25: return line || round || kind == kPolygon;
    case -26: return line || kind == kPolygon;
    case -27: return line || kind == kArc;
    case -30: return round;
    case -31: return kind == kCircle;
    case -50: return kind == kPoint || line;
    case -51: return kind == kPoint || line || round;
    default: return filter > 1 && kind == filter;
  }
}

PickWalk::PickWalk(const PickView& view, int filter, PixelPoint click)
    : view_(view), filter_(filter == kPickMagnetOff ? kPickGridOnly : filter) {
  click_ = view.ToModel(click);
  const double perPixel = view.ModelPerPixel();
  reach_ = view.tolerancePixels * perPixel;
  tolerance_ = reach_;
  bestDistance_ = 1000 * perPixel;
}

bool PickWalk::Eligible(const DrawEntity& e) const {
  if (e.mark == kMarkDeleted || !PickFilterAdmits(filter_, e.kind)) return false;
  if (e.kind == kGrid) return true;
  if (e.layer == view_.currentLayer) return true;
  if (view_.currentLayerOnly) return false;
  if (e.layer < 0 || e.layer >= LayerTable::kLayers) return false;
  if (!view_.layerStates) return true;
  const uint8_t state = view_.layerStates[e.layer];
  return state == kLayerOffColour || state == kLayerNormal;
}

bool PickWalk::Consider(DrawEntity& e, ModelPoint q) {
  const double dx = std::fabs(click_.x - q.x);
  const double dy = std::fabs(click_.y - q.y);
  if (dx <= tolerance_ && dy <= tolerance_) {
    const double d = std::max(dx, dy);
    tolerance_ = d;
    if (d < bestDistance_) {
      bestDistance_ = d;
      best_ = &e;
      bestPoint_ = q;
    }
  }
  return false;
}

bool PickWalk::TakeGrid(DrawEntity& e) {
  if (e.subKind == 0 || !e.values || e.valueCount < 3) return false;
  const double pitch = e.values[2];
  if (!(pitch > 0) || !std::isfinite(pitch)) return false;
  const ModelPoint o = view_.gridOrigin;
  const ModelPoint g{o.x + std::floor((click_.x - o.x) / pitch + 0.5) * pitch, o.y + std::floor((click_.y - o.y) / pitch + 0.5) * pitch};
  if (std::fabs(click_.x - g.x) < tolerance_ && std::fabs(click_.y - g.y) < tolerance_) {
    best_ = &e;
    bestPoint_ = g;
    return true;
  }
  return false;
}

bool PickWalk::NearestOnPolyline(const DrawEntity& e, ModelPoint* q) const {
  const std::vector<ModelPoint> stored = Vertices(e);
  Box box;
  for (ModelPoint p : stored) box.Add(p);
  if (stored.empty() || !box.Contains(click_)) return false;
  // A control-point curve is hit along the curve it draws, not along its control polygon.
  const std::vector<ModelPoint> path = e.kind == kBezierCurve ? PolylineOf(e) : stored;
  double bestX = 99999;
  double bestY = 99999;
  bool found = false;
  for (std::size_t i = 0; i + 1 < path.size(); ++i) {
    LineCoef line;
    ModelPoint foot;
    if (LineCoefficients(path[i], path[i + 1], &line) != 0 || PerpendicularFoot(click_, line, &foot) != 0) continue;
    if (IsOnSegment(foot, path[i], path[i + 1]) != 0) continue;
    const double dx = std::fabs(click_.x - foot.x);
    const double dy = std::fabs(click_.y - foot.y);
    if (dx < bestX && dy < bestY) {
      bestX = dx;
      bestY = dy;
      *q = foot;
      found = true;
    }
  }
  return found;
}

namespace {

bool TextUnderClick(const DrawEntity& e, ModelPoint click) {
  TextFrame frame;
  if (!TextFrameOf(e, TextByteLength(e), &frame)) return false;
  ModelPoint p = click;
  if (std::fabs(frame.angleDeg) > 0.1) {
    const double a = -frame.angleDeg * 3.14159265358979323846 / 180.0;
    const double dx = click.x - frame.origin.x;
    const double dy = click.y - frame.origin.y;
    p = {frame.origin.x + dx * std::cos(a) - dy * std::sin(a), frame.origin.y + dx * std::sin(a) + dy * std::cos(a)};
  }
  Box box = Box::Around(frame.origin);
  box.Add({frame.origin.x + frame.width, frame.origin.y + frame.height});
  return box.Contains(p);
}

}  // namespace

bool PickWalk::Offer(DrawEntity& e) {
  if (!Eligible(e)) return false;
  switch (e.kind) {
    case kPoint:
      if (e.values && e.valueCount >= 2) return Consider(e, {e.values[0], e.values[1]});
      return false;
    case kGrid:
      return TakeGrid(e);
    case kLine: case kHorizontalInfiniteLine: case kVerticalInfiniteLine: case kAngledInfiniteLine: {
      ModelPoint p1;
      ModelPoint p2;
      LineCoef line;
      ModelPoint foot;
      if (!SegmentOf(e, &p1, &p2) || LineCoefficients(p1, p2, &line) != 0) return false;
      if (PerpendicularFoot(click_, line, &foot) != 0 || IsOnSegment(foot, p1, p2) != 0) return false;
      return Consider(e, foot);
    }
    case kCircle: case kArc: {
      CircleShape c;
      if (!CircleOf(e, &c)) return false;
      const double a = SnapAngle(click_.x - c.centre.x, click_.y - c.centre.y);
      const ModelPoint q{c.centre.x + c.radius * std::cos(a), c.centre.y + c.radius * std::sin(a)};
      if (!c.whole && IsOnArc(c.direction, q, c.start, c.end, c.centre, c.radius) != 0) return false;
      return Consider(e, q);
    }
    case kBezierCurve: case kFreeCurve: case kPolygon: {
      ModelPoint q;
      if (!NearestOnPolyline(e, &q)) return false;
      return Consider(e, q);
    }
    case kText: case kLeaderText:
      if (!TextUnderClick(e, click_)) return false;
      best_ = &e;
      bestPoint_ = click_;
      return true;
    case kPaint: case kHatch:
      if (!IsInsideBoundary(e, click_)) return false;
      best_ = &e;
      bestPoint_ = click_;
      return true;
    case kImage: {
      Box rect;
      if (!ImageRectOf(e, &rect) || !rect.Contains(click_)) return false;
      // An image lies under other elements: it wins only until something nearer is met.
      best_ = &e;
      bestPoint_ = click_;
      tolerance_ -= 0.1;
      bestDistance_ = tolerance_;
      return false;
    }
    default:
      return false;
  }
}

PickHit PickEntity(const PickView& view, int filter, PixelPoint click) {
  PickWalk walk(view, filter, click);
  if (!view.entities) return walk.result();
  EntityIndex* index = view.snapPoints ? EntityIndex::For(*view.entities, *view.snapPoints) : nullptr;
  const ModelPoint at = walk.click();
  if (index && std::isfinite(at.x) && std::isfinite(at.y) && std::isfinite(walk.reach())) {
    Box near = Box::Around(at);
    near.Grow(walk.reach());
    for (DrawEntity* e : index->Candidates(near)) {
      if (walk.Offer(*e)) break;
    }
  } else {
    for (DrawEntity& e : *view.entities) {
      if (walk.Offer(e)) break;
    }
  }
  return walk.result();
}

void PreparePicking(EntityList& entities, SnapPointList& points) {
  if (EntityIndex* index = EntityIndex::For(entities, points)) index->Prepare();
}

bool IsInsideBoundary(const DrawEntity& e, ModelPoint click) {
  const std::vector<BoundaryPiece> pieces = BoundaryOf(e);
  Box box;
  if (!BoundaryBoxOf(pieces, &box) || !box.Contains(click)) return false;
  LineCoef across;
  LineCoefficients({click.x - 1, click.y}, {click.x + 1, click.y}, &across);
  // A crossing that coincides with one kept already is the same crossing met through the next
  // piece. Kept by x, so that a boundary of many pieces is not compared pair by pair.
  auto byX = [](ModelPoint a, ModelPoint b) { return a.x < b.x; };
  std::multiset<ModelPoint, decltype(byX)> crossings(byX);
  auto add = [&](ModelPoint p) {
    if (std::isnan(p.x)) return;  // never left of the click, and no order to keep it in
    for (auto q = crossings.lower_bound({p.x - kCoincidentTolerance, 0}); q != crossings.end() && q->x - p.x < kCoincidentTolerance; ++q) {
      if (std::fabs(q->x - p.x) < kCoincidentTolerance && std::fabs(q->y - p.y) < kCoincidentTolerance) return;
    }
    crossings.insert(p);
  };
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const BoundaryPiece& piece = pieces[i];
    if (piece.kind == BoundaryPiece::Kind::kVertex) {
      // A straight piece runs from its vertex to the start of the next piece (the first after
      // the last); a circle piece has no start.
      const BoundaryPiece& next = pieces[(i + 1) % pieces.size()];
      if (next.kind == BoundaryPiece::Kind::kCircle) continue;
      LineCoef line;
      ModelPoint at;
      if (LineCoefficients(piece.point, next.point, &line) != 0 || IntersectLines(across, line, &at) != 0) continue;
      if (IsOnSegment(at, piece.point, next.point) == 0) add(at);
    } else {
      int count = 0;
      ModelPoint points[2];
      IntersectLineCircle(across, piece.centre, piece.radius, &count, points);
      // An arc piece runs from its start to the next piece's start in its sense, as it is filled.
      const BoundaryPiece& next = pieces[(i + 1) % pieces.size()];
      const bool arc = piece.kind == BoundaryPiece::Kind::kArc && next.kind != BoundaryPiece::Kind::kCircle;
      for (int k = 0; k < count; ++k) {
        if (!arc || IsOnArc(piece.counterClockwise ? 1 : -1, points[k], piece.point, next.point, piece.centre,
                            piece.radius) == 0) {
          add(points[k]);
        }
      }
    }
  }
  std::size_t left = 0;
  for (ModelPoint p : crossings) left += p.x <= click.x ? 1 : 0;
  return left % 2 == 1;
}

}  // namespace plenwick
