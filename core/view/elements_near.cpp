// Index queries for windows and infinite lines.
#include "view/elements_near.h"

#include <algorithm>
#include <cmath>

#include "view/entity_index.h"

namespace plenwick {

namespace {

// A slanted line is covered by at most this many boxes: at 45 degrees each then holds about
// 1/kMostBoxes of its bounding box.
constexpr int kMostBoxes = 512;

std::vector<DrawEntity*> AllOf(EntityList& list) {
  std::vector<DrawEntity*> all;
  for (DrawEntity& e : list) all.push_back(&e);
  return all;
}

EntityIndex* IndexOf(const PickView& view) {
  return view.snapPoints ? EntityIndex::For(*view.entities, *view.snapPoints) : nullptr;
}

}  // namespace

std::vector<DrawEntity*> ElementsInWindow(const PickView& view, const Box& window) {
  if (!view.entities) return {};
  EntityIndex* index = IndexOf(view);
  if (!index) return AllOf(*view.entities);
  return index->Candidates(window);
}

std::vector<DrawEntity*> ElementsAlongLines(const PickView& view, std::span<const ThroughPoints> lines, double margin) {
  if (!view.entities) return {};
  EntityIndex* index = IndexOf(view);
  if (!index) return AllOf(*view.entities);
  const EntityIndex::Bounds bounds = index->FiledBounds();
  std::vector<Box> boxes;
  for (const ThroughPoints& line : lines) {
    const std::vector<Box> along = BoxesAlongLine(line.a, line.b, bounds.core, bounds.all, margin);
    boxes.insert(boxes.end(), along.begin(), along.end());
  }
  return index->Candidates(boxes);
}

std::vector<Box> BoxesAlongLine(ModelPoint a, ModelPoint b, const Box& core, const Box& all, double margin) {
  Box outer = all, inner = core;
  outer.Grow(margin);
  inner.Grow(margin);
  double t0 = 0, t1 = 0;
  if (all.IsEmpty() || !ClipToBox(a, b, outer, -INFINITY, INFINITY, &t0, &t1) || !std::isfinite(t0) || !std::isfinite(t1)) {
    return {};
  }
  auto at = [&](double t) { return ModelPoint{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)}; };
  std::vector<Box> boxes;
  auto add = [&](double from, double to) {
    Box box = Box::Around(at(from));
    box.Add(at(to));
    box.Grow(margin);
    boxes.push_back(box);
  };
  double u0 = 0, u1 = 0;
  if (core.IsEmpty() || !ClipToBox(a, b, inner, t0, t1, &u0, &u1)) {
    add(t0, t1);
    return boxes;
  }
  // Beyond the core the line lies outside one of its edges: those boxes hold none of the core.
  if (u0 > t0) add(t0, u0);
  if (u1 < t1) add(u1, t1);
  // Along the axes one box wastes nothing; the more slanted, the more boxes.
  const ModelPoint from = at(u0), to = at(u1);
  const double dx = std::fabs(to.x - from.x), dy = std::fabs(to.y - from.y);
  const double slant = std::max(dx, dy) > 0 ? std::min(dx, dy) / std::max(dx, dy) : 0;
  const int count = static_cast<int>(std::clamp(std::ceil(slant * kMostBoxes), 1.0, double{kMostBoxes}));
  for (int i = 0; i < count; ++i) add(u0 + (u1 - u0) * i / count, u0 + (u1 - u0) * (i + 1) / count);
  return boxes;
}

}  // namespace plenwick
