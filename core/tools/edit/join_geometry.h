// 接合 as plain geometry: two lines made one when they lie on one line, else both taken to
// their meeting point.
#pragma once

#include <optional>

#include "tools/draw/line_geometry.h"

namespace plenwick {

struct JoinedLines {
  LineEnds first;
  std::optional<LineEnds> second;  // none: the first replaces both
};

// Lines l1 and l2 clicked at c1 and c2 (points on them). When both ends of l2 lie within 0.5 mm
// of l1's line, one line between the outermost of the four ends replaces both (so a line that
// holds the other is never shortened). Otherwise each runs from the meeting point t of their
// lines to its kept end: the end farther from t when t lies off the line, else the end on the
// side of its click. None when the lines are parallel or a result has no length.
std::optional<JoinedLines> JoinLines(LineEnds l1, ModelPoint c1, LineEnds l2, ModelPoint c2);

}  // namespace plenwick
