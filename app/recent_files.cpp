// Recently used drawings: reading, updating and writing the list.
#include "recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace plenwick {

namespace {
const char* const kGroup = "Recent File List";
constexpr int kMenuPathLength = 60;

QString Key(int i) { return QString("File%1").arg(i + 1); }
}  // namespace

RecentFileList::RecentFileList(const QString& programFolder) : iniPath_(programFolder + "/Plenwick.ini") {
  QSettings settings(iniPath_, QSettings::IniFormat);
  settings.beginGroup(kGroup);
  for (int i = 0; i < kSize; ++i) {
    const QString path = settings.value(Key(i)).toString();
    if (!path.isEmpty() && !files_.contains(path)) files_.append(path);
  }
}

void RecentFileList::Add(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  files_.removeAll(absolute);
  files_.prepend(absolute);
  while (files_.size() > kSize) files_.removeLast();
  Write();
}

void RecentFileList::Remove(const QString& path) {
  if (files_.removeAll(QFileInfo(path).absoluteFilePath()) + files_.removeAll(path) > 0) Write();
}

QString RecentFileList::MenuText(int index) const {
  if (index < 0 || index >= files_.size()) return {};
  QString shown = QDir::toNativeSeparators(files_[index]);
  if (shown.size() > kMenuPathLength) shown = shown.left(15) + "..." + shown.right(kMenuPathLength - 18);
  shown.replace("&", "&&");
  return QString("&%1 %2").arg(index + 1).arg(shown);
}

void RecentFileList::Write() const {
  QSettings settings(iniPath_, QSettings::IniFormat);
  settings.beginGroup(kGroup);
  for (int i = 0; i < kSize; ++i) {
    if (i < files_.size()) {
      settings.setValue(Key(i), files_[i]);
    } else {
      settings.remove(Key(i));
    }
  }
}

}  // namespace plenwick
