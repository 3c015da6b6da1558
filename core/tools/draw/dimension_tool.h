// CDimensionTool, the drawing tool (code 7) that measures geometry and stores the result as one
// dimension element: distances, horizontal and vertical chains, perimeters, radii, diameters,
// angles and areas. The dimension's visible parts are generated from the record when it is added.
#pragma once

#include <optional>
#include <vector>

#include "tools/draw/dimension_boundary.h"
#include "tools/draw/new_dimension.h"
#include "tools/draw/feedback_tool.h"

namespace plenwick {

class CDimensionTool final : public CFeedbackTool {
 public:
  enum Mode : int {
    kDistanceMode = 0,    // 距離寸法
    kHorizontalMode = 1,  // 水平寸法
    kVerticalMode = 2,    // 垂直寸法
    kPerimeterMode = 3,   // 円周
    kRadiusMode = 4,      // 半径
    kDiameterMode = 5,    // 直径
    kAngleMode = 6,       // 角度寸法
    kAreaMode = 7,        // 面積
  };

  explicit CDimensionTool(InteractionState& state);

  void OnLButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  // The click of the current sub-mode.
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;
  // Ends a chain's points (two or more) and asks for its line; otherwise abandons the operation.
  void OnRButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;

 private:
  void DistanceClick(ToolView& view, PixelPoint click);
  void ChainClick(ToolView& view, PixelPoint click);
  void RadiusClick(ToolView& view, PixelPoint click);
  void DiameterClick(ToolView& view, PixelPoint click);
  void AngleClick(ToolView& view, PixelPoint click);
  void BoundaryClick(ToolView& view, PixelPoint click);

  // The circle or arc under the click into circle_; a beep when there is none.
  bool PickCircle(ToolView& view, PixelPoint click);
  // The line of the dimension line through `position` for the two measured points.
  void AddLinear(ToolView& view, int16_t kind, double value, ModelPoint position);
  // Adds the record as one undo step and ends the operation.
  void Add(ToolView& view, const NewDimension& record);
  DimensionStyle Style(ToolView& view) const;
  // Characters of the value text a dimension of this style shows for `value`.
  static std::size_t ValueTextCharacters(const DimensionStyle& style, double value);
  void Refuse(ToolView& view) const;
  // The perimeter of the closed boundary (model mm).
  double BoundaryLength() const;
  bool horizontal() const { return state().ToolMode == kHorizontalMode; }

  void BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) override;
  void DropOwnOperation(ToolView& view) override;

  std::vector<ModelPoint> points_;  // measured points: P1 and P2, a diameter's ends, a chain's points
  bool placingChain_ = false;       // a chain's points are complete: its line position is awaited
  std::optional<CircleShape> circle_;  // radius and diameter
  // Angle: the first line and the point it was picked at, then the vertex and the two rays.
  const DrawEntity* firstLine_ = nullptr;  // valid while the operation runs (an undo ends it)
  ModelPoint firstLinePoint_;
  ModelPoint vertex_;
  double ray1Deg_ = 0;
  double ray2Deg_ = 0;
  int16_t angleKind_ = kDimAngleLines;
  // Perimeter and area.
  BoundaryChain boundary_;
  ModelPoint boundaryPicked_;  // where the first boundary element was picked
};

}  // namespace plenwick
