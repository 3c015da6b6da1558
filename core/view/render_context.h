// Everything one drawing pass needs besides the elements: the canvas, the view mapping, the
// display settings, the layers as the view shows them, and whether the pass prints or exports.
#pragma once

#include <array>
#include <cstdint>

#include "model/draw_entity.h"
#include "view/canvas.h"
#include "view/render_settings.h"
#include "view/view_mapping.h"

namespace plenwick {

inline constexpr int kLayerCount = 128;

// The view's copy of the layer states and its current layer.
struct LayerView {
  int currentLayer = 0;
  std::array<uint8_t, kLayerCount> states{};  // 2 normal colour, 1 off-colour, other hidden
  LayerView() { states.fill(1); }
  // The display state of a layer number; out-of-range layers count as hidden.
  int StateOf(int layer) const {
    return layer >= 0 && layer < kLayerCount ? states[static_cast<std::size_t>(layer)] : 0;
  }
};

struct RenderContext {
  RenderContext(Canvas& c, const ViewMapping& m, const RenderSettings& s, const LayerView& l)
      : canvas(c), mapping(m), settings(s), layers(l), visible(m.VisibleWindow()) {}

  Canvas& canvas;
  const ViewMapping& mapping;
  const RenderSettings& settings;
  const LayerView& layers;
  ModelRect visible;               // model rectangle of the client extent
  bool printing = false;           // printed pens, no grid, frame or origin mark
  bool exporting = false;          // metafile/clipboard: no grid, text keeps the background mode
  double devicePixelsPerMm = 0;    // printing: horizontal logical pixels per inch / 25.4

  // The device area drawing can reach: the client extent.
  PixelRect DeviceBounds() const { return {0, 0, mapping.extentWidth, mapping.extentHeight}; }
  // The unit of printed dash patterns: the integer part of the device pixels per mm, at least 1.
  int DashUnit() const;
};

// Colour of marked (picked or selected) elements: magenta, entry 17 of the default palette.
inline constexpr ColourRef kMarkedColour = MakeColourRef(255, 0, 255);

// State -1 erases, 0 draws normally, other values mark.
inline constexpr int kStateErase = -1;

// The state an element is drawn with: a state of 0 becomes 2 on an off-colour layer other than
// the current one; every other state is kept.
int EffectiveState(const LayerView& layers, const DrawEntity& entity, int state);
// The colour a state draws in.
ColourRef StateColour(const RenderSettings& settings, const DrawEntity& entity, int state);

}  // namespace plenwick
