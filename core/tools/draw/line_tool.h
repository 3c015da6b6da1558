// CLineTool, the drawing tool (code 2) that creates straight lines in nine sub-modes: lines,
// polylines, infinite lines, perpendiculars, parallels, centre lines, width lines, tangents and
// angle-moved lines.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "tools/draw/feedback_tool.h"
#include "tools/draw/line_geometry.h"

namespace plenwick {

class LineSession;
class LineSubMode;

class CLineTool final : public CFeedbackTool {
 public:
  static constexpr int kModeCount = 9;

  explicit CLineTool(InteractionState& state);
  ~CLineTool() override;

  void FocusOperationBar(ToolView& view) override;
  void OnLButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  // Ends the running operation (a polyline or width line ends here).
  void OnLButtonDblClk(ToolView& view, unsigned flags, PixelPoint point) override;
  // The click of the current sub-mode, or the typed value after the numeric input.
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;
  // Abandons the parallel, centre-line, width-line and tangent operations.
  void OnRButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;

 private:
  friend class LineSession;

  LineSubMode* Mode() const;
  // The operation's own feedback, remembered by its model points: the dotted guide.
  void ShowGuide(ToolView& view, const LineEnds& guide);

  void BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) override;
  void DropOwnOperation(ToolView& view) override;
  void ShowOwnFeedbackAgain(ToolView& view, bool wholeClient) override;
  void ResetOwnState() override;

  std::array<std::unique_ptr<LineSubMode>, kModeCount> modes_;
  std::optional<LineEnds> guide_;  // model mm
};

}  // namespace plenwick
