// Sub-modes 0 "直線" and 1 "連続線": a line from a start point to an end point, and a chain of
// lines each starting where the last one ended.
#include "model/draw_entity.h"
#include "tools/draw/line_prompts.h"
#include "tools/draw/line_segment_entry.h"
#include "tools/draw/line_sub_mode.h"

namespace plenwick {

namespace {

// Both modes start alike: the first point becomes the anchor with its cross mark.
void StartAt(LineSession& s, SegmentEntry& entry, PixelPoint click, std::string_view prompt) {
  const ModelPoint p = s.ClickPoint(click);
  entry.Start(p, click, s.mapping());
  s.ShowCross(p);
  s.Prompt(prompt);
  s.SetStep(1);
}

// The end of a click or typed input; nothing for a click on the anchor's own pixel.
std::optional<ModelPoint> EndOf(LineSession& s, SegmentEntry& entry, const SegmentRules& rules, PixelPoint click) {
  if (s.numeric()) return entry.TypedEnd(rules, s.state(), s.MousePoint());
  if (entry.SamePixel(click, s.mapping())) return std::nullopt;
  return entry.EndFor(rules, s.ClickPoint(click), click, s.mapping());
}

void PreviewFrom(LineSession& s, SegmentEntry& entry, const SegmentRules& rules, PixelPoint cursor,
                 LineRubber* rubber) {
  const LineEnds line{entry.anchor(), entry.EndFor(rules, s.CursorPoint(cursor), cursor, s.mapping())};
  rubber->segments.push_back(line);
  rubber->measured = line;
}

class StraightLineMode final : public LineSubMode {
 public:
  void Click(LineSession& s, PixelPoint click) override {
    if (s.step() == 0) {
      if (!s.numeric()) StartAt(s, entry_, click, line_prompts::kEndWithInput);
      return;
    }
    const std::optional<ModelPoint> q = EndOf(s, entry_, Rules(s), click);
    if (!q) return;
    const LineEnds line{entry_.anchor(), *q};
    if (LineSession::Degenerate(line)) return;
    s.AddLine(kLine, line);
    s.Finish();
  }

  void Preview(LineSession& s, PixelPoint cursor, LineRubber* rubber) override {
    PreviewFrom(s, entry_, Rules(s), cursor, rubber);
  }

 private:
  static SegmentRules Rules(const LineSession& s) {
    const ProgramSettings& settings = s.settings();
    SegmentRules rules;
    rules.axisOnly = settings.LineHVMode == 1;
    rules.lengthOn = settings.LineLengthOn != 0;
    rules.length = settings.LineLength;
    rules.angleOn = settings.LineAngleOn != 0;
    rules.angle = settings.LineAngle;
    rules.twoValues = !rules.axisOnly;
    return rules;
  }

  SegmentEntry entry_;
};

class PolylineMode final : public LineSubMode {
 public:
  void Click(LineSession& s, PixelPoint click) override {
    const SegmentRules rules = Rules(s);
    const std::string_view prompt = rules.axisOnly ? line_prompts::kEndCancelOnly : line_prompts::kEndWithInput;
    if (s.step() == 0) {
      if (!s.numeric()) StartAt(s, entry_, click, prompt);
      return;
    }
    const std::optional<ModelPoint> q = EndOf(s, entry_, rules, click);
    if (!q) return;
    const LineEnds line{entry_.anchor(), *q};
    if (LineSession::Degenerate(line)) return;
    if (s.AddLine(kLine, line) == LineAdded::kRefused) {
      s.Finish();
      return;
    }
    entry_.Start(*q, s.numeric() ? std::nullopt : std::optional<PixelPoint>(click), s.mapping());
    s.ShowCross(*q);
    s.Prompt(prompt);
    s.SetStep(s.step() + 1);
  }

  void Preview(LineSession& s, PixelPoint cursor, LineRubber* rubber) override {
    PreviewFrom(s, entry_, Rules(s), cursor, rubber);
  }

 private:
  static SegmentRules Rules(const LineSession& s) {
    const ProgramSettings& settings = s.settings();
    SegmentRules rules;
    rules.axisOnly = settings.PolylineHVMode == 1;
    rules.lengthOn = settings.LineLengthOn != 0;
    rules.length = settings.LineLength;
    rules.twoValues = !rules.axisOnly;
    return rules;
  }

  SegmentEntry entry_;
};

}  // namespace

std::unique_ptr<LineSubMode> MakeStraightLineMode() { return std::make_unique<StraightLineMode>(); }
std::unique_ptr<LineSubMode> MakePolylineMode() { return std::make_unique<PolylineMode>(); }

}  // namespace plenwick
