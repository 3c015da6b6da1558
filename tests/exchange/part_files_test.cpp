// Guards reading part files against files cut short: a part of each format cut at many lengths
// is either read whole or refused with nothing in the buffer, never placed with pieces missing;
// and the preview's fit and the browser's place on the screen follow their rules.
#include <gtest/gtest.h>

#include <filesystem>

#include "exchange/dxf_exchange.h"
#include "exchange/jww_exchange.h"
#include "exchange/part_files.h"
#include "model/drawing_file.h"
#include "platform/file_io.h"
#include "support/entity_builders.h"
#include "support/scoped_temp_folder.h"
#include "tools/draw/part_placement.h"
#include "view/part_preview.h"

namespace plenwick {
namespace {

TEST(PartFiles, APartCutShortIsReadWholeOrNotAtAll) {
  testing::ScopedTempFolder folder;
  EntityList part;
  constexpr std::size_t kElements = 12;
  for (std::size_t i = 0; i < kElements; ++i) testing::AddLine(part, 0, static_cast<double>(i), 50, 10.0 + i);
  const std::string paths[] = {folder / "p.dxf", folder / "p.pwk", folder / "p.jww"};
  ASSERT_EQ(ExportDxf(DxfContext{}, paths[0], part), 0);
  ASSERT_EQ(SaveDrawingFile(paths[1], DrawingFileInfo{}, part), 0);
  ASSERT_EQ(ExportJww(JwwContext{}, paths[2], part), 0);
  for (const std::string& path : paths) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    const std::string cut = path + ".cut";
    // Every 11th length, and every one near the end where the last records and markers lie.
    for (std::size_t length = 0; length < bytes.size(); length += length + 48 < bytes.size() ? 11 : 1) {
      testing::WriteBytes(cut, std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)));
      EntityList read;
      const bool whole = ReadPartFile(cut, PartKindOfName(path), read);
      ASSERT_EQ(read.size(), whole ? kElements : 0u) << path << " cut at " << length << " of " << bytes.size();
    }
    EntityList read;
    EXPECT_TRUE(ReadPartFile(path, PartKindOfName(path), read)) << path;
  }
}

TEST(PartPreview, TheLongerSideFillsFourFifthsAndThePartIsCentred) {
  const struct {
    ModelRect extents;
    double mmPerPixel, marginX, marginY;
  } cases[] = {
      {{0, 0, 160, 40}, 1, 20, 55},        // wider: 160 mm over 200 × 0.8 pixels
      {{10, 10, 30, 90}, 0.5, 80, 20},     // higher: 80 mm over 200 × 0.8 pixels
      {{5, 5, 5, 5}, 1, 100, 100},         // a single point: one millimetre a pixel
      {{0, 0, 0, 40}, 0.25, 100, 20},      // no width at all
  };
  const int sizes[][2] = {{200, 150}, {200, 200}, {200, 200}, {200, 200}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const PartPreviewFit fit = FitPartPreview(cases[i].extents, sizes[i][0], sizes[i][1]);
    EXPECT_DOUBLE_EQ(fit.mmPerPixel, cases[i].mmPerPixel) << i;
    EXPECT_DOUBLE_EQ(fit.marginX, cases[i].marginX) << i;
    EXPECT_DOUBLE_EQ(fit.marginY, cases[i].marginY) << i;
  }
}

TEST(PartPlacement, TheBrowserOpensTwentyPixelsInsideTheScreensRightEdge) {
  EXPECT_EQ(PanelLeftOnScreen(100, 240, 1279), 100);
  EXPECT_EQ(PanelLeftOnScreen(1039, 240, 1279), 1039);
  EXPECT_EQ(PanelLeftOnScreen(1040, 240, 1279), 1019);
  EXPECT_EQ(PanelLeftOnScreen(3000, 240, 1279), 1019);
}

}  // namespace
}  // namespace plenwick
