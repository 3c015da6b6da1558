// The 112-byte block of per-drawing values (text, dimension and hatch defaults, and the eight
// display colours at its end), kept raw so that old files' bytes travel unchanged.
#pragma once

#include <array>
#include <cstdint>

#include "platform/byte_io.h"

namespace plenwick {

struct DrawingValues {
  static constexpr std::size_t kSize = 112;
  static constexpr std::size_t kDisplayColours = 72;  // 8 x COLORREF
  static constexpr int kColourCount = 8;

  std::array<uint8_t, kSize> bytes{};

  // Display colour i (0-based; 0 is the background), a COLORREF 0x00BBGGRR.
  int32_t displayColour(int i) const { return GetI32(&bytes[kDisplayColours + 4 * static_cast<std::size_t>(i)]); }
  void setDisplayColour(int i, int32_t c) { PutI32(&bytes[kDisplayColours + 4 * static_cast<std::size_t>(i)], c); }
};

}  // namespace plenwick
