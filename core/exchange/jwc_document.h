// Opening a JWC file (a drawing of the DOS version of JW_CAD) into a document.
#pragma once

#include <string>

#include "exchange/dxf_placement.h"
#include "exchange/jwc_reader.h"
#include "model/plenwick_doc.h"

namespace plenwick {

// Where a JWC drawing lies: the scale, paper (landscape) and drawing area its header gave, and the
// file's own origin (the paper's lower left corner) kept: no shift.
DxfPlacement JwcPlacement(const JwcReadResult& result);

// Reads the JWC file at `path` into an empty document. Once the header was usable the document
// takes its placement (the scale also becoming the program-wide drawing scale) and the layers the
// elements lie on come into use; the snap points are rebuilt and the modified flag cleared.
// Returns 0 when the whole file was read; 1 with result.error set when reading stopped, the
// elements read before kept.
int OpenJwc(CPlenwickDoc& doc, const std::string& path, JwcReadResult& result);

// The document path of a drawing read from `jwcPath`: ".pwk" in place of ".jwc", of any case.
std::string JwcDocumentPath(const std::string& jwcPath);

}  // namespace plenwick
