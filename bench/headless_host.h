// The window of a benchmark's view: drawing lands on a recording canvas emptied after every draw
// (nothing piles up), and repaint requests are only counted.
#pragma once

#include <functional>
#include <string_view>

#include "view/plenwick_view.h"
#include "view/recording_canvas.h"

namespace plenwick::bench {

class HeadlessHost final : public ViewHost {
 public:
  void DrawOnClient(const std::function<void(Canvas&)>& draw) override {
    draw(canvas);
    canvas.Clear();
  }
  void Invalidate(const PixelRect*) override { ++invalidations; }
  void SetStatusText(int, std::string_view) override {}
  RecordingCanvas canvas;
  int invalidations = 0;
};

}  // namespace plenwick::bench
