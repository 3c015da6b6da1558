// The 728-byte program parameter block: the image of "PWKPRM.DAT", kept raw with named offsets.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/byte_io.h"

namespace plenwick {

struct ParameterBlock {
  static constexpr std::size_t kSize = 728;

  // Plotter output (int32 each).
  static constexpr std::size_t kPlotterOption1 = 0;
  static constexpr std::size_t kPlotterOption2 = 4;
  static constexpr std::size_t kPlotterBaudRate = 8;
  static constexpr std::size_t kPlotterDataBits = 12;
  static constexpr std::size_t kPlotterFlowControl = 16;
  static constexpr std::size_t kPlotterCommand = 20;
  static constexpr std::size_t kPlotterParity = 24;
  static constexpr std::size_t kPlotterPort = 28;
  static constexpr std::size_t kPlotterStopBits = 32;
  // Window placements (int16, pixels).
  static constexpr std::size_t kPaletteX = 36;
  static constexpr std::size_t kPaletteY = 38;
  static constexpr std::size_t kLayerListLeft = 40;
  static constexpr std::size_t kLayerListTop = 42;
  static constexpr std::size_t kLayerListWidth = 44;
  static constexpr std::size_t kLayerListHeight = 46;
  // New drawings and sizes.
  static constexpr std::size_t kDefaultScale = 48;      // int32, 1:n
  static constexpr std::size_t kDefaultPaperSize = 52;  // int32 paper size index
  static constexpr std::size_t kTextSizeMode = 56;      // int16: 0 mm, 1 pt. (scaled)
  static constexpr std::size_t kGridSensitivity = 58;   // int16 1..5
  static constexpr std::size_t kGridPitch = 60;         // float mm
  static constexpr std::size_t kGridKind = 64;          // int16 0 lines, 1 dots, 2 crosses
  static constexpr std::size_t kGridLineType = 66;      // int16
  static constexpr std::size_t kTextHeight = 68;        // float
  static constexpr std::size_t kTextWidth = 72;         // float
  static constexpr std::size_t kHatchSpacingY = 76;     // float, "縦間隔"
  static constexpr std::size_t kHatchSpacingX = 80;     // float, "横間隔"
  static constexpr std::size_t kDimTextSize = 84;       // float
  static constexpr std::size_t kDimDecimals = 88;       // int16
  static constexpr std::size_t kPadding90 = 90;         // 2 bytes, unused
  static constexpr std::size_t kDimExtUpper = 92;       // float
  static constexpr std::size_t kDimExtLower = 96;       // float
  static constexpr std::size_t kDisplayColours = 100;   // 8 x COLORREF
  static constexpr std::size_t kPenColours = 132;       // 8 x COLORREF
  static constexpr std::size_t kPenWidths = 164;        // 8 x float mm
  static constexpr std::size_t kThickLineWidths = 196;  // 3 x float mm (line types 5, 6, 7)
  // Switches (int16).
  static constexpr std::size_t kNewPaperMode = 208;  // 1 printer paper, 0 paper size index
  static constexpr std::size_t kPaperFrameDisplay = 210;
  static constexpr std::size_t kOriginMarkDisplay = 212;
  static constexpr std::size_t kMagnet = 214;
  static constexpr std::size_t kDistanceDisplay = 216;
  static constexpr std::size_t kGridDisplay = 218;
  static constexpr std::size_t kDimMarkSize = 220;       // terminator size for arrowhead types 0, 1
  static constexpr std::size_t kDimArrowSize = 222;      // terminator size for arrowhead types 2, 3
  static constexpr std::size_t kDimArrowSizeMode = 224;  // 0 old type, 1 follows the scale
  static constexpr std::size_t kZero226 = 226;           // int16, always written 0
  static constexpr std::size_t kZero228 = 228;           // int32, always written 0
  // Tool settings.
  static constexpr std::size_t kPointOffsetX = 232;       // float
  static constexpr std::size_t kPointOffsetY = 236;       // float
  static constexpr std::size_t kPointMoveDistance = 240;  // float
  static constexpr std::size_t kLineHVMode = 244;         // int16 from here to 262
  static constexpr std::size_t kLineLengthOn = 246;
  static constexpr std::size_t kLineAngleOn = 248;
  static constexpr std::size_t kAngleMoveLengthOn = 250;
  static constexpr std::size_t kWidthLineHVMode = 252;
  static constexpr std::size_t kWidthLineKeepCentre = 254;
  static constexpr std::size_t kParallelDistanceOn = 256;
  static constexpr std::size_t kParallelCount = 258;
  static constexpr std::size_t kInfiniteLineMode = 260;
  static constexpr std::size_t kPolylineHVMode = 262;
  static constexpr std::size_t kAngleMoveAngle = 264;  // float from here to 288
  static constexpr std::size_t kLineAngle = 268;
  static constexpr std::size_t kLineLength = 272;
  static constexpr std::size_t kWidthLeft = 276;
  static constexpr std::size_t kWidthRight = 280;
  static constexpr std::size_t kInfiniteLineAngle = 284;
  static constexpr std::size_t kParallelDistance = 288;
  static constexpr std::size_t kCircleRadiusOn = 292;  // int16
  static constexpr std::size_t kArcDirection = 294;    // int16
  static constexpr std::size_t kCircleRadius = 296;    // float
  static constexpr std::size_t kArcStartAngle = 300;   // float
  static constexpr std::size_t kArcEndAngle = 304;     // float
  static constexpr std::size_t kPolyVertexCount = 308;  // int16 from here to 318
  static constexpr std::size_t kPolyValuesOn = 310;
  static constexpr std::size_t kBoxBasePoint = 312;
  static constexpr std::size_t kCornerTrimLine1 = 314;
  static constexpr std::size_t kCornerTrimLine2 = 316;
  static constexpr std::size_t kCornerStyle = 318;
  static constexpr std::size_t kCornerDistance = 320;  // float from here to 336
  static constexpr std::size_t kBoxWidth = 324;
  static constexpr std::size_t kBoxHeight = 328;
  static constexpr std::size_t kPolyAngle = 332;
  static constexpr std::size_t kPolyRadius = 336;
  static constexpr std::size_t kHatchPattern = 340;  // int16 from here to 354
  static constexpr std::size_t kScaleReference = 342;
  static constexpr std::size_t kStretchMode = 344;
  static constexpr std::size_t kDimTolType = 346;
  static constexpr std::size_t kLeaderArrow = 348;
  static constexpr std::size_t kLeaderStyle = 350;
  static constexpr std::size_t kTextVariant = 352;
  static constexpr std::size_t kPointShape = 354;
  static constexpr std::size_t kTextAngle = 356;  // float from here to 372
  static constexpr std::size_t kMoveScale = 360;
  static constexpr std::size_t kMoveAngle = 364;
  static constexpr std::size_t kHatchAngle = 368;
  static constexpr std::size_t kOffsetDistance = 372;
  static constexpr std::size_t kDimTolUpper = 376;  // 8 x double
  static constexpr std::size_t kDimTolLower = 440;  // 8 x double
  static constexpr int kToleranceEntries = 8;
  // Texts (Shift-JIS, NUL-terminated in their fields).
  static constexpr std::size_t kTextFont = 504;
  static constexpr std::size_t kDimFont = 552;
  static constexpr std::size_t kFontWidth = 48;
  static constexpr std::size_t kDimPrefix = 600;  // 8 x char[5]
  static constexpr std::size_t kDimPrefixWidth = 5;
  static constexpr int kDimPrefixCount = 8;
  static constexpr int kRadiusPrefixSlot = 4;
  static constexpr int kDiameterPrefixSlot = 5;
  static constexpr std::size_t kPartsFolder = 640;
  static constexpr std::size_t kPartsFolderWidth = 88;

  static constexpr int kDisplayColourCount = 8;
  static constexpr int kPenCount = 8;
  static constexpr int kThickLineCount = 3;

  std::array<uint8_t, kSize> bytes{};

  int16_t I16(std::size_t offset) const { return GetI16(&bytes[offset]); }
  int32_t I32(std::size_t offset) const { return GetI32(&bytes[offset]); }
  float F32(std::size_t offset) const { return GetF32(&bytes[offset]); }
  double F64(std::size_t offset) const { return GetF64(&bytes[offset]); }
  std::string_view Text(std::size_t offset, std::size_t width) const { return GetFixedString(&bytes[offset], width); }
  void SetI16(std::size_t offset, int16_t v) { PutI16(&bytes[offset], v); }
  void SetI32(std::size_t offset, int32_t v) { PutI32(&bytes[offset], v); }
  void SetF32(std::size_t offset, float v) { PutF32(&bytes[offset], v); }
  void SetF64(std::size_t offset, double v) { PutF64(&bytes[offset], v); }
  // Stores s cut at a character boundary to width - 1 bytes, NUL-filled.
  void SetText(std::size_t offset, std::size_t width, std::string_view s);

  bool operator==(const ParameterBlock&) const = default;
};

// The block a first start writes: every default of the parameter table. The parts folder is
// the default parts folder, converted to Shift-JIS and cut to fit its field.
ParameterBlock DefaultParameterBlock();
// The same with the given parts folder (UTF-8).
ParameterBlock DefaultParameterBlock(std::string_view partsFolderUtf8);

}  // namespace plenwick
