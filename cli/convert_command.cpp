// convert: between the native drawing file, DXF and JWW, from JWC files, between any of these and
// CSV lists of points, lines, circles and arcs, and from the native file to HP-GL files, the
// format told by each file's extension.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>

#include "commands.h"
#include "exchange/csv_reader.h"
#include "exchange/csv_writer.h"
#include "exchange/dxf_exchange.h"
#include "exchange/dxf_placement.h"
#include "exchange/jwc_document.h"
#include "exchange/jwc_reader.h"
#include "exchange/jww_document.h"
#include "exchange/jww_exchange.h"
#include "exchange/list_item.h"
#include "model/document_defaults.h"
#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "model/parameter_block.h"
#include "output/hpgl_file.h"
#include "view/paper.h"

namespace plenwick::cli {

namespace {

enum class Format { kUnknown, kNative, kDxf, kJww, kJwc, kCsv, kHpgl };

Format FormatOf(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return Format::kUnknown;
  std::string ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext == "pwk") return Format::kNative;
  if (ext == "dxf") return Format::kDxf;
  if (ext == "jww") return Format::kJww;
  if (ext == "jwc") return Format::kJwc;
  if (ext == "csv") return Format::kCsv;
  if (ext == "pgl" || ext == "plt" || ext == "hpgl") return Format::kHpgl;
  return Format::kUnknown;
}

// A drawing read from any format the program opens, as it would stand in a new document.
struct LoadedDrawing {
  DrawingFileInfo info;
  EntityList list;
};

// Places an imported drawing on its paper as the open commands do.
void PlaceImported(const DxfPlacement& placement, LoadedDrawing& d) {
  d.info.header = NewDrawingHeader(DefaultParameterBlock(), CurrentDocumentEnvironment());
  ApplyDxfPlacement(placement, d.info.header, d.list);
  d.info.areaMin = placement.areaMin;
  d.info.areaMax = placement.areaMax;
  d.info.extentMin = placement.extentMin;
  d.info.extentMax = placement.extentMax;
}

// The centre of the drawing's paper: what "ＤＸＦ形式で保存" and "JWW形式で保存..." take as the origin,
// and the origin offset list coordinates are relative to.
ModelPoint PaperCentre(const DrawingFileInfo& info) {
  const double scale = std::isfinite(info.header.scale()) && info.header.scale() >= 1 ? info.header.scale() : 1.0;
  const PaperSize paper = PaperFromTable(info.header.paperSize(), info.header.orientation());
  return {paper.width * scale / 2, paper.height * scale / 2};
}

// A new drawing on the default paper holding the file's items (pen 0, layer 0), as applying the
// element list to a new drawing adds them.
void PlaceCsvItems(const std::vector<ListItem>& items, LoadedDrawing& d, int64_t& skipped) {
  d.info.header = NewDrawingHeader(DefaultParameterBlock(), CurrentDocumentEnvironment());
  const ModelPoint centre = PaperCentre(d.info);
  d.info.areaMax = {2 * centre.x, 2 * centre.y, 0};
  d.info.extentMax = d.info.areaMax;
  for (const ListItem& item : items) {
    const std::optional<ItemElement> e = ElementOfItem(item, centre);
    if (!e || AddEntity(e->attr, nullptr, d.list, e->codes, 0, e->values.data(), nullptr) != 0) ++skipped;
  }
}

void WarnSkipped(const std::string& in, int64_t skipped) {
  if (skipped <= 0) return;
  std::fprintf(stderr, "plenwick-cli: %s: %lld entit%s with unusable values skipped\n", in.c_str(),
               static_cast<long long>(skipped), skipped == 1 ? "y" : "ies");
}

int Load(const std::string& in, Format from, LoadedDrawing& d) {
  std::string error;
  switch (from) {
    case Format::kNative:
      if (LoadDrawingFile(in, d.info, d.list, nullptr, &error) != 0) return Fail(in + ": " + error);
      return 0;
    case Format::kDxf: {
      // As "ＤＸＦファイルを開く..." reads it.
      DxfContext context;
      DxfReadReport report;
      if (ReadDxf(context, in, d.list, report) != 0) return Fail(in + ": " + report.error);
      WarnSkipped(in, report.skipped);
      PlaceImported(PlaceDxfDrawing(context), d);
      break;
    }
    case Format::kJww: {
      // As "JWWファイルを開く..." reads it.
      JwwContext context;
      JwwReadReport report;
      if (ReadJww(context, in, d.list, report) != 0) return Fail(in + ": " + report.error);
      if (!report.error.empty()) std::fprintf(stderr, "plenwick-cli: %s: %s\n", in.c_str(), report.error.c_str());
      if (const std::string notes = JwwReadNotes(report); !notes.empty()) {
        std::fprintf(stderr, "plenwick-cli: %s: %s\n", in.c_str(), notes.c_str());
      }
      PlaceImported(PlaceDxfDrawing(JwwPlacementInput(context)), d);
      UseLayersOf(d.list, d.info.layers);
      break;
    }
    case Format::kJwc: {
      // As "JWＣファイルを開く..." reads it, at the file's own origin; one that stops early is refused.
      JwcReadResult result;
      if (ReadJwcFile(in, result, d.list) != 0) return Fail(in + ": " + result.error);
      WarnSkipped(in, result.skipped);
      PlaceImported(JwcPlacement(result), d);
      UseLayersOf(d.list, d.info.layers);
      break;
    }
    case Format::kCsv: {
      std::vector<ListItem> items;
      const CsvReadResult result = ReadCsvFile(in, items);
      if (result.status != CsvReadStatus::kRead) return Fail(in + ": " + result.error);
      int64_t skipped = 0;
      PlaceCsvItems(items, d, skipped);
      WarnSkipped(in, skipped);
      break;
    }
    default: return Fail(in + ": cannot be read");
  }
  if (d.list.empty()) return Fail(in + ": the file holds no element a drawing can keep; nothing written");
  return 0;
}

int Save(const std::string& out, Format to, const LoadedDrawing& d) {
  std::string error;
  const ModelPoint origin = PaperCentre(d.info);
  switch (to) {
    case Format::kNative:
      if (SaveDrawingFile(out, d.info, d.list, &error) != 0) return Fail(out + ": " + error);
      return 0;
    case Format::kDxf: {
      DxfContext context;
      context.ltScale = d.info.header.scale();
      context.areaMin = d.info.areaMin;
      context.areaMax = d.info.areaMax;
      context.extentMin = d.info.extentMin;
      context.extentMax = d.info.extentMax;
      context.originX = origin.x;
      context.originY = origin.y;
      if (ExportDxf(context, out, d.list, &error) != 0) return Fail(out + ": " + error);
      return 0;
    }
    case Format::kJww: {
      JwwContext context;
      context.scale = d.info.header.scale();
      context.paperSize = d.info.header.paperSize();
      context.areaMin = d.info.areaMin;
      context.areaMax = d.info.areaMax;
      context.originX = origin.x;
      context.originY = origin.y;
      JwwWriteReport report;
      if (ExportJww(context, out, d.list, &error, &report) != 0) return Fail(out + ": " + error);
      if (report.dropped > 0) {
        std::fprintf(stderr, "plenwick-cli: %s: %lld paint%s and images have no JWW form and were left out\n", out.c_str(),
                     static_cast<long long>(report.dropped), report.dropped == 1 ? "" : "s");
      }
      return 0;
    }
    case Format::kCsv:
      // As the element list writes it: every point, line, circle and arc, relative to the paper's centre.
      if (ExportCsv(out, ListItemsOf(d.list, origin, false), &error) != 0) return Fail(out + ": " + error);
      return 0;
    default: return Fail(out + ": cannot be written");
  }
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
  if (argc < 4) return Fail("usage: plenwick-cli convert IN OUT [plot options]   (.pwk, .dxf, .jww, .jwc, .csv, .pgl)");
  const std::string in = argv[2], out = argv[3];
  const Format from = FormatOf(in), to = FormatOf(out);
  if (from == Format::kNative && to == Format::kHpgl) {
    HpglOptions options;
    std::string wrong;
    if (!ReadPlotOptions(argc, argv, &options, &wrong)) return Fail(wrong);
    return NativeToHpgl(in, out, options);
  }
  if (argc != 4) return Fail("plot options go with an HP-GL output (.pgl, .plt, .hpgl) only");
  if (from == Format::kUnknown || to == Format::kUnknown) {
    return Fail("cannot tell the format of \"" + (from == Format::kUnknown ? in : out) +
                "\" by its extension (.pwk, .dxf, .jww, .jwc, .csv, .pgl, .plt or .hpgl)");
  }
  if (to == Format::kHpgl || to == Format::kJwc || (from == Format::kNative && to == Format::kNative) ||
      (from == Format::kDxf && to == Format::kDxf) || (from == Format::kCsv && to == Format::kCsv)) {
    return Fail("convert turns a .pwk file into .dxf, .jww, .csv or .pgl, and a .dxf, .jww, .jwc or .csv file into .pwk, "
                ".dxf, .jww or .csv");
  }
  LoadedDrawing drawing;
  if (const int failed = Load(in, from, drawing); failed != 0) return failed;
  return Save(out, to, drawing);
}

}  // namespace plenwick::cli
