// The tool framework of the application: the tools, the shared interaction state, the prompt
// box, the operation bar and the choice between the drawing palette and the parts browser, and
// the ways a tool gets chosen (SelectTool) or an operation abandoned (command 107).
#pragma once

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "model/program_settings.h"
#include "view/tool_framework/interaction_state.h"
#include "view/tool_framework/operation_bar_host.h"
#include "view/tool_framework/prompt_box.h"
#include "view/tool_framework/tool_list.h"
#include "view/tool_framework/tool_ui.h"

namespace plenwick {

class ToolView;

class ToolFramework {
 public:
  // An empty tool list (RegisterStandardTools fills it), the selection tool active, the palette
  // in its first-start state.
  explicit ToolFramework(ToolUi& ui, ProgramSettings& settings = CurrentSettings());
  ToolFramework(const ToolFramework&) = delete;
  ToolFramework& operator=(const ToolFramework&) = delete;

  InteractionState& state() { return state_; }
  const InteractionState& state() const { return state_; }
  ToolList& toolList() { return tools_; }
  ToolUi& ui() const { return ui_; }
  ProgramSettings& settings() const { return settings_; }
  const COperateMsgBox& promptBox() const { return prompt_; }
  OperationBarHost& operationBars() { return bars_; }
  // The active tool (FindTool for CurrentToolCode); null when none is registered for it.
  CDrawTool* FindTool() const { return tools_.FindTool(state_.CurrentToolCode); }

  // The view whose window is active (null: none); palette choices cancel on it.
  // Another drawing's view becomes active: a text being typed in the one before is abandoned
  // there (Enter must not commit it into another drawing), and the active tool is told (a copy
  // between drawings waits for it).
  void SetActiveView(ToolView* view);
  ToolView* activeView() const { return activeView_; }
  // A view going away (still whole): every tool takes its feedback and operation off it, and it
  // is forgotten if it was the active one.
  void ForgetView(ToolView* view);

  // Chooses a palette family and mode: cancels the running operation (on `view`, else the active
  // view), brings back the palette in place of the parts browser, makes the family's tool and the
  // mode current with a fresh operation, and shows the family, its operation bar and the first
  // prompt in the palette.
  void SelectTool(int mode, int family);
  void SelectTool(int mode, int family, ToolView* view);
  // Command 107: cancels a running operation, ends the hand move, closes the text tool's box
  // unless the text family is chosen, and clears the temporary selection marks.
  void CloseTextBoxAndCancel(ToolView* view);

  // The prompt box: kind 0 instruction, else emphasis; at most 127 Shift-JIS bytes are kept.
  void ShowPrompt(int kind, std::string_view text);
  // The first prompt of the active tool's mode, as an instruction.
  void ShowFirstPrompt();
  // Operation bar 1..25, or none.
  void ShowOperationBar(int index) { bars_.Show(index); }
  // A tool changed values the current bar shows: the bar reads them again and is shown anew.
  void RefreshOperationBar();

  PaletteWindow paletteWindow() const { return paletteWindow_; }
  // Opens the drawing palette (the first view, or in place of the parts browser) and applies
  // its family with the family's remembered mode.
  void OpenPalette();
  // The palette closes and the parts browser takes its place; the parts placement becomes the
  // active tool.
  void ReplacePaletteWithPartsBrowser();
  // The user closed the palette: the parts browser takes its place when it exists; until then
  // the palette only closes (the active tool stays) and "作図パレット" opens it again.
  void ClosePalette();
  void SetPartsBrowserAvailable(bool available) { partsBrowserAvailable_ = available; }
  // A command of the program-wide tool settings that a tool brings along (its settings dialog):
  // offered by OnFrameCommand and enabled from then on.
  void AddSettingsCommand(int id, std::function<void(ToolFramework&)> run);
  // 32870, 32871 and the settings commands; false for other ids.
  bool OnFrameCommand(int id);
  bool IsFrameCommandChecked(int id) const;
  bool IsFrameCommandEnabled(int id) const;

 private:
  void CancelOperation(ToolView* view, int familyAfter);
  void SwitchPaletteWindow(PaletteWindow shown);

  ToolUi& ui_;
  ProgramSettings& settings_;
  InteractionState state_;
  ToolList tools_;
  COperateMsgBox prompt_;
  OperationBarHost bars_;
  ToolView* activeView_ = nullptr;
  PaletteWindow paletteWindow_ = PaletteWindow::kFirstStart;
  bool partsBrowserAvailable_ = false;
  std::vector<std::pair<int, std::function<void(ToolFramework&)>>> settingsCommands_;
};

}  // namespace plenwick
