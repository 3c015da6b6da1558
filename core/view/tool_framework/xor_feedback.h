// A tool's exclusive-or feedback on one view, kept as the very pixels drawn, so that erasing
// draws exactly the same figures again and leaves no trace: rubber bands, marks, guides and the
// distance label, each in a slot of its own, and a bracket for drawing in copy mode underneath.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "view/canvas.h"
#include "view/feedback_shapes.h"
#include "view/tool_framework/distance_label.h"
#include "view/view_mapping.h"

namespace plenwick {

class ToolView;

// One figure: lines and rectangle outlines drawn with one cosmetic pen in not-xor mode, and
// optionally a distance label (drawn by xor).
struct XorFigure {
  std::vector<PixelLine> lines;
  std::vector<PixelRect> rects;
  Pen pen;
  std::optional<DistanceLabelPlan> label;

  bool IsEmpty() const { return lines.empty() && rects.empty() && !label; }
  // Appends the part of the model segment a-b (model mm) that can show in the client; nothing
  // when it lies outside.
  void AddSegment(const ViewMapping& mapping, ModelPoint a, ModelPoint b);
};

// The part of the segment a-b (model mm) that can show in the client area, in client pixels;
// false when none of it does.
bool ClientSegment(const ViewMapping& mapping, ModelPoint a, ModelPoint b, PixelLine* line);

// Draws a figure once (showing it, or erasing it when it is shown); the canvas's drawing state
// is restored afterwards.
void DrawXorFigure(Canvas& canvas, const XorFigure& figure);

class XorFeedback {
 public:
  static constexpr int kSlotCount = 6;

  // Replaces what the slot shows by `figure` (erasing the old one first).
  void Show(ToolView& view, int slot, XorFigure figure);
  void Erase(ToolView& view, int slot);
  void EraseAll(ToolView& view);
  bool IsShown(int slot) const;
  bool IsAnyShown() const;
  // Runs copy-mode drawing (elements drawn, highlighted or erased) with every figure taken off
  // the screen before and put back afterwards, so that the xor pixels stay exact.
  void DrawUnderneath(ToolView& view, const std::function<void(Canvas&)>& draw);
  // Draws every figure once more and keeps remembering it: around a repaint of part of the view,
  // once to take the figures off the pixels about to be painted and once to put them back.
  void DrawAllAgain(ToolView& view);
  // Forgets every figure without drawing it: the pixels under them were painted afresh.
  void Forget();

 private:
  void DrawAll(Canvas& canvas) const;

  std::array<std::optional<XorFigure>, kSlotCount> shown_;
};

}  // namespace plenwick
