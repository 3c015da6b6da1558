// Picking a set of records with the mouse as the selection, moving and transforming tools do:
// a click toggles the record under it (with its group or dimension), a press and release more
// than 9 pixels apart mark every record of the current layer inside the window; and showing the
// records whose look changed.
#pragma once

#include <vector>

#include "tools/draw/feedback_tool.h"
#include "tools/edit/selection_set.h"

namespace plenwick {

// More changed records than this repaint the view once instead of being drawn one by one.
inline constexpr std::size_t kRedrawnOneByOne = 256;

// Whether a press and release (client pixels) make a window rather than a click.
bool IsWindowGesture(PixelPoint press, PixelPoint release);

// The record a click (client pixels) hits on the current layer, never the grid; null for none.
DrawEntity* HitSelectable(ToolView& view, PixelPoint point);

// A click toggles `mark` on the record hit at `release`; a window from `press` gives it to every
// unmarked record of the current layer inside. Records whose look changed are appended to
// `changed`. Returns the record a click hit (null for a window or a miss).
DrawEntity* PickOrWindow(ToolView& view, SelectionSet& selection, PixelPoint press, PixelPoint release, int16_t mark,
                         std::vector<DrawEntity*>* changed);

// Gives `mark` to every record of the current layer but the grid (Ctrl+A).
void MarkAllOnLayer(ToolView& view, SelectionSet& selection, int16_t mark, std::vector<DrawEntity*>* changed);

// Shows records in their present look: one by one under the tool's feedback, or a repaint of the
// view when there are many.
void RedrawRecords(CFeedbackTool& tool, ToolView& view, const std::vector<DrawEntity*>& changed);

// The rubber window from `press` to `cursor` (client pixels) while it makes a window.
void AddWindowPreview(ToolView& view, PixelPoint press, PixelPoint cursor, RubberShape* shape);

// Every record carrying `mark` but the grid and a dimension's parts (which go with their
// dimension), in list order.
std::vector<DrawEntity*> MarkedInListOrder(const EntityList& list, int16_t mark);

}  // namespace plenwick
