// How the set tools pick records into a selection: a click toggles the record under it (with its
// group or dimension), a gesture of more than 9 pixels marks every record of the current layer
// inside its window, and select-all marks the whole current layer; the records whose look
// changed are drawn again.
#pragma once

#include <vector>

#include "tools/edit/selection_set.h"
#include "view/view_mapping.h"

namespace plenwick {

class CFeedbackTool;
class ToolView;
struct RubberShape;

// Whether a press and a release this far apart make a window rather than a pick.
bool IsWindowGesture(PixelPoint press, PixelPoint release);

// The record a click hits on the current layer (not the grid), by the pick tolerance; null when
// none.
DrawEntity* HitOnCurrentLayer(ToolView& view, PixelPoint point);

// A pick at `release` (a toggle) or, for a window gesture, every not yet marked record of the
// current layer inside the window from `press`, with its unit. Returns the record picked (null
// for a window or a miss); the records whose mark changed are appended to `changed`.
DrawEntity* PickOrWindow(SelectionSet& set, ToolView& view, PixelPoint press, PixelPoint release, int16_t mark,
                         std::vector<DrawEntity*>* changed);

// Every record of the current layer but the grid gets the mark, with its unit.
void MarkCurrentLayer(SelectionSet& set, ToolView& view, int16_t mark, std::vector<DrawEntity*>* changed);

// Shows records in their new look: one by one, or a repaint of the view when there are many.
void RedrawRecords(CFeedbackTool& tool, ToolView& view, const std::vector<DrawEntity*>& changed);

// The rubber window from `press` to `cursor` (client pixels) while the gesture makes a window.
void AddWindowPreview(ToolView& view, PixelPoint press, PixelPoint cursor, RubberShape* shape);

// Every record carrying `mark` but the grid and a dimension's parts (which go with their
// dimension), in list order.
std::vector<DrawEntity*> MarkedInListOrder(const EntityList& list, int16_t mark);

}  // namespace plenwick
