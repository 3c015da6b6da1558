// CSelectTool, the tool (code 0) that picks figures and moves or reshapes them by dragging
// (図形選択), registers and releases groups, hands a selection to parts registration and the
// entity list, turns and mirrors the picks from its bar, and selects everything on the current
// layer.
#pragma once

#include <functional>
#include <optional>

#include "tools/draw/feedback_tool.h"
#include "tools/edit/selection_set.h"

namespace plenwick {

class CSelectTool final : public CFeedbackTool {
 public:
  enum Mode : int {
    kFigureMode = 0,      // 図形選択: picks (mark 3) that drags move and reshape
    kGroupRegister = 1,   // グループ登録
    kGroupRelease = 2,    // グループ解除
    kPartsRegister = 3,   // 部品データ登録
    kListEdit = 4,        // 作図要素リスト
  };
  // What a double click in 図形選択 opens for the record clicked (its attribute dialog); until
  // one is given the double click only clears the picks.
  using AttributeEditor = std::function<void(ToolView& view, DrawEntity& record)>;

  explicit CSelectTool(InteractionState& state);

  void OnLButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;
  void OnLButtonDblClk(ToolView& view, unsigned flags, PixelPoint point) override;
  void OnRButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  void OnCancel(ToolView& view) override;
  void OnSelectAll(ToolView& view) override;
  void OnUndo(ToolView& view) override;
  void ClearFeedback(ToolView& view) override;
  // The bar's order, mirror and turn buttons; group registration and release; part registration.
  bool OnToolCommand(ToolView& view, int commandId) override;

  void SetAttributeEditor(AttributeEditor editor) { attributeEditor_ = std::move(editor); }

 private:
  enum class PickState { kNothing, kPicked, kDragging };
  enum class DragKind { kMove, kHandle, kMidpoint };
  struct Handle {
    DrawEntity* record = nullptr;
    ModelPoint point;  // model mm
    int kind = 0;      // its characteristic point kind
  };

  int TargetMark() const;
  // The record a click hits on the current layer (not the grid), by the pick tolerance.
  DrawEntity* HitAt(ToolView& view, PixelPoint point) const;
  // A pick (toggle) or, for a gesture of more than 9 pixels, a window from the press point.
  void PickOrWindow(ToolView& view, PixelPoint release, int16_t mark);
  // Takes the marks off and shows the records in their plain look.
  void ClearMarks(ToolView& view, int16_t mark);
  void ClearAll(ToolView& view);
  // Shows records in their new look: one by one, or a repaint of the view when there are many.
  void Redraw(ToolView& view, const std::vector<DrawEntity*>& changed);

  // Applies the drag that ends at `release`; the picks are cleared either way.
  void ApplyDrag(ToolView& view, PixelPoint release);
  // The drag vector (mm) corrected so that the one of the moving points (mm) nearest to a
  // characteristic point of another record within snap reach lands on it.
  ModelPoint SnappedShift(ToolView& view, const std::vector<ModelPoint>& moving, ModelPoint shift) const;
  void TransformPicks(ToolView& view, int button);
  // Moves the picks to the end of the drawing order or to just after its head, undoably.
  void Reorder(ToolView& view, bool toEnd);
  void RegisterGroup(ToolView& view);
  void ReleaseGroup(ToolView& view);
  // Writes the selection as a part file where the user says; the picks are cleared either way.
  void RegisterPart(ToolView& view);
  // "リスト編集...": the entity list over the selection; applying or cancelling ends the mode's
  // selection, a refusal keeps it.
  void EditList(ToolView& view);
  // Every record carrying `mark` (with the members of groups and dimensions), in list order.
  std::vector<DrawEntity*> MarkedInListOrder(ToolView& view, int16_t mark) const;
  // After an edit that replaced the marked records: the marks went with them.
  void EndEdit(ToolView& view);

  void BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) override;
  void DropOwnOperation(ToolView& view) override;

  SelectionSet selection_;
  PickState pickState_ = PickState::kNothing;
  DragKind dragKind_ = DragKind::kMove;
  Handle handle_;
  DrawEntity* lastClicked_ = nullptr;  // for the double click; valid while the picks stand
  bool buttonDown_ = false;
  AttributeEditor attributeEditor_;
};

}  // namespace plenwick
