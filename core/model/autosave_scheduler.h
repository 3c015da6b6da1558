// When and what to autosave: at the interval of the program's settings, between operations,
// every open drawing changed since its last autosave; and the autosave files of drawings that
// were saved or closed taken away.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "model/autosave_folder.h"

namespace plenwick {

class CPlenwickDoc;

// The interval when the settings name none.
inline constexpr std::chrono::milliseconds kDefaultAutosaveInterval = std::chrono::minutes(5);

// The interval the settings give in minutes ("5", "0.5"; "0" switches autosave off). An empty,
// unreadable or negative text gives the default; a positive one is taken as at least a second
// and at most a day.
std::chrono::milliseconds AutosaveIntervalFromMinutes(std::string_view text);

// An open drawing as its window shows it.
struct DrawingInWindow {
  CPlenwickDoc* doc = nullptr;
  std::string path;   // its own file, UTF-8; empty for a drawing never saved
  std::string title;  // the window title without the modified mark
};

struct AutosaveRound {
  int written = 0;     // drawings written
  int failed = 0;      // drawings that could not be written
  std::string error;   // the first failure
};

class AutosaveScheduler {
 public:
  using Clock = std::chrono::steady_clock;

  // An interval of 0 autosaves nothing. The first round is due an interval after `start`.
  AutosaveScheduler(AutosaveFolder& folder, std::chrono::milliseconds interval, Clock::time_point start);

  std::chrono::milliseconds interval() const { return interval_; }

  // Called from the event loop as often as it likes. When a round is due and no operation is
  // under way (a round that finds one waits for the next call), runs WriteChanged and returns
  // its outcome; else nothing.
  std::optional<AutosaveRound> Tick(std::span<const DrawingInWindow> open, bool operationUnderWay, Clock::time_point now);
  // Writes every drawing of `open` changed since its last autosave, and deletes the files of
  // drawings that are no longer open or no longer modified.
  AutosaveRound WriteChanged(std::span<const DrawingInWindow> open);

  // The drawing was saved to its own file: its autosave is out of date and goes.
  void Saved(const CPlenwickDoc& doc);
  // The drawing was closed (saved or not): its autosave goes.
  void Closed(const CPlenwickDoc& doc);
  // A drawing restored from the autosave `name` goes on in those files, which hold it as it is.
  void Adopt(const CPlenwickDoc& doc, std::string name);

 private:
  struct Autosaved {
    std::string name;
    uint64_t stamp = 0;  // the drawing's change stamp its files hold; 0: no files
  };

  AutosaveFolder& folder_;
  std::chrono::milliseconds interval_;
  Clock::time_point lastRound_;
  std::unordered_map<const CPlenwickDoc*, Autosaved> drawings_;
};

}  // namespace plenwick
