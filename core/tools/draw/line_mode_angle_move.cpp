// Sub-mode 8 "角度移動線": one click on a line draws a copy turned about its nearer end by the set
// angle (optionally of the set length); the picked line stays.
#include <cmath>

#include "model/draw_entity.h"
#include "tools/draw/line_prompts.h"
#include "tools/draw/line_sub_mode.h"

namespace plenwick {

namespace {

class AngleMoveMode final : public LineSubMode {
 public:
  void Click(LineSession& s, PixelPoint click) override {
    if (s.numeric()) return;
    const PickHit hit = s.Pick(kLine, click);
    LineEnds ends;
    if (!hit.entity || !StoredEnds(*hit.entity, &ends)) {
      s.Prompt(line_prompts::kAngleMoveNotLine, 1);
      s.Beep();
      return;
    }
    // The end nearer to the click is the pivot.
    const ModelPoint at = s.mapping().ScreenToModel(click.x, click.y);
    const double toFirst = Distance(at, ends.a), toSecond = Distance(at, ends.b);
    ModelPoint pivot = ends.a, other = ends.b;
    if (toSecond < toFirst) {
      pivot = ends.b;
      other = ends.a;
    } else if (!(toFirst < toSecond)) {
      s.Beep();
      s.view().ui().ShowMessage(line_prompts::kAngleMoveUndecided);
    }
    const ProgramSettings& settings = s.settings();
    const double r = DegreesToRadians(settings.AngleMoveAngle);
    const double dx = other.x - pivot.x, dy = other.y - pivot.y;
    ModelPoint turned{pivot.x + dx * std::cos(r) - dy * std::sin(r), pivot.y + dx * std::sin(r) + dy * std::cos(r)};
    if (settings.AngleMoveLengthOn) turned = FixedLengthEnd(pivot, turned, settings.LineLength);
    const LineEnds line{pivot, turned};
    if (LineSession::Degenerate(line)) return;
    s.AddLine(kLine, line);
    s.Prompt(line_prompts::kAngleMoveDone);
  }
};

}  // namespace

std::unique_ptr<LineSubMode> MakeAngleMoveMode() { return std::make_unique<AngleMoveMode>(); }

}  // namespace plenwick
