// Guards the program-wide settings: every byte of the parameter block must survive a run
// (filled at start, written back at close) except the documented fixes, and the tolerance type
// must be exchanged in both directions so that a stored value does not flip on every run.
#include <gtest/gtest.h>

#include <random>

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
    // Palette positions below 1 are repaired on filling (tested below); keep them valid here.
    if (in.I16(P::kPaletteX) < 1) in.SetI16(P::kPaletteX, 1);
    if (in.I16(P::kPaletteY) < 1) in.SetI16(P::kPaletteY, 1);
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

TEST(ProgramSettings, NaNPayloadsSurvive) {
  // A signalling NaN would be quieted by any pass through a floating-point operation.
  P in = DefaultParameterBlock("/p");
  const uint8_t snan32[] = {0x01, 0x00, 0x80, 0x7F};
  const uint8_t snan64[] = {0x01, 0, 0, 0, 0, 0, 0xF0, 0x7F};
  std::copy(std::begin(snan32), std::end(snan32), &in.bytes[P::kPenWidths]);
  std::copy(std::begin(snan64), std::end(snan64), &in.bytes[P::kDimTolUpper]);
  ProgramSettings s;
  s.FillFrom(in);
  P out;
  s.WriteTo(out);
  EXPECT_EQ(out, in);
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
