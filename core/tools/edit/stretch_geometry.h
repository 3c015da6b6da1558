// Stretching a set along a base line: the line keeps its end with the smaller x (the smaller y
// when it is vertical) and its other end moves along it to the typed length; records joined to
// the moving end follow it.
#pragma once

#include <optional>

#include "tools/edit/record_transform.h"

namespace plenwick {

struct StretchBase {
  ModelPoint fixed;   // S
  ModelPoint moving;  // E
  bool fixedFirst = true;  // S is the line's first stored point
};

// The base line's ends as the stretch uses them; none for a record that is not a plain line.
std::optional<StretchBase> StretchBaseOf(const DrawEntity& line);

// Where E goes for the new length: S + (E − S) / |E − S| · length.
ModelPoint StretchedEnd(const StretchBase& base, double length);

// The base line from S to `newEnd`, in its stored order.
RecordGeometry StretchedBaseLine(const DrawEntity& line, const StretchBase& base, ModelPoint newEnd);

// 部分ストレッチ: a line or arc with an end within 0.5 mm (in x and in y) of E, that end moved to
// `newEnd` (an arc keeps its other end and its bulge, as when its end is dragged); none for other
// records, records without such an end and degenerate results.
std::optional<RecordGeometry> EndFollowingStretch(const DrawEntity& e, const StretchBase& base, ModelPoint newEnd);

// 部分連動ストレッチ: the record's defining points that lie at E or beyond it along the base line
// (within 0.5 mm) move with E. Lines, curves and polygons move those points; an arc with one end
// there is reshaped as when that end is dragged, with both it moves whole; any other record moves
// whole when all its points lie there. None when nothing moves (or the result degenerates).
std::optional<RecordGeometry> LinkedStretch(const DrawEntity& e, const StretchBase& base, ModelPoint newEnd);

}  // namespace plenwick
