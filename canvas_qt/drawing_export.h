// The whole drawing as the files and the clipboard take it: an enhanced metafile, SVG, a PNG
// picture and a PDF page, all drawn by the view's own routine for output.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

#include "output/emf_canvas.h"
#include "view/plenwick_view.h"

namespace plenwick {

// Device units a paper mm of metafiles and vector files: fine enough that texts and pens keep
// their shapes, small enough that an A0 page stays far inside 32-bit coordinates.
inline constexpr double kMetafilePixelsPerMm = 20;
// Pixels a paper mm of the clipboard's picture (about 100 dpi).
inline constexpr double kPicturePixelsPerMm = 4;

// Pictures placed in drawings, decoded by Qt for the metafile writer.
EmfImageSource QtEmfImages();

std::vector<uint8_t> DrawingEmf(CPlenwickView& view);
QByteArray DrawingSvg(CPlenwickView& view);
QImage DrawingPicture(CPlenwickView& view);
// A page of the drawing's paper at true scale, as printed (printing pens, no screen aids).
QByteArray DrawingPdf(CPlenwickView& view);

// The vector formats the metafile command writes, by the file's extension in any case.
enum class VectorFormat { kEmf, kSvg, kPdf };
VectorFormat VectorFormatOf(const QString& path);
// The bytes of the drawing in that format; empty when it could not be made.
QByteArray DrawingInFormat(CPlenwickView& view, VectorFormat format);

}  // namespace plenwick
