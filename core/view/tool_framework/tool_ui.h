// What the window system does for the tool framework: the application-wide part (prompt box,
// operation bar, palette, context menus, modal dialogs, messages) and the part of one view's
// window (mouse capture, the text tool's inline edit box). The Qt shell implements both; tests
// script them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/user_interface.h"
#include "view/canvas.h"
#include "view/view_mapping.h"

namespace plenwick {

class AttributeDialogModel;
class CDeleteGroupDlg;
class CDevelopDlg;
class CEntyListDlg;
class CInitialSetDlg;
class IdouZahyoDlg;
class CInputNumDlg;
class CLineInputDlg;
class CSunpouKousaDlg;
class OperationBar;

// Which of the drawing palette and the parts browser is open. The palette starts in a
// first-start state until the first view opens it.
// Which of the two windows shares the palette's place (none before the first view, or after the
// user closed the palette while there is no parts browser to take its place).
enum class PaletteWindow : uint8_t { kFirstStart, kPalette, kPartsBrowser, kClosed };

class ToolUi : public UserInterface {
 public:
  // The prompt box's text or kind changed: repaint it now.
  virtual void PromptChanged() = 0;
  // The operation bar was replaced: show `bar` (null: none). A bar stays valid until the next
  // call; the shell must not keep the previous one. The same bar again means its values changed.
  virtual void OperationBarChanged(OperationBar* bar) = 0;
  // Puts the keyboard focus into the current operation bar.
  virtual void FocusOperationBar() = 0;
  // The drawing palette has to show another family, its modes or another selected mode.
  virtual void PaletteChanged() = 0;
  // The drawing palette and the parts browser changed places.
  virtual void PaletteWindowChanged(PaletteWindow shown) = 0;
  // Shows the popup menu `menuId` at a screen point, owned by the main frame. Returns the
  // command chosen, 0 when the menu was dismissed.
  virtual int TrackContextMenu(int menuId, PixelPoint screenPoint) = 0;
  // Runs the numeric input dialog modally: true after OK (dialog.value() holds the result).
  virtual bool RunNumericInput(CInputNumDlg& dialog) = 0;

  enum class DialogResult : uint8_t { kOk, kCancel, kNotAvailable };
  // Runs the line tool's two-value input dialog modally: kOk after OK (the dialog's mode and
  // values hold the result). A shell without such a dialog answers kNotAvailable and the
  // single-value one is used.
  virtual DialogResult RunLineInput(CLineInputDlg& dialog) {
    (void)dialog;
    return DialogResult::kNotAvailable;
  }
  // Runs the window-deletion dialog modally: true after "実　行" (dialog.choice() holds the
  // choices). A shell without it cancels.
  virtual bool RunDeleteGroup(CDeleteGroupDlg& dialog) {
    (void)dialog;
    return false;
  }
  // Runs the moving tool's displacement dialog modally: true after "実　行" (dialog.dx() and
  // dialog.dy() hold the values). A shell without it cancels.
  virtual bool RunIdouZahyo(IdouZahyoDlg& dialog) {
    (void)dialog;
    return false;
  }
  // Runs the dimension tolerance dialog modally: true after "設　定" (the dialog holds the checked
  // values). A shell without it cancels.
  virtual bool RunToleranceSettings(CSunpouKousaDlg& dialog) {
    (void)dialog;
    return false;
  }
  // Runs the initial-value settings dialog modally: true after "設定保存" (dialog.copy() holds
  // the edited block). A shell without it cancels.
  virtual bool RunInitialSettings(CInitialSetDlg& dialog) {
    (void)dialog;
    return false;
  }
  // Runs the development drawing dialog modally: true after "実　行" (dialog.input() holds the
  // values). A shell without it cancels.
  virtual bool RunDevelop(CDevelopDlg& dialog) {
    (void)dialog;
    return false;
  }
  // The application profile ("Plenwick.ini" in the program folder): the text kept under `key`
  // in `section` (UTF-8), empty when there is none; and keeping one. A shell without a profile
  // keeps nothing.
  virtual std::string ProfileText(std::string_view section, std::string_view key) {
    (void)section, (void)key;
    return {};
  }
  virtual void WriteProfileText(std::string_view section, std::string_view key, std::string_view text) {
    (void)section, (void)key, (void)text;
  }
  // Runs an element's attribute dialog modally: true after "実　行" (dialog.geometry() and
  // dialog.look() hold the new element). A shell without it cancels.
  virtual bool RunAttributeDialog(AttributeDialogModel& dialog) {
    (void)dialog;
    return false;
  }
  // Runs the entity list modally: true after "データ反映" (dialog.items() hold the list to apply).
  // A shell without it cancels.
  virtual bool RunEntityList(CEntyListDlg& dialog) {
    (void)dialog;
    return false;
  }
  // Face names of the display's font families (at most 512, in enumeration order), UTF-8.
  virtual std::vector<std::string> FontFamilies() { return {}; }

  // The picture file dialog "画像ファイル指定", opened in the folder of the picture placed last:
  // the absolute path of the file chosen (UTF-8), empty when cancelled. A shell without it cancels.
  virtual std::string AskImageFile() { return {}; }
  // Whether the picture at `path` (UTF-8) loads as drawings draw it, read afresh (a file that
  // was missing before counts as it is now).
  virtual bool ImageLoads(const std::string& path) {
    (void)path;
    return false;
  }
  // Remembers the picture placed, for the next dialog to open in its folder.
  virtual void RememberImageFile(const std::string& path) { (void)path; }
  // Registering a part: "部品データ登録場所指定" (the format: 0 DXF, 1 PWK, 2 JWW, and the folder),
  // then the save dialog of that format. The path chosen (UTF-8), with `format` set; empty when
  // cancelled. A shell without it cancels.
  virtual std::string AskPartFileToRegister(int& format) {
    (void)format;
    return {};
  }
  // A part file was written at `path`: an open parts browser lists it.
  virtual void PartRegistered(const std::string& path) { (void)path; }
  // The size (pixels) and colour depth (bits per pixel) of the picture at `path` (UTF-8), read
  // from the file's header; none when it cannot be read.
  struct ImageFacts {
    int width = 0;
    int height = 0;
    int bits = 0;
  };
  virtual std::optional<ImageFacts> ReadImageFacts(const std::string& path) {
    (void)path;
    return std::nullopt;
  }
};

// The window of one view.
class ToolViewHost {
 public:
  virtual ~ToolViewHost() = default;
  // Mouse capture: while held, the view gets the button release wherever it happens.
  virtual void SetCapture() {}
  virtual void ReleaseCapture() {}
  // Shows the text tool's inline edit box emptied and focused, its lower-left corner at the model
  // point `at` (mm), which it follows on zoom and scroll.
  virtual void ShowTextBox(ModelPoint at) { (void)at; }
  // The box's text (UTF-8, as typed).
  virtual std::string TextBoxText() { return {}; }
  // Hides and disables the text tool's inline edit box.
  virtual void HideTextBox() {}
};

}  // namespace plenwick
