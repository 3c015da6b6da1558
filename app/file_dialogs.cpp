// Open and save dialogs for drawing files.
#include "file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace plenwick {

QString DrawingFileFilter() { return QString::fromUtf8("Plenwick 図面 (*.pwk *.PWK);;すべてのファイル (*)"); }

QString AskDrawingToOpen(QWidget* parent) {
  return QFileDialog::getOpenFileName(parent, QString::fromUtf8("開く"), QDir::currentPath(), DrawingFileFilter());
}

QString AskDrawingToSave(QWidget* parent, const QString& suggested) {
  QFileDialog dialog(parent, QString::fromUtf8("名前を付けて保存"), QFileInfo(suggested).absolutePath(), DrawingFileFilter());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The suffix is added before the overwrite question, so the question names the real file.
  dialog.setDefaultSuffix("pwk");
  dialog.selectFile(QFileInfo(suggested).fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace plenwick
