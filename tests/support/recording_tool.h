// A tool for tests that writes down every slot the view calls, with its arguments, and can be
// told to hold an operation half done.
#pragma once

#include <string>
#include <vector>

#include "view/tool_framework/draw_tool.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick::testing {

class RecordingTool final : public CDrawTool {
 public:
  using CDrawTool::CDrawTool;

  void OnReturnKey(ToolView&) override { Log("ReturnKey"); }
  void FocusOperationBar(ToolView&) override { Log("FocusOperationBar"); }
  void OnLButtonDown(ToolView&, unsigned flags, PixelPoint p) override { Log("LDown", flags, p); }
  void OnLButtonDblClk(ToolView&, unsigned flags, PixelPoint p) override { Log("LDblClk", flags, p); }
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint p) override {
    Log("LUp", flags, p);
    if (state().NumericEntered) calls.back() += " value=" + std::to_string(state().EnteredValue);
    if (releaseCapture) view.ReleaseCapture();
  }
  void OnMouseMove(ToolView&, unsigned flags, PixelPoint p) override { Log("Move", flags, p); }
  void OnRButtonDown(ToolView&, unsigned flags, PixelPoint p) override { Log("RDown", flags, p); }
  void OnCancel(ToolView&) override {
    Log("Cancel");
    state().InputStep = 0;
  }
  void OnEndSelection(ToolView&) override { Log("EndSelection"); }
  void OnUndo(ToolView& view) override {
    Log("Undo");
    CDrawTool::OnUndo(view);
  }
  void OnNumericInput(ToolView&) override {
    Log("NumericInput");
    // What a tool may do while erasing its feedback; the view restores the step afterwards.
    state().InputStep = 0;
  }
  void OnSelectAll(ToolView&) override { Log("SelectAll"); }
  bool OnToolCommand(ToolView&, int id) override {
    Log("Command " + std::to_string(id));
    return true;
  }

  std::vector<std::string> calls;
  bool releaseCapture = false;

 private:
  void Log(const std::string& what) { calls.push_back(what); }
  void Log(const std::string& what, unsigned flags, PixelPoint p) {
    calls.push_back(what + " " + std::to_string(flags) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
  }
};

}  // namespace plenwick::testing
