// One view as its tools see it: the drawing, the view with its mapping, the window's drawing
// surface and capture, and the application's tool framework.
#pragma once

#include <functional>
#include <string_view>

#include "model/plenwick_doc.h"
#include "model/program_settings.h"
#include "view/pick_view.h"
#include "view/plenwick_view.h"
#include "view/tool_framework/interaction_state.h"
#include "view/tool_framework/tool_ui.h"

namespace plenwick {

class ToolFramework;

class ToolView {
 public:
  ToolView(ToolFramework& tools, CPlenwickDoc& doc, CPlenwickView& view, ViewHost& host, ToolViewHost& window);
  ToolView(const ToolView&) = delete;
  ToolView& operator=(const ToolView&) = delete;

  ToolFramework& tools() const { return tools_; }
  CPlenwickDoc& doc() const { return doc_; }
  CPlenwickView& view() const { return view_; }
  ViewHost& host() const { return host_; }
  ToolViewHost& window() const { return window_; }
  InteractionState& state() const;
  ToolUi& ui() const;
  ProgramSettings& settings() const;
  // What picking and snapping need from this view (its mapping, layers and the drawing's snap
  // points).
  PickView picking() const;

  // Draws now on the client area (exclusive-or feedback, elements drawn at once); during
  // DrawingInPaint, on the canvas being painted.
  void Draw(const std::function<void(Canvas&)>& draw) const;
  // Runs `run` in the middle of a paint of `box` (client pixels) on `canvas`: every Draw lands
  // there, restricted to `box`.
  void DrawingInPaint(Canvas& canvas, const PixelRect& box, const std::function<void()>& run);
  // Writes the prompt box (kind 0 instruction, 1 emphasis).
  void ShowPrompt(int kind, std::string_view text) const;
  // The first prompt of the active tool's mode, as an instruction.
  void ShowFirstPrompt() const;

  void SetCapture();
  void ReleaseCapture();
  bool hasCapture() const { return captured_; }

 private:
  ToolFramework& tools_;
  CPlenwickDoc& doc_;
  CPlenwickView& view_;
  ViewHost& host_;
  ToolViewHost& window_;
  Canvas* painting_ = nullptr;  // the canvas of a paint in progress
  bool captured_ = false;
};

}  // namespace plenwick
