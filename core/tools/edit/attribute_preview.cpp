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

void DrawAttributePreview(Canvas& canvas, const DrawEntity& old, const AttributeRecord& r, const ElementLook& look,
                          int width, int height) {
  if (width <= 2 * kMarginPixels || height <= 2 * kMarginPixels) return;
  EntityList list;
  constexpr int16_t kPreviewLayer = 0;
  DrawEntity* shown = AppendRecord(list, old, r.geometry, kPreviewLayer, r.strings);
  if (!shown) return;
  // The look goes to a dimension's parts too, as the drawing gives it to them.
  ModelRect box;
  bool any = false;
  for (DrawEntity& e : list) {
    e.lineAttr = look.lineAttr();
    e.colour = look.colour;
    ModelRect b;
    if (!EntityDrawingBounds(e, b)) continue;
    box = any ? ModelRect{std::min(box.xmin, b.xmin), std::min(box.ymin, b.ymin), std::max(box.xmax, b.xmax),
                          std::max(box.ymax, b.ymax)}
              : b;
    any = true;
  }
  if (!any) return;
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
  const RenderContext context(canvas, mapping, settings, layers);
  for (const DrawEntity& e : list) RenderEntity(context, e, kMarkNone);
}

}  // namespace plenwick
