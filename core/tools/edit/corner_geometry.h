// The geometry of a corner of two lines: where each line ends (their intersection, the ends of a
// chamfer, or the tangent points of a rounding arc) and the chamfer line or arc that joins them.
// Model mm; arc angles in degrees.
#pragma once

#include <optional>
#include <vector>

#include "view/geometry.h"

namespace plenwick {

enum class CornerStyle : int { kSharpStyle = 0, kChamferStyle = 1, kRoundStyle = 2 };

// Smallest chamfer or rounding distance (model mm): below it (or not a number) no corner is made.
inline constexpr double kMinCornerDistance = 0.01;
bool CornerDistanceUsable(double d);

// One picked line: its stored ends and the point of the pick on it.
struct CornerLine {
  ModelPoint p1;
  ModelPoint p2;
  ModelPoint picked;
};

struct CornerResult {
  // The line's new segment: its kept end (on the side of the pick) to its corner end.
  ModelPoint kept1, end1;
  ModelPoint kept2, end2;
  // The chamfer line (x1, y1, x2, y2) or the arc (centre x, y, radius, start, end); empty for a
  // sharp corner.
  std::vector<double> joinValues;
  int arcDirection = 1;  // +1 counter-clockwise, −1 clockwise
};

struct CornerSettings {
  CornerStyle style = CornerStyle::kSharpStyle;
  double distance = 0;  // model mm; ignored for a sharp corner
  bool trim1 = true;
  bool trim2 = true;
};

// The corner of line 1 and line 2. None when the lines are parallel or collinear (line 2 within
// 0.5 of line 1's line), when a trimmed line or the chamfer would have no length or the arc no
// sweep, and when a value would leave the coordinate range.
std::optional<CornerResult> MakeCorner(const CornerLine& line1, const CornerLine& line2, const CornerSettings& settings);

}  // namespace plenwick
