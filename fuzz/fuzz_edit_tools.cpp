// Fuzzes the selection, delete, expansion, corner, moving and transform tools through the drawing
// tools' harness: picks, windows, drags of picks and handles, the figure-selection bar, group
// registration and release, every kind of deletion with the window dialog's choices, the expansion
// tool's trims, cuts and joins, corners of every style, distance and trim, moves, copies and
// mirrors by clicks and typed values with any factor and angle, and scales, stretches and offsets
// with typed factors and lengths, the attribute dialogs a double click opens with any
// texts, shape and look, the entity list's edits and their application, the parts placement of
// the drawing's own elements at any base, scale and angle, and the part registration's cancel,
// over groups, protection and undo.
#include "tool_fuzz_harness.h"
#include "tools/draw/part_placement.h"
#include "tools/edit/record_replacement.h"

namespace {

using namespace plenwick;
using fuzzing::Bytes;

// The part the placement puts down: the drawing's elements as they are now, with any base,
// scale and angle (the browser refuses none of them here).
void ChoosePart(Bytes& in, CPlenwickDoc& doc) {
  PartPlacement& part = CurrentPartPlacement();
  part.Clear();
  for (const DrawEntity& e : doc.entities) {
    if (e.mark != kMarkDeleted && e.kind != kDimension && !(e.owner && e.owner->kind == kDimension)) {
      AppendRecord(part.buffer, e, GeometryOf(e), e.layer);
    }
  }
  part.Measure();
  part.base = static_cast<PartBase>(in.Byte() % 3);
  part.scale = in.Float();
  part.angle = in.Float();
}

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
  CurrentPartPlacement().Clear();
  return fuzzing::RunToolFuzz(data, size, {"plenwick_fuzz_edit_tools",
                                            {{0, 5}, {8, 3}, {9, 6}, {10, 1}, {11, 3}, {12, 6}, {16, 0}},
                                            SetSetting, false, ChoosePart});
}
