// CMoveTool, the editing tool (code 11) that moves, copies and mirrors a selected set of records
// of the current layer (移動, 複写, 水平反転移動, 水平反転複写, 垂直反転移動, 垂直反転複写), scaled and
// turned by its bar, placed by two clicks or by typed values, and copies a set into another open
// drawing (図面間複写). Every change is one undo step.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "model/entity_list.h"
#include "tools/draw/feedback_tool.h"
#include "tools/edit/record_transform.h"
#include "tools/edit/selection_set.h"

namespace plenwick {

// What the tool tells when a transformed record would leave the range a drawing file holds.
inline constexpr std::string_view kMoveOutOfRangeMessage = "作図範囲を超えるため、移動・複写できません。";

class CMoveTool final : public CFeedbackTool {
 public:
  enum Mode : int {
    kMoveMode = 0,             // 移動
    kCopyMode = 1,             // 複写
    kMirrorXMoveMode = 2,      // 水平反転移動 (about a vertical axis)
    kMirrorXCopyMode = 3,      // 水平反転複写
    kMirrorYMoveMode = 4,      // 垂直反転移動 (about a horizontal axis)
    kMirrorYCopyMode = 5,      // 垂直反転複写
    kBetweenDrawingsMode = 6,  // 図面間複写
  };

  explicit CMoveTool(InteractionState& state);
  ~CMoveTool() override;

  void FocusOperationBar(ToolView& view) override;
  void OnLButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;
  void OnMouseMove(ToolView& view, unsigned flags, PixelPoint point) override;
  // A step under way ends (cancel); while selecting, the context menu is let open.
  void OnRButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  void OnCancel(ToolView& view) override;
  void OnEndSelection(ToolView& view) override;
  void OnSelectAll(ToolView& view) override;
  void OnUndo(ToolView& view) override;
  void OnViewActivated(ToolView& view) override;
  void ClearFeedback(ToolView& view) override;
  void ClearFeedbackEverywhere() override;

 private:
  // The selected records (mark 4) in list order, a dimension's parts left to their dimension.
  std::vector<DrawEntity*> SelectedSet(ToolView& view) const;
  void ClearSelection(ToolView& view);
  void ShowSelectionPrompt(ToolView& view);

  // The click of step 2 (base point or axis) and step 3 (destination).
  void TakeBase(ToolView& view, ModelPoint at);
  void TakeDestination(ToolView& view, ModelPoint at);
  // Moves or copies the selected set by `map` as one undo step; false when refused.
  bool TransformSelected(ToolView& view, const PointMap& map, bool copy);
  // 図面間複写: the set into the transfer list, and from there into `view`'s drawing.
  void FillTransfer(ToolView& view);
  void CopyTransferInto(ToolView& view, ModelPoint at);
  void FreeTransfer();
  bool Transferring() const { return transfer_ != nullptr; }
  // Events of another view while the transfer waits: the feedback follows the mouse there.
  void Follow(ToolView& view);

  bool IsCopy() const;
  // The map of the bar's factor and angle from `from` to `to`; none (a beep) for a factor of 0 or a
  // value that is not finite.
  std::optional<PointMap> BarMap(ToolView& view, ModelPoint from, ModelPoint to) const;

  void BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) override;
  void DropOwnOperation(ToolView& view) override;
  void ResetOwnState() override;

  // The set's own points stay in snapping: the base point is most often one of them.
  SelectionSet selection_{false};
  bool buttonDown_ = false;
  bool handingOver_ = false;  // the feedback leaves a view without ending the step
  ModelPoint base_;           // P0, model mm
  // 図面間複写: the copies of the set (independent of the drawing they came from) and the view they
  // came from.
  std::unique_ptr<EntityList> transfer_;
  ToolView* source_ = nullptr;
};

}  // namespace plenwick
