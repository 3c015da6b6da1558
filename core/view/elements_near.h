// The elements an edit over a region has to look at, taken from the element index instead of a
// walk of the whole list: those whose reach meets a window or an infinite line, and those that
// reach everywhere, in list order. Callers still test each one exactly; without an index (a list
// that does not report its changes) every element of the list is given.
#pragma once

#include <span>
#include <vector>

#include "model/draw_entity.h"
#include "view/geometry.h"
#include "view/pick_view.h"

namespace plenwick {

std::vector<DrawEntity*> ElementsInWindow(const PickView& view, const Box& window);

// Two points of an infinite line.
struct ThroughPoints {
  ModelPoint a;
  ModelPoint b;
};
// Those that may come within `margin` of one of the infinite lines.
std::vector<DrawEntity*> ElementsAlongLines(const PickView& view, std::span<const ThroughPoints> lines, double margin);

// Boxes, each grown by `margin`, that together cover the part of the infinite line through a and
// b inside `all`: small ones along a slanted line inside `core` (within `all`), where most
// elements lie, so that they hold little else, and one on each side beyond it. None when the line
// misses `all`.
std::vector<Box> BoxesAlongLine(ModelPoint a, ModelPoint b, const Box& core, const Box& all, double margin);

}  // namespace plenwick
