// Tool registration and lookup by code.
#include "view/tool_framework/tool_list.h"

namespace plenwick {

CDrawTool* ToolList::Register(std::unique_ptr<CDrawTool> tool) {
  if (!tool) return nullptr;
  tools_.push_back(std::move(tool));
  return tools_.back().get();
}

CDrawTool* ToolList::FindTool(int code) const {
  for (const std::unique_ptr<CDrawTool>& tool : tools_) {
    if (tool->code() == code) return tool.get();
  }
  return nullptr;
}

}  // namespace plenwick
