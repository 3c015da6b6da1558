// The figures of the polygon tool as plain functions of model points (mm) and angles (degrees):
// the vertices of boxes, parallelograms and regular polygons in drawing order, each side running
// from one vertex to the next and the last back to the first. None for a figure too small to
// draw or built from values that are not finite.
#pragma once

#include <optional>
#include <vector>

#include "view/geometry.h"

namespace plenwick {

// Smallest side, base, radius or distance from the base line (mm): below it the clicks or values
// met one point or one line and the figure is no figure.
inline constexpr double kMinFigureSize = 0.05;
inline constexpr int kMinPolygonVertices = 3;
inline constexpr int kMaxPolygonVertices = 24;

using FigureVertices = std::vector<ModelPoint>;

// The axis-parallel box with corners p and q, counter-clockwise from its lower-left corner.
std::optional<FigureVertices> BoxVertices(ModelPoint p, ModelPoint q);

enum class BoxBase : int { kCentre = 0, kLowerLeft = 1 };
// The box of width × height placed on `base` (its centre, or its lower-left corner), turned by
// `degrees` counter-clockwise about `base`.
std::optional<FigureVertices> SizedBoxVertices(ModelPoint base, double width, double height, BoxBase where, double degrees);

// A, B, P + (B − A), P: the base A→B and the side opposite it through P.
std::optional<FigureVertices> ParallelogramVertices(ModelPoint a, ModelPoint b, ModelPoint p);

// The n vertices at `radius` from the centre, the first in the direction `firstDegrees`.
std::optional<FigureVertices> RegularPolygonVertices(ModelPoint centre, double radius, int n, double firstDegrees);

// The vertex count a stored setting stands for: outside 3..24 (a parameter file is read
// unchecked) it is 3.
int PolygonVertexCount(int stored);

}  // namespace plenwick
