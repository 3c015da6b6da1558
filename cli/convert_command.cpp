// convert: between the native drawing file and DXF, from it to HP-GL files, and from JWC files
// to either, the format told by each file's extension.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>

#include "commands.h"
#include "exchange/dxf_exchange.h"
#include "exchange/dxf_placement.h"
#include "exchange/jwc_document.h"
#include "exchange/jwc_reader.h"
#include "model/document_defaults.h"
#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "model/parameter_block.h"
#include "output/hpgl_file.h"
#include "view/paper.h"

namespace plenwick::cli {

namespace {

enum class Format { kUnknown, kNative, kDxf, kHpgl, kJwc };

Format FormatOf(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return Format::kUnknown;
  std::string ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext == "pwk") return Format::kNative;
  if (ext == "dxf") return Format::kDxf;
  if (ext == "jwc") return Format::kJwc;
  if (ext == "pgl" || ext == "plt" || ext == "hpgl") return Format::kHpgl;
  return Format::kUnknown;
}

// As "ＤＸＦ形式で保存" writes it: coordinates relative to the centre of the drawing's paper.
int DrawingToDxf(const DrawingFileInfo& info, const EntityList& list, const std::string& out) {
  std::string error;
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

int NativeToDxf(const std::string& in, const std::string& out) {
  DrawingFileInfo info;
  EntityList list;
  std::string error;
  if (LoadDrawingFile(in, info, list, nullptr, &error) != 0) return Fail(in + ": " + error);
  return DrawingToDxf(info, list, out);
}

// As "JWＣファイルを開く..." reads it (the file's own origin kept), then saved as a new drawing or
// written as DXF. A file that stops early is refused: nothing is written.
int JwcToDrawing(const std::string& in, const std::string& out, Format to) {
  JwcReadResult result;
  EntityList list;
  if (ReadJwcFile(in, result, list) != 0) return Fail(in + ": " + result.error);
  if (result.skipped > 0) {
    std::fprintf(stderr, "plenwick-cli: %s: %lld element%s with unusable values skipped\n", in.c_str(),
                 static_cast<long long>(result.skipped), result.skipped == 1 ? "" : "s");
  }
  DrawingFileInfo info;
  info.header = NewDrawingHeader(DefaultParameterBlock(), CurrentDocumentEnvironment());
  ApplyJwcPaper(result, info.header);
  info.areaMin = result.areaMin;
  info.areaMax = result.areaMax;
  if (to == Format::kDxf) return DrawingToDxf(info, list, out);
  std::string error;
  if (SaveDrawingFile(out, info, list, &error) != 0) return Fail(out + ": " + error);
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

// The plot options after IN OUT: --hpgl2, --paper A0..A6, --scale 0|100|50|30|20|10|1 (0: the
// drawing's own), --paper-based, --correction X Y (mm).
bool ReadPlotOptions(int argc, char** argv, HpglOptions* options, std::string* wrong) {
  static constexpr int kScales[] = {0, 100, 50, 30, 20, 10, 1};
  for (int i = 4; i < argc; ++i) {
    const std::string option = argv[i];
    const bool hasValue = i + 1 < argc;
    if (option == "--hpgl2") {
      options->commandSet = kHpgl2;
    } else if (option == "--paper-based") {
      options->paperBased = true;
    } else if (option == "--paper" && hasValue) {
      const std::string paper = argv[++i];
      if (paper.size() != 2 || (paper[0] != 'A' && paper[0] != 'a') || paper[1] < '0' || paper[1] > '6') {
        *wrong = "--paper takes A0 to A6";
        return false;
      }
      options->paperSize = paper[1] - '0';
    } else if (option == "--scale" && hasValue) {
      const std::string value = argv[++i];
      const auto found = std::find_if(std::begin(kScales), std::end(kScales),
                                      [&](int s) { return std::to_string(s) == value; });
      if (found == std::end(kScales)) {
        *wrong = "--scale takes 0 (the drawing's own), 100, 50, 30, 20, 10 or 1";
        return false;
      }
      options->scaleChoice = static_cast<int>(found - std::begin(kScales));
    } else if (option == "--correction" && i + 2 < argc) {
      int values[2] = {0, 0};
      for (int& v : values) {
        const std::string text = argv[++i];
        std::size_t used = 0;
        try {
          v = std::stoi(text, &used);
        } catch (...) {
          used = 0;
        }
        if (used != text.size() || text.empty() || v < -300 || v > 300) {
          *wrong = "--correction takes two whole millimetres from -300 to 300";
          return false;
        }
      }
      options->correctionX = values[0];
      options->correctionY = values[1];
    } else {
      *wrong = "unknown option \"" + option + "\"";
      return false;
    }
  }
  return true;
}

// As "HPGL形式で保存..." writes it: what is shown, one command to a line.
int NativeToHpgl(const std::string& in, const std::string& out, const HpglOptions& options) {
  DrawingFileInfo info;
  EntityList list;
  std::string error;
  if (LoadDrawingFile(in, info, list, nullptr, &error) != 0) return Fail(in + ": " + error);
  info.layers.currentLayer = info.header.currentLayer();
  const HpglDrawing drawing = HpglDrawingOf(info.areaMin, info.areaMax, info.header.scale(), info.layers);
  switch (ExportHpgl(out, options, drawing, list, nullptr, &error)) {
    case HpglExportResult::kNothingToPlot: return Fail(in + ": the drawing has nothing to plot; nothing written");
    case HpglExportResult::kFailed: return Fail(out + ": " + error);
    default: return 0;
  }
}

}  // namespace

int RunConvert(int argc, char** argv) {
  if (argc < 4) return Fail("usage: plenwick-cli convert IN OUT [plot options]   (.pwk, .dxf, .jwc, .pgl)");
  const std::string in = argv[2], out = argv[3];
  const Format from = FormatOf(in), to = FormatOf(out);
  if (from == Format::kNative && to == Format::kHpgl) {
    HpglOptions options;
    std::string wrong;
    if (!ReadPlotOptions(argc, argv, &options, &wrong)) return Fail(wrong);
    return NativeToHpgl(in, out, options);
  }
  if (argc != 4) return Fail("plot options go with an HP-GL output (.pgl, .plt, .hpgl) only");
  if (from == Format::kNative && to == Format::kDxf) return NativeToDxf(in, out);
  if (from == Format::kDxf && to == Format::kNative) return DxfToNative(in, out);
  if (from == Format::kJwc && (to == Format::kNative || to == Format::kDxf)) return JwcToDrawing(in, out, to);
  if (from == Format::kUnknown || to == Format::kUnknown) {
    return Fail("cannot tell the format of \"" + (from == Format::kUnknown ? in : out) +
                "\" by its extension (.pwk, .dxf, .jwc, .pgl, .plt or .hpgl)");
  }
  return Fail("convert turns a .pwk file into .dxf or .pgl, a .dxf file into .pwk, or a .jwc file into .pwk or .dxf");
}

}  // namespace plenwick::cli
