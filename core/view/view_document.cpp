// The view's references into a drawing document.
#include "view/view_document.h"

#include "model/plenwick_doc.h"

namespace plenwick {

ViewDocument ViewDocumentOf(CPlenwickDoc& doc) {
  return {doc.entities, doc.layers,  doc.header,  doc.drawingValues, doc.originX,      doc.originY,
          doc.areaSet,  doc.areaMin, doc.areaMax, doc.extentWidth,   doc.extentHeight};
}

}  // namespace plenwick
