// CDevelopTool, the drawing tool (code 15) that draws the development drawing of a cylinder
// (sub-mode 0), a square prism (1) or a cone (2): a click gives the place, the dialog "展開図"
// the dimensions, and the whole construction is added as one group.
#pragma once

#include "tools/draw/feedback_tool.h"

namespace plenwick {

class CDevelopTool final : public CFeedbackTool {
 public:
  explicit CDevelopTool(InteractionState& state);

  // The place, then the dialog.
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;

 private:
  void DropOwnOperation(ToolView&) override {}
};

}  // namespace plenwick
