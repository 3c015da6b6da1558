// CImageTool, the drawing tool (code 13) that places a picture file in a rectangle given by two
// corners: the picture is chosen in a file dialog once the rectangle is known, and kept by its
// path (kind 80).
#pragma once

#include <string>

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

// The picture path a drawing keeps for `utf8Path`: Shift-JIS, at most 255 bytes; false when
// Shift-JIS cannot hold every character or the path is longer.
bool StorableImagePath(const std::string& utf8Path, std::string* sjis);

}  // namespace plenwick
