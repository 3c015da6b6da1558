// Texts shaped once and drawn many times: the glyph runs of a text in a font, kept in a
// least-recently-used cache bounded by an estimate of the memory they hold.
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QPoint>
#include <QList>
#include <QString>
#include <cstddef>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace plenwick {

// The glyph runs of `text` as QPainter::drawText(QPointF(0, ascent), text) with `font` would
// draw them (fallback faces included), placed relative to the top-left corner of the text cell.
QList<QGlyphRun> ShapeText(const QString& text, const QFont& font, double ascent);

class TextRunCache {
 public:
  explicit TextRunCache(std::size_t maxBytes) : maxBytes_(maxBytes) {}
  TextRunCache(const TextRunCache&) = delete;
  TextRunCache& operator=(const TextRunCache&) = delete;

  // The runs kept under `key`, now the most recently used; null when there are none.
  const QList<QGlyphRun>* Find(std::string_view key);
  // Keeps `runs` under `key` (not yet kept), pushing out the least recently used entries
  // beyond the memory bound; returns the kept runs.
  const QList<QGlyphRun>& Insert(std::string_view key, QList<QGlyphRun> runs);

  // A turned text drawn from a picture of it upright: FreeType would draw every glyph afresh at
  // each new angle (a picture per angle would hold many times the memory). The picture of the
  // runs kept under `key` in `colour` (made on first use), and where its top-left corner lies
  // in the text cell; null when `key` holds no runs.
  struct Sprite {
    QImage image;
    QPoint origin;
    QRgb colour = 0;
  };
  const Sprite* SpriteOf(std::string_view key, QRgb colour);

  std::size_t size() const { return entries_.size(); }
  std::size_t bytes() const { return bytes_; }

 private:
  struct Entry {
    std::string key;
    QList<QGlyphRun> runs;
    std::size_t bytes;
    std::optional<Sprite> sprite;
  };
  void Trim();
  std::size_t maxBytes_;
  std::size_t bytes_ = 0;
  std::list<Entry> entries_;  // most recently used first; nodes never move, so keys can be viewed
  std::unordered_map<std::string_view, std::list<Entry>::iterator> index_;
};

// The cache the Qt canvases of the application's main thread share (glyph runs hold font
// engines, which belong to one thread), emptied when the application object goes; null on any
// other thread or without an application.
TextRunCache* SharedTextRuns();

}  // namespace plenwick
