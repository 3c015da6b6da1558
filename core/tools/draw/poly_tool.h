// CPolyTool, the drawing tool (code 5) that creates closed straight-sided figures, each stored as
// one group of its sides: boxes by two corners or by their size from one click, parallelograms by
// a base and a point of the opposite side, and regular polygons by centre, radius and the
// direction of the first vertex (or by the bar's radius from one click).
#pragma once

#include <optional>

#include "tools/draw/feedback_tool.h"
#include "tools/draw/line_segment_entry.h"
#include "tools/draw/poly_geometry.h"

namespace plenwick {

class CPolyTool final : public CFeedbackTool {
 public:
  enum Mode : int {
    kBox = 0,            // ボックス
    kParallelogram = 1,  // 平行四辺形
    kRegularPolygon = 2, // 多角形
  };

  explicit CPolyTool(InteractionState& state);

  void FocusOperationBar(ToolView& view) override;
  void OnLButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  // The click of the current sub-mode, or the typed radius or angle after the numeric input.
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;
  // Abandons the operation, except where the right button brings the numeric input's menu.
  void OnRButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;

 private:
  void Box(ToolView& view, PixelPoint click);
  void Parallelogram(ToolView& view, PixelPoint click);
  void RegularPolygon(ToolView& view, PixelPoint click);

  // The first point, the anchor of the next: shown with its cross mark.
  void TakeFirst(ToolView& view, ModelPoint p, PixelPoint click, std::string_view prompt);
  // The polygon of n vertices about the centre with the first toward `toward` (model mm), at
  // `radius`.
  std::optional<FigureVertices> PolygonToward(ModelPoint toward, double radius, int n) const;
  // Adds the figure and ends the operation.
  void Finish(ToolView& view, ModelPoint reference, const std::optional<FigureVertices>& vertices);

  void BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) override;
  void DropOwnOperation(ToolView& view) override;

  SegmentEntry first_;  // box corner, parallelogram base start, polygon centre
  ModelPoint second_;   // parallelogram: the base end
  double radius_ = 0;   // polygon: from step 2 on
  int vertices_ = kMinPolygonVertices;  // polygon: taken with the radius
};

}  // namespace plenwick
