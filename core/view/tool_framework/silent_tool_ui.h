// A tool user interface with no one behind it, for batch runs of the tools (benchmarks, fuzz
// targets): prompts and bars go nowhere, menus choose nothing and dialogs are cancelled.
#pragma once

#include "view/tool_framework/tool_ui.h"

namespace plenwick {

class SilentToolUi : public ToolUi {
 public:
  void ShowMessage(std::string_view) override {}
  void Beep() override {}
  void PromptChanged() override {}
  void OperationBarChanged(OperationBar*) override {}
  void FocusOperationBar() override {}
  void PaletteChanged() override {}
  void PaletteWindowChanged(PaletteWindow) override {}
  int TrackContextMenu(int, PixelPoint) override { return 0; }
  bool RunNumericInput(CInputNumDlg&) override { return false; }
};

}  // namespace plenwick
