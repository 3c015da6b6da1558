// CImageTool, the drawing tool (code 13) that places a picture file in a rectangle given by two
// corners: the picture is chosen in a file dialog once the rectangle is known, and kept by its
// path (kind 80).
#pragma once

#include <string>
#include <string_view>

#include "tools/draw/feedback_tool.h"
#include "tools/draw/line_segment_entry.h"

namespace plenwick {

class CImageTool final : public CFeedbackTool {
 public:
  explicit CImageTool(InteractionState& state);

  void OnLButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;
  // The first corner, then the second, which asks for the picture.
  void OnLButtonUp(ToolView& view, unsigned flags, PixelPoint point) override;
  // Abandons the rectangle.
  void OnRButtonDown(ToolView& view, unsigned flags, PixelPoint point) override;

 private:
  void Place(ToolView& view, ModelPoint second);
  void BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) override;
  void DropOwnOperation(ToolView&) override {}

  SegmentEntry first_;
};

// Longest picture path a drawing file keeps, in bytes.
inline constexpr std::size_t kMaxImagePathBytes = 255;

// The messages of a picture that cannot be placed, followed by its path.
inline constexpr std::string_view kImageUnreadableMessage = "画像ファイルを読み込めません。\n";
inline constexpr std::string_view kImageUnstorableMessage =
    "この画像ファイルのパスは図面に保存できません（Shift-JIS で 255 バイトまで）。\n";

// The picture path a drawing keeps for `utf8Path`: Shift-JIS, at most 255 bytes; false when
// Shift-JIS cannot hold every character or the path is longer.
bool StorableImagePath(const std::string& utf8Path, std::string* sjis);

}  // namespace plenwick
