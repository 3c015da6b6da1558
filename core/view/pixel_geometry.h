// Small device-pixel geometry for drawing: clipping a segment to a box and flattening circles
// and arcs into polylines that stay near the device area however large the radius.
#pragma once

#include <vector>

#include "view/canvas.h"

namespace plenwick {

struct DevicePoint {
  double x = 0;
  double y = 0;
};

// Liang-Barsky: the parameter range [t0, t1] of a + t (b - a) inside the box; false when the
// segment misses it (or a coordinate is NaN).
bool ClipParameters(DevicePoint a, DevicePoint b, const PixelRect& box, double& t0, double& t1);

// Rounds to the nearest pixel, clamped.
PixelPoint RoundToPixel(DevicePoint p);

// Sutherland-Hodgman: the part of a closed polygon inside the box (may be empty).
std::vector<DevicePoint> ClipPolygon(const std::vector<DevicePoint>& polygon, const PixelRect& box);

// Flattens the arc of centre c and radius r (device pixels) from startDegrees over sweepDegrees
// (counter-clockwise as seen on the screen, 360 for a full circle) into polylines accurate to
// about half a pixel. When the circle is much larger than `bounds`, only the part that can reach
// `bounds` is produced, so the work never grows with the radius.
std::vector<PixelPolyline> FlattenArc(DevicePoint c, double r, double startDegrees, double sweepDegrees,
                                      const PixelRect& bounds);

}  // namespace plenwick
