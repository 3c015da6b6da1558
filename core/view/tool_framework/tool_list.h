// The registry of tools, in registration order; it owns them for the whole run.
#pragma once

#include <memory>
#include <vector>

#include "view/tool_framework/draw_tool.h"

namespace plenwick {

class ToolList {
 public:
  // Appends a tool and returns it (null is not registered).
  CDrawTool* Register(std::unique_ptr<CDrawTool> tool);
  // The first tool registered with `code`; null when there is none (the event is then ignored).
  CDrawTool* FindTool(int code) const;

  std::size_t size() const { return tools_.size(); }
  const std::vector<std::unique_ptr<CDrawTool>>& tools() const { return tools_; }

 private:
  std::vector<std::unique_ptr<CDrawTool>> tools_;
};

}  // namespace plenwick
