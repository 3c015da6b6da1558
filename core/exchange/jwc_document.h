// Opening a JWC file (a drawing of the DOS version of JW_CAD) into a document.
#pragma once

#include <string>

#include "exchange/jwc_reader.h"
#include "model/drawing_header.h"
#include "model/plenwick_doc.h"

namespace plenwick {

// Puts the scale and the paper (landscape, from the paper table) a JWC file gave into a header.
void ApplyJwcPaper(const JwcReadResult& result, DrawingHeader& header);

// Reads the JWC file at `path` into an empty document. The elements keep the file's own origin
// (the paper's lower left corner). Once the header was usable the document takes its scale, which
// also becomes the program-wide drawing scale, its paper and drawing area; the snap points are
// rebuilt and the modified flag cleared. Returns 0 when the whole file was read; 1 with
// result.error set when reading stopped, the elements read before kept.
int OpenJwc(CPlenwickDoc& doc, const std::string& path, JwcReadResult& result);

// The document path of a drawing read from `jwcPath`: ".pwk" in place of ".jwc", of any case.
std::string JwcDocumentPath(const std::string& jwcPath);

}  // namespace plenwick
