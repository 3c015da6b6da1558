// Guards the development dialog's window: each body shows its own labels with the unused edits
// hidden together with their labels; 実　行 keeps the dialog open with the focus in the edit at
// fault; the texts that pass are kept in "Plenwick.ini" under [Develop] and shown again by the
// next dialog.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include "develop_dialog.h"
#include "qt_tool_ui.h"
#include "support/recording_ui.h"
#include "support/scoped_temp_folder.h"
#include "tools/draw/develop_dlg.h"
#include "widget_test_support.h"

namespace plenwick {
namespace {

using testing::Child;

TEST(DevelopDialog, LabelsPerBodyHiddenFieldsAndTheProfile) {
  testing::ScopedTempFolder program;
  testing::RecordingUserInterface messages;
  QWidget owner;
  QtToolUi ui(messages, &owner);
  ui.SetProgramFolder(QString::fromStdString(program.path()));
  const char* labels[3][7] = {
      {"半\u3000径 [mm]", "高さ１ [mm]", "高さ２ [mm]", "曲線点列数", "", "", ""},
      {"長さ１ [mm]", "長さ２ [mm]", "高さ１ [mm]", "高さ２ [mm]", "半\u3000径 [mm]", "曲線点列数", ""},
      {"半\u3000径 [mm]", "高さ１ [mm]", "高さ２ [mm]", "角\u3000度", "曲線点列数", "", ""},
  };
  for (int body = 0; body < 3; ++body) {
    SCOPED_TRACE(body);
    CDevelopDlg model(body, ui);
    DevelopDialog dialog(model, ui, &owner);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("展開図"));
    EXPECT_EQ(Child<QPushButton>(&dialog, "ok")->text(), QString::fromUtf8("実\u3000行"));
    EXPECT_EQ(Child<QPushButton>(&dialog, "cancel")->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
    for (int field = 0; field < 7; ++field) {
      const bool used = labels[body][field][0] != '\0';
      EXPECT_EQ(dialog.edit(field)->isVisible(), used) << field;
      EXPECT_EQ(dialog.label(field)->isVisible(), used) << field;
      if (used) {
        EXPECT_EQ(dialog.label(field)->text(), QString::fromUtf8(labels[body][field])) << field;
      }
    }
    dialog.close();
  }

  // A square prism whose corner radius is more than half a side: the message, the focus there.
  {
    CDevelopDlg model(1, ui);
    DevelopDialog dialog(model, ui, &owner);
    dialog.show();
    const char* texts[] = {"40", "20", "5", "15", "12", "12.9"};
    for (int field = 0; field < 6; ++field) dialog.edit(field)->setText(texts[field]);
    Child<QPushButton>(&dialog, "ok")->click();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(messages.messages, std::vector<std::string>{"半径の値に誤りがあります。、（長さ/２より大きいです）"});
    EXPECT_EQ(model.focusField(), 4);
    dialog.edit(4)->setText("3");
    Child<QPushButton>(&dialog, "ok")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(model.input().divisions, 12);
    EXPECT_EQ(model.input().radius, 3.0f);
  }
  const QSettings ini(QString::fromStdString(program.path() + "/Plenwick.ini"), QSettings::IniFormat);
  EXPECT_EQ(ini.value("Develop/Edit05").toString(), "3");
  EXPECT_EQ(ini.value("Develop/Edit06").toString(), "12.9");
  EXPECT_FALSE(ini.contains("Develop/Edit07"));

  // The cone's dialog shows the texts kept, its hidden seventh edit too.
  CDevelopDlg model(2, ui);
  DevelopDialog dialog(model, ui, &owner);
  const char* shown[] = {"40", "20", "5", "15", "3", "12.9", ""};
  for (int field = 0; field < 7; ++field) EXPECT_EQ(dialog.edit(field)->text(), QString::fromUtf8(shown[field])) << field;
}

}  // namespace
}  // namespace plenwick
