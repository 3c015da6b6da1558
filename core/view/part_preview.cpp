// Drawing a part to fit its box through the element renderer.
#include "view/part_preview.h"

#include <algorithm>
#include <cmath>

#include "view/entity_renderer.h"
#include "view/render_context.h"

namespace plenwick {

namespace {

bool Previewed(const DrawEntity& e) {
  switch (e.kind) {
    case kPoint:
    case kLine:
    case kBezierCurve:
    case kFreeCurve:
    case kCircle:
    case kArc:
    case kText:
    case kLeaderText:
    case kPaint:
    case kHatch:
    case kPolygon: return e.mark != kMarkDeleted;
    default: return false;
  }
}

}  // namespace

PartPreviewFit FitPartPreview(const ModelRect& extents, int boxWidth, int boxHeight) {
  const double w = extents.width(), h = extents.height();
  const double bw = std::max(boxWidth, 1), bh = std::max(boxHeight, 1);
  PartPreviewFit fit;
  fit.mmPerPixel = h < w ? w / bw / 0.8 : h / bh / 0.8;
  if (!(fit.mmPerPixel > 0) || !std::isfinite(fit.mmPerPixel)) fit.mmPerPixel = 1;
  fit.marginX = (bw - w / fit.mmPerPixel) / 2;
  fit.marginY = (bh - h / fit.mmPerPixel) / 2;
  return fit;
}

ViewMapping PartPreviewMapping(const ModelRect& extents, int boxWidth, int boxHeight) {
  const PartPreviewFit fit = FitPartPreview(extents, boxWidth, boxHeight);
  ViewMapping m;
  m.scale = 1;
  m.PixelsPerMm = 1 / fit.mmPerPixel;
  m.clientWidth = m.extentWidth = boxWidth;
  m.clientHeight = m.extentHeight = boxHeight;
  // Pixel x = marginX + (x − minX) / e and y = marginY + (maxY − y) / e.
  const double sx = extents.xmin / fit.mmPerPixel - fit.marginX;
  const double sy = fit.marginY + extents.ymax / fit.mmPerPixel - boxHeight;
  m.ScrollOffset = {static_cast<int>(std::clamp(std::lround(sx), -long{kPixelLimit}, long{kPixelLimit})),
                    static_cast<int>(std::clamp(std::lround(sy), -long{kPixelLimit}, long{kPixelLimit}))};
  m.ViewWindow = m.VisibleWindow();
  return m;
}

void DrawPartPreview(Canvas& canvas, int boxWidth, int boxHeight, const EntityList& part,
                     const std::optional<ModelRect>& extents) {
  const RenderSettings settings;
  const PixelRect inside{1, 1, boxWidth - 1, boxHeight - 1};
  canvas.SetClip(&inside);
  canvas.FillRect(inside, settings.displayColours[0]);
  if (extents) {
    const ViewMapping mapping = PartPreviewMapping(*extents, boxWidth, boxHeight);
    LayerView layers;
    layers.states.fill(2);
    const RenderContext ctx(canvas, mapping, settings, layers);
    for (const DrawEntity& e : part) {
      if (Previewed(e)) RenderEntity(ctx, e, 0);
    }
  }
  canvas.SetClip(nullptr);
}

}  // namespace plenwick
