// Benchmark "render": painting a drawing of 1,000,000 elements whole into a 1920 x 1080 picture,
// and painting a view zoomed so that about 1 % of it is visible (the rest must cost next to
// nothing); painting it whole with 10,000 room hatchings added against without them; and
// painting 100,000 texts whole against painting 100,000 lines along their baselines.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "bench_timing.h"
#include "drawing_generator.h"
#include "model/program_settings.h"
#include "qt_canvas.h"
#include "tools/standard_tools.h"
#include "view/plenwick_view.h"
#include "view/standalone_drawing.h"

using namespace plenwick;
using namespace plenwick::bench;

namespace {

class NoWindow final : public ViewHost {
 public:
  void DrawOnClient(const std::function<void(Canvas&)>&) override {}
  void Invalidate(const PixelRect*) override {}
  void SetStatusText(int, std::string_view) override {}
};

// One whole paint of the view into a fresh picture.
void Paint(CPlenwickView& view) {
  QtImageCanvas canvas(view.mapping().clientWidth, view.mapping().clientHeight);
  view.ForceFullErase = 1;
  view.OnDraw(canvas, {0, 0, view.mapping().clientWidth, view.mapping().clientHeight});
  canvas.Finish();
}

// Best time of several whole paints of `count` texts (or of lines in their place) in a view of
// width x height pixels, after one paint to warm up. Exits when a text would not come out 4 to
// 16 pixels high, since then the figure would not measure what it says.
double TextPaintMs(int64_t count, bool asLines, int width, int height) {
  constexpr double kUnit = 10.0;  // model mm per pixel the field is laid out for
  StandaloneDrawing drawing;
  GenerateTextDrawing(drawing.entities, count, 777, kUnit, asLines);
  NoWindow host;
  CPlenwickView view(drawing.view(), host);
  view.OnInitialUpdate();
  view.OnSize(width, height);
  view.ShowWhole();
  const double pixelsPerMm = view.mapping().PixelsPerModelMm();
  if (!asLines) {
    for (const DrawEntity& e : drawing.entities) {
      const double pixels = e.values.get()[2] * pixelsPerMm;
      if (pixels < 4 || pixels > 16) {
        std::fprintf(stderr, "text of %.2f pixels: the field does not fill the view as planned\n", pixels);
        std::exit(1);
      }
    }
  }
  Paint(view);
  return BestMs(5, [&] { Paint(view); });
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QGuiApplication app(argc, argv);
  InstallToolExtensions();  // hatch lines are drawn through the program's generator
  constexpr int64_t kElements = 1000000;
  constexpr int kWidth = 1920, kHeight = 1080;

  StandaloneDrawing drawing;
  GeneratePlanDrawing(drawing.entities, {kElements, 12345, true, true});
  CurrentSettings().GridDisplay = 0;
  NoWindow host;
  CPlenwickView view(drawing.view(), host);
  view.OnInitialUpdate();
  view.OnSize(kWidth, kHeight);
  view.ShowWhole();
  Paint(view);  // warm-up: fonts, glyph caches
  Figure("render.whole_ms", MedianMs(3, [&] { Paint(view); }), "ms");

  // A window of a tenth of the side in each direction: about 1 % of the drawing.
  ModelRect& w = view.mapping().ViewWindow;
  const double cx = (w.xmin + w.xmax) / 2, cy = (w.ymin + w.ymax) / 2;
  const double hw = w.width() / 20, hh = w.height() / 20;
  w = {cx - hw, cy - hh, cx + hw, cy + hh};
  view.mapping().FitViewWindow();
  view.mapping().Recentre();
  Paint(view);
  Figure("render.zoomed_ms", MedianMs(5, [&] { Paint(view); }), "ms");

  // The same drawing whole with and without hatchings.
  constexpr int64_t kHatchings = 10000;
  view.ShowWhole();
  Paint(view);
  const double plainMs = MedianMs(3, [&] { Paint(view); });
  AppendRoomHatchings(drawing.entities, kHatchings, 4242, GeneratedDrawingSide(kElements));
  view.ShowWhole();
  Paint(view);
  const double hatchedMs = MedianMs(3, [&] { Paint(view); });
  std::fprintf(stderr, "whole drawing: %.1f ms plain, %.1f ms with %lld hatchings\n", plainMs, hatchedMs,
               static_cast<long long>(kHatchings));
  Figure("render.hatch_vs_plain", hatchedMs / plainMs, "x");

  constexpr int64_t kTexts = 100000;
  const double textMs = TextPaintMs(kTexts, false, kWidth, kHeight);
  const double linesMs = TextPaintMs(kTexts, true, kWidth, kHeight);
  Figure("render.text_ms", textMs, "ms");
  Figure("render.text_lines_ms", linesMs, "ms");
  Figure("render.text_vs_lines", textMs / linesMs, "x");
  return 0;
}
