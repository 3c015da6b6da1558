// Opening a JWW file into a document and writing a document as JWW.
#include "exchange/jww_document.h"

#include <algorithm>

#include "exchange/dxf_document.h"
#include "exchange/dxf_placement.h"
#include "exchange/imported_path.h"
#include "model/entity_core.h"

namespace plenwick {

DxfContext JwwPlacementInput(const JwwContext& context) {
  DxfContext input;
  input.ltScale = context.scale;
  input.areaMin = context.areaMin;
  input.areaMax = context.areaMax;
  input.extentMin = context.areaMin;
  input.extentMax = context.areaMin;
  return input;
}

void UseLayersOf(const EntityList& list, LayerTable& layers) {
  int highest = layers.layerCount - 1;
  for (const DrawEntity& e : list) highest = std::max<int>(highest, e.layer);
  layers.layerCount = static_cast<int16_t>(std::min(highest + 1, LayerTable::kLayers));
}

bool OpenJww(CPlenwickDoc& doc, const std::string& path, JwwReadReport& report) {
  JwwContext context;
  if (ReadJww(context, path, doc.entities, report) != 0) {
    ClearEntityList(doc.entities);
    return false;
  }
  UseLayersOf(doc.entities, doc.layers);
  PlaceImportedDrawing(doc, PlaceDxfDrawing(JwwPlacementInput(context)));
  return true;
}

JwwContext DocumentJwwContext(const CPlenwickDoc& doc, bool selectionOnly) {
  JwwContext context;
  context.selectionOnly = selectionOnly ? 1 : 0;
  context.scale = doc.header.scale();
  context.paperSize = doc.header.paperSize();
  context.areaMin = doc.areaMin;
  context.areaMax = doc.areaMax;
  context.originX = doc.originX;
  context.originY = doc.originY;
  return context;
}

int SaveDocumentAsJww(CPlenwickDoc& doc, const std::string& path, bool selectionOnly, std::string* error,
                      JwwWriteReport* report) {
  std::string reason;
  if (ExportJww(DocumentJwwContext(doc, selectionOnly), path, doc.entities, &reason, report) != 0) {
    doc.ui().ShowMessage(std::string(kJwwWriteOpenErrorMessage) + "\n" + reason);
    if (error) *error = reason;
    return 1;
  }
  return 0;
}

std::string JwwDocumentPath(const std::string& jwwPath) { return ImportedDocumentPath(jwwPath, ".jww"); }

std::string JwwReadNotes(const JwwReadReport& report) {
  std::string notes;
  const auto line = [&notes](int64_t n, const char* what) {
    if (n > 0) notes += std::to_string(n) + what;
  };
  line(report.skipped, " 個の要素は値が使えないため読み込みませんでした。\n");
  line(report.insertsDropped, " 個のブロック挿入は、ブロックが見つからないか入れ子が深すぎるため展開しませんでした。\n");
  line(report.solids, " 個のソリッドは読み込みませんでした。\n");
  line(report.images, " 個の画像は読み込みませんでした。\n");
  line(report.foldedLayers, " 個の要素はレイヤグループ 8〜F にあるため、グループ 0〜7 のレイヤに置きました。\n");
  line(report.badUtf16, " 個の文字列に不正な UTF-16 があり、読めない文字を置き換えました。\n");
  if (!notes.empty()) notes.pop_back();
  return notes;
}

}  // namespace plenwick
