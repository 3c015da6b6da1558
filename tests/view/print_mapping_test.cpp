// Guards the printing mappings: true scale puts the drawing area's lower-left corner at the
// page's lower-left with the printer's resolution, the printer paper codes replace the paper,
// and print-to-fit scales the screen mapping to the page.
#include <gtest/gtest.h>

#include "view/paper.h"
#include "view/print_mapping.h"

namespace plenwick {
namespace {

TEST(PaperTable, SizesByIndexAndOrientation) {
  struct Case {
    int index, orientation;
    PaperSize size;
  } cases[] = {
      {0, 0, {1189, 840}}, {0, 1, {840, 1189}}, {1, 0, {841, 594}}, {2, 0, {594, 420}}, {3, 0, {420, 297}},
      {4, 0, {297, 210}},  {5, 0, {210, 148}},  {6, 0, {148, 105}}, {7, 1, {257, 364}}, {8, 0, {257, 182}},
      {9, 0, {182, 128}},  {10, 0, {297, 210}}, {-3, 1, {210, 297}},  // out of the table: A4
  };
  for (const Case& c : cases) EXPECT_EQ(PaperFromTable(c.index, c.orientation), c.size) << c.index;
}

TEST(PaperTable, PrinterPaperCodes) {
  struct Case {
    int code, orientation;
    std::optional<PaperSize> size;
  } cases[] = {
      {8, 0, PaperSize{420, 297}}, {9, 1, PaperSize{210, 297}}, {10, 0, PaperSize{297, 210}},
      {11, 0, PaperSize{210, 148}}, {12, 0, PaperSize{354, 250}}, {13, 1, PaperSize{182, 257}},
      {1, 0, std::nullopt}, {0, 0, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(PrinterPaperSize(c.code, c.orientation), c.size) << c.code;
}

TEST(PrintMapping, TrueScalePutsTheAreaCornerAtThePageCorner) {
  ViewMapping screen;
  screen.scale = 2;
  screen.PixelsPerMm = 3;
  PrinterDevice printer{4800, 3300, 600, 600, 9};
  const ViewMapping m = TrueScaleMapping(screen, printer, {297, 210}, {-100, -50});
  EXPECT_DOUBLE_EQ(m.PixelsPerMm, 600 / 25.4);
  EXPECT_EQ(m.ScrollOffset, (PixelPoint{-1181, -590}));
  EXPECT_EQ(m.clientWidth, 7015);
  EXPECT_EQ(m.clientHeight, 4960);
  EXPECT_EQ(m.extentWidth, 7015);
  const PixelPoint corner = m.ModelToScreen(-100, -50);
  EXPECT_NEAR(corner.x, 0, 1);
  EXPECT_NEAR(corner.y, 4960, 1);
  // 1 paper mm is 2 model mm at 1:2.
  EXPECT_NEAR(m.ModelToScreen(-100 + 2 * 25.4, -50).x - corner.x, 600, 1);
}

TEST(PrintMapping, TrueScalePaperComesFromThePrinterOnlyWhenAsked) {
  PrinterDevice printer{0, 0, 600, 600, 8};
  EXPECT_EQ(TrueScalePaper({297, 210}, true, printer, 0), (PaperSize{420, 297}));
  EXPECT_EQ(TrueScalePaper({297, 210}, false, printer, 0), (PaperSize{297, 210}));
  printer.paperCode = 70;
  EXPECT_EQ(TrueScalePaper({297, 210}, true, printer, 0), (PaperSize{297, 210}));
}

TEST(PrintMapping, FitToPageShowsWhatTheScreenShowed) {
  ViewMapping screen;
  screen.clientWidth = screen.extentWidth = 800;
  screen.clientHeight = screen.extentHeight = 600;
  screen.ViewWindow = {0, 0, 400, 300};
  screen.FitViewWindow();
  screen.Recentre();
  const ViewMapping m = FitToPageMapping(screen, {4000, 3000, 600, 600, 0});
  EXPECT_DOUBLE_EQ(m.PixelsPerMm, screen.PixelsPerMm * 5);
  EXPECT_EQ(m.ScrollOffset, (PixelPoint{screen.ScrollOffset.x * 5, screen.ScrollOffset.y * 5}));
  EXPECT_EQ(m.clientWidth, 4000);
  EXPECT_EQ(m.extentHeight, 3000);
  const PixelPoint a = screen.ModelToScreen(100, 100), b = m.ModelToScreen(100, 100);
  EXPECT_NEAR(b.x, a.x * 5, 5);
  EXPECT_NEAR(b.y, a.y * 5, 5);
}

}  // namespace
}  // namespace plenwick
