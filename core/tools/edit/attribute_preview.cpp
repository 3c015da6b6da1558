// The attribute dialogs' preview: a one-record list drawn through its own view mapping.
#include "tools/edit/attribute_preview.h"

#include <algorithm>

#include "tools/edit/record_replacement.h"
#include "view/entity_bounds.h"
#include "view/entity_renderer.h"
#include "view/render_context.h"

namespace plenwick {

namespace {

constexpr int kMarginPixels = 8;

}  // namespace

void DrawAttributePreview(Canvas& canvas, const DrawEntity& old, const RecordGeometry& g, const ElementLook& look,
                          int width, int height) {
  if (width <= 2 * kMarginPixels || height <= 2 * kMarginPixels) return;
  EntityList list;
  constexpr int16_t kPreviewLayer = 0;
  DrawEntity* shown = AppendRecord(list, old, g, kPreviewLayer);
  if (!shown) return;
  shown->lineAttr = look.lineAttr();
  shown->colour = look.colour;
  ModelRect box;
  if (!EntityDrawingBounds(*shown, box)) return;
  // A point or an axis-parallel line has no extent across: give it one so the fit has a scale.
  const double pad = std::max({box.width(), box.height(), 1.0}) * 0.05;
  box = {box.xmin - pad, box.ymin - pad, box.xmax + pad, box.ymax + pad};

  ViewMapping mapping;
  mapping.ViewWindow = box;
  mapping.clientWidth = mapping.extentWidth = width - 2 * kMarginPixels;
  mapping.clientHeight = mapping.extentHeight = height - 2 * kMarginPixels;
  if (!mapping.FitViewWindow()) return;
  mapping.Recentre();
  // The fit was made for the box inside the margin; the client is the whole box.
  mapping.clientWidth = mapping.extentWidth = width;
  mapping.clientHeight = mapping.extentHeight = height;
  mapping.ScrollOffset.x -= kMarginPixels;
  mapping.ScrollOffset.y -= kMarginPixels;

  const RenderSettings settings;
  LayerView layers;
  layers.currentLayer = kPreviewLayer;
  layers.states[kPreviewLayer] = 2;
  RenderEntity(RenderContext(canvas, mapping, settings, layers), *shown, kMarkNone);
}

}  // namespace plenwick
