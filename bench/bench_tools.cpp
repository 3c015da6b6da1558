// Benchmark "tools": the drawing tools in a 1,000,000-element plan drawing. 100 circles are drawn
// through the circle tool's pixel events at random places, the view zoomed in on each place as a
// user works (radii of a few to some tens of mm), and 100 more on the whole-drawing view (radii of
// metres, crossing a thousand elements each); the figures are the median times of the click that
// adds one (the element added, its snap points and intersections found through the element
// index, and the circle drawn).
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
  // 101 circles at random places, the view zoomed into each place first when `zoom` is set; the
  // times of their adding clicks but the first (which also builds the picking index).
  auto drawCircles = [&](bool zoom) {
    std::vector<double> adding;
    const std::size_t elementsBefore = doc.entities.size();
    for (int i = 0; i < 101; ++i) {
      view.ShowWhole();
      PixelPoint centre{x(random), y(random)};
      if (zoom) {
        view.ZoomToRect({centre.x - 20, centre.y - 12}, {centre.x + 20, centre.y + 12});
        centre = {800, 500};
      }
      const PixelPoint edge{centre.x + r(random), centre.y};
      click(centre);
      router.OnMouseMove(0, edge);
      const int before = host.invalidations;
      const double ms = TimeMs([&] {
        router.OnLButtonDown(kMkLButton, edge);
        router.OnLButtonUp(0, edge);
      });
      repaints += host.invalidations - before;
      if (i > 0) adding.push_back(ms);
    }
    // A radius click the magnet brings onto the centre adds nothing; most pairs must add.
    const std::size_t circles = doc.entities.size() - elementsBefore;
    if (circles < 80 || circles > 101) {
      std::fprintf(stderr, "%zu circles were added for 101 pairs of clicks\n", circles);
      std::exit(1);
    }
    return adding;
  };
  const std::vector<double> zoomed = drawCircles(true);
  const std::vector<double> whole = drawCircles(false);
  Figure("tools.add_in_1m_ms", Median(zoomed), "ms");
  Figure("tools.add_in_1m_max_ms", *std::max_element(zoomed.begin(), zoomed.end()), "ms");
  Figure("tools.add_in_1m_whole_view_ms", Median(whole), "ms");
  Figure("tools.repaints_while_adding", repaints, "count");
  return 0;
}
