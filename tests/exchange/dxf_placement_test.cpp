// Where a drawing read from DXF lands: the paper guessed from $EXTMAX at the $LTSCALE scale (each
// paper size in both orientations), A1 when nothing matches, elements shifted by half the area,
// and the drawing's path beside the DXF file.
#include <gtest/gtest.h>

#include "exchange/dxf_placement.h"
#include "model/entity_core.h"
#include "view/paper.h"

namespace plenwick {
namespace {

TEST(DxfPlacement, PaperIsGuessedFromTheExtentAtTheScale) {
  for (double scale : {1.0, 50.0, 100.0, 2500.0}) {
    for (int orientation = 0; orientation < 2; ++orientation) {
      for (int paper = 0; paper < kPaperSizeCount; ++paper) {
        const PaperSize size = PaperFromTable(paper, orientation);
        DxfContext context;
        context.ltScale = scale;
        context.areaMax = {size.width * scale + 0.4, size.height * scale - 0.4, 0};
        const DxfPlacement p = PlaceDxfDrawing(context);
        EXPECT_EQ(p.paperSize, paper) << scale << " " << orientation;
        EXPECT_EQ(p.orientation, orientation) << scale << " " << paper;
        EXPECT_EQ(p.scale, static_cast<float>(scale));
        EXPECT_DOUBLE_EQ(p.originX, context.areaMax[0] / 2);
        EXPECT_DOUBLE_EQ(p.originY, context.areaMax[1] / 2);
      }
    }
  }
}

TEST(DxfPlacement, A3AtOneToFiftyAndAnUnknownExtent) {
  DxfContext a3;
  a3.ltScale = 50;
  a3.areaMax = {420 * 50, 297 * 50, 0};
  const DxfPlacement p = PlaceDxfDrawing(a3);
  EXPECT_EQ(p.paperSize, 3);
  EXPECT_EQ(p.orientation, 0);

  DxfContext odd;
  odd.ltScale = 100;
  odd.areaMax = {12345, 678, 0};
  const DxfPlacement q = PlaceDxfDrawing(odd);
  EXPECT_EQ(q.paperSize, 1);  // A1 landscape, the area made to fit it
  EXPECT_EQ(q.orientation, 0);
  EXPECT_DOUBLE_EQ(q.areaMax[0], 84100);
  EXPECT_DOUBLE_EQ(q.areaMax[1], 59400);
  EXPECT_DOUBLE_EQ(q.originX, 42050);
  EXPECT_DOUBLE_EQ(q.originY, 29700);
}

TEST(DxfPlacement, ElementsMoveByHalfTheAreaAndTheHeaderTakesThePaper) {
  EntityList list;
  const int16_t codes[] = {10, 20, 11, 21};
  const double values[] = {-10, 5, 20, -7};
  ASSERT_EQ(AddEntity({kLine, 0, 0, 0, 4}, nullptr, list, codes, 0, values, nullptr), 0);
  DxfContext context;
  context.ltScale = 50;
  context.areaMax = {420 * 50, 297 * 50, 0};
  DrawingHeader header;
  ApplyDxfPlacement(PlaceDxfDrawing(context), header, list);
  const double* v = list.head->values.get();
  EXPECT_DOUBLE_EQ(v[0], 10500 - 10);
  EXPECT_DOUBLE_EQ(v[1], 7425 + 5);
  EXPECT_DOUBLE_EQ(v[2], 10500 + 20);
  EXPECT_DOUBLE_EQ(v[3], 7425 - 7);
  EXPECT_EQ(header.scale(), 50.0f);
  EXPECT_EQ(header.paperSize(), 3);
  EXPECT_EQ(header.orientation(), 0);
  ClearEntityList(list);
}

TEST(DxfPlacement, TheDrawingLiesBesideTheDxfFile) {
  EXPECT_EQ(DxfDocumentPath("a/PLAN.dxf"), "a/PLAN.pwk");
  EXPECT_EQ(DxfDocumentPath("/home/u/図面/Plan.DxF"), "/home/u/図面/Plan.pwk");
  EXPECT_EQ(DxfDocumentPath("a.b/plan"), "a.b/plan.pwk");
  EXPECT_EQ(DxfDocumentPath("plan.dxf.dxf"), "plan.dxf.pwk");
  const std::string longName(300, 'x');
  EXPECT_EQ(DxfDocumentPath(longName + ".dxf"), longName + ".pwk");  // never cut short
  EXPECT_TRUE(IsDxfPath("x.DXF"));
  EXPECT_FALSE(IsDxfPath("x.pwk"));
  EXPECT_FALSE(IsDxfPath("dxf"));
}

}  // namespace
}  // namespace plenwick
