// Guards the numeric input dialog: strict left-to-right arithmetic without precedence, the
// removal of half- and full-width spaces, refusal of anything that is not a plain expression
// (with the dialog kept open and its message shown, never a made-up value), the 40-character
// edit, and the labels by kind.
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "support/recording_ui.h"
#include "view/tool_framework/numeric_input.h"

namespace plenwick {
namespace {

using testing::RecordingUserInterface;

TEST(NumericInputEvaluation, AppliesOperatorsStrictlyFromLeftToRight) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"1+2*3", 9},        {"2+3*4", 20},        {"2*3+4", 10},     {"-5", -5},        {"10/4", 2.5},
      {"+7", 7},           {"12.5", 12.5},       {".5", 0.5},       {"5.", 5},         {"100-50/2", 25},
      {"1 + 2", 3},        {"3\u3000*\u30002", 6},  // full-width spaces go like half-width ones
      {"  42  ", 42},      {"0*5", 0},           {"*5", 0},          // an empty first operand is 0
      {"1+2+3+4+5+6+7+8+9+10", 55},  // ten operands are allowed
      {"12345678901234567890", 12345678901234567890.0},  // an operand of 20 characters
  };
  for (const auto& c : cases) {
    const auto result = EvaluateNumericInput(c.text);
    ASSERT_TRUE(std::holds_alternative<double>(result)) << c.text;
    EXPECT_DOUBLE_EQ(std::get<double>(result), c.value) << c.text;
  }
}

TEST(NumericInputEvaluation, RefusesWhatIsNotAPlainExpression) {
  const struct {
    const char* text;
    std::string_view message;
  } cases[] = {
      {"", kNoNumberMessage},
      {" ", kBadInputMessage},                    // nothing left after the spaces
      {"\u3000", kBadInputMessage},
      {"１２", kBadInputMessage},                 // full-width digits
      {"1e3", kBadInputMessage},
      {"1,5", kBadInputMessage},
      {"abc", kBadInputMessage},
      {"1++2", kBadInputMessage},                 // two operators in a row
      {"2*-3", kBadInputMessage},
      {"5-", kBadInputMessage},                   // a trailing operator
      {"-", kBadInputMessage},
      {"1/0", kBadInputMessage},                  // division by zero
      {"4/0.0", kBadInputMessage},
      {"1.2.3", kBadInputMessage},                // not a number
      {".", kBadInputMessage},
      {"1+2+3+4+5+6+7+8+9+10+11", kBadInputMessage},  // eleven operands
      {"123456789012345678901", kBadInputMessage},    // an operand of 21 characters
  };
  for (const auto& c : cases) {
    const auto result = EvaluateNumericInput(c.text);
    ASSERT_TRUE(std::holds_alternative<std::string_view>(result)) << c.text;
    EXPECT_EQ(std::get<std::string_view>(result), c.message) << c.text;
  }
}

TEST(NumericInputDialog, ShowsTheMessageAndStaysOpenUntilAnExpressionIsAccepted) {
  RecordingUserInterface ui;
  CInputNumDlg dialog(0);
  EXPECT_FALSE(dialog.OnExecute("", ui));
  EXPECT_FALSE(dialog.OnExecute("１", ui));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0], "数値の入力がありません！");
  EXPECT_EQ(ui.messages[1], "入力文字に誤りがあります。[0-9 . +-*/]");
  EXPECT_TRUE(dialog.OnExecute("3*4", ui));
  EXPECT_EQ(dialog.value(), 12);
  EXPECT_EQ(ui.messages.size(), 2u);
}

TEST(NumericInputDialog, TakesAtMostFortyCharacters) {
  EXPECT_EQ(LimitNumericInputText(std::string(45, '1')), std::string(40, '1'));
  // Characters, not bytes: a full-width character is one.
  const std::string wide = std::string(39, '1') + "\u3000" + "99";
  EXPECT_EQ(LimitNumericInputText(wide), std::string(39, '1') + "\u3000");
  RecordingUserInterface ui;
  CInputNumDlg dialog(0);
  ASSERT_TRUE(dialog.OnExecute(std::string(37, ' ') + "1+2" + "+4", ui));  // "+4" is beyond the edit
  EXPECT_EQ(dialog.value(), 3);
}

TEST(NumericInputDialog, LabelsByKindAndTheStretchPreset) {
  const struct {
    int kind;
    std::string_view label;
  } cases[] = {
      {0, "長さ入力 （mm）"},  {1, "半径入力 （mm）"},   {2, "開始角度  (°) "},   {3, "角度 (開始角度±)"},
      {4, "傾斜角度  (°) "},   {5, "縦長さ （mm）"},     {6, "対象線の始点からの距離（mm）"},
      {7, "対象線からの距離（mm）　[進行左：＋ 進行右：－]"},
      {8, "垂線始点からの距離（mm）　[基準線方向：＋ 逆：－]"},
      {9, "拡大・縮小倍率　[１：等倍]"},   {10, "ストレッチ長さ（mm）"}, {11, "長さ入力 （mm）"}, {-1, "長さ入力 （mm）"},
  };
  for (const auto& c : cases) EXPECT_EQ(CInputNumDlg(c.kind).label(), c.label) << c.kind;
  EXPECT_EQ(CInputNumDlg(10, 12.5).initialText(), "12.5");
  EXPECT_EQ(CInputNumDlg(10, 3.456).initialText(), "3.46");
  EXPECT_EQ(CInputNumDlg(10, 40).initialText(), "40");
  EXPECT_EQ(CInputNumDlg(9, 40).initialText(), "");
  EXPECT_EQ(CInputNumDlg(0).caption(), "数値入力　（四則演算式入力可能）");
}

}  // namespace
}  // namespace plenwick
