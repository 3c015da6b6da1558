// CCurveTool, the drawing tool (code 3) for smooth curves: the control-point curve the menu calls
// "ベジェ曲線", chains of three-point arcs, and freehand curves traced with the mouse.
#pragma once

#include <optional>
#include <vector>

#include "tools/draw/feedback_tool.h"

namespace plenwick {

class CCurveTool final : public CFeedbackTool {
 public:
  enum Mode : int {
    kSplineMode = 0,     // ベジェ曲線
    kArcChainMode = 1,   // 連続円弧
    kFreeCurveMode = 2,  // 自由曲線
  };

  explicit CCurveTool(InteractionState& state);

  // Starts the trace of a free curve.
  void OnLButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  // A control point, a point of the arc chain, or the end of the trace.
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;
  // The rubber curve or arc; the trace while the button is down.
  void OnMouseMove(ToolView& view, unsigned flags, PixelPoint point) override;
  // Finishes the control-point curve; abandons the arc in progress.
  void OnRButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;

 private:
  void SplineClick(ToolView& view, PixelPoint click);
  // Adds the control-point curve of the points taken (two at least) and ends the operation.
  void FinishSpline(ToolView& view);
  void ArcChainClick(ToolView& view, PixelPoint click);
  void EndTrace(ToolView& view);
  // Draws the trace from its point `from` on, with the pen the curve will have.
  void DrawTrace(ToolView& view, std::size_t from);
  // Takes the trace off the screen (its client area is painted afresh) and forgets it.
  void DiscardTrace(ToolView& view);
  void SetStepCount(std::size_t points);

  void BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) override;
  void DropOwnOperation(ToolView& view) override;
  void ShowOwnFeedbackAgain(ToolView& view, bool wholeClient) override;

  std::vector<ModelPoint> points_;  // control points, or the chain's start and through-point
  std::vector<ModelPoint> trace_;   // the free curve being traced (model mm)
  bool dragging_ = false;
};

}  // namespace plenwick
