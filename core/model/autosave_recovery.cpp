// The recovery list and the three answers.
#include "model/autosave_recovery.h"

#include <ctime>

#include "model/document_file.h"
#include "model/plenwick_doc.h"
#include "platform/sjis.h"

namespace plenwick {

namespace {

std::string LocalTimeText(int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm local{};
  char text[32] = {};
  if (::localtime_r(&t, &local) == nullptr || std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local) == 0) {
    return "?";
  }
  return text;
}

}  // namespace

RecoveryRow RecoveryRowOf(const LeftDrawing& drawing) {
  if (!drawing.problem.empty()) {
    const std::size_t slash = drawing.drawingFile.rfind('/');
    return {drawing.drawingFile.substr(slash + 1), "読み込めません: " + drawing.problem, ""};
  }
  const AutosaveRecord& r = drawing.record;
  return {r.title, r.path.empty() ? "（新規図面）" : r.path, LocalTimeText(r.savedAt)};
}

int ReadLeftDrawing(CPlenwickDoc& doc, const LeftDrawing& drawing, std::string* error) {
  if (OpenDocumentFile(doc, drawing.drawingFile, error) != 0) return 1;
  if (drawing.record.path.empty()) doc.fileName.assign(Utf8ToSjis(drawing.record.title));
  doc.SetModifiedFlag();
  return 0;
}

bool OwnFileChangedSince(const LeftDrawing& drawing) {
  return !drawing.record.path.empty() && FileModificationTime(drawing.record.path) != drawing.record.fileTime;
}

int ApplyRecoveryChoice(RecoveryChoice choice, const std::vector<LeftDrawing>& left, AutosaveFolder& folder,
                        const RestoreDrawing& restore) {
  int restored = 0;
  switch (choice) {
    case RecoveryChoice::kRestore:
      for (const LeftDrawing& drawing : left) {
        if (drawing.problem.empty() && restore(drawing)) ++restored;
      }
      break;
    case RecoveryChoice::kDiscard:
      for (const LeftDrawing& drawing : left) folder.Remove(drawing.name);
      break;
    case RecoveryChoice::kLater:
      folder.LetGoOfLeftDrawings();
      break;
  }
  return restored;
}

}  // namespace plenwick
