// The autosave rounds.
#include "model/autosave_scheduler.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ctime>
#include <utility>

#include "model/plenwick_doc.h"

namespace plenwick {

std::chrono::milliseconds AutosaveIntervalFromMinutes(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  double minutes = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), minutes);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(minutes) || minutes < 0) {
    return kDefaultAutosaveInterval;
  }
  if (minutes == 0) return std::chrono::milliseconds(0);
  const double ms = std::clamp(minutes * 60000.0, 1000.0, 24 * 60 * 60000.0);
  return std::chrono::milliseconds(static_cast<int64_t>(ms));
}

AutosaveScheduler::AutosaveScheduler(AutosaveFolder& folder, std::chrono::milliseconds interval, Clock::time_point start)
    : folder_(folder), interval_(interval), lastRound_(start) {}

std::optional<AutosaveRound> AutosaveScheduler::Tick(std::span<const DrawingInWindow> open, bool operationUnderWay,
                                                     Clock::time_point now) {
  if (interval_.count() <= 0 || now - lastRound_ < interval_ || operationUnderWay) return std::nullopt;
  lastRound_ = now;
  return WriteChanged(open);
}

AutosaveRound AutosaveScheduler::WriteChanged(std::span<const DrawingInWindow> open) {
  AutosaveRound round;
  // Drawings gone without word: their files go as on closing.
  for (auto it = drawings_.begin(); it != drawings_.end();) {
    const bool isOpen = std::ranges::any_of(open, [&](const DrawingInWindow& d) { return d.doc == it->first; });
    if (isOpen) {
      ++it;
      continue;
    }
    if (it->second.stamp != 0) folder_.Remove(it->second.name);
    it = drawings_.erase(it);
  }
  for (const DrawingInWindow& drawing : open) {
    CPlenwickDoc& doc = *drawing.doc;
    Autosaved& saved = drawings_[&doc];
    if (!doc.IsModified()) {
      if (saved.stamp != 0) folder_.Remove(saved.name);
      saved.stamp = 0;
      continue;
    }
    if (saved.stamp == doc.changeStamp()) continue;
    if (saved.name.empty()) saved.name = folder_.NewDrawingName();
    const AutosaveRecord record{drawing.path, drawing.title, static_cast<int64_t>(std::time(nullptr)),
                                FileModificationTime(drawing.path)};
    std::string error;
    if (folder_.Write(saved.name, doc, record, &error)) {
      saved.stamp = doc.changeStamp();
      ++round.written;
    } else {
      if (round.failed++ == 0) round.error = error;
    }
  }
  return round;
}

void AutosaveScheduler::Saved(const CPlenwickDoc& doc) {
  const auto it = drawings_.find(&doc);
  if (it == drawings_.end() || it->second.stamp == 0) return;
  folder_.Remove(it->second.name);
  it->second.stamp = 0;
}

void AutosaveScheduler::Closed(const CPlenwickDoc& doc) {
  Saved(doc);
  drawings_.erase(&doc);
}

void AutosaveScheduler::Adopt(const CPlenwickDoc& doc, std::string name) {
  drawings_[&doc] = Autosaved{std::move(name), doc.changeStamp()};
}

}  // namespace plenwick
