// The 128 named layers of a drawing and how each is displayed.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/byte_io.h"

namespace plenwick {

enum LayerDisplayState : uint8_t {
  kLayerHidden = 0,     // "＿ 表示しない"
  kLayerOffColour = 1,  // "□ オフカラー表示"
  kLayerNormal = 2,     // "■ 通常色表示"
};

struct LayerTable {
  static constexpr int kLayers = 128;
  static constexpr std::size_t kNameWidth = 41;  // 40 bytes + NUL

  std::array<std::array<uint8_t, kNameWidth>, kLayers> names{};
  std::array<uint8_t, kLayers> states{};
  int16_t layerCount = 0;    // layers in use (shown in the layer list)
  int16_t currentLayer = 0;  // where new elements go

  std::string_view name(int i) const { return GetFixedString(names[static_cast<std::size_t>(i)].data(), kNameWidth); }
  void setName(int i, std::string_view s) { PutFixedString(names[static_cast<std::size_t>(i)].data(), kNameWidth, s); }

  // A new drawing's table: 8 layers in use, layer 0 current, every state 1, "Layer01".."Layer128".
  void SetDefaults();
  // Names "Layer%02d" for slots first..last (0-based, inclusive).
  void NameDefault(int first, int last);
};

}  // namespace plenwick
