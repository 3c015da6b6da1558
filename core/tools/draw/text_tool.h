// CTextTool, the drawing tool (code 6) that places a line of text (任意文字) or a text with a
// leader line (指示線付き), typed into an edit box the view shows at the insertion point and
// committed with Enter.
#pragma once

#include <optional>

#include "tools/draw/feedback_tool.h"
#include "tools/draw/line_segment_entry.h"

namespace plenwick {

class CTextTool final : public CFeedbackTool {
 public:
  enum Mode : int { kPlainTextMode = 0, kLeaderTextMode = 1 };
  // The longest text a record keeps (Shift-JIS bytes).
  static constexpr std::size_t kMaxTextBytes = 126;

  explicit CTextTool(InteractionState& state);

  void OnLButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;
  // Commits the box's text.
  void OnReturnKey(ToolView& view) override;
  // Closes the box; abandons a leader.
  void OnRButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  void OnCancel(ToolView& view) override;
  void ClearFeedback(ToolView& view) override;

 private:
  // Opens the box at `at` (mm) for the text the next Enter commits.
  void OpenBox(ToolView& view, ModelPoint at);
  // Closes the box, if open, and forgets the text being placed.
  void CloseBox(ToolView& view);
  bool BoxOpen() const { return state().textBoxOpen != 0; }
  // The text height and width (mm): as set, or scaled by the drawing's scale in points mode.
  double Height(ToolView& view) const;
  double Width(ToolView& view) const;

  void BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) override;
  void DropOwnOperation(ToolView& view) override;
  void ShowOwnFeedbackAgain(ToolView& view, bool wholeClient) override;
  // The leader from its start to its bend, shown while its text is typed.
  void ShowLeader(ToolView& view);

  SegmentEntry start_;             // 指示線付き: the leader's start and its click
  std::optional<ModelPoint> at_;   // where the box's text goes: the insertion point or the bend
  std::optional<ModelPoint> leaderStart_;  // while the box is open for a leader text
};

}  // namespace plenwick
