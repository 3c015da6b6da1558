// Family-to-tool mapping and tool class names.
#include "view/tool_framework/tool_codes.h"

#include <array>

namespace plenwick {

namespace {
constexpr std::array<int, kPaletteFamilyCount + 1> kCodeOfFamily = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 14, 11, 12, 13, 15, 16};
constexpr std::array<std::string_view, kToolCodeCount> kClassNames = {
    "CSelectTool", "CPointTool",  "CLineTool",      "CCurveTool",     "CCircleTool", "CPolyTool",
    "CTextTool",   "CDimensionTool", "CDeleteTool", "CExpansionTool", "CCornerTool", "CMoveTool",
    "CHatchiTool", "CImageTool",  "CTransformTool", "CDevelopTool",   "CInportTool",
};
}  // namespace

int ToolCodeForFamily(int family) {
  if (family < 0 || family > kPartsFamily) return kSelectToolCode;
  return kCodeOfFamily[static_cast<std::size_t>(family)];
}

int FamilyForToolCode(int code) {
  for (std::size_t f = 0; f < kCodeOfFamily.size(); ++f) {
    if (kCodeOfFamily[f] == code) return static_cast<int>(f);
  }
  return -1;
}

std::string_view ToolClassName(int code) {
  if (code < 0 || code >= kToolCodeCount) return {};
  return kClassNames[static_cast<std::size_t>(code)];
}

}  // namespace plenwick
