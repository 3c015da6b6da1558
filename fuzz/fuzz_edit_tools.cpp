// Fuzzes the selection, delete, expansion, corner, moving and transform tools through the drawing
// tools' harness: picks, windows, drags of picks and handles, the figure-selection bar, group
// registration and release, every kind of deletion with the window dialog's choices, the expansion
// tool's trims, cuts and joins, corners of every style, distance and trim, moves, copies and
// mirrors by clicks and typed values with any factor and angle, and scales, stretches and offsets
// with typed factors and lengths, the attribute dialogs a double click opens with any
// texts, shape and look, and the entity list's edits and their application, over groups,
// protection and undo.
#include "tool_fuzz_harness.h"

namespace {

using namespace plenwick;
using fuzzing::Bytes;

void SetSetting(Bytes& in, ProgramSettings& s) {
  const auto flag = static_cast<int16_t>(in.Byte() % 3);
  switch (in.Byte() % 11) {
    case 0: s.Magnet = flag; break;
    case 1: s.CurrentLayer = static_cast<int16_t>(in.Byte() % 3); break;
    case 2: s.CornerStyle = static_cast<int16_t>(in.Byte() % 4); break;
    case 3: s.CornerDistance = static_cast<float>(in.Float()); break;
    case 4: (in.Byte() % 2 ? s.CornerTrimLine1 : s.CornerTrimLine2) = flag; break;
    case 5: s.MoveScale = static_cast<float>(in.Float()); break;
    case 6: s.MoveAngle = static_cast<float>(in.Float()); break;
    case 7: s.ScaleReference = static_cast<int16_t>(in.Byte() % 4); break;
    case 8: s.StretchMode = static_cast<int16_t>(in.Byte() % 4); break;
    case 9: s.OffsetDistance = static_cast<float>(in.Float()); break;
    default: s.DistanceDisplay = flag; break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  return fuzzing::RunToolFuzz(data, size, {"plenwick_fuzz_edit_tools",
                                            {{0, 5}, {8, 3}, {9, 6}, {10, 1}, {11, 3}, {12, 6}},
                                            SetSetting});
}
