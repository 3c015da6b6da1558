// Sub-mode 2 "無限線": one click places a horizontal, vertical or angled infinite line.
#include <cmath>

#include "model/draw_entity.h"
#include "tools/draw/line_sub_mode.h"

namespace plenwick {

namespace {

class InfiniteLineMode final : public LineSubMode {
 public:
  void Click(LineSession& s, PixelPoint click) override {
    if (s.numeric()) return;
    const ModelPoint p = s.ClickPoint(click);
    const ProgramSettings& settings = s.settings();
    switch (settings.InfiniteLineMode) {
      case 1: s.AddLine(kVerticalInfiniteLine, VerticalInfiniteLine(p.x)); break;
      case 2: s.AddLine(kAngledInfiniteLine, AngledInfiniteLine(p, settings.InfiniteLineAngle, FallbackLength(s))); break;
      default: s.AddLine(kHorizontalInfiniteLine, HorizontalInfiniteLine(p.y)); break;
    }
  }

 private:
  // The second point of a line whose meeting with the frame fails: 1000 pixels' worth of model mm.
  static double FallbackLength(const LineSession& s) {
    const ViewMapping& m = s.mapping();
    const double length = 1000.0 / m.PixelsPerMm * UsableScale(m.scale);
    return std::isfinite(length) ? length : 1000.0;
  }
};

}  // namespace

std::unique_ptr<LineSubMode> MakeInfiniteLineMode() { return std::make_unique<InfiniteLineMode>(); }

}  // namespace plenwick
