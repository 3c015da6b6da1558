// Shaping texts into glyph runs and keeping them in a bounded cache.
#include "text_runs.h"

#include <QCoreApplication>
#include <QTextLayout>
#include <QThread>
#include <algorithm>
#include <utility>

namespace plenwick {

namespace {

// What an entry holds besides its glyphs, roughly: the entry, its slot, run and list headers.
constexpr std::size_t kEntryOverhead = 160;
constexpr std::size_t kRunOverhead = 200;
constexpr std::size_t kBytesPerGlyph = sizeof(quint32) + sizeof(QPointF);

// Enough for a few hundred thousand short texts.
constexpr std::size_t kSharedCacheBytes = std::size_t{256} << 20;

std::size_t EstimatedBytes(std::string_view key, const QList<QGlyphRun>& runs) {
  std::size_t bytes = kEntryOverhead + key.size();
  for (const QGlyphRun& run : runs) bytes += kRunOverhead + static_cast<std::size_t>(run.glyphIndexes().size()) * kBytesPerGlyph;
  return bytes;
}

// Fonts (faces in sizes) whose angles are remembered; each zoom brings new sizes.
constexpr std::size_t kMaxFontsWithAngles = 4096;

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

TextRunCache::Slot* TextRunCache::SlotOf(std::string_view key, std::size_t hash) {
  if (slots_.empty()) return nullptr;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    Slot& slot = slots_[i];
    if (!slot.entry) return nullptr;
    if (slot.hash == hash && slot.entry->key == key) return &slot;
  }
}

void TextRunCache::Place(std::size_t hash, std::unique_ptr<Entry> entry) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = hash & mask;
  while (slots_[i].entry) i = (i + 1) & mask;
  slots_[i] = {hash, std::move(entry)};
}

void TextRunCache::Rebuild(std::size_t slotCount) {
  std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(slotCount));
  for (Slot& slot : old) {
    if (slot.entry) Place(slot.hash, std::move(slot.entry));
  }
}

const QList<QGlyphRun>* TextRunCache::Find(std::string_view key) {
  Slot* slot = SlotOf(key, std::hash<std::string_view>{}(key));
  if (!slot) return nullptr;
  slot->entry->lastUse = ++clock_;
  return &slot->entry->runs;
}

const QList<QGlyphRun>& TextRunCache::Insert(std::string_view key, QList<QGlyphRun> runs) {
  if ((count_ + 1) * 2 > slots_.size()) Rebuild(std::max<std::size_t>(64, slots_.size() * 2));
  const std::size_t bytes = EstimatedBytes(key, runs);
  auto entry = std::make_unique<Entry>(Entry{std::string(key), std::move(runs), bytes, ++clock_});
  const Entry* kept = entry.get();
  Place(std::hash<std::string_view>{}(key), std::move(entry));
  ++count_;
  bytes_ += bytes;
  if (bytes_ > maxBytes_) Trim(kept);
  return kept->runs;
}

void TextRunCache::Trim(const Entry* keep) {
  // Down to three quarters at once, so that a full cache does not trim at every insertion.
  std::vector<const Entry*> byAge;
  byAge.reserve(count_);
  for (const Slot& slot : slots_) {
    if (slot.entry && slot.entry.get() != keep) byAge.push_back(slot.entry.get());
  }
  std::sort(byAge.begin(), byAge.end(), [](const Entry* a, const Entry* b) { return a->lastUse < b->lastUse; });
  const std::size_t target = maxBytes_ / 4 * 3;
  std::uint64_t keptFrom = keep->lastUse;  // uses are numbered one by one, so an age parts them
  for (const Entry* e : byAge) {
    if (bytes_ <= target) {
      keptFrom = e->lastUse;
      break;
    }
    bytes_ -= e->bytes;
  }
  for (Slot& slot : slots_) {
    if (slot.entry && slot.entry.get() != keep && slot.entry->lastUse < keptFrom) {
      slot.entry.reset();
      --count_;
    }
  }
  Rebuild(slots_.size());
}

int TextRunCache::AngleGroup(std::string_view fontKey, int tenths) {
  auto it = angles_.find(fontKey);
  if (it == angles_.end() && angles_.size() >= kMaxFontsWithAngles) angles_.clear();  // dealt out afresh
  if (it == angles_.end()) it = angles_.emplace(std::string(fontKey), std::vector<int>{}).first;
  std::vector<int>& seen = it->second;
  auto at = std::find(seen.begin(), seen.end(), tenths);
  // Past the last group the angles share engines again, as they would without groups.
  if (at == seen.end()) at = seen.insert(seen.end(), tenths);
  return static_cast<int>((at - seen.begin()) / kAnglesPerGroup) % kAngleGroups;
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
