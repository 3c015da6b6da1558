// The tool base class: the event slots through which the view drives the active tool, and the
// members every tool keeps between events.
#pragma once

#include <array>
#include <cstdint>

#include "view/canvas.h"
#include "view/tool_framework/interaction_state.h"
#include "view/view_mapping.h"

namespace plenwick {

class ToolView;

// Mouse flags passed with the button and move events.
enum MouseFlags : unsigned {
  kMkLButton = 0x01,
  kMkRButton = 0x02,
  kMkShift = 0x04,
  kMkControl = 0x08,
  kMkMButton = 0x10,
};

// The client point the view passes with the OnLButtonUp that follows a numeric input.
inline constexpr PixelPoint kNumericInputPoint{100, 100};

class CDrawTool {
 public:
  static constexpr int kPointSlots = 40;

  // A tool of `code` working on the application's interaction state. Constructing a tool clears
  // the pending and the text-box-open flags.
  CDrawTool(int code, InteractionState& state);
  virtual ~CDrawTool() = default;
  CDrawTool(const CDrawTool&) = delete;
  CDrawTool& operator=(const CDrawTool&) = delete;

  int code() const { return code_; }
  InteractionState& state() const { return state_; }

  // Slots, in the order of the view's calls. Points are client pixels.
  virtual void OnReturnKey(ToolView& view);        // Enter: nothing
  virtual void FocusOperationBar(ToolView& view);  // the second binding of Enter: nothing
  virtual void OnLButtonDown(ToolView& view, unsigned flags, PixelPoint point);  // nothing
  virtual void OnLButtonDblClk(ToolView& view, unsigned flags, PixelPoint point);  // nothing
  // Releases the mouse capture; a release where the button was pressed returns to tool 0.
  virtual void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point);
  // Remembers the point as the last point.
  virtual void OnMouseMove(ToolView& view, unsigned flags, PixelPoint point);
  virtual void OnRButtonDown(ToolView& view, unsigned flags, PixelPoint point);  // nothing
  virtual void OnToolCancel();                 // CurrentToolCode = 0
  virtual void OnCancel(ToolView& view);       // nothing; tools erase their feedback and reset
  // Another tool or mode is being chosen (or command 107 ran), after OnCancel, or the view is going
  // away: takes what the tool still shows on that view (a magnet marker, or a whole operation's
  // feedback) off it and forgets it. Nothing here.
  virtual void ClearFeedback(ToolView& view);
  // The tool is being left: takes what it still shows off whichever view shows it (which need
  // not be the active one: the magnet marker of a window the user has since left). Nothing here.
  virtual void ClearFeedbackEverywhere();
  // The view repaints part or all of its client (see PaintOverlay), every Draw of these calls
  // landing on the painted part only. Before: the tool takes its feedback on that view off
  // there. After: it puts it back; when the whole client was painted (the mapping may have
  // changed) the feedback is gone and is shown afresh from the operation's model points. Every
  // registered tool is told, whichever is active. Nothing here.
  virtual void BeforeViewPaint(ToolView& view);
  virtual void AfterViewPaint(ToolView& view, bool wholeClient);
  virtual void OnEndSelection(ToolView& view); // "選択終了": nothing
  // The window of another view became the active one (the active tool is told): nothing.
  virtual void OnViewActivated(ToolView& view);
  virtual void OnUndo(ToolView& view);         // undoes the document's last step on the screen
  virtual void OnNumericInput(ToolView& view); // before the numeric dialog opens: nothing
  virtual void OnSelectAll(ToolView& view);    // Ctrl+A: nothing
  // A command of the context menus or of the figure-selection bar meant for this tool; false
  // when the tool has no use for it.
  virtual bool OnToolCommand(ToolView& view, int commandId);

  // Shared feedback. The geometry and selection operations the tools share (NormalizeRect,
  // SelectInRect, ClearMarks, the containment tests, IntersectEntities, NearestSegment...) are the
  // free functions of view/selection.h, view/geometry.h and view/intersections.h.
  // The cross mark at a pixel, with the canvas's pen and mode.
  void DrawCrossMark(Canvas& canvas, int x, int y) const;
  // The rubber rectangle from the press point to `point` in not-xor mode, in the indicator-line
  // colour when highlight is 1, else the highlight colour; the one shown before (RubberDrawn) is
  // erased first. The corner becomes `point` and RubberDrawn 1.
  void DrawRubberRect(ToolView& view, PixelPoint point, int highlight);
  // Draws the distance label of the segment p-q (model mm) by exclusive-or: once to show it,
  // once more with the same points to remove it.
  void ShowDistanceLabel(ToolView& view, ModelPoint p, ModelPoint q) const;

  // View colours, copied by the view before every OnMouseMove.
  ColourRef indicatorColour = 0;
  ColourRef highlightColour = 0;
  ColourRef backgroundColour = 0;
  DrawMode savedDrawMode = DrawMode::kCopy;  // the drawing mode at the button press
  PixelPoint pressPoint;                      // pixels
  PixelPoint rubberCorner;                    // the current rubber corner, pixels
  PixelPoint lastPoint;                       // the last mouse position, pixels
  // The points of the running operation in model mm, indexed by InputStep, and a few spares.
  std::array<double, kPointSlots> pointX{};
  std::array<double, kPointSlots> pointY{};
  std::array<double, 4> spare{};
  // The last snap result.
  bool snapHit = false;
  PixelPoint snapPixel;
  ModelPoint snapModel;
  ModelPoint lastCursor;          // model mm
  int16_t distanceLabelShown = 1;
  int16_t vertexCount = 3;        // the regular polygon's

 private:
  int code_;
  InteractionState& state_;
};

}  // namespace plenwick
