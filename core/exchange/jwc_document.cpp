// Opening a JWC file into a document.
#include "exchange/jwc_document.h"

#include "exchange/dxf_document.h"
#include "exchange/imported_path.h"
#include "exchange/jww_document.h"

namespace plenwick {

DxfPlacement JwcPlacement(const JwcReadResult& result) {
  DxfPlacement placement;
  placement.scale = result.scale;
  placement.paperSize = result.paperSize;
  placement.orientation = 0;
  placement.areaMin = result.areaMin;
  placement.areaMax = result.areaMax;
  return placement;
}

int OpenJwc(CPlenwickDoc& doc, const std::string& path, JwcReadResult& result) {
  const int status = ReadJwcFile(path, result, doc.entities);
  if (result.placed) {
    UseLayersOf(doc.entities, doc.layers);
    PlaceImportedDrawing(doc, JwcPlacement(result));
  }
  return status;
}

std::string JwcDocumentPath(const std::string& jwcPath) { return ImportedDocumentPath(jwcPath, ".jwc"); }

}  // namespace plenwick
