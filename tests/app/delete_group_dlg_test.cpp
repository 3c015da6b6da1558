// Guards the window-deletion dialog's window: the kind boxes enabled exactly while "個別削除" is
// chosen (at once on either radio), the captions of its controls, and the choices handed back
// through the shell's ToolUi after "実　行" (and none after "ｷｬﾝｾﾙ").
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "delete_group_dlg.h"
#include "qt_tool_ui.h"
#include "support/recording_ui.h"
#include "tools/edit/delete_group_dlg.h"
#include "widget_test_support.h"

namespace plenwick {
namespace {

using testing::Child;
using testing::WhenModal;

std::vector<QCheckBox*> KindBoxes(QWidget* dialog) {
  std::vector<QCheckBox*> boxes;
  for (int id = 1097; id <= 1105; ++id) boxes.push_back(Child<QCheckBox>(dialog, ("c" + std::to_string(id)).c_str()));
  return boxes;
}

void ExpectKindsEnabled(QWidget* dialog, bool enabled) {
  for (QCheckBox* box : KindBoxes(dialog)) EXPECT_EQ(box->isEnabled(), enabled) << box->objectName().toStdString();
}

TEST(DeleteGroupDialog, KindBoxesFollowTheScopeRadio) {
  // Fault: kind boxes usable while "全てを対象" is chosen, or left disabled after "個別削除".
  CDeleteGroupDlg model;
  DeleteGroupDlg dialog(model);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("グループ削除"));
  EXPECT_EQ(Child<QCheckBox>(&dialog, "c1102")->text(), QString::fromUtf8("寸法線"));
  EXPECT_EQ(Child<QPushButton>(&dialog, "ok")->text(), QString::fromUtf8("実\u3000行"));
  EXPECT_EQ(Child<QPushButton>(&dialog, "cancel")->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
  EXPECT_TRUE(Child<QRadioButton>(&dialog, "c1093")->isChecked());
  EXPECT_TRUE(Child<QRadioButton>(&dialog, "c1095")->isChecked());
  ExpectKindsEnabled(&dialog, false);
  Child<QRadioButton>(&dialog, "c1094")->click();
  ExpectKindsEnabled(&dialog, true);
  Child<QRadioButton>(&dialog, "c1093")->click();
  ExpectKindsEnabled(&dialog, false);
}

TEST(DeleteGroupDialog, ExecuteHandsBackTheChoicesThroughTheShell) {
  // Fault: the shell's dialog losing a tick or the range, or reporting a cancel as OK.
  testing::RecordingUserInterface messages;
  QWidget owner;
  QtToolUi ui(messages, &owner);
  CDeleteGroupDlg model;
  WhenModal([](QWidget* dialog) {
    Child<QRadioButton>(dialog, "c1094")->click();
    Child<QCheckBox>(dialog, "c1098")->click();  // 直線
    Child<QCheckBox>(dialog, "c1102")->click();  // 寸法線
    Child<QRadioButton>(dialog, "c1096")->click();
    Child<QPushButton>(dialog, "ok")->click();
  });
  ASSERT_TRUE(ui.RunDeleteGroup(model));
  const DeleteChoice& c = model.choice();
  EXPECT_FALSE(c.allKinds);
  EXPECT_TRUE(c.outside);
  for (int i = 0; i < kDeleteKindBoxCount; ++i) {
    EXPECT_EQ(c.kinds[static_cast<std::size_t>(i)], i == 1 || i == 5) << i;
  }
  WhenModal([](QWidget* dialog) { Child<QPushButton>(dialog, "cancel")->click(); });
  CDeleteGroupDlg cancelled;
  EXPECT_FALSE(ui.RunDeleteGroup(cancelled));
}

}  // namespace
}  // namespace plenwick
