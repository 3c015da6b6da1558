// CLineTool, the drawing tool (code 2) that creates straight lines in nine sub-modes: lines,
// polylines, infinite lines, perpendiculars, parallels, centre lines, width lines, tangents and
// angle-moved lines.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "tools/draw/line_geometry.h"
#include "view/tool_framework/draw_tool.h"
#include "view/tool_framework/xor_feedback.h"

namespace plenwick {

class LineSession;
class LineSubMode;

// The slots of the line tool's exclusive-or feedback.
enum LineFeedbackSlot : int {
  kLineRubberSlot = 0,  // the rubber band and its distance label
  kLineCrossSlot = 1,   // the cross mark at the start point
  kLineGuideSlot = 2,   // the centre line's dotted guide
  kLineMagnetSlot = 3,  // the magnet's snap marker
};

class CLineTool final : public CDrawTool {
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
  // The magnet marker, and the rubber band while a point is awaited.
  void OnMouseMove(ToolView& view, unsigned flags, PixelPoint point) override;
  // Abandons the parallel, centre-line, width-line and tangent operations.
  void OnRButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  void OnCancel(ToolView& view) override;
  void ClearFeedback(ToolView& view) override;
  void ClearFeedbackEverywhere() override;
  void OnNumericInput(ToolView& view) override;
  // Abandons the running operation first: its points and picks may not survive the undo.
  void OnUndo(ToolView& view) override;
  // A repaint of the view the feedback is on: the figures off the painted part before, and
  // after it the highlights and figures back, rebuilt from the model points under the new
  // mapping when the whole client was painted.
  void BeforeViewPaint(ToolView& view) override;
  void AfterViewPaint(ToolView& view, bool wholeClient) override;

 private:
  friend class LineSession;

  LineSubMode* Mode() const;
  // The view the operation and feedback belong to becomes `view`: whatever runs on another view
  // is ended there first.
  void Attach(ToolView& view);
  // Takes the running operation's feedback off the view and makes every sub-mode forget its
  // points; the shared state is left alone.
  void DropOperation(ToolView& view);
  // Ends the running operation: DropOperation, step 0 and the prompt (the mode's first one when
  // none is given).
  void EndOperation(ToolView& view, std::optional<std::string_view> prompt);
  // The operation's feedback, remembered by its model points: the cross mark at a point, the
  // dotted guide, an element drawn highlighted.
  void ShowCross(ToolView& view, ModelPoint at);
  void ShowGuide(ToolView& view, const LineEnds& guide);
  void Highlight(ToolView& view, DrawEntity& e);
  void DrawHighlights(ToolView& view);
  void ShowPreview(ToolView& view, PixelPoint cursor);
  void ShowMagnet(ToolView& view);
  void ForgetMagnet(ToolView& view);
  void RestoreHighlights(ToolView& view);

  std::array<std::unique_ptr<LineSubMode>, kModeCount> modes_;
  XorFeedback feedback_;
  std::vector<DrawEntity*> highlighted_;
  std::optional<ModelPoint> crossAt_;  // model mm
  // The mouse has asked for the rubber band since the operation's last change of course (a typed
  // value takes it away): a repaint shows it again, also one that was empty before.
  bool previewWanted_ = false;
  std::optional<LineEnds> guide_;      // model mm
  ToolView* view_ = nullptr;  // where the feedback is shown; null: nowhere
};

}  // namespace plenwick
