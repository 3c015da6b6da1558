// A drawing a view can show without a document, and a view host that records what the view
// asks of its window, for tests of the view and of the tools.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "model/document_defaults.h"
#include "model/parameter_block.h"
#include "view/plenwick_view.h"
#include "view/recording_canvas.h"

namespace plenwick::testing {

struct TestDrawing {
  EntityList entities;
  LayerTable layers;
  DrawingHeader header;
  DrawingValues drawingValues;
  double originX = 0;
  double originY = 0;
  int32_t areaSet = 0;
  std::array<double, 3> areaMin{};
  std::array<double, 3> areaMax{};
  int32_t extentWidth = 594;
  int32_t extentHeight = 420;

  // A4 landscape at 1:1 with the default display colours and layers.
  TestDrawing() {
    layers.SetDefaults();
    header.setScale(1);
    header.setPaperSize(4);
    header.setPaperMode(0);
    drawingValues = DrawingValuesFromParameters(DefaultParameterBlock(""));
  }
  ViewDocument view() {
    return {entities, layers, header, drawingValues, originX, originY, areaSet, areaMin, areaMax, extentWidth, extentHeight};
  }
};

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

  RecordingCanvas canvas;
  int clientDraws = 0;
  std::vector<PixelRect> invalidated;  // {-1, -1, -1, -1} stands for the whole client
  std::map<int, std::string> status;
  int cursor = 0;
  std::optional<PaperSize> printerPaper;
};

}  // namespace plenwick::testing
