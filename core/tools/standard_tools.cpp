// Registration of the program's tools and of the extension points they fill.
#include "tools/standard_tools.h"

#include <memory>

#include "tools/draw/circle_tool.h"
#include "tools/draw/curve_tool.h"
#include "tools/draw/dimension_parts.h"
#include "tools/draw/develop_tool.h"
#include "tools/draw/dimension_tool.h"
#include "tools/draw/hatch_tool.h"
#include "tools/draw/image_tool.h"
#include "tools/draw/inport_tool.h"
#include "tools/draw/line_tool.h"
#include "tools/draw/point_tool.h"
#include "tools/draw/poly_tool.h"
#include "tools/draw/text_tool.h"
#include "tools/draw/tolerance_dlg.h"
#include "tools/edit/attribute_change.h"
#include "tools/edit/corner_tool.h"
#include "tools/edit/delete_tool.h"
#include "tools/edit/expansion_tool.h"
#include "tools/edit/move_tool.h"
#include "tools/edit/select_tool.h"
#include "tools/edit/transform_tool.h"
#include "view/hatch_lines.h"
#include "view/snap_registration.h"
#include "view/tool_framework/command_ids.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

void CToolPlaceholder::OnLButtonUp(ToolView& view, unsigned, PixelPoint) { view.ReleaseCapture(); }

void InstallToolExtensions() {
  InstallDefaultSnapPointRegistrar();
  InstallDimensionExtensions();
  InstallHatchLineGenerator();
}

namespace {

std::unique_ptr<CDrawTool> MakeTool(int code, InteractionState& state) {
  switch (code) {
    case kSelectToolCode: {
      auto select = std::make_unique<CSelectTool>(state);
      InstallAttributeDialogs(*select);
      return select;
    }
    case kPointToolCode: return std::make_unique<CPointTool>(state);
    case kLineToolCode: return std::make_unique<CLineTool>(state);
    case kCurveToolCode: return std::make_unique<CCurveTool>(state);
    case kCircleToolCode: return std::make_unique<CCircleTool>(state);
    case kPolyToolCode: return std::make_unique<CPolyTool>(state);
    case kTextToolCode: return std::make_unique<CTextTool>(state);
    case kDimensionToolCode: return std::make_unique<CDimensionTool>(state);
    case kDeleteToolCode: return std::make_unique<CDeleteTool>(state);
    case kExpansionToolCode: return std::make_unique<CExpansionTool>(state);
    case kCornerToolCode: return std::make_unique<CCornerTool>(state);
    case kMoveToolCode: return std::make_unique<CMoveTool>(state);
    case kHatchiToolCode: return std::make_unique<CHatchiTool>(state);
    case kTransformToolCode: return std::make_unique<CTransformTool>(state);
    case kImageToolCode: return std::make_unique<CImageTool>(state);
    case kDevelopToolCode: return std::make_unique<CDevelopTool>(state);
    case kInportToolCode: return std::make_unique<CInportTool>(state);
    default: return std::make_unique<CToolPlaceholder>(code, state);
  }
}

}  // namespace

void RegisterStandardTools(ToolFramework& tools) {
  InstallToolExtensions();
  for (int code = 0; code < kToolCodeCount; ++code) tools.toolList().Register(MakeTool(code, tools.state()));
  tools.AddSettingsCommand(kCmdToleranceSettings, EditDimensionTolerances);
}

}  // namespace plenwick
