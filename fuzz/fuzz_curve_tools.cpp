// Fuzzes the circle and curve tools through the drawing tools' harness, over hostile settings of
// their bars (NaN, infinite and huge radii and angles) and thick line types.
#include "tool_fuzz_harness.h"

namespace {

using namespace plenwick;
using fuzzing::Bytes;

void SetSetting(Bytes& in, ProgramSettings& s) {
  const float f = in.Float();
  const auto flag = static_cast<int16_t>(in.Byte() % 3);
  switch (in.Byte() % 8) {
    case 0: s.CircleRadiusOn = flag; break;
    case 1: s.CircleRadius = f; break;
    case 2: s.ArcStartAngle = f; break;
    case 3: s.ArcEndAngle = f; break;
    case 4: s.ArcDirection = flag; break;
    case 5: s.CurrentLineType = static_cast<int16_t>(in.Byte() % 8); break;
    case 6: s.DistanceDisplay = flag; break;
    default: s.Magnet = flag; break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  return fuzzing::RunToolFuzz(data, size, {"plenwick_fuzz_curve_tools", {{4, 6}, {3, 3}}, SetSetting});
}
