// The tool framework's user interface in Qt: messages, the prompt box, the operation bar, the
// palette's windows, the context menus of the tools, the numeric input dialog, the
// window-deletion dialog, the attribute dialogs, the dimension tolerance dialog, the development
// dialog, the picture file dialog and the profile "Plenwick.ini".
#pragma once

#include <QWidget>
#include <functional>

#include "view/tool_framework/tool_ui.h"

namespace plenwick {

class QtToolUi final : public ToolUi {
 public:
  // What the main frame does for the framework.
  struct Windows {
    std::function<void()> promptChanged;
    std::function<void(OperationBar*)> operationBarChanged;
    std::function<void()> focusOperationBar;
    std::function<void()> paletteChanged;
    std::function<void(PaletteWindow)> paletteWindowChanged;
  };

  // Messages and beeps go to `messages`; dialogs and menus are owned by `owner`.
  QtToolUi(UserInterface& messages, QWidget* owner) : messages_(messages), owner_(owner) {}
  void SetWindows(Windows windows) { windows_ = std::move(windows); }
  // After this nothing reaches the windows any more (the frame is going).
  void Detach() { windows_ = {}; }

  void ShowMessage(std::string_view text) override { messages_.ShowMessage(text); }
  void Beep() override { messages_.Beep(); }
  void PromptChanged() override;
  void OperationBarChanged(OperationBar* bar) override;
  void FocusOperationBar() override;
  void PaletteChanged() override;
  void PaletteWindowChanged(PaletteWindow shown) override;
  int TrackContextMenu(int menuId, PixelPoint screenPoint) override;
  bool RunNumericInput(CInputNumDlg& dialog) override;
  DialogResult RunLineInput(CLineInputDlg& dialog) override;
  bool RunDeleteGroup(CDeleteGroupDlg& dialog) override;
  bool RunIdouZahyo(IdouZahyoDlg& dialog) override;
  bool RunAttributeDialog(AttributeDialogModel& dialog) override;
  bool RunToleranceSettings(CSunpouKousaDlg& dialog) override;
  bool RunInitialSettings(CInitialSetDlg& dialog) override;
  bool RunDevelop(CDevelopDlg& dialog) override;
  bool RunEntityList(CEntyListDlg& dialog) override;
  std::string ProfileText(std::string_view section, std::string_view key) override;
  void WriteProfileText(std::string_view section, std::string_view key, std::string_view text) override;
  std::vector<std::string> FontFamilies() override;
  std::string AskImageFile() override;
  bool ImageLoads(const std::string& path) override;
  void RememberImageFile(const std::string& path) override;
  std::string AskPartFileToRegister(int& format) override;
  void PartRegistered(const std::string& path) override {
    if (partRegistered_) partRegistered_(path);
  }
  // What an open parts browser does when a part was registered.
  void SetPartRegistered(std::function<void(const std::string&)> registered) { partRegistered_ = std::move(registered); }
  std::optional<ImageFacts> ReadImageFacts(const std::string& path) override;

  // Where "Plenwick.ini" lies, the profile that remembers the picture placed last and the
  // development dialog's texts.
  void SetProgramFolder(const QString& folder) { programFolder_ = folder; }

 private:
  UserInterface& messages_;
  QWidget* owner_;
  Windows windows_;
  std::function<void(const std::string&)> partRegistered_;
  QString programFolder_;
};

}  // namespace plenwick
