// Benchmark "snap": loading a saved plan-like drawing of short lines, arcs and circles with and
// without the registration of characteristic points (and intersections), the first click after
// loading (which builds the picking index), and the median latency of SnapNearest and PickEntity
// at one million elements.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "drawing_generator.h"
#include "model/drawing_file.h"
#include "model/snap_point_list.h"
#include "view/pick.h"
#include "view/snap.h"
#include "tools/standard_tools.h"
#include "view/snap_registration.h"

namespace plenwick::bench {
namespace {

struct Document {
  SnapPointList points;
  EntityList list;
  Document() { list.snapPoints = &points; }
};

// Milliseconds to load the drawing into the document, registering its points when asked.
double Load(Document& doc, const std::string& path, bool registerPoints) {
  DrawingFileInfo info;
  std::string error;
  int rc = 0;
  const double ms = TimeMs([&] { rc = LoadDrawingFile(path, info, doc.list, registerPoints ? &doc.points : nullptr, &error); });
  if (rc != 0) {
    std::fprintf(stderr, "load failed: %s\n", error.c_str());
    std::exit(1);
  }
  return ms;
}

// The best of `runs` loads into fresh documents.
double BestLoad(const std::string& path, bool registerPoints, int runs) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    Document doc;
    best = std::min(best, Load(doc, path, registerPoints));
  }
  return best;
}

}  // namespace
}  // namespace plenwick::bench

int main(int argc, char** argv) {
  using namespace plenwick;
  using namespace plenwick::bench;
  InstallToolExtensions();
  const std::string dir = argc > 1 ? argv[1] : ".";
  const std::string smallPath = dir + "/bench_snap_100k.pwk";
  const std::string largePath = dir + "/bench_snap_1m.pwk";
  WritePlanDrawing(smallPath, 100000);
  WritePlanDrawing(largePath, 1000000);

  // Every figure is the best of two runs or more, so that both sides of a ratio run on a heap
  // that has already grown.
  const double small = BestLoad(smallPath, true, 3);
  const double smallPlain = BestLoad(smallPath, false, 3);
  const double plain = BestLoad(largePath, false, 3);
  const double first = BestLoad(largePath, true, 1);
  auto doc = std::make_unique<Document>();  // the second run's drawing is kept for the queries
  const double largeBest = std::min(first, Load(*doc, largePath, true));
  Figure("snap.load_100k_ms", small, "ms");
  Figure("snap.load_100k_plain_ms", smallPlain, "ms");
  Figure("snap.load_1m_ms", largeBest, "ms");
  Figure("snap.load_1m_plain_ms", plain, "ms");
  Figure("snap.points_1m", static_cast<double>(doc->points.size()), "points");
  Figure("snap.load_ratio", largeBest / plain, "x");
  Figure("snap.growth", (largeBest / 1e6) / (small / 1e5), "x");

  // One pixel per model mm; the cursor anywhere over the drawing.
  const double side = GeneratedDrawingSide(1000000);
  const int height = static_cast<int>(side) + 100;
  ViewMapping mapping;
  mapping.scale = 1;
  mapping.PixelsPerMm = 1;
  mapping.clientWidth = height;
  mapping.clientHeight = height;
  auto viewOf = [&](Document& d) {
    PickView v;
    v.entities = &d.list;
    v.snapPoints = &d.points;
    v.mapping = &mapping;
    v.tolerancePixels = PickTolerancePixels(20, 2);
    return v;
  };
  // Filing a drawing just read in the picking index (the shell does it while idle once the
  // drawing is shown), then the first click; and a click on a drawing read without its points,
  // which walks the whole list.
  const PixelPoint centre = mapping.ModelToScreen(side / 2, side / 2);
  const PickView view = viewOf(*doc);
  Figure("snap.prepare_ms", TimeMs([&] { PreparePicking(doc->list, doc->points); }), "ms");
  Figure("snap.first_pick_ms", TimeMs([&] { PickEntity(view, kPickAllButGrid, centre); }), "ms");
  {
    Document plainDoc;
    Load(plainDoc, largePath, false);
    const PickView plainView = viewOf(plainDoc);
    Figure("snap.first_pick_plain_ms", TimeMs([&] { PickEntity(plainView, kPickAllButGrid, centre); }), "ms");
  }

  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(0, static_cast<int>(side));
  constexpr int kQueries = 2000;
  std::vector<double> nearest;
  std::vector<double> pick;
  int snapped = 0;
  int picked = 0;
  for (int i = 0; i < kQueries; ++i) {
    const PixelPoint cursor = mapping.ModelToScreen(coord(rng), coord(rng));
    SnapHit hit;
    nearest.push_back(TimeMs([&] { hit = SnapNearest(view, cursor); }));
    PickHit p;
    pick.push_back(TimeMs([&] { p = PickEntity(view, kPickAllButGrid, cursor); }));
    snapped += hit.kind > 0 ? 1 : 0;
    picked += p.entity ? 1 : 0;
  }
  Figure("snap.nearest_ms", Median(nearest), "ms");
  Figure("snap.pick_ms", Median(pick), "ms");
  Figure("snap.nearest_hit_share", 100.0 * snapped / kQueries, "%");
  Figure("snap.pick_hit_share", 100.0 * picked / kQueries, "%");
  std::remove(smallPath.c_str());
  std::remove(largePath.c_str());
  return 0;
}
