// CHatchiTool, the drawing tool (code 12) that hatches (ハッチング) or fills (塗りつぶし) a closed
// region picked element by element: lines and arcs meeting one another, closed by picking the
// first again, or a circle or polygon alone. The region is kept in the new element; a hatching's
// lines are generated from it whenever it is drawn.
#pragma once

#include "tools/draw/dimension_boundary.h"
#include "tools/draw/feedback_tool.h"

namespace plenwick {

class CHatchiTool final : public CFeedbackTool {
 public:
  enum Mode : int {
    kHatching = 0,  // ハッチング
    kPainting = 1,  // 塗りつぶし
  };

  explicit CHatchiTool(InteractionState& state);

  void FocusOperationBar(ToolView& view) override;
  // The region is picked, not pointed at: no magnet follows the cursor.
  void OnMouseMove(ToolView& view, unsigned flags, PixelPoint point) override;
  // The next element of the region; the one that closes it adds the hatching or paint.
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;
  // Releases the picked elements.
  void OnRButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;

 private:
  void Fill(ToolView& view);
  void DropOwnOperation(ToolView& view) override;
  void ResetOwnState() override { chain_.Clear(); }

  BoundaryChain chain_;
};

}  // namespace plenwick
