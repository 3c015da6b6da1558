// What picking and snapping need from the view that asks: its pixel/model mapping, its layer
// display states and the pick tolerance. Kept apart from the view class so that the core and its
// tests can pick without a window.
#pragma once

#include <cstdint>
#include <functional>

#include "model/entity_list.h"
#include "model/snap_point_list.h"
#include "view/geometry.h"

namespace plenwick {

// A client pixel (x right, y down).
struct PixelPoint {
  int x = 0;
  int y = 0;
};

// How a view converts between client pixels and model mm: its ScreenToModel and ModelToScreen.
struct ScreenMapping {
  std::function<Point2(int sx, int sy)> toModel;
  std::function<PixelPoint(double x, double y)> toScreen;
  double modelPerPixel = 1.0;  // model mm per pixel: drawing scale / PixelsPerMm
};

// Default pick and snap radius in pixels.
inline constexpr int kSnapPixels = 10;

// Pick tolerance in pixels from the document's grid settings: trunc(pitch / sensitivity).
// A sensitivity outside 1..5 is taken as the nearest allowed value; the result is never negative.
int PickTolerancePixels(double gridPitch, int sensitivity);

struct PickView {
  EntityList* entities = nullptr;
  SnapPointList* snapPoints = nullptr;
  ScreenMapping mapping;
  const uint8_t* layerStates = nullptr;  // the view's 128 LayerDisplayState values; null: all shown
  int currentLayer = 0;
  bool currentLayerOnly = false;  // set by the selection tool around its own picks
  int tolerancePixels = kSnapPixels;
  Point2 gridOrigin;  // where the grid's crossings start: the origin the view draws the grid from
};

}  // namespace plenwick
