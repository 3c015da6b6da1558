// The exclusive-or feedback and grips of picking and selection as shapes in client pixels: what
// to draw, where and in which colour. The view draws them on its canvas (cross marks and rubber
// rectangles in the not-xor mode, so that drawing them twice erases them).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/snap_point_list.h"
#include "view/pick_view.h"

namespace plenwick {

// Colours (0x00BBGGRR).
inline constexpr int32_t kGripFill = 0x0000FF00;          // green
inline constexpr int32_t kGripMidpointFill = 0x00FF80FF;  // pink: the midpoint grip of a line
inline constexpr int32_t kGripOutline = 0x00000000;       // black, 1-pixel solid pen

// A rectangle with exclusive right and bottom edges (as the framework's Rectangle draws it).
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// A line from `from` up to but not including `to`.
struct PixelLine {
  PixelPoint from;
  PixelPoint to;
};

// The cross mark at a point: (x − 4, y) to (x + 5, y) and (x, y − 4) to (x, y + 5).
std::array<PixelLine, 2> CrossMarkLines(PixelPoint p);

struct Grip {
  PixelRect rect;  // from 3 pixels before to 3 pixels after the point
  int32_t fill = kGripFill;
};
Grip GripAt(PixelPoint p, int32_t fill = kGripFill);

// The grips of an element: one at every characteristic point except arc quadrants (11) and
// intersections (14); a line's midpoint grip is pink.
std::vector<Grip> GripsOf(const SnapPointList& points, const DrawEntity& e, const ScreenMapping& mapping);

// The rubber rectangle from the press point to the cursor.
struct RubberRectState {
  PixelPoint press;
  PixelPoint corner;
  bool drawn = false;  // the tool's RubberDrawn
};
// What one DrawRubberRect step draws: each rectangle in `rects`, in order, with a 1-pixel dotted
// pen of `colour` in not-xor mode (the first erases the previous rectangle when one is shown).
struct RubberRectPlan {
  std::vector<PixelRect> rects;
  int32_t colour = 0;
};
// Moves the corner to `point` and says what to draw. The pen is the indicator-line colour when
// `highlight` is 1, else the highlight colour.
RubberRectPlan DrawRubberRect(RubberRectState* state, PixelPoint point, int highlight, int32_t indicatorColour,
                              int32_t highlightColour);

}  // namespace plenwick
