// Guards the width line: offset copies on each side of the travelled segment (none below 0.05),
// the centre kept on request, corners closed at the crossing with the previous copies (the foot
// for a straight run), each segment one undo step that also puts the previous corners back, and
// a right click ending the chain with nothing left on the screen.
#include <gtest/gtest.h>

#include "line_fixture.h"
#include "model/plenwick_doc.h"

namespace plenwick {
namespace {

using testing::ExpectNear;
using testing::LineRecord;

class WidthLine : public testing::LineToolTest {
 protected:
  void ExpectLines(const std::vector<LineRecord>& expected) {
    const std::vector<LineRecord> lines = Lines();
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(lines[i].kind, kLine);
      ExpectNear(lines[i].a, expected[i].a);
      ExpectNear(lines[i].b, expected[i].b);
    }
  }
};

TEST_F(WidthLine, CopiesOnBothSidesWithClosedCorners) {
  s().WidthLeft = 20;
  s().WidthRight = 10;
  Select(6);
  EXPECT_EQ(prompt(), "幅付き線を作図します。始端を指示して下さい。");
  Click(100, 100);
  Click(300, 100);
  ExpectLines({{kLine, {100, 120}, {300, 120}}, {kLine, {100, 90}, {300, 90}}});
  Click(300, 300);
  // The earlier copies end at the corners now; the new ones start there.
  ExpectLines({{kLine, {100, 120}, {280, 120}},
               {kLine, {100, 90}, {310, 90}},
               {kLine, {280, 120}, {280, 300}},
               {kLine, {310, 90}, {310, 300}}});
  EXPECT_EQ(step(), 3);

  Command(kCmdUndo);  // the whole segment goes, and the corners with it
  ExpectLines({{kLine, {100, 120}, {300, 120}}, {kLine, {100, 90}, {300, 90}}});
  Command(kCmdUndo);
  EXPECT_EQ(Lines().size(), 4u);
  EXPECT_EQ(step(), 0);  // an undo ends the chain
}

TEST_F(WidthLine, AStraightRunStartsAtTheFoot) {
  s().WidthLeft = 20;
  s().WidthRight = 20;
  Select(6);
  Click(100, 100);
  Click(200, 100);
  Click(300, 100);
  ExpectLines({{kLine, {100, 120}, {200, 120}},
               {kLine, {100, 80}, {200, 80}},
               {kLine, {200, 120}, {300, 120}},
               {kLine, {200, 80}, {300, 80}}});
}

TEST_F(WidthLine, NarrowSidesHaveNoCopyAndTheCentreMayStay) {
  const struct {
    float left, right;
    int16_t keepCentre;
    std::vector<LineRecord> lines;
  } cases[] = {
      {0.04f, 20, 0, {{kLine, {100, 80}, {300, 80}}}},
      {20, 0.04f, 1, {{kLine, {100, 100}, {300, 100}}, {kLine, {100, 120}, {300, 120}}}},
      {0, 0, 1, {{kLine, {100, 100}, {300, 100}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.left);
    s().WidthLeft = c.left;
    s().WidthRight = c.right;
    s().WidthLineKeepCentre = c.keepCentre;
    Select(6);
    Click(100, 100);
    Click(300, 100);
    ExpectLines(c.lines);
    Command(kCmdUndo);
    EXPECT_TRUE(Lines().empty());  // one undo takes the whole segment
  }
}

TEST_F(WidthLine, HorizontalAndVerticalSegments) {
  s().WidthLineHVMode = 1;
  s().WidthLeft = 10;
  s().WidthRight = 10;
  Select(6);
  Click(100, 100);
  Click(200, 110);
  ExpectLines({{kLine, {100, 110}, {200, 110}}, {kLine, {100, 90}, {200, 90}}});
}

TEST_F(WidthLine, ARightClickEndsTheChain) {
  Select(6);
  Click(100, 100);
  Click(300, 100);
  Move(300, 250);
  RightClick(300, 250);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(prompt(), "幅付き線を作図します。始端を指示して下さい。");
  EXPECT_EQ(XorLeftOnScreen(), std::vector<std::string>{});
  // A new chain does not close corners against the old one.
  Click(300, 100);
  Click(300, 300);
  EXPECT_EQ(Lines().size(), 4u);
  ExpectNear(Lines()[0].b, {300, 120});
}

TEST_F(WidthLine, AProtectedDrawingEndsTheChain) {
  Select(6);
  Click(100, 100);
  t.doc->protection = kPasswordProtected;
  Click(300, 100);
  EXPECT_TRUE(Lines().empty());
  EXPECT_EQ(t.docUi.messages, (std::vector<std::string>{std::string(kPasswordProtectedMessage)}));
  EXPECT_EQ(step(), 0);
}

}  // namespace
}  // namespace plenwick
