// Choosing tools, abandoning operations, the prompt box and the palette's place.
#include "view/tool_framework/tool_framework.h"

#include "view/tool_framework/command_table.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

ToolFramework::ToolFramework(ToolUi& ui, ProgramSettings& settings)
    : ui_(ui),
      settings_(settings),
      bars_(OperationBarContext{settings_, state_, ui_, [this] { return ui_.FontFamilies(); },
                                [this](int id) {
                                  // The figure-selection bar's buttons act through the active view.
                                  CDrawTool* tool = FindTool();
                                  if (tool && activeView_) tool->OnToolCommand(*activeView_, id);
                                }},
            [this](OperationBar* bar) { ui_.OperationBarChanged(bar); }) {}

void ToolFramework::SetActiveView(ToolView* view) {
  if (activeView_ && activeView_ != view && state_.textBoxOpen) {
    if (CDrawTool* tool = FindTool()) tool->ClearFeedback(*activeView_);
  }
  const bool changed = activeView_ != view;
  activeView_ = view;
  if (changed && view) {
    if (CDrawTool* tool = FindTool()) tool->OnViewActivated(*view);
  }
}

void ToolFramework::ForgetView(ToolView* view) {
  if (activeView_ == view) activeView_ = nullptr;
  if (!view) return;
  for (const auto& tool : tools_.tools()) tool->ClearFeedback(*view);
}

void ToolFramework::ShowPrompt(int kind, std::string_view text) {
  prompt_.Set(kind, text);
  ui_.PromptChanged();
}

void ToolFramework::ShowFirstPrompt() {
  ShowPrompt(kPromptInstruction, FirstPrompt(FamilyForToolCode(state_.CurrentToolCode), state_.ToolMode));
}

void ToolFramework::RefreshOperationBar() {
  if (OperationBar* bar = bars_.current()) {
    bar->Refresh();
    ui_.OperationBarChanged(bar);
  }
}

void ToolFramework::CancelOperation(ToolView* view, int familyAfter) {
  if (state_.InputStep != 0 && state_.CurrentToolCode != kSelectToolCode && view) {
    if (CDrawTool* tool = FindTool()) tool->OnCancel(*view);
  }
  if (CDrawTool* tool = FindTool()) {
    if (view) tool->ClearFeedback(*view);
    tool->ClearFeedbackEverywhere();
  }
  if (view && view->view().ViewMode == kViewHandMove) view->view().ViewMode = kViewNormal;
  if (state_.textBoxOpen && familyAfter != kTextFamily) {
    if (view) {
      view->window().HideTextBox();
      view->view().textBoxShown = false;
    }
    state_.textBoxOpen = 0;
  }
  if (state_.pending) {
    if (view) {
      CPlenwickView& v = view->view();
      view->Draw([&](Canvas& canvas) {
        for (DrawEntity& e : view->doc().entities) {
          if (e.mark != kMarkPicked && e.mark != kMarkSelected) continue;
          e.mark = kMarkNone;
          v.DrawElement(canvas, e, 0);
        }
      });
    }
    state_.pending = 0;
  }
}

void ToolFramework::CloseTextBoxAndCancel(ToolView* view) { CancelOperation(view, state_.paletteFamily); }

void ToolFramework::SelectTool(int mode, int family) { SelectTool(mode, family, activeView_); }

void ToolFramework::SelectTool(int mode, int family, ToolView* view) {
  // The text box stays only when the text family is the one being chosen.
  CancelOperation(view, family);
  if (paletteWindow_ == PaletteWindow::kPartsBrowser) SwitchPaletteWindow(PaletteWindow::kPalette);
  state_.paletteFamily = static_cast<int16_t>(family);
  state_.paletteMode = static_cast<int16_t>(mode);
  if (family <= kPartsFamily) {
    state_.CurrentToolCode = ToolCodeForFamily(family);
    state_.ToolMode = mode;
  }
  if (family >= 0 && family < kPaletteFamilyCount) state_.rememberedMode[static_cast<std::size_t>(family)] = mode;
  state_.InputStep = 0;
  state_.RubberDrawn = 0;
  state_.phaseFlag = 0;
  // Before the first view nothing is shown; a closed palette still leaves prompt and bar.
  if (paletteWindow_ != PaletteWindow::kFirstStart) {
    ui_.PaletteChanged();
    bars_.Show(OperationBarFor(family, mode));
    ShowPrompt(kPromptInstruction, FirstPrompt(family, mode));
  }
}

void ToolFramework::SwitchPaletteWindow(PaletteWindow shown) {
  if (paletteWindow_ == shown) return;
  paletteWindow_ = shown;
  ui_.PaletteWindowChanged(shown);
}

void ToolFramework::OpenPalette() {
  SwitchPaletteWindow(PaletteWindow::kPalette);
  const int family = state_.paletteFamily >= 0 && state_.paletteFamily < kPaletteFamilyCount ? state_.paletteFamily : 0;
  SelectTool(state_.rememberedMode[static_cast<std::size_t>(family)], family);
}

void ToolFramework::ReplacePaletteWithPartsBrowser() {
  CancelOperation(activeView_, kPartsFamily);
  SwitchPaletteWindow(PaletteWindow::kPartsBrowser);
  state_.CurrentToolCode = kInportToolCode;
  state_.ToolMode = 0;
  state_.InputStep = 0;
  state_.RubberDrawn = 0;
  state_.phaseFlag = 0;
  // The palette's bar and prompt belong to a tool that is no longer active.
  bars_.Show(kNoOperationBar);
  ShowPrompt(kPromptInstruction, FirstPrompt(kPartsFamily, 0));
}

void ToolFramework::ClosePalette() {
  if (partsBrowserAvailable_) {
    ReplacePaletteWithPartsBrowser();
  } else {
    SwitchPaletteWindow(PaletteWindow::kClosed);
  }
}

void ToolFramework::AddSettingsCommand(int id, std::function<void(ToolFramework&)> run) {
  settingsCommands_.emplace_back(id, std::move(run));
}

bool ToolFramework::OnFrameCommand(int id) {
  for (const auto& [command, run] : settingsCommands_) {
    if (command == id) {
      run(*this);
      return true;
    }
  }
  switch (id) {
    case kCmdDrawingPalette:
      if (paletteWindow_ == PaletteWindow::kPartsBrowser) {
        OpenPalette();
      } else if (paletteWindow_ == PaletteWindow::kClosed) {
        SwitchPaletteWindow(PaletteWindow::kPalette);
        ui_.PaletteChanged();
      }
      return true;
    case kCmdPartsData:
      if (partsBrowserAvailable_ && paletteWindow_ == PaletteWindow::kPalette) ReplacePaletteWithPartsBrowser();
      return true;
    default: return false;
  }
}

bool ToolFramework::IsFrameCommandEnabled(int id) const {
  switch (id) {
    case kCmdDrawingPalette: return paletteWindow_ != PaletteWindow::kFirstStart;
    case kCmdPartsData: return partsBrowserAvailable_ && paletteWindow_ != PaletteWindow::kFirstStart;
    default:
      for (const auto& entry : settingsCommands_) {
        if (entry.first == id) return true;
      }
      return false;
  }
}

bool ToolFramework::IsFrameCommandChecked(int id) const {
  switch (id) {
    case kCmdDrawingPalette: return paletteWindow_ == PaletteWindow::kPalette;
    case kCmdPartsData: return paletteWindow_ == PaletteWindow::kPartsBrowser;
    default: return false;
  }
}

}  // namespace plenwick
