// Benchmark "hatch". hatch.growth: the growth of hatch-line generation with the boundary. A
// saw-tooth region of 100,000 pieces (built in memory: more than one record holds) against one of
// 10,000, both hatched as a grid whose lines and crossings grow with the teeth; a line-by-piece cut
// would take a hundred times longer for the larger, a sweep about ten. hatch.region_10k_ms: in the
// generated 1,000,000-element drawing, the click of the hatching tool on a polygon of 10,000
// vertices, through to its hatching added (undo step, snap points) and drawn, and its lines
// generated once more.
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "drawing_generator.h"
#include "headless_host.h"
#include "model/document_file.h"
#include "model/plenwick_doc.h"
#include "tools/standard_tools.h"
#include "view/hatch_lines.h"
#include "view/plenwick_view.h"
#include "view/tool_framework/command_ids.h"
#include "view/tool_framework/silent_tool_ui.h"
#include "view/tool_framework/tool_framework.h"
#include "view/tool_framework/view_tool_router.h"
#include "view/view_document.h"

using namespace plenwick;
using namespace plenwick::bench;

namespace {

// A region under a rising saw-tooth: (teeth, 0), then the teeth from right to left down to the
// origin. Every line of either family meets only the few teeth near its diagonal.
std::vector<BoundaryPiece> SawTooth(int pieces) {
  const int zig = pieces - 1;
  std::vector<BoundaryPiece> out;
  out.reserve(static_cast<std::size_t>(pieces));
  out.push_back({BoundaryPiece::Kind::kVertex, {zig * 0.5, 0}, {}, 0, true});
  for (int j = zig - 1; j >= 0; --j) {
    out.push_back({BoundaryPiece::Kind::kVertex, {j * 0.5, j * 0.5 + (j % 2 ? 1 : 0)}, {}, 0, true});
  }
  return out;
}

// Building the region and generating its lines; the lines made are returned through `count`.
double GenerateMs(int pieces, std::size_t* count) {
  return BestMs(5, [&] {
    const std::vector<BoundaryPiece> region = SawTooth(pieces);
    HatchLayout layout;
    layout.pattern = kHatchGrid;
    layout.spacingX = layout.spacingY = 0.37;
    layout.angleDeg = 0;
    layout.box = {0, 0, (pieces - 1) * 0.5, (pieces - 1) * 0.5 + 1};
    std::vector<ModelSegment> lines;
    GenerateHatchLines(layout, region, lines);
    *count = lines.size();
  });
}

// The click that hatches a 10,000-vertex polygon beside the generated drawing, as a grid of 20 mm
// over its 10 m; the median of five (each taken back by an undo).
double RegionMs(const std::string& dir) {
  const std::string path = dir + "/bench_hatch_1m.pwk";
  WritePlanDrawing(path, 1000000);
  ResetCurrentSettings();
  SilentUserInterface docUi;
  SilentToolUi ui;
  ToolFramework tools(ui);
  RegisterStandardTools(tools);
  CPlenwickDoc doc(dir, docUi);
  if (OpenDocumentFile(doc, path) != 0) {
    std::fprintf(stderr, "cannot open %s\n", path.c_str());
    std::exit(1);
  }
  constexpr int kVertices = 10000;
  const double side = GeneratedDrawingSide(1000000);
  const ModelPoint centre{side + 6000, side / 2};
  std::vector<double> xy;
  for (int i = 0; i < kVertices; ++i) {
    const double a = 2 * std::numbers::pi * i / kVertices;
    const double r = 5000 + 150 * std::sin(37 * a);
    xy.insert(xy.end(), {centre.x + r * std::cos(a), centre.y + r * std::sin(a)});
  }
  if (doc.AddDocumentEntity({kPolygon, 0, 0, 0, static_cast<int16_t>(xy.size())}, nullptr, nullptr, 0, xy.data(),
                            nullptr) != 0) {
    std::fprintf(stderr, "the polygon was refused\n");
    std::exit(1);
  }
  HeadlessHost host;
  CPlenwickView view(ViewDocumentOf(doc), host);
  view.OnInitialUpdate();
  view.OnSize(1600, 1000);
  view.ShowBaseScreen();
  ToolViewHost window;
  ViewToolRouter router(tools, doc, view, host, window);
  router.Activate();
  tools.OpenPalette();
  router.OnCommand(32862);  // ハッチング
  ProgramSettings& s = CurrentSettings();
  s.HatchPattern = kHatchGrid;
  s.HatchSpacingX = s.HatchSpacingY = 20;
  s.HatchAngle = 30;
  view.ShowWhole();
  const ModelPoint edge{(xy[0] + xy[2]) / 2, (xy[1] + xy[3]) / 2};
  const PixelPoint far = view.mapping().ModelToScreen(edge);
  view.ZoomToRect({far.x - 20, far.y - 12}, {far.x + 20, far.y + 12});
  const PixelPoint at = view.mapping().ModelToScreen(edge);
  std::vector<double> times;
  for (int i = 0; i < 6; ++i) {
    const std::size_t before = doc.entities.size();
    const DrawEntity* last = doc.entities.tail;
    router.OnMouseMove(0, at);
    std::vector<ModelSegment> lines;
    const double ms = TimeMs([&] {
      router.OnLButtonDown(kMkLButton, at);
      router.OnLButtonUp(0, at);
      // Generated here as well, whether or not the view drew the hatching whole.
      if (doc.entities.tail != last) GenerateHatchLines(*doc.entities.tail, lines);
    });
    if (doc.entities.size() != before + 1 || doc.entities.tail->kind != kHatch || lines.size() < 500) {
      std::fprintf(stderr, "the click added no hatching\n");
      std::exit(1);
    }
    // The first click also builds the picking index.
    if (i > 0) times.push_back(ms);
    router.OnCommand(kCmdUndo);
  }
  return Median(times);
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t small = 0, large = 0;
  const double smallMs = GenerateMs(10000, &small);
  const double largeMs = GenerateMs(100000, &large);
  std::fprintf(stderr, "10,000 pieces: %zu lines in %.3f ms; 100,000 pieces: %zu lines in %.3f ms\n", small, smallMs,
               large, largeMs);
  Figure("hatch.growth", largeMs / (10 * smallMs), "ratio");
  Figure("hatch.region_10k_ms", RegionMs(argc > 1 ? argv[1] : "."), "ms");
  return 0;
}
