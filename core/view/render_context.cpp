// Drawing states and their colours.
#include "view/render_context.h"

#include "model/layer_table.h"

#include <cmath>

namespace plenwick {

int RenderContext::DashUnit() const {
  const double g = std::floor(devicePixelsPerMm);
  return g >= 1 && g < 100000 ? static_cast<int>(g) : 1;
}

int EffectiveState(const LayerView& layers, const DrawEntity& entity, int state) {
  if (state != 0 || entity.layer == layers.currentLayer) return state;
  return layers.StateOf(entity.layer) == kLayerOffColour ? 2 : 0;
}

ColourRef StateColour(const RenderSettings& settings, const DrawEntity& entity, int state) {
  const auto own = static_cast<ColourRef>(entity.colour) & 0xFFFFFF;
  switch (state) {
    case kStateErase: return settings.colour(kColourBackground);
    case 1: return settings.colour(kColourHighlight);
    case 2: return settings.colour(kColourLayerOff);
    case 3:
    case 4: return kMarkedColour;
    case 5: return settings.colour(kColourIndicatorLine);
    default: return own;
  }
}

}  // namespace plenwick
