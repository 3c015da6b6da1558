// The " 作図イメージ " box of the attribute dialogs: the element as the dialog's current values
// would make it, drawn by the element renderer fitted into the box.
#pragma once

#include "model/draw_entity.h"
#include "tools/edit/attribute_dialog.h"
#include "tools/edit/record_transform.h"
#include "view/canvas.h"

namespace plenwick {

// Draws the element `old` becomes as `r` with `look` on `canvas` (a dimension with the parts it
// makes), fitted with a margin into the box of width × height pixels whose top-left corner is
// the canvas's (0, 0). Nothing is drawn for a geometry the drawing could not hold.
void DrawAttributePreview(Canvas& canvas, const DrawEntity& old, const AttributeRecord& r, const ElementLook& look,
                          int width, int height);

}  // namespace plenwick
