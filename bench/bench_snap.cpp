// Benchmark of snapping and picking on plan-like drawings of short lines, arcs and circles:
// loading with and without the registration of characteristic points (and intersections), and the
// median latency of SnapNearest and PickEntity at one million elements.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "drawing_generator.h"
#include "model/entity_core.h"
#include "model/snap_point_list.h"
#include "view/pick.h"
#include "view/snap.h"
#include "view/snap_registration.h"

namespace plenwick::bench {
namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Document {
  SnapPointList points;
  EntityList list;
  Document() { list.snapPoints = &points; }
};

GeneratorOptions PlanOptions(int64_t elements) {
  GeneratorOptions options;
  options.elements = elements;
  options.withTexts = false;
  options.withCurves = false;
  return options;
}

// Milliseconds to build the drawing, registering every element's points when asked.
double Load(Document& doc, int64_t elements, bool registerPoints) {
  AfterAdd afterAdd;
  if (registerPoints) {
    afterAdd = [&doc](EntityList& list, DrawEntity& added) { RegisterSnapPoints(doc.points, list, added); };
  }
  const Clock::time_point start = Clock::now();
  GeneratePlanDrawing(doc.list, PlanOptions(elements), afterAdd);
  return MillisecondsSince(start);
}

// The best of `runs` loads (the machine is shared; the best run is the least disturbed).
double BestLoad(int64_t elements, bool registerPoints, int runs) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    Document doc;
    best = std::min(best, Load(doc, elements, registerPoints));
  }
  return best;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void Print(const char* name, double value, const char* unit) { std::printf("%s %.4g %s\n", name, value, unit); }

}  // namespace
}  // namespace plenwick::bench

int main() {
  using namespace plenwick;
  using namespace plenwick::bench;
  InstallDefaultSnapPointRegistrar();

  // Every figure is the best of two runs or more, so that both sides of a ratio run on a heap
  // that has already grown.
  const double small = BestLoad(100000, true, 3);
  const double plain = BestLoad(1000000, false, 2);
  const double first = BestLoad(1000000, true, 1);
  auto doc = std::make_unique<Document>();  // the second run's drawing is kept for the queries
  const double largeBest = std::min(first, Load(*doc, 1000000, true));
  Print("snap.load_100k_ms", small, "ms");
  Print("snap.load_1m_ms", largeBest, "ms");
  Print("snap.load_1m_plain_ms", plain, "ms");
  Print("snap.points_1m", static_cast<double>(doc->points.size()), "points");
  Print("snap.load_ratio", largeBest / plain, "x");
  Print("snap.growth", (largeBest / 1e6) / (small / 1e5), "x");

  // One pixel per model mm; the cursor anywhere over the drawing.
  const double side = GeneratedDrawingSide(1000000);
  const int height = static_cast<int>(side) + 100;
  PickView view;
  view.entities = &doc->list;
  view.snapPoints = &doc->points;
  ViewMapping mapping;
  mapping.scale = 1;
  mapping.PixelsPerMm = 1;
  mapping.clientWidth = height;
  mapping.clientHeight = height;
  view.mapping = &mapping;
  view.tolerancePixels = PickTolerancePixels(20, 2);

  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(0, static_cast<int>(side));
  constexpr int kQueries = 2000;
  std::vector<double> nearest;
  std::vector<double> pick;
  int snapped = 0;
  int picked = 0;
  for (int i = 0; i < kQueries; ++i) {
    const PixelPoint cursor = mapping.ModelToScreen(coord(rng), coord(rng));
    Clock::time_point start = Clock::now();
    const SnapHit hit = SnapNearest(view, cursor);
    nearest.push_back(MillisecondsSince(start));
    start = Clock::now();
    const PickHit p = PickEntity(view, kPickAllButGrid, cursor);
    pick.push_back(MillisecondsSince(start));
    snapped += hit.kind > 0 ? 1 : 0;
    picked += p.entity ? 1 : 0;
  }
  Print("snap.nearest_ms", Median(nearest), "ms");
  Print("snap.pick_ms", Median(pick), "ms");
  Print("snap.nearest_hit_share", 100.0 * snapped / kQueries, "%");
  Print("snap.pick_hit_share", 100.0 * picked / kQueries, "%");
  return 0;
}
