// Fuzzes the picture tool through the drawing tools' harness: corners anywhere, any path from
// the dialog (cancelled, not Shift-JIS, too long), checks that fail, and hostile settings.
#include "tool_fuzz_harness.h"

namespace {

using namespace plenwick;
using fuzzing::Bytes;

void SetSetting(Bytes& in, ProgramSettings& s) {
  const auto flag = static_cast<int16_t>(in.Byte() % 3);
  switch (in.Byte() % 4) {
    case 0: s.CurrentLineType = static_cast<int16_t>(in.Byte() % 8); break;
    case 1: s.CurrentLayer = static_cast<int16_t>(in.Byte()); break;
    case 2: s.DistanceDisplay = flag; break;
    default: s.Magnet = flag; break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  return fuzzing::RunToolFuzz(data, size, {"plenwick_fuzz_image_tool", {{14, 1}}, SetSetting});
}
