// The generated parts of dimensions: the lines, arcs and texts a dimension element is drawn
// with, made from its record (read by code) whenever it is added, and the start-up routine that
// installs them together with the terminator drawer.
#pragma once

#include "model/entity_list.h"
#include "view/view_mapping.h"

namespace plenwick {

// Installs the four generators (InstallDimensionPartsGenerators) and the terminator drawer
// (render hook). Part of InstallToolExtensions: nothing else calls it.
void InstallDimensionExtensions();

// The generators. Each appends parts owned by `dimension` and skips what its record cannot give
// soundly (missing codes, values that are not finite or outside the coordinate range).
// Distance, horizontal/vertical chains (mode 1 or 2), radius and diameter: dimension line,
// extension lines, value and tolerance texts, chain segment texts.
void GenerateLinearDimensionParts(EntityList& list, DrawEntity& dimension, int mode);
// Perimeter: value and tolerance texts at (42, 43) and the two-line leader 40 -> 50 -> 60.
void GeneratePerimeterDimensionParts(EntityList& list, DrawEntity& dimension, int mode);
// Angles: the dimension arc, the texts at (42, 43) and, taken from an arc, the two radii
// extended by code 18 beyond the arc's ends.
void GenerateAngleDimensionParts(EntityList& list, DrawEntity& dimension, int mode);
// Area: value and tolerance texts at (40, 41).
void GenerateAreaDimensionParts(EntityList& list, DrawEntity& dimension, int mode);

// Where a value text starts on a dimension line (model mm): `along` from s toward t, moved a third
// of the text height to the left of the direction s -> t (counter-clockwise, model y upward).
// A text centred on a line of length L with half-width e has along = L / 2 − e. When s and t
// coincide the direction is +x.
ModelPoint DimensionTextInsertion(ModelPoint s, ModelPoint t, double along, double height);

}  // namespace plenwick
