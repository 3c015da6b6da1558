// Opening a JWW file into a document and writing a document as JWW.
#pragma once

#include <string>

#include "exchange/dxf_exchange.h"
#include "exchange/jww_exchange.h"
#include "model/plenwick_doc.h"

namespace plenwick {

// The placement input of a JWW drawing: its scale and its paper's area, from which the paper is
// guessed as for a DXF drawing, whose coordinates are likewise relative to the paper's centre.
DxfContext JwwPlacementInput(const JwwContext& context);

// Brings the layers the elements lie on into use (JWW layer groups reach beyond the eight layers
// a new drawing shows).
void UseLayersOf(const EntityList& list, LayerTable& layers);

// Reads the JWW file at `path` into an empty document and places it on its paper as a DXF
// drawing is placed: scale, paper size and orientation guessed from the area, boxes, elements
// shifted by half the area, layers in use, snap points, the program-wide drawing scale; the
// modified flag cleared. False with report.error set, and the document left empty, when the file
// cannot be read; true with report.error set when reading stopped early (what was read kept).
bool OpenJww(CPlenwickDoc& doc, const std::string& path, JwwReadReport& report);

// The export context of a document: its scale, paper, boxes and origin.
JwwContext DocumentJwwContext(const CPlenwickDoc& doc, bool selectionOnly);

// Writes the document (or its selection) as JWW at `path` (the previous file kept on failure,
// when the user is told "JWW File WriteOpen ERROR!" with the reason). Returns 0 or 1.
int SaveDocumentAsJww(CPlenwickDoc& doc, const std::string& path, bool selectionOnly = false,
                      std::string* error = nullptr, JwwWriteReport* report = nullptr);

// The document path of a drawing read from `jwwPath`: the same folder and name with ".pwk" in
// place of a ".jww" extension of any case (added when there is none).
std::string JwwDocumentPath(const std::string& jwwPath);

// What the user is told about what reading left out or changed, UTF-8; empty when nothing was.
std::string JwwReadNotes(const JwwReadReport& report);

}  // namespace plenwick
