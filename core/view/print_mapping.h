// How a view maps the drawing onto a printed page: fitted to the page (what the screen showed)
// or at true scale with the drawing area's lower-left corner at the page's lower-left.
#pragma once

#include "view/paper.h"
#include "view/view_mapping.h"

namespace plenwick {

struct PrinterDevice {
  int horzRes = 0;        // printable width, device pixels
  int vertRes = 0;        // printable height, device pixels
  double logPixelsX = 0;  // device pixels per inch across
  double logPixelsY = 0;  // device pixels per inch down
  int paperCode = 0;      // printer paper code (PrinterPaperCode), 0 when unknown
};

// Device pixels per millimetre, which pen widths and dash patterns are measured in.
double DevicePixelsPerMm(const PrinterDevice& printer);

// Print to fit: the client becomes the page, the view window is fitted again and the scroll
// offsets follow the change of width, so the page shows what the screen showed.
ViewMapping FitToPageMapping(const ViewMapping& screen, const PrinterDevice& printer);

// The paper a true-scale print uses: the view's paper, or, when the drawing asks for the
// printer's paper and the printer reports A3, A4, A5, B4 or B5, that paper's printed size.
PaperSize TrueScalePaper(PaperSize viewPaper, bool usePrinterPaper, const PrinterDevice& printer, int orientation);

// True scale: PixelsPerMm = device pixels per mm, the drawing area's lower-left corner at the
// page's lower-left, the client (and extent) the paper in device pixels.
ViewMapping TrueScaleMapping(const ViewMapping& screen, const PrinterDevice& printer, PaperSize paper,
                             ModelPoint areaMin);

}  // namespace plenwick
