// Fuzzes the dimension tool through the drawing tools' harness, over hostile dimension settings
// (sizes, decimals, arrow and tolerance types and values outside their ranges, NaN and huge
// numbers, prefixes of any bytes) and the tolerance dialog with any typed values.
#include "tool_fuzz_harness.h"

namespace {

using namespace plenwick;
using fuzzing::Bytes;

void SetSetting(Bytes& in, ProgramSettings& s) {
  const float f = in.Float();
  const double d = in.Double(0.0005);
  const auto small = static_cast<int16_t>(static_cast<int>(in.Byte()) - 2);
  const auto entry = static_cast<std::size_t>(in.Byte() % ParameterBlock::kToleranceEntries);
  switch (in.Byte() % 13) {
    case 0: s.DimTextSize = f; break;
    case 1: s.DimDecimals = small; break;
    case 2: s.DimExtUpper = f; break;
    case 3: s.DimExtLower = f; break;
    case 4: s.LeaderArrow = small; break;
    case 5: s.DimMarkSize = small; break;
    case 6: s.DimArrowSize = small; break;
    case 7: s.DimTolType = small; break;
    case 8: s.DimTolUpper[entry] = d; break;
    case 9: s.DimTolLower[entry] = d; break;
    case 10: s.TextSizeMode = small; break;
    case 11: {
      // Any bytes as a prefix, NaN patterns in the packed field included.
      char prefix[5] = {static_cast<char>(in.Byte()), static_cast<char>(in.Byte()), static_cast<char>(in.Byte()),
                        static_cast<char>(in.Byte()), 0};
      s.DimPrefix[entry % ParameterBlock::kDimPrefixCount].assign(std::string_view(prefix, in.Byte() % 5));
      break;
    }
    default: s.Magnet = static_cast<int16_t>(in.Byte() % 2); break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  return fuzzing::RunToolFuzz(data, size, {"plenwick_fuzz_dimension_tool", {{7, 8}}, SetSetting});
}
