// A tool user interface for tests: records prompts, bars, palette changes and messages, and
// answers the context menus and dialogs from a script.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "view/tool_framework/interaction_state.h"
#include "view/tool_framework/numeric_input.h"
#include "view/tool_framework/operation_bar.h"
#include "view/tool_framework/tool_ui.h"

namespace plenwick::testing {

class ScriptedToolUi final : public ToolUi {
 public:
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  void Beep() override { ++beeps; }
  void PromptChanged() override { ++promptRepaints; }
  void OperationBarChanged(OperationBar* bar) override {
    currentBar = bar;
    barChanges.push_back(bar ? bar->index() : 0);
  }
  void FocusOperationBar() override { ++barFocus; }
  void PaletteChanged() override { ++paletteChanges; }
  void PaletteWindowChanged(PaletteWindow shown) override { paletteWindows.push_back(shown); }
  int TrackContextMenu(int menuId, PixelPoint screenPoint) override {
    contextMenus.emplace_back(menuId, screenPoint);
    return contextAnswer;
  }
  // Types the next scripted answer into the dialog and presses "実 行" until it is accepted or
  // the script runs out (then the dialog is cancelled).
  bool RunNumericInput(CInputNumDlg& dialog) override {
    numericKinds.push_back(dialog.kind());
    numericInitialTexts.push_back(dialog.initialText());
    while (!numericAnswers.empty()) {
      const std::string text = numericAnswers.front();
      numericAnswers.pop_front();
      if (dialog.OnExecute(text, *this)) return true;
    }
    return false;
  }
  DialogResult RunLineInput(InteractionState& state) override {
    ++lineInputs;
    if (lineAnswer == DialogResult::kOk) {
      state.EnteredMode = 0;
      state.EnteredValue = lineValues.first;
      state.EnteredValue2 = lineValues.second;
    }
    return lineAnswer;
  }
  std::vector<std::string> FontFamilies() override { return fonts; }

  std::vector<std::string> messages;
  int beeps = 0;
  int promptRepaints = 0;
  OperationBar* currentBar = nullptr;
  std::vector<int> barChanges;  // the index shown by each change, 0 for none
  int barFocus = 0;
  int paletteChanges = 0;
  std::vector<PaletteWindow> paletteWindows;
  std::vector<std::pair<int, PixelPoint>> contextMenus;
  int contextAnswer = 0;  // the command the user picks in every context menu (0: dismissed)
  std::deque<std::string> numericAnswers;
  std::vector<int> numericKinds;
  std::vector<std::string> numericInitialTexts;
  DialogResult lineAnswer = DialogResult::kNotAvailable;
  std::pair<double, double> lineValues;
  int lineInputs = 0;
  std::vector<std::string> fonts;
};

class RecordingToolViewHost final : public ToolViewHost {
 public:
  void SetCapture() override { ++captures; }
  void ReleaseCapture() override { ++releases; }
  void HideTextBox() override { ++textBoxHides; }
  int captures = 0;
  int releases = 0;
  int textBoxHides = 0;
};

}  // namespace plenwick::testing
