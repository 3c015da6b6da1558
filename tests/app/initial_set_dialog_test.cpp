// Guards the settings dialog's window: the radios grey out what they switch off, the unit
// labels follow the scale page's unit, a refused value keeps its page with the focus in its
// edit, and 出荷時設定 fills the page shown while ｷｬﾝｾﾙ hands nothing back.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest/QTest>

#include "initial_set_dialog.h"
#include "model/parameter_block.h"
#include "qt_tool_ui.h"
#include "support/recording_ui.h"
#include "tools/settings/initial_set_dlg.h"
#include "widget_test_support.h"

namespace plenwick {
namespace {

using testing::Child;
using testing::WhenModal;

ParameterBlock Block() {
  ParameterBlock p = DefaultParameterBlock("/data/部品データ");
  p.SetI16(ParameterBlock::kNewPaperMode, 0);
  p.SetF32(ParameterBlock::kPenWidths, 2.5f);
  return p;
}

void Type(QLineEdit* edit, const char* text) {
  edit->selectAll();
  QTest::keyClicks(edit, QString::fromUtf8(text));
}

TEST(InitialSetDialog, RadiosGreyOutAndUnitLabelsFollowTheScalePage) {
  testing::RecordingUserInterface ui;
  CInitialSetDlg model(Block(), {"IPAGothic"}, "/data/部品データ");
  InitialSetDialog dialog(model, ui);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("初期値設定"));
  auto* tabs = Child<QTabWidget>(&dialog, "tabs");
  ASSERT_EQ(tabs->count(), 10);
  EXPECT_EQ(tabs->tabText(5), QString::fromUtf8("ハッチング "));

  auto* paperSize = Child<QWidget>(&dialog, "paperSize");
  EXPECT_TRUE(paperSize->isEnabled());
  Child<QRadioButton>(&dialog, "paperMode2")->click();
  EXPECT_FALSE(paperSize->isEnabled());
  EXPECT_FALSE(Child<QLabel>(&dialog, "paperSizeLabel")->isEnabled());
  Child<QRadioButton>(&dialog, "paperMode1")->click();
  EXPECT_TRUE(paperSize->isEnabled());

  Child<QRadioButton>(&dialog, "sizeMode2")->click();
  tabs->setCurrentIndex(4);
  EXPECT_EQ(Child<QLabel>(&dialog, "textHeightUnit")->text(), "pt.");
  EXPECT_EQ(Child<QLabel>(&dialog, "textWidthUnit")->text(), "pt.");
  tabs->setCurrentIndex(0);
  Child<QRadioButton>(&dialog, "sizeMode1")->click();
  tabs->setCurrentIndex(5);
  EXPECT_EQ(Child<QLabel>(&dialog, "hatchYUnit")->text(), QString::fromUtf8("㎜"));

  tabs->setCurrentIndex(1);
  auto* lineType = Child<QWidget>(&dialog, "gridLineType");
  EXPECT_TRUE(lineType->isEnabled());
  Child<QRadioButton>(&dialog, "gridKind2")->click();
  EXPECT_FALSE(lineType->isEnabled());
  Child<QRadioButton>(&dialog, "gridKind3")->click();
  EXPECT_FALSE(lineType->isEnabled());
  Child<QRadioButton>(&dialog, "gridKind1")->click();
  EXPECT_TRUE(lineType->isEnabled());
  EXPECT_TRUE(ui.messages.empty());
}

TEST(InitialSetDialog, ARefusedValueKeepsItsPageAndTheFocus) {
  testing::RecordingUserInterface ui;
  CInitialSetDlg model(Block(), {}, "/data");
  InitialSetDialog dialog(model, ui);
  dialog.show();
  auto* tabs = Child<QTabWidget>(&dialog, "tabs");
  tabs->setCurrentIndex(1);
  auto* pitch = Child<QLineEdit>(&dialog, "pitch");
  Type(pitch, "0");
  tabs->setCurrentIndex(4);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"0 より大きい数値を入力してください。"});
  EXPECT_EQ(tabs->currentIndex(), 1);
  EXPECT_EQ(Child<QLineEdit>(&dialog, "pitch"), pitch) << "the page was kept, not rebuilt";
  QApplication::processEvents();
  EXPECT_EQ(dialog.focusWidget(), pitch);
  Child<QPushButton>(&dialog, "ok")->click();
  EXPECT_EQ(ui.messages.size(), 2u);
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  Type(pitch, "12.5");
  Child<QPushButton>(&dialog, "ok")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(model.copy().F32(ParameterBlock::kGridPitch), 12.5f);
}

TEST(InitialSetDialog, FactorySettingsFillThePenPageAndCancelHandsNothingBack) {
  testing::RecordingUserInterface messages;
  QWidget owner;
  QtToolUi ui(messages, &owner);
  CInitialSetDlg model(Block(), {}, "/data");
  std::vector<QString> widths;
  WhenModal([&](QWidget* dialog) {
    Child<QTabWidget>(dialog, "tabs")->setCurrentIndex(7);
    EXPECT_EQ(Child<QLineEdit>(dialog, "penWidth1")->text(), "2.5");
    Child<QPushButton>(dialog, "factory")->click();
    for (int pen = 1; pen <= 8; ++pen) {
      widths.push_back(Child<QLineEdit>(dialog, QString("penWidth%1").arg(pen).toUtf8().constData())->text());
    }
    Child<QPushButton>(dialog, "cancel")->click();
  });
  EXPECT_FALSE(ui.RunInitialSettings(model));
  EXPECT_EQ(widths, (std::vector<QString>{"0.13", "0.25", "0.35", "0.5", "0.7", "0.9", "1.2", "1.5"}));
}

}  // namespace
}  // namespace plenwick
