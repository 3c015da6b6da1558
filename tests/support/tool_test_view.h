// A document shown in a headless view with the tool framework around it, for tests of the
// framework and of the tools: a temporary program folder, a recording view host and window, a
// scripted tool user interface, and the view's event router.
#pragma once

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
