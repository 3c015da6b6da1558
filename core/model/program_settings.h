// The program-wide current settings that tools, bars and views use, filled once per run from
// the parameter block of the first document and written back into it when a document closes.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/fixed_text.h"
#include "model/parameter_block.h"

namespace plenwick {

struct ProgramSettings {
  // True once the first document of the run has filled the settings.
  bool filled = false;

  // Not stored in the block: what new elements are drawn with.
  int16_t CurrentPen = 0;       // 0..7
  int16_t CurrentLineType = 0;  // 0..7
  int32_t CurrentColour = 0;    // COLORREF 0x00BBGGRR
  int16_t CurrentLayer = 0;     // 0..127
  float DrawingScale = 1;       // 1:n of the drawing last opened or set up

  // Plotter output: indexes into the lists of the plotter dialog.
  int32_t PlotterOption1 = 0;
  int32_t PlotterOption2 = 0;
  int32_t PlotterBaudRate = 0;
  int32_t PlotterDataBits = 0;
  int32_t PlotterFlowControl = 0;
  int32_t PlotterCommand = 0;
  int32_t PlotterParity = 0;
  int32_t PlotterPort = 0;
  int32_t PlotterStopBits = 0;
  // Window placements, pixels.
  int16_t PaletteX = 0;
  int16_t PaletteY = 0;
  int16_t LayerListLeft = 0;
  int16_t LayerListTop = 0;
  int16_t LayerListWidth = 0;
  int16_t LayerListHeight = 0;
  // New drawings, grid and sizes.
  int32_t DefaultScale = 0;      // 1:n of a new drawing
  int32_t DefaultPaperSize = 0;  // paper size index of a new drawing
  int16_t TextSizeMode = 0;      // 0 mm, 1 pt. multiplied by the drawing scale
  int16_t GridSensitivity = 0;   // 1..5
  float GridPitch = 0;           // model mm
  int16_t GridKind = 0;          // 0 lines, 1 dots, 2 crosses
  int16_t GridLineType = 0;
  float TextHeight = 0;
  float TextWidth = 0;
  float HatchSpacingY = 0;  // "縦間隔"
  float HatchSpacingX = 0;  // "横間隔"
  float DimTextSize = 0;
  int16_t DimDecimals = 0;
  int16_t Padding90 = 0;  // unused bytes, kept so that they travel unchanged
  float DimExtUpper = 0;
  float DimExtLower = 0;
  std::array<int32_t, ParameterBlock::kDisplayColourCount> DisplayColours{};  // COLORREF; 0 is the background
  std::array<int32_t, ParameterBlock::kPenCount> PenColours{};                // COLORREF
  std::array<float, ParameterBlock::kPenCount> PenWidths{};                   // paper mm
  std::array<float, ParameterBlock::kThickLineCount> ThickLineWidths{};       // paper mm, line types 5..7
  // Switches.
  int16_t NewPaperMode = 0;  // 1 the printer's paper, 0 the paper size index
  int16_t PaperFrameDisplay = 0;
  int16_t OriginMarkDisplay = 0;
  int16_t Magnet = 0;
  int16_t DistanceDisplay = 0;
  int16_t GridDisplay = 0;
  int16_t DimMarkSize = 0;   // 0..4, arrowhead types 0 and 1
  int16_t DimArrowSize = 0;  // 0..4, arrowhead types 2 and 3
  int16_t DimArrowSizeMode = 0;
  // Tool settings (model mm and degrees).
  float PointOffsetX = 0;
  float PointOffsetY = 0;
  float PointMoveDistance = 0;
  int16_t LineHVMode = 0;
  int16_t LineLengthOn = 0;
  int16_t LineAngleOn = 0;
  int16_t AngleMoveLengthOn = 0;
  int16_t WidthLineHVMode = 0;
  int16_t WidthLineKeepCentre = 0;
  int16_t ParallelDistanceOn = 0;
  int16_t ParallelCount = 0;
  int16_t InfiniteLineMode = 0;
  int16_t PolylineHVMode = 0;
  float AngleMoveAngle = 0;
  float LineAngle = 0;
  float LineLength = 0;
  float WidthLeft = 0;
  float WidthRight = 0;
  float InfiniteLineAngle = 0;
  float ParallelDistance = 0;
  int16_t CircleRadiusOn = 0;
  int16_t ArcDirection = 0;  // 0 clockwise, 1 counter-clockwise
  float CircleRadius = 0;
  float ArcStartAngle = 0;
  float ArcEndAngle = 0;
  int16_t PolyVertexCount = 0;
  int16_t PolyValuesOn = 0;
  int16_t BoxBasePoint = 0;  // 0 centre, 1 lower left
  int16_t CornerTrimLine1 = 0;
  int16_t CornerTrimLine2 = 0;
  int16_t CornerStyle = 0;  // 0 none, 1 chamfer, 2 round
  float CornerDistance = 0;
  float BoxWidth = 0;
  float BoxHeight = 0;
  float PolyAngle = 0;
  float PolyRadius = 0;
  int16_t HatchPattern = 0;
  int16_t ScaleReference = 0;  // 0 centre, 1 lower left, 2 upper left
  int16_t StretchMode = 0;     // 0 whole, 1 partial, 2 partial linked
  int16_t DimTolType = 0;      // as the dimension stores it (list index 3 and 7 exchanged)
  int16_t LeaderArrow = 0;
  int16_t LeaderStyle = 0;
  int16_t TextVariant = 0;
  int16_t PointShape = 0;
  float TextAngle = 0;
  float MoveScale = 0;  // factor, 1 = unchanged
  float MoveAngle = 0;
  float HatchAngle = 0;
  float OffsetDistance = 0;
  std::array<double, ParameterBlock::kToleranceEntries> DimTolUpper{};
  std::array<double, ParameterBlock::kToleranceEntries> DimTolLower{};
  FixedText<ParameterBlock::kFontWidth> TextFont;
  FixedText<ParameterBlock::kFontWidth> DimFont;
  std::array<FixedText<ParameterBlock::kDimPrefixWidth>, ParameterBlock::kDimPrefixCount> DimPrefix{};
  FixedText<ParameterBlock::kPartsFolderWidth> PartsFolder;  // Shift-JIS

  // A dimension prefix as a dimension stores it: at most 4 bytes.
  std::string_view DimPrefixText(int slot) const;

  // Takes every field from the block. A tolerance type 3 becomes 7 and 7 becomes 3; a palette
  // x below 1 becomes 40 and a palette y below 1 becomes 80 (the window would be off screen); a
  // float or double that is not finite takes its default (ReplaceNonFiniteNumbers).
  // Does not touch `filled` or the current pen, line type, colour and layer.
  void FillFrom(const ParameterBlock& block);
  // Stores every field into the block, exchanging the tolerance type 3 and 7 again so that a
  // value read from a file is written back as it was; offsets 226 and 228 become 0.
  void WriteTo(ParameterBlock& block) const;
};

// Gives every float and double field of the block that holds a NaN or an infinity the value of
// DefaultParameterBlock; all other bytes stay as they are. Tools would turn such a value into
// elements a drawing file cannot keep.
void ReplaceNonFiniteNumbers(ParameterBlock& block);

// The settings of this process (one per run).
ProgramSettings& CurrentSettings();
// Back to the state of a fresh start: the table's defaults, not filled. For tests.
void ResetCurrentSettings();

}  // namespace plenwick
