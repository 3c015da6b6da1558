// The small text file beside each autosaved drawing: which file the drawing belongs to (none for
// a new drawing), the title of its window, when it was autosaved and how its own file looked then.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace plenwick {

struct AutosaveRecord {
  std::string path;   // absolute, UTF-8; empty for a drawing never saved
  std::string title;  // the window title, UTF-8
  int64_t savedAt = 0;  // seconds since 1970 (UTC)
  // The modification time of the file at `path` when the autosave was written, in nanoseconds
  // since 1970; -1 when there was no file. A different time at recovery means someone changed
  // that file since.
  int64_t fileTime = -1;

  bool operator==(const AutosaveRecord&) const = default;
};

// Larger record files are not read: the real ones hold two paths' worth of text.
inline constexpr std::size_t kMaxAutosaveRecordBytes = 16384;

std::string FormatAutosaveRecord(const AutosaveRecord& record);

// Reads a record file's bytes; false with `error` set (English, for the recovery list) when they
// are not one record as FormatAutosaveRecord writes it.
bool ParseAutosaveRecord(std::span<const uint8_t> bytes, AutosaveRecord& record, std::string* error);

// The modification time of `path` in nanoseconds since 1970; -1 when it names no file.
int64_t FileModificationTime(const std::string& path);

}  // namespace plenwick
