// The most-recently-used list of four drawings, kept in "Plenwick.ini" in the program folder.
#pragma once

#include <QString>
#include <QStringList>

namespace plenwick {

class RecentFileList {
 public:
  static constexpr int kSize = 4;
  // Reads the list from <programFolder>/Plenwick.ini.
  explicit RecentFileList(const QString& programFolder);

  const QStringList& files() const { return files_; }
  // Puts a file first (once) and writes the list.
  void Add(const QString& path);
  // Drops a file that could not be opened and writes the list.
  void Remove(const QString& path);
  // The menu text of entry i: "&1 name" (a long path shortened in the middle).
  QString MenuText(int index) const;

 private:
  void Write() const;
  QString iniPath_;
  QStringList files_;
};

}  // namespace plenwick
