// The moving tool's steps: selecting the set, the end of the selection, the base point or axis
// and the destination, and the ways out of a step.
#include "tools/edit/move_tool.h"

#include <array>

#include "model/undo.h"
#include "tools/edit/idou_zahyo_dlg.h"
#include "tools/edit/set_picking.h"
#include "view/tool_framework/point_entry.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

constexpr std::array<std::string_view, 7> kSelectedPrompts = {
    "マウス右ボタンで選択終了。移動処理を行います。",         "マウス右ボタンで選択終了。複写処理を行います。",
    "マウス右ボタンで選択終了。水平反転移動処理を行います。", "マウス右ボタンで選択終了。水平反転複写処理を行います。",
    "マウス右ボタンで選択終了。垂直反転移動処理を行います。", "マウス右ボタンで選択終了。垂直反転複写処理を行います。",
    "マウス右ボタンで選択終了。図面間移動処理を行います。",
};
constexpr std::array<std::string_view, 7> kBasePrompts = {
    "移動の基準となる場所をマウスクリックしてください。",         "複写の基準となる場所をマウスクリックしてください。",
    "水平反転移動の基準となる場所をマウスクリックしてください。", "水平反転複写の基準となる場所をマウスクリックしてください。",
    "垂直反転移動の基準となる場所をマウスクリックしてください。", "垂直反転複写の基準となる場所をマウスクリックしてください。",
    "図面間複写の基準となる場所をマウスクリックしてください。",
};
// After select-all the base is asked for in words of its own (図面間複写 keeps its base prompt).
constexpr std::array<std::string_view, 7> kSelectAllPrompts = {
    "移動基準位置(点)を指示して下さい。",   "複写基準位置(点)を指示して下さい。",
    "反転移動する基準位置を選んで下さい。", "反転複写する基準位置を選んで下さい。",
    "反転移動する基準位置を選んで下さい。", "反転複写する基準位置を選んで下さい。",
    "図面間複写の基準となる場所をマウスクリックしてください。",
};
constexpr std::string_view kMoveDestination = "移動先の位置(点)を指示して下さい。";
constexpr std::string_view kCopyDestination = "複写先の位置(点)を指示して下さい。";
constexpr std::string_view kActivateDestination = "複写先のウィンドウをアクティブにして下さい。";
constexpr std::string_view kScalePrompt = "倍率・回転角度の入力を行って下さい。";
constexpr std::string_view kMoveAgain = "移動する図形要素を選んでください。";
constexpr std::string_view kCopyAgain = "複写する図形要素を選んでください。";
constexpr std::string_view kMoveValues = "移動の方向値を入力してください。";
constexpr std::string_view kCopyValues = "複写の方向値を入力してください。";

// The far end of a mirror axis (mm).
constexpr double kAxisEnd = 65000;

std::size_t Row(int mode) { return static_cast<std::size_t>(mode >= 0 && mode <= 6 ? mode : 0); }

bool IsMirror(int mode) { return mode >= CMoveTool::kMirrorXMoveMode && mode <= CMoveTool::kMirrorYCopyMode; }

}  // namespace

CMoveTool::CMoveTool(InteractionState& state) : CFeedbackTool(kMoveToolCode, state) {}

CMoveTool::~CMoveTool() = default;

bool CMoveTool::IsCopy() const {
  const int mode = state().ToolMode;
  return mode == kCopyMode || mode == kMirrorXCopyMode || mode == kMirrorYCopyMode || mode == kBetweenDrawingsMode;
}

void CMoveTool::FocusOperationBar(ToolView& view) { view.ui().FocusOperationBar(); }

void CMoveTool::Follow(ToolView& view) {
  if (Transferring() && attachedView() && attachedView() != &view) {
    handingOver_ = true;
    Attach(view);
    handingOver_ = false;
    return;
  }
  Attach(view);
}

void CMoveTool::OnLButtonDown(ToolView& view, unsigned, PixelPoint point) {
  Follow(view);
  pressPoint = point;
  buttonDown_ = true;
}

void CMoveTool::OnMouseMove(ToolView& view, unsigned flags, PixelPoint point) {
  // A set being selected stays in its drawing while the mouse passes over another window.
  if (attachedView() && attachedView() != &view && !Transferring() && selection_.Any(kMarkSelected)) return;
  Follow(view);
  CFeedbackTool::OnMouseMove(view, flags, point);
  // The window of a selection follows the mouse while the button is down.
  if (state().InputStep == 0 && buttonDown_) ShowPreview(view, point);
}

void CMoveTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  view.ReleaseCapture();
  const bool pressed = buttonDown_;
  buttonDown_ = false;
  Follow(view);
  EraseRubber(view);
  switch (state().InputStep) {
    case 0: {
      if (!pressed) return;
      std::vector<DrawEntity*> changed;
      PickOrWindow(selection_, view, pressPoint, point, kMarkSelected, &changed);
      RedrawRecords(*this, view, changed);
      ShowSelectionPrompt(view);
      return;
    }
    case 2: TakeBase(view, ClickedPoint(*this, view, point)); return;
    case 3:
      // The destination of a copy between drawings is a click in another drawing's view.
      if (Transferring() && &view == source_) return;
      TakeDestination(view, ClickedPoint(*this, view, point));
      return;
    default: return;
  }
}

void CMoveTool::ShowSelectionPrompt(ToolView& view) {
  const bool any = selection_.Any(kMarkSelected);
  state().pending = any ? 1 : 0;
  if (any) {
    view.ShowPrompt(0, kSelectedPrompts[Row(state().ToolMode)]);
  } else {
    view.ShowFirstPrompt();
  }
}

void CMoveTool::OnRButtonDown(ToolView& view, unsigned, PixelPoint) {
  Follow(view);
  buttonDown_ = false;
  EraseRubber(view);
  if (state().InputStep > 0) {
    OnCancel(view);
    return;
  }
  state().pending = selection_.Any(kMarkSelected) ? 1 : 0;
}

void CMoveTool::OnCancel(ToolView& view) {
  Follow(view);
  buttonDown_ = false;
  ClearSelection(view);
  FreeTransfer();
  CFeedbackTool::OnCancel(view);
  const int mode = state().ToolMode;
  if (mode == kCopyMode) {
    view.ShowPrompt(0, kCopyAgain);
  } else {
    view.ShowFirstPrompt();
  }
}

void CMoveTool::OnEndSelection(ToolView& view) {
  Follow(view);
  if (state().InputStep != 0 || !selection_.Any(kMarkSelected)) return;
  const int mode = state().ToolMode;
  if ((mode == kMoveMode || mode == kCopyMode) && state().MovePlacementMode == 1) {
    view.ShowPrompt(0, mode == kMoveMode ? kMoveValues : kCopyValues);
    IdouZahyoDlg dialog;
    if (!view.ui().RunIdouZahyo(dialog)) {
      ShowSelectionPrompt(view);
      return;
    }
    // Typed values place the set from the drawing's origin: scaling and turning are about it.
    const std::optional<PointMap> map = BarMap(view, {0, 0}, {dialog.dx(), dialog.dy()});
    if (map && TransformSelected(view, *map, mode == kCopyMode)) {
      view.ShowPrompt(0, kScalePrompt);
      view.ShowPrompt(0, mode == kMoveMode ? kMoveAgain : kCopyAgain);
    } else {
      ShowSelectionPrompt(view);
    }
    return;
  }
  state().InputStep = 2;
  view.ShowPrompt(0, kBasePrompts[Row(mode)]);
}

void CMoveTool::OnSelectAll(ToolView& view) {
  Follow(view);
  if (state().InputStep != 0) return;
  std::vector<DrawEntity*> changed;
  MarkCurrentLayer(selection_, view, kMarkSelected, &changed);
  RedrawRecords(*this, view, changed);
  if (!selection_.Any(kMarkSelected)) {
    view.ui().Beep();
    return;
  }
  state().pending = 1;
  state().InputStep = 2;
  view.ShowPrompt(0, kSelectAllPrompts[Row(state().ToolMode)]);
}

void CMoveTool::OnUndo(ToolView& view) {
  // The undo takes records out of the list or brings others back: no mark may stay on them.
  Follow(view);
  ClearSelection(view);
  FreeTransfer();
  CFeedbackTool::OnUndo(view);
}

void CMoveTool::OnViewActivated(ToolView& view) {
  if (!Transferring() || state().CurrentToolCode != code() || state().InputStep != 3) return;
  view.ShowPrompt(0, &view == source_ ? kActivateDestination : kCopyDestination);
}

void CMoveTool::ClearFeedback(ToolView& view) {
  if (handingOver_) {
    // The copy between drawings goes on in the view the mouse went to.
    DropOperation(view);
    feedback().EraseAll(view);
    return;
  }
  if (&view == source_) {
    // The drawing the copies came from is closing: the copy between drawings ends.
    FreeTransfer();
    if (attachedView() && attachedView() != &view && state().CurrentToolCode == code()) {
      EndOperation(*attachedView(), std::nullopt);
    }
  }
  if (attachedView() == &view) {
    ClearSelection(view);
    buttonDown_ = false;
  }
  CFeedbackTool::ClearFeedback(view);
}

void CMoveTool::ClearFeedbackEverywhere() {
  FreeTransfer();
  CFeedbackTool::ClearFeedbackEverywhere();
}

void CMoveTool::ClearSelection(ToolView& view) {
  std::vector<DrawEntity*> changed;
  selection_.Clear(kMarkSelected, view.doc().snapPoints, &changed);
  RedrawRecords(*this, view, changed);
  state().pending = 0;
}

void CMoveTool::TakeBase(ToolView& view, ModelPoint at) {
  const int mode = state().ToolMode;
  if (IsMirror(mode)) {
    EraseRubber(view);
    const bool vertical = mode == kMirrorXMoveMode || mode == kMirrorXCopyMode;
    const PointMap map = vertical ? PointMap::Mirror({at.x, 0}, {at.x, kAxisEnd}) : PointMap::Mirror({0, at.y}, {kAxisEnd, at.y});
    TransformSelected(view, map, IsCopy());
    EndOperation(view, std::nullopt);
    return;
  }
  base_ = at;
  if (mode == kBetweenDrawingsMode) {
    FillTransfer(view);
    if (!Transferring()) return;
    state().InputStep = 3;
    view.ShowPrompt(0, kActivateDestination);
    return;
  }
  ShowCross(view, at);
  state().InputStep = 3;
  view.ShowPrompt(0, mode == kMoveMode ? kMoveDestination : kCopyDestination);
}

void CMoveTool::TakeDestination(ToolView& view, ModelPoint at) {
  if (Transferring()) {
    CopyTransferInto(view, at);
    view.ShowPrompt(0, kScalePrompt);
    EndOperation(view, kCopyAgain);
    return;
  }
  const std::optional<PointMap> map = BarMap(view, base_, at);
  if (!map) return;  // the step waits for a usable factor
  const bool copy = IsCopy();
  const bool done = TransformSelected(view, *map, copy);
  EndOperation(view, std::nullopt);
  if (done) {
    view.ShowPrompt(0, kScalePrompt);
    view.ShowPrompt(0, copy ? kCopyAgain : kMoveAgain);
  }
}

void CMoveTool::BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) {
  const ViewMapping& m = view.view().mapping();
  if (state().InputStep == 0) {
    if (!buttonDown_ || !IsWindowGesture(pressPoint, cursor)) return;
    const ModelPoint a = m.ScreenToModel(pressPoint.x, pressPoint.y), b = m.ScreenToModel(cursor.x, cursor.y);
    shape->polylines.push_back({a, {b.x, a.y}, b, {a.x, b.y}, a});
    return;
  }
  const int mode = state().ToolMode;
  if (state().InputStep != 2 || !IsMirror(mode)) return;
  // The axis through the cursor across the whole client.
  const PixelPoint at = m.ModelToScreen(CursorPoint(*this, view, cursor));
  if (mode == kMirrorXMoveMode || mode == kMirrorXCopyMode) {
    shape->segments.push_back({m.ScreenToModel(at.x, 0), m.ScreenToModel(at.x, m.clientHeight)});
  } else {
    shape->segments.push_back({m.ScreenToModel(0, at.y), m.ScreenToModel(m.clientWidth, at.y)});
  }
}

void CMoveTool::DropOwnOperation(ToolView&) {}

void CMoveTool::ResetOwnState() { FreeTransfer(); }

}  // namespace plenwick
