// The window of a benchmark's view: drawing lands on a recording canvas emptied after every draw
// (nothing piles up), and repaint requests are only counted; and a drawing opened in such a view
// with the program's tools.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "bench_timing.h"
#include "model/document_file.h"
#include "model/plenwick_doc.h"
#include "tools/standard_tools.h"
#include "view/plenwick_view.h"
#include "view/recording_canvas.h"
#include "view/tool_framework/silent_tool_ui.h"
#include "view/tool_framework/tool_framework.h"
#include "view/tool_framework/view_tool_router.h"
#include "view/view_document.h"

namespace plenwick::bench {

class HeadlessHost final : public ViewHost {
 public:
  void DrawOnClient(const std::function<void(Canvas&)>& draw) override {
    draw(canvas);
    canvas.Clear();
  }
  void Invalidate(const PixelRect*) override { ++invalidations; }
  void SetStatusText(int, std::string_view) override {}
  RecordingCanvas canvas;
  int invalidations = 0;
};

// A drawing (program folder `dir`) with the program's tools, answered by `Ui`; Show puts it in a
// 1600 x 1000 headless view showing it whole, with the palette open.
template <typename Ui>
struct HeadlessSession {
  explicit HeadlessSession(const std::string& dir) : tools(ui), doc(dir, docUi) { RegisterStandardTools(tools); }
  // Opens the drawing file into the document (the benchmark ends when it cannot): the
  // milliseconds that took.
  double OpenMs(const std::string& path) {
    return TimeMs([&] {
      if (OpenDocumentFile(doc, path) != 0) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        std::exit(1);
      }
    });
  }
  void Show() {
    view = std::make_unique<CPlenwickView>(ViewDocumentOf(doc), host);
    view->OnInitialUpdate();
    view->OnSize(1600, 1000);
    view->ShowWhole();
    router = std::make_unique<ViewToolRouter>(tools, doc, *view, host, window);
    router->Activate();
    tools.OpenPalette();
  }
  void Drag(PixelPoint from, PixelPoint to) {
    router->OnMouseMove(0, from);
    router->OnLButtonDown(kMkLButton, from);
    router->OnMouseMove(kMkLButton, to);
    router->OnLButtonUp(0, to);
  }
  void Click(PixelPoint p) { Drag(p, p); }
  std::size_t Records() const { return doc.entities.size(); }

  SilentUserInterface docUi;
  Ui ui;
  ToolFramework tools;
  CPlenwickDoc doc;
  HeadlessHost host;
  ToolViewHost window;
  std::unique_ptr<CPlenwickView> view;
  std::unique_ptr<ViewToolRouter> router;
};

}  // namespace plenwick::bench
