// Guards the line tool's two-value input dialog: its presets (the mode of the last use, the
// length and angle only while their options are on, "%0.2f"), the labels of its two modes, the
// left-to-right arithmetic, and the messages that keep it open with the focus in the field at
// fault.
#include <gtest/gtest.h>

#include "model/program_settings.h"
#include "support/recording_ui.h"
#include "view/tool_framework/line_input.h"

namespace plenwick {
namespace {

TEST(LineInputDialog, PresetsFollowTheOptionsAndTheLastMode) {
  ProgramSettings settings;
  settings.LineLength = 50;
  settings.LineAngle = 12.345f;
  const struct {
    int lastMode;
    int16_t lengthOn, angleOn;
    int mode;
    const char* first;
    const char* second;
  } cases[] = {
      {0, 0, 0, 0, "0.00", "0.00"}, {1, 1, 0, 1, "50.00", "0.00"}, {0, 1, 1, 0, "50.00", "12.35"},
      {7, 0, 1, 0, "0.00", "12.35"},  // a stored mode outside 0..1 is taken as 0
      {-1, 0, 0, 0, "0.00", "0.00"},
  };
  for (const auto& c : cases) {
    settings.LineLengthOn = c.lengthOn;
    settings.LineAngleOn = c.angleOn;
    const CLineInputDlg dialog(c.lastMode, settings);
    EXPECT_EQ(dialog.mode(), c.mode);
    EXPECT_EQ(dialog.initialText(0), c.first);
    EXPECT_EQ(dialog.initialText(1), c.second);
  }
}

TEST(LineInputDialog, SwitchingModesRelabelsTheEdits) {
  CLineInputDlg dialog(0, ProgramSettings{});
  EXPECT_EQ(dialog.caption(), "数値入力");
  EXPECT_EQ(dialog.label(0), "長さ入力 （mm）");
  EXPECT_EQ(dialog.label(1), "角度入力");
  dialog.SetMode(1);
  EXPECT_EQ(dialog.label(0), "Ｘ座標移動値（mm）");
  EXPECT_EQ(dialog.label(1), "Ｙ座標移動値（mm）");
  dialog.SetMode(3);
  EXPECT_EQ(dialog.mode(), 0);
}

TEST(LineInputDialog, EvaluatesEachFieldFromLeftToRight) {
  const struct {
    const char* first;
    const char* second;
    double v1, v2;
  } cases[] = {{"10+5*2", "90", 30, 90}, {"2+3*4", "-30", 20, -30}, {"10/4", "1.5", 2.5, 1.5}, {" 7 ", "0", 7, 0}};
  for (const auto& c : cases) {
    testing::RecordingUserInterface ui;
    CLineInputDlg dialog(0, ProgramSettings{});
    ASSERT_TRUE(dialog.OnExecute(c.first, c.second, ui));
    EXPECT_EQ(dialog.value(0), c.v1);
    EXPECT_EQ(dialog.value(1), c.v2);
    EXPECT_TRUE(ui.messages.empty());
  }
}

TEST(LineInputDialog, RefusalsKeepItOpenWithTheFocusInTheFieldAtFault) {
  const struct {
    const char* first;
    const char* second;
    const char* message;
    int focus;
  } cases[] = {
      {"", "30", "数値の入力がありません！", 0},
      {"10", "", "数値の入力がありません！", 1},
      {"1e5", "0", "入力文字に誤りがあります。[0-9 . +-*/]", 0},
      {"10", "３０", "入力文字に誤りがあります。[0-9 . +-*/]", 1},
  };
  for (const auto& c : cases) {
    testing::RecordingUserInterface ui;
    CLineInputDlg dialog(0, ProgramSettings{});
    EXPECT_FALSE(dialog.OnExecute(c.first, c.second, ui));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{c.message}));
    EXPECT_EQ(dialog.focusField(), c.focus);
  }
}

TEST(LineInputDialog, TheEditsKeepOnlyWhatTheyAccept) {
  EXPECT_EQ(FilterLineInputText("1a2.5 +x*/-"), "12.5+*/-");
  EXPECT_EQ(FilterLineInputText(std::string(50, '7')), std::string(40, '7'));
}

}  // namespace
}  // namespace plenwick
