// Guards the parts browser on the offscreen platform: thumbnails are drawn only for the file
// items in sight and never twice for an unchanged file however the list is scrolled, a changed
// file gets a new one and an unreadable one a broken mark; choosing a part fills the part buffer
// (an unreadable one leaves it empty), a scale or angle out of range brings the old value back,
// an unusable stored folder falls back to the default one with a notice, and registration asks
// for the format and folder and then for the name in that format's save dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "part_thumbnails.h"
#include "parts_browser_window.h"
#include "parts_registration_dlg.h"
#include "platform/sjis.h"
#include "support/scoped_temp_folder.h"
#include "tools/draw/part_placement.h"
#include "widget_test_support.h"

namespace plenwick {
namespace {

void WriteDxfLine(const std::string& path, int length) {
  std::ofstream(path) << "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n" << length
                      << "\n21\n5\n0\nENDSEC\n0\nEOF\n";
}

void WaitForThumbnails(CPopInportDlg& browser) {
  for (int i = 0; i < 500 && browser.thumbnails().pending(); ++i) QTest::qWait(5);
  ASSERT_FALSE(browser.thumbnails().pending());
}

QTreeWidgetItem* Find(QTreeWidget* tree, const QString& name) {
  for (QTreeWidgetItemIterator it(tree); *it; ++it) {
    if ((*it)->text(0) == name) return *it;
  }
  return nullptr;
}

class PartsBrowserTest : public ::testing::Test {
 protected:
  PartsBrowserTest() { settings.PartsFolder.assign(Utf8ToSjis(folder.path())); }
  ~PartsBrowserTest() override { CurrentPartPlacement().Clear(); }
  testing::ScopedTempFolder data;  // the program's data folder, where the default parts folder lies
  testing::ScopedEnv dataHome{"XDG_DATA_HOME", data.path()};
  testing::ScopedTempFolder folder;
  ProgramSettings settings;
};

TEST_F(PartsBrowserTest, ScrollingDrawsEachThumbnailOnceAndAChangedFileAgain) {
  constexpr int kParts = 80;
  for (int i = 0; i < kParts; ++i) WriteDxfLine(folder / QString::asprintf("p%02d.dxf", i).toStdString(), 10 + i);
  std::ofstream(folder / "zz.pwk") << "no drawing";
  CPopInportDlg browser(settings, {}, nullptr);
  browser.resize(240, 500);
  browser.show();
  WaitForThumbnails(browser);
  QTreeWidget* tree = browser.tree();
  const int firstSight = browser.thumbnails().rendered();
  EXPECT_GT(firstSight, 0);
  EXPECT_LT(firstSight, kParts) << "only the items in sight";
  QScrollBar* bar = tree->verticalScrollBar();
  for (int pass = 0; pass < 3; ++pass) {
    for (int v = 0; v < bar->maximum() + 7; v += 7) {
      bar->setValue(std::min(v, bar->maximum()));
      WaitForThumbnails(browser);
    }
    bar->setValue(0);
    WaitForThumbnails(browser);
  }
  EXPECT_EQ(browser.thumbnails().rendered(), kParts + 1) << "each file once, the broken one too";
  // The unreadable part has the broken mark, not a drawing: its icon differs from the others'.
  const QImage broken = Find(tree, "zz.pwk")->icon(0).pixmap(PartThumbnails::kSide).toImage();
  EXPECT_NE(broken, Find(tree, "p00.dxf")->icon(0).pixmap(PartThumbnails::kSide).toImage());
  EXPECT_NE(broken.pixelColor(PartThumbnails::kSide / 2, PartThumbnails::kSide / 2), QColor(Qt::white));

  // A file changed on disk gets a new thumbnail once it is in sight again.
  WriteDxfLine(folder / "p00.dxf", 1234);
  bar->setValue(bar->maximum());
  WaitForThumbnails(browser);
  bar->setValue(0);
  WaitForThumbnails(browser);
  EXPECT_EQ(browser.thumbnails().rendered(), kParts + 2);
}

TEST_F(PartsBrowserTest, ChoosingAPartFillsTheBufferAndRefusedValuesComeBack) {
  WriteDxfLine(folder / "a.dxf", 40);
  std::ofstream(folder / "b.jww") << "JwwData. cut short";
  CPopInportDlg browser(settings, {}, nullptr);
  browser.show();
  QTreeWidget* tree = browser.tree();
  PartPlacement& part = CurrentPartPlacement();
  tree->setCurrentItem(Find(tree, "a.dxf"));
  ASSERT_EQ(part.buffer.size(), 1u);
  ASSERT_TRUE(part.extents);
  EXPECT_EQ(part.extents->width(), 40);

  auto* scale = testing::Child<QLineEdit>(&browser, "partsScale");
  auto* angle = testing::Child<QLineEdit>(&browser, "partsAngle");
  const struct {
    QLineEdit* edit;
    const char* typed;
    const char* shown;
  } cases[] = {{scale, "2.5", "2.5"}, {scale, "1001", "2.5"}, {scale, "0.0009", "2.5"}, {scale, "-", "2.5"},
               {scale, "", "2.5"},    {angle, "-360", "-360"}, {angle, "360.1", "-360"}, {angle, "nan", "-360"}};
  for (const auto& c : cases) {
    c.edit->setText(c.typed);
    emit c.edit->editingFinished();
    EXPECT_EQ(c.edit->text(), c.shown) << c.typed;
  }
  EXPECT_EQ(part.scale, 2.5);
  EXPECT_EQ(part.angle, -360);

  // Another part starts unscaled and unturned; an unreadable one leaves nothing to place.
  tree->setCurrentItem(Find(tree, "b.jww"));
  EXPECT_TRUE(part.buffer.empty());
  EXPECT_FALSE(part.extents);
  EXPECT_EQ(scale->text(), "1");
  EXPECT_EQ(angle->text(), "0");
  browser.close();
  EXPECT_TRUE(part.buffer.empty());
}

TEST_F(PartsBrowserTest, AStoredWindowsFolderFallsBackToTheDefaultWithANotice) {
  settings.PartsFolder.assign(Utf8ToSjis("c:\\部品データ"));
  CPopInportDlg browser(settings, {}, nullptr);
  browser.show();
  EXPECT_TRUE(browser.notice()->isVisibleTo(&browser));
  EXPECT_TRUE(browser.notice()->text().contains(QString::fromUtf8("c:\\部品データ")));
  EXPECT_EQ(browser.tree()->topLevelItem(0)->text(0).toStdString(), data.path() + "/BRENTA/Plenwick/部品データ");
}

TEST_F(PartsBrowserTest, RegistrationTakesTheFormatAndFolderThenTheFormatsSaveDialog) {
  std::filesystem::create_directories(folder / "b/c");
  std::filesystem::create_directories(folder / "a");
  QString title, directory;
  QStringList filters;
  testing::WhenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<CGaibuDataSaveDlg*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("部品データ登録場所指定"));
    EXPECT_EQ(testing::Child<QPushButton>(dialog, "ok")->text(), QString::fromUtf8("登\u3000録"));
    EXPECT_EQ(testing::Child<QPushButton>(dialog, "cancel")->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
    testing::Child<QRadioButton>(dialog, "format2")->click();
    dialog->tree()->setCurrentItem(Find(dialog->tree(), "c"));
    testing::WhenModal(
        [&](QWidget* save) {
          auto* files = qobject_cast<QFileDialog*>(save);
          ASSERT_NE(files, nullptr);
          title = files->windowTitle();
          directory = files->directory().absolutePath();
          filters = files->nameFilters();
          files->findChild<QLineEdit*>("fileNameEdit")->setText("bolt");
          static_cast<QDialog*>(files)->accept();  // public in QDialog
        },
        dialog);
    testing::Child<QPushButton>(dialog, "ok")->click();
  });
  int format = 0;
  const std::string path = AskPartFileToRegister(nullptr, folder.path(), format);
  EXPECT_EQ(format, 2);
  EXPECT_EQ(title, QString::fromUtf8("JWW形式で部品データの登録"));
  EXPECT_EQ(directory.toStdString(), folder / "b/c");
  EXPECT_EQ(filters, QStringList{QString::fromUtf8("図面データ (*.JWW)")});
  EXPECT_EQ(path, folder / "b/c/bolt.jww");
}

}  // namespace
}  // namespace plenwick
