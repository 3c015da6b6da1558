// Grip squares.
#include "view/grip_mark.h"

namespace plenwick {

void DrawGripMark(Canvas& canvas, PixelPoint at, ColourRef fill) {
  canvas.SetPen({PenKind::kCosmetic, PenStyle::kSolid, 1, 0});
  canvas.SetBrush({BrushKind::kSolid, HatchStyle::kHorizontal, fill});
  canvas.Rectangle({at.x - 3, at.y - 3, at.x + 3, at.y + 3});
}

}  // namespace plenwick
