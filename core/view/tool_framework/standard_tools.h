// The seventeen tools of the program, registered at start-up: the line tool, and for every tool
// whose own behaviour is not built yet a placeholder with the base slots (it takes part in
// selection, prompts, bars and routing, and adds nothing to the drawing).
#pragma once

#include "view/tool_framework/draw_tool.h"
#include "view/tool_framework/tool_framework.h"

namespace plenwick {

class CToolPlaceholder final : public CDrawTool {
 public:
  using CDrawTool::CDrawTool;
  // Only lets go of the mouse: the base rule (a click in place returns to tool 0) belongs to
  // tools that keep their press point.
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;
};

// Registers one tool for every code 0..16, in code order.
void RegisterStandardTools(ToolFramework& tools);

}  // namespace plenwick
