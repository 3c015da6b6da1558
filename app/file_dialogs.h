// The open and save dialogs of drawing files.
#pragma once

#include <QFileDialog>
#include <QString>
#include <QWidget>

namespace plenwick {

// A save dialog titled `title` starting at `suggested` (folder and name) with one filter; the
// suffix is added when no extension is typed, before the question whether to replace a file.
// Empty when cancelled.
QString AskToSave(QWidget* parent, const QString& title, const QString& suggested, const QString& filter,
                  const QString& suffix, QFileDialog::Options options = {});

// The filter of drawing files in the open and save dialogs.
QString DrawingFileFilter();
// A drawing file to open; empty when cancelled.
QString AskDrawingToOpen(QWidget* parent);
// Where to save a drawing, starting from `suggested`; ".pwk" is added when no extension is
// given. Empty when cancelled.
QString AskDrawingToSave(QWidget* parent, const QString& suggested);

// "ＤＸＦファイル指定": a DXF file to open; empty when cancelled.
QString AskDxfToOpen(QWidget* parent);
// "ＪＷ-ＣＡＤ形式ファイル指定": a JWC file to open; empty when cancelled.
QString AskJwcToOpen(QWidget* parent);
// "DXF形式で図面データの保存": where to write a DXF file, in `folder`; ".dxf" is added when no
// extension is given. Empty when cancelled.
QString AskDxfToSave(QWidget* parent, const QString& folder);
QString AskJwwToOpen(QWidget* parent);
QString AskJwwToSave(QWidget* parent, const QString& folder);

// "ＣＳＶ形式で図面データの保存": where the element list writes its CSV file, in `folder` and named
// "未設定ファイル" at first; ".csv" is added when no extension is given. Empty when cancelled.
QString AskCsvToSave(QWidget* parent, const QString& folder);
// "ＣＳＶファイル指定": a CSV file for the element list to read; empty when cancelled.
QString AskCsvToOpen(QWidget* parent);

// "HPGL形式で図面データの保存": where to write an HP-GL file, in `folder`; ".pgl" is added when
// no extension is given. Empty when cancelled.
QString AskHpglToSave(QWidget* parent, const QString& folder);

// "メタファイル形式で図面データの保存": where to write the whole drawing as an enhanced metafile,
// with SVG and PDF offered beside it, named "未設定ファイル" in `folder` at first; the chosen
// filter's extension is added when none is given. Empty when cancelled.
QString AskMetafileToSave(QWidget* parent, const QString& folder);
// "画像データの保存": where to save a screen region as an image, named "未設定ファイル" in
// `folder` at first; the chosen filter's extension is added when none is given (".bmp" under
// "その他のデータ"). Empty when cancelled.
QString AskImageToSave(QWidget* parent, const QString& folder);

}  // namespace plenwick
