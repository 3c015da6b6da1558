// Opening a DXF file into a document and writing a document as DXF.
#include "exchange/dxf_document.h"

#include "exchange/dxf_placement.h"
#include "model/entity_core.h"
#include "model/program_settings.h"
#include "view/snap_registration.h"

namespace plenwick {

DxfContext DocumentDxfContext(const CPlenwickDoc& doc, bool selectionOnly) {
  DxfContext context;
  context.selectionOnly = selectionOnly ? 1 : 0;
  context.ltScale = doc.header.scale();
  context.areaMin = doc.areaMin;
  context.areaMax = doc.areaMax;
  context.extentMin = doc.extentMin;
  context.extentMax = doc.extentMax;
  context.originX = doc.originX;
  context.originY = doc.originY;
  return context;
}

bool OpenDxf(CPlenwickDoc& doc, const std::string& path, DxfReadReport& report) {
  DxfContext context;
  if (ReadDxf(context, path, doc.entities, report) != 0) {
    ClearEntityList(doc.entities);
    return false;
  }
  PlaceImportedDrawing(doc, PlaceDxfDrawing(context));
  return true;
}

void PlaceImportedDrawing(CPlenwickDoc& doc, const DxfPlacement& placement) {
  ApplyDxfPlacement(placement, doc.header, doc.entities);
  doc.areaMin = placement.areaMin;
  doc.areaMax = placement.areaMax;
  doc.extentMin = placement.extentMin;
  doc.extentMax = placement.extentMax;
  doc.areaSet = 1;
  doc.originX = placement.originX;
  doc.originY = placement.originY;
  if (placement.scale > 0) CurrentSettings().DrawingScale = placement.scale;
  RebuildSnapPoints(doc.snapPoints, doc.entities);
  doc.SetModifiedFlag(false);
}

int SaveDocumentAsDxf(CPlenwickDoc& doc, const std::string& path, std::string* error, bool selectionOnly) {
  std::string reason;
  if (ExportDxf(DocumentDxfContext(doc, selectionOnly), path, doc.entities, &reason) != 0) {
    doc.ui().ShowMessage(std::string(kDxfWriteOpenErrorMessage) + "\n" + reason);
    if (error) *error = reason;
    return 1;
  }
  if (!selectionOnly) doc.SetModifiedFlag();
  return 0;
}

}  // namespace plenwick
