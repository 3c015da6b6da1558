// Guards the dialogs' checks: the drawing-information dialog in both modes (range messages with
// the focus back in the field, fixed fields of an existing drawing, values handed back), the
// password question before a password protection goes (wrong password, cancel, and no way round
// it through the write protection), the layer name dialog and the Shift-JIS byte limits.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "drawing_info_dlg.h"
#include "layer_propaty_dlg.h"
#include "model/drawing_info.h"
#include "model/plenwick_doc.h"
#include "password_dlg.h"
#include "platform/sjis.h"
#include "sjis_field.h"
#include "support/recording_ui.h"
#include "widget_test_support.h"

namespace plenwick {
namespace {

using testing::Child;
using testing::RecordingUserInterface;
using testing::WhenModal;

DrawingInfo SampleInfo() {
  DrawingInfo info;
  info.fileName = Utf8ToSjis("名称未設定");
  info.drawingName = Utf8ToSjis("無　題");
  info.author = "tanaka";
  info.updater = "tanaka";
  info.password = "pw";
  info.creationDate = {2024, 5, 6};
  info.updateDate = {2024, 5, 7};
  info.scale = 50;
  info.paperSize = 3;
  info.orientation = 1;
  info.printType = 0;
  info.paperMode = 0;
  info.protection = 0;
  return info;
}

class DrawingInfoDialog : public ::testing::Test {
 protected:
  RecordingUserInterface ui;
};

TEST_F(DrawingInfoDialog, NewDrawingHandsBackEveryField) {
  CDrawingInfoDlg dialog(CDrawingInfoDlg::Mode::kNewDrawing, SampleInfo(), ui);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("図面情報"));
  EXPECT_EQ(Child<QLineEdit>(&dialog, "creationYear")->text(), "2024");
  EXPECT_EQ(Child<QLineEdit>(&dialog, "creationMonth")->text(), "05");
  EXPECT_EQ(Child<QLineEdit>(&dialog, "fileName")->text(), QString::fromUtf8("名称未設定"));
  Child<QLineEdit>(&dialog, "fileName")->setText(QString::fromUtf8("平面図"));
  Child<QLineEdit>(&dialog, "drawingName")->setText(QString::fromUtf8("一階平面図"));
  Child<QLineEdit>(&dialog, "scale")->setText("100");
  Child<QLineEdit>(&dialog, "updateDay")->setText("9");
  Child<QComboBox>(&dialog, "paperSize")->setCurrentIndex(2);
  Child<QRadioButton>(&dialog, "orientation0")->click();
  Child<QRadioButton>(&dialog, "printType1")->click();
  Child<QRadioButton>(&dialog, "protection1")->click();
  Child<QPushButton>(&dialog, "ok")->click();
  EXPECT_EQ(dialog.QDialog::result(), QDialog::Accepted);
  const DrawingInfo& r = dialog.values();
  EXPECT_EQ(SjisToUtf8(r.fileName), "平面図");
  EXPECT_EQ(SjisToUtf8(r.drawingName), "一階平面図");
  EXPECT_EQ(r.scale, 100);
  EXPECT_EQ(r.updateDate, (CalendarDate{2024, 5, 9}));
  EXPECT_EQ(r.creationDate, (CalendarDate{2024, 5, 6}));
  EXPECT_EQ(r.paperSize, 2);
  EXPECT_EQ(r.orientation, 0);
  EXPECT_EQ(r.printType, 1);
  EXPECT_EQ(r.protection, 1);
  EXPECT_EQ(r.password, "pw");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DrawingInfoDialog, OutOfRangeValuesAreRefusedWithTheFocusBack) {
  struct Case {
    const char* field;
    const char* text;
    const char* message;
  } cases[] = {
      {"scale", "0", "1 から 100000 までの整数を入力してください。"},
      {"scale", "100001", "1 から 100000 までの整数を入力してください。"},
      {"scale", "1/2", "1 から 100000 までの整数を入力してください。"},
      {"scale", "", "1 から 100000 までの整数を入力してください。"},
      {"creationMonth", "13", "1 から 12 までの整数を入力してください。"},
      {"updateDay", "0", "1 から 31 までの整数を入力してください。"},
      {"updateYear", "20x4", "1900 から 2100 までの整数を入力してください。"},
  };
  for (const Case& c : cases) {
    ui.messages.clear();
    CDrawingInfoDlg dialog(CDrawingInfoDlg::Mode::kNewDrawing, SampleInfo(), ui);
    dialog.show();
    QLineEdit* edit = Child<QLineEdit>(&dialog, c.field);
    edit->setText(c.text);
    Child<QPushButton>(&dialog, "ok")->click();
    EXPECT_TRUE(dialog.isVisible()) << c.field << " " << c.text;
    ASSERT_EQ(ui.messages.size(), 1u) << c.field << " " << c.text;
    EXPECT_EQ(ui.messages[0], c.message);
    EXPECT_EQ(dialog.focusWidget(), edit) << c.field;
  }
}

TEST_F(DrawingInfoDialog, ExistingDrawingFixesFileNameAuthorAndCreationDate) {
  DrawingInfo info = SampleInfo();
  CDrawingInfoDlg dialog(CDrawingInfoDlg::Mode::kExistingDrawing, info, ui, nullptr, kNotProtected, "pw");
  for (const char* fixed : {"fileName", "author", "creationYear", "creationMonth", "creationDay"}) {
    EXPECT_FALSE(Child<QLineEdit>(&dialog, fixed)->isEnabled()) << fixed;
  }
  for (const char* open : {"drawingName", "updater", "password", "updateYear", "scale"}) {
    EXPECT_TRUE(Child<QLineEdit>(&dialog, open)->isEnabled()) << open;
  }
  // A fixed creation date is not checked (a file may hold any value there).
  Child<QLineEdit>(&dialog, "creationYear")->setText("0");
  Child<QPushButton>(&dialog, "ok")->click();
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(dialog.values().creationDate, info.creationDate);
}

TEST_F(DrawingInfoDialog, PasswordFieldIsFixedWhileThePasswordProtects) {
  DrawingInfo info = SampleInfo();
  info.protection = kPasswordProtected;
  CDrawingInfoDlg dialog(CDrawingInfoDlg::Mode::kExistingDrawing, info, ui, nullptr, kPasswordProtected, "pw");
  EXPECT_FALSE(Child<QLineEdit>(&dialog, "password")->isEnabled());
}

TEST_F(DrawingInfoDialog, LeavingThePasswordProtectionNeedsThePassword) {
  struct Case {
    const char* what;
    const char* choice;           // the protection chosen
    const char* typed;            // password typed, nullptr: the question is cancelled
    int protectionAfter;
    std::vector<std::string> messages;
  } cases[] = {
      {"right password", "protection0", "pw", 0, {}},
      {"cancelled", "protection0", nullptr, 2, {}},
      {"write protection instead", "protection1", "pw", 1, {}},
      {"write protection, cancelled", "protection1", nullptr, 2, {}},
  };
  for (const Case& c : cases) {
    ui.messages.clear();
    DrawingInfo info = SampleInfo();
    info.protection = kPasswordProtected;
    CDrawingInfoDlg dialog(CDrawingInfoDlg::Mode::kExistingDrawing, info, ui, nullptr, kPasswordProtected, "pw");
    dialog.show();
    bool asked = false;
    WhenModal([&](QWidget* modal) {
      asked = true;
      EXPECT_EQ(modal->windowTitle(), QString::fromUtf8("パスワードの解除"));
      if (c.typed) {
        Child<QLineEdit>(modal, "password")->setText(c.typed);
        Child<QPushButton>(modal, "ok")->click();
      } else {
        Child<QPushButton>(modal, "cancel")->click();
      }
    });
    Child<QRadioButton>(&dialog, c.choice)->click();
    EXPECT_TRUE(asked) << c.what;
    Child<QPushButton>(&dialog, "ok")->click();
    EXPECT_EQ(dialog.values().protection, c.protectionAfter) << c.what;
    EXPECT_EQ(ui.messages, c.messages) << c.what;
  }
}

TEST_F(DrawingInfoDialog, NewDrawingNeverAsksForAPassword) {
  DrawingInfo info = SampleInfo();
  info.protection = kPasswordProtected;
  CDrawingInfoDlg dialog(CDrawingInfoDlg::Mode::kNewDrawing, info, ui);
  Child<QRadioButton>(&dialog, "protection0")->click();  // would block if it asked
  Child<QPushButton>(&dialog, "ok")->click();
  EXPECT_EQ(dialog.values().protection, 0);
}

TEST(PasswordDialog, WrongPasswordIsToldAndTheDialogStays) {
  RecordingUserInterface ui;
  CPasswordDlg dialog("secret", ui);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("パスワードの解除"));
  dialog.show();
  for (const char* wrong : {"", "Secret", "secre", "secret "}) {
    dialog.passwordEdit()->setText(wrong);
    Child<QPushButton>(&dialog, "ok")->click();
    EXPECT_TRUE(dialog.isVisible()) << wrong;
    EXPECT_EQ(dialog.result(), 0);
  }
  EXPECT_EQ(ui.messages, std::vector<std::string>(4, "パスワードが違っています。"));
  dialog.passwordEdit()->setText("secret");
  Child<QPushButton>(&dialog, "ok")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(LayerNameDialog, EmptyNameIsRefused) {
  RecordingUserInterface ui;
  CLayerPropatyDlg dialog(QString::fromUtf8("レイヤーの追加"), "Layer09", ui);
  dialog.show();
  EXPECT_EQ(dialog.nameEdit()->text(), "Layer09");
  dialog.nameEdit()->clear();
  Child<QPushButton>(&dialog, "ok")->click();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(ui.messages, std::vector<std::string>{"レイヤー名が入力されていません！"});
  EXPECT_EQ(dialog.focusWidget(), dialog.nameEdit());
  dialog.nameEdit()->setText(QString::fromUtf8("平面"));
  Child<QPushButton>(&dialog, "ok")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.nameSjis(), Utf8ToSjis("平面"));
}

TEST(SjisFields, TextMustFitTheFieldAsShiftJis) {
  SjisLimitValidator validator(8, nullptr);
  struct Case {
    const char* text;
    QValidator::State state;
  } cases[] = {
      {"abcdefgh", QValidator::Acceptable},
      {"abcdefghi", QValidator::Invalid},
      {"あいうえ", QValidator::Acceptable},  // 8 bytes
      {"あいうえa", QValidator::Invalid},
      {"ｱｲｳｴｵｶｷｸ", QValidator::Acceptable},  // half-width kana are one byte each
      {"€", QValidator::Invalid},             // no Shift-JIS code
      {"😀", QValidator::Invalid},
      {"", QValidator::Acceptable},
  };
  for (const Case& c : cases) {
    QString text = QString::fromUtf8(c.text);
    int pos = 0;
    EXPECT_EQ(validator.validate(text, pos), c.state) << c.text;
  }
}

}  // namespace
}  // namespace plenwick
