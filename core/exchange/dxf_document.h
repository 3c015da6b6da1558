// Opening a DXF file into a document and writing a document as DXF.
#pragma once

#include <string>
#include <string_view>

#include "exchange/dxf_exchange.h"
#include "exchange/dxf_placement.h"
#include "model/plenwick_doc.h"

namespace plenwick {

// What the DXF commands tell the user.
inline constexpr std::string_view kDxfWriteOpenErrorMessage = "ＤＸＦファイルの書き込みオープンエラー！";

// The export context of a document: its scale as $LTSCALE, its boxes, and its origin (the paper
// centre its view shows) subtracted from every coordinate.
DxfContext DocumentDxfContext(const CPlenwickDoc& doc, bool selectionOnly);

// Puts an imported drawing, just read into the document's list, on its paper: the placement into
// the header, the boxes and origin, the elements shifted by it, the program-wide drawing scale,
// the snap points; the modified flag cleared.
void PlaceImportedDrawing(CPlenwickDoc& doc, const DxfPlacement& placement);

// Reads the DXF file at `path` into an empty document and places it on its paper: scale, paper
// size and orientation, boxes, elements shifted by half the area, snap points, the program-wide
// drawing scale; the modified flag cleared. False with report.error set, and the document left
// empty, when the file cannot be read.
bool OpenDxf(CPlenwickDoc& doc, const std::string& path, DxfReadReport& report);

// Writes the document as DXF at `path` (the previous file kept on failure, when the user is told
// "ＤＸＦファイルの書き込みオープンエラー！" with the reason). The drawing itself is not saved, so it
// counts as modified afterwards. With `selectionOnly` only the selected elements (mark 4) are
// written (a part), and the drawing stays as modified as it was. Returns 0 or 1.
int SaveDocumentAsDxf(CPlenwickDoc& doc, const std::string& path, std::string* error = nullptr,
                      bool selectionOnly = false);

}  // namespace plenwick
