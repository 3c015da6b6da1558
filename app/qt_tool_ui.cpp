// The tool framework's windows and dialogs.
#include "qt_tool_ui.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImage>
#include <QImageReader>
#include <QSettings>
#include <QMenu>

#include "attribute_dialog_window.h"
#include "delete_group_dlg.h"
#include "develop_dialog.h"
#include "entity_list_dialog.h"
#include "image_loader.h"
#include "initial_set_dialog.h"
#include "platform/sjis.h"
#include "idou_zahyo_dialog.h"
#include "line_input_dialog.h"
#include "exchange/part_files.h"
#include "parts_registration_dlg.h"
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

bool QtToolUi::RunAttributeDialog(AttributeDialogModel& dialog) {
  AttributeDialogWindow window(dialog, *this, owner_);
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

bool QtToolUi::RunInitialSettings(CInitialSetDlg& dialog) {
  InitialSetDialog window(dialog, *this, owner_);
  return window.exec() == QDialog::Accepted;
}

bool QtToolUi::RunDevelop(CDevelopDlg& dialog) {
  DevelopDialog window(dialog, *this, owner_);
  return window.exec() == QDialog::Accepted;
}

bool QtToolUi::RunEntityList(CEntyListDlg& dialog) {
  EntityListDialog window(dialog, *this, owner_);
  return window.exec() == QDialog::Accepted;
}

std::vector<std::string> QtToolUi::FontFamilies() {
  std::vector<std::string> installed;
  for (const QString& family : QFontDatabase::families()) installed.push_back(family.toStdString());
  return FontChoices(installed);
}

namespace {

constexpr std::string_view kOpenDirSection = "Plenwick";
constexpr std::string_view kOpenDirKey = "OpenDir";

// The key of `key` in `section`, as QSettings names it.
QString ProfileKey(std::string_view section, std::string_view key) { return FromUtf8(section) + "/" + FromUtf8(key); }

}  // namespace

std::string QtToolUi::ProfileText(std::string_view section, std::string_view key) {
  const QSettings settings(programFolder_ + "/Plenwick.ini", QSettings::IniFormat);
  return settings.value(ProfileKey(section, key)).toString().toStdString();
}

void QtToolUi::WriteProfileText(std::string_view section, std::string_view key, std::string_view text) {
  QSettings settings(programFolder_ + "/Plenwick.ini", QSettings::IniFormat);
  settings.setValue(ProfileKey(section, key), FromUtf8(text));
}

std::string QtToolUi::AskImageFile() {
  const QString last = QString::fromStdString(ProfileText(kOpenDirSection, kOpenDirKey));
  const QString folder = last.isEmpty() ? QDir::homePath() : QFileInfo(last).absolutePath();
  const QString chosen = QFileDialog::getOpenFileName(
      owner_, QString::fromUtf8("画像ファイル指定"), folder,
      QString::fromUtf8("画像ファイル (*.bmp *.BMP *.jpg *.JPG *.jpeg *.JPEG *.png *.PNG *.gif *.GIF *.tif *.TIF "
                        "*.tiff *.TIFF);;すべてのファイル (*)"),
      nullptr, QFileDialog::DontUseNativeDialog);
  return chosen.isEmpty() ? std::string() : QFileInfo(chosen).absoluteFilePath().toStdString();
}

bool QtToolUi::ImageLoads(const std::string& path) {
  // Through the loader the views draw pictures with, read afresh: a miss kept from before the
  // file was there must not hide it.
  ImageLoader own;
  ImageLoader* loader = SharedImageLoader();
  return !(loader ? loader : &own)->Reload(Utf8ToSjis(path)).isNull();
}

void QtToolUi::RememberImageFile(const std::string& path) { WriteProfileText(kOpenDirSection, kOpenDirKey, path); }

std::string QtToolUi::AskPartFileToRegister(int& format) {
  std::string notice;
  const std::string root = PartsFolderOf(CurrentSettings(), &notice);
  if (!notice.empty()) ShowMessage(notice);
  return plenwick::AskPartFileToRegister(owner_, root, format);
}

std::optional<ToolUi::ImageFacts> QtToolUi::ReadImageFacts(const std::string& path) {
  QImageReader reader(QString::fromStdString(path));
  const QSize size = reader.size();
  if (!size.isValid()) return std::nullopt;
  const QImage::Format format = reader.imageFormat();
  const int bits = format == QImage::Format_Invalid ? 0 : QImage::toPixelFormat(format).bitsPerPixel();
  return ImageFacts{size.width(), size.height(), static_cast<int>(bits)};
}

}  // namespace plenwick
