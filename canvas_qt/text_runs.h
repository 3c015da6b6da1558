// Texts shaped once and drawn many times: the glyph runs of a text in a font, kept in a cache
// bounded by an estimate of the memory they hold, which pushes out the least recently used.
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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
  // Keeps `runs` under `key` (not yet kept); beyond the memory bound, pushes out the least
  // recently used entries down to three quarters of it. Returns the kept runs, valid until the
  // next Insert.
  const QList<QGlyphRun>& Insert(std::string_view key, QList<QGlyphRun> runs);

  // FreeType keeps the glyphs of at most ten angles per font engine, so texts at many angles in
  // one face and size would have every glyph drawn afresh at each paint. The angles of a font
  // (named by `fontKey`) are dealt out in groups of kAnglesPerGroup as they come; each group is
  // drawn by an engine of its own. Returns the group of `tenths` (tenths of a degree).
  static constexpr int kAnglesPerGroup = 8;
  static constexpr int kAngleGroups = 40;
  int AngleGroup(std::string_view fontKey, int tenths);

  std::size_t size() const { return count_; }
  std::size_t bytes() const { return bytes_; }

 private:
  struct Entry {
    std::string key;
    QList<QGlyphRun> runs;
    std::size_t bytes;
    std::uint64_t lastUse;
  };
  // Open addressing with linear probing: a look-up at every text of every paint touches one
  // slot and its entry, not a bucket, a node and a list.
  struct Slot {
    std::size_t hash = 0;
    std::unique_ptr<Entry> entry;
  };
  Slot* SlotOf(std::string_view key, std::size_t hash);
  void Place(std::size_t hash, std::unique_ptr<Entry> entry);
  void Rebuild(std::size_t slotCount);
  void Trim(const Entry* keep);

  std::size_t maxBytes_;
  std::size_t bytes_ = 0;
  std::size_t count_ = 0;
  std::uint64_t clock_ = 0;
  std::vector<Slot> slots_;  // a power of two long, at most half full
  // Looked up by the caller's key as it is, without a copy, at every turned text.
  struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
  };
  std::unordered_map<std::string, std::vector<int>, KeyHash, std::equal_to<>> angles_;  // per font, in order of first use
};

// The cache the Qt canvases of the application's main thread share (glyph runs hold font
// engines, which belong to one thread), emptied when the application object goes; null on any
// other thread or without an application.
TextRunCache* SharedTextRuns();

}  // namespace plenwick
