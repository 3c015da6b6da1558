// What the line tool's sub-modes use during one event: the step and the typed values, point
// entry and picking, prompts, feedback (cross mark, guide, highlights) and the records they add.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/plenwick_doc.h"
#include "tools/draw/element_adding.h"
#include "tools/draw/line_geometry.h"
#include "view/pick.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

class CLineTool;

// What became of a line handed to the drawing.
using LineAdded = ElementAdded;

class LineSession {
 public:
  LineSession(CLineTool& tool, ToolView& view) : tool_(tool), view_(view) {}

  ToolView& view() const { return view_; }
  InteractionState& state() const { return view_.state(); }
  const ProgramSettings& settings() const { return view_.settings(); }
  CPlenwickDoc& doc() const { return view_.doc(); }
  const ViewMapping& mapping() const { return view_.view().mapping(); }

  int step() const { return state().InputStep; }
  // A new step of the running operation (1 and more); the point slots stop at the last one.
  void SetStep(int step) const;
  // Whether this click is a typed value (the numeric input's release at (100, 100)).
  bool numeric() const { return state().NumericEntered != 0; }
  double value() const { return state().EnteredValue; }

  // The model point (mm) of a click by the point-entry rules.
  ModelPoint ClickPoint(PixelPoint click, int magnetFilter = kPickAll) const;
  // The model point the cursor stands for while the mouse moves.
  ModelPoint CursorPoint(PixelPoint cursor) const;
  // The snap point the magnet shows, if any.
  std::optional<ModelPoint> MagnetPoint() const;
  // The last mouse position, in pixels and in model mm.
  PixelPoint MousePixel() const;
  ModelPoint MousePoint() const;
  PickHit Pick(int filter, PixelPoint click) const { return PickEntity(view_.picking(), filter, click); }

  void Prompt(std::string_view text, int kind = 0) const { view_.ShowPrompt(kind, text); }
  void Beep() const { view_.ui().Beep(); }

  // Feedback until the operation ends: the cross mark where the rubber band starts, a dotted
  // guide line, and elements drawn highlighted.
  void ShowCross(ModelPoint at) const;
  void ShowGuide(const LineEnds& guide) const;
  void Highlight(DrawEntity& e) const;

  // A line of `kind` with the current line type, pen, colour and layer, drawn at once. With
  // `newStep` it is an undo step of its own (BeginOperation first); otherwise it joins the step
  // the caller opened. `added` receives the element. Ends that are not Storable are dropped
  // before any step is opened, so the recorded step stays undoable.
  LineAdded AddLine(int16_t kind, const LineEnds& ends, DrawEntity** added = nullptr, bool newStep = true) const;
  // Replaces `old` by a copy whose ends are `ends` within the step the caller opened (which then
  // calls MarkReplacement once, for its first replacement): the old element goes to the undo
  // buffer and off the screen, the copy is appended and drawn. Returns the copy; null when the
  // ends are not Storable or the drawing refused them (`old` then stays where it was).
  DrawEntity* ReplaceLine(DrawEntity& old, const LineEnds& ends) const;
  // Whether the four values are ones a drawing file keeps for a line (finite, in the coordinate
  // range); the reader drops any other line.
  static bool Storable(const LineEnds& ends);
  // Whether a segment cannot become a line: its ends coincide, or it is not Storable (a NaN end
  // would pass the distance test).
  static bool Degenerate(const LineEnds& ends) {
    return !Storable(ends) || Distance(ends.a, ends.b) < kCoincidentTolerance;
  }

  // Ends the operation: feedback off, step 0, and the given prompt or the mode's first one.
  void Finish(std::optional<std::string_view> prompt = std::nullopt) const;

 private:
  CLineTool& tool_;
  ToolView& view_;
};

// The two stored ends of a line element (kinds 20..23); false when it has too few values.
bool StoredEnds(const DrawEntity& e, LineEnds* ends);

}  // namespace plenwick
