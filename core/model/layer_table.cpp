// The layer table's defaults.
#include "model/layer_table.h"

#include <cstdio>

namespace plenwick {

void LayerTable::NameDefault(int first, int last) {
  for (int i = first; i <= last && i < kLayers; ++i) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "Layer%02d", i + 1);
    setName(i, buf);
  }
}

void LayerTable::SetDefaults() {
  layerCount = 8;
  currentLayer = 0;
  states.fill(kLayerOffColour);
  NameDefault(0, kLayers - 1);
}

}  // namespace plenwick
