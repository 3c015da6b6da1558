// Sub-mode 6 "幅付き線": a chain of centre segments, each drawing its offset copies to the left and
// right (and itself when asked), with the corners closed against the previous segment's copies.
#include <array>
#include <optional>

#include "model/draw_entity.h"
#include "model/entity_core.h"
#include "model/undo.h"
#include "tools/draw/line_prompts.h"
#include "tools/draw/line_segment_entry.h"
#include "tools/draw/line_sub_mode.h"

namespace plenwick {

namespace {

// Offsets below this make no copy on their side.
constexpr double kSmallestWidth = 0.05;

class WidthLineMode final : public LineSubMode {
 public:
  void Click(LineSession& s, PixelPoint click) override {
    if (s.step() == 0) {
      if (s.numeric()) return;
      const ModelPoint p = s.ClickPoint(click);
      entry_.Start(p, click, s.mapping());
      s.ShowCross(p);
      s.Prompt(line_prompts::kEndCancelOnly);
      s.SetStep(1);
      return;
    }
    const SegmentRules rules = Rules(s);
    ModelPoint q;
    if (s.numeric()) {
      q = entry_.TypedEnd(rules, s.state(), s.MousePoint());
    } else {
      if (entry_.SamePixel(click, s.mapping())) return;
      q = entry_.EndFor(rules, s.ClickPoint(click), click, s.mapping());
    }
    const LineEnds centre{entry_.anchor(), q};
    if (LineSession::Degenerate(centre)) return;
    if (!Commit(s, centre)) {
      s.Finish();
      return;
    }
    entry_.Start(q, s.numeric() ? std::nullopt : std::optional<PixelPoint>(click), s.mapping());
    s.ShowCross(q);
    s.Prompt(line_prompts::kEndCancelOnly);
    s.SetStep(s.step() + 1);
  }

  void Preview(LineSession& s, PixelPoint cursor, LineRubber* rubber) override {
    const LineEnds centre{entry_.anchor(), entry_.EndFor(Rules(s), s.CursorPoint(cursor), cursor, s.mapping())};
    rubber->segments.push_back(centre);
    rubber->measured = centre;
    if (LineSession::Degenerate(centre)) return;
    for (const double offset : Offsets(s)) {
      if (offset != 0) rubber->segments.push_back(OffsetSegment(centre.a, centre.b, offset));
    }
  }

  bool CancelsOnRightClick() const override { return true; }
  void Reset() override { previous_ = {}; }

 private:
  static SegmentRules Rules(const LineSession& s) {
    const ProgramSettings& settings = s.settings();
    SegmentRules rules;
    rules.axisOnly = settings.WidthLineHVMode == 1;
    rules.lengthOn = settings.LineLengthOn != 0;
    rules.length = settings.LineLength;
    return rules;
  }

  // The signed offsets of the left and right copies (left positive); 0 for a side without one.
  static std::array<double, 2> Offsets(const LineSession& s) {
    const ProgramSettings& settings = s.settings();
    return {settings.WidthLeft >= kSmallestWidth ? static_cast<double>(settings.WidthLeft) : 0.0,
            settings.WidthRight >= kSmallestWidth ? -static_cast<double>(settings.WidthRight) : 0.0};
  }

  // Where the new copy on one side starts and what becomes of the previous copy there: their
  // crossing (the previous copy's nearer end moves to it), or the foot of the previous copy's
  // end when the two are parallel (it stays).
  struct Corner {
    bool movePrevious = false;
    LineEnds previous;
  };
  static Corner CloseCorner(const DrawEntity& prev, LineEnds* copy) {
    Corner corner;
    LineEnds old;
    LineCoef oldLine, newLine;
    if (!StoredEnds(prev, &old) || LineCoefficients(old.a, old.b, &oldLine) != 0 ||
        LineCoefficients(copy->a, copy->b, &newLine) != 0) {
      return corner;
    }
    ModelPoint at;
    if (IntersectLines(oldLine, newLine, &at) == 0 && InCoordinateRange(at.x) && InCoordinateRange(at.y)) {
      corner.previous = Distance(old.a, at) < Distance(old.b, at) ? LineEnds{at, old.b} : LineEnds{old.a, at};
      corner.movePrevious = !(corner.previous.a == old.a && corner.previous.b == old.b);
      copy->a = at;
      return corner;
    }
    const ModelPoint end = Distance(old.a, copy->a) < Distance(old.b, copy->a) ? old.a : old.b;
    PerpendicularFoot(end, newLine, &copy->a);
    return corner;
  }

  // One segment as one undo step: the previous copies moved to the corners, then the centre line
  // (when kept) and the new copies. False when the drawing refused it (protected).
  bool Commit(LineSession& s, const LineEnds& centre) {
    CPlenwickDoc& doc = s.doc();
    if (doc.protection != kNotProtected) return s.AddLine(kLine, centre) != LineAdded::kRefused;
    const bool keepCentre = s.settings().WidthLineKeepCentre != 0;
    const std::array<double, 2> offsets = Offsets(s);
    std::array<std::optional<LineEnds>, 2> copies;
    std::array<Corner, 2> corners;
    for (std::size_t side = 0; side < 2; ++side) {
      if (offsets[side] == 0) continue;
      LineEnds copy = OffsetSegment(centre.a, centre.b, offsets[side]);
      if (previous_[side]) corners[side] = CloseCorner(*previous_[side], &copy);
      if (!LineSession::Degenerate(copy)) copies[side] = copy;
    }
    // A segment that changes nothing opens no step, which would make the recorded one permanent.
    if (!keepCentre && !copies[0] && !copies[1] && !corners[0].movePrevious && !corners[1].movePrevious) {
      previous_ = {};
      return true;
    }
    BeginOperation(doc.entities, doc.snapPoints);
    DrawEntity* firstOld = nullptr;
    DrawEntity* firstReplacement = nullptr;
    for (std::size_t side = 0; side < 2; ++side) {
      if (!corners[side].movePrevious) continue;
      DrawEntity* old = previous_[side];
      DrawEntity* replacement = s.ReplaceLine(*old, corners[side].previous);
      if (replacement && !firstReplacement) {
        firstOld = old;
        firstReplacement = replacement;
      }
    }
    if (firstReplacement) MarkReplacement(doc.entities, firstOld, firstReplacement);

    DrawEntity* firstAdded = nullptr;
    auto add = [&](const LineEnds& ends) {
      DrawEntity* e = nullptr;
      s.AddLine(kLine, ends, &e, false);
      if (e && !firstAdded) firstAdded = e;
      return e;
    };
    if (keepCentre) add(centre);
    for (std::size_t side = 0; side < 2; ++side) previous_[side] = copies[side] ? add(*copies[side]) : nullptr;
    // Without a replacement, undo takes the segment's lines away together.
    if (!firstReplacement && firstAdded) MarkAddedBlock(doc.entities, firstAdded, s.view().ui());
    return true;
  }

  SegmentEntry entry_;
  std::array<DrawEntity*, 2> previous_{};  // the last copies on the left and on the right
};

}  // namespace

std::unique_ptr<LineSubMode> MakeWidthLineMode() { return std::make_unique<WidthLineMode>(); }

}  // namespace plenwick
