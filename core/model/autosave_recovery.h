// The choice offered at start-up for the drawings a crashed run left in the autosave folder: the
// lines of the list and what 復元, 破棄 and 後で do with them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/autosave_folder.h"

namespace plenwick {

inline constexpr std::string_view kRecoveryQuestion = "前回異常終了した図面が見つかりました。";

// One line of the list (UTF-8).
struct RecoveryRow {
  std::string name;  // the window title the drawing had; the file's name when unreadable
  std::string path;  // its own file, "（新規図面）" for one never saved, or why it is unreadable
  std::string time;  // when it was autosaved, local time "YYYY/MM/DD hh:mm:ss"
};

RecoveryRow RecoveryRowOf(const LeftDrawing& drawing);

class CPlenwickDoc;

// Reads a left drawing into an empty document as a changed drawing (never saved ones keep their
// title as the drawing's file name). Returns 0, or 1 with `error` set.
int ReadLeftDrawing(CPlenwickDoc& doc, const LeftDrawing& drawing, std::string* error);
// Whether the drawing's own file was changed (or made, or deleted) after the autosave was
// written: saving over it then asks first.
bool OwnFileChangedSince(const LeftDrawing& drawing);

enum class RecoveryChoice { kRestore, kDiscard, kLater };

// Opens a left drawing in a window; false when it could not be read (the user has been told).
using RestoreDrawing = std::function<bool(const LeftDrawing& drawing)>;

// 復元: every readable drawing is restored (those that fail and the unreadable ones stay for a
// later start). 破棄: every listed drawing's files are deleted. 後で: all stay for a later start.
// Returns the number of drawings restored.
int ApplyRecoveryChoice(RecoveryChoice choice, const std::vector<LeftDrawing>& left, AutosaveFolder& folder,
                        const RestoreDrawing& restore);

}  // namespace plenwick
