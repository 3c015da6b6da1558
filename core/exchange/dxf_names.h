// The names DXF files give line types and our pens, shared by the writer and the reader.
#pragma once

#include <string_view>

namespace plenwick::dxf {

// Line type names by our line type 0..4 (solid and the four broken patterns).
inline constexpr std::string_view kLineTypeNames[] = {"CONTINUOUS", "HIDDEN", "DASHED", "CENTER", "PHANTOM"};
inline constexpr int kNamedLineTypes = 5;

// The name written for a line type: the thick types 5..7 and anything unknown are solid.
inline std::string_view LineTypeName(int lineType) {
  return lineType >= 0 && lineType < kNamedLineTypes ? kLineTypeNames[lineType] : kLineTypeNames[0];
}

// Our line type for a DXF line type name (any case); other names, BYLAYER included, are solid.
int LineTypeIndex(std::string_view name);

// The DXF layer of a pen 0..7, "PEN1".."PEN8"; other pens go to "PEN1".
std::string_view PenLayerName(int pen);
inline constexpr int kPens = 8;

}  // namespace plenwick::dxf
