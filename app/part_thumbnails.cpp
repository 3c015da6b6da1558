// Drawing and keeping the parts browser's thumbnails.
#include "part_thumbnails.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "exchange/part_files.h"
#include "qt_canvas.h"
#include "tools/draw/part_placement.h"
#include "view/part_preview.h"

namespace plenwick {

namespace {

// A thumbnail stands for the file as it is: a changed file has another key.
QString KeyOf(const QString& path) {
  const QFileInfo info(path);
  return path + '\n' + QString::number(info.size()) + '\n' +
         QString::number(info.lastModified().toMSecsSinceEpoch());
}

// A part that cannot be read or is too large to draw: a crossed box.
QIcon BrokenMark() {
  QPixmap pixmap(PartThumbnails::kSide, PartThumbnails::kSide);
  pixmap.fill(Qt::white);
  QPainter p(&pixmap);
  p.setPen(QPen(Qt::red, 2));
  const int m = 8, s = PartThumbnails::kSide;
  p.drawRect(m, m, s - 2 * m, s - 2 * m);
  p.drawLine(m, m, s - m, s - m);
  p.drawLine(s - m, m, m, s - m);
  return QIcon(pixmap);
}

// Parts of more elements than this get the broken mark: a thumbnail must come quickly.
constexpr std::size_t kMaxDrawnElements = 50000;

}  // namespace

PartThumbnails::PartThumbnails(QTreeWidget& tree) : QObject(&tree), tree_(tree) {
  tree_.setIconSize(QSize(kSide, kSide));
  timer_.setInterval(0);
  connect(&timer_, &QTimer::timeout, this, &PartThumbnails::Fill);
  connect(tree_.verticalScrollBar(), &QScrollBar::valueChanged, this, &PartThumbnails::Schedule);
  connect(&tree_, &QTreeWidget::itemExpanded, this, &PartThumbnails::Schedule);
}

void PartThumbnails::Schedule() {
  if (!timer_.isActive()) timer_.start();
}

void PartThumbnails::Fill() {
  QElapsedTimer clock;
  clock.start();
  const QRect sight = tree_.viewport()->rect();
  // Items in sight from the top of the view down.
  for (QTreeWidgetItem* item = tree_.itemAt(0, 0); item; item = tree_.itemBelow(item)) {
    if (!tree_.visualItemRect(item).intersects(sight)) break;
    const QString path = item->data(0, kPathRole).toString();
    if (path.isEmpty()) continue;
    const QString key = KeyOf(path);
    if (item->data(0, kRole).toString() == key) continue;
    if (clock.elapsed() >= kSliceMs) return;  // the rest after the next events
    item->setIcon(0, Thumbnail(path, key));
    item->setData(0, kRole, key);
  }
  timer_.stop();
}

QIcon PartThumbnails::Thumbnail(const QString& path, const QString& key) {
  if (const auto found = cache_.constFind(key); found != cache_.constEnd()) return *found;
  EntityList part;
  QIcon icon;
  const QByteArray utf8 = path.toUtf8();
  if (!ReadPartFile(utf8.toStdString(), PartKindOfName(utf8.toStdString()), part) || part.size() > kMaxDrawnElements) {
    icon = BrokenMark();
  } else {
    QtImageCanvas canvas(kSide, kSide);
    DrawPartPreview(canvas, kSide, kSide, part, PartExtents(part));
    icon = QIcon(QPixmap::fromImage(canvas.Finish()));
  }
  ++rendered_;
  if (cache_.size() >= kMaxKept) cache_.clear();
  cache_.insert(key, icon);
  return icon;
}

}  // namespace plenwick
