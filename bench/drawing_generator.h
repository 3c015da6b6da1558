// Builds large plan-like drawings for the benchmarks: rooms of short lines with arcs, circles,
// texts and curves, spread over a grid of blocks so that any window holds a realistic share.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "model/drawing_file.h"
#include "model/entity_list.h"

namespace plenwick::bench {

struct GeneratorOptions {
  int64_t elements = 1000000;
  uint32_t seed = 12345;
  bool withTexts = true;   // texts (kind 40)
  bool withCurves = true;  // control-point and free curves (kinds 24, 26)
  bool withPoints = false;  // points (kind 10), one element in twenty
  // Every hundredth element a group of two lines (header and members), a distance dimension or
  // a hatching of a square, in turn.
  bool withComposites = false;
};

// Called after each element is appended (the grid too), as a loader registers its points.
using AfterAdd = std::function<void(EntityList& list, DrawEntity& added)>;

// Appends a grid element and then `elements` elements to `list` (through AddEntity).
// Coordinates are model mm; the drawing spans about sqrt(elements) * 40 mm on each side.
void GeneratePlanDrawing(EntityList& list, const GeneratorOptions& options, const AfterAdd& afterAdd = {});

// Side length (model mm) of the square the generated drawing covers.
double GeneratedDrawingSide(int64_t elements);

// Appends `count` texts (kind 40, default face) of 1 to 20 characters, a third of them Japanese
// and a fifth turned, spread over a field of 1920 x 1080 units of `unit` mm and 4.5 to 15.5 units
// high; with asLines, a line in place of each text along its baseline, as long as the
// text is wide. The same seed gives the same texts either way.
void GenerateTextDrawing(EntityList& list, int64_t count, uint32_t seed, double unit, bool asLines);

// Appends a grid and `count` dimensions, every kind in turn (distance, horizontal and vertical
// chains of 2 to 10 points, perimeter, radius, diameter, both angles, area) in the layouts the
// dimension tools store, with every tolerance type, 0 to 4 decimals and a prefix on some.
void GenerateDimensionDrawing(EntityList& list, int64_t count, uint32_t seed);

// Appends `count` room-sized hatchings (kind 71) spread over the generated plan drawing's square of
// `side` mm: rectangles of 1 to 3 cells a side, a sixth with a bay (an arc piece) and a sixth
// with a round column left out (a circle piece); every pattern, angles of 0, 90 and odd ones,
// spacings a tenth to a fortieth of the room (bricks twice as long as high).
void AppendRoomHatchings(EntityList& list, int64_t count, uint32_t seed, double side);

// What SaveDrawingFile needs besides the elements: default layers, scale 1:1.
DrawingFileInfo GeneratedDrawingInfo();

// Saves a plan drawing of `elements` lines, arcs and circles (after its grid, without texts and
// curves) to `path`; exits the benchmark when it cannot.
void WritePlanDrawing(const std::string& path, int64_t elements);
// The same with the options given (texts, curves, composites).
void WritePlanDrawing(const std::string& path, const GeneratorOptions& options);

}  // namespace plenwick::bench
