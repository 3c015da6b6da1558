// Thumbnails of part files for the parts browser: each drawn by the program's renderer on an
// image, kept by path, size and modification time, and made lazily, a few at a time between
// events, for the file items that can be seen.
#pragma once

#include <QHash>
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QTreeWidget;
class QTreeWidgetItem;

namespace plenwick {

class PartThumbnails final : public QObject {
  Q_OBJECT
 public:
  static constexpr int kSide = 40;                 // pixels
  static constexpr int kRole = Qt::UserRole + 1;  // an item's data: the key its icon was made for
  static constexpr int kPathRole = Qt::UserRole;  // a file item's full path (UTF-8 as QString)
  static constexpr int kMaxKept = 4096;           // thumbnails kept at most
  static constexpr int kSliceMs = 12;             // work done between two events at most

  // Fills the file items of `tree` that come into sight.
  explicit PartThumbnails(QTreeWidget& tree);

  // Looks again for file items in sight that lack their thumbnail (after scrolling, resizing,
  // expanding or a new tree).
  void Schedule();
  // Thumbnails drawn so far (not counting those taken from the cache).
  int rendered() const { return rendered_; }
  // Whether a file item in sight still waits for its thumbnail.
  bool pending() const { return timer_.isActive(); }

 private:
  void Fill();
  QIcon Thumbnail(const QString& path, const QString& key);

  QTreeWidget& tree_;
  QTimer timer_;
  QHash<QString, QIcon> cache_;
  int rendered_ = 0;
};

}  // namespace plenwick
