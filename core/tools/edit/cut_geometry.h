// カット as plain geometry: a line, circle or arc loses the piece between two positions on it.
#pragma once

#include <vector>

#include "model/draw_entity.h"
#include "tools/edit/record_transform.h"

namespace plenwick {

// A click taken onto the record: the foot on a line, the point toward it on a circle or arc,
// the nearer end when that falls beyond a line's or arc's ends. None for other kinds.
std::optional<ModelPoint> CutPosition(const DrawEntity& e, ModelPoint click);

struct CutPlan {
  std::vector<RecordGeometry> kept;  // what replaces the record; empty: nothing changes
  std::vector<ModelPoint> goes;      // the piece that goes, as a polyline (model mm)
};

// The record without the piece between the cut positions `from` and `to` (on it): a line or an
// arc keeps what lies outside them (one piece when a position is an end), a circle keeps the
// arc from `to` counter-clockwise to `from` (the piece from `from` counter-clockwise to `to`
// goes). The polyline is fine enough for `pixelsPerMm`. Nothing when the positions coincide or
// nothing would be left.
CutPlan PlanCut(const DrawEntity& e, ModelPoint from, ModelPoint to, double pixelsPerMm);

}  // namespace plenwick
