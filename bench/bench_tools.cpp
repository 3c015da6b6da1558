// Benchmark "tools": the drawing tools in a 1,000,000-element plan drawing. 100 circles are drawn
// through the circle tool's pixel events at random places, the view zoomed in on each place as a
// user works (radii of a few to some tens of mm), and 100 more on the whole-drawing view (radii of
// metres, crossing a thousand elements each); the figures are the median times of the click that
// adds one (the element added, its snap points and intersections found through the element
// index, and the circle drawn). Hexagons go the same way through the polygon tool (centre, radius,
// then the timed click that gives the first vertex's direction and adds the header and its six
// sides); tools.add_in_1m_ms is the larger of the circle and hexagon medians.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "drawing_generator.h"
#include "headless_host.h"
#include "model/document_file.h"
#include "model/drawing_file.h"
#include "model/plenwick_doc.h"
#include "tools/standard_tools.h"
#include "view/plenwick_view.h"
#include "view/recording_canvas.h"
#include "view/tool_framework/silent_tool_ui.h"
#include "view/tool_framework/tool_framework.h"
#include "view/tool_framework/view_tool_router.h"
#include "view/view_document.h"

namespace plenwick::bench {
namespace {

using Host = HeadlessHost;

using Ui = SilentToolUi;

}  // namespace
}  // namespace plenwick::bench

int main(int argc, char** argv) {
  using namespace plenwick;
  using namespace plenwick::bench;
  const std::string dir = argc > 1 ? argv[1] : ".";
  const std::string path = dir + "/bench_tools_1m.pwk";
  WritePlanDrawing(path, 1000000);

  ResetCurrentSettings();
  SilentUserInterface docUi;
  Ui ui;
  ToolFramework tools(ui);
  RegisterStandardTools(tools);
  CPlenwickDoc doc(dir, docUi);
  if (OpenDocumentFile(doc, path) != 0) {
    std::fprintf(stderr, "cannot open %s\n", path.c_str());
    return 1;
  }
  Host host;
  CPlenwickView view(ViewDocumentOf(doc), host);
  view.OnInitialUpdate();
  view.OnSize(1600, 1000);
  view.ShowBaseScreen();
  ToolViewHost window;
  ViewToolRouter router(tools, doc, view, host, window);
  router.Activate();
  tools.OpenPalette();
  router.OnCommand(32824);  // 円（半径指定）
  CurrentSettings().Magnet = 1;
  CurrentSettings().CircleRadiusOn = 0;

  std::mt19937 random(5);
  std::uniform_int_distribution<int> x(100, 1500), y(100, 900), r(20, 80);
  auto click = [&](PixelPoint p) {
    router.OnMouseMove(0, p);
    router.OnLButtonDown(kMkLButton, p);
    router.OnLButtonUp(0, p);
  };
  int repaints = 0;
  // 101 circles (or hexagons) at random places, the view zoomed into each place first when `zoom`
  // is set; the times of their adding clicks but the first (which also builds the picking index).
  auto drawFigures = [&](bool zoom, bool hexagons) {
    std::vector<double> adding;
    const std::size_t elementsBefore = doc.entities.size();
    for (int i = 0; i < 101; ++i) {
      view.ShowWhole();
      PixelPoint centre{x(random), y(random)};
      if (zoom) {
        view.ZoomToRect({centre.x - 20, centre.y - 12}, {centre.x + 20, centre.y + 12});
        centre = {800, 500};
      }
      const int radius = r(random);
      PixelPoint last{centre.x + radius, centre.y};
      click(centre);
      if (hexagons) {
        click(last);
        last = {centre.x, centre.y - radius};
      }
      router.OnMouseMove(0, last);
      const int before = host.invalidations;
      const double ms = TimeMs([&] {
        router.OnLButtonDown(kMkLButton, last);
        router.OnLButtonUp(0, last);
      });
      repaints += host.invalidations - before;
      if (i > 0) adding.push_back(ms);
    }
    // A radius click the magnet brings onto the centre adds nothing; most must add.
    const std::size_t perFigure = hexagons ? 7 : 1;
    const std::size_t figures = (doc.entities.size() - elementsBefore) / perFigure;
    if (figures < 80 || figures > 101 || (doc.entities.size() - elementsBefore) % perFigure != 0) {
      std::fprintf(stderr, "%zu elements were added for 101 figures\n", doc.entities.size() - elementsBefore);
      std::exit(1);
    }
    return adding;
  };
  const std::vector<double> zoomed = drawFigures(true, false);
  const std::vector<double> whole = drawFigures(false, false);
  router.OnCommand(32831);  // 多角形
  CurrentSettings().PolyValuesOn = 0;
  CurrentSettings().PolyVertexCount = 6;
  const std::vector<double> hexagons = drawFigures(true, true);
  const std::vector<double> wholeHexagons = drawFigures(false, true);
  Figure("tools.add_in_1m_ms", std::max(Median(zoomed), Median(hexagons)), "ms");
  Figure("tools.circle_add_in_1m_ms", Median(zoomed), "ms");
  Figure("tools.hexagon_add_in_1m_ms", Median(hexagons), "ms");
  Figure("tools.add_in_1m_max_ms",
         std::max(*std::max_element(zoomed.begin(), zoomed.end()), *std::max_element(hexagons.begin(), hexagons.end())),
         "ms");
  Figure("tools.add_in_1m_whole_view_ms", std::max(Median(whole), Median(wholeHexagons)), "ms");
  Figure("tools.repaints_while_adding", repaints, "count");
  return 0;
}
