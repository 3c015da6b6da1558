// Sub-mode 4 "平行線": a picked line, then a copy through the clicked point, or copies at the set
// distance (repeated) on the clicked side.
#include <algorithm>

#include "model/draw_entity.h"
#include "tools/draw/line_prompts.h"
#include "tools/draw/line_sub_mode.h"

namespace plenwick {

namespace {

// PickEntity: lines and infinite lines.
constexpr int kPickLines = -20;
constexpr int kMaxCopies = 100;

class ParallelMode final : public LineSubMode {
 public:
  void Click(LineSession& s, PixelPoint click) override {
    if (s.step() == 0) {
      if (!s.numeric()) PickReference(s, click);
      return;
    }
    const ModelPoint at = s.numeric() ? s.MousePoint() : s.ClickPoint(click);
    for (const LineEnds& copy : Copies(s, at)) {
      if (s.AddLine(kind_, copy) == LineAdded::kRefused) break;
    }
    s.Finish();
  }

  void Preview(LineSession& s, PixelPoint cursor, LineRubber* rubber) override {
    const ModelPoint at = s.CursorPoint(cursor);
    rubber->segments = Copies(s, at);
    if (!s.settings().ParallelDistanceOn) {
      ModelPoint foot = at;
      PerpendicularFoot(at, reference_, &foot);
      rubber->measured = LineEnds{foot, at};
    }
  }

  bool CancelsOnRightClick() const override { return true; }

 private:
  void PickReference(LineSession& s, PixelPoint click) {
    const PickHit hit = s.Pick(kPickLines, click);
    if (!hit.entity || !StoredEnds(*hit.entity, &ends_) || LineCoefficients(ends_.a, ends_.b, &reference_) != 0) {
      s.Beep();
      return;
    }
    kind_ = hit.entity->kind;
    s.Highlight(*hit.entity);
    if (IsInfiniteLine(kind_)) s.state().lineReferenceFlag = 1;
    s.Prompt(s.settings().ParallelDistanceOn ? line_prompts::kParallelSide : line_prompts::kParallelPlace);
    s.SetStep(1);
  }

  // The copies for a click (or the mouse, for a typed distance) at `at`: through it, or at the
  // set or typed distance on its side, repeated ParallelCount times when the distance is set.
  std::vector<LineEnds> Copies(const LineSession& s, ModelPoint at) const {
    const ProgramSettings& settings = s.settings();
    const bool distanceOn = settings.ParallelDistanceOn != 0;
    if (!distanceOn && !s.numeric()) return {ParallelThrough(kind_, ends_, reference_, at)};
    const double distance = s.numeric() ? s.value() : settings.ParallelDistance;
    const int count = distanceOn ? std::clamp<int>(settings.ParallelCount, 1, kMaxCopies) : 1;
    std::vector<LineEnds> copies;
    for (int i = 1; i <= count; ++i) copies.push_back(ParallelAtDistance(kind_, ends_, reference_, at, i * distance));
    return copies;
  }

  int16_t kind_ = kLine;
  LineEnds ends_;
  LineCoef reference_;
};

}  // namespace

std::unique_ptr<LineSubMode> MakeParallelMode() { return std::make_unique<ParallelMode>(); }

}  // namespace plenwick
