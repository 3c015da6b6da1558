// The exclusive-or feedback and grips of picking and selection: the cross mark at a snap point,
// the rubber rectangle of a window selection and the grips of a picked element, as shapes in
// client pixels and drawn on a canvas (cross marks and rubber rectangles in not-xor mode, so that
// drawing them twice erases them).
#pragma once

#include <array>
#include <vector>

#include "model/snap_point_list.h"
#include "view/canvas.h"
#include "view/grip_mark.h"
#include "view/view_mapping.h"

namespace plenwick {

// A line from `from` up to but not including `to`.
struct PixelLine {
  PixelPoint from;
  PixelPoint to;
};

// The cross mark at a point: (x − 4, y) to (x + 5, y) and (x, y − 4) to (x, y + 5).
std::array<PixelLine, 2> CrossMarkLines(PixelPoint p);
// Draws it with the canvas's pen and mode (the caller's exclusive-or feedback pen).
void DrawCrossMark(Canvas& canvas, int x, int y);

struct Grip {
  PixelPoint at;  // the square runs from 3 pixels before to 3 pixels after it
  ColourRef fill = kGripColour;
};

// The grips of an element: one at every characteristic point except arc quadrants (11) and
// intersections (14); a line's midpoint grip is pink.
std::vector<Grip> GripsOf(const SnapPointList& points, const DrawEntity& e, const ViewMapping& mapping);
// Draws them (black outline, green or pink fill).
void ShowGrips(Canvas& canvas, const SnapPointList& points, const DrawEntity& e, const ViewMapping& mapping);

// The rubber rectangle from the press point to the cursor.
struct RubberRectState {
  PixelPoint press;
  PixelPoint corner;
  bool drawn = false;  // the tool's RubberDrawn
};
// What one DrawRubberRect step draws: each rectangle in `rects` (corners ordered), in order, with
// a 1-pixel dotted pen of `colour` in not-xor mode (the first erases the previous rectangle when
// one is shown).
struct RubberRectPlan {
  std::vector<PixelRect> rects;
  ColourRef colour = 0;
};
// Moves the corner to `point` and says what to draw. The pen is the indicator-line colour when
// `highlight` is 1, else the highlight colour.
RubberRectPlan PlanRubberRect(RubberRectState* state, PixelPoint point, int highlight, ColourRef indicatorColour,
                              ColourRef highlightColour);
// Moves the corner and draws the step; the canvas's drawing mode is restored afterwards.
void DrawRubberRect(Canvas& canvas, RubberRectState* state, PixelPoint point, int highlight, ColourRef indicatorColour,
                    ColourRef highlightColour);

}  // namespace plenwick
