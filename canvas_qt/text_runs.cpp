// Shaping texts into glyph runs and keeping them in a bounded cache.
#include "text_runs.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTextLayout>
#include <QThread>
#include <utility>

namespace plenwick {

namespace {

// What an entry holds besides its glyphs, roughly: list and index nodes, run and list headers.
constexpr std::size_t kEntryOverhead = 160;
constexpr std::size_t kRunOverhead = 200;
constexpr std::size_t kBytesPerGlyph = sizeof(quint32) + sizeof(QPointF);

// Enough for a few hundred thousand short texts, and the upright pictures of the turned ones.
constexpr std::size_t kSharedCacheBytes = std::size_t{256} << 20;

std::size_t EstimatedBytes(std::string_view key, const QList<QGlyphRun>& runs) {
  std::size_t bytes = kEntryOverhead + key.size();
  for (const QGlyphRun& run : runs) bytes += kRunOverhead + static_cast<std::size_t>(run.glyphIndexes().size()) * kBytesPerGlyph;
  return bytes;
}

TextRunCache* g_shared = nullptr;

void DropShared() {
  delete g_shared;
  g_shared = nullptr;
}

}  // namespace

QList<QGlyphRun> ShapeText(const QString& text, const QFont& font, double ascent) {
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  option.setTextDirection(Qt::LeftToRight);  // as a painter's default layout direction
  layout.setTextOption(option);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  if (!line.isValid()) {
    layout.endLayout();
    return {};
  }
  line.setLineWidth(1e9);
  layout.endLayout();
  // The layout puts the baseline at the line's ascent; drawText puts it at the first face's.
  const double shift = ascent - line.ascent();
  QList<QGlyphRun> runs = layout.glyphRuns();
  for (QGlyphRun& run : runs) {
    QList<QPointF> positions = run.positions();
    for (QPointF& p : positions) p.ry() += shift;
    run.setPositions(positions);
  }
  return runs;
}

const QList<QGlyphRun>* TextRunCache::Find(std::string_view key) {
  const auto it = index_.find(key);
  if (it == index_.end()) return nullptr;
  entries_.splice(entries_.begin(), entries_, it->second);
  return &it->second->runs;
}

const QList<QGlyphRun>& TextRunCache::Insert(std::string_view key, QList<QGlyphRun> runs) {
  const std::size_t bytes = EstimatedBytes(key, runs);
  entries_.push_front({std::string(key), std::move(runs), bytes, std::nullopt});
  index_.emplace(entries_.front().key, entries_.begin());
  bytes_ += bytes;
  Trim();
  return entries_.front().runs;
}

void TextRunCache::Trim() {
  // The entry used last stays even when it alone is over the bound.
  while (bytes_ > maxBytes_ && entries_.size() > 1) {
    const Entry& last = entries_.back();
    bytes_ -= last.bytes;
    index_.erase(last.key);
    entries_.pop_back();
  }
}

const TextRunCache::Sprite* TextRunCache::SpriteOf(std::string_view key, QRgb colour) {
  const auto it = index_.find(key);
  if (it == index_.end()) return nullptr;
  Entry& e = *it->second;
  if (e.sprite && e.sprite->colour == colour) return &*e.sprite;
  QRectF ink;
  for (const QGlyphRun& run : e.runs) ink = ink.united(run.boundingRect());
  const QRect box = ink.toAlignedRect().adjusted(-1, -1, 1, 1);
  Sprite sprite{QImage(box.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied), box.topLeft(), colour};
  sprite.image.fill(Qt::transparent);
  {
    QPainter p(&sprite.image);
    p.setPen(QColor::fromRgb(colour));
    p.translate(-box.topLeft());
    for (const QGlyphRun& run : e.runs) p.drawGlyphRun(QPointF(0, 0), run);
  }
  if (e.sprite) bytes_ -= static_cast<std::size_t>(e.sprite->image.sizeInBytes());
  bytes_ += static_cast<std::size_t>(sprite.image.sizeInBytes());
  e.bytes += static_cast<std::size_t>(sprite.image.sizeInBytes()) - (e.sprite ? static_cast<std::size_t>(e.sprite->image.sizeInBytes()) : 0);
  e.sprite = std::move(sprite);
  entries_.splice(entries_.begin(), entries_, it->second);
  Trim();
  return &*entries_.front().sprite;
}

TextRunCache* SharedTextRuns() {
  const QCoreApplication* app = QCoreApplication::instance();
  if (!app || QThread::currentThread() != app->thread()) return nullptr;
  if (!g_shared) {
    g_shared = new TextRunCache(kSharedCacheBytes);
    qAddPostRoutine(DropShared);
  }
  return g_shared;
}

}  // namespace plenwick
