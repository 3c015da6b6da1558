// Guards the line tools against lines a drawing file cannot keep: an end out of the coordinate
// range, NaN or infinite was drawn and saved, then dropped without a word when the drawing was
// read again; and a refused line opened an undo step first, so the step before it became
// permanent and the next undo took away something else.
#include <gtest/gtest.h>

#include <cfloat>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "line_fixture.h"
#include "model/plenwick_doc.h"
#include "model/undo.h"

namespace plenwick {
namespace {

using testing::ExpectNear;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr const char* kOutOfRange = "200000000000";  // mm, beyond the largest coordinate a file keeps

class UnstorableLines : public testing::LineToolTest {
 protected:
  // Every value of every line in the drawing is one a drawing file keeps.
  void ExpectAllStorable() const {
    for (const testing::LineRecord& line : Lines()) {
      for (const double v : {line.a.x, line.a.y, line.b.x, line.b.y}) EXPECT_TRUE(InCoordinateRange(v)) << v;
    }
  }
};

TEST_F(UnstorableLines, SettingsThatPutAnEndOutOfRangeAddNoLine) {
  // Such settings come from a corrupt parameter file, or from an operation bar that takes any
  // float up to FLT_MAX.
  const struct Case {
    const char* name;
    int mode;
    std::function<void(ProgramSettings&)> set;
    std::vector<ModelPoint> clicks;
    std::size_t added;
  } cases[] = {
      {"length NaN", 0, [](ProgramSettings& p) { p.LineLengthOn = 1, p.LineLength = kNaN; }, {{100, 300}, {200, 350}}, 0},
      {"length +Inf", 0, [](ProgramSettings& p) { p.LineLengthOn = 1, p.LineLength = kInf; }, {{100, 300}, {200, 350}}, 0},
      {"length FLT_MAX", 0, [](ProgramSettings& p) { p.LineLengthOn = 1, p.LineLength = FLT_MAX; }, {{100, 300}, {200, 350}}, 0},
      {"angle NaN", 0, [](ProgramSettings& p) { p.LineAngleOn = 1, p.LineAngle = kNaN; }, {{100, 300}, {200, 350}}, 0},
      {"polyline length NaN", 1, [](ProgramSettings& p) { p.LineLengthOn = 1, p.LineLength = kNaN; }, {{100, 300}, {200, 350}}, 0},
      {"width line length FLT_MAX", 6, [](ProgramSettings& p) { p.LineLengthOn = 1, p.LineLength = FLT_MAX; },
       {{100, 300}, {200, 350}}, 0},
      {"widths FLT_MAX", 6, [](ProgramSettings& p) { p.WidthLeft = FLT_MAX, p.WidthRight = FLT_MAX; },
       {{100, 300}, {200, 350}}, 0},
      // The centre is sound and stays; only the copies are dropped.
      {"widths +Inf and NaN, centre kept", 6,
       [](ProgramSettings& p) { p.WidthLeft = kInf, p.WidthRight = kNaN, p.WidthLineKeepCentre = 1; },
       {{100, 300}, {200, 350}}, 1},
      {"infinite-line angle NaN", 2, [](ProgramSettings& p) { p.InfiniteLineMode = 2, p.InfiniteLineAngle = kNaN; },
       {{100, 300}}, 0},
      {"parallel distance NaN", 4, [](ProgramSettings& p) { p.ParallelDistanceOn = 1, p.ParallelDistance = kNaN; },
       {{200, 100}, {250, 150}}, 0},
      {"parallel distance FLT_MAX", 4,
       [](ProgramSettings& p) { p.ParallelDistanceOn = 1, p.ParallelDistance = FLT_MAX; }, {{200, 100}, {250, 150}}, 0},
      {"angle-move angle +Inf", 8, [](ProgramSettings& p) { p.AngleMoveAngle = kInf; }, {{120, 100}}, 0},
      {"angle-move length FLT_MAX", 8, [](ProgramSettings& p) { p.AngleMoveLengthOn = 1, p.LineLength = FLT_MAX; },
       {{120, 100}}, 0},
  };
  testing::AddLine(t.doc->entities, 100, 100, 300, 100);  // the reference of the modes that pick one
  const ProgramSettings saved = s();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.set(s());
    Select(c.mode);
    const std::size_t before = Lines().size();
    for (const ModelPoint& p : c.clicks) Click(p.x, p.y);
    EXPECT_EQ(Lines().size(), before + c.added);
    ExpectAllStorable();
    Command(kCmdEscape);
    s() = saved;
  }
}

TEST_F(UnstorableLines, TypedValuesThatPutAnEndOutOfRangeAddNoLine) {
  // A typed "200000000000" made a line the file reader drops; the operation waits for a usable
  // value instead, from the same start.
  const struct Case {
    const char* name;
    int mode;
    int16_t hvMode;
    int dialogMode;  // the two-value dialog's mode; -1 for the single-value input
    std::pair<std::string, std::string> typed;
  } cases[] = {
      {"straight, length and angle", 0, 0, 0, {kOutOfRange, "0"}},
      {"straight, XY", 0, 0, 1, {"0", kOutOfRange}},
      {"straight, horizontal and vertical", 0, 1, -1, {kOutOfRange, ""}},
      {"polyline", 1, 0, 0, {kOutOfRange, "90"}},
      {"width line", 6, 0, -1, {kOutOfRange, ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    s().LineHVMode = c.hvMode;
    Select(c.mode);
    const std::size_t before = Lines().size();
    Click(100, 100);
    Move(150, 100);
    if (c.dialogMode < 0) {
      t.ui.lineAnswer = ToolUi::DialogResult::kNotAvailable;
      t.ui.numericAnswers = {c.typed.first};
    } else {
      t.ui.lineAnswer = ToolUi::DialogResult::kOk;
      t.ui.lineMode = c.dialogMode;
      t.ui.lineTexts = {c.typed};
    }
    Command(kCmdSpace);
    EXPECT_EQ(Lines().size(), before);
    EXPECT_EQ(step(), 1);
    Click(150, 100);  // a usable end still starts where the operation did
    ASSERT_GT(Lines().size(), before);
    const double startY = c.mode == 6 ? 120 : 100;  // a width line's first record is its left copy
    ExpectNear(Lines()[before].a, {100, startY});
    ExpectAllStorable();
    Command(kCmdEscape);
  }
}

TEST_F(UnstorableLines, ATypedParallelDistanceOutOfRangeAddsNoLine) {
  testing::AddLine(t.doc->entities, 100, 100, 300, 100);
  Select(4);
  Click(200, 100);
  Move(250, 80);
  t.ui.numericAnswers = {kOutOfRange};
  Command(kCmdNumericInput);
  EXPECT_EQ(Lines().size(), 1u);
}

TEST_F(UnstorableLines, ARefusedLineLeavesTheRecordedStepUndoable) {
  // Each recorded step is one whose undo brings a line back: a deletion, or a line already
  // undone (its redo). A refused line must not close that step.
  const struct Step {
    const char* name;
    std::function<void()> record;
  } steps[] = {
      {"a deletion",
       [this] {
         LastElement()->mark = kMarkDeleted;
         CommitDeletion(t.doc->entities);
       }},
      {"an undone line", [this] { Command(kCmdUndo); }},
  };
  const struct Refusal {
    const char* name;
    std::function<void()> refuse;
  } refusals[] = {
      // A drawing scale that puts the clicked point far out: the first coordinate itself is
      // out of range.
      {"horizontal infinite line beyond the range",
       [this] {
         Select(2);
         t.view->mapping().scale = 1e10;
         Click(100, 100);
         t.view->mapping().scale = 1;
       }},
      {"polyline segment at an infinite length",
       [this] {
         s().LineLengthOn = 1;
         s().LineLength = kInf;
         Select(1);
         Click(100, 300);
         Click(200, 300);
         s().LineLengthOn = 0;
       }},
      {"width-line segment whose copies are all dropped",
       [this] {
         s().WidthLeft = FLT_MAX;
         s().WidthRight = FLT_MAX;
         Select(6);
         Click(100, 300);
         Click(200, 300);
       }},
      {"width-line segment without copies or centre",
       [this] {
         s().WidthLeft = 0;
         s().WidthRight = 0;
         Select(6);
         Click(100, 300);
         Click(200, 300);
       }},
  };
  const ProgramSettings saved = s();
  double y = 10;
  for (const Step& step : steps) {
    for (const Refusal& refusal : refusals) {
      SCOPED_TRACE(std::string(step.name) + ", then " + refusal.name);
      y += 10;
      Select(0);
      Click(10, y);
      Click(60, y);
      const std::size_t withLine = Lines().size();
      step.record();
      ASSERT_EQ(Lines().size(), withLine - 1);
      refusal.refuse();
      Command(kCmdEscape);
      s() = saved;
      EXPECT_EQ(Lines().size(), withLine - 1);
      Command(kCmdUndo);
      ASSERT_EQ(Lines().size(), withLine) << "the undo must bring the line back";
      ExpectNear(Lines().back().a, {10, y});
    }
  }
}

}  // namespace
}  // namespace plenwick
