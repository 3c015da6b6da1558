// Drawings held without a document.
#include "view/standalone_drawing.h"

#include <algorithm>

#include "model/document_defaults.h"
#include "model/parameter_block.h"

namespace plenwick {

StandaloneDrawing::StandaloneDrawing() {
  layers.SetDefaults();
  header.setScale(1);
  header.setPaperSize(4);
  header.setPaperMode(0);
  drawingValues = DrawingValuesFromParameters(DefaultParameterBlock(""));
}

DrawingFileInfo StandaloneDrawing::FileInfoToRead() const {
  DrawingFileInfo info;
  info.layers = layers;
  info.drawingValues = drawingValues;
  return info;
}

void StandaloneDrawing::TakeFileInfo(const DrawingFileInfo& info) {
  header = info.header;
  layers = info.layers;
  layers.currentLayer = std::clamp<int16_t>(info.header.currentLayer(), 0, LayerTable::kLayers - 1);
  if (info.versionRead == 3) {
    for (int i = 0; i < DrawingValues::kColourCount; ++i) drawingValues.setDisplayColour(i, info.drawingValues.displayColour(i));
  } else {
    drawingValues = info.drawingValues;
  }
  areaMin = info.areaMin;
  areaMax = info.areaMax;
  areaSet = 1;
}

ViewDocument StandaloneDrawing::view() {
  return {entities, layers, header, drawingValues, originX, originY, areaSet, areaMin, areaMax, extentWidth, extentHeight};
}

}  // namespace plenwick
