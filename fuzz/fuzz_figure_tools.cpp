// Fuzzes the polygon, point and development tools through the drawing tools' harness, over
// hostile settings of their bars (NaN, infinite and huge sizes, radii, angles, offsets and
// distances, vertex counts a parameter file may hold), thick line types and any dialog texts.
#include "tool_fuzz_harness.h"

namespace {

using namespace plenwick;
using fuzzing::Bytes;

void SetSetting(Bytes& in, ProgramSettings& s) {
  const float f = in.Float();
  const auto flag = static_cast<int16_t>(in.Byte() % 3);
  switch (in.Byte() % 14) {
    case 0: s.PolyValuesOn = flag; break;
    case 1: s.BoxWidth = f; break;
    case 2: s.BoxHeight = f; break;
    case 3: s.PolyAngle = f; break;
    case 4: s.BoxBasePoint = flag; break;
    case 5: s.PolyVertexCount = static_cast<int16_t>(in.Byte() << 8 | in.Byte()); break;
    case 6: s.PolyRadius = f; break;
    case 7: s.PointShape = flag; break;
    case 8: s.PointOffsetX = f; break;
    case 9: s.PointOffsetY = f; break;
    case 10: s.PointMoveDistance = f; break;
    case 11: s.CurrentLineType = static_cast<int16_t>(in.Byte() % 8); break;
    case 12: s.DistanceDisplay = flag; break;
    default: s.Magnet = flag; break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  return fuzzing::RunToolFuzz(data, size, {"plenwick_fuzz_figure_tools", {{5, 3}, {1, 5}, {15, 2}}, SetSetting});
}
