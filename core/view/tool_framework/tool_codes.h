// The tools by code, the drawing-palette families, and which family selects which tool.
#pragma once

#include <string_view>

namespace plenwick {

// Tool codes as the tools register themselves.
enum ToolCode : int {
  kSelectToolCode = 0,      // CSelectTool
  kPointToolCode = 1,       // CPointTool
  kLineToolCode = 2,        // CLineTool
  kCurveToolCode = 3,       // CCurveTool
  kCircleToolCode = 4,      // CCircleTool
  kPolyToolCode = 5,        // CPolyTool
  kTextToolCode = 6,        // CTextTool
  kDimensionToolCode = 7,   // CDimensionTool
  kDeleteToolCode = 8,      // CDeleteTool
  kExpansionToolCode = 9,   // CExpansionTool
  kCornerToolCode = 10,     // CCornerTool
  kMoveToolCode = 11,       // CMoveTool
  kHatchiToolCode = 12,     // CHatchiTool
  kImageToolCode = 13,      // CImageTool
  kTransformToolCode = 14,  // CTransformTool
  kDevelopToolCode = 15,    // CDevelopTool
  kInportToolCode = 16,     // CInportTool (parts placement)
};
inline constexpr int kToolCodeCount = 17;

// Palette families: 0..15 have a palette button; 16 is the parts placement, selected when the
// parts browser takes the palette's place.
inline constexpr int kPaletteFamilyCount = 16;
inline constexpr int kPartsFamily = 16;
inline constexpr int kTextFamily = 6;

// The tool a family selects: 0..10 the same number, 11 -> 14, 12 -> 11, 13 -> 12, 14 -> 13,
// 15 -> 15, 16 -> 16; any other family the selection tool.
int ToolCodeForFamily(int family);
// The family whose palette row belongs to a tool (the inverse of the above); -1 for no tool.
int FamilyForToolCode(int code);
// The class name of a tool ("CLineTool"); empty for codes outside 0..16.
std::string_view ToolClassName(int code);

}  // namespace plenwick
