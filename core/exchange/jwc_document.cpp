// Opening a JWC file into a document.
#include "exchange/jwc_document.h"

#include "exchange/imported_path.h"
#include "model/program_settings.h"
#include "view/snap_registration.h"

namespace plenwick {

void ApplyJwcPaper(const JwcReadResult& result, DrawingHeader& header) {
  header.setScale(result.scale);
  header.setPaperSize(result.paperSize);
  header.setOrientation(0);
  header.setPaperMode(0);
}

int OpenJwc(CPlenwickDoc& doc, const std::string& path, JwcReadResult& result) {
  const int status = ReadJwcFile(path, result, doc.entities);
  if (result.placed) {
    ApplyJwcPaper(result, doc.header);
    doc.areaMin = result.areaMin;
    doc.areaMax = result.areaMax;
    doc.areaSet = 1;
    CurrentSettings().DrawingScale = result.scale;
  }
  RebuildSnapPoints(doc.snapPoints, doc.entities);
  doc.SetModifiedFlag(false);
  return status;
}

std::string JwcDocumentPath(const std::string& jwcPath) { return ImportedDocumentPath(jwcPath, ".jwc"); }

}  // namespace plenwick
