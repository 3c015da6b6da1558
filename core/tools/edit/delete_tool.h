// CDeleteTool, the editing tool (code 8) that deletes elements of the current layer: the one a
// click picks, every one a crossing line meets, or those a window holds filtered by kind in the
// window-deletion dialog. Every deletion is one undo step.
#pragma once

#include "tools/draw/feedback_tool.h"

namespace plenwick {

class CDeleteTool final : public CFeedbackTool {
 public:
  enum Mode : int {
    kSingle = 0,  // 単一削除
    kCross = 1,   // クロス削除
    kWindow = 2,  // グループ削除
  };

  explicit CDeleteTool(InteractionState& state);

  void OnLButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;
  // The window's rubber rectangle follows the cursor too.
  void OnMouseMove(ToolView& view, unsigned flags, PixelPoint point) override;

 private:
  void DeletePicked(ToolView& view, PixelPoint click);
  void DeleteCrossed(ToolView& view, ModelPoint end);
  void DeleteInWindow(ToolView& view, ModelPoint corner);
  // Takes the first point of a crossing line or window.
  void TakeAnchor(ToolView& view, PixelPoint click);
  // Erases the elements marked deleted and moves them out of the drawing as one undo step.
  static void CommitMarked(ToolView& view);

  void ShowWindow(ToolView& view, PixelPoint cursor);
  void BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) override;
  void DropOwnOperation(ToolView& view) override;
  void ShowOwnFeedbackAgain(ToolView& view, bool wholeClient) override;

  ModelPoint anchor_;  // the crossing line's start or the window's first corner
};

}  // namespace plenwick
