// Sub-mode 5 "中心線": two picked lines give their centre line (midway between parallels, the
// bisector through the crossing otherwise), shown as a dotted guide; two clicks on it give the
// line's ends.
#include <cmath>

#include "model/draw_entity.h"
#include "tools/draw/line_prompts.h"
#include "tools/draw/line_sub_mode.h"

namespace plenwick {

namespace {

constexpr int kPickLines = -20;
// The guide reaches this far in x and y.
constexpr double kGuideReach = 999999.9;

ModelPoint UnitAlong(const LineEnds& e) {
  const double d = Distance(e.a, e.b);
  return {(e.b.x - e.a.x) / d, (e.b.y - e.a.y) / d};
}

// Of the two points at distance r from x along u, the one nearer to `near`.
ModelPoint NearerAlong(ModelPoint x, ModelPoint u, double r, ModelPoint near) {
  const ModelPoint plus{x.x + u.x * r, x.y + u.y * r};
  const ModelPoint minus{x.x - u.x * r, x.y - u.y * r};
  return Distance(minus, near) < Distance(plus, near) ? minus : plus;
}

struct PickedLine {
  DrawEntity* entity = nullptr;
  ModelPoint at;  // the point on it the pick returned
  LineEnds ends;
  LineCoef line;
};

class CentreLineMode final : public LineSubMode {
 public:
  void Click(LineSession& s, PixelPoint click) override {
    switch (s.step()) {
      case 0:
        if (!s.numeric() && Pick(s, click, &first_)) {
          s.Highlight(*first_.entity);
          s.Prompt(line_prompts::kCentreSecond);
          s.SetStep(1);
        }
        break;
      case 1:
        if (!s.numeric()) TakeSecond(s, click);
        break;
      case 2:
        if (s.numeric()) break;
        start_ = Foot(s.ClickPoint(click));
        s.ShowCross(start_);
        s.Prompt(line_prompts::kCentreEnd);
        s.SetStep(3);
        break;
      default: TakeEnd(s, click); break;
    }
  }

  void Preview(LineSession& s, PixelPoint cursor, LineRubber* rubber) override {
    if (s.step() != 3) return;
    const LineEnds line{start_, Foot(s.CursorPoint(cursor))};
    rubber->segments.push_back(line);
    rubber->measured = line;
  }

  bool CancelsOnRightClick() const override { return true; }
  void Reset() override { first_ = {}; }

 private:
  static bool Pick(LineSession& s, PixelPoint click, PickedLine* picked) {
    const PickHit hit = s.Pick(kPickLines, click);
    PickedLine p;
    if (hit.entity && StoredEnds(*hit.entity, &p.ends) && LineCoefficients(p.ends.a, p.ends.b, &p.line) == 0) {
      p.entity = hit.entity;
      p.at = hit.point;
      *picked = p;
      return true;
    }
    s.Beep();
    return false;
  }

  void TakeSecond(LineSession& s, PixelPoint click) {
    PickedLine second;
    if (!Pick(s, click, &second)) return;
    if (second.entity == first_.entity) {
      s.Beep();
      return;
    }
    ModelPoint through;
    if (IntersectLines(first_.line, second.line, &through) != 0) {
      // Parallel: midway between the second pick and its foot on the first line.
      ModelPoint foot = second.at;
      PerpendicularFoot(second.at, first_.line, &foot);
      through = {(second.at.x + foot.x) / 2, (second.at.y + foot.y) / 2};
      direction_ = UnitAlong(first_.ends);
    } else {
      double r = Distance(through, second.at);
      if (r < kCoincidentTolerance) r = Distance(through, first_.at);
      if (r < kCoincidentTolerance) {
        s.Beep();  // both picks at the crossing: no angle to halve
        return;
      }
      const ModelPoint k1 = NearerAlong(through, UnitAlong(first_.ends), r, first_.at);
      const ModelPoint k2 = NearerAlong(through, UnitAlong(second.ends), r, second.at);
      const ModelPoint sum{(k1.x - through.x) + (k2.x - through.x), (k1.y - through.y) + (k2.y - through.y)};
      const double length = std::hypot(sum.x, sum.y);
      if (!(length > 1e-12)) {
        s.Beep();
        return;
      }
      direction_ = {sum.x / length, sum.y / length};
    }
    bisector_ = LineThrough(through, direction_);
    s.Highlight(*second.entity);
    LineEnds guide;
    if (ClipLineToSquare(through, direction_, kGuideReach, &guide)) s.ShowGuide(guide);
    s.Prompt(line_prompts::kCentreStart);
    s.SetStep(2);
  }

  void TakeEnd(LineSession& s, PixelPoint click) {
    ModelPoint end;
    if (s.numeric()) {
      // Along the centre line toward the mouse's side of the start.
      const ModelPoint mouse = s.MousePoint();
      const double side = (mouse.x - start_.x) * direction_.x + (mouse.y - start_.y) * direction_.y;
      const double d = side < 0 ? -s.value() : s.value();
      end = {start_.x + direction_.x * d, start_.y + direction_.y * d};
    } else {
      end = Foot(s.ClickPoint(click));
    }
    const LineEnds line{start_, end};
    if (LineSession::Degenerate(line)) return;
    s.AddLine(kLine, line);
    s.Finish();
  }

  ModelPoint Foot(ModelPoint p) const {
    ModelPoint foot = p;
    PerpendicularFoot(p, bisector_, &foot);
    return foot;
  }

  PickedLine first_;
  ModelPoint direction_{1, 0};  // unit direction of the centre line
  LineCoef bisector_;
  ModelPoint start_;
};

}  // namespace

std::unique_ptr<LineSubMode> MakeCentreLineMode() { return std::make_unique<CentreLineMode>(); }

}  // namespace plenwick
