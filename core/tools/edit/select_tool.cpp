// The selection tool's events: picks and windows, the start and end of drags, the context flag of
// the set modes, and clearing the picks.
#include "tools/edit/select_tool.h"

#include <cstdlib>

#include "tools/edit/set_picking.h"
#include "view/pick.h"
#include "view/snap.h"
#include "view/tool_framework/command_ids.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

// A drag of at most this many pixels in x and y is no drag.
constexpr int kDragPixels = 1;

}  // namespace

CSelectTool::CSelectTool(InteractionState& state) : CFeedbackTool(kSelectToolCode, state) {}

int CSelectTool::TargetMark() const { return state().ToolMode == kFigureMode ? kMarkPicked : kMarkSelected; }

DrawEntity* CSelectTool::HitAt(ToolView& view, PixelPoint point) const { return HitOnCurrentLayer(view, point); }

void CSelectTool::Redraw(ToolView& view, const std::vector<DrawEntity*>& changed) { RedrawRecords(*this, view, changed); }

void CSelectTool::ClearMarks(ToolView& view, int16_t mark) {
  std::vector<DrawEntity*> changed;
  selection_.Clear(mark, view.doc().snapPoints, &changed);
  Redraw(view, changed);
}

void CSelectTool::ClearAll(ToolView& view) {
  std::vector<DrawEntity*> changed;
  selection_.Clear(kMarkPicked, view.doc().snapPoints, &changed);
  selection_.Clear(kMarkSelected, view.doc().snapPoints, &changed);
  Redraw(view, changed);
  pickState_ = PickState::kNothing;
  lastClicked_ = nullptr;
  state().pending = 0;
}

void CSelectTool::PickOrWindow(ToolView& view, PixelPoint release, int16_t mark) {
  std::vector<DrawEntity*> changed;
  lastClicked_ = plenwick::PickOrWindow(selection_, view, pressPoint, release, mark, &changed);
  Redraw(view, changed);
}

void CSelectTool::OnLButtonDown(ToolView& view, unsigned, PixelPoint point) {
  Attach(view);
  pressPoint = point;
  buttonDown_ = true;
  // While the button is down the rubber rectangle or drag line follows the mouse.
  state().InputStep = 1;
  const int mode = state().ToolMode;
  if (mode == kFigureMode && pickState_ == PickState::kPicked) {
    const HandleHit h = PickSelectedHandle(view.picking(), point);
    if (h.entity) {
      handle_ = {h.entity, h.point, h.kind};
      dragKind_ = h.kind == kSnapLineMidpoint ? DragKind::kMidpoint : DragKind::kHandle;
      pickState_ = PickState::kDragging;
      return;
    }
    DrawEntity* hit = HitAt(view, point);
    if (hit && SelectionSet::UnitOf(*hit).mark == kMarkPicked) {
      dragKind_ = DragKind::kMove;
      pickState_ = PickState::kDragging;
      return;
    }
    // A press beside the picks lets them go; the release makes a new pick.
    ClearMarks(view, kMarkPicked);
    pickState_ = PickState::kNothing;
    state().pending = 0;
    return;
  }
  if (mode == kGroupRelease) {
    DrawEntity* hit = HitAt(view, point);
    if (!hit || SelectionSet::UnitOf(*hit).mark != kMarkSelected) ClearAll(view);
  }
}

void CSelectTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  view.ReleaseCapture();
  Attach(view);
  EraseRubber(view);
  if (!buttonDown_) return;
  buttonDown_ = false;
  state().InputStep = 0;
  if (pickState_ == PickState::kDragging) {
    if (std::abs(point.x - pressPoint.x) > kDragPixels || std::abs(point.y - pressPoint.y) > kDragPixels) {
      ApplyDrag(view, point);
    }
    ClearAll(view);
    return;
  }
  const int mode = state().ToolMode;
  PickOrWindow(view, point, static_cast<int16_t>(TargetMark()));
  if (mode == kFigureMode) {
    pickState_ = selection_.Any(kMarkPicked) ? PickState::kPicked : PickState::kNothing;
  } else if (mode == kGroupRelease) {
    state().pending = 0;
    for (DrawEntity* e : selection_.Marked(kMarkSelected)) {
      if (e->kind == kGroupHeader) state().pending = 1;
    }
  } else {
    pickState_ = selection_.Any(kMarkSelected) ? PickState::kPicked : PickState::kNothing;
  }
}

void CSelectTool::OnLButtonDblClk(ToolView& view, unsigned, PixelPoint point) {
  Attach(view);
  if (state().ToolMode != kFigureMode) return;
  if (!lastClicked_) {
    if (DrawEntity* hit = HitAt(view, point)) lastClicked_ = hit;
  }
  DrawEntity* record = lastClicked_;
  if (record && record->owner && record->owner->kind == kDimension) record = record->owner;
  ClearAll(view);
  if (record && attributeEditor_) attributeEditor_(view, *record);
}

void CSelectTool::OnRButtonDown(ToolView& view, unsigned, PixelPoint) {
  Attach(view);
  const int mode = state().ToolMode;
  if (mode == kFigureMode) {
    ClearAll(view);
    return;
  }
  if (mode != kGroupRelease && selection_.Any(kMarkSelected)) state().pending = 1;
}

void CSelectTool::OnCancel(ToolView& view) {
  Attach(view);
  ClearAll(view);
  buttonDown_ = false;
  CFeedbackTool::OnCancel(view);
}

void CSelectTool::OnSelectAll(ToolView& view) {
  Attach(view);
  const auto mark = static_cast<int16_t>(TargetMark());
  std::vector<DrawEntity*> changed;
  MarkCurrentLayer(selection_, view, mark, &changed);
  Redraw(view, changed);
  pickState_ = changed.empty() && !selection_.Any(mark) ? PickState::kNothing : PickState::kPicked;
  lastClicked_ = nullptr;
}

void CSelectTool::OnUndo(ToolView& view) {
  // The undo takes records out of the list or brings others back: no mark may stay on them.
  Attach(view);
  ClearAll(view);
  CFeedbackTool::OnUndo(view);
}

void CSelectTool::ClearFeedback(ToolView& view) {
  if (attachedView() == &view) ClearAll(view);
  buttonDown_ = false;
  CFeedbackTool::ClearFeedback(view);
}

bool CSelectTool::OnToolCommand(ToolView& view, int commandId) {
  Attach(view);
  if (commandId >= kSelectBarFirstButton && commandId <= kSelectBarLastButton) {
    if (state().ToolMode == kFigureMode) TransformPicks(view, commandId);
    return true;
  }
  switch (commandId) {
    case kCmdGroupRegister: RegisterGroup(view); return true;
    case kCmdGroupRelease: ReleaseGroup(view); return true;
    case kCmdPartsRegistration: RegisterPart(view); return true;
    case kCmdListEdit:
      if (state().ToolMode == kListEdit) EditList(view);
      return true;
    default: return false;
  }
}

void CSelectTool::BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) {
  if (!buttonDown_) return;
  const ViewMapping& m = view.view().mapping();
  const ModelPoint a = m.ScreenToModel(pressPoint.x, pressPoint.y), b = m.ScreenToModel(cursor.x, cursor.y);
  if (pickState_ == PickState::kDragging) {
    shape->segments.push_back({a, b});
    shape->measured = LineEnds{a, b};
    return;
  }
  AddWindowPreview(view, pressPoint, cursor, shape);
}

void CSelectTool::DropOwnOperation(ToolView&) {}

}  // namespace plenwick
