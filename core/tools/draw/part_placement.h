// The part the parts browser has chosen and how the placement puts it down: the part buffer, its
// extents, and the base position, scale and angle the user set, kept while the program runs.
#pragma once

#include <optional>

#include "model/entity_list.h"
#include "view/view_mapping.h"

namespace plenwick {

// Base positions, in the order of the browser's "配置基準位置" choices.
enum class PartBase : int { kCentre = 0, kLowerLeft = 1, kUpperLeft = 2 };

inline constexpr double kMinPartScale = 0.001;
inline constexpr double kMaxPartScale = 1000;
inline constexpr double kMaxPartAngle = 360;

struct PartPlacement {
  EntityList buffer;                 // the part's elements, read by the browser
  std::optional<ModelRect> extents;  // none while the buffer is empty or draws nothing
  PartBase base = PartBase::kCentre;
  double scale = 1;
  double angle = 0;  // degrees, counter-clockwise

  // Empties the buffer and forgets its extents.
  void Clear();
  // The extents of what the buffer holds now.
  void Measure();
  // The point of the part placed at the click (model mm): the extents' centre, lower-left or
  // upper-left corner; (0, 0) without extents.
  ModelPoint BasePoint() const;
};

// The one part buffer of the program, shared by the browser and the placement tool.
PartPlacement& CurrentPartPlacement();

// The box of the elements' geometry (model mm): points, line ends, curve and polygon vertices,
// circles and arcs by their true extent, text and leader positions and leader points, the
// boundary points of paints and hatchings. None when nothing has a finite position. A box of zero
// width or height is kept as it is: a lone horizontal line has one.
std::optional<ModelRect> PartExtents(const EntityList& list);

// The left edge (screen pixels) of the parts browser opened at `left`: moved left so that its
// right edge comes 20 pixels inside the screen's right edge when it would reach past it.
int PanelLeftOnScreen(int left, int width, int screenRight);

// Whether a scale or an angle typed into the browser is taken.
bool PartScaleAccepted(double scale);
bool PartAngleAccepted(double angle);

}  // namespace plenwick
