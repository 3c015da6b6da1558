// "初期値設定" on the open drawings.
#include "initial_settings_command.h"

#include <vector>

#include "child_frame.h"
#include "main_frame.h"
#include "model/plenwick_doc.h"
#include "model/program_settings.h"
#include "tools/settings/edit_initial_settings.h"
#include "view/tool_framework/tool_framework.h"
#include "view_widget.h"

namespace plenwick {

void RunInitialSettingsCommand(CMainFrame& frame) {
  std::vector<CPlenwickDoc*> documents;
  for (CChildFrame* child : frame.Children()) documents.push_back(&child->document());
  CChildFrame* active = frame.ActiveChild();
  const ParameterBlock fallback = active ? active->document().params : DefaultParameterBlock();
  if (!EditInitialSettings(frame.tools().ui(), CurrentSettings(), frame.folders().program, documents, fallback)) return;
  constexpr int32_t kAfterInitialSettings = 2;
  for (CChildFrame* child : frame.Children()) {
    CPlenwickDoc& doc = child->document();
    doc.updateHint = kAfterInitialSettings;
    // Painting takes the colours and widths afresh.
    child->viewWidget().view().Redraw();
    doc.updateHint = 0;
  }
}

}  // namespace plenwick
