// Registration of the program's tools and of the extension points they fill.
#include "tools/standard_tools.h"

#include <memory>

#include "tools/draw/line_tool.h"
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
    } else {
      tools.toolList().Register(std::make_unique<CToolPlaceholder>(code, tools.state()));
    }
  }
}

}  // namespace plenwick
