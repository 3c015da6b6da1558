// Paint passes, grid, drawing-area frame and origin mark.
#include "view/view_paint.h"

#include <cmath>

#include "view/entity_renderer.h"
#include "view/line_style.h"

namespace plenwick {

void PaintEntities(const RenderContext& ctx, const EntityList& list, const ViewMarks& marks) {
  const int current = ctx.layers.currentLayer;
  for (const DrawEntity& e : list) {
    if (e.kind == kGrid) {
      if (!ctx.printing && !ctx.exporting) DrawGrid(ctx, e, marks.originOffset);
      continue;
    }
    if (e.layer == current || e.mark == kMarkDeleted) continue;
    const int state = ctx.layers.StateOf(e.layer);
    if (state == 1 || state == 2) RenderEntity(ctx, e, e.mark);
  }
  for (const DrawEntity& e : list) {
    if (e.kind == kGrid || e.layer != current || e.mark == kMarkDeleted) continue;
    RenderEntity(ctx, e, e.mark);
  }
  if (!ctx.printing) {
    DrawAreaFrame(ctx, marks);
    DrawOriginMark(ctx, marks);
  }
}

void DrawGrid(const RenderContext& ctx, const DrawEntity& grid, ModelPoint originOffset) {
  if (grid.subKind == 0 || !grid.values || grid.valueCount < 3) return;
  const ViewMapping& m = ctx.mapping;
  const double pitch = grid.values[2];
  if (!(pitch > 0) || !std::isfinite(pitch) || NearPixel(pitch * m.PixelsPerModelMm()) < 2) return;
  if (!std::isfinite(originOffset.x) || !std::isfinite(originOffset.y)) return;
  const int style = grid.lineAttr;
  const int gridKind = style % 100;
  const int lineType = style / 100;
  const ColourRef colour = ctx.settings.colour(kColourGrid);
  Canvas& c = ctx.canvas;
  c.SetPen({PenKind::kCosmetic, gridKind == 0 && lineType >= 0 ? LineStyleToPen(lineType) : PenStyle::kSolid, 1, colour});
  c.SetBackgroundMode(BackgroundMode::kTransparent);
  const int width = m.extentWidth, height = m.extentHeight;
  // First positions left of and below the visible lower-left corner.
  const ModelRect& w = ctx.visible;
  const double firstI = std::floor((w.xmin - originOffset.x) / pitch);
  const double firstJ = std::floor((w.ymin - originOffset.y) / pitch);
  // The pitch rounds to at least 2 pixels (so it is at least 1.5): the extent bounds the count.
  const double step = pitch * m.PixelsPerModelMm();
  const int columns = static_cast<int>(width / step) + 3, rows = static_cast<int>(height / step) + 3;
  std::vector<int> xs, ys;
  for (int i = 0; i < columns; ++i) {
    const int x = m.ModelToScreen(originOffset.x + (firstI + i) * pitch, 0).x;
    if (x > width) break;
    xs.push_back(x);
  }
  for (int j = 0; j < rows; ++j) {
    const int y = m.ModelToScreen(0, originOffset.y + (firstJ + j) * pitch).y;
    if (y < 0) break;
    ys.push_back(y);
  }
  if (gridKind == 0) {
    for (int y : ys) c.Line({0, y}, {width, y});
    for (int x : xs) c.Line({x, 0}, {x, height});
  } else if (gridKind == 1) {
    c.SetBrush({BrushKind::kSolid, HatchStyle::kHorizontal, colour});
    for (int y : ys) {
      for (int x : xs) c.Rectangle({x - 1, y - 1, x + 1, y + 1});
    }
  } else if (gridKind == 2) {
    for (int y : ys) {
      for (int x : xs) {
        c.Line({x - 4, y}, {x + 5, y});
        c.Line({x, y - 4}, {x, y + 5});
      }
    }
  }
}

void DrawAreaFrame(const RenderContext& ctx, const ViewMarks& marks) {
  if (marks.frameSwitch == 0) return;
  const ViewMapping& m = ctx.mapping;
  const ModelPoint a = marks.areaMin;
  const ModelPoint b{a.x + 2 * marks.originOffset.x, a.y + 2 * marks.originOffset.y};
  const PixelPoint p0 = m.ModelToScreen(a.x, a.y), p1 = m.ModelToScreen(b.x, b.y);
  const bool erase = marks.frameSwitch == 2;
  Canvas& c = ctx.canvas;
  c.SetPen({PenKind::kCosmetic, erase ? PenStyle::kSolid : PenStyle::kDot, 1,
            ctx.settings.colour(erase ? kColourBackground : kColourOutputRange)});
  c.SetBackgroundMode(BackgroundMode::kTransparent);
  const PixelPoint outline[5] = {p0, {p1.x, p0.y}, p1, {p0.x, p1.y}, p0};
  c.Polyline(outline);
}

void DrawOriginMark(const RenderContext& ctx, const ViewMarks& marks) {
  if (marks.originMarkSwitch != 1) return;
  const PixelPoint p = ctx.mapping.ModelToScreen(marks.areaMin.x + marks.originOffset.x,
                                                 marks.areaMin.y + marks.originOffset.y);
  Canvas& c = ctx.canvas;
  c.SetPen({PenKind::kCosmetic, PenStyle::kDot, 1, ctx.settings.colour(kColourOutputRange)});
  c.SetBackgroundMode(BackgroundMode::kTransparent);
  c.Line({p.x - 10, p.y}, {p.x + 10, p.y});
  c.Line({p.x, p.y - 10}, {p.x, p.y + 10});
}

}  // namespace plenwick
