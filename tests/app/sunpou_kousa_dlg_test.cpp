// Guards the tolerance dialog's window: its captions, the combo opening on the current type, a
// combo change showing the other type's values while keeping what was typed, a refused value
// bringing back its type with the focus in its edit, and the values handed back through the
// shell's ToolUi after "設　定" (and none after "ｷｬﾝｾﾙ").
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "model/program_settings.h"
#include "qt_tool_ui.h"
#include "sunpou_kousa_dlg.h"
#include "support/recording_ui.h"
#include "tools/draw/tolerance_dlg.h"
#include "widget_test_support.h"

namespace plenwick {
namespace {

using testing::Child;
using testing::WhenModal;

ProgramSettings Settings() {
  ProgramSettings s;
  s.DimTolType = 3;  // combo row 7
  for (std::size_t i = 0; i < s.DimTolUpper.size(); ++i) {
    s.DimTolUpper[i] = 0.0015;
    s.DimTolLower[i] = 0.0025;
  }
  return s;
}

TEST(SunpouKousaDialog, TheComboKeepsEachTypesTypingAndAFaultComesBack) {
  // Fault: typed values lost on a combo change, or a refused value leaving the focus elsewhere.
  testing::RecordingUserInterface ui;
  CSunpouKousaDlg model(Settings());
  SunpouKousaDlg dialog(model, ui);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("寸法公差設定"));
  EXPECT_EQ(Child<QPushButton>(&dialog, "ok")->text(), QString::fromUtf8("設\u3000定"));
  EXPECT_EQ(Child<QPushButton>(&dialog, "cancel")->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
  auto* type = Child<QComboBox>(&dialog, "type");
  auto* value1 = Child<QLineEdit>(&dialog, "value1");
  auto* value2 = Child<QLineEdit>(&dialog, "value2");
  ASSERT_EQ(type->count(), 7);
  EXPECT_EQ(type->itemText(2), QString::fromUtf8(" タイプ３　上下（+）（+）"));
  EXPECT_EQ(type->currentIndex(), 6) << "stored type 3 is the seventh row";
  EXPECT_EQ(value1->text(), "0.0015");
  value1->setText("-0.002");
  type->setCurrentIndex(0);
  EXPECT_EQ(value1->text(), "0.0015");
  value1->setText("0.2");
  value2->setFocus();
  Child<QPushButton>(&dialog, "ok")->click();
  EXPECT_EQ(ui.messages, std::vector<std::string>{"0 から 1000 までの数値を入力してください。"});
  EXPECT_EQ(type->currentIndex(), 6) << "the type typed wrongly is shown again";
  EXPECT_EQ(value1->text(), "-0.002");
  EXPECT_EQ(dialog.focusWidget(), value1);
  value1->setText("0.1");
  value2->setText("0.05");
  Child<QPushButton>(&dialog, "ok")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ProgramSettings s = Settings();
  model.ApplyTo(s);
  EXPECT_EQ(s.DimTolUpper[2], 0.1);
  EXPECT_EQ(s.DimTolLower[2], 0.05);
  EXPECT_EQ(s.DimTolUpper[0], 0.2);
}

TEST(SunpouKousaDialog, SetAndCancelThroughTheShell) {
  // Fault: the shell's dialog reporting ｷｬﾝｾﾙ as 設　定 or dropping the values.
  testing::RecordingUserInterface messages;
  QWidget owner;
  QtToolUi ui(messages, &owner);
  CSunpouKousaDlg model(Settings());
  WhenModal([](QWidget* dialog) {
    Child<QLineEdit>(dialog, "value2")->setText("0.3");
    Child<QPushButton>(dialog, "ok")->click();
  });
  ASSERT_TRUE(ui.RunToleranceSettings(model));
  ProgramSettings s = Settings();
  model.ApplyTo(s);
  EXPECT_EQ(s.DimTolLower[2], 0.3);
  CSunpouKousaDlg cancelled(Settings());
  WhenModal([](QWidget* dialog) { Child<QPushButton>(dialog, "cancel")->click(); });
  EXPECT_FALSE(ui.RunToleranceSettings(cancelled));
}

}  // namespace
}  // namespace plenwick
