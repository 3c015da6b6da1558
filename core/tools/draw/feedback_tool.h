// CFeedbackTool, the base of the drawing tools that take points by the point-entry rules and show
// exclusive-or feedback on one view: the magnet's marker, a cross mark at the operation's anchor
// and a rubber figure for the cursor, kept exact through repaints of the view and taken off when
// the operation ends, the tool is left or the view goes.
#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/draw/line_geometry.h"
#include "view/tool_framework/draw_tool.h"
#include "view/tool_framework/xor_feedback.h"

namespace plenwick {

// What a rubber figure shows for the cursor, in model mm: segments, and the segment whose length
// the distance display shows.
struct RubberShape {
  std::vector<LineEnds> segments;
  std::optional<LineEnds> measured;
  // Polylines (model mm): the rubber circles, arcs and curves.
  std::vector<std::vector<ModelPoint>> polylines;
};

class CFeedbackTool : public CDrawTool {
 public:
  using CDrawTool::CDrawTool;

  // The magnet marker, and the rubber figure while a point is awaited.
  void OnMouseMove(ToolView& view, unsigned flags, PixelPoint point) override;
  void OnCancel(ToolView& view) override;
  void ClearFeedback(ToolView& view) override;
  void ClearFeedbackEverywhere() override;
  // The rubber figure goes before the dialog opens.
  void OnNumericInput(ToolView& view) override;
  // Abandons the running operation first: its points and picks may not survive the undo.
  void OnUndo(ToolView& view) override;
  // A repaint of the view the feedback is on: the figures off the painted part before, and after
  // it back, rebuilt from the model points under the new mapping when the whole client was
  // painted.
  void BeforeViewPaint(ToolView& view) override;
  void AfterViewPaint(ToolView& view, bool wholeClient) override;

  // Draws in copy mode (new elements, highlights) with the figures off the screen meanwhile.
  void DrawUnderneath(ToolView& view, const std::function<void(Canvas&)>& draw);
  // The cross mark at the operation's anchor (model mm), until the operation ends.
  void ShowCross(ToolView& view, ModelPoint at);
  // The dotted window from `anchor` (model mm) to the cursor, in the tool's own slot.
  void ShowWindowFrom(ToolView& view, ModelPoint anchor, PixelPoint cursor);
  // Ends the running operation: its feedback off, step 0, and the given prompt or the mode's
  // first one.
  void EndOperation(ToolView& view, std::optional<std::string_view> prompt);
  // A click that ends a step: the rubber figure of the step goes, `click` acts, and the rubber
  // figure of the step that follows (if any) is shown for the click or, after a typed value, for
  // the cursor.
  void StepClick(ToolView& view, PixelPoint point, const std::function<void()>& click);
  // The right button abandons the running operation, except where it brings the numeric input's
  // menu (whose キャンセル ends it).
  void EndOnRightButton(ToolView& view);
  // Draws an element the operation picked in the highlight colour until the operation ends (or
  // RestoreHighlights).
  void Highlight(ToolView& view, DrawEntity& e);
  // Gives an element the operation picked a mark (and its look) until the operation ends (or
  // RestoreHighlights), which gives it back the mark it had.
  void Mark(ToolView& view, DrawEntity& e, int16_t mark);

 protected:
  // Slots of the figures; a tool may use the ones from kOwnSlot on for its own.
  enum Slot : int { kRubberSlot = 0, kCrossSlot = 1, kOwnSlot = 2, kMagnetSlot = 3 };

  // The view the operation and feedback belong to becomes `view`: whatever runs on another view
  // is ended there first.
  void Attach(ToolView& view);
  // Takes the running operation's feedback off the view and lets the tool forget its points; the
  // shared state is left alone.
  void DropOperation(ToolView& view);
  // Shows the rubber figure the tool gives for the cursor (client pixels).
  void ShowPreview(ToolView& view, PixelPoint cursor);
  // Takes the rubber figure off (the step it belongs to is ending).
  void EraseRubber(ToolView& view);
  void ShowMagnet(ToolView& view);
  void ForgetMagnet(ToolView& view);
  XorFeedback& feedback() { return feedback_; }
  ToolView* attachedView() const { return view_; }
  // The highlighted elements drawn highlighted again (after a repaint), or as they are.
  void DrawHighlights(ToolView& view);
  void RestoreHighlights(ToolView& view);
  // The rubber figure wanted again after a whole repaint (a typed value took it away).
  void ForgetPreviewWanted() { previewWanted_ = false; }

  // The rubber figure for the cursor while a step waits for a point (nothing by default).
  virtual void BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape);
  // The tool's own feedback and operation: taken off and forgotten (DropOperation), and shown
  // again after a repaint (whole: the figures went with the old picture).
  virtual void DropOwnOperation(ToolView& view) = 0;
  virtual void ShowOwnFeedbackAgain(ToolView& view, bool wholeClient) { (void)view, (void)wholeClient; }
  // Shared state of the tool's own that an ended operation resets.
  virtual void ResetOwnState() {}

 private:
  XorFeedback feedback_;
  std::vector<DrawEntity*> highlighted_;
  std::vector<std::pair<DrawEntity*, int16_t>> marked_;  // with the mark each had before
  std::optional<ModelPoint> crossAt_;  // model mm
  // The mouse has asked for the rubber figure since the operation's last change of course (a
  // typed value takes it away): a repaint shows it again, also one that was empty before.
  bool previewWanted_ = false;
  ToolView* view_ = nullptr;  // where the feedback is shown; null: nowhere
};

}  // namespace plenwick
