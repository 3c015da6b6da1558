// Printing mappings.
#include "view/print_mapping.h"

#include <cmath>

namespace plenwick {

double DevicePixelsPerMm(const PrinterDevice& printer) { return printer.logPixelsX / 25.4; }

ViewMapping FitToPageMapping(const ViewMapping& screen, const PrinterDevice& printer) {
  ViewMapping m = screen;
  m.clientWidth = m.extentWidth = printer.horzRes;
  m.clientHeight = m.extentHeight = printer.vertRes;
  m.FitViewWindow();
  if (screen.clientWidth > 0) {
    const double ratio = static_cast<double>(printer.horzRes) / screen.clientWidth;
    m.ScrollOffset = {TruncToInt(screen.ScrollOffset.x * ratio), TruncToInt(screen.ScrollOffset.y * ratio)};
  }
  return m;
}

PaperSize TrueScalePaper(PaperSize viewPaper, bool usePrinterPaper, const PrinterDevice& printer, int orientation) {
  if (usePrinterPaper) {
    if (const auto paper = PrinterPaperSize(printer.paperCode, orientation)) return *paper;
  }
  return viewPaper;
}

ViewMapping TrueScaleMapping(const ViewMapping& screen, const PrinterDevice& printer, PaperSize paper,
                             ModelPoint areaMin) {
  ViewMapping m = screen;
  const double perMm = DevicePixelsPerMm(printer);
  if (std::isfinite(perMm) && perMm > 0) m.PixelsPerMm = perMm;
  m.ScrollOffset = {TruncToInt(m.PixelsPerMm * areaMin.x / m.scale), TruncToInt(m.PixelsPerMm * areaMin.y / m.scale)};
  m.clientWidth = m.extentWidth = ClampPixel(static_cast<int64_t>(TruncToInt(m.PixelsPerMm * paper.width)));
  m.clientHeight = m.extentHeight = ClampPixel(static_cast<int64_t>(TruncToInt(printer.logPixelsY / 25.4 * paper.height)));
  return m;
}

}  // namespace plenwick
