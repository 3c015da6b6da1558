// Filling the program-wide settings from the parameter block and writing them back.
#include "model/program_settings.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <type_traits>

namespace plenwick {

namespace {

using P = ParameterBlock;

// Floating-point fields are copied as raw bytes, which is right only on a little-endian host.
static_assert(std::endian::native == std::endian::little);

template <typename T>
struct IsStdArray : std::false_type {};
template <typename T, std::size_t N>
struct IsStdArray<std::array<T, N>> : std::true_type {};
template <typename T>
struct IsFixedText : std::false_type {};
template <std::size_t N>
struct IsFixedText<FixedText<N>> : std::true_type {};

// The one list that ties each stored setting to its offset; filling and writing both walk it,
// so the two directions cannot disagree.
template <typename Settings, typename Visit>
void ForEachStoredField(Settings& s, Visit&& visit) {
  visit(P::kPlotterOption1, s.PlotterOption1);
  visit(P::kPlotterOption2, s.PlotterOption2);
  visit(P::kPlotterBaudRate, s.PlotterBaudRate);
  visit(P::kPlotterDataBits, s.PlotterDataBits);
  visit(P::kPlotterFlowControl, s.PlotterFlowControl);
  visit(P::kPlotterCommand, s.PlotterCommand);
  visit(P::kPlotterParity, s.PlotterParity);
  visit(P::kPlotterPort, s.PlotterPort);
  visit(P::kPlotterStopBits, s.PlotterStopBits);
  visit(P::kPaletteX, s.PaletteX);
  visit(P::kPaletteY, s.PaletteY);
  visit(P::kLayerListLeft, s.LayerListLeft);
  visit(P::kLayerListTop, s.LayerListTop);
  visit(P::kLayerListWidth, s.LayerListWidth);
  visit(P::kLayerListHeight, s.LayerListHeight);
  visit(P::kDefaultScale, s.DefaultScale);
  visit(P::kDefaultPaperSize, s.DefaultPaperSize);
  visit(P::kTextSizeMode, s.TextSizeMode);
  visit(P::kGridSensitivity, s.GridSensitivity);
  visit(P::kGridPitch, s.GridPitch);
  visit(P::kGridKind, s.GridKind);
  visit(P::kGridLineType, s.GridLineType);
  visit(P::kTextHeight, s.TextHeight);
  visit(P::kTextWidth, s.TextWidth);
  visit(P::kHatchSpacingY, s.HatchSpacingY);
  visit(P::kHatchSpacingX, s.HatchSpacingX);
  visit(P::kDimTextSize, s.DimTextSize);
  visit(P::kDimDecimals, s.DimDecimals);
  visit(P::kPadding90, s.Padding90);
  visit(P::kDimExtUpper, s.DimExtUpper);
  visit(P::kDimExtLower, s.DimExtLower);
  visit(P::kDisplayColours, s.DisplayColours);
  visit(P::kPenColours, s.PenColours);
  visit(P::kPenWidths, s.PenWidths);
  visit(P::kThickLineWidths, s.ThickLineWidths);
  visit(P::kNewPaperMode, s.NewPaperMode);
  visit(P::kPaperFrameDisplay, s.PaperFrameDisplay);
  visit(P::kOriginMarkDisplay, s.OriginMarkDisplay);
  visit(P::kMagnet, s.Magnet);
  visit(P::kDistanceDisplay, s.DistanceDisplay);
  visit(P::kGridDisplay, s.GridDisplay);
  visit(P::kDimMarkSize, s.DimMarkSize);
  visit(P::kDimArrowSize, s.DimArrowSize);
  visit(P::kDimArrowSizeMode, s.DimArrowSizeMode);
  visit(P::kPointOffsetX, s.PointOffsetX);
  visit(P::kPointOffsetY, s.PointOffsetY);
  visit(P::kPointMoveDistance, s.PointMoveDistance);
  visit(P::kLineHVMode, s.LineHVMode);
  visit(P::kLineLengthOn, s.LineLengthOn);
  visit(P::kLineAngleOn, s.LineAngleOn);
  visit(P::kAngleMoveLengthOn, s.AngleMoveLengthOn);
  visit(P::kWidthLineHVMode, s.WidthLineHVMode);
  visit(P::kWidthLineKeepCentre, s.WidthLineKeepCentre);
  visit(P::kParallelDistanceOn, s.ParallelDistanceOn);
  visit(P::kParallelCount, s.ParallelCount);
  visit(P::kInfiniteLineMode, s.InfiniteLineMode);
  visit(P::kPolylineHVMode, s.PolylineHVMode);
  visit(P::kAngleMoveAngle, s.AngleMoveAngle);
  visit(P::kLineAngle, s.LineAngle);
  visit(P::kLineLength, s.LineLength);
  visit(P::kWidthLeft, s.WidthLeft);
  visit(P::kWidthRight, s.WidthRight);
  visit(P::kInfiniteLineAngle, s.InfiniteLineAngle);
  visit(P::kParallelDistance, s.ParallelDistance);
  visit(P::kCircleRadiusOn, s.CircleRadiusOn);
  visit(P::kArcDirection, s.ArcDirection);
  visit(P::kCircleRadius, s.CircleRadius);
  visit(P::kArcStartAngle, s.ArcStartAngle);
  visit(P::kArcEndAngle, s.ArcEndAngle);
  visit(P::kPolyVertexCount, s.PolyVertexCount);
  visit(P::kPolyValuesOn, s.PolyValuesOn);
  visit(P::kBoxBasePoint, s.BoxBasePoint);
  visit(P::kCornerTrimLine1, s.CornerTrimLine1);
  visit(P::kCornerTrimLine2, s.CornerTrimLine2);
  visit(P::kCornerStyle, s.CornerStyle);
  visit(P::kCornerDistance, s.CornerDistance);
  visit(P::kBoxWidth, s.BoxWidth);
  visit(P::kBoxHeight, s.BoxHeight);
  visit(P::kPolyAngle, s.PolyAngle);
  visit(P::kPolyRadius, s.PolyRadius);
  visit(P::kHatchPattern, s.HatchPattern);
  visit(P::kScaleReference, s.ScaleReference);
  visit(P::kStretchMode, s.StretchMode);
  visit(P::kDimTolType, s.DimTolType);
  visit(P::kLeaderArrow, s.LeaderArrow);
  visit(P::kLeaderStyle, s.LeaderStyle);
  visit(P::kTextVariant, s.TextVariant);
  visit(P::kPointShape, s.PointShape);
  visit(P::kTextAngle, s.TextAngle);
  visit(P::kMoveScale, s.MoveScale);
  visit(P::kMoveAngle, s.MoveAngle);
  visit(P::kHatchAngle, s.HatchAngle);
  visit(P::kOffsetDistance, s.OffsetDistance);
  visit(P::kDimTolUpper, s.DimTolUpper);
  visit(P::kDimTolLower, s.DimTolLower);
  visit(P::kTextFont, s.TextFont);
  visit(P::kDimFont, s.DimFont);
  visit(P::kDimPrefix, s.DimPrefix);
  visit(P::kPartsFolder, s.PartsFolder);
}

// Numbers are copied as their bytes, so that every finite value comes back bit for bit.
template <typename T>
void ReadField(const P& block, std::size_t offset, T& field) {
  if constexpr (IsStdArray<T>::value) {
    for (std::size_t i = 0; i < field.size(); ++i) ReadField(block, offset + i * sizeof(field[0]), field[i]);
  } else if constexpr (IsFixedText<T>::value) {
    std::memcpy(field.bytes.data(), &block.bytes[offset], field.bytes.size());
  } else if constexpr (std::is_same_v<T, int16_t>) {
    field = block.I16(offset);
  } else if constexpr (std::is_same_v<T, int32_t>) {
    field = block.I32(offset);
  } else {
    static_assert(std::is_floating_point_v<T>);
    std::memcpy(&field, &block.bytes[offset], sizeof(T));
  }
}

template <typename T>
void WriteField(P& block, std::size_t offset, const T& field) {
  if constexpr (IsStdArray<T>::value) {
    for (std::size_t i = 0; i < field.size(); ++i) WriteField(block, offset + i * sizeof(field[0]), field[i]);
  } else if constexpr (IsFixedText<T>::value) {
    std::memcpy(&block.bytes[offset], field.bytes.data(), field.bytes.size());
  } else if constexpr (std::is_same_v<T, int16_t>) {
    block.SetI16(offset, field);
  } else if constexpr (std::is_same_v<T, int32_t>) {
    block.SetI32(offset, field);
  } else {
    static_assert(std::is_floating_point_v<T>);
    std::memcpy(&block.bytes[offset], &field, sizeof(T));
  }
}

// The default block for its numbers (its parts folder, not a number, is left empty).
const P& DefaultNumbers() {
  static const P defaults = DefaultParameterBlock(std::string_view{});
  return defaults;
}

// A float or double (or an array of them) at `offset` that is not finite takes the bytes of
// `defaults` there; other fields are left alone.
template <typename T>
void RepairNumbers(P& block, const P& defaults, std::size_t offset, const T& field) {
  if constexpr (IsStdArray<T>::value) {
    for (std::size_t i = 0; i < field.size(); ++i) RepairNumbers(block, defaults, offset + i * sizeof(field[0]), field[i]);
  } else if constexpr (std::is_floating_point_v<T>) {
    T number;
    std::memcpy(&number, &block.bytes[offset], sizeof(T));
    if (!std::isfinite(number)) std::memcpy(&block.bytes[offset], &defaults.bytes[offset], sizeof(T));
  }
}

// The tolerance list shows "上下（+）（+）" at 3 and "上下（+）（-）" at 7, the dimension stores them
// the other way round; the exchange is its own inverse.
int16_t ExchangeToleranceType(int16_t t) { return t == 3 ? int16_t{7} : t == 7 ? int16_t{3} : t; }

}  // namespace

std::string_view ProgramSettings::DimPrefixText(int slot) const {
  if (slot < 0 || slot >= ParameterBlock::kDimPrefixCount) return {};
  return SjisPrefix(DimPrefix[static_cast<std::size_t>(slot)].view(), ParameterBlock::kDimPrefixWidth - 1);
}

void ReplaceNonFiniteNumbers(ParameterBlock& block) {
  const ParameterBlock& defaults = DefaultNumbers();
  ProgramSettings layout;  // only the offsets and types of the list matter here
  ForEachStoredField(layout, [&](std::size_t offset, auto& field) { RepairNumbers(block, defaults, offset, field); });
}

void ProgramSettings::FillFrom(const ParameterBlock& stored) {
  ParameterBlock block = stored;
  ReplaceNonFiniteNumbers(block);
  ForEachStoredField(*this, [&](std::size_t offset, auto& field) { ReadField(block, offset, field); });
  DimTolType = ExchangeToleranceType(DimTolType);
  if (PaletteX < 1) PaletteX = 40;
  if (PaletteY < 1) PaletteY = 80;
}

void ProgramSettings::WriteTo(ParameterBlock& block) const {
  ForEachStoredField(*this, [&](std::size_t offset, const auto& field) { WriteField(block, offset, field); });
  block.SetI16(P::kDimTolType, ExchangeToleranceType(DimTolType));
  block.SetI16(P::kZero226, 0);
  block.SetI32(P::kZero228, 0);
}

namespace {
ProgramSettings FreshSettings() {
  ProgramSettings s;
  s.FillFrom(DefaultParameterBlock());
  return s;
}
}  // namespace

ProgramSettings& CurrentSettings() {
  static ProgramSettings settings = FreshSettings();
  return settings;
}

void ResetCurrentSettings() { CurrentSettings() = FreshSettings(); }

}  // namespace plenwick
