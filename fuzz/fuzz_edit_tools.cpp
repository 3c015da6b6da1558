// Fuzzes the selection and delete tools through the drawing tools' harness: picks, windows, drags
// of picks and handles, the figure-selection bar, group registration and release, and every
// kind of deletion with the window dialog's choices, and the expansion tool's trims, cuts and joins,
// over groups, protection and undo.
#include "tool_fuzz_harness.h"

namespace {

using namespace plenwick;
using fuzzing::Bytes;

void SetSetting(Bytes& in, ProgramSettings& s) {
  const auto flag = static_cast<int16_t>(in.Byte() % 3);
  switch (in.Byte() % 3) {
    case 0: s.Magnet = flag; break;
    case 1: s.CurrentLayer = static_cast<int16_t>(in.Byte() % 3); break;
    default: s.DistanceDisplay = flag; break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  return fuzzing::RunToolFuzz(data, size, {"plenwick_fuzz_edit_tools", {{0, 5}, {8, 3}, {9, 6}}, SetSetting});
}
