// CTransformTool, the editing tool (code 14) that scales a selected set about a point of its box
// (拡大・縮小), stretches it so that a base line takes a typed length (ストレッチ), and draws
// parallel copies of circles, chains of lines and arcs and closed loops at the bar's distance
// (オフセット). Records are selected by picks and windows (mark 4); every change is one undo step.
#pragma once

#include <vector>

#include "tools/draw/feedback_tool.h"
#include "tools/edit/record_replacement.h"
#include "tools/edit/selection_set.h"

namespace plenwick {

struct StretchBase;

class CTransformTool final : public CFeedbackTool {
 public:
  enum Mode : int {
    kScaleMode = 0,    // 拡大・縮小
    kStretchMode = 1,  // ストレッチ
    kOffsetMode = 2,   // オフセット
  };

  explicit CTransformTool(InteractionState& state);

  void FocusOperationBar(ToolView& view) override;
  void OnLButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  // Selecting: a pick or a window. Then the stretch's base line or the offset's side.
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;
  void OnMouseMove(ToolView& view, unsigned flags, PixelPoint point) override;
  // Arms the context menu while records are selected; abandons a running step.
  void OnRButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  void OnCancel(ToolView& view) override;
  // "選択終了": the stretch asks for its base line, the offset for its side.
  void OnEndSelection(ToolView& view) override;
  void OnSelectAll(ToolView& view) override;
  void OnUndo(ToolView& view) override;
  void ClearFeedback(ToolView& view) override;
  // "拡大・縮小": the factor dialog, then the scale.
  bool OnToolCommand(ToolView& view, int commandId) override;

 private:
  void ClearSelection(ToolView& view);
  // The prompt that offers the context menu, or the first one when nothing is selected.
  void PromptForSelection(ToolView& view);

  // Scales the selection by `factor` about the bar's reference point of its box.
  void ScaleSelection(ToolView& view, double factor);
  void PickBaseLine(ToolView& view, PixelPoint point);
  void Stretch(ToolView& view, DrawEntity& line, const StretchBase& base, double length);
  void StartOffset(ToolView& view);
  void Offset(ToolView& view, ModelPoint side);
  // The replacements as one undo step; the selection ends when they were made. False when
  // nothing changed (the user has been told why).
  bool Apply(ToolView& view, const std::vector<Replacement>& set);
  // The operation is over: no selection, step 0, the first prompt.
  void Finish(ToolView& view);
  void DrawHighlight(ToolView& view, bool on);

  void BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) override;
  void DropOwnOperation(ToolView& view) override;
  void ShowOwnFeedbackAgain(ToolView& view, bool wholeClient) override;

  // The set's own points stay in snapping: no step of the tool snaps to them, and a whole drawing
  // selected pays nothing for them.
  SelectionSet selection_{false};
  bool buttonDown_ = false;            // a pick or window is under way
  DrawEntity* highlighted_ = nullptr;  // offset: the piece shown red while the side is awaited
};

}  // namespace plenwick
