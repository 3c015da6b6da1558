// A drawing open in a headless view with the program's tools, for the benchmarks that drive the
// tools: the document, its view fitted to the whole drawing and the view's event router, with the
// tool user interface `ToolUiT` answering menus and dialogs.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench_timing.h"
#include "headless_host.h"
#include "model/document_file.h"
#include "model/plenwick_doc.h"
#include "tools/standard_tools.h"
#include "view/plenwick_view.h"
#include "view/tool_framework/tool_framework.h"
#include "view/tool_framework/view_tool_router.h"
#include "view/view_document.h"

namespace plenwick::bench {

template <typename ToolUiT>
struct ToolSession {
  explicit ToolSession(const std::string& dir) : tools(ui), doc(dir, docUi) { RegisterStandardTools(tools); }
  // Opens the drawing file (exits the benchmark when it cannot): the milliseconds it took.
  double LoadMs(const std::string& path) {
    return TimeMs([&] {
      if (OpenDocumentFile(doc, path) != 0) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        std::exit(1);
      }
    });
  }
  // The view of 1600 x 1000 pixels on the whole drawing, with the palette open.
  void Show() {
    view = std::make_unique<CPlenwickView>(ViewDocumentOf(doc), host);
    view->OnInitialUpdate();
    view->OnSize(1600, 1000);
    view->ShowWhole();
    router = std::make_unique<ViewToolRouter>(tools, doc, *view, host, window);
    router->Activate();
    tools.OpenPalette();
  }

  SilentUserInterface docUi;
  ToolUiT ui;
  ToolFramework tools;
  CPlenwickDoc doc;
  HeadlessHost host;
  ToolViewHost window;
  std::unique_ptr<CPlenwickView> view;
  std::unique_ptr<ViewToolRouter> router;
};

}  // namespace plenwick::bench
