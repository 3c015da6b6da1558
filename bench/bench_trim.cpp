// Benchmark "trim": 伸縮 and カット through the expansion tool in generated plan drawings of
// 100,000 and 1,000,000 elements, on a headless view that draws nothing. At random places the
// view is zoomed in as a user works and a small figure is drawn there; the figures are the median
// times of the deciding click (the boundary or the cut's end: the records replaced in one undo
// step with their snap points) over trimming to a line, extending to a circle, trimming to an arc
// and cutting a line; and how the 1,000,000-element time grows over the 100,000-element one.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "drawing_generator.h"
#include "headless_host.h"
#include "model/plenwick_doc.h"
#include "view/plenwick_view.h"
#include "view/tool_framework/silent_tool_ui.h"

namespace plenwick::bench {
namespace {

constexpr int kTrimCommand = 32845;  // 伸縮
constexpr int kCutCommand = 32847;   // カット

// One drawing open in a headless view with the program's tools.
class Session {
 public:
  Session(const std::string& dir, const std::string& path) : s_(dir) {
    s_.OpenMs(path);
    s_.Show();
  }

  // The median time of the deciding click over `rounds` edits at random places.
  double MedianEditMs(int rounds, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> x(100, 1500), y(100, 900);
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
      // Twice zoomed in from the whole drawing: about 60 pixels per mm.
      s_.view->ShowWhole();
      const PixelPoint place{x(random), y(random)};
      s_.view->ZoomToRect({place.x - 20, place.y - 12}, {place.x + 20, place.y + 12});
      s_.view->ZoomToRect({780, 488}, {820, 512});
      const DrawEntity* lastBefore = nullptr;
      times.push_back(Edit(i % 4, &lastBefore));
      // A replacement appends its new records after the figure.
      if (s_.doc.entities.tail == lastBefore || !s_.doc.entities.removedHead) {
        std::fprintf(stderr, "edit %d (kind %d) changed nothing\n", i, i % 4);
        std::exit(1);
      }
    }
    return Median(times);
  }

 private:
  void Click(PixelPoint p) { s_.Click(p); }
  // The click timed; `last` the list's last record before it.
  double TimedClick(PixelPoint p, const DrawEntity** last) {
    s_.router->OnMouseMove(0, p);
    *last = s_.doc.entities.tail;
    return TimeMs([&] {
      s_.router->OnLButtonDown(kMkLButton, p);
      s_.router->OnLButtonUp(0, p);
    });
  }
  ModelPoint At(int px, int py) const { return s_.view->ScreenToModel(px, py); }
  void Add(int16_t kind, int16_t subKind, std::vector<double> values) {
    std::vector<int16_t> codes;
    if (kind == kLine) codes = {10, 20, 11, 22};
    if (kind == kCircle) codes = {10, 20, 40};
    if (kind == kArc) codes = {10, 20, 40, 50, 51};
    s_.doc.AddDocumentEntity({kind, subKind, 0, 0, static_cast<int16_t>(values.size())}, nullptr, codes.data(), 0,
                           values.data(), nullptr);
  }
  void AddLine(int x1, int y1, int x2, int y2) {
    const ModelPoint a = At(x1, y1), b = At(x2, y2);
    Add(kLine, 0, {a.x, a.y, b.x, b.y});
  }
  // One edit of the kind on a figure drawn about the middle of the view (pixels, y down).
  double Edit(int kind, const DrawEntity** last) {
    const double radius = 150 / s_.view->mapping().PixelsPerModelMm();
    switch (kind) {
      case 0:  // a line trimmed at a crossing line
        s_.router->OnCommand(kTrimCommand);
        AddLine(400, 500, 1200, 500);
        AddLine(800, 300, 800, 700);
        Click({1000, 500});
        return TimedClick({800, 400}, last);
      case 1: {  // a line extended to a circle
        s_.router->OnCommand(kTrimCommand);
        AddLine(400, 500, 600, 500);
        const ModelPoint c = At(1000, 500);
        Add(kCircle, 0, {c.x, c.y, radius});
        Click({500, 500});
        return TimedClick({894, 394}, last);
      }
      case 2: {  // a line trimmed to an arc
        s_.router->OnCommand(kTrimCommand);
        AddLine(400, 500, 1200, 500);
        const ModelPoint c = At(800, 500);
        Add(kArc, 1, {c.x, c.y, radius, 100, 80});
        Click({1100, 500});
        return TimedClick({906, 606}, last);
      }
      default:  // a piece cut out of a line
        s_.router->OnCommand(kCutCommand);
        AddLine(400, 500, 1200, 500);
        Click({500, 500});
        Click({700, 500});
        return TimedClick({900, 500}, last);
    }
  }

  HeadlessSession<SilentToolUi> s_;
};

}  // namespace
}  // namespace plenwick::bench

int main(int argc, char** argv) {
  using namespace plenwick;
  using namespace plenwick::bench;
  const std::string dir = argc > 1 ? argv[1] : ".";
  ResetCurrentSettings();
  CurrentSettings().Magnet = 0;
  double medians[2] = {0, 0};
  const int64_t sizes[2] = {100000, 1000000};
  for (int i = 0; i < 2; ++i) {
    const std::string path = dir + "/bench_trim_" + std::to_string(sizes[i]) + ".pwk";
    WritePlanDrawing(path, sizes[i]);
    Session session(dir, path);
    medians[i] = session.MedianEditMs(200, 17);
  }
  Figure("trim.one_in_100k_ms", medians[0], "ms");
  Figure("trim.one_in_1m_ms", medians[1], "ms");
  Figure("trim.growth", medians[1] / medians[0], "x");
  return 0;
}
