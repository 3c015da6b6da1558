// Feeds arbitrary bytes to the parameter block: parsing, filling the program-wide settings,
// writing them back and deriving a new drawing's header and values must never crash, and
// every byte must come back except the ones the settings repair on purpose (numbers that are not
// finite among them).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "model/document_defaults.h"
#include "model/parameter_block.h"
#include "model/parameter_file.h"
#include "model/program_settings.h"

using namespace plenwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using P = ParameterBlock;
  P in;
  const bool parsed = ParseParameterFile(std::span<const uint8_t>(data, size), in);
  if (!parsed) {
    // Not a valid file: still take its first bytes as a block, so that every input reaches the
    // field code.
    if (size) std::memcpy(in.bytes.data(), data, std::min(size, P::kSize));
  }
  // Numbers that are not finite take their defaults; a parsed file has them already.
  P numbersRepaired = in;
  ReplaceNonFiniteNumbers(numbersRepaired);
  if (parsed && numbersRepaired != in) __builtin_trap();

  ProgramSettings settings;
  settings.FillFrom(in);
  P out;
  settings.WriteTo(out);
  for (std::size_t i = 0; i < P::kSize; ++i) {
    const bool alwaysZero = i >= P::kZero226 && i < P::kZero228 + 4;
    const bool repairedX = i < P::kPaletteX + 2 && i >= P::kPaletteX && in.I16(P::kPaletteX) < 1;
    const bool repairedY = i < P::kPaletteY + 2 && i >= P::kPaletteY && in.I16(P::kPaletteY) < 1;
    const bool kept = out.bytes[i] == numbersRepaired.bytes[i];
    if (alwaysZero ? out.bytes[i] != 0 : (!repairedX && !repairedY && !kept)) __builtin_trap();
  }
  for (int slot = -1; slot <= P::kDimPrefixCount; ++slot) {
    if (settings.DimPrefixText(slot).size() > 4) __builtin_trap();
  }

  const DrawingHeader header = NewDrawingHeader(in, DocumentEnvironment{{2025, 3, 14}, "fuzz"});
  const DrawingValues values = DrawingValuesFromParameters(in);
  if (header.formatVersion() != 3 || values.displayColour(0) != in.I32(P::kDisplayColours)) __builtin_trap();
  return 0;
}
