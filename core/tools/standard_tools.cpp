// Registration of the program's tools and of the extension points they fill.
#include "tools/standard_tools.h"

#include <memory>

#include "tools/draw/circle_tool.h"
#include "tools/draw/curve_tool.h"
#include "tools/draw/line_tool.h"
#include "tools/edit/delete_tool.h"
#include "view/snap_registration.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

void CToolPlaceholder::OnLButtonUp(ToolView& view, unsigned, PixelPoint) { view.ReleaseCapture(); }

void InstallToolExtensions() { InstallDefaultSnapPointRegistrar(); }

void RegisterStandardTools(ToolFramework& tools) {
  InstallToolExtensions();
  for (int code = 0; code < kToolCodeCount; ++code) {
    if (code == kLineToolCode) {
      tools.toolList().Register(std::make_unique<CLineTool>(tools.state()));
    } else if (code == kCurveToolCode) {
      tools.toolList().Register(std::make_unique<CCurveTool>(tools.state()));
    } else if (code == kCircleToolCode) {
      tools.toolList().Register(std::make_unique<CCircleTool>(tools.state()));
    } else if (code == kDeleteToolCode) {
      tools.toolList().Register(std::make_unique<CDeleteTool>(tools.state()));
    } else {
      tools.toolList().Register(std::make_unique<CToolPlaceholder>(code, tools.state()));
    }
  }
}

}  // namespace plenwick
