// The tool framework's windows and dialogs.
#include "qt_tool_ui.h"

#include <QFontDatabase>
#include <QMenu>

#include "delete_group_dlg.h"
#include "idou_zahyo_dialog.h"
#include "line_input_dialog.h"
#include "numeric_input_dialog.h"
#include "qt_user_interface.h"
#include "sunpou_kousa_dlg.h"
#include "view/tool_framework/command_ids.h"
#include "view/tool_framework/command_table.h"
#include "view/tool_framework/font_choices.h"

namespace plenwick {


void QtToolUi::PromptChanged() {
  if (windows_.promptChanged) windows_.promptChanged();
}

void QtToolUi::OperationBarChanged(OperationBar* bar) {
  if (windows_.operationBarChanged) windows_.operationBarChanged(bar);
}

void QtToolUi::FocusOperationBar() {
  if (windows_.focusOperationBar) windows_.focusOperationBar();
}

void QtToolUi::PaletteChanged() {
  if (windows_.paletteChanged) windows_.paletteChanged();
}

void QtToolUi::PaletteWindowChanged(PaletteWindow shown) {
  if (windows_.paletteWindowChanged) windows_.paletteWindowChanged(shown);
}

int QtToolUi::TrackContextMenu(int menuId, PixelPoint screenPoint) {
  const ContextMenuInfo* info = FindContextMenu(menuId);
  if (!info) return 0;
  QMenu menu(FromUtf8(info->title), owner_);
  QAction* command = menu.addAction(FromUtf8(info->commandText));
  command->setEnabled(CommandAvailable(info->command));
  QAction* cancel = menu.addAction(FromUtf8(kContextCancelText));
  QAction* chosen = menu.exec(QPoint(screenPoint.x, screenPoint.y));
  if (chosen == command) return info->command;
  if (chosen == cancel) return kCmdCancel;
  return 0;
}

bool QtToolUi::RunNumericInput(CInputNumDlg& dialog) {
  NumericInputDialog window(dialog, *this, owner_);
  return window.exec() == QDialog::Accepted;
}

ToolUi::DialogResult QtToolUi::RunLineInput(CLineInputDlg& dialog) {
  LineInputDialog window(dialog, *this, owner_);
  return window.exec() == QDialog::Accepted ? DialogResult::kOk : DialogResult::kCancel;
}

bool QtToolUi::RunIdouZahyo(IdouZahyoDlg& dialog) {
  IdouZahyoDialog window(dialog, *this, owner_);
  return window.exec() == QDialog::Accepted;
}

bool QtToolUi::RunDeleteGroup(CDeleteGroupDlg& dialog) {
  DeleteGroupDlg window(dialog, owner_);
  return window.exec() == QDialog::Accepted;
}

bool QtToolUi::RunToleranceSettings(CSunpouKousaDlg& dialog) {
  SunpouKousaDlg window(dialog, *this, owner_);
  return window.exec() == QDialog::Accepted;
}

std::vector<std::string> QtToolUi::FontFamilies() {
  std::vector<std::string> installed;
  for (const QString& family : QFontDatabase::families()) installed.push_back(family.toStdString());
  return FontChoices(installed);
}

}  // namespace plenwick
