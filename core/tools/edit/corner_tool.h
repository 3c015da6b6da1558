// CCornerTool, the editing tool (code 10) that makes a corner of two lines of the current layer:
// both brought to their intersection, the corner cut off by a chamfer line or rounded by a
// tangent arc, each line trimmed or left as the corner bar says. Every corner is one undo step.
#pragma once

#include "tools/draw/feedback_tool.h"
#include "view/geometry.h"

namespace plenwick {

class CCornerTool final : public CFeedbackTool {
 public:
  explicit CCornerTool(InteractionState& state);

  void FocusOperationBar(ToolView& view) override;
  // Picks the first line, or the second and makes the corner.
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;
  // Lets go of the first line.
  void OnRButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;

 private:
  // The corner of the two picked lines (model mm: the points of the picks on them), as one undo
  // step; nothing when it is degenerate or the drawing is protected.
  void MakeCornerOf(ToolView& view, DrawEntity& first, ModelPoint firstPicked, DrawEntity& second,
                    ModelPoint secondPicked);
  void DrawFirst(ToolView& view, bool highlighted);

  void DropOwnOperation(ToolView& view) override;
  void ShowOwnFeedbackAgain(ToolView& view, bool wholeClient) override;

  DrawEntity* first_ = nullptr;  // the first line while step 1 lasts (drawn highlighted)
  ModelPoint firstPicked_;       // the point of its pick on it, model mm
};

}  // namespace plenwick
