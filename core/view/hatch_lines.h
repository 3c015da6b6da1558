// The hatch lines of hatchings (kind 71), generated whenever one is drawn or exported: families
// of parallel lines through a corner of the boundary's box, cut to the boundary by the even–odd
// rule, and the joints of brick hatching.
#pragma once

#include <cstdint>
#include <vector>

#include "model/draw_entity.h"
#include "view/boundary_pieces.h"
#include "view/geometry.h"
#include "view/render_hooks.h"

namespace plenwick {

enum HatchPatternKind : int16_t {
  kHatchVertical = 0,
  kHatchHorizontal = 1,
  kHatchGrid = 2,
  kHatchBrick = 3,
};

// How a hatching's lines are laid out (model mm, degrees).
struct HatchLayout {
  int pattern = kHatchHorizontal;
  double spacingY = 0;  // between the horizontal lines
  double spacingX = 0;  // between the vertical lines; between the joints of a brick course
  double angleDeg = 0;  // both families turn counter-clockwise by it
  Box box;              // the boundary's box as stored: its corner fixes where the lines fall
};

// At most this many hatch lines (segments) for one hatching, and a family that would need more
// lines than this over its boundary is left out: such records come only from hostile files.
inline constexpr int64_t kMaxHatchSegments = 1'000'000;

// Appends the hatch lines (model mm) of `layout` over the closed boundary `pieces`. Pattern 0 the
// vertical family, 1 the horizontal family, 2 both, 3 bricks: the horizontal family with joints
// every spacingX along each course between two lines, those of alternate courses shifted by half
// of it. A family's lines run along (2000, 0) or (0, 2000) turned by the angle, at multiples of
// its spacing from the line through (x, min y), x the box's maximum when the angle (taken into
// 0..360) lies in (0, 90] or (180, 270], else its minimum. A box that does not hold the boundary's
// vertices is replaced by theirs. No line leaves the boundary. With a `screen`, only the lines it
// needs (see HatchScreenView): of a family less than half a pixel apart every n-th line, n the
// most that leaves at most a pixel between them; no brick joints between courses that close.
void GenerateHatchLines(const HatchLayout& layout, const std::vector<BoundaryPiece>& pieces,
                        std::vector<ModelSegment>& lines, const HatchScreenView* screen = nullptr);

// The same for a hatching record: codes[0] pieces from value 7; values 0 to 6 the spacings
// (vertical, then horizontal distance), the angle and the box; subKind the pattern.
void GenerateHatchLines(const DrawEntity& hatch, std::vector<ModelSegment>& lines,
                        const HatchScreenView* screen = nullptr);

// Makes GenerateHatchLines the renderer's and the writers' hatch-line hook.
void InstallHatchLineGenerator();

}  // namespace plenwick
