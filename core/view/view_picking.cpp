// The picking context of a view of a drawing.
#include "view/view_picking.h"

#include "model/program_settings.h"

namespace plenwick {

PickView PickViewOf(CPlenwickView& view, SnapPointList& points) {
  const ProgramSettings& settings = CurrentSettings();
  PickView pick;
  pick.entities = &view.document().entities;
  pick.snapPoints = &points;
  pick.mapping = &view.mapping();
  pick.layerStates = view.layers().states.data();
  pick.currentLayer = view.layers().currentLayer;
  pick.tolerancePixels = PickTolerancePixels(settings.GridPitch, settings.GridSensitivity);
  pick.gridOrigin = {view.document().originX, view.document().originY};
  return pick;
}

}  // namespace plenwick
