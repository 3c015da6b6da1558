// The transforming tool's changes: the scaled set, the stretched base line with what follows it,
// and the offsets, each one undo step.
#include <cmath>
#include <string_view>
#include <unordered_set>

#include "model/undo.h"
#include "tools/edit/offset_geometry.h"
#include "tools/edit/scale_reference.h"
#include "tools/edit/set_picking.h"
#include "tools/edit/stretch_geometry.h"
#include "tools/edit/transform_tool.h"
#include "view/pick.h"
#include "view/tool_framework/numeric_input.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

constexpr std::string_view kClosedPrompt = "オフセットする閉領域の中か外をクリックしてください。";
constexpr std::string_view kOpenPrompt = "赤表示された図形を基準にオフセット位置をクリックしてください。";
// A result a drawing file cannot hold (a coordinate beyond its range) changes nothing.
constexpr std::string_view kUnstorableMessage = "図形が作図できる範囲を超えるため、処理を中止しました。";

// A chain is offset for this many pieces at most, and followed this far each way.
constexpr std::size_t kMostChainPieces = 100;
// A new length within this of the base line's (mm) changes nothing.
constexpr double kSameLength = 0.05;
// The shortest base line a stretch measures (mm).
constexpr double kShortestBase = 0.05;

bool UsableDistance(double d) { return std::isfinite(d) && d > 0; }

}  // namespace

bool CTransformTool::Apply(ToolView& view, const std::vector<Replacement>& set) {
  if (set.empty()) return false;
  switch (ReplaceRecords(*this, view, set)) {
    case ReplaceResult::kReplaced:
      // The replaced records left the list with their marks; the others are let go.
      Finish(view);
      return true;
    case ReplaceResult::kNothing: view.ui().ShowMessage(kUnstorableMessage); return false;
    case ReplaceResult::kRefused: return false;
  }
  return false;
}

void CTransformTool::ScaleSelection(ToolView& view, double factor) {
  if (!std::isfinite(factor) || factor == 0) {
    view.ui().Beep();
    return;
  }
  const std::vector<DrawEntity*> records = MarkedInListOrder(view.doc().entities, kMarkSelected);
  const ModelPoint r = ScaleReferencePoint(BoxOfRecords(records), view.settings().ScaleReference);
  const PointMap map = PointMap::Similarity(r, r, factor, 0);
  std::vector<Replacement> set;
  set.reserve(records.size());
  for (DrawEntity* e : records) {
    std::optional<RecordGeometry> g = e->kind == kGroupHeader ? GeometryOf(*e) : MappedGeometry(*e, map);
    if (!g) {
      view.ui().ShowMessage(kUnstorableMessage);
      return;
    }
    set.push_back({e, std::move(*g)});
  }
  Apply(view, set);
}

void CTransformTool::PickBaseLine(ToolView& view, PixelPoint point) {
  DrawEntity* line = PickEntity(view.picking(), kLine, point).entity;
  const std::optional<StretchBase> base = line && line->layer == view.settings().CurrentLayer && !IsDimensionPart(*line)
                                              ? StretchBaseOf(*line)
                                              : std::nullopt;
  const double was = base ? Distance(base->fixed, base->moving) : 0;
  if (!base || !(was >= kShortestBase)) {
    view.ui().Beep();
    state().InputStep = 0;
    PromptForSelection(view);
    return;
  }
  view.ReleaseCapture();
  CInputNumDlg dialog(CInputNumDlg::kStretchLengthKind, was);
  if (!view.ui().RunNumericInput(dialog)) {
    OnCancel(view);
    return;
  }
  const double length = dialog.value();
  if (!std::isfinite(length) || length <= 0) {
    view.ui().Beep();
    state().InputStep = 0;
    PromptForSelection(view);
    return;
  }
  if (std::fabs(length - was) < kSameLength) {
    OnCancel(view);
    return;
  }
  state().InputStep = 2;
  Stretch(view, *line, *base, length);
  if (state().InputStep != 0) {
    // Nothing changed: the set stays selected for another try.
    state().InputStep = 0;
    PromptForSelection(view);
  }
}

void CTransformTool::Stretch(ToolView& view, DrawEntity& line, const StretchBase& base, double length) {
  const int mode = view.settings().StretchMode;
  if (mode != 1 && mode != 2) {
    ScaleSelection(view, length / Distance(base.fixed, base.moving));
    return;
  }
  const ModelPoint newEnd = StretchedEnd(base, length);
  // The selected records, and the base line with its group.
  const DrawEntity* group = line.owner && line.owner->kind == kGroupHeader ? line.owner : nullptr;
  std::vector<DrawEntity*> records;
  for (DrawEntity& e : view.doc().entities) {
    const bool selected = e.mark == kMarkSelected && e.kind != kGrid && !IsDimensionPart(e);
    if (selected || &e == &line || (group && (&e == group || e.owner == group))) records.push_back(&e);
  }
  bool followed = false;
  const std::vector<Replacement> set = WithWholeGroups(records, [&](DrawEntity& e) -> std::optional<RecordGeometry> {
    if (&e == &line) return StretchedBaseLine(line, base, newEnd);
    if (e.mark != kMarkSelected) return std::nullopt;
    if (mode == 2) return LinkedStretch(e, base, newEnd);
    if (followed) return std::nullopt;
    std::optional<RecordGeometry> g = EndFollowingStretch(e, base, newEnd);
    followed = g.has_value();
    return g;
  });
  Apply(view, set);
}

void CTransformTool::StartOffset(ToolView& view) {
  if (!UsableDistance(view.settings().OffsetDistance)) {
    view.ui().Beep();
    return;
  }
  const std::vector<DrawEntity*> records = MarkedInListOrder(view.doc().entities, kMarkSelected);
  const DrawEntity* first = nullptr;
  for (const DrawEntity* e : records) {
    if (e->kind != kGroupHeader) {
      first = e;
      break;
    }
  }
  if (!first) return;
  const PieceNetwork network({records.begin(), records.end()});
  const Chain chain = network.ChainThrough(*first, kMostChainPieces);
  state().InputStep = 1;
  if (chain.closed) {
    view.ShowPrompt(0, kClosedPrompt);
    return;
  }
  highlighted_ = const_cast<DrawEntity*>(chain.pieces.empty() ? first : chain.pieces.front().record);
  DrawHighlight(view, true);
  view.ShowPrompt(0, kOpenPrompt);
}

void CTransformTool::Offset(ToolView& view, ModelPoint side) {
  const double d = view.settings().OffsetDistance;
  if (!UsableDistance(d)) {
    view.ui().Beep();
    return;
  }
  CPlenwickDoc& doc = view.doc();
  const std::vector<DrawEntity*> records = MarkedInListOrder(doc.entities, kMarkSelected);
  const PieceNetwork network({records.begin(), records.end()});
  std::unordered_set<const DrawEntity*> walked;
  std::vector<OffsetRecord> made;
  bool vanished = false;
  for (const DrawEntity* e : records) {
    if (walked.count(e)) continue;
    if (e->kind == kCircle || e->kind == kArc) {
      if (!network.Contains(*e)) {
        if (std::optional<RecordGeometry> g = OffsetRound(*e, side, d)) {
          made.push_back({e, std::move(*g)});
        } else {
          vanished = true;
        }
        continue;
      }
    }
    if (!network.Contains(*e)) continue;
    Chain chain = network.ChainThrough(*e, kMostChainPieces);
    for (const WalkedPiece& p : chain.pieces) walked.insert(p.record);
    int towards = 0;
    if (chain.closed) {
      towards = InsideLoop(chain, side) ? InsideSideOf(chain) : -InsideSideOf(chain);
    } else {
      if (chain.pieces.size() > kMostChainPieces) chain.pieces.resize(kMostChainPieces);
      towards = SideOfFirstPiece(chain.pieces.front(), side);
    }
    if (std::optional<std::vector<OffsetRecord>> offsets = OffsetChain(chain, towards, d)) {
      made.insert(made.end(), offsets->begin(), offsets->end());
    } else {
      vanished = true;
    }
  }
  if (vanished) view.ui().Beep();
  if (made.empty() || doc.RefuseIfProtected()) {
    Finish(view);
    return;
  }
  BeginOperation(doc.entities, doc.snapPoints);
  std::vector<DrawEntity*> added;
  for (const OffsetRecord& r : made) {
    DrawEntity* e = AddCopy(doc, *r.source, r.geometry);
    if (!e) continue;
    // A parallel copy is a figure of its own, not a member of its source's group.
    e->owner = nullptr;
    e->groupNo = 0;
    if (added.empty()) MarkAddedBlock(doc.entities, e, view.ui());
    added.push_back(e);
  }
  doc.SetModifiedFlag();
  Finish(view);
  RedrawRecords(*this, view, added);
}

}  // namespace plenwick
