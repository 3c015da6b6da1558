// CInportTool, the parts placement (tool code 16): each click puts down the part the parts
// browser has chosen as one group, moved from its base point to the click, scaled and turned as
// the browser says.
#pragma once

#include <vector>

#include "tools/draw/feedback_tool.h"
#include "tools/draw/part_placement.h"
#include "tools/edit/record_replacement.h"

namespace plenwick {

class CInportTool final : public CFeedbackTool {
 public:
  explicit CInportTool(InteractionState& state);

  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;

 private:
  void DropOwnOperation(ToolView&) override {}
};

// The copies of the part's elements placed with the base point at `at`: every element but grids,
// infinite lines, images, group headers and the generated parts of dimensions (a dimension is
// copied and makes its parts anew), mapped by p' = at + s·Rot(a)·(p − base); a text keeps its
// width, a leader text's width scales. Elements whose copy would not fit a drawing are left out.
std::vector<Replacement> PlacedPartCopies(PartPlacement& part, ModelPoint at);

}  // namespace plenwick
