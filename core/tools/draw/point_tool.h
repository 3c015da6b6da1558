// CPointTool, the drawing tool (code 1) that creates point elements in five sub-modes: at a
// click, at an offset from an existing point, at the intersections of two elements, at a distance
// along a line, circle or arc from a point on it, and at the characteristic points of an element.
#pragma once

#include <span>

#include "tools/draw/feedback_tool.h"

namespace plenwick {

class CPointTool final : public CFeedbackTool {
 public:
  enum Mode : int {
    kFreePoint = 0,     // 任意点
    kOffsetPoint = 1,   // 座標入力
    kIntersection = 2,  // 交点
    kMovedPoint = 3,    // 移動点
    kConstituent = 4,   // 構成点
  };

  explicit CPointTool(InteractionState& state);

  void FocusOperationBar(ToolView& view) override;
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;
  // Drops the first element picked for an intersection.
  void OnRButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;

 private:
  void OffsetPoint(ToolView& view, PixelPoint click);
  void Intersection(ToolView& view, PixelPoint click);
  void MovedPoint(ToolView& view, PixelPoint click);
  void Constituent(ToolView& view, PixelPoint click);

  // Adds a point for each of `at` in one undo step that takes them all back; the points no
  // drawing file keeps are left out first. On a protected drawing the user is told once.
  void AddPoints(ToolView& view, std::span<const ModelPoint> at);
  // The moved point's distance asked for and its point added, once a point and an element on
  // which it lies are picked.
  void MovePoint(ToolView& view);
  void DropOwnOperation(ToolView& view) override;
  void ShowOwnFeedbackAgain(ToolView& view, bool wholeClient) override;

  DrawEntity* first_ = nullptr;   // 交点: the first element; 移動点: the point or the element
  DrawEntity* point_ = nullptr;   // 移動点: the point
  DrawEntity* along_ = nullptr;   // 移動点: the line, circle or arc
  ModelPoint clickedOn_;          // 移動点: where the element was clicked
};

}  // namespace plenwick
