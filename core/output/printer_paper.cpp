// Adapting a drawing to the printer's paper.
#include "output/printer_paper.h"

#include <algorithm>
#include <cmath>

#include "model/plenwick_doc.h"
#include "tools/edit/record_transform.h"
#include "view/snap_registration.h"

namespace plenwick {

namespace {

void ShiftChain(DrawEntity* first, const PointMap& map) {
  for (DrawEntity* e = first; e; e = e->next) {
    const std::optional<RecordGeometry> g = MappedGeometry(*e, map);
    // A move keeps every record's kind and value count; anything else stays as it is.
    if (!g || g->kind != e->kind || !e->values || g->values.size() != static_cast<std::size_t>(e->valueCount)) continue;
    std::copy(g->values.begin(), g->values.end(), e->values.get());
  }
}

}  // namespace

std::optional<PaperSize> WholeMmPaper(double widthMm, double heightMm, bool landscape) {
  if (!std::isfinite(widthMm) || !std::isfinite(heightMm)) return std::nullopt;
  const double longer = std::trunc(std::max(widthMm, heightMm)), shorter = std::trunc(std::min(widthMm, heightMm));
  if (shorter < 1) return std::nullopt;
  return landscape ? PaperSize{longer, shorter} : PaperSize{shorter, longer};
}

void ShiftAllElements(EntityList& list, double dx, double dy) {
  const PointMap map = PointMap::Translation(dx, dy);
  ShiftChain(list.head, map);
  ShiftChain(list.removedHead, map);
}

void AdaptDrawingToPaper(CPlenwickDoc& doc, PaperSize paper) {
  const double scale = doc.header.scale();
  const double width = paper.width * scale, height = paper.height * scale;
  doc.areaMax = {doc.areaMin[0] + width, doc.areaMin[1] + height, 0};
  doc.areaSet = 1;
  const double cx = width / 2, cy = height / 2;
  ShiftAllElements(doc.entities, cx - doc.originX, cy - doc.originY);
  doc.originX = cx;
  doc.originY = cy;
  RebuildSnapPoints(doc.snapPoints, doc.entities);
  doc.SetModifiedFlag();
}

}  // namespace plenwick
