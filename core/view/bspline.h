// The one sampling of a control-point curve (kind 24) shared by the screen, printing and every
// export: a uniform cubic B-spline whose end points are tripled so it starts and ends on them.
#pragma once

#include <span>
#include <vector>

#include "view/view_mapping.h"

namespace plenwick {

inline constexpr int kBSplineSamplesPerSpan = 16;

// Samples the curve of the control points (model mm). Every span contributes samplesPerSpan
// pieces; the span joints are exact B-spline positions, the first and last samples are the first
// and last control points. One point gives that point; none gives nothing.
std::vector<ModelPoint> SampleBSpline(std::span<const ModelPoint> controlPoints,
                                      int samplesPerSpan = kBSplineSamplesPerSpan);

// The control points of a kind-24 element's value array (x, y pairs).
std::vector<ModelPoint> PointsFromValues(const double* values, int valueCount);

}  // namespace plenwick
