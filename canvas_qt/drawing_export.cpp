// Drawing the whole drawing into metafiles, SVG, pictures and PDF pages.
#include "drawing_export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "image_loader.h"
#include "qt_canvas.h"

namespace plenwick {

namespace {

constexpr int kPdfResolution = 600;  // device pixels per inch of the PDF page

}  // namespace

EmfImageSource QtEmfImages() {
  return [](std::string_view pathSjis, const ColourMatrix* matrix) -> std::optional<EmfBitmap> {
    ImageLoader own;
    ImageLoader* loader = SharedImageLoader();
    QImage image = (loader ? loader : &own)->Load(pathSjis);
    if (image.isNull()) return std::nullopt;
    image = matrix ? ApplyColourMatrix(image, *matrix) : image.convertToFormat(QImage::Format_ARGB32);
    EmfBitmap bitmap{image.width(), image.height(), {}};
    bitmap.bgra.resize(std::size_t(image.width()) * std::size_t(image.height()) * 4);
    for (int y = 0; y < image.height(); ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      uint8_t* out = bitmap.bgra.data() + std::size_t(y) * std::size_t(image.width()) * 4;
      for (int x = 0; x < image.width(); ++x, out += 4) {
        out[0] = static_cast<uint8_t>(qBlue(row[x])), out[1] = static_cast<uint8_t>(qGreen(row[x]));
        out[2] = static_cast<uint8_t>(qRed(row[x])), out[3] = static_cast<uint8_t>(qAlpha(row[x]));
      }
    }
    return bitmap;
  };
}

std::vector<uint8_t> DrawingEmf(CPlenwickView& view) {
  EmfCanvas canvas(kMetafilePixelsPerMm, QtEmfImages());
  const PixelRect page = view.DrawForExport(canvas, kMetafilePixelsPerMm);
  return canvas.Finish(page);
}

QByteArray DrawingSvg(CPlenwickView& view) {
  const PaperSize paper = view.paper();
  const int width = static_cast<int>(std::lround(paper.width * kMetafilePixelsPerMm));
  const int height = static_cast<int>(std::lround(paper.height * kMetafilePixelsPerMm));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setResolution(static_cast<int>(std::lround(kMetafilePixelsPerMm * 25.4)));
  svg.setSize(QSize(width, height));
  svg.setViewBox(QRect(0, 0, width, height));
  svg.setTitle(QStringLiteral("Plenwick drawing"));
  QPainter painter(&svg);
  QtPainterCanvas canvas(painter, false);
  view.DrawForExport(canvas, kMetafilePixelsPerMm);
  painter.end();
  return bytes;
}

QImage DrawingPicture(CPlenwickView& view) {
  const PaperSize paper = view.paper();
  const int width = std::clamp(static_cast<int>(std::lround(paper.width * kPicturePixelsPerMm)), 1, 16384);
  const int height = std::clamp(static_cast<int>(std::lround(paper.height * kPicturePixelsPerMm)), 1, 16384);
  QtImageCanvas canvas(width, height, view.renderSettings().colour(kColourBackground));
  view.DrawForExport(canvas, kPicturePixelsPerMm);
  return canvas.Finish();
}

QByteArray DrawingPdf(CPlenwickView& view) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&buffer);
  pdf.setResolution(kPdfResolution);
  const PaperSize paper = view.paper();
  const double shortSide = std::min(paper.width, paper.height), longSide = std::max(paper.width, paper.height);
  pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(shortSide, longSide), QPageSize::Millimeter),
                                paper.width > paper.height ? QPageLayout::Landscape : QPageLayout::Portrait,
                                QMarginsF(0, 0, 0, 0)));
  pdf.setTitle(QStringLiteral("Plenwick drawing"));
  QPainter painter(&pdf);
  QtPainterCanvas canvas(painter, false);
  const PrinterDevice printer{pdf.width(), pdf.height(), static_cast<double>(pdf.resolution()),
                              static_cast<double>(pdf.resolution()), 0};
  view.PrintPage(canvas, printer, CPlenwickView::PrintScaling::kTrueScale);
  painter.end();
  return bytes;
}

VectorFormat VectorFormatOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("svg")) return VectorFormat::kSvg;
  if (suffix == QLatin1String("pdf")) return VectorFormat::kPdf;
  return VectorFormat::kEmf;
}

QByteArray DrawingInFormat(CPlenwickView& view, VectorFormat format) {
  switch (format) {
    case VectorFormat::kSvg: return DrawingSvg(view);
    case VectorFormat::kPdf: return DrawingPdf(view);
    case VectorFormat::kEmf: break;
  }
  const std::vector<uint8_t> emf = DrawingEmf(view);
  return QByteArray(reinterpret_cast<const char*>(emf.data()), static_cast<qsizetype>(emf.size()));
}

}  // namespace plenwick
