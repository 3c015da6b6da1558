// convert: between the native drawing file and DXF, the format told by each file's extension.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>

#include "commands.h"
#include "exchange/dxf_exchange.h"
#include "exchange/dxf_placement.h"
#include "model/document_defaults.h"
#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "model/parameter_block.h"
#include "view/paper.h"

namespace plenwick::cli {

namespace {

enum class Format { kUnknown, kNative, kDxf };

Format FormatOf(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return Format::kUnknown;
  std::string ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext == "pwk") return Format::kNative;
  if (ext == "dxf") return Format::kDxf;
  return Format::kUnknown;
}

// As "ＤＸＦ形式で保存" writes it: coordinates relative to the centre of the drawing's paper.
int NativeToDxf(const std::string& in, const std::string& out) {
  DrawingFileInfo info;
  EntityList list;
  std::string error;
  if (LoadDrawingFile(in, info, list, nullptr, &error) != 0) return Fail(in + ": " + error);
  DxfContext context;
  context.ltScale = info.header.scale();
  context.areaMin = info.areaMin;
  context.areaMax = info.areaMax;
  context.extentMin = info.extentMin;
  context.extentMax = info.extentMax;
  const double scale = std::isfinite(context.ltScale) && context.ltScale >= 1 ? context.ltScale : 1.0;
  const PaperSize paper = PaperFromTable(info.header.paperSize(), info.header.orientation());
  context.originX = paper.width * scale / 2;
  context.originY = paper.height * scale / 2;
  if (ExportDxf(context, out, list, &error) != 0) return Fail(out + ": " + error);
  return 0;
}

// As "ＤＸＦファイルを開く..." reads it, then saved as a new drawing.
int DxfToNative(const std::string& in, const std::string& out) {
  DxfContext context;
  EntityList list;
  DxfReadReport report;
  if (ReadDxf(context, in, list, report) != 0) return Fail(in + ": " + report.error);
  if (report.skipped > 0) {
    std::fprintf(stderr, "plenwick-cli: %s: %lld entit%s with unusable values skipped\n", in.c_str(),
                 static_cast<long long>(report.skipped), report.skipped == 1 ? "y" : "ies");
  }
  if (list.empty()) return Fail(in + ": the file holds no element a drawing can keep; nothing written");
  DrawingFileInfo info;
  info.header = NewDrawingHeader(DefaultParameterBlock(), CurrentDocumentEnvironment());
  const DxfPlacement placement = PlaceDxfDrawing(context);
  ApplyDxfPlacement(placement, info.header, list);
  info.areaMin = placement.areaMin;
  info.areaMax = placement.areaMax;
  info.extentMin = placement.extentMin;
  info.extentMax = placement.extentMax;
  std::string error;
  if (SaveDrawingFile(out, info, list, &error) != 0) return Fail(out + ": " + error);
  return 0;
}

}  // namespace

int RunConvert(int argc, char** argv) {
  if (argc != 4) return Fail("usage: plenwick-cli convert IN OUT   (IN and OUT .pwk or .dxf, one of each)");
  const std::string in = argv[2], out = argv[3];
  const Format from = FormatOf(in), to = FormatOf(out);
  if (from == Format::kNative && to == Format::kDxf) return NativeToDxf(in, out);
  if (from == Format::kDxf && to == Format::kNative) return DxfToNative(in, out);
  if (from == Format::kUnknown || to == Format::kUnknown) {
    return Fail("cannot tell the format of \"" + (from == Format::kUnknown ? in : out) + "\" by its extension (.pwk or .dxf)");
  }
  return Fail("convert turns a .pwk file into .dxf or a .dxf file into .pwk");
}

}  // namespace plenwick::cli
