// Where a set is scaled about: the box of its records (every defining point, circles and arcs
// by the extent they draw) and the point of that box the scale bar names.
#pragma once

#include <optional>
#include <vector>

#include "model/draw_entity.h"
#include "view/view_mapping.h"

namespace plenwick {

// Which point of the box (the scale bar's radio buttons).
enum ScaleReference : int { kScaleCentre = 0, kScaleLowerLeft = 1, kScaleUpperLeft = 2 };

// The box (model mm) of the records: their defining points, a circle's centre ± radius, an arc's
// ends and the quadrant points its sweep passes; started from the first point met. None when no
// record has a finite point.
std::optional<ModelRect> BoxOfRecords(const std::vector<DrawEntity*>& records);

// The reference point of the box: the drawing origin when there is no box or it is narrower than
// 0.05 mm in x or y; else its centre, lower-left or upper-left corner (any other value: the
// centre).
ModelPoint ScaleReferencePoint(const std::optional<ModelRect>& box, int reference);

}  // namespace plenwick
