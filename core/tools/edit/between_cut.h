// ２線間カット as plain geometry: what stays of a line after the part of it between two other
// (infinite) lines is cut away.
#pragma once

#include <optional>
#include <vector>

#include "tools/draw/line_geometry.h"

namespace plenwick {

// The pieces that stay of the segment `line` cut between the infinite lines l1 and l2:
//  - none (it stays as it is) when it misses one of the lines' meetings, meets neither on its
//    segment, meets only one and that at one of its ends, or the lines cross on it;
//  - met by both on its segment: the pieces from its ends to the nearer meeting (an empty list
//    when it lies wholly between them);
//  - met by one on its segment: the piece from that meeting to the end outside the band between
//    the two lines.
// Pieces shorter than the coincidence tolerance are left out.
std::optional<std::vector<LineEnds>> CutBetween(LineEnds line, const LineCoef& l1, const LineCoef& l2);

}  // namespace plenwick
