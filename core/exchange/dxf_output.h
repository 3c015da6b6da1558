// Writing DXF group pairs and the plain entities (POINT, LINE, CIRCLE, ARC, TEXT) every element
// is broken down into: codes right-aligned in three columns, numbers in fixed notation whatever
// the locale, coordinates in model mm less the drawing's origin.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/byte_io.h"
#include "view/view_mapping.h"

namespace plenwick {

// The layer and line type groups of an entity.
struct DxfStyle {
  std::string_view layer;
  std::string_view lineType;
};

// The DXF style of an element's lineAttr: layer "PEN1".."PEN8" by pen, line type by name.
DxfStyle DxfStyleOf(int lineAttr);

class DxfOutput {
 public:
  // originX, originY (model mm) are subtracted from every x and y given to the entity writers.
  DxfOutput(const ByteSink& sink, double originX, double originY);
  DxfOutput(const DxfOutput&) = delete;
  DxfOutput& operator=(const DxfOutput&) = delete;

  // One pair: the code as "%3d", then the value line.
  void Group(int code, std::string_view value);
  // One pair with a number in fixed notation with `decimals` places ("%.0f", "%.2f").
  void Number(int code, double value, int decimals = 0);

  // Entities; points in model mm, angles in degrees counter-clockwise.
  void Point(ModelPoint p, const DxfStyle& style);
  void Line(ModelPoint a, ModelPoint b, const DxfStyle& style);
  void Circle(ModelPoint centre, double radius, const DxfStyle& style);
  void Arc(ModelPoint centre, double radius, double startDeg, double endDeg, const DxfStyle& style);
  // `text` is Shift-JIS; line breaks become spaces and it is cut to kMaxTextBytes, never inside
  // a character.
  void Text(ModelPoint at, double height, double angleDeg, std::string_view text, const DxfStyle& style);

  // Hands on what is left; false when the sink refused bytes.
  bool Finish() { return out_.Finish(); }
  bool ok() const { return out_.ok(); }

  // Longest text value written: other readers keep 255 bytes to a TEXT.
  static constexpr std::size_t kMaxTextBytes = 255;

 private:
  void X(int code, double x) { Number(code, x - originX_); }
  void Y(int code, double y) { Number(code, y - originY_); }
  // The entity's name, layer and first point.
  void Begin(std::string_view entity, const DxfStyle& style, ModelPoint at);
  // Its line type, which ends every entity.
  void Style(const DxfStyle& style);

  ChunkWriter out_;
  double originX_;
  double originY_;
};

}  // namespace plenwick
