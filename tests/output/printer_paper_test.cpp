// Guards the printer setup against a drawing that jumps on its new paper: every element (the one
// held for undo too, and pictures, which other moves leave alone) keeps its place relative to the
// paper's centre; the area, origin offset and modified flag follow; unusable paper is refused.
#include <gtest/gtest.h>

#include <random>

#include "model/undo.h"
#include "output/printer_paper.h"
#include "support/entity_builders.h"
#include "support/tool_test_view.h"
#include "tools/edit/record_transform.h"

namespace plenwick {
namespace {

TEST(PrinterPaper, WholeMillimetresLongerSideAcrossInLandscape) {
  struct Case {
    double w, h;
    bool landscape;
    std::optional<PaperSize> want;
  } cases[] = {
      {200.9, 287.2, false, PaperSize{200, 287}}, {287.2, 200.9, false, PaperSize{200, 287}},
      {200.9, 287.2, true, PaperSize{287, 200}},  {0.5, 287, true, std::nullopt},
      {std::nan(""), 10, true, std::nullopt},     {-3, 10, false, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(WholeMmPaper(c.w, c.h, c.landscape), c.want) << c.w << " x " << c.h;
}

TEST(PrinterPaper, A3LandscapeToA4PortraitKeepsEveryElementAboutThePaperCentre) {
  for (const double scale : {1.0, 50.0}) {
    testing::ToolTestView t;
    CPlenwickDoc& doc = *t.doc;
    doc.header.setScale(static_cast<float>(scale));
    doc.areaMin = {-100, 40, 0};
    doc.areaMax = {-100 + 420 * scale, 40 + 297 * scale, 0};
    doc.originX = 210 * scale;
    doc.originY = 148.5 * scale;
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> at(-50 * scale, 450 * scale);
    for (int i = 0; i < 20; ++i) {
      testing::AddLine(doc.entities, at(rng), at(rng), at(rng), at(rng));
      testing::AddCircle(doc.entities, at(rng), at(rng), 5 * scale);
      testing::AddText(doc.entities, "A", nullptr, at(rng), at(rng));
    }
    const int16_t imageCodes[] = {10, 20, 11, 22};
    const double corners[] = {10, 20, 30, 40};
    ASSERT_EQ(AddEntity({kImage, 0, 0, 0, 4}, nullptr, doc.entities, imageCodes, 0, corners, "a.png"), 0);
    DrawEntity* held = doc.entities.head->next;
    const std::vector<ModelPoint> heldBefore = DefiningPoints(*held);
    BeginOperation(doc.entities, doc.snapPoints);
    RemoveToUndo(doc.entities, held);

    const auto relative = [&doc] {
      std::vector<ModelPoint> out;
      for (const DrawEntity& e : doc.entities) {
        for (ModelPoint p : DefiningPoints(e)) out.push_back({p.x - doc.areaMin[0] - doc.originX, p.y - doc.areaMin[1] - doc.originY});
      }
      return out;
    };
    const std::vector<ModelPoint> before = relative();
    doc.SetModifiedFlag(false);
    AdaptDrawingToPaper(doc, {200, 287});

    EXPECT_DOUBLE_EQ(doc.areaMax[0], -100 + 200 * scale);
    EXPECT_DOUBLE_EQ(doc.areaMax[1], 40 + 287 * scale);
    EXPECT_DOUBLE_EQ(doc.originX, 100 * scale);
    EXPECT_DOUBLE_EQ(doc.originY, 143.5 * scale);
    EXPECT_TRUE(doc.IsModified());
    const std::vector<ModelPoint> after = relative();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
      EXPECT_NEAR(after[i].x, before[i].x, 1e-6 * scale) << i;
      EXPECT_NEAR(after[i].y, before[i].y, 1e-6 * scale) << i;
    }
    // Undo brings the held line back where it now belongs.
    Undo(doc.entities, t.docUi);
    const std::vector<ModelPoint> heldAfter = DefiningPoints(*held);
    ASSERT_EQ(heldAfter.size(), heldBefore.size());
    for (std::size_t i = 0; i < heldAfter.size(); ++i) {
      EXPECT_NEAR(heldAfter[i].x - heldBefore[i].x, (100 - 210) * scale, 1e-6 * scale);
      EXPECT_NEAR(heldAfter[i].y - heldBefore[i].y, (143.5 - 148.5) * scale, 1e-6 * scale);
    }
  }
}

}  // namespace
}  // namespace plenwick
