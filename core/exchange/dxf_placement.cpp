// Where a drawing read from DXF lies on its paper.
#include "exchange/dxf_placement.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "exchange/imported_path.h"
#include "model/entity_core.h"
#include "view/paper.h"

namespace plenwick {

namespace {

constexpr int kA1 = 1;

bool Matches(double value, double side) { return std::fabs(value - side) < 1; }

}  // namespace

bool IsDxfPath(const std::string& path) { return HasFileExtension(path, ".dxf"); }

DxfPlacement PlaceDxfDrawing(const DxfContext& context) {
  DxfPlacement p;
  const double scale = std::isfinite(context.ltScale) ? std::clamp(context.ltScale, 1.0, 100000.0) : 100.0;
  p.scale = static_cast<float>(scale);
  p.areaMin = context.areaMin;
  p.areaMax = context.areaMax;
  p.extentMin = context.extentMin;
  p.extentMax = context.extentMax;
  bool found = false;
  for (int orientation = 0; orientation < 2 && !found; ++orientation) {
    for (int i = 0; i < kPaperSizeCount && !found; ++i) {
      const PaperSize paper = PaperFromTable(i, orientation);
      if (Matches(p.areaMax[0], scale * paper.width) && Matches(p.areaMax[1], scale * paper.height)) {
        p.paperSize = static_cast<int16_t>(i);
        p.orientation = static_cast<int16_t>(orientation);
        found = true;
      }
    }
  }
  if (!found) {
    const PaperSize a1 = PaperFromTable(kA1, 0);
    p.paperSize = kA1;
    p.orientation = 0;
    p.areaMax[0] = scale * a1.width;
    p.areaMax[1] = scale * a1.height;
  }
  p.originX = p.areaMax[0] / 2;
  p.originY = p.areaMax[1] / 2;
  return p;
}

void ApplyDxfPlacement(const DxfPlacement& placement, DrawingHeader& header, EntityList& list) {
  header.setScale(placement.scale);
  header.setPaperSize(placement.paperSize);
  header.setOrientation(placement.orientation);
  header.setPaperMode(0);
  TranslateEntities(list.head, placement.originX, placement.originY);
}

std::string DxfDocumentPath(const std::string& dxfPath) { return ImportedDocumentPath(dxfPath, ".dxf"); }

}  // namespace plenwick
