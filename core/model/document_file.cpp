// Opening a drawing file into a document and saving a document as a drawing file.
#include "model/document_file.h"

#include <algorithm>
#include <cmath>

#include "model/entity_core.h"
#include "model/program_settings.h"

namespace plenwick {

DrawingFileInfo DocumentFileInfo(const CPlenwickDoc& doc, bool selectionOnly) {
  DrawingFileInfo info;
  info.header = doc.header;
  info.header.setCurrentLayer(doc.layers.currentLayer);
  info.areaMin = doc.areaMin;
  info.areaMax = doc.areaMax;
  info.extentMin = doc.extentMin;
  info.extentMax = doc.extentMax;
  info.drawingValues = doc.drawingValues;
  info.layers = doc.layers;
  info.selectionOnly = selectionOnly;
  return info;
}

int OpenDocumentFile(CPlenwickDoc& doc, const std::string& path, std::string* error) {
  DrawingFileInfo info;
  // Slots a file does not describe (old files name only 20 layers) keep the document's own.
  info.layers = doc.layers;
  info.drawingValues = doc.drawingValues;
  if (LoadDrawingFile(path, info, doc.entities, &doc.snapPoints, error) != 0) {
    ClearEntityList(doc.entities);
    doc.extentWidth = 594;
    doc.extentHeight = 420;
    return 1;
  }
  doc.header = info.header;
  doc.layers = info.layers;
  doc.layers.currentLayer = std::clamp<int16_t>(info.header.currentLayer(), 0, LayerTable::kLayers - 1);
  if (info.versionRead == 3) {
    for (int i = 0; i < DrawingValues::kColourCount; ++i) {
      doc.drawingValues.setDisplayColour(i, info.drawingValues.displayColour(i));
    }
  } else {
    doc.drawingValues = info.drawingValues;
  }
  doc.areaMin = info.areaMin;
  doc.areaMax = info.areaMax;
  doc.extentMin = info.extentMin;
  doc.extentMax = info.extentMax;
  doc.areaSet = 1;
  // An unknown protection byte would leave the drawing neither open nor protected.
  const uint8_t protection = info.header.protection();
  doc.protection = protection <= kPasswordProtected ? int32_t{protection} : int32_t{kNotProtected};
  const float scale = info.header.scale();
  CurrentSettings().DrawingScale = std::isfinite(scale) && scale >= 1.0f ? scale : 1.0f;
  doc.SetModifiedFlag(false);
  return 0;
}

int WriteDocumentFile(CPlenwickDoc& doc, const std::string& path, bool selectionOnly, std::string* error) {
  ClearOrphanGroupNumbers(doc.entities);
  const DrawingFileInfo info = DocumentFileInfo(doc, selectionOnly);
  return SaveDrawingFile(path, info, doc.entities, error);
}

int SaveDocumentFile(CPlenwickDoc& doc, const std::string& path, bool selectionOnly, std::string* error) {
  if (WriteDocumentFile(doc, path, selectionOnly, error) != 0) {
    doc.ui().ShowMessage(kWriteFailedMessage);
    return 1;
  }
  if (!selectionOnly) doc.SetModifiedFlag(false);
  return 0;
}

}  // namespace plenwick
