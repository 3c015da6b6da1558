// The delete tool's three sub-modes: the pick, the crossing line and the filtered window.
#include "tools/edit/delete_tool.h"

#include <string_view>

#include "model/undo.h"
#include "tools/edit/crossing.h"
#include "tools/edit/delete_group_dlg.h"
#include "tools/edit/deletion.h"
#include "view/pick.h"
#include "view/selection.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

constexpr std::string_view kCrossEnd = "クロス線の終端を指示して下さい。";
constexpr std::string_view kCrossDone = "削除クロス線の開始位置を指示して下さい。";
constexpr std::string_view kWindowEnd = "領域の終了位置を指示して下さい。";
constexpr std::string_view kWindowFilter = "削除対象グループの設定を行って下さい。";

// Above this many deleted elements the view is painted again once instead of erasing each.
constexpr int kMostErasedSingly = 300;

}  // namespace

CDeleteTool::CDeleteTool(InteractionState& state) : CFeedbackTool(kDeleteToolCode, state) {}

void CDeleteTool::OnLButtonDown(ToolView&, unsigned, PixelPoint point) { pressPoint = point; }

void CDeleteTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  view.ReleaseCapture();
  Attach(view);
  const int mode = state().ToolMode;
  if (mode == kSingle) {
    DeletePicked(view, point);
    return;
  }
  if (mode != kCross && mode != kWindow) return;
  if (state().InputStep == 0) {
    TakeAnchor(view, point);
    return;
  }
  const ModelPoint end = view.view().ScreenToModel(point.x, point.y);
  // The figure belongs to the step that is ending.
  DropOperation(view);
  if (mode == kCross) {
    DeleteCrossed(view, end);
    EndOperation(view, kCrossDone);
  } else {
    DeleteInWindow(view, end);
    EndOperation(view, std::nullopt);
  }
}

void CDeleteTool::OnMouseMove(ToolView& view, unsigned flags, PixelPoint point) {
  CFeedbackTool::OnMouseMove(view, flags, point);
  if (state().ToolMode == kWindow && state().InputStep != 0) ShowWindow(view, point);
}

void CDeleteTool::TakeAnchor(ToolView& view, PixelPoint click) {
  anchor_ = view.view().ScreenToModel(click.x, click.y);
  state().InputStep = 1;
  state().phaseFlag = 1;
  const bool cross = state().ToolMode == kCross;
  view.ShowPrompt(0, cross ? kCrossEnd : kWindowEnd);
  if (cross) {
    ShowPreview(view, click);
  } else {
    ShowWindow(view, click);
  }
}

void CDeleteTool::DeletePicked(ToolView& view, PixelPoint click) {
  const PickHit hit = PickEntity(view.picking(), kPickAllButGrid, click);
  const int layer = view.settings().CurrentLayer;
  if (!hit.entity || !Deletable(TopOwner(*hit.entity), layer)) {
    view.ui().Beep();
    return;
  }
  if (view.doc().RefuseIfProtected() != 0) return;
  TopOwner(*hit.entity).mark = kMarkDeleted;
  hit.entity->mark = kMarkDeleted;
  CloseDeletionOverOwners(view.doc().entities, layer);
  CommitMarked(view);
}

void CDeleteTool::DeleteCrossed(ToolView& view, ModelPoint end) {
  if (end.x == anchor_.x && end.y == anchor_.y) return;
  if (view.doc().RefuseIfProtected() != 0) return;
  const int layer = view.settings().CurrentLayer;
  EntityList& list = view.doc().entities;
  for (DrawEntity& e : list) {
    if (Deletable(e, layer) && CrossesEntity(e, anchor_, end)) e.mark = kMarkDeleted;
  }
  CloseDeletionOverOwners(list, layer);
  CommitMarked(view);
}

void CDeleteTool::DeleteInWindow(ToolView& view, ModelPoint corner) {
  if (view.doc().RefuseIfProtected() != 0) return;
  const int layer = view.settings().CurrentLayer;
  EntityList& list = view.doc().entities;
  if (SelectInRect(list, layer, anchor_.x, anchor_.y, corner.x, corner.y, kMarkTemporary, nullptr) == 0) {
    view.ui().Beep();
    return;
  }
  view.ShowPrompt(0, kWindowFilter);
  CDeleteGroupDlg dialog;
  if (!view.ui().RunDeleteGroup(dialog)) {
    ClearMarks(list, nullptr, layer, kMarkTemporary, nullptr);
    return;
  }
  ApplyDeleteFilter(list, layer, dialog.choice());
  CommitMarked(view);
}

void CDeleteTool::CommitMarked(ToolView& view) {
  CPlenwickDoc& doc = view.doc();
  int marked = 0;
  for (const DrawEntity& e : doc.entities) marked += e.mark == kMarkDeleted ? 1 : 0;
  if (marked == 0) return;
  if (marked > kMostErasedSingly) {
    view.host().Invalidate(nullptr);
  } else {
    for (const DrawEntity& e : doc.entities) {
      if (e.mark == kMarkDeleted) view.view().InvalidateEntity(e);
    }
  }
  BeginOperation(doc.entities, doc.snapPoints);
  CommitDeletion(doc.entities);
  doc.SetModifiedFlag();
}

void CDeleteTool::ShowWindow(ToolView& view, PixelPoint cursor) {
  state().RubberDrawn = 1;
  ShowWindowFrom(view, anchor_, cursor);
}

void CDeleteTool::BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) {
  if (state().ToolMode != kCross) return;
  shape->segments.push_back({anchor_, view.view().ScreenToModel(cursor.x, cursor.y)});
}

void CDeleteTool::DropOwnOperation(ToolView& view) { feedback().Erase(view, kOwnSlot); }

void CDeleteTool::ShowOwnFeedbackAgain(ToolView& view, bool wholeClient) {
  if (wholeClient && state().CurrentToolCode == code() && state().ToolMode == kWindow && state().InputStep != 0) {
    ShowWindow(view, lastPoint);
  }
}

}  // namespace plenwick
