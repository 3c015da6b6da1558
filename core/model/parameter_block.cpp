// The defaults of the parameter block.
#include "model/parameter_block.h"

#include <string>

#include "model/entity_core.h"
#include "model/fixed_text.h"
#include "platform/folders.h"
#include "platform/sjis.h"

namespace plenwick {

void ParameterBlock::SetText(std::size_t offset, std::size_t width, std::string_view s) {
  PutFixedString(&bytes[offset], width, SjisPrefix(s, width - 1));
}

ParameterBlock DefaultParameterBlock() { return DefaultParameterBlock(DefaultPartsFolder()); }

ParameterBlock DefaultParameterBlock(std::string_view partsFolderUtf8) {
  using P = ParameterBlock;
  P p;  // every field not named below defaults to 0
  p.SetI32(P::kPlotterBaudRate, 2);
  p.SetI32(P::kPlotterDataBits, 4);
  p.SetI32(P::kPlotterStopBits, 2);
  p.SetI16(P::kPaletteX, 94);
  p.SetI16(P::kPaletteY, 115);
  p.SetI16(P::kLayerListLeft, 94);
  p.SetI16(P::kLayerListTop, 384);
  p.SetI16(P::kLayerListWidth, 122);
  p.SetI16(P::kLayerListHeight, 225);
  p.SetI32(P::kDefaultScale, 1);
  p.SetI32(P::kDefaultPaperSize, 4);  // A4
  p.SetI16(P::kGridSensitivity, 2);
  p.SetF32(P::kGridPitch, 20.0f);
  p.SetF32(P::kTextHeight, 20.0f);
  p.SetF32(P::kTextWidth, 20.0f);
  p.SetF32(P::kHatchSpacingY, 20.0f);
  p.SetF32(P::kHatchSpacingX, 20.0f);
  p.SetF32(P::kDimTextSize, 20.0f);
  p.SetF32(P::kDimExtUpper, 30.0f);
  p.SetF32(P::kDimExtLower, 10.0f);

  constexpr int32_t kDisplayColours[P::kDisplayColourCount] = {0xFFFFFF, 0xD2D2D2, 0x0000FF, 0xFF0000,
                                                               0xFF00FF, 0x000000, 0xA0A0A0, 0x9A9A9A};
  constexpr int32_t kPenColours[P::kPenCount] = {0x000000, 0xFF0000, 0x00FF00, 0xFFFF00,
                                                 0x0000FF, 0xFF00FF, 0x00FFFF, 0x408040};
  constexpr float kPenWidths[P::kPenCount] = {0.13f, 0.25f, 0.35f, 0.5f, 0.7f, 0.9f, 1.2f, 1.5f};
  constexpr float kThickLineWidths[P::kThickLineCount] = {0.1f, 0.2f, 0.5f};
  for (std::size_t i = 0; i < P::kDisplayColourCount; ++i) p.SetI32(P::kDisplayColours + 4 * i, kDisplayColours[i]);
  for (std::size_t i = 0; i < P::kPenCount; ++i) {
    p.SetI32(P::kPenColours + 4 * i, kPenColours[i]);
    p.SetF32(P::kPenWidths + 4 * i, kPenWidths[i]);
  }
  for (std::size_t i = 0; i < P::kThickLineCount; ++i) p.SetF32(P::kThickLineWidths + 4 * i, kThickLineWidths[i]);

  p.SetI16(P::kNewPaperMode, 1);
  p.SetI16(P::kPaperFrameDisplay, 1);
  p.SetI16(P::kOriginMarkDisplay, 1);
  p.SetI16(P::kMagnet, 1);
  p.SetI16(P::kGridDisplay, 1);

  p.SetF32(P::kPointOffsetX, 50.0f);
  p.SetF32(P::kPointOffsetY, 50.0f);
  p.SetF32(P::kPointMoveDistance, 50.0f);
  p.SetI16(P::kParallelCount, 1);
  p.SetF32(P::kAngleMoveAngle, 90.0f);
  p.SetF32(P::kLineLength, 50.0f);
  p.SetF32(P::kWidthLeft, 20.0f);
  p.SetF32(P::kWidthRight, 20.0f);
  p.SetF32(P::kCircleRadius, 20.0f);
  p.SetI16(P::kPolyVertexCount, 3);
  p.SetI16(P::kCornerTrimLine1, 1);
  p.SetI16(P::kCornerTrimLine2, 1);
  p.SetF32(P::kCornerDistance, 10.0f);
  p.SetF32(P::kBoxWidth, 10.0f);
  p.SetF32(P::kBoxHeight, 10.0f);
  p.SetF32(P::kPolyRadius, 50.0f);
  p.SetI16(P::kHatchPattern, 1);
  p.SetI16(P::kStretchMode, 2);
  p.SetF32(P::kMoveScale, 1.0f);
  p.SetF32(P::kOffsetDistance, 10.0f);
  for (std::size_t i = 0; i < 4; ++i) {
    p.SetF64(P::kDimTolUpper + 8 * i, 0.0015);
    p.SetF64(P::kDimTolLower + 8 * i, 0.0025);
  }

  p.SetText(P::kTextFont, P::kFontWidth, kDefaultFontSjis);
  p.SetText(P::kDimFont, P::kFontWidth, kDefaultFontSjis);
  p.SetText(P::kDimPrefix + P::kDimPrefixWidth * P::kRadiusPrefixSlot, P::kDimPrefixWidth, "R");
  p.SetText(P::kDimPrefix + P::kDimPrefixWidth * P::kDiameterPrefixSlot, P::kDimPrefixWidth, "\x83\xd3");  // φ
  p.SetText(P::kPartsFolder, P::kPartsFolderWidth, Utf8ToSjis(partsFolderUtf8));
  return p;
}

}  // namespace plenwick
