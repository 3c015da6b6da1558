// 伸縮 and 基準線伸縮 as plain geometry: a line trimmed or extended to a boundary keeping the
// side of its click, and a circle or arc cut back to the piece its click lies on (never
// extended).
#pragma once

#include <optional>

#include "model/draw_entity.h"
#include "tools/draw/line_geometry.h"
#include "tools/edit/record_transform.h"

namespace plenwick {

// What a line, circle or arc is trimmed to: a picked record (its foot `q` on it) or, with no
// record, the bare position `q`.
struct TrimBoundary {
  const DrawEntity* record = nullptr;
  ModelPoint q;
};

// Where the line p1–p2 meets the boundary: the meeting point of the two infinite lines; of a
// circle's or arc's (only those on the arc) meeting points the one nearer q; for a bare position,
// a point or any other kind, the foot from q. None when there is no such point.
std::optional<ModelPoint> LineTarget(ModelPoint p1, ModelPoint p2, const TrimBoundary& boundary);

// The line p1–p2 taken to t, keeping the side of the click c: p1–t when c lies on it, else t–p2
// when c lies on that; none otherwise or when the result has no length.
std::optional<LineEnds> KeptLine(ModelPoint p1, ModelPoint p2, ModelPoint t, ModelPoint c);

// The record that replaces the circle or arc `round` clicked at c (a point on it), trimmed to
// the boundary; none when nothing changes.
//  - A circle with a bare position, a point or itself: the three quarters without the quarter of
//    q; with a line, circle or arc: the arc between the two meeting points (with the whole
//    circle of a boundary arc) that holds c.
//  - An arc: split at its meeting points with the boundary (on the boundary's segment or arc;
//    the foot toward q for a bare position or itself), keeping the piece that holds c.
std::optional<RecordGeometry> TrimmedRound(const DrawEntity& round, ModelPoint c, const TrimBoundary& boundary);

}  // namespace plenwick
