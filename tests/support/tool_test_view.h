// A document shown in a headless view with the tool framework around it, for tests of the
// framework and of the tools: a temporary program folder, a recording view host and window, a
// scripted tool user interface, and the view's event router.
#pragma once

#include <algorithm>
#include <memory>

#include "model/plenwick_doc.h"
#include "model/program_settings.h"
#include "support/recording_ui.h"
#include "support/scoped_temp_folder.h"
#include "support/scripted_tool_ui.h"
#include "support/view_test_drawing.h"
#include "view/tool_framework/tool_framework.h"
#include "view/tool_framework/view_tool_router.h"

namespace plenwick::testing {

struct ToolTestView {
  // A new drawing shown in an 800 x 600 client; the framework without any tool (register the
  // tools the test needs, or RegisterStandardTools).
  ToolTestView() {
    ResetCurrentSettings();
    doc = std::make_unique<CPlenwickDoc>(folder.path(), docUi, DocumentEnvironment{{2025, 1, 1}, "test"});
    view = std::make_unique<CPlenwickView>(ViewDocumentOf(*doc), host);
    view->OnInitialUpdate();
    view->OnSize(800, 600);
    view->ShowBaseScreen();
    tools = std::make_unique<ToolFramework>(ui);
    router = std::make_unique<ViewToolRouter>(*tools, *doc, *view, host, window);
    router->Activate();
    host.canvas.Clear();
    host.invalidated.clear();
  }
  ~ToolTestView() {
    router.reset();
    tools.reset();
    view.reset();
    doc.reset();
    ResetCurrentSettings();
  }
  ToolTestView(const ToolTestView&) = delete;
  ToolTestView& operator=(const ToolTestView&) = delete;

  InteractionState& state() { return tools->state(); }
  ToolView& toolView() { return router->toolView(); }

  // The window's paint after invalidations: the box around everything invalidated since the last
  // paint, painted through the view with the canvas clipped to it, as the window does.
  void PaintInvalidated() {
    const int w = view->mapping().clientWidth, h = view->mapping().clientHeight;
    PixelRect box{w, h, 0, 0};
    for (const PixelRect& r : host.invalidated) {
      const PixelRect part = r == PixelRect{-1, -1, -1, -1} ? PixelRect{0, 0, w, h} : r;
      box = {std::min(box.left, part.left), std::min(box.top, part.top), std::max(box.right, part.right),
             std::max(box.bottom, part.bottom)};
    }
    host.invalidated.clear();
    box = {std::max(box.left, 0), std::max(box.top, 0), std::min(box.right, w), std::min(box.bottom, h)};
    if (box.IsEmpty()) return;
    host.canvas.SetClip(&box);
    view->OnPaint(host.canvas, box);
    host.canvas.SetClip(nullptr);
  }

  ScopedTempFolder folder;
  RecordingUserInterface docUi;
  RecordingViewHost host;
  RecordingToolViewHost window;
  ScriptedToolUi ui;
  std::unique_ptr<CPlenwickDoc> doc;
  std::unique_ptr<CPlenwickView> view;
  std::unique_ptr<ToolFramework> tools;
  std::unique_ptr<ViewToolRouter> router;
};

}  // namespace plenwick::testing
