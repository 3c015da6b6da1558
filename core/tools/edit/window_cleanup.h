// 包括処理 as plain geometry: the lines that meet a window are cut back at their crossings with
// each other inside it, so that crossing and overlapping outlines open into clean junctions.
#pragma once

#include <optional>
#include <vector>

#include "tools/draw/line_geometry.h"

namespace plenwick {

struct CleanupLine {
  // A plain line's ends, or where an infinite line crosses the window's edges.
  LineEnds ends;
  // Plain lines are cut; infinite lines only cut the others.
  bool changeable = true;
};

// Whether the segment has a point in the window (bounds inclusive): both ends inside it or
// crossing one of its edges.
bool SegmentMeetsWindow(LineEnds segment, const Box& window);
// Where the infinite line through the segment's ends crosses the window's edges; none when it
// misses the window or only touches a corner.
std::optional<LineEnds> WindowCrossings(LineEnds segment, const Box& window);

// What replaces each line (none: it stays; an empty list: it goes). Crossings count where two
// lines meet inside the window on both their segments, not at an end of the line cut:
//  - two or more (apart): the pieces from each end to the crossing nearest it stay, the middle
//    goes;
//  - one, X: a line with exactly one end inside the window loses the stub between that end and X
//    (the rest, from X to its other end, stays); otherwise it stays.
std::vector<std::optional<std::vector<LineEnds>>> CleanUpWindow(const Box& window, const std::vector<CleanupLine>& lines);

}  // namespace plenwick
