// Sub-mode 3 "垂線": a picked line (or polygon side), the foot on it, then the start and the end of
// the perpendicular through that foot, each clicked or typed.
#include <cmath>

#include "model/draw_entity.h"
#include "tools/draw/line_prompts.h"
#include "tools/draw/line_sub_mode.h"
#include "view/selection.h"

namespace plenwick {

namespace {

// PickEntity: lines, infinite lines and polygons.
constexpr int kPickStraight = -26;

ModelPoint FootOn(ModelPoint p, const LineCoef& line) {
  ModelPoint foot = p;
  PerpendicularFoot(p, line, &foot);
  return foot;
}

ModelPoint Along(ModelPoint p, ModelPoint u, double d) { return {p.x + u.x * d, p.y + u.y * d}; }

class PerpendicularMode final : public LineSubMode {
 public:
  void Click(LineSession& s, PixelPoint click) override {
    switch (s.step()) {
      case 0: PickReference(s, click); break;
      case 1: TakeFoot(s, click); break;
      case 2: TakeStart(s, click); break;
      default: TakeEnd(s, click); break;
    }
  }

  void Preview(LineSession& s, PixelPoint cursor, LineRubber* rubber) override {
    if (s.step() < 2) return;
    const ModelPoint at = FootOn(s.CursorPoint(cursor), perpendicular_);
    const LineEnds line{s.step() == 2 ? foot_ : start_, at};
    rubber->segments.push_back(line);
    rubber->measured = line;
  }

 private:
  void PickReference(LineSession& s, PixelPoint click) {
    if (s.numeric()) return;
    const PickHit hit = s.Pick(kPickStraight, click);
    LineEnds ends;
    bool found = false;
    if (hit.entity && hit.entity->kind == kPolygon) {
      found = NearestSegment(*hit.entity, s.mapping().ScreenToModel(click.x, click.y), &ends.a, &ends.b) == 1;
    } else if (hit.entity) {
      found = StoredEnds(*hit.entity, &ends);
    }
    if (!found || LineCoefficients(ends.a, ends.b, &reference_) != 0) {
      s.Beep();
      return;
    }
    ends_ = ends;
    s.Highlight(*hit.entity);
    if (IsInfiniteLine(hit.entity->kind)) s.state().lineReferenceFlag = 1;
    s.Prompt(line_prompts::kPerpendicularFoot);
    s.SetStep(1);
  }

  void TakeFoot(LineSession& s, PixelPoint click) {
    if (s.numeric()) {
      // Along the picked line from its first end; a line too short for a direction takes the
      // foot of the mouse position.
      foot_ = Distance(ends_.a, ends_.b) < kOnTolerance ? FootOn(s.MousePoint(), reference_)
                                                        : PointAlong(ends_.a, ends_.b, s.value());
    } else {
      foot_ = FootOn(s.ClickPoint(click), reference_);
    }
    const LineCoef& r = reference_;
    perpendicular_ = {r.b, -r.a, foot_.y * r.a - foot_.x * r.b};
    s.ShowCross(foot_);
    s.Prompt(line_prompts::kPerpendicularStart);
    s.SetStep(2);
  }

  void TakeStart(LineSession& s, PixelPoint click) {
    // Typed distances go along the direction from the foot toward the line's second end turned
    // clockwise (the first end's direction when the foot lies on the second end).
    ModelPoint toward{ends_.b.x - foot_.x, ends_.b.y - foot_.y};
    double length = std::hypot(toward.x, toward.y);
    if (!(length > 0)) {
      toward = {ends_.b.x - ends_.a.x, ends_.b.y - ends_.a.y};
      length = std::hypot(toward.x, toward.y);
    }
    side_ = {toward.y / length, -toward.x / length};
    start_ = s.numeric() ? Along(foot_, side_, s.value()) : FootOn(s.ClickPoint(click), perpendicular_);
    s.ShowCross(start_);
    s.Prompt(line_prompts::kPerpendicularEnd);
    s.SetStep(3);
  }

  void TakeEnd(LineSession& s, PixelPoint click) {
    ModelPoint end;
    if (s.numeric()) {
      // Toward the foot; from a start on the picked line, to the side typed distances took.
      const double toFoot = Distance(start_, foot_);
      const ModelPoint u = toFoot < kOnTolerance
                               ? side_
                               : ModelPoint{(foot_.x - start_.x) / toFoot, (foot_.y - start_.y) / toFoot};
      end = Along(start_, u, s.value());
    } else {
      end = FootOn(s.ClickPoint(click), perpendicular_);
    }
    const LineEnds line{start_, end};
    if (LineSession::Degenerate(line)) return;
    s.AddLine(kLine, line);
    s.Finish();
  }

  LineEnds ends_;          // the picked segment
  LineCoef reference_;     // its line
  LineCoef perpendicular_; // the perpendicular through the foot
  ModelPoint foot_;
  ModelPoint start_;
  ModelPoint side_;        // unit direction of typed start distances
};

}  // namespace

std::unique_ptr<LineSubMode> MakePerpendicularMode() { return std::make_unique<PerpendicularMode>(); }

}  // namespace plenwick
