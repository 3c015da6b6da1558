// Guards the attribute dialogs' window, shown with the line dialog: its caption and the element's values shown, the
// shape radios enabling the edits, a pen chosen taking its colour into the colour button and the
// preview (which the core renderer draws), and "実　行" refused with the focus on the edit at
// fault.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "attribute_dialog_window.h"
#include "model/entity_core.h"
#include "model/program_settings.h"
#include "support/recording_ui.h"
#include "tools/edit/change_line_dlg.h"
#include "view/canvas.h"
#include "widget_test_support.h"

namespace plenwick {
namespace {

using testing::Child;
using testing::RecordingUserInterface;

bool Shows(QWidget* widget, ColourRef colour) {
  const QImage image = widget->grab().toImage();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (MakeColourRef(c.red(), c.green(), c.blue()) == colour) return true;
    }
  }
  return false;
}

TEST(AttributeDialogWindow, ShowsTheLineAndTakesThePensColour) {
  EntityList list;
  const int16_t codes[4] = {10, 20, 11, 22};
  const double values[4] = {110, 220.5, 310, 20};
  DrawEntity* line = nullptr;
  ASSERT_EQ(AddEntity({kLine, 0, 105, 0, 4}, nullptr, list, codes, 0x0000FF, values, nullptr, &line), 0);
  CurrentSettings().PenColours[3] = MakeColourRef(0, 128, 0);
  CChangeLineDlg model(*line, 10, 20);
  RecordingUserInterface ui;
  AttributeDialogWindow dialog(model, ui);
  dialog.resize(600, 300);
  dialog.show();

  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("直線作図属性変更"));
  const char* edits[4] = {"field0", "field1", "field2", "field3"};
  const char* shown[4] = {"100", "200.5", "300", "0"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Child<QLineEdit>(&dialog, edits[i])->text(), shown[i]);
  EXPECT_TRUE(Child<QRadioButton>(&dialog, "choice0_0")->isChecked());
  EXPECT_EQ(Child<QComboBox>(&dialog, "lineType")->currentIndex(), 1);
  EXPECT_EQ(Child<QComboBox>(&dialog, "pen")->currentIndex(), 5);
  EXPECT_TRUE(Shows(Child<QWidget>(&dialog, "preview"), 0x0000FF)) << "the preview draws the line in its colour";

  auto* pen = Child<QComboBox>(&dialog, "pen");
  pen->setCurrentIndex(3);
  emit pen->activated(3);
  EXPECT_EQ(model.look().colour, static_cast<int32_t>(MakeColourRef(0, 128, 0)));
  EXPECT_EQ(model.look().lineAttr(), 103);
  EXPECT_TRUE(Shows(Child<QPushButton>(&dialog, "colour"), MakeColourRef(0, 128, 0)));
  EXPECT_TRUE(Shows(Child<QWidget>(&dialog, "preview"), MakeColourRef(0, 128, 0)));

  Child<QRadioButton>(&dialog, "choice0_1")->click();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Child<QLineEdit>(&dialog, edits[i])->isEnabled(), i == 1);
  Child<QRadioButton>(&dialog, "choice0_0")->click();
  Child<QLineEdit>(&dialog, "field2")->setText("1-2");
  Child<QPushButton>(&dialog, "ok")->click();
  EXPECT_TRUE(dialog.isVisible()) << "a bad entry keeps the dialog open";
  EXPECT_EQ(ui.messages, std::vector<std::string>{"終端側Ｘ座標の入力に誤りがあります！"});
  EXPECT_EQ(model.focusField(), CChangeLineDlg::kEndX);

  Child<QLineEdit>(&dialog, "field2")->setText("12345.678901");
  Child<QPushButton>(&dialog, "ok")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(model.geometry().values, (std::vector<double>{110, 220.5, 12355.678901, 20}));
}

}  // namespace
}  // namespace plenwick
