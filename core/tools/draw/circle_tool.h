// CCircleTool, the drawing tool (code 4) that creates circles and arcs in six sub-modes: by
// centre and radius, by diameter, through three points, arcs by centre (or diameter), start and
// end, and arcs through three points.
#pragma once

#include <optional>
#include <string_view>

#include "tools/draw/circle_geometry.h"
#include "tools/draw/feedback_tool.h"
#include "tools/draw/line_segment_entry.h"

namespace plenwick {

class CCircleTool final : public CFeedbackTool {
 public:
  enum Mode : int {
    kRadiusCircle = 0,    // 円（半径指定）
    kDiameterCircle = 1,  // 円（直径指定）
    kThreePointCircle = 2,
    kRadiusArc = 3,       // 円弧（半径）
    kDiameterArc = 4,     // 円弧（直径）
    kThreePointArc = 5,
  };

  explicit CCircleTool(InteractionState& state);

  void FocusOperationBar(ToolView& view) override;
  void OnLButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  // The click of the current sub-mode, or the typed value after the numeric input.
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;
  // Abandons the operation, except where the right button brings the numeric input's menu.
  void OnRButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;

 private:
  // The circle or arc being defined, once its centre and radius are known (model mm).
  struct Circle {
    ModelPoint centre;
    double radius = 0;
  };

  void Click(ToolView& view, PixelPoint click);
  void FixedRadius(ToolView& view, PixelPoint click);
  void CircleByTwoPoints(ToolView& view, PixelPoint click, bool diameter);
  void ThreePoints(ToolView& view, PixelPoint click, bool arc);
  void ArcBySteps(ToolView& view, PixelPoint click);

  // The model point of a click by the point-entry rules (`filter` while the magnet is on).
  ModelPoint ClickPoint(ToolView& view, PixelPoint click, int filter) const;
  // The first point, the anchor of the second: shown with its cross mark.
  void TakeFirst(ToolView& view, ModelPoint p, PixelPoint click, std::string_view prompt);
  // The circle of the first point and a second point (centre and radius, or a diameter).
  std::optional<Circle> CircleOf(ModelPoint second, bool diameter) const;
  // The second point of a typed radius: the anchor + (r, 0), or + (2r, 0) for a diameter.
  std::optional<ModelPoint> TypedSecond(ToolView& view, bool diameter) const;
  // The angle (degrees) of a click's or the cursor's direction from the centre; none on the centre.
  std::optional<double> AngleToward(ModelPoint p) const;

  void AddCircle(ToolView& view, const Circle& c);
  void AddArc(ToolView& view, const Circle& c, double startDeg, double endDeg, int direction);
  void Warn(ToolView& view, std::string_view text) const;

  void BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) override;
  void DropOwnOperation(ToolView& view) override;

  SegmentEntry first_;                // the first point and its click
  ModelPoint second_;                 // three-point modes: the second point
  std::optional<Circle> circle_;      // arcs by steps: from step 2 on
  double startDeg_ = 0;               // arcs by steps: from step 3 on
  ArcSweep sweep_;
};

}  // namespace plenwick
