// CExpansionTool, the editing tool (code 9) that trims and extends lines, circles and arcs to a
// boundary (伸縮), many lines to one reference line (基準線伸縮), cuts a piece out (カット), cuts
// every line between two lines (２線間カット), joins two lines (接合) and cleans up the crossing
// lines of a window (包括処理). Every change is one undo step that replaces the records.
#pragma once

#include <vector>

#include "tools/draw/feedback_tool.h"
#include "tools/edit/record_replacement.h"

namespace plenwick {

class CExpansionTool final : public CFeedbackTool {
 public:
  enum Mode : int {
    kTrimMode = 0,       // 伸縮
    kReferenceMode = 1,  // 基準線伸縮
    kCutMode = 2,        // カット
    kBetweenMode = 3,    // ２線間カット
    kJoinMode = 4,       // 接合
    kCleanupMode = 5,    // 包括処理
  };

  explicit CExpansionTool(InteractionState& state);

  void OnLButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;
  // Ends the running step (基準線伸縮's run of lines too).
  void OnRButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  // 包括処理: the window follows the mouse.
  void OnMouseMove(ToolView& view, unsigned flags, PixelPoint point) override;

 private:
  // The record under the click that the mode may edit (lines of kind 20, circles and arcs; no
  // dimension part), with its foot; a beep and null otherwise.
  DrawEntity* PickEditable(ToolView& view, PixelPoint point, bool lineOnly);
  // Takes the record as the step's first pick: highlighted, step 1 and the prompt.
  void TakeFirst(ToolView& view, DrawEntity* record, std::string_view prompt);

  void Trim(ToolView& view, PixelPoint point);
  void TrimToReference(ToolView& view, PixelPoint point);
  void Cut(ToolView& view, PixelPoint point);
  void Join(ToolView& view, PixelPoint point);
  void CutBetweenLines(ToolView& view, PixelPoint point);
  void CleanUp(ToolView& view, PixelPoint point);
  void Replace(ToolView& view, const std::vector<Replacement>& set);

  void BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) override;
  void DropOwnOperation(ToolView& view) override;
  void ShowOwnFeedbackAgain(ToolView& view, bool wholeClient) override;

  DrawEntity* picked_ = nullptr;  // the first pick, highlighted while the step runs
  ModelPoint pickedAt_;           // its foot (model mm)
  ModelPoint cutStart_;           // カット: the start on the record
  ModelPoint corner_;             // 包括処理: the window's first corner (model mm)
  PixelPoint cornerPixel_;        // and where it was clicked
};

}  // namespace plenwick
