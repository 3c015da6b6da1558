// Sub-mode 7 "接線": a picked circle, then a point, another element or a second circle; the line
// touches the circle (or both circles) on the side the clicks choose.
#include "model/draw_entity.h"
#include "tools/draw/line_prompts.h"
#include "tools/draw/line_sub_mode.h"
#include "tools/draw/tangent_lines.h"

namespace plenwick {

namespace {

constexpr int kPickCircle = -31;

class TangentMode final : public LineSubMode {
 public:
  void Click(LineSession& s, PixelPoint click) override {
    if (s.numeric()) return;
    if (s.step() == 0) {
      PickCircle(s, click);
      return;
    }
    // A tangent that does not exist creates nothing, and the operation starts over.
    std::optional<LineEnds> line = LineToSecond(s, click);
    if (line && !LineSession::Degenerate(*line)) s.AddLine(kLine, *line);
    s.Finish();
  }

  void Preview(LineSession& s, PixelPoint cursor, LineRubber* rubber) override {
    const ModelPoint q = s.CursorPoint(cursor);
    ModelPoint touch;
    if (!TangentFromPoint(q, circle_, click_, &touch)) return;
    rubber->segments.push_back({touch, q});
    rubber->measured = LineEnds{touch, q};
  }

  bool CancelsOnRightClick() const override { return true; }
  void Reset() override { entity_ = nullptr; }

 private:
  void PickCircle(LineSession& s, PixelPoint click) {
    const PickHit hit = s.Pick(kPickCircle, click);
    if (!hit.entity || !CircleOf(*hit.entity, &circle_)) {
      s.Prompt(line_prompts::kTangentNotCircle, 1);
      return;
    }
    entity_ = hit.entity;
    click_ = s.mapping().ScreenToModel(click.x, click.y);
    s.Highlight(*hit.entity);
    s.Prompt(line_prompts::kTangentSecond);
    s.SetStep(1);
  }

  std::optional<LineEnds> LineToSecond(LineSession& s, PixelPoint click) const {
    const ModelPoint at = s.mapping().ScreenToModel(click.x, click.y);
    const PickHit circle = s.Pick(kPickCircle, click);
    CircleShape second;
    if (circle.entity && circle.entity != entity_ && CircleOf(*circle.entity, &second)) {
      LineEnds line;
      if (!TangentBetweenCircles(circle_, click_, second, at, &line)) return std::nullopt;
      return line;
    }
    // A point: the magnet's, else the nearest point of another element, else the click.
    ModelPoint q = at;
    if (const std::optional<ModelPoint> snapped = s.MagnetPoint()) {
      q = *snapped;
    } else if (const PickHit other = s.Pick(kPickAllButGrid, click); other.entity) {
      q = other.point;
    }
    ModelPoint touch;
    if (!TangentFromPoint(q, circle_, click_, &touch)) return std::nullopt;
    return LineEnds{touch, q};
  }

  DrawEntity* entity_ = nullptr;  // the picked circle
  CircleShape circle_;
  ModelPoint click_;  // where it was clicked (model mm)
};

}  // namespace

std::unique_ptr<LineSubMode> MakeTangentMode() { return std::make_unique<TangentMode>(); }

}  // namespace plenwick
