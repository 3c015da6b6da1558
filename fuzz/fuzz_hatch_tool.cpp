// Fuzzes the hatching and paint tool through the drawing tools' harness: regions picked from
// hostile lines, arcs, circles and polygons, over hostile hatching bar settings, among paints and
// hatchings of arbitrary codes and values that the view draws and the selection tool picks.
#include "tool_fuzz_harness.h"

namespace {

using namespace plenwick;
using fuzzing::Bytes;

void SetSetting(Bytes& in, ProgramSettings& s) {
  const float f = in.Float();
  switch (in.Byte() % 7) {
    case 0: s.HatchPattern = static_cast<int16_t>(static_cast<int>(in.Byte()) - 128); break;
    case 1: s.HatchSpacingX = f; break;
    case 2: s.HatchSpacingY = f; break;
    case 3: s.HatchAngle = f; break;
    case 4: s.TextSizeMode = static_cast<int16_t>(in.Byte() % 3); break;
    case 5: s.CurrentPen = static_cast<int16_t>(in.Byte() % 10); break;
    default: s.CurrentLayer = static_cast<int16_t>(in.Byte() % 4 == 0 ? 127 : 0); break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  return fuzzing::RunToolFuzz(data, size, {"plenwick_fuzz_hatch_tool", {{13, 1}, {0, 0}}, SetSetting, true});
}
