// Guards the program-wide settings: every byte of the parameter block must survive a run
// (filled at start, written back at close) except the documented fixes (numbers that are not
// finite among them), and the tolerance type must be exchanged in both directions so that a
// stored value does not flip on every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>

#include "model/parameter_block.h"
#include "model/program_settings.h"

namespace plenwick {
namespace {

using P = ParameterBlock;

P RandomBlock(unsigned seed) {
  std::mt19937 rng(seed);
  P p;
  for (uint8_t& b : p.bytes) b = static_cast<uint8_t>(rng());
  return p;
}

TEST(ProgramSettings, EveryOffsetRoundTripsByteExact) {
  for (unsigned seed = 1; seed <= 50; ++seed) {
    P in = RandomBlock(seed);
    // Palette positions below 1 and numbers that are not finite are repaired on filling (tested
    // below); keep them valid here.
    if (in.I16(P::kPaletteX) < 1) in.SetI16(P::kPaletteX, 1);
    if (in.I16(P::kPaletteY) < 1) in.SetI16(P::kPaletteY, 1);
    ReplaceNonFiniteNumbers(in);
    ProgramSettings s;
    s.FillFrom(in);
    // Written into a block of different bytes, so that an offset the settings forget shows up.
    P out = RandomBlock(seed + 1000);
    s.WriteTo(out);
    for (std::size_t i = 0; i < P::kSize; ++i) {
      if (i >= P::kZero226 && i < P::kZero228 + 4) {
        EXPECT_EQ(out.bytes[i], 0) << "offset " << i << " is always written 0";
      } else {
        EXPECT_EQ(out.bytes[i], in.bytes[i]) << "seed " << seed << " offset " << i;
      }
    }
  }
}

TEST(ProgramSettings, NumbersThatAreNotFiniteTakeTheirDefaults) {
  // A corrupt parameter file handed NaN or infinite lengths, angles and widths to the tools,
  // which drew lines no drawing file keeps; finite values, however odd, must still come back bit
  // for bit.
  constexpr uint8_t kQuietNaN32[] = {0x00, 0x00, 0xC0, 0x7F};
  constexpr uint8_t kSignallingNaN32[] = {0x01, 0x00, 0x80, 0x7F};
  constexpr uint8_t kPlusInf32[] = {0x00, 0x00, 0x80, 0x7F};
  constexpr uint8_t kMinusInf32[] = {0x00, 0x00, 0x80, 0xFF};
  constexpr uint8_t kFltMax32[] = {0xFF, 0xFF, 0x7F, 0x7F};
  constexpr uint8_t kMinusZero32[] = {0x00, 0x00, 0x00, 0x80};
  constexpr uint8_t kDenormal32[] = {0x01, 0x00, 0x00, 0x00};
  constexpr uint8_t kSignallingNaN64[] = {0x01, 0, 0, 0, 0, 0, 0xF0, 0x7F};
  constexpr uint8_t kMinusInf64[] = {0, 0, 0, 0, 0, 0, 0xF0, 0xFF};
  constexpr uint8_t kDoubleMax64[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xEF, 0x7F};
  const struct Case {
    std::size_t offset;
    std::span<const uint8_t> stored;
    bool repaired;
  } cases[] = {
      {P::kLineLength, kQuietNaN32, true},
      {P::kLineLength, kPlusInf32, true},
      {P::kLineAngle, kMinusInf32, true},
      {P::kAngleMoveAngle, kSignallingNaN32, true},
      {P::kParallelDistance, kQuietNaN32, true},
      {P::kWidthLeft, kPlusInf32, true},
      {P::kWidthRight, kQuietNaN32, true},
      {P::kInfiniteLineAngle, kMinusInf32, true},
      {P::kPenWidths + 4 * 3, kSignallingNaN32, true},
      {P::kThickLineWidths + 4 * 2, kPlusInf32, true},
      {P::kDimTolUpper + 8 * 2, kSignallingNaN64, true},
      {P::kDimTolLower + 8 * 6, kMinusInf64, true},
      {P::kLineLength, kFltMax32, false},
      {P::kWidthLeft, kMinusZero32, false},
      {P::kCircleRadius, kDenormal32, false},
      {P::kDimTolUpper, kDoubleMax64, false},
      {P::kPlotterOption1, kQuietNaN32, false},  // an int32 field that happens to hold those bytes
  };
  const P defaults = DefaultParameterBlock("/p");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    P in = defaults;
    std::copy(c.stored.begin(), c.stored.end(), &in.bytes[c.offset]);
    ProgramSettings s;
    s.FillFrom(in);
    P out;
    s.WriteTo(out);
    P expected = in;
    if (c.repaired) std::copy_n(&defaults.bytes[c.offset], c.stored.size(), &expected.bytes[c.offset]);
    EXPECT_EQ(out, expected);
    // The repair on its own does the same to a block.
    P repaired = in;
    ReplaceNonFiniteNumbers(repaired);
    EXPECT_EQ(repaired, expected);
  }
}

TEST(ProgramSettings, FillRepairsAndExchanges) {
  struct Case {
    int16_t storedTol, tol;
    int16_t storedX, x;
    int16_t storedY, y;
  } cases[] = {
      {3, 7, 94, 94, 115, 115},
      {7, 3, 0, 40, 0, 80},
      {5, 5, -3, 40, 1, 1},
      {0, 0, 1, 1, -32768, 80},
  };
  for (const Case& c : cases) {
    P in = DefaultParameterBlock("/p");
    in.SetI16(P::kDimTolType, c.storedTol);
    in.SetI16(P::kPaletteX, c.storedX);
    in.SetI16(P::kPaletteY, c.storedY);
    ProgramSettings s;
    s.FillFrom(in);
    EXPECT_EQ(s.DimTolType, c.tol);
    EXPECT_EQ(s.PaletteX, c.x);
    EXPECT_EQ(s.PaletteY, c.y);
    P out = in;
    s.WriteTo(out);
    EXPECT_EQ(out.I16(P::kDimTolType), c.storedTol) << "the stored tolerance type must come back unchanged";
  }
}

TEST(ProgramSettings, WriteClearsTheAlwaysZeroFields) {
  ProgramSettings s;
  s.FillFrom(DefaultParameterBlock("/p"));
  P out;
  out.bytes.fill(0xEE);
  s.WriteTo(out);
  EXPECT_EQ(out.I16(P::kZero226), 0);
  EXPECT_EQ(out.I32(P::kZero228), 0);
}

TEST(ProgramSettings, DimensionPrefixKeepsAtMostFourBytes) {
  P in = DefaultParameterBlock("/p");
  const uint8_t fiveBytes[] = {'A', 'B', 'C', 'D', 'E'};  // a field without NUL from some file
  std::copy(std::begin(fiveBytes), std::end(fiveBytes), &in.bytes[P::kDimPrefix]);
  ProgramSettings s;
  s.FillFrom(in);
  EXPECT_EQ(s.DimPrefixText(0), "ABCD");
  EXPECT_EQ(s.DimPrefixText(4), "R");
  EXPECT_EQ(s.DimPrefixText(5), "\x83\xd3");
  EXPECT_EQ(s.DimPrefixText(8), "");
}

TEST(CurrentSettings, ResetGivesUnfilledDefaults) {
  CurrentSettings().filled = true;
  CurrentSettings().PenWidths[0] = 9.0f;
  ResetCurrentSettings();
  EXPECT_FALSE(CurrentSettings().filled);
  EXPECT_EQ(CurrentSettings().PenWidths[0], 0.13f);
  EXPECT_EQ(CurrentSettings().Magnet, 1);
}

}  // namespace
}  // namespace plenwick
