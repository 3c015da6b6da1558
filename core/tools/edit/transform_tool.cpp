// The transforming tool's events: picks and windows of the set, the context commands, the
// stretch's base line and the offset's side, and the ways out of a step.
#include "tools/edit/transform_tool.h"

#include <string_view>

#include "tools/edit/set_picking.h"
#include "view/tool_framework/command_ids.h"
#include "view/tool_framework/numeric_input.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

constexpr std::string_view kMenuPrompts[] = {
    "マウス右ボタンで、拡大・縮小メニューを表示します。",
    "マウス右ボタンで、ストレッチメニューを表示します。",
    "マウス右ボタンで、オフセットメニューを表示します。",
};
constexpr std::string_view kBaseLinePrompt = "ストレッチの基準となる直線をマウスクリックしてください。";

constexpr int kStateHighlight = 1;  // the drawing state of the highlight colour

}  // namespace

CTransformTool::CTransformTool(InteractionState& state) : CFeedbackTool(kTransformToolCode, state) {}

void CTransformTool::FocusOperationBar(ToolView& view) { view.ui().FocusOperationBar(); }

void CTransformTool::ClearSelection(ToolView& view) {
  std::vector<DrawEntity*> changed;
  selection_.Clear(kMarkSelected, view.doc().snapPoints, &changed);
  RedrawRecords(*this, view, changed);
  state().pending = 0;
}

void CTransformTool::PromptForSelection(ToolView& view) {
  const int mode = state().ToolMode;
  if (selection_.Any(kMarkSelected) && mode >= kScaleMode && mode <= kOffsetMode) {
    view.ShowPrompt(0, kMenuPrompts[mode]);
  } else {
    view.ShowFirstPrompt();
  }
}

void CTransformTool::OnLButtonDown(ToolView& view, unsigned, PixelPoint point) {
  Attach(view);
  pressPoint = point;
  buttonDown_ = state().InputStep == 0;
}

void CTransformTool::OnMouseMove(ToolView& view, unsigned flags, PixelPoint point) {
  CFeedbackTool::OnMouseMove(view, flags, point);
  // The window follows the mouse while the button is down.
  if (buttonDown_ && state().InputStep == 0) ShowPreview(view, point);
}

void CTransformTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  view.ReleaseCapture();
  Attach(view);
  // A typed value means nothing to this tool.
  if (state().NumericEntered) return;
  if (state().InputStep == 0) {
    if (!buttonDown_) return;
    buttonDown_ = false;
    EraseRubber(view);
    std::vector<DrawEntity*> changed;
    PickOrWindow(selection_, view, pressPoint, point, kMarkSelected, &changed);
    RedrawRecords(*this, view, changed);
    PromptForSelection(view);
    return;
  }
  if (state().InputStep != 1) return;
  if (state().ToolMode == kStretchMode) PickBaseLine(view, point);
  if (state().ToolMode == kOffsetMode) Offset(view, view.view().ScreenToModel(point.x, point.y));
}

void CTransformTool::OnRButtonDown(ToolView& view, unsigned, PixelPoint) {
  Attach(view);
  if (state().InputStep != 0) {
    OnCancel(view);
    return;
  }
  state().pending = selection_.Any(kMarkSelected) ? 1 : 0;
}

void CTransformTool::OnCancel(ToolView& view) {
  Attach(view);
  buttonDown_ = false;
  ClearSelection(view);
  CFeedbackTool::OnCancel(view);
  view.ShowFirstPrompt();
}

void CTransformTool::OnEndSelection(ToolView& view) {
  Attach(view);
  if (state().InputStep != 0 || !selection_.Any(kMarkSelected)) return;
  state().pending = 0;
  if (state().ToolMode == kStretchMode) {
    state().InputStep = 1;
    view.ShowPrompt(0, kBaseLinePrompt);
  } else if (state().ToolMode == kOffsetMode) {
    StartOffset(view);
  }
}

void CTransformTool::OnSelectAll(ToolView& view) {
  Attach(view);
  if (state().InputStep != 0) return;
  std::vector<DrawEntity*> changed;
  MarkCurrentLayer(selection_, view, kMarkSelected, &changed);
  RedrawRecords(*this, view, changed);
  PromptForSelection(view);
}

void CTransformTool::OnUndo(ToolView& view) {
  // The undo takes records out of the list or brings others back: no mark may stay on them.
  Attach(view);
  ClearSelection(view);
  CFeedbackTool::OnUndo(view);
}

void CTransformTool::ClearFeedback(ToolView& view) {
  if (attachedView() == &view) ClearSelection(view);
  buttonDown_ = false;
  CFeedbackTool::ClearFeedback(view);
}

bool CTransformTool::OnToolCommand(ToolView& view, int commandId) {
  if (commandId != kCmdScaleInput) return false;
  Attach(view);
  if (state().ToolMode != kScaleMode || state().InputStep != 0 || !selection_.Any(kMarkSelected)) return true;
  state().pending = 0;
  view.ReleaseCapture();
  CInputNumDlg dialog(CInputNumDlg::kScaleFactorKind);
  if (!view.ui().RunNumericInput(dialog)) {
    OnCancel(view);
    return true;
  }
  ScaleSelection(view, dialog.value());
  return true;
}

void CTransformTool::Finish(ToolView& view) {
  ClearSelection(view);
  EndOperation(view, std::nullopt);
}

void CTransformTool::DrawHighlight(ToolView& view, bool on) {
  DrawEntity* e = highlighted_;
  DrawUnderneath(view, [&](Canvas& canvas) { view.view().DrawElement(canvas, *e, on ? kStateHighlight : e->mark); });
}

void CTransformTool::BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) {
  if (buttonDown_ && state().InputStep == 0) AddWindowPreview(view, pressPoint, cursor, shape);
}

void CTransformTool::DropOwnOperation(ToolView& view) {
  if (!highlighted_) return;
  DrawHighlight(view, false);
  highlighted_ = nullptr;
}

void CTransformTool::ShowOwnFeedbackAgain(ToolView& view, bool) {
  if (highlighted_) DrawHighlight(view, true);
}

}  // namespace plenwick
