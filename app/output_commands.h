// The drawing leaving the program besides plotters: metafile, SVG and PDF files, the clipboard,
// images of a screen region, printing, print preview and the printer setup.
#pragma once

#include <QImage>
#include <QString>
#include <memory>
#include <optional>

#include "view/paper.h"

class QMimeData;
class QPrinter;
class QWidget;

namespace plenwick {

class CPlenwickDoc;
class CPlenwickView;
class UserInterface;

// "EMF形式で保存...": the whole drawing as EMF (or SVG, PDF by the chosen filter) in `folder`.
void SaveDrawingAsMetafile(QWidget* parent, CPlenwickView& view, UserInterface& ui, const QString& folder);
// Writes the whole drawing to `path` in the format its extension names (any case; EMF unless SVG
// or PDF); the old file stays when it cannot be written (false, the reason in `error`).
bool WriteDrawingFile(CPlenwickView& view, const QString& path, QString* error);

// The clipboard's data of the whole drawing: the metafile ("image/x-emf" and "image/emf"), SVG
// and a picture.
std::unique_ptr<QMimeData> DrawingMimeData(CPlenwickView& view);
// "クリップボードにコピー": the whole drawing onto the clipboard.
void CopyDrawingToClipboard(CPlenwickView& view);

// "画像で保存...": asks where to save `picture` (the captured region) and writes it by its
// extension; says when the format cannot be written or the file cannot be replaced.
void SaveRegionPicture(QWidget* parent, const QImage& picture, UserInterface& ui, const QString& folder);
// Writes `picture` to `path` by its extension (any case); false with the reason in `error`.
bool WritePicture(const QImage& picture, const QString& path, QString* error);

// The program's one printer; printing to a PDF file where the system has no printer.
QPrinter& ProgramPrinter();
// The paper (mm, as oriented) the program's printer prints on; nothing without a system printer.
std::optional<PaperSize> ProgramPrinterPaper();
// The printer takes the drawing's orientation (1 portrait, else landscape) and `view` prints
// its page through it.
void PrintDrawing(QPrinter& printer, CPlenwickView& view, int orientation);
// "印刷...": the print dialog, then the job.
void PrintWithDialog(QWidget* parent, CPlenwickView& view, int orientation);
// "印刷プレビュー": the preview dialog of the same job.
void PreviewPrint(QWidget* parent, CPlenwickView& view, int orientation);
// "プリンタの設定...": the page setup on the program's printer; on OK the drawing moves onto the
// printer's paper. True when it did.
bool SetUpPrinter(QWidget* parent, CPlenwickDoc& doc, CPlenwickView& view);

}  // namespace plenwick
