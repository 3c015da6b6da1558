// Fuzzes the line tool through the drawing tools' harness, over hostile line settings (NaN,
// infinite and huge lengths, widths, angles and counts).
#include "tool_fuzz_harness.h"

namespace {

using namespace plenwick;
using fuzzing::Bytes;

void SetSetting(Bytes& in, ProgramSettings& s) {
  const uint8_t which = in.Byte() % 18;
  const float f = in.Float();
  const auto flag = static_cast<int16_t>(in.Byte() % 3);
  switch (which) {
    case 0: s.LineHVMode = flag; break;
    case 1: s.LineLengthOn = flag; break;
    case 2: s.LineLength = f; break;
    case 3: s.LineAngleOn = flag; break;
    case 4: s.LineAngle = f; break;
    case 5: s.PolylineHVMode = flag; break;
    case 6: s.InfiniteLineMode = static_cast<int16_t>(in.Byte() % 4); break;
    case 7: s.InfiniteLineAngle = f; break;
    case 8: s.ParallelDistanceOn = flag; break;
    case 9: s.ParallelDistance = f; break;
    case 10: s.ParallelCount = static_cast<int16_t>(static_cast<int>(in.Byte()) - 20); break;
    case 11: s.WidthLineHVMode = flag; break;
    case 12: s.WidthLineKeepCentre = flag; break;
    case 13: s.WidthLeft = f; break;
    case 14: s.WidthRight = f; break;
    case 15: s.AngleMoveAngle = f; break;
    case 16: s.AngleMoveLengthOn = flag; break;
    default: s.Magnet = flag; break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  return fuzzing::RunToolFuzz(data, size, {"plenwick_fuzz_line_tool", {{2, 9}}, SetSetting});
}
