// The program's tools and what they add to the core, set up alike by the program, plenwick-cli,
// the tests and the fuzz targets: the seventeen tools of the tool list (the line, curve, circle,
// text and dimension tools, the selection, delete and corner tools, and placeholders for the tools not
// built yet) with the settings dialogs they bring, and the extension points
// of the core that the tools fill (the registration of characteristic points; later the
// dimension parts, their terminators and the hatch lines).
#pragma once

#include "view/tool_framework/draw_tool.h"
#include "view/tool_framework/tool_framework.h"

namespace plenwick {

// A tool whose own behaviour is not built yet: it takes part in selection, prompts, bars and
// routing with the base slots, and adds nothing to the drawing.
class CToolPlaceholder final : public CDrawTool {
 public:
  using CDrawTool::CDrawTool;
  // Only lets go of the mouse: the base rule (a click in place returns to tool 0) belongs to
  // tools that keep their press point.
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;
};

// Installs, program-wide, what the tools add to every document and reader: the characteristic
// points and intersections registered for each element added or read, the generated parts of
// dimensions and the drawing of their terminators. Installing again changes
// nothing. Whatever loads or edits drawings calls it (or RegisterStandardTools) first.
void InstallToolExtensions();

// The tool start-up of the program: InstallToolExtensions, then one tool for every code 0..16 into
// `tools`, in code order, and the tools' settings commands (32868 "寸法公差設定").
void RegisterStandardTools(ToolFramework& tools);

}  // namespace plenwick
