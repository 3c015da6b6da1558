// The paper table (A0's short side is 840) and the printer paper replacements.
#include "view/paper.h"

#include <array>
#include <utility>

namespace plenwick {

namespace {
struct Sides {
  double longSide;
  double shortSide;
};
constexpr std::array<Sides, kPaperSizeCount> kPaperTable = {{
    {1189, 840}, {841, 594}, {594, 420}, {420, 297}, {297, 210},
    {210, 148}, {148, 105}, {364, 257}, {257, 182}, {182, 128},
}};
constexpr int kA4 = 4;

PaperSize Oriented(Sides s, int orientation) {
  return orientation == 1 ? PaperSize{s.shortSide, s.longSide} : PaperSize{s.longSide, s.shortSide};
}
}  // namespace

PaperSize PaperFromTable(int paperIndex, int orientation) {
  const int i = paperIndex >= 0 && paperIndex < kPaperSizeCount ? paperIndex : kA4;
  return Oriented(kPaperTable[static_cast<std::size_t>(i)], orientation);
}

std::optional<PaperSize> PrinterPaperSize(int printerPaperCode, int orientation) {
  switch (printerPaperCode) {
    case kPrinterPaperA3: return Oriented({420, 297}, orientation);
    case kPrinterPaperA4:
    case kPrinterPaperA4Small: return Oriented({297, 210}, orientation);
    case kPrinterPaperA5: return Oriented({210, 148}, orientation);
    case kPrinterPaperB4: return Oriented({354, 250}, orientation);
    case kPrinterPaperB5: return Oriented({257, 182}, orientation);
    default: return std::nullopt;
  }
}

}  // namespace plenwick
