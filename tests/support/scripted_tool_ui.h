// A tool user interface for tests: records prompts, bars, palette changes and messages, and
// answers the context menus and dialogs from a script.
#pragma once

#include <deque>
#include <map>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/draw/develop_dlg.h"
#include "tools/draw/tolerance_dlg.h"
#include "tools/edit/attribute_dialog.h"
#include "tools/edit/delete_group_dlg.h"
#include "tools/edit/enty_list_dlg.h"
#include "tools/edit/idou_zahyo_dlg.h"
#include "tools/settings/initial_set_dlg.h"
#include "view/tool_framework/interaction_state.h"
#include "view/tool_framework/line_input.h"
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
  // With lineAnswer kOk: chooses lineMode (when set) and types the scripted pairs into the
  // two edits until one is accepted; the dialog is cancelled when the script runs out.
  DialogResult RunLineInput(CLineInputDlg& dialog) override {
    ++lineInputs;
    lineInitialTexts.emplace_back(dialog.initialText(0), dialog.initialText(1));
    lineStartModes.push_back(dialog.mode());
    if (lineAnswer != DialogResult::kOk) return lineAnswer;
    if (lineMode) dialog.SetMode(*lineMode);
    while (!lineTexts.empty()) {
      const auto [first, second] = lineTexts.front();
      lineTexts.pop_front();
      if (dialog.OnExecute(first, second, *this)) return DialogResult::kOk;
      lineFocus.push_back(dialog.focusField());
    }
    return DialogResult::kCancel;
  }
  // Lets deleteGroupScript set the dialog's controls, then answers deleteGroupAnswer.
  bool RunDeleteGroup(CDeleteGroupDlg& dialog) override {
    ++deleteGroupRuns;
    if (deleteGroupScript) deleteGroupScript(dialog);
    return deleteGroupAnswer;
  }
  // Lets toleranceScript work the tolerance dialog and answer; cancelled without one.
  bool RunToleranceSettings(CSunpouKousaDlg& dialog) override {
    return toleranceScript ? toleranceScript(dialog) : false;
  }
  // Lets initialSettingsScript work the settings dialog and answer; cancelled without one.
  bool RunInitialSettings(CInitialSetDlg& dialog) override {
    return initialSettingsScript ? initialSettingsScript(dialog) : false;
  }
  // Types the scripted X and Y texts into the displacement dialog until a pair is accepted; the
  // dialog is cancelled when the script runs out.
  bool RunIdouZahyo(IdouZahyoDlg& dialog) override {
    ++idouRuns;
    while (!idouTexts.empty()) {
      const auto [x, y] = idouTexts.front();
      idouTexts.pop_front();
      if (dialog.OnExecute(x, y, *this)) return true;
      idouFocus.push_back(dialog.focusField());
    }
    return false;
  }
  // Types each scripted set of seven texts into the development dialog until one is accepted;
  // the dialog is cancelled when the script runs out.
  bool RunDevelop(CDevelopDlg& dialog) override {
    developInitialTexts.emplace_back();
    for (int field = 0; field < CDevelopDlg::kFieldCount; ++field) {
      developInitialTexts.back().push_back(dialog.initialText(field));
    }
    while (!developTexts.empty()) {
      const std::vector<std::string> texts = developTexts.front();
      developTexts.pop_front();
      if (dialog.OnExecute(texts, *this)) return true;
      developFocus.push_back(dialog.focusField());
    }
    return false;
  }
  // The profile: "section/key" -> text.
  std::string ProfileText(std::string_view section, std::string_view key) override {
    const auto it = profile.find(std::string(section) + "/" + std::string(key));
    return it == profile.end() ? std::string() : it->second;
  }
  void WriteProfileText(std::string_view section, std::string_view key, std::string_view text) override {
    profile[std::string(section) + "/" + std::string(key)] = text;
  }
  // Lets attributeScript work the attribute dialog and answer; cancelled without one.
  bool RunAttributeDialog(AttributeDialogModel& dialog) override {
    attributeCaptions.emplace_back(dialog.caption());
    return attributeScript ? attributeScript(dialog) : false;
  }
  // Lets entityListScript work the entity list and answer; cancelled without one.
  bool RunEntityList(CEntyListDlg& dialog) override {
    ++entityListRuns;
    return entityListScript ? entityListScript(dialog) : false;
  }
  std::vector<std::string> FontFamilies() override { return fonts; }
  // The picture dialog answers imageAnswer (empty: cancelled); the check answers imageLoads.
  std::string AskImageFile() override {
    ++imageAsks;
    return imageAnswer;
  }
  bool ImageLoads(const std::string& path) override {
    imageChecks.push_back(path);
    return imageLoads;
  }
  void RememberImageFile(const std::string& path) override { rememberedImages.push_back(path); }
  // The registration of a part answers partFormat and partPath (empty: cancelled).
  std::string AskPartFileToRegister(int& format) override {
    format = partFormat;
    return partPath;
  }
  void PartRegistered(const std::string& path) override { registeredParts.push_back(path); }
  int partFormat = 0;
  std::string partPath;
  std::vector<std::string> registeredParts;
  // Every picture reads as imageFacts.
  std::optional<ImageFacts> ReadImageFacts(const std::string&) override { return imageFacts; }

  std::vector<std::string> messages;
  std::function<bool(CSunpouKousaDlg&)> toleranceScript;
  std::function<bool(CInitialSetDlg&)> initialSettingsScript;
  std::function<bool(AttributeDialogModel&)> attributeScript;
  std::optional<ImageFacts> imageFacts;
  std::vector<std::string> attributeCaptions;  // of every attribute dialog opened
  std::function<bool(CEntyListDlg&)> entityListScript;
  int entityListRuns = 0;
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
  std::optional<int> lineMode;
  std::deque<std::pair<std::string, std::string>> lineTexts;
  std::vector<std::pair<std::string, std::string>> lineInitialTexts;
  std::vector<int> lineStartModes;
  std::vector<int> lineFocus;  // the edit each refused answer put the focus back into
  int lineInputs = 0;
  std::vector<std::string> fonts;
  std::string imageAnswer;
  bool imageLoads = true;
  int imageAsks = 0;
  std::vector<std::string> imageChecks;
  std::vector<std::string> rememberedImages;
  std::function<void(CDeleteGroupDlg&)> deleteGroupScript;
  bool deleteGroupAnswer = false;  // "実　行" when true, else "ｷｬﾝｾﾙ"
  int deleteGroupRuns = 0;
  std::deque<std::pair<std::string, std::string>> idouTexts;
  std::vector<int> idouFocus;  // the edit each refused pair put the focus back into
  int idouRuns = 0;
  std::deque<std::vector<std::string>> developTexts;
  std::vector<std::vector<std::string>> developInitialTexts;  // what each development dialog showed
  std::vector<int> developFocus;  // the field each refused set put the focus back into
  std::map<std::string, std::string> profile;
};

class RecordingToolViewHost final : public ToolViewHost {
 public:
  void SetCapture() override { ++captures; }
  void ReleaseCapture() override { ++releases; }
  void ShowTextBox(ModelPoint at) override {
    textBoxAt = at;
    textBoxShown = true;
  }
  std::string TextBoxText() override { return textBoxText; }
  void HideTextBox() override {
    ++textBoxHides;
    textBoxShown = false;
  }
  int captures = 0;
  int releases = 0;
  int textBoxHides = 0;
  bool textBoxShown = false;
  ModelPoint textBoxAt;
  std::string textBoxText;  // what the box holds (UTF-8), as typed by the test
};

}  // namespace plenwick::testing
