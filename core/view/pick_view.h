// What picking and snapping need from the view that asks: its pixel/model mapping, its layer
// display states and the pick tolerance. A plain set of references, so that the core and its
// tests can pick without a window.
#pragma once

#include <cstdint>

#include "model/entity_list.h"
#include "model/snap_point_list.h"
#include "view/canvas.h"
#include "view/geometry.h"
#include "view/view_mapping.h"

namespace plenwick {

// Default pick and snap radius in pixels.
inline constexpr int kSnapPixels = 10;

// Pick tolerance in pixels from the document's grid settings: trunc(pitch / sensitivity).
// A sensitivity outside 1..5 is taken as the nearest allowed value; the result is never negative.
int PickTolerancePixels(double gridPitch, int sensitivity);

struct PickView {
  EntityList* entities = nullptr;
  SnapPointList* snapPoints = nullptr;
  const ViewMapping* mapping = nullptr;  // the view's ModelToScreen and ScreenToModel
  const uint8_t* layerStates = nullptr;  // the view's 128 LayerDisplayState values; null: all shown
  int currentLayer = 0;
  bool currentLayerOnly = false;  // set by the selection tool around its own picks
  int tolerancePixels = kSnapPixels;
  ModelPoint gridOrigin;  // where the grid's crossings start: the origin offset the view draws it from

  // A client pixel in model mm (no mapping: the pixel's own numbers).
  ModelPoint ToModel(PixelPoint p) const {
    return mapping ? mapping->ScreenToModel(p.x, p.y) : ModelPoint{static_cast<double>(p.x), static_cast<double>(p.y)};
  }
  // Model mm per client pixel.
  double ModelPerPixel() const { return mapping ? 1.0 / mapping->PixelsPerModelMm() : 1.0; }
};

}  // namespace plenwick
