// Guards the windows of the text, leader-text, dimension and picture dialogs: their captions and
// values, the font combo keeping a face that is not installed (chosen as the element has it),
// the picture's facts and "参照画像" filling the path.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "attribute_dialog_window.h"
#include "model/entity_core.h"
#include "model/program_settings.h"
#include "platform/sjis.h"
#include "support/recording_ui.h"
#include "support/scripted_tool_ui.h"
#include "tools/edit/change_dim_dlg.h"
#include "tools/edit/change_image_dlg.h"
#include "tools/edit/change_text_dlg.h"
#include "view/dimension_record.h"
#include "widget_test_support.h"

namespace plenwick {
namespace {

using testing::Child;
using testing::RecordingUserInterface;

DrawEntity* AddRecord(EntityList& list, int16_t kind, int16_t subKind, std::vector<int16_t> codes,
                      std::vector<double> values, const char* text) {
  DrawEntity* e = nullptr;
  EXPECT_EQ(AddEntity({kind, subKind, 0, 0, static_cast<int16_t>(values.size())}, nullptr, list, codes.data(), 0,
                      values.data(), text, &e),
            0);
  return e;
}

TEST(AttributeStringDialogs, ShowTheirValuesAndKeepAFaceThatIsNotInstalled) {
  EntityList list;
  const std::vector<std::string> installed = {"Noto Sans", "DejaVu Serif"};
  const DrawEntity* text = AddRecord(list, kText, 0, {10, 20, 30, 40, 50}, {110, 120, 5, 4, 30}, "\x95\xb6\x8e\x9a");
  const DrawEntity* leader =
      AddRecord(list, kLeaderText, 12, {10, 20, 30, 40, 50, 60, 61, 70, 71, 80, 81},
                {50, 50, 10, 10, 0, 0, 0, 40, 45, 60, 45}, "AB");
  const DrawEntity* dimension = AddRecord(list, kDimension, 8, {30, 31, 32, 10, 11, 12, 13, 40, 41},
                                          {PackDimensionField(MakeDimensionPacked(7, "R")), 0.0015, 0.0025, 12.5, 3.5,
                                           0, 1120, 10, 10},
                                          nullptr);
  CChangeTextDlg textModel(*text, 10, 20, installed);
  CChangeLineTextDlg leaderModel(*leader, installed);
  CChangeDimDLg dimensionModel(*dimension, Utf8ToSjis("ＭＳゴシック"), installed);
  struct Case {
    AttributeDialogModel& model;
    const char* caption;
    std::vector<const char*> fields;
  };
  const std::vector<Case> cases = {
      {textModel, "文字列作図属性変更", {"文字", "5", "4", "30", "100", "100"}},
      {leaderModel, "指示線付き文字作図属性変更", {"AB", "10", "10", "0"}},
      {dimensionModel, "寸法線作図属性変更", {"R", "3.5", "0", "0", "0.0015", "0.0025"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    RecordingUserInterface ui;
    AttributeDialogWindow dialog(c.model, ui);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.caption));
    for (std::size_t i = 0; i < c.fields.size(); ++i) {
      EXPECT_EQ(Child<QLineEdit>(&dialog, ("field" + std::to_string(i)).c_str())->text(), QString::fromUtf8(c.fields[i]));
    }
    auto* fonts = Child<QComboBox>(&dialog, c.model.caption() == CChangeDimDLg::kCaption ? "choice3" : "choice0");
    EXPECT_EQ(fonts->count(), 3);
    EXPECT_EQ(fonts->currentText(), QString::fromUtf8("ＭＳゴシック")) << "the face the element has, not installed";
  }
}

TEST(AttributeStringDialogs, APictureShowsItsFactsAndTakesAFileChosen) {
  EntityList list;
  const DrawEntity* image = AddRecord(list, kImage, 0, {10, 20, 11, 22}, {0, 0, 40, 30}, "a.png");
  testing::ScriptedToolUi ui;
  ui.imageFacts = ToolUi::ImageFacts{64, 48, 32};
  CChangeImageDlg model(*image, 0, 0, ui);
  AttributeDialogWindow dialog(model, ui);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("画像作図属性変更"));
  EXPECT_EQ(Child<QLabel>(&dialog, "fact0")->text(), "64");
  EXPECT_EQ(Child<QLabel>(&dialog, "fact2")->text(), "32");
  EXPECT_FALSE(Child<QLineEdit>(&dialog, "field4")->isEnabled()) << "the corners are shown first";
  ui.imageAnswer = "/pictures/b.png";
  ui.imageFacts = ToolUi::ImageFacts{100, 200, 8};
  Child<QPushButton>(&dialog, "browse6")->click();
  EXPECT_EQ(Child<QLineEdit>(&dialog, "field6")->text(), "/pictures/b.png");
  EXPECT_EQ(Child<QLabel>(&dialog, "fact1")->text(), "200");
  Child<QPushButton>(&dialog, "ok")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(model.strings().text, std::optional<std::string>("/pictures/b.png"));
}

}  // namespace
}  // namespace plenwick
