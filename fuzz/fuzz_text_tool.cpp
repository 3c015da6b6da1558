// Fuzzes the text tool through the drawing tools' harness: any bytes typed into the box, hostile
// sizes, angles and leader settings, and the box closed every way.
#include "tool_fuzz_harness.h"

namespace {

using namespace plenwick;
using fuzzing::Bytes;

void SetSetting(Bytes& in, ProgramSettings& s) {
  const float f = in.Float();
  const auto small = static_cast<int16_t>(static_cast<int>(in.Byte()) - 2);
  switch (in.Byte() % 8) {
    case 0: s.TextHeight = f; break;
    case 1: s.TextWidth = f; break;
    case 2: s.TextAngle = f; break;
    case 3: s.TextSizeMode = small; break;
    case 4: s.LeaderArrow = small; break;
    case 5: s.LeaderStyle = small; break;
    case 6: s.TextVariant = small; break;
    default: s.Magnet = static_cast<int16_t>(in.Byte() % 2); break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  return fuzzing::RunToolFuzz(data, size, {"plenwick_fuzz_text_tool", {{6, 2}}, SetSetting});
}
