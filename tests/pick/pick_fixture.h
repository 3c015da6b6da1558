// A headless document for the picking and snapping tests: an element list reporting to its snap
// points, the program's tool extensions, and a view mapping of one pixel per model mm.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "model/entity_core.h"
#include "model/layer_table.h"
#include "model/snap_point_list.h"
#include "view/pick_view.h"
#include "view/view_mapping.h"
#include "tools/standard_tools.h"
#include "view/snap_registration.h"

namespace plenwick::testing {

// A view mapping of `pixelsPerModelMm` client pixels per model mm (scale 1), scrolled as given.
inline ViewMapping ScrollMapping(double pixelsPerModelMm, int scrollX = 0, int scrollY = 0, int height = 1000) {
  ViewMapping m;
  m.scale = 1;
  m.PixelsPerMm = pixelsPerModelMm;
  m.ScrollOffset = {scrollX, scrollY};
  m.clientWidth = 1000;
  m.clientHeight = height;
  return m;
}

class PickDocument : public ::testing::Test {
 protected:
  PickDocument() {
    InstallToolExtensions();
    list.snapPoints = &points;
    layerStates.fill(kLayerOffColour);
    view.entities = &list;
    view.snapPoints = &points;
    view.mapping = &mapping;
    view.layerStates = layerStates.data();
  }

  // Adds an element as the document does: append, then register its points.
  DrawEntity* Add(int16_t kind, std::vector<double> values, int16_t subKind = 0, const char* text = nullptr,
                  int16_t layer = 0) {
    std::vector<int16_t> codes(values.size(), 10);
    DrawEntity* e = nullptr;
    const EntityAttr attr{kind, subKind, 0, layer, static_cast<int16_t>(values.size())};
    if (AddEntity(attr, nullptr, list, codes.data(), 0, values.data(), text, &e) != 0) return nullptr;
    RegisterSnapPoints(points, list, *e);
    return e;
  }
  DrawEntity* Grid(double pitch = 20, bool shown = true) { return Add(kGrid, {0, 0, pitch}, shown ? 1 : 0); }
  DrawEntity* Line(double x1, double y1, double x2, double y2) { return Add(kLine, {x1, y1, x2, y2}); }
  DrawEntity* Circle(double cx, double cy, double r) { return Add(kCircle, {cx, cy, r}); }
  DrawEntity* Arc(double cx, double cy, double r, double a0, double a1, int16_t direction = 1) {
    return Add(kArc, {cx, cy, r, a0, a1}, direction);
  }
  DrawEntity* PointAt(double x, double y) { return Add(kPoint, {x, y}); }

  // The pixel of a model point under the view's mapping.
  PixelPoint Pixel(double x, double y) const { return mapping.ModelToScreen(x, y); }

  // Declared before the list: the list reports to its points until it is destroyed.
  SnapPointList points;
  EntityList list;
  std::array<uint8_t, LayerTable::kLayers> layerStates{};
  ViewMapping mapping = ScrollMapping(1.0);
  PickView view;

 private:
};

}  // namespace plenwick::testing
