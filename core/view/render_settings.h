// The display settings a drawing pass reads: the eight display colours, pen widths and the
// widths of the thick line types, and how dimension terminators are sized.
#pragma once

#include <array>

#include "view/canvas.h"

namespace plenwick {

// Display colours in the order of the colour table.
enum ViewColour : int {
  kColourBackground = 0,
  kColourGrid = 1,
  kColourHighlight = 2,
  kColourIndicatorLine = 3,
  kColourEmphasis = 4,
  kColourZoomRange = 5,
  kColourLayerOff = 6,
  kColourOutputRange = 7,
};
inline constexpr int kViewColourCount = 8;
inline constexpr int kPenCount = 8;
inline constexpr int kThickLineTypeCount = 3;  // line types 5, 6, 7

struct RenderSettings {
  std::array<ColourRef, kViewColourCount> displayColours = {0xFFFFFF, 0xD2D2D2, 0x0000FF, 0xFF0000,
                                                            0xFF00FF, 0x000000, 0xA0A0A0, 0x9A9A9A};
  std::array<double, kPenCount> penWidthsMm = {0.13, 0.25, 0.35, 0.5, 0.7, 0.9, 1.2, 1.5};
  std::array<double, kThickLineTypeCount> thickWidthsMm = {0.1, 0.2, 0.5};
  int dimArrowSizeMode = 0;  // dimension terminators: 0 fixed pixels, 1 paper millimetres

  ColourRef colour(ViewColour c) const { return displayColours[static_cast<std::size_t>(c)]; }
};

}  // namespace plenwick
