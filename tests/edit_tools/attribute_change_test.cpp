// Guards the attribute dialogs a double click of the selection tool opens: fields read whole
// (12345.678901 must not lose digits) and anything that is no number refused with the message
// that names the field; the shape radios' enabling; every kind with a dialog (line, point,
// circle, arc, polygon, curves, hatching, paint, text, leader text, dimension, picture) replaced
// with its new values relative to the origin offset and its new look in one undo step, curves
// changed in place; a text's string and a face that is not installed kept; a dimension's parts
// made anew and given back by undo; cancel and a protected drawing change nothing.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "edit_fixture.h"
#include "model/entity_core.h"
#include "model/number_text.h"
#include "model/plenwick_doc.h"
#include "model/program_settings.h"
#include "platform/sjis.h"
#include "tools/draw/image_tool.h"
#include "tools/draw/line_geometry.h"
#include "tools/draw/text_input.h"
#include "tools/edit/change_arc_dlg.h"
#include "tools/edit/change_dim_dlg.h"
#include "tools/edit/change_image_dlg.h"
#include "tools/edit/change_line_dlg.h"
#include "tools/edit/change_text_dlg.h"
#include "view/dimension_record.h"
#include "view/tool_framework/command_ids.h"

namespace plenwick {
namespace {

using testing::ExpectValues;

class AttributeChangeTest : public testing::EditToolTest {
 protected:
  AttributeChangeTest() {
    t.doc->originX = 10;
    t.doc->originY = 20;
    EXPECT_TRUE(t.router->OnCommand(32801));  // 図形選択
  }
  // A double click on `at` answered by `script`.
  void DoubleClickWith(ModelPoint at, std::function<bool(AttributeDialogModel&)> script) {
    t.ui.attributeScript = std::move(script);
    DoubleClick(at.x, at.y);
  }
};

struct ExecuteCase {
  int shape;
  std::vector<std::string> texts;
  std::string_view message;  // empty: accepted
  int focus;
  int16_t kind;
  std::vector<double> values;  // model mm, with the origin offset (10, 20)
};

TEST_F(AttributeChangeTest, ExecuteReadsWholeFieldsInOrderAndNamesTheOneAtFault) {
  using D = CChangeLineDlg;
  const std::vector<ExecuteCase> cases = {
      {D::kFree, {"1", "2", "3", "4"}, "", 0, kLine, {11, 22, 13, 24}},
      {D::kFree, {"12345.678901", "-.5", "5.", "-0"}, "", 0, kLine, {12355.678901, 19.5, 15, 20}},
      {D::kFree, {"", "", "", ""}, "始端側Ｘ座標値が入力されていません！", 0, 0, {}},
      {D::kFree, {"1", "", "x", ""}, "始端側Ｙ座標値が入力されていません！", 1, 0, {}},
      {D::kFree, {"1", "2", "", "4"}, "終端側Ｘ座標値が入力されていません！", 2, 0, {}},
      {D::kFree, {"1", "2", "3", ""}, "終端側Ｙ座標値が入力されていません！", 3, 0, {}},
      {D::kFree, {"--1", "", "", ""}, "始端側Ｘ座標の入力に誤りがあります！", 0, 0, {}},
      {D::kFree, {"1", "1-2", "", ""}, "始端側Ｙ座標の入力に誤りがあります！", 1, 0, {}},
      {D::kFree, {"1", "2", ".", ""}, "終端側Ｘ座標の入力に誤りがあります！", 2, 0, {}},
      {D::kFree, {"1", "2", "3", "-"}, "終端側Ｙ座標の入力に誤りがあります！", 3, 0, {}},
      {D::kFree, {"1e5", "2", "3", "4"}, "始端側Ｘ座標の入力に誤りがあります！", 0, 0, {}},
      {D::kFree, {"+1", "2", "3", "4"}, "始端側Ｘ座標の入力に誤りがあります！", 0, 0, {}},
      {D::kFree, {" 1", "2", "3", "4"}, "始端側Ｘ座標の入力に誤りがあります！", 0, 0, {}},
      {D::kFree, {"1..2", "2", "3", "4"}, "始端側Ｘ座標の入力に誤りがあります！", 0, 0, {}},
      // Ends the drawing cannot hold are named too, before anything is replaced.
      {D::kFree, {"1", "2", "99999999999999", "4"}, "終端側Ｘ座標の入力に誤りがあります！", 2, 0, {}},
      {D::kFree, {"1", "-99999999999", "3", "4"}, "始端側Ｙ座標の入力に誤りがあります！", 1, 0, {}},
      // Disabled edits are not read.
      {D::kHorizontal, {"", "5", "junk", ""}, "", 0, kHorizontalInfiniteLine, {kInfiniteLow, 25, kInfiniteHigh, 25}},
      {D::kVertical, {"7", "", "", "junk"}, "", 0, kVerticalInfiniteLine, {17, kInfiniteLow, 17, kInfiniteHigh}},
      {D::kHorizontal, {"1", "", "3", "4"}, "始端側Ｙ座標値が入力されていません！", 1, 0, {}},
      {D::kVertical, {"1-", "", "3", "4"}, "始端側Ｘ座標の入力に誤りがあります！", 0, 0, {}},
  };
  const DrawEntity* line = Add(kLine, {100, 200, 300, 400});
  for (const ExecuteCase& c : cases) {
    SCOPED_TRACE(c.texts[0] + "|" + c.texts[1] + "|" + c.texts[2] + "|" + c.texts[3] + " shape " + std::to_string(c.shape));
    CChangeLineDlg dialog(*line, t.doc->originX, t.doc->originY);
    dialog.SetChoice(CChangeLineDlg::kShapeChoice, c.shape);
    t.ui.messages.clear();
    const bool ok = dialog.OnExecute(c.texts, t.ui);
    EXPECT_EQ(ok, c.message.empty());
    if (ok) {
      EXPECT_TRUE(t.ui.messages.empty());
      EXPECT_EQ(dialog.geometry().kind, c.kind);
      EXPECT_EQ(dialog.geometry().values, c.values) << "read exactly, not rounded";
      EXPECT_EQ(dialog.geometry().codes, (std::vector<int16_t>{10, 20, 11, 22}));
    } else {
      EXPECT_EQ(t.ui.messages, std::vector<std::string>{std::string(c.message)});
      EXPECT_EQ(dialog.focusField(), c.focus);
    }
  }
}

TEST_F(AttributeChangeTest, OpensWithEndsRelativeToTheOriginAndTheShapeOfTheKind) {
  struct OpenCase {
    int16_t kind;
    std::vector<double> values;
    int16_t lineAttr;
    int shape;
    std::array<std::string, 4> texts;
    std::array<bool, 4> enabled;
  };
  const std::vector<OpenCase> cases = {
      {kLine, {110, 220.5, 13.126, 20}, 105, CChangeLineDlg::kFree, {"100", "200.5", "3.13", "0"}, {1, 1, 1, 1}},
      {kHorizontalInfiniteLine, {kInfiniteLow, 50, kInfiniteHigh, 50}, 0, CChangeLineDlg::kHorizontal,
       {"-999999.9", "30", "9999999.9", "30"}, {0, 1, 0, 0}},
      {kVerticalInfiniteLine, {60, kInfiniteLow, 60, kInfiniteHigh}, 702, CChangeLineDlg::kVertical,
       {"50", "-999999.9", "50", "9999999.9"}, {1, 0, 0, 0}},
      {kAngledInfiniteLine, {10, 20, 11, 21}, 307, CChangeLineDlg::kFree, {"0", "0", "1", "1"}, {1, 1, 1, 1}},
  };
  for (const OpenCase& c : cases) {
    SCOPED_TRACE(c.kind);
    DrawEntity* e = Add(c.kind, c.values);
    e->lineAttr = c.lineAttr;
    const CChangeLineDlg dialog(*e, t.doc->originX, t.doc->originY);
    EXPECT_EQ(dialog.caption(), "直線作図属性変更");
    EXPECT_EQ(dialog.choice(CChangeLineDlg::kShapeChoice), c.shape);
    for (int field = 0; field < 4; ++field) {
      EXPECT_EQ(dialog.initialText(field), c.texts[static_cast<std::size_t>(field)]);
      EXPECT_EQ(dialog.FieldEnabled(field), c.enabled[static_cast<std::size_t>(field)]);
    }
    EXPECT_EQ(dialog.look().lineType, c.lineAttr / 100);
    EXPECT_EQ(dialog.look().pen, c.lineAttr % 100);
    EXPECT_EQ(dialog.look().lineAttr(), c.lineAttr) << "an unchanged look is saved back as it was";
  }
  // Choosing a pen takes its colour; a number beyond the pens changes nothing.
  CChangeLineDlg dialog(*Add(kLine, {0, 0, 1, 1}), 0, 0);
  CurrentSettings().PenColours[5] = 0x123456;
  dialog.look().SelectPen(5);
  EXPECT_EQ(dialog.look().colour, 0x123456);
  EXPECT_EQ(dialog.look().pen, 5);
  dialog.look().SelectPen(8);
  EXPECT_EQ(dialog.look().pen, 5);
}

// The dialog a double click opens on a random line of any kind: random texts, shape and look
// replace it in one undo step; Ctrl+Z gives the drawing back.
class AttributeReplacement : public AttributeChangeTest, public ::testing::WithParamInterface<int> {};

TEST_P(AttributeReplacement, ReplacesTheLineInOneUndoStep) {
  std::mt19937 random(static_cast<unsigned>(GetParam()));
  auto coordinate = [&] { return RandomCoordinate(random); };
  const auto kind = static_cast<int16_t>(kLine + GetParam() % 4);
  std::vector<double> values{coordinate(), coordinate(), coordinate(), coordinate()};
  ModelPoint at{(values[0] + values[2]) / 2, (values[1] + values[3]) / 2};
  if (kind == kHorizontalInfiniteLine) values = {kInfiniteLow, values[1], kInfiniteHigh, values[1]};
  if (kind == kVerticalInfiniteLine) values = {values[0], kInfiniteLow, values[0], kInfiniteHigh};
  if (kind == kHorizontalInfiniteLine) at = {300, values[1]};
  if (kind == kVerticalInfiniteLine) at = {values[0], 300};
  const bool grouped = GetParam() % 8 == 0;  // lines only: a group of one line
  DrawEntity* line = grouped ? Group({values})->next : Add(kind, values, 3, 0);
  line->lineAttr = 203;
  line->colour = 0x445566;
  const std::string before = Dump();

  const int shape = static_cast<int>(random() % 3);
  const std::array<double, 4> typed{coordinate(), coordinate() + 0.25, -coordinate(), coordinate()};
  const int pen = static_cast<int>(random() % 8);
  const int lineType = static_cast<int>(random() % 8);
  CurrentSettings().PenColours[static_cast<std::size_t>(pen)] = 0x0A0B0C + pen;
  DoubleClickWith(at, [&](AttributeDialogModel& dialog) {
    EXPECT_EQ(dialog.look().lineAttr(), 203);
    dialog.SetChoice(CChangeLineDlg::kShapeChoice, shape);
    dialog.look().lineType = lineType;
    dialog.look().SelectPen(pen);
    std::vector<std::string> texts;
    for (const double v : typed) texts.push_back(FormatNumberText(v, 6));
    return dialog.OnExecute(texts, t.ui);
  });
  ASSERT_EQ(t.ui.attributeCaptions, std::vector<std::string>{"直線作図属性変更"});
  const DrawEntity* changed = t.doc->entities.tail;
  ASSERT_NE(changed, line);
  std::vector<double> expected{typed[0] + 10, typed[1] + 20, typed[2] + 10, typed[3] + 20};
  int16_t expectedKind = kind == kAngledInfiniteLine ? kAngledInfiniteLine : kLine;
  if (shape == CChangeLineDlg::kHorizontal) {
    expectedKind = kHorizontalInfiniteLine;
    expected = {kInfiniteLow, expected[1], kInfiniteHigh, expected[1]};
  } else if (shape == CChangeLineDlg::kVertical) {
    expectedKind = kVerticalInfiniteLine;
    expected = {expected[0], kInfiniteLow, expected[0], kInfiniteHigh};
  }
  EXPECT_EQ(changed->kind, expectedKind);
  ExpectValues(Values(changed), expected);
  EXPECT_EQ(changed->lineAttr, lineType * 100 + pen);
  EXPECT_EQ(changed->colour, 0x0A0B0C + pen);
  EXPECT_EQ(changed->layer, 0);
  EXPECT_EQ(changed->subKind, grouped ? 0 : 3);
  if (grouped) {
    ASSERT_NE(changed->owner, nullptr);
    EXPECT_EQ(changed->owner->kind, kGroupHeader);
    EXPECT_EQ(changed->prev, changed->owner) << "a group's member follows its header";
  }
  EXPECT_TRUE(t.doc->IsModified());

  Command(kCmdUndo);
  EXPECT_EQ(Dump(), before);
  EXPECT_EQ(line->lineAttr, 203);
  EXPECT_EQ(line->colour, 0x445566);
}

INSTANTIATE_TEST_SUITE_P(RandomLines, AttributeReplacement, ::testing::Range(0, 40));

struct KindCase {
  int16_t kind;
  int16_t subKind;
  std::vector<double> values;
  ModelPoint at;  // on the element
  std::string caption;
  std::vector<std::string> shown;
  std::vector<int> choices;  // chosen per group
  std::vector<std::string> refused;  // answered first, when given, with `message`
  std::string message;
  std::vector<std::string> typed;
  int16_t newKind;
  int16_t newSubKind;
  std::vector<double> newValues;
  int16_t newLineAttr = 601;       // type 6 and the old pen 1 unless a paint's pattern is chosen
  std::vector<int16_t> codes = {};  // of a hatching or paint (others get the fixture's)
};

// A square boundary of four vertices from (x, y), 100 mm wide, as the region records keep it.
std::vector<int16_t> SquareCodes(std::vector<int16_t> head) {
  for (int i = 0; i < 4; ++i) head.insert(head.end(), {10, 20});
  return head;
}
std::vector<double> SquareValues(std::vector<double> head, double x, double y) {
  head.insert(head.end(), {x, y, x + 100, y, x + 100, y + 100, x, y + 100});
  return head;
}

// Each kind with a dialog: the caption and values shown, the choices and edits changed, and the
// element replaced in one undo step, or a curve changed where it stands.
TEST_F(AttributeChangeTest, EveryKindOpensItsDialogAndTakesTheNewValues) {
  const std::vector<KindCase> cases = {
      {kPoint, 1, {100, 100}, {100, 100}, "点作図属性変更", {"90", "80"}, {2}, {"1-", "2"}, "Ｘ座標の入力に誤りがあります！",
       {"95.5", "-20"}, kPoint, 2, {105.5, 0}},
      {kCircle, 0, {200, 200, 50}, {250, 200}, "円作図属性変更", {"190", "180", "50", "0", "360"}, {1, 0}, {}, "",
       {"190", "180", "25", "30", "-120.5"}, kArc, -1, {200, 200, 25, 30, -120.5}},
      {kArc, 1, {300, 300, 40, 0, 90}, {300, 340}, "円作図属性変更", {"290", "280", "40", "0", "90"}, {0, 0},
       {"290", "280", "0", "x", ""}, "半径の入力に誤りがあります！", {"290", "280", "40", "x", ""}, kCircle, 0,
       {300, 300, 40}},
      {kArc, -1, {300, 300, 40, 0, 90}, {300, 340}, "円作図属性変更", {"290", "280", "40", "0", "90"}, {1, 1},
       {"290", "280", "40", "1", ""}, "終了角度値が入力されていません！", {"290", "280", "40", "1", "2"}, kArc, 1,
       {300, 300, 40, 1, 2}},
      {kPolygon, 0, {100, 400, 200, 400, 150, 480}, {150, 400}, "多角形作図属性変更", {}, {}, {}, "", {}, kPolygon, 0,
       {100, 400, 200, 400, 150, 480}},
      {kFreeCurve, 0, {400, 500, 450, 520, 500, 500}, {400, 500}, "曲線作図属性変更", {}, {}, {}, "", {}, kFreeCurve, 0,
       {400, 500, 450, 520, 500, 500}},
      {kBezierCurve, 0, {100, 500, 200, 520, 300, 500}, {100, 500}, "曲線作図属性変更", {}, {}, {}, "", {}, kBezierCurve, 0,
       {100, 500, 200, 520, 300, 500}},
      {kHatch, 1, SquareValues({20, 10, 0, 450, 100, 550, 200}, 450, 100), {500, 100}, "ハッチング作図属性変更",
       {"20", "10", "0"}, {3}, {"0", "1", "2"}, "縦間隔の入力に誤りがあります！", {"5", "7.5", "-45"}, kHatch, 3,
       SquareValues({5, 7.5, -45, 450, 100, 550, 200}, 450, 100), 601, SquareCodes({4, 0, 0, 60, 61, 62, 63})},
      {kPaint, 4, SquareValues({0, 0}, 600, 100), {650, 100}, "塗りつぶし作図属性変更", {}, {4}, {}, "", {}, kPaint, 4,
       SquareValues({0, 0}, 600, 100), 401, SquareCodes({4, 0})},
  };
  for (const KindCase& c : cases) {
    SCOPED_TRACE(c.caption + " kind " + std::to_string(c.kind));
    t.ui.messages.clear();
    t.ui.attributeCaptions.clear();
    for (DrawEntity& other : t.doc->entities) {
      if (other.kind != kGrid) other.layer = 5;  // earlier cases' elements are not picked any more
    }
    DrawEntity* e = nullptr;
    if (c.codes.empty()) {
      e = Add(c.kind, c.values, c.subKind, 0);
    } else {
      ASSERT_EQ(t.doc->AddDocumentEntity({c.kind, c.subKind, 0, 0, static_cast<int16_t>(c.values.size())}, nullptr,
                                         c.codes.data(), 0, c.values.data(), nullptr, &e),
                0);
    }
    e->lineAttr = 101;
    const std::string before = Dump();
    const bool inPlace = c.kind == kBezierCurve || c.kind == kFreeCurve;
    t.doc->SetModifiedFlag(false);
    DoubleClickWith(c.at, [&](AttributeDialogModel& dialog) {
      std::vector<std::string> shown;
      for (int i = 0; i < dialog.fieldCount(); ++i) shown.push_back(dialog.initialText(i));
      EXPECT_EQ(shown, c.shown);
      dialog.look().lineType = 6;
      dialog.look().colour = 0x00ABCDEF;
      for (std::size_t g = 0; g < c.choices.size(); ++g) dialog.SetChoice(static_cast<int>(g), c.choices[g]);
      if (!c.refused.empty()) {
        EXPECT_FALSE(dialog.OnExecute(c.refused, t.ui));
      }
      return dialog.OnExecute(c.typed, t.ui);
    });
    EXPECT_EQ(t.ui.attributeCaptions, std::vector<std::string>{c.caption});
    EXPECT_EQ(t.ui.messages, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    const DrawEntity* changed = t.doc->entities.tail;
    EXPECT_EQ(changed == e, inPlace);
    EXPECT_EQ(changed->kind, c.newKind);
    EXPECT_EQ(changed->subKind, c.newSubKind);
    ExpectValues(Values(changed), c.newValues);
    EXPECT_EQ(changed->lineAttr, c.newLineAttr);
    EXPECT_EQ(changed->colour, 0x00ABCDEF);
    EXPECT_TRUE(t.doc->IsModified());
    if (inPlace) continue;
    Command(kCmdUndo);
    EXPECT_EQ(Dump(), before);
    EXPECT_EQ(e->lineAttr, 101);
  }
}

TEST_F(AttributeChangeTest, CancelAndAProtectedDrawingChangeNothing) {
  DrawEntity* line = Add(kLine, {100, 100, 300, 100});
  DrawEntity* curve = Add(kFreeCurve, {400, 500, 450, 520});
  const std::string before = Dump();
  DoubleClickWith({200, 100}, [](AttributeDialogModel&) { return false; });
  EXPECT_EQ(t.ui.attributeCaptions.size(), 1u);
  EXPECT_EQ(Dump(), before);
  EXPECT_EQ(Records(kLine), std::vector<const DrawEntity*>{line});

  t.doc->protection = kWriteProtected;
  t.doc->SetModifiedFlag(false);
  auto changeAll = [&](AttributeDialogModel& dialog) {
    dialog.look().SelectPen(4);
    return dialog.OnExecute({"1", "2", "3", "4"}, t.ui);
  };
  DoubleClickWith({200, 100}, changeAll);
  DoubleClickWith({400, 500}, changeAll);
  EXPECT_EQ(t.ui.attributeCaptions.size(), 3u);
  EXPECT_EQ(t.docUi.messages, std::vector<std::string>(2, std::string(kWriteProtectedMessage)));
  EXPECT_EQ(Dump(), before) << "the old line is kept, not left in the undo buffer";
  EXPECT_EQ(Records(kLine), std::vector<const DrawEntity*>{line});
  EXPECT_EQ(line->lineAttr, 0);
  EXPECT_EQ(curve->lineAttr, 0);
  EXPECT_FALSE(t.doc->IsModified());
}

std::string Sjis(std::string_view utf8) { return Utf8ToSjis(utf8); }

// What the texts of a dialog are answered with, and what the new record must hold.
struct StringCase {
  std::string label;
  int16_t kind;
  int16_t subKind;
  std::vector<double> values;
  ModelPoint at;  // on the element
  std::string caption;
  std::vector<std::string> shown;
  std::vector<std::pair<int, int>> choices;  // group, value
  std::vector<std::string> typed;
  int16_t newSubKind;
  std::vector<double> newValues;
  std::string newText;  // UTF-8
  std::string newFont;  // UTF-8
};

// Texts and leader texts: the string, the font (a stored face that is not installed listed and
// chosen), the sizes, and a leader's string placed anew from its leader as the text tool places
// it (to the left of a bend left of the start; an underline of a double-byte string).
TEST_F(AttributeChangeTest, TextsTakeTheirStringFontAndSizesAndLeadersPlaceTheirStringAnew) {
  t.ui.fonts = {"Noto Sans", "DejaVu Serif"};
  using L = CChangeLineTextDlg;
  const std::vector<StringCase> cases = {
      {"text", kText, 2, {100, 100, 10, 10, 0}, {104, 104}, "文字列作図属性変更", {"ABC", "10", "10", "0", "90", "80"},
       {{CChangeTextDlg::kFontChoice, 1}}, {"新しい文字", "5", "4.5", "30", "0", "-10"}, 2, {10, 10, 5, 4.5, 30},
       "新しい文字", "DejaVu Serif"},
      {"leader to the right", kLeaderText, 0, {345, 315, 10, 10, 0, 300, 300, 340, 320}, {350, 320}, "指示線付き文字作図属性変更",
       {"ABC", "10", "10", "0"}, {{L::kShapeChoice, 0}}, {"AB", "10", "10", "0"}, 0,
       {345, 315, 10, 10, 0, 300, 300, 340, 320}, "AB", "ＭＳゴシック"},
      {"leader to the left", kLeaderText, 3, {250, 315, 10, 10, 0, 300, 300, 260, 320}, {255, 320},
       "指示線付き文字作図属性変更", {"ABC", "10", "10", "0"}, {{L::kArrowChoice, 1}}, {"AB", "10", "8", "0"}, 1,
       {235, 315, 10, 8, 0, 300, 300, 260, 320}, "AB", "ＭＳゴシック"},
      {"leader underlined", kLeaderText, 13, {345, 315, 10, 10, 0, 300, 300, 340, 320}, {350, 320},
       "指示線付き文字作図属性変更", {"ABC", "10", "10", "0"}, {{L::kShapeChoice, 2}, {L::kFontChoice, 0}},
       {"ＡＢ", "10", "10", "0"}, 23, {345, 325, 10, 10, 0, 300, 300, 340, 320, 365, 320}, "ＡＢ", "Noto Sans"},
  };
  for (const StringCase& c : cases) {
    SCOPED_TRACE(c.label);
    for (DrawEntity& other : t.doc->entities) {
      if (other.kind != kGrid) other.layer = 5;
    }
    t.ui.attributeCaptions.clear();
    std::vector<int16_t> codes = {10, 20, 30, 40, 50, 60, 61, 70, 71, 80, 81};
    codes.resize(c.values.size());
    DrawEntity* e = nullptr;
    ASSERT_EQ(t.doc->AddDocumentEntity({c.kind, c.subKind, 0, 0, static_cast<int16_t>(c.values.size())}, nullptr,
                                       codes.data(), 0, c.values.data(), "ABC", &e),
              0);
    ASSERT_EQ(e->font.view(), Sjis("ＭＳゴシック"));
    const std::string before = Dump();
    DoubleClickWith(c.at, [&](AttributeDialogModel& dialog) {
      std::vector<std::string> shown;
      for (int i = 0; i < dialog.fieldCount(); ++i) shown.push_back(dialog.initialText(i));
      EXPECT_EQ(shown, c.shown);
      const AttributeChoice& fonts = dialog.choices()[0];
      EXPECT_EQ(fonts.labels, (std::vector<std::string>{"Noto Sans", "DejaVu Serif", "ＭＳゴシック"}))
          << "a face that is not installed stays listed";
      EXPECT_EQ(dialog.choice(0), 2) << "and chosen";
      for (const auto& [group, value] : c.choices) dialog.SetChoice(group, value);
      return dialog.OnExecute(c.typed, t.ui);
    });
    ASSERT_EQ(t.ui.attributeCaptions, std::vector<std::string>{c.caption});
    const DrawEntity* changed = t.doc->entities.tail;
    ASSERT_NE(changed, e);
    EXPECT_EQ(changed->kind, c.kind);
    EXPECT_EQ(changed->subKind, c.newSubKind);
    ExpectValues(Values(changed), c.newValues);
    EXPECT_EQ(changed->text.view(), Sjis(c.newText));
    EXPECT_EQ(changed->font.view(), Sjis(c.newFont));
    Command(kCmdUndo);
    EXPECT_EQ(Dump(), before);
    EXPECT_EQ(Records(c.kind).back(), e);
  }
}

TEST_F(AttributeChangeTest, TextEditsNameTheFieldAtFaultAndCutTheString) {
  DrawEntity* text = nullptr;
  const double values[5] = {100, 100, 10, 10, 0};
  const int16_t codes[5] = {10, 20, 30, 40, 50};
  ASSERT_EQ(t.doc->AddDocumentEntity({kText, 0, 0, 0, 5}, nullptr, codes, 0, values, "ABC", &text), 0);
  struct Case {
    std::vector<std::string> texts;
    std::string message;
    int focus;
  };
  const std::string emoji = "\xF0\x9F\x98\x80";
  const std::vector<Case> cases = {
      {{"x", "", "1", "0", "0", "0"}, "文字高さ値が入力されていません！", 1},
      {{"x", "0", "1", "0", "0", "0"}, "文字高さの入力に誤りがあります！", 1},
      {{"x", "1", "-1", "0", "0", "0"}, "文字幅の入力に誤りがあります！", 2},
      {{"x", "1", "1", "1-", "0", "0"}, "角度の入力に誤りがあります！", 3},
      {{"x", "1", "1", "0", "0", ""}, "Ｙ座標値が入力されていません！", 5},
      {{"a" + emoji, "1", "1", "0", "0", "0"}, UnkeepableCharacterMessage(emoji), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    CChangeTextDlg dialog(*text, 10, 20, {});
    t.ui.messages.clear();
    EXPECT_FALSE(dialog.OnExecute(c.texts, t.ui));
    EXPECT_EQ(t.ui.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(dialog.focusField(), c.focus);
  }
  // A string longer than a record keeps is cut at a character boundary, as the text tool cuts it.
  CChangeTextDlg dialog(*text, 10, 20, {});
  std::string longText = "a";
  for (int i = 0; i < 70; ++i) longText += "字";
  ASSERT_TRUE(dialog.OnExecute({longText, "1", "1", "0", "0", "0"}, t.ui));
  EXPECT_EQ(dialog.strings().text->size(), 125u);
  EXPECT_FALSE(dialog.strings().font) << "an unchanged face stays the element's own";
}

// The distance dimension from (100, 100) to (200, 100) with its line at y 130.
DrawEntity* AddDistanceDimension(CPlenwickDoc& doc) {
  const int16_t codes[18] = {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 21, 22, 40, 41, 50, 51};
  const double values[18] = {PackDimensionField(MakeDimensionPacked(0, "")), 0, 0, 100, 20, 0, 1100, 12, 30, 30, 10,
                             10, 100, 100, 100, 130, 200, 130};
  DrawEntity* d = nullptr;
  EXPECT_EQ(doc.AddDocumentEntity({kDimension, 0, 3, 0, 18}, nullptr, codes, 0, values, nullptr, &d), 0);
  return d;
}

std::vector<const DrawEntity*> TextParts(const DrawEntity& dimension) {
  std::vector<const DrawEntity*> texts;
  for (const DrawEntity* p = dimension.next; p && p->owner == &dimension; p = p->next) {
    if (p->kind == kText) texts.push_back(p);
  }
  return texts;
}

// A double click on a dimension's part opens its dimension; the prefix keeps 4 bytes without
// half a character, the tolerance combo names the types of the tolerance dialog (its fourth
// entry stored as 7), the parts are made anew in the font chosen, and undo gives back the old
// dimension with its parts.
TEST_F(AttributeChangeTest, ADimensionIsChangedThroughItsPartAndMakesItsPartsAnew) {
  t.ui.fonts = {"Noto Sans"};
  CurrentSettings().DimFont.assign(Sjis("ＭＳゴシック"));
  DrawEntity* dimension = AddDistanceDimension(*t.doc);
  ASSERT_EQ(TextParts(*dimension).size(), 1u);
  EXPECT_EQ(TextParts(*dimension)[0]->text.view(), "100");
  const std::string before = Dump();
  DoubleClickWith({150, 130}, [&](AttributeDialogModel& dialog) {
    EXPECT_EQ(dialog.initialText(CChangeDimDLg::kPrefix), "");
    EXPECT_EQ(dialog.initialText(CChangeDimDLg::kTextSize), "20");
    EXPECT_EQ(dialog.initialText(CChangeDimDLg::kExtUpper), "30");
    EXPECT_EQ(dialog.initialText(CChangeDimDLg::kExtLower), "10");
    EXPECT_EQ(dialog.choices()[CChangeDimDLg::kDecimalsChoice].labels.size(), 5u) << "decimals 0..4";
    EXPECT_EQ(dialog.choices()[CChangeDimDLg::kToleranceChoice].labels[3].substr(0, 13), " タイプ３");
    EXPECT_EQ(dialog.choices()[CChangeDimDLg::kFontChoice].labels, (std::vector<std::string>{"Noto Sans", "ＭＳゴシック"}));
    EXPECT_EQ(dialog.choice(CChangeDimDLg::kFontChoice), 1);
    EXPECT_FALSE(dialog.FieldEnabled(CChangeDimDLg::kTolerance1)) << "no tolerance type: no values";
    dialog.SetChoice(CChangeDimDLg::kArrowChoice, 3);
    dialog.SetChoice(CChangeDimDLg::kDecimalsChoice, 2);
    dialog.SetChoice(CChangeDimDLg::kToleranceChoice, 3);
    dialog.SetChoice(CChangeDimDLg::kFontChoice, 0);
    dialog.look().SelectPen(2);
    return dialog.OnExecute({"ＡＢＣ", "10", "5", "0", "0.0015", "0.0025"}, t.ui);
  });
  ASSERT_EQ(t.ui.attributeCaptions, std::vector<std::string>{"寸法線作図属性変更"});
  const DrawEntity* changed = Records(kDimension).back();
  ASSERT_NE(changed, dimension);
  const DimensionRecord r(*changed);
  EXPECT_EQ(r.ToleranceType(), 7);
  EXPECT_EQ(r.Prefix(), Sjis("ＡＢ"));
  EXPECT_EQ(r.Get(kDimCodeTolerance1), 0.0015);
  EXPECT_EQ(r.Get(kDimCodeTolerance2), 0.0025);
  EXPECT_EQ(r.Get(kDimCodeTextSize), 10);
  EXPECT_EQ(r.Get(kDimCodeFormat), 1120);
  EXPECT_EQ(r.Get(kDimCodeMarks), 33312);
  EXPECT_EQ(r.Get(kDimCodeExtUpperFirst), 5);
  EXPECT_EQ(r.Get(kDimCodeExtLowerLast), 0);
  EXPECT_EQ(r.Get(kDimCodeValue), 100) << "what was measured stays";
  EXPECT_EQ(changed->lineAttr, 2);
  const std::vector<const DrawEntity*> texts = TextParts(*changed);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0]->text.view(), Sjis("ＡＢ") + "100.00");
  EXPECT_EQ(texts[1]->text.view(), "+0.0015");
  EXPECT_EQ(texts[2]->text.view(), "+0.0025");
  for (const DrawEntity* part : texts) EXPECT_EQ(part->font.view(), "Noto Sans");

  Command(kCmdUndo);
  EXPECT_EQ(Dump(), before);
  EXPECT_EQ(Records(kDimension), std::vector<const DrawEntity*>{dimension});
  ASSERT_EQ(TextParts(*dimension).size(), 1u);
  EXPECT_EQ(TextParts(*dimension)[0]->font.view(), Sjis("ＭＳゴシック"));
}

TEST_F(AttributeChangeTest, DimensionEditsAreCheckedAndTheToleranceTableIsTheToleranceDialogs) {
  for (int type = 0; type <= kMaxToleranceType; ++type) {
    EXPECT_EQ(CChangeDimDLg::ToleranceTypeOf(CChangeDimDLg::IndexOfToleranceType(type)), type);
  }
  EXPECT_EQ(CChangeDimDLg::ToleranceTypeOf(3), 7);
  EXPECT_EQ(CChangeDimDLg::ToleranceTypeOf(7), 3);
  const DrawEntity* dimension = AddDistanceDimension(*t.doc);
  struct Case {
    int toleranceIndex;
    std::vector<std::string> texts;
    std::string message;  // empty: accepted
    int focus;
  };
  const std::vector<Case> cases = {
      {0, {"", "10", "5", "0", "junk", "junk"}, "", 0},
      {0, {"", "", "5", "0", "", ""}, "文字サイズ値が入力されていません！", 1},
      {0, {"", "10", "-1", "0", "", ""}, "上引き出し線の入力に誤りがあります！", 2},
      {1, {"", "10", "5", "0", "1001", "junk"}, "公差値１の入力に誤りがあります！", 4},
      {1, {"", "10", "5", "0", "1", "junk"}, "", 0},
      {7, {"", "10", "5", "0", "1", ""}, "公差値２値が入力されていません！", 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    CChangeDimDLg dialog(*dimension, "System", {});
    dialog.SetChoice(CChangeDimDLg::kToleranceChoice, c.toleranceIndex);
    t.ui.messages.clear();
    EXPECT_EQ(dialog.OnExecute(c.texts, t.ui), c.message.empty());
    if (c.message.empty()) continue;
    EXPECT_EQ(t.ui.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(dialog.focusField(), c.focus);
  }
}

// A picture: its facts read through the tool UI, the rectangle as corners or as width and
// height, and a new file checked (a path a drawing cannot keep, a picture that does not load)
// and remembered.
TEST_F(AttributeChangeTest, APictureTakesItsCornersOrSizeAndANewFile) {
  t.ui.imageFacts = ToolUi::ImageFacts{640, 480, 24};
  DrawEntity* image = Add(kImage, {100, 100, 200, 180});
  const std::string before = Dump();
  const std::string tooLong = "/" + std::string(kMaxImagePathBytes, 'a') + ".png";
  DoubleClickWith({150, 100}, [&](AttributeDialogModel& dialog) {
    using D = CChangeImageDlg;
    EXPECT_EQ(dialog.Facts()[0].second, "640");
    EXPECT_EQ(dialog.Facts()[2].second, "24");
    std::vector<std::string> texts;
    for (int i = 0; i < dialog.fieldCount(); ++i) texts.push_back(dialog.initialText(i));
    EXPECT_EQ(texts, (std::vector<std::string>{"90", "80", "190", "160", "100", "80", "a.png"}));
    EXPECT_TRUE(dialog.FieldEnabled(D::kEndX));
    EXPECT_FALSE(dialog.FieldEnabled(D::kWidth));
    texts[D::kEndX] = "250";
    dialog.SetChoice(D::kShapeChoice, D::kSize);
    dialog.RewriteTexts(D::kShapeChoice, D::kCorners, texts);
    EXPECT_EQ(texts[D::kWidth], "160");
    texts[D::kWidth] = "0";
    EXPECT_FALSE(dialog.OnExecute(texts, t.ui));
    EXPECT_EQ(dialog.focusField(), D::kWidth);
    texts[D::kWidth] = "";
    EXPECT_FALSE(dialog.OnExecute(texts, t.ui));
    texts[D::kWidth] = "-";
    texts[D::kHeight] = "40";
    t.ui.imageAnswer = "/pictures/b.png";
    texts[D::kPath] = *dialog.Browse(D::kPath);
    EXPECT_FALSE(dialog.OnExecute(texts, t.ui));
    texts[D::kWidth] = "50";
    t.ui.imageLoads = false;
    EXPECT_FALSE(dialog.OnExecute(texts, t.ui));
    t.ui.imageLoads = true;
    std::vector<std::string> longer = texts;
    longer[D::kPath] = tooLong;
    EXPECT_FALSE(dialog.OnExecute(longer, t.ui));
    EXPECT_EQ(dialog.focusField(), D::kPath);
    return dialog.OnExecute(texts, t.ui);
  });
  EXPECT_EQ(t.ui.messages, (std::vector<std::string>{"画像幅の値の入力に誤りがあります！", "画像幅の値が入力されていません！",
                                                     "画像幅の値の入力に誤りがあります！",
                                                     std::string(kImageUnreadableMessage) + "/pictures/b.png",
                                                     std::string(kImageUnstorableMessage) + tooLong}));
  const DrawEntity* changed = t.doc->entities.tail;
  ASSERT_NE(changed, image);
  ExpectValues(Values(changed), {100, 100, 150, 140});
  EXPECT_EQ(changed->text.view(), "/pictures/b.png");
  EXPECT_EQ(t.ui.rememberedImages, std::vector<std::string>{"/pictures/b.png"});
  Command(kCmdUndo);
  EXPECT_EQ(Dump(), before);
  EXPECT_EQ(image->text.view(), "a.png");
}

// On a protected drawing the dimension stays with its parts and the parts' font setting stays.
TEST_F(AttributeChangeTest, AProtectedDrawingKeepsTheDimensionAndTheFontSetting) {
  t.ui.fonts = {"Noto Sans"};
  CurrentSettings().DimFont.assign(Sjis("ＭＳゴシック"));
  AddDistanceDimension(*t.doc);
  const std::string before = Dump();
  t.doc->protection = kWriteProtected;
  DoubleClickWith({150, 130}, [&](AttributeDialogModel& dialog) {
    dialog.SetChoice(CChangeDimDLg::kFontChoice, 0);
    return dialog.OnExecute({"R", "10", "5", "0", "", ""}, t.ui);
  });
  EXPECT_EQ(t.docUi.messages, std::vector<std::string>{std::string(kWriteProtectedMessage)});
  EXPECT_EQ(Dump(), before);
  EXPECT_EQ(CurrentSettings().DimFont.view(), Sjis("ＭＳゴシック"));
}

// The dialog of a text, leader text, dimension or picture as the double click opens it.
std::unique_ptr<AttributeDialogModel> StringDialog(const DrawEntity& e, CPlenwickDoc& doc, testing::ScriptedToolUi& ui) {
  switch (e.kind) {
    case kText: return std::make_unique<CChangeTextDlg>(e, doc.originX, doc.originY, ui.fonts);
    case kLeaderText: return std::make_unique<CChangeLineTextDlg>(e, ui.fonts);
    case kDimension: return std::make_unique<CChangeDimDLg>(e, FindDimensionFont(doc.entities, &e), ui.fonts);
    default: return std::make_unique<CChangeImageDlg>(e, doc.originX, doc.originY, ui);
  }
}

// A group whose dimension's parts lie between its members: a member after them is replaced with
// the whole group (its header must not go to the undo buffer while the member still names it).
TEST_F(AttributeChangeTest, AGroupedLineAfterADimensionIsReplacedWithItsGroup) {
  DrawEntity* header = Group({});
  DrawEntity* dimension = AddDistanceDimension(*t.doc);
  DrawEntity* line = Add(kLine, {300, 300, 400, 300});
  for (DrawEntity* member : {dimension, line}) {
    member->owner = header;
    member->groupNo = header->groupNo;
  }
  const std::string before = Dump();
  DoubleClickWith({350, 300}, [&](AttributeDialogModel& dialog) { return dialog.OnExecute({"290", "280", "390", "290"}, t.ui); });
  const DrawEntity* changed = Records(kLine).back();
  ASSERT_NE(changed, line);
  ExpectValues(Values(changed), {300, 300, 400, 310});
  ASSERT_EQ(Records(kGroupHeader).size(), 1u);
  const DrawEntity* newHeader = Records(kGroupHeader).front();
  EXPECT_NE(newHeader, header);
  EXPECT_EQ(changed->owner, newHeader);
  EXPECT_EQ(Records(kDimension).back()->owner, newHeader);
  Command(kCmdUndo);
  EXPECT_EQ(Dump(), before);
}

// A random text, leader text, dimension or picture changed to random values, choices and look
// is replaced by one whose dialog shows just what was typed and chosen; Ctrl+Z gives the drawing
// back.
class StringKindReplacement : public AttributeChangeTest, public ::testing::WithParamInterface<int> {};

TEST_P(StringKindReplacement, ReopensWithWhatWasTypedAndUndoGivesTheOldElementBack) {
  std::mt19937 random(static_cast<unsigned>(GetParam()));
  t.ui.fonts = {"Noto Sans", "DejaVu Serif"};
  CurrentSettings().DimFont.assign(Sjis("ＭＳゴシック"));
  const double x = RandomCoordinate(random), y = RandomCoordinate(random);
  static constexpr int16_t kKinds[] = {kText, kLeaderText, kDimension, kImage};
  const int16_t kind = kKinds[GetParam() % 4];
  const int16_t codes[9] = {10, 20, 30, 40, 50, 60, 61, 70, 71};
  DrawEntity* e = nullptr;
  ModelPoint at{x + 2, y + 2};
  if (kind == kText) {
    const double v[5] = {x, y, 10, 10, 0};
    t.doc->AddDocumentEntity({kText, 0, 0, 0, 5}, nullptr, codes, 0, v, "AB", &e);
  } else if (kind == kLeaderText) {
    const double v[9] = {x, y, 10, 10, 0, x - 30, y - 25, x - 5, y + 5};
    t.doc->AddDocumentEntity({kLeaderText, 2, 0, 0, 9}, nullptr, codes, 0, v, "AB", &e);
  } else if (kind == kDimension) {
    e = AddDistanceDimension(*t.doc);
    at = {150, 130};
  } else {
    e = Add(kImage, {x, y, x + 60, y + 40});
    at = {x + 30, y + 20};
  }
  ASSERT_NE(e, nullptr);
  e->lineAttr = 3;
  const std::string before = Dump();

  auto number = [&](int low, int high) {
    return AttributeNumberText(std::uniform_int_distribution<int>(low * 4, high * 4)(random) / 4.0);
  };
  std::vector<std::string> typed;
  std::vector<int> chosen;
  const int pen = static_cast<int>(random() % 8);
  DoubleClickWith(at, [&](AttributeDialogModel& dialog) {
    for (int g = 0; g < static_cast<int>(dialog.choices().size()); ++g) {
      // A picture opens showing its corners whatever it was shown with.
      if (kind == kImage) break;
      dialog.SetChoice(g, static_cast<int>(random() % dialog.choices()[static_cast<std::size_t>(g)].labels.size()));
    }
    for (int i = 0; i < dialog.fieldCount(); ++i) {
      switch (dialog.field(i).kind) {
        case FieldKind::kX:
        case FieldKind::kY: typed.push_back(number(50, 500)); break;
        case FieldKind::kLength: typed.push_back(number(1, 40)); break;
        case FieldKind::kDistance: typed.push_back(number(0, 40)); break;
        case FieldKind::kAngle: typed.push_back(number(0, 359)); break;
        case FieldKind::kTolerance: typed.push_back(AttributeNumberText(double(random() % 100) / 4)); break;
        case FieldKind::kText: typed.push_back(kind == kImage ? dialog.initialText(i) : "字" + std::to_string(random() % 99));
      }
      if (!dialog.FieldEnabled(i)) typed.back() = dialog.initialText(i);
    }
    if (kind == kImage) {
      // The second corner right of and above the first, as a picture keeps them.
      typed[CChangeImageDlg::kEndX] = AttributeNumberText(std::stod(typed[CChangeImageDlg::kStartX]) + 20);
      typed[CChangeImageDlg::kEndY] = AttributeNumberText(std::stod(typed[CChangeImageDlg::kStartY]) + 10);
      typed[CChangeImageDlg::kWidth] = "20";
      typed[CChangeImageDlg::kHeight] = "10";
    }
    for (int g = 0; g < static_cast<int>(dialog.choices().size()); ++g) chosen.push_back(dialog.choice(g));
    dialog.look().SelectPen(pen);
    return dialog.OnExecute(typed, t.ui);
  });
  EXPECT_EQ(t.ui.messages, std::vector<std::string>{});
  const DrawEntity* changed = Records(kind).back();
  ASSERT_NE(changed, e);
  EXPECT_EQ(changed->lineAttr, pen) << "line type 0 kept, the pen chosen";
  const std::unique_ptr<AttributeDialogModel> again = StringDialog(*changed, *t.doc, t.ui);
  for (int i = 0; i < again->fieldCount(); ++i) {
    if (again->FieldEnabled(i)) {
      EXPECT_EQ(again->initialText(i), typed[static_cast<std::size_t>(i)]) << again->field(i).name;
    }
  }
  for (int g = 0; g < static_cast<int>(chosen.size()); ++g) EXPECT_EQ(again->choice(g), chosen[static_cast<std::size_t>(g)]);

  Command(kCmdUndo);
  EXPECT_EQ(Dump(), before);
  EXPECT_EQ(Records(kind).back(), e);
}

INSTANTIATE_TEST_SUITE_P(RandomElements, StringKindReplacement, ::testing::Range(0, 24));

}  // namespace
}  // namespace plenwick
