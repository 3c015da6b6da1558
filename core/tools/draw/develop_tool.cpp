// The development tool: the click, the dialog and the group.
#include "tools/draw/develop_tool.h"

#include "model/plenwick_doc.h"
#include "tools/draw/develop_dlg.h"
#include "tools/draw/develop_geometry.h"
#include "tools/draw/element_adding.h"
#include "view/tool_framework/point_entry.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

CDevelopTool::CDevelopTool(InteractionState& state) : CFeedbackTool(kDevelopToolCode, state) {}

void CDevelopTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  StepClick(view, point, [&] {
    const ModelPoint at = ClickedPoint(*this, view, point, kPickAll);
    // A drawing that cannot take the construction says so before the values are asked for.
    if (view.doc().RefuseIfProtected()) return;
    CDevelopDlg dialog(state().ToolMode, view.ui());
    if (!view.ui().RunDevelop(dialog)) return;
    AddToolGroup(*this, view, at, DevelopmentPieces(at, dialog.input()), GroupMembers::kStorableOnly);
  });
}

}  // namespace plenwick
