// Point entry shared by the drawing tools: the magnet's snap result that follows the cursor, and
// the model point a click gives (the magnet point shown, else the point PickEntity returns, else
// the click itself).
#pragma once

#include "view/pick.h"
#include "view/tool_framework/draw_tool.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

// Updates the tool's snap result for the cursor (client pixels): with the magnet on, the nearest
// characteristic point within reach (snapHit, snapPixel, snapModel); otherwise no hit.
void TrackMagnet(CDrawTool& tool, ToolView& view, PixelPoint cursor);

// The model point (mm) of a click: the snap point the magnet shows, else the point on the element
// PickEntity hits (with `magnetFilter` while the magnet is on, the grid only while it is off),
// else the click converted to model mm.
ModelPoint ClickedPoint(const CDrawTool& tool, ToolView& view, PixelPoint click, int magnetFilter = kPickAll);
// The same with PickEntity given `filter` whether the magnet is on or off (the tools that measure
// take points on any element even with the magnet off).
ModelPoint ClickedPointOnAny(const CDrawTool& tool, ToolView& view, PixelPoint click, int filter = kPickAll);

// The model point the cursor stands for while the mouse moves: the snap point the magnet shows,
// else the cursor converted to model mm (no element search).
ModelPoint CursorPoint(const CDrawTool& tool, ToolView& view, PixelPoint cursor);

}  // namespace plenwick
