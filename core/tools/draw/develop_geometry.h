// The development drawings: the plan, the elevation and the flat development of a cylinder, a
// square prism with rounded corners and a cone, each cut by an inclined plane, as the lines,
// arcs and circles of one group.
#pragma once

#include <vector>

#include "tools/draw/element_adding.h"
#include "view/view_mapping.h"

namespace plenwick {

enum class DevelopBody : int { kCylinder = 0, kSquarePrism = 1, kCone = 2 };

// The typed dimensions (model mm, degrees), single precision as the dialog keeps them.
struct DevelopInput {
  DevelopBody body = DevelopBody::kCylinder;
  float radius = 0;   // cylinder and cone radius; the prism's corner radius
  float height1 = 0;  // cut height at the left side; the cone's apex height
  float height2 = 0;  // cut height at the right side; the cone's cut height on the axis
  float length1 = 0;  // prism side along the elevation
  float length2 = 0;  // prism side across it
  float angle = 0;    // inclination of the cone's cutting plane
  int divisions = 0;  // pieces of a full turn (0: no intermediate points)
};

// The pieces of the drawing whose reference point `at` (model mm) the user clicked: the plan
// lies up and right of it, the elevation above the plan and the development to the right. Lines
// of zero length, and a fold repeating the one before it (the corners of a prism without a
// radius), are left out.
std::vector<GroupPiece> DevelopmentPieces(ModelPoint at, const DevelopInput& input);

}  // namespace plenwick
