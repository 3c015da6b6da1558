// Paper sizes: the drawing's paper table and the printer paper codes that replace it.
#pragma once

#include <optional>

namespace plenwick {

// Paper width and height in paper millimetres.
struct PaperSize {
  double width = 0;
  double height = 0;
  bool operator==(const PaperSize&) const = default;
};

// Paper size indexes of the drawing header: A0..A6, B4, B5, B6.
inline constexpr int kPaperSizeCount = 10;

// The table entry for a paper index; orientation 1 (portrait) puts the short side across,
// anything else the long side. An index outside the table gives A4.
PaperSize PaperFromTable(int paperIndex, int orientation);

// Printer paper codes the true-scale print replaces the paper size with.
enum PrinterPaperCode : int {
  kPrinterPaperA3 = 8,
  kPrinterPaperA4 = 9,
  kPrinterPaperA4Small = 10,
  kPrinterPaperA5 = 11,
  kPrinterPaperB4 = 12,
  kPrinterPaperB5 = 13,
};
// The printed paper size for a printer paper code, long side across unless orientation is 1;
// nothing for other codes.
std::optional<PaperSize> PrinterPaperSize(int printerPaperCode, int orientation);

}  // namespace plenwick
