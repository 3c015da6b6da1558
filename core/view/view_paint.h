// The paint routine of a view: the grid, the elements in two passes (other visible layers, then
// the current layer on top), then the drawing-area frame and the origin mark.
#pragma once

#include "model/entity_list.h"
#include "view/render_context.h"

namespace plenwick {

// Display switches of the frame and the origin mark: 0 off, 1 on, 2 being switched off (the
// frame is drawn in the background colour to erase it; the origin mark is left to invalidation).
struct ViewMarks {
  ModelPoint areaMin;       // lower-left corner of the drawing area (model mm)
  ModelPoint originOffset;  // half the paper times the scale (model mm)
  int frameSwitch = 1;
  int originMarkSwitch = 1;
};

// Paints the whole list. The grid, frame and origin mark are drawn on the screen only (never when
// printing; the grid not when exporting either). Deleted elements (mark -1) are not drawn.
void PaintEntities(const RenderContext& ctx, const EntityList& list, const ViewMarks& marks);

// The grid of the grid element: lines, dots or crosses at positions aligned to the origin
// offset, covering the client extent; nothing when hidden or closer than 2 pixels.
void DrawGrid(const RenderContext& ctx, const DrawEntity& grid, ModelPoint originOffset);
// The drawing-area frame, from areaMin to areaMin + 2 x originOffset.
void DrawAreaFrame(const RenderContext& ctx, const ViewMarks& marks);
// The origin mark at areaMin + originOffset: a dotted cross of 20 pixels.
void DrawOriginMark(const RenderContext& ctx, const ViewMarks& marks);

}  // namespace plenwick
