// The shell's side of the picture tool: the check reads pictures of every format the dialog
// offers through the loader the views draw with, afresh each time, and refuses broken files and
// what is no regular file; the dialog opens in the folder of the picture placed last, which
// "Plenwick.ini" remembers.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <filesystem>
#include <fstream>

#include "qt_tool_ui.h"
#include "support/recording_ui.h"
#include "support/scoped_temp_folder.h"
#include "widget_test_support.h"

namespace plenwick {
namespace {

// A red 1 x 1 GIF: Qt reads GIF but does not write it.
constexpr unsigned char kGif[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0, ',',
                                  0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 'D', 1, 0, ';'};

TEST(ImageFile, TheCheckReadsEveryOfferedFormatAfreshAndRefusesWhatCannotBeDrawn) {
  testing::ScopedTempFolder folder;
  testing::RecordingUserInterface messages;
  QWidget owner;
  QtToolUi ui(messages, &owner);
  const QString dir = QString::fromStdString(folder.path());
  QImage red(8, 6, QImage::Format_RGB32);
  red.fill(Qt::red);
  for (const char* format : {"png", "jpg", "bmp", "tiff"}) {
    const QString path = dir + "/red." + format;
    ASSERT_TRUE(red.save(path, format)) << format;
    EXPECT_TRUE(ui.ImageLoads(path.toStdString())) << format;
  }
  const std::string gif = folder.path() + "/red.gif";
  std::ofstream(gif, std::ios::binary).write(reinterpret_cast<const char*>(kGif), sizeof kGif);
  EXPECT_TRUE(ui.ImageLoads(gif));

  // Cut off, missing, a folder, a FIFO: nothing to draw, and no hang on the FIFO.
  QFile png(dir + "/red.png");
  ASSERT_TRUE(png.open(QIODevice::ReadOnly));
  const QByteArray bytes = png.readAll();
  const std::string cut = folder.path() + "/cut.png";
  std::ofstream(cut, std::ios::binary).write(bytes.constData(), bytes.size() / 2);
  EXPECT_FALSE(ui.ImageLoads(cut));
  const std::string missing = folder.path() + "/later.png";
  EXPECT_FALSE(ui.ImageLoads(missing));
  EXPECT_FALSE(ui.ImageLoads(folder.path()));
  const std::string fifo = folder.path() + "/fifo.png";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(ui.ImageLoads(fifo));
  // A file placed where one was missing loads now.
  std::filesystem::copy_file(folder.path() + "/red.png", missing);
  EXPECT_TRUE(ui.ImageLoads(missing));
  EXPECT_TRUE(messages.messages.empty());
}

TEST(ImageFile, TheDialogOpensWhereThePicturePlacedLastLies) {
  testing::ScopedTempFolder program, pictures;
  testing::RecordingUserInterface messages;
  QWidget owner;
  QtToolUi ui(messages, &owner);
  ui.SetProgramFolder(QString::fromStdString(program.path()));
  const std::string placed = pictures.path() + "/plan.png";
  ui.RememberImageFile(placed);
  const QSettings ini(QString::fromStdString(program.path() + "/Plenwick.ini"), QSettings::IniFormat);
  EXPECT_EQ(ini.value("Plenwick/OpenDir").toString().toStdString(), placed);

  QString openedIn, title;
  testing::WhenModal([&](QWidget* dialog) {
    auto* files = qobject_cast<QFileDialog*>(dialog);
    ASSERT_NE(files, nullptr);
    openedIn = files->directory().absolutePath();
    title = files->windowTitle();
    files->reject();
  });
  EXPECT_EQ(ui.AskImageFile(), "");
  EXPECT_EQ(openedIn.toStdString(), std::filesystem::path(pictures.path()).string());
  EXPECT_EQ(title, QString::fromUtf8("画像ファイル指定"));
}

}  // namespace
}  // namespace plenwick
