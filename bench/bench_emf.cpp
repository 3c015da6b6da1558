// Benchmark "emf": the whole of a drawing of 100,000 elements (lines, circles, texts, curves)
// written as an enhanced metafile by the core's writer, against painting the same page into a
// picture; and the metafile's size per element.
#include <QGuiApplication>
#include <cstdio>

#include "bench_timing.h"
#include "drawing_export.h"
#include "drawing_generator.h"
#include "headless_host.h"
#include "model/program_settings.h"
#include "qt_canvas.h"
#include "tools/standard_tools.h"
#include "view/plenwick_view.h"
#include "view/standalone_drawing.h"

using namespace plenwick;
using namespace plenwick::bench;


int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QGuiApplication app(argc, argv);
  InstallToolExtensions();
  constexpr int64_t kElements = 100000;

  StandaloneDrawing drawing;
  GeneratePlanDrawing(drawing.entities, {kElements, 2424, true, true});
  // The drawing on an A0 sheet at the scale that holds it.
  const double side = GeneratedDrawingSide(kElements);
  drawing.header.setPaperSize(0);
  drawing.header.setScale(static_cast<float>(side / 800));
  HeadlessHost host;
  CPlenwickView view(drawing.view(), host);
  view.OnInitialUpdate();

  std::size_t bytes = 0;
  Figure("emf.write_ms", MedianMs(3, [&] { bytes = DrawingEmf(view).size(); }), "ms");
  Figure("emf.bytes_per_element", static_cast<double>(bytes) / kElements, "B");
  Figure("emf.picture_ms", MedianMs(3, [&] { DrawingPicture(view); }), "ms");
  return 0;
}
