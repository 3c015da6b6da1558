// A drawing a view can show without a document, and a view host that records what the view
// asks of its window, for tests of the view and of the tools.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "view/plenwick_view.h"
#include "view/recording_canvas.h"
#include "view/standalone_drawing.h"

namespace plenwick::testing {

using TestDrawing = StandaloneDrawing;

class RecordingViewHost final : public ViewHost {
 public:
  void DrawOnClient(const std::function<void(Canvas&)>& draw) override {
    ++clientDraws;
    draw(canvas);
  }
  void Invalidate(const PixelRect* rect) override { invalidated.push_back(rect ? *rect : PixelRect{-1, -1, -1, -1}); }
  void SetStatusText(int pane, std::string_view text) override { status[pane] = std::string(text); }
  void SetCursorShape(int resource) override { cursor = resource; }
  std::optional<PaperSize> PrinterPaper() const override { return printerPaper; }
  void ShowPrompt(std::string_view text) override { prompts.emplace_back(text); }
  void SaveRegionImage(const PixelRect& rect) override { savedRegions.push_back(rect); }

  RecordingCanvas canvas;
  int clientDraws = 0;
  std::vector<PixelRect> invalidated;  // {-1, -1, -1, -1} stands for the whole client
  std::map<int, std::string> status;
  int cursor = 0;
  std::optional<PaperSize> printerPaper;
  std::vector<std::string> prompts;
  std::vector<PixelRect> savedRegions;
};

}  // namespace plenwick::testing
