// Open and save dialogs for drawing files.
#include "file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace plenwick {

QString DrawingFileFilter() { return QString::fromUtf8("Plenwick 図面 (*.pwk *.PWK);;すべてのファイル (*)"); }

// What 開く opens: our drawings and the files of other programs it reads.
QString OpenableFileFilter() {
  return QString::fromUtf8(
      "図面ファイル (*.pwk *.PWK *.dxf *.DXF *.jww *.JWW *.jwc *.JWC);;Plenwick 図面 (*.pwk *.PWK);;"
      "ＤＸＦファイル (*.dxf *.DXF);;ＪＷＷファイル (*.jww *.JWW);;ＪＷＣファイル (*.jwc *.JWC);;すべてのファイル (*)");
}

QString AskDrawingToOpen(QWidget* parent) {
  return QFileDialog::getOpenFileName(parent, QString::fromUtf8("開く"), QDir::currentPath(), OpenableFileFilter());
}

QString AskToSave(QWidget* parent, const QString& title, const QString& suggested, const QString& filter,
                  const QString& suffix, QFileDialog::Options options) {
  QFileDialog dialog(parent, title, QFileInfo(suggested).absolutePath(), filter);
  dialog.setOptions(options);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The suffix is added before the overwrite question, so the question names the real file.
  dialog.setDefaultSuffix(suffix);
  dialog.selectFile(QFileInfo(suggested).fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

QString AskDrawingToSave(QWidget* parent, const QString& suggested) {
  return AskToSave(parent, QString::fromUtf8("名前を付けて保存"), suggested, DrawingFileFilter(), "pwk");
}

// Qt's own dialog matches "*.DXF" in any case, as the filter means; a desktop's may not.
QString AskDxfToOpen(QWidget* parent) {
  return QFileDialog::getOpenFileName(parent, QString::fromUtf8("ＤＸＦファイル指定"), QDir::currentPath(),
                                      QString::fromUtf8("ＤＸＦファイル (*.DXF)"), nullptr, QFileDialog::DontUseNativeDialog);
}

QString AskJwcToOpen(QWidget* parent) {
  return QFileDialog::getOpenFileName(parent, QString::fromUtf8("ＪＷ-ＣＡＤ形式ファイル指定"), QDir::currentPath(),
                                      QString::fromUtf8("ＪＷＣファイル (*.JWC)"), nullptr, QFileDialog::DontUseNativeDialog);
}

QString AskDxfToSave(QWidget* parent, const QString& folder) {
  return AskToSave(parent, QString::fromUtf8("DXF形式で図面データの保存"), folder + QString::fromUtf8("/未設定ファイル"),
                   QString::fromUtf8("図面データ (*.DXF)"), "dxf", QFileDialog::DontUseNativeDialog);
}

QString AskJwwToOpen(QWidget* parent) {
  return QFileDialog::getOpenFileName(parent, QString::fromUtf8("ＪＷＷファイル指定"), QDir::currentPath(),
                                      QString::fromUtf8("ＪＷＷファイル (*.JWW)"), nullptr, QFileDialog::DontUseNativeDialog);
}

QString AskJwwToSave(QWidget* parent, const QString& folder) {
  return AskToSave(parent, QString::fromUtf8("JWW形式で図面データの保存"), folder + QString::fromUtf8("/未設定ファイル"),
                   QString::fromUtf8("図面データ (*.JWW)"), "jww", QFileDialog::DontUseNativeDialog);
}

QString AskCsvToSave(QWidget* parent, const QString& folder) {
  return AskToSave(parent, QString::fromUtf8("ＣＳＶ形式で図面データの保存"), folder + QString::fromUtf8("/未設定ファイル"),
                   QString::fromUtf8("CSV形式 (*.CSV)"), "csv", QFileDialog::DontUseNativeDialog);
}

QString AskCsvToOpen(QWidget* parent) {
  return QFileDialog::getOpenFileName(parent, QString::fromUtf8("ＣＳＶファイル指定"), QDir::currentPath(),
                                      QString::fromUtf8("ＣＳＶファイル (*.CSV)"), nullptr, QFileDialog::DontUseNativeDialog);
}

QString AskHpglToSave(QWidget* parent, const QString& folder) {
  return AskToSave(parent, QString::fromUtf8("HPGL形式で図面データの保存"), folder + QString::fromUtf8("/未設定ファイル"),
                   QString::fromUtf8("図面データ (*.PGL)"), "pgl", QFileDialog::DontUseNativeDialog);
}

namespace {

// A save dialog whose default suffix follows the chosen filter (the first "*.ext" it names),
// so that the overwrite question already names the file that is written.
QString AskWithFilterSuffix(QWidget* parent, const QString& title, const QString& folder, const QString& filters,
                            const QString& fallbackSuffix) {
  QFileDialog dialog(parent, title, folder, filters);
  dialog.setOptions(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  const auto follow = [&dialog, fallbackSuffix](const QString& filter) {
    const qsizetype star = filter.indexOf(QLatin1String("*."));
    QString suffix = star < 0 ? QString() : filter.mid(star + 2).section(QLatin1Char(')'), 0, 0).trimmed();
    if (suffix.isEmpty() || suffix == QLatin1String("*")) suffix = fallbackSuffix;
    dialog.setDefaultSuffix(suffix.toLower());
  };
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
  follow(filters.section(QLatin1String(";;"), 0, 0));
  dialog.selectFile(QString::fromUtf8("未設定ファイル"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace

QString AskMetafileToSave(QWidget* parent, const QString& folder) {
  return AskWithFilterSuffix(parent, QString::fromUtf8("メタファイル形式で図面データの保存"), folder,
                             QString::fromUtf8("メタファイル (*.EMF);;SVG (*.svg);;PDF (*.pdf)"), "emf");
}

QString AskImageToSave(QWidget* parent, const QString& folder) {
  return AskWithFilterSuffix(parent, QString::fromUtf8("画像データの保存"), folder,
                             QString::fromUtf8("ＢＭＰ(*.bmp);;ＪＰＧ(*.jpg);;ＰＮＧ(*.png);;ＧＩＦ(*.gif);;"
                                               "ＴＩＦ(*.tiff);;その他のデータ (*.*)"),
                             "bmp");
}

}  // namespace plenwick
