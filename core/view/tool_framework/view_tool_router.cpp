// Event routes from a view to its modes and the active tool.
#include "view/tool_framework/view_tool_router.h"

#include "view/render_settings.h"
#include "view/tool_framework/line_input.h"
#include "view/tool_framework/command_table.h"
#include "view/tool_framework/numeric_input.h"
#include "view/tool_framework/tool_rules.h"

namespace plenwick {

ViewToolRouter::ViewToolRouter(ToolFramework& tools, CPlenwickDoc& doc, CPlenwickView& view, ViewHost& host,
                               ToolViewHost& window)
    : tools_(tools), toolView_(tools, doc, view, host, window) {
  view.SetPaintOverlay(this);
}

ViewToolRouter::~ViewToolRouter() {
  tools_.ForgetView(&toolView_);
  CPlenwickView& view = toolView_.view();
  if (view.paintOverlay() == this) view.SetPaintOverlay(nullptr);
}

void ViewToolRouter::BeforePaint(Canvas& canvas, const PixelRect& box) {
  toolView_.DrawingInPaint(canvas, box, [&] {
    for (const auto& tool : tools_.toolList().tools()) tool->BeforeViewPaint(toolView_);
  });
}

void ViewToolRouter::AfterPaint(Canvas& canvas, const PixelRect& box) {
  const ViewMapping& m = toolView_.view().mapping();
  const bool whole = box.left <= 0 && box.top <= 0 && box.right >= m.clientWidth && box.bottom >= m.clientHeight;
  toolView_.DrawingInPaint(canvas, box, [&] {
    for (const auto& tool : tools_.toolList().tools()) tool->AfterViewPaint(toolView_, whole);
  });
}

void ViewToolRouter::OnLButtonDown(unsigned flags, PixelPoint point) {
  toolView_.SetCapture();
  if (toolView_.view().OnLButtonDown(point)) return;
  if (CDrawTool* tool = Tool()) tool->OnLButtonDown(toolView_, flags, point);
}

void ViewToolRouter::OnLButtonUp(unsigned flags, PixelPoint point) {
  CPlenwickView& view = toolView_.view();
  if (!toolView_.hasCapture()) {
    view.leftButtonDown = 0;
    return;
  }
  if (!view.OnLButtonUp(point) && !view.rightButtonDown) {
    if (CDrawTool* tool = Tool()) tool->OnLButtonUp(toolView_, flags, point);
  }
  toolView_.ReleaseCapture();
}

void ViewToolRouter::OnLButtonDblClk(unsigned flags, PixelPoint point) {
  if (CDrawTool* tool = Tool()) tool->OnLButtonDblClk(toolView_, flags, point);
}

void ViewToolRouter::OnRButtonDown(unsigned flags, PixelPoint point) {
  if (CDrawTool* tool = Tool()) tool->OnRButtonDown(toolView_, flags, point);
  toolView_.view().OnRButtonDown(point);
}

void ViewToolRouter::OnRButtonUp(unsigned, PixelPoint point) { toolView_.view().OnRButtonUp(point); }

void ViewToolRouter::OnMouseMove(unsigned flags, PixelPoint point) {
  CPlenwickView& view = toolView_.view();
  view.OnMouseMove(point);
  if (view.ViewMode != kViewNormal) return;
  CDrawTool* tool = Tool();
  if (!tool) return;
  const RenderSettings& colours = view.renderSettings();
  tool->indicatorColour = colours.colour(kColourIndicatorLine);
  tool->highlightColour = colours.colour(kColourHighlight);
  tool->backgroundColour = colours.colour(kColourBackground);
  tool->OnMouseMove(toolView_, flags, point);
}

void ViewToolRouter::OnContextMenu(PixelPoint screenPoint) {
  InteractionState& state = tools_.state();
  bool anySelected = false;
  if (state.CurrentToolCode == kMoveToolCode && state.pending) {
    for (const DrawEntity& e : toolView_.doc().entities) {
      if (e.mark == kMarkSelected) {
        anySelected = true;
        break;
      }
    }
    if (!anySelected) state.pending = 0;
  }
  const int menu = ContextMenuFor(state, tools_.settings(), anySelected);
  if (menu == 0) return;
  if (const int command = tools_.ui().TrackContextMenu(menu, screenPoint)) OnCommand(command);
}

void ViewToolRouter::NumericInput() {
  InteractionState& state = tools_.state();
  CDrawTool* tool = Tool();
  if (!tool) return;
  const int step = state.InputStep;
  tool->OnNumericInput(toolView_);
  ToolUi::DialogResult result = ToolUi::DialogResult::kNotAvailable;
  if (UsesLineInputDialog(state, tools_.settings())) {
    CLineInputDlg dialog(state.EnteredMode, tools_.settings());
    result = tools_.ui().RunLineInput(dialog);
    if (result == ToolUi::DialogResult::kOk) {
      state.EnteredMode = static_cast<int16_t>(dialog.mode());
      state.EnteredValue = dialog.value(0);
      state.EnteredValue2 = dialog.value(1);
    } else if (result == ToolUi::DialogResult::kNotAvailable) {
      // The single value is the length; the angle is what the two-value dialog would preset.
      state.EnteredMode = kLineInputPolar;
      state.EnteredValue2 = dialog.presetValue(1);
    }
  }
  if (result == ToolUi::DialogResult::kNotAvailable) {
    CInputNumDlg dialog(NumericInputKindFor(state.CurrentToolCode, state.ToolMode, step));
    const bool ok = tools_.ui().RunNumericInput(dialog);
    if (ok) state.EnteredValue = dialog.value();
    result = ok ? ToolUi::DialogResult::kOk : ToolUi::DialogResult::kCancel;
  }
  state.InputStep = step;
  // The dialog ran modally: look the tool up again.
  tool = Tool();
  if (!tool) return;
  if (result == ToolUi::DialogResult::kOk) {
    state.NumericEntered = 1;
    tool->OnLButtonUp(toolView_, 0, kNumericInputPoint);
    // The value belongs to this one release; a later click must not take it again.
    state.NumericEntered = 0;
  } else {
    tool->OnCancel(toolView_);
  }
}

bool ViewToolRouter::OnCommand(int id) {
  // The tool-bar button starts the list mode as its menu item does.
  if (id == kCmdEntityList) id = kCmdSelectListMode;
  if (const CommandInfo* c = FindCommand(id); c && c->kind == CommandKind::kToolSelect) {
    tools_.SelectTool(c->mode, c->family, &toolView_);
    return true;
  }
  CDrawTool* tool = Tool();
  switch (id) {
    case kCmdCloseTextBox: tools_.CloseTextBoxAndCancel(&toolView_); return true;
    case kCmdReturnKey:
      if (tool) tool->OnReturnKey(toolView_);
      return true;
    case kCmdFocusOperationBar:
      if (tool) tool->FocusOperationBar(toolView_);
      return true;
    case kCmdCancel:
    case kCmdEscape:
      if (tool) tool->OnCancel(toolView_);
      return true;
    case kCmdSpace:
      if (SpaceOpensNumericInput(tools_.state(), tools_.settings())) NumericInput();
      return true;
    case kCmdNumericInput: NumericInput(); return true;
    case kCmdUndo:
      if (tool) tool->OnUndo(toolView_);
      return true;
    case kCmdSelectAll:
    case kCmdSelectAllKey:
      if (tool) tool->OnSelectAll(toolView_);
      return true;
    case kCmdEndSelection:
      if (tool) tool->OnEndSelection(toolView_);
      return true;
    case kCmdListEdit:
    case kCmdPartsRegistration:
    case kCmdGroupRegister:
    case kCmdGroupRelease:
    case kCmdScaleInput:
      if (tool) tool->OnToolCommand(toolView_, id);
      return true;
    default: break;
  }
  if (id >= kSelectBarFirstButton && id <= kSelectBarLastButton) {
    if (tool) tool->OnToolCommand(toolView_, id);
    return true;
  }
  return toolView_.view().OnCommand(id) || tools_.OnFrameCommand(id);
}

bool ViewToolRouter::IsCommandEnabled(int id) const {
  if (id == kCmdSelectAll) {
    const int code = tools_.state().CurrentToolCode;
    return code == kSelectToolCode || code == kMoveToolCode;
  }
  const CommandInfo* c = FindCommand(id);
  return !(c && c->kind == CommandKind::kDisabled);
}

bool ViewToolRouter::IsCommandChecked(int id) const {
  return toolView_.view().IsChecked(id) || tools_.IsFrameCommandChecked(id);
}

}  // namespace plenwick
