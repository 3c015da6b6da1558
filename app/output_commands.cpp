// Metafile, SVG, PDF and image files, the clipboard, printing and the printer setup.
#include "output_commands.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

#include "drawing_export.h"
#include "file_dialogs.h"
#include "model/plenwick_doc.h"
#include "output/image_formats.h"
#include "output/printer_paper.h"
#include "platform/file_io.h"
#include "qt_canvas.h"
#include "qt_user_interface.h"
#include "view/plenwick_view.h"

namespace plenwick {

namespace {

std::span<const uint8_t> BytesOf(const QByteArray& a) {
  return {reinterpret_cast<const uint8_t*>(a.constData()), static_cast<std::size_t>(a.size())};
}

bool WriteBytes(const QString& path, const QByteArray& bytes, QString* error) {
  std::string why;
  if (WriteFileAtomically(path.toStdString(), BytesOf(bytes), &why)) return true;
  if (error) *error = QString::fromStdString(why);
  return false;
}

std::string NotWrittenMessage(const QString& path, const QString& error) {
  return QString::fromUtf8("%1 を書き込めませんでした。\n%2").arg(QFileInfo(path).fileName(), error).toStdString();
}

// Windows paper codes of the printer's page size, as the true-scale print knows them.
int PaperCodeOf(const QPageSize& size) {
  switch (size.id()) {
    case QPageSize::A3: return kPrinterPaperA3;
    case QPageSize::A4: return kPrinterPaperA4;
    case QPageSize::A5: return kPrinterPaperA5;
    case QPageSize::B4:
    case QPageSize::JisB4: return kPrinterPaperB4;
    case QPageSize::B5:
    case QPageSize::JisB5: return kPrinterPaperB5;
    default: return 0;
  }
}

}  // namespace

bool WriteDrawingFile(CPlenwickView& view, const QString& path, QString* error) {
  const QByteArray bytes = DrawingInFormat(view, VectorFormatOf(path));
  if (bytes.isEmpty()) {
    if (error) *error = QString::fromUtf8("図面を描けませんでした。");
    return false;
  }
  return WriteBytes(path, bytes, error);
}

void SaveDrawingAsMetafile(QWidget* parent, CPlenwickView& view, UserInterface& ui, const QString& folder) {
  const QString path = AskMetafileToSave(parent, folder);
  if (path.isEmpty()) return;
  QString error;
  if (!WriteDrawingFile(view, path, &error)) ui.ShowMessage(NotWrittenMessage(path, error));
}

std::unique_ptr<QMimeData> DrawingMimeData(CPlenwickView& view) {
  auto data = std::make_unique<QMimeData>();
  const QByteArray emf = DrawingInFormat(view, VectorFormat::kEmf);
  data->setData(QStringLiteral("image/x-emf"), emf);
  data->setData(QStringLiteral("image/emf"), emf);
  data->setData(QStringLiteral("image/svg+xml"), DrawingSvg(view));
  data->setImageData(DrawingPicture(view));
  return data;
}

void CopyDrawingToClipboard(CPlenwickView& view) {
  // A clipboard that cannot take it simply keeps what it had.
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setMimeData(DrawingMimeData(view).release());
}

bool WritePicture(const QImage& picture, const QString& path, QString* error) {
  const std::optional<std::string_view> mime = ImageMimeTypeOf(path.toStdString());
  const QByteArray mimeType = mime ? QByteArray(mime->data(), static_cast<qsizetype>(mime->size())) : QByteArray();
  if (!mime || !QImageWriter::supportedMimeTypes().contains(mimeType)) {
    if (error) {
      *error = QString::fromUtf8("「%1」の画像形式では保存できません。").arg(QFileInfo(path).suffix());
    }
    return false;
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, mimeType.mid(6));  // "image/png" -> "png"
  if (!writer.write(picture)) {
    if (error) *error = writer.errorString();
    return false;
  }
  return WriteBytes(path, bytes, error);
}

void SaveRegionPicture(QWidget* parent, const QImage& picture, UserInterface& ui, const QString& folder) {
  const QString path = AskImageToSave(parent, folder);
  if (path.isEmpty()) return;
  QString error;
  if (!WritePicture(picture, path, &error)) ui.ShowMessage(NotWrittenMessage(path, error));
}

QPrinter& ProgramPrinter() {
  static QPrinter printer(QPrinter::HighResolution);
  static const bool configured = [] {
    // Without a printer of the system's, jobs go to a PDF file.
    if (QPrinterInfo::availablePrinters().isEmpty()) printer.setOutputFormat(QPrinter::PdfFormat);
    return true;
  }();
  (void)configured;
  return printer;
}

void PrintDrawing(QPrinter& printer, CPlenwickView& view, int orientation) {
  printer.setPageOrientation(orientation == 1 ? QPageLayout::Portrait : QPageLayout::Landscape);
  QPainter painter;
  if (!painter.begin(&printer)) return;
  QtPainterCanvas canvas(painter, false);
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const PrinterDevice device{page.width(), page.height(), static_cast<double>(printer.logicalDpiX()),
                             static_cast<double>(printer.logicalDpiY()), PaperCodeOf(printer.pageLayout().pageSize())};
  view.PrintPage(canvas, device);
  painter.end();
}

void PrintWithDialog(QWidget* parent, CPlenwickView& view, int orientation) {
  QPrinter& printer = ProgramPrinter();
  printer.setPageOrientation(orientation == 1 ? QPageLayout::Portrait : QPageLayout::Landscape);
  if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()) {
    printer.setOutputFileName(QDir::current().absoluteFilePath(QStringLiteral("plenwick.pdf")));
  }
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintDrawing(printer, view, orientation);
}

void PreviewPrint(QWidget* parent, CPlenwickView& view, int orientation) {
  QPrinter& printer = ProgramPrinter();
  printer.setPageOrientation(orientation == 1 ? QPageLayout::Portrait : QPageLayout::Landscape);
  QPrintPreviewDialog dialog(&printer, parent);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&view, orientation](QPrinter* p) { PrintDrawing(*p, view, orientation); });
  dialog.exec();
}

bool SetUpPrinter(QWidget* parent, CPlenwickDoc& doc, CPlenwickView& view) {
  QPrinter& printer = ProgramPrinter();
  if (!printer.pageLayout().isValid()) {
    doc.ui().ShowMessage(kNoPrinterPaperMessage);
    return false;
  }
  printer.setPageOrientation(doc.header.orientation() == 1 ? QPageLayout::Portrait : QPageLayout::Landscape);
  const CPlenwickView::ScreenAids aids = view.HideScreenAids();
  QPageSetupDialog dialog(&printer, parent);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  view.RestoreScreenAids(aids);
  if (!accepted) return false;
  const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Millimeter);
  const std::optional<PaperSize> paper = WholeMmPaper(printable.width(), printable.height(),
                                                      printer.pageLayout().orientation() == QPageLayout::Landscape);
  if (!paper) {
    doc.ui().ShowMessage(kNoPrinterPaperMessage);
    return false;
  }
  AdaptDrawingToPaper(doc, *paper);
  view.FollowPaper(*paper);
  view.ForceFullErase = 1;
  view.ShowBaseScreen();
  return true;
}

std::optional<PaperSize> ProgramPrinterPaper() {
  if (QPrinterInfo::availablePrinters().isEmpty()) return std::nullopt;
  const QRectF printable = ProgramPrinter().pageLayout().paintRect(QPageLayout::Millimeter);
  if (printable.width() < 1 || printable.height() < 1) return std::nullopt;
  return PaperSize{std::trunc(printable.width()), std::trunc(printable.height())};
}

}  // namespace plenwick
