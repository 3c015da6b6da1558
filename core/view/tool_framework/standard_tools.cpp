// Registration of the program's tools.
#include "view/tool_framework/standard_tools.h"

#include <memory>

#include "tools/draw/line_tool.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

void CToolPlaceholder::OnLButtonUp(ToolView& view, unsigned, PixelPoint) { view.ReleaseCapture(); }

void RegisterStandardTools(ToolFramework& tools) {
  for (int code = 0; code < kToolCodeCount; ++code) {
    if (code == kLineToolCode) {
      tools.toolList().Register(std::make_unique<CLineTool>(tools.state()));
    } else {
      tools.toolList().Register(std::make_unique<CToolPlaceholder>(code, tools.state()));
    }
  }
}

}  // namespace plenwick
