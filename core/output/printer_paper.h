// Printer setup: the printer's paper in whole mm, and the drawing moved onto a new paper so that
// every element keeps its place relative to the paper's centre.
#pragma once

#include <optional>

#include "model/entity_list.h"
#include "view/paper.h"

namespace plenwick {

class CPlenwickDoc;

inline constexpr const char* kNoPrinterPaperMessage =
    "プリンタードライバが対応していないサイズが指定されてます。図面情報画面にて「現在のプリンターサイズ」を選んでください。";

// The printable paper (mm) in whole mm, the longer side across in landscape, the shorter in
// portrait; nothing when the printer reports no usable paper.
std::optional<PaperSize> WholeMmPaper(double widthMm, double heightMm, bool landscape);

// Moves every element of the list by (dx, dy) model mm, also those the undo step holds outside
// it, so that undoing after the move does not bring back a record at its old place.
void ShiftAllElements(EntityList& list, double dx, double dy);

// The drawing on `paper` (paper mm): the area rebuilt from its lower-left corner at the drawing's
// scale, every element moved by (new centre − old origin offset), the origin offset the new
// centre, snap points rebuilt and the modified flag set.
void AdaptDrawingToPaper(CPlenwickDoc& doc, PaperSize paper);

}  // namespace plenwick
