// Guards the element list's CSV file dialogs: their titles, filters, first name and added
// extension, the overwrite question, and the files chosen there written and read back.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLineEdit>

#include "exchange/csv_reader.h"
#include "exchange/csv_writer.h"
#include "file_dialogs.h"
#include "support/recording_ui.h"
#include "support/scoped_temp_folder.h"
#include "widget_test_support.h"

namespace plenwick {
namespace {

using testing::WhenModal;

// Answers the next file dialog with `name` after checking what it shows.
void Choose(const QString& title, const QString& filter, bool saving, const std::string& name) {
  WhenModal([=](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), title);
    EXPECT_EQ(dialog->nameFilters(), QStringList{filter});
    EXPECT_EQ(dialog->acceptMode(), saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    if (saving) {
      EXPECT_EQ(dialog->defaultSuffix(), "csv");
      EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
      EXPECT_EQ(edit->text(), QString::fromUtf8("未設定ファイル"));
    }
    edit->setText(QString::fromStdString(name));
    QMetaObject::invokeMethod(dialog, "accept");
  });
}

TEST(CsvDialogs, WriteAndReadTheChosenFiles) {
  testing::ScopedTempFolder tmp;
  testing::RecordingUserInterface ui;
  const std::vector<ListItem> items = {{ListItemKind::kLine, {1, 2, 3, 4}}, {ListItemKind::kCircle, {5, 6, 7, 30, 60}}};
  Choose(QString::fromUtf8("ＣＳＶ形式で図面データの保存"), QString::fromUtf8("CSV形式 (*.CSV)"), true, tmp / "list");
  const QString saveTo = AskCsvToSave(nullptr, QString::fromStdString(tmp.path()));
  ASSERT_EQ(saveTo.toStdString(), tmp / "list.csv");
  ASSERT_EQ(SaveItemsAsCsv(ui, saveTo.toStdString(), items), 0);

  Choose(QString::fromUtf8("ＣＳＶファイル指定"), QString::fromUtf8("ＣＳＶファイル (*.CSV)"), false, tmp / "list.csv");
  const QString openFrom = AskCsvToOpen(nullptr);
  std::vector<ListItem> read;
  EXPECT_EQ(ImportCsvItems(ui, openFrom.toStdString(), read), 2u);
  EXPECT_EQ(read, items);
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace plenwick
