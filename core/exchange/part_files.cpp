// Reading and registering part files through the readers and writers of each format.
#include "exchange/part_files.h"

#include <cstdint>
#include <vector>

#include "exchange/dxf_document.h"
#include "exchange/dxf_exchange.h"
#include "exchange/jww_document.h"
#include "exchange/jww_exchange.h"
#include "model/document_file.h"
#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "platform/file_io.h"
#include "platform/folders.h"
#include "platform/sjis.h"

namespace plenwick {

namespace {

bool ReadByKind(std::span<const uint8_t> bytes, PartKind kind, EntityList& list, std::string& error) {
  switch (kind) {
    case PartKind::kDxf: {
      DxfContext context;
      DxfReadReport report;
      const bool read = ReadDxfBytes(context, bytes, list, report) == 0;
      error = report.error;
      return read;
    }
    case PartKind::kPwk: {
      DrawingFileInfo info;
      if (ReadPartsFile(bytes, info, list, &error) != 0) return false;
      // A damaged or cut-off part would be placed with pieces missing.
      if (info.skippedRecords > 0) error = "damaged records";
      return info.skippedRecords == 0;
    }
    case PartKind::kJww: {
      JwwContext context;
      JwwReadReport report;
      // A file cut short keeps what was read before: a part is all or nothing.
      const bool read = ReadJwwBytes(context, bytes, list, report) == 0 && report.error.empty();
      error = report.error;
      return read;
    }
    case PartKind::kNone: break;
  }
  error = "not a part file";
  return false;
}

}  // namespace

std::string PartsFolderOf(const ProgramSettings& settings, std::string* notice) {
  return UsablePartsFolder(SjisToUtf8(settings.PartsFolder.view()), DefaultPartsFolder(), notice);
}

bool ReadPartFile(const std::string& path, PartKind kind, EntityList& list, std::string* error) {
  ClearEntityList(list);
  std::string reason;
  std::vector<uint8_t> bytes;
  bool read = ReadWholeFile(path, bytes, &reason, kMaxPartFileBytes) && ReadByKind(bytes, kind, list, reason);
  if (read && list.size() > kMaxPartElements) {
    reason = "too many elements for a part";
    read = false;
  }
  if (!read) {
    ClearEntityList(list);
    if (error) *error = reason.empty() ? "cannot read " + path : reason;
  }
  return read;
}

PartSaveDialogText PartSaveDialogTextOf(PartFormat format) {
  switch (format) {
    case PartFormat::kDxf: return {"図面データ (*.DXF)", "*.dxf", "dxf", "DXF形式で部品データの登録"};
    case PartFormat::kJww: return {"図面データ (*.JWW)", "*.jww", "jww", "JWW形式で部品データの登録"};
    case PartFormat::kPwk: break;
  }
  return {"図面データ (*.PWK)", "*.pwk", "pwk", "PWK形式で部品データの登録"};
}

int WritePartFile(CPlenwickDoc& doc, PartFormat format, const std::string& path, std::string* error) {
  switch (format) {
    case PartFormat::kDxf: return SaveDocumentAsDxf(doc, path, error, true);
    case PartFormat::kJww: return SaveDocumentAsJww(doc, path, true, error);
    case PartFormat::kPwk: break;
  }
  return SaveDocumentFile(doc, path, true, error);
}

}  // namespace plenwick
