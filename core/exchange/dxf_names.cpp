// The names DXF files give line types and our pens.
#include "exchange/dxf_names.h"

#include <algorithm>
#include <cctype>

namespace plenwick::dxf {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
  });
}

}  // namespace

int LineTypeIndex(std::string_view name) {
  for (int i = 0; i < kNamedLineTypes; ++i) {
    if (SameName(name, kLineTypeNames[i])) return i;
  }
  return 0;
}

std::string_view PenLayerName(int pen) {
  static constexpr std::string_view kNames[kPens] = {"PEN1", "PEN2", "PEN3", "PEN4", "PEN5", "PEN6", "PEN7", "PEN8"};
  return pen >= 0 && pen < kPens ? kNames[pen] : kNames[0];
}

}  // namespace plenwick::dxf
