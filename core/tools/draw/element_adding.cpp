// The drawing tools' one way of adding an element.
#include "tools/draw/element_adding.h"

#include <cmath>
#include <vector>

#include "model/entity_core.h"
#include "model/undo.h"
#include "tools/draw/feedback_tool.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

bool ToolElementStorable(int16_t kind, std::span<const double> values) {
  if (kind == kDimension) {
    if (values.empty()) return false;
    values = values.subspan(1);
  }
  for (double v : values) {
    if (!std::isfinite(v)) return false;
  }
  switch (kind) {
    case kCircle:
    case kArc: {
      if (values.size() != (kind == kCircle ? 3u : 5u)) return false;
      const double r = values[2];
      if (!InCoordinateRange(values[0]) || !InCoordinateRange(values[1])) return false;
      if (!(r >= kMinToolRadius && r <= kMaxCoordinate)) return false;
      if (kind == kArc) {
        for (double a : values.subspan(3)) {
          if (!(a >= 0 && a < 360)) return false;
        }
      }
      return true;
    }
    default: return !values.empty() && AllInCoordinateRange(values);
  }
}

ElementAdded AddToolElement(CFeedbackTool& tool, ToolView& view, const NewElement& element, DrawEntity** added,
                            bool newStep) {
  if (added) *added = nullptr;
  // Checked before the step opens: opening it would make the recorded step permanent.
  if (!ToolElementStorable(element.kind, element.values)) return ElementAdded::kDropped;
  CPlenwickDoc& d = view.doc();
  const ProgramSettings& s = view.settings();
  const int type = element.fillPattern >= 0 ? element.fillPattern : element.penOnly ? 0 : s.CurrentLineType;
  const auto lineAttr = static_cast<int16_t>(type * 100 + s.CurrentPen);
  const EntityAttr attr{element.kind, element.subKind, lineAttr,
                        s.CurrentLayer, static_cast<int16_t>(element.values.size())};
  // A protected drawing refuses with its message; the recorded step stays undoable then.
  if (d.protection == kNotProtected && newStep) BeginOperation(d.entities, d.snapPoints);
  DrawEntity* e = nullptr;
  const int16_t* codes = element.codes.empty() ? nullptr : element.codes.data();
  if (d.AddDocumentEntity(attr, element.font, codes, s.CurrentColour, element.values.data(), element.text, &e) != 0) {
    return d.protection == kNotProtected ? ElementAdded::kDropped : ElementAdded::kRefused;
  }
  if (element.owner) {
    e->owner = element.owner;
    e->groupNo = element.owner->groupNo;
  }
  tool.DrawUnderneath(view, [&](Canvas& canvas) { view.view().DrawElement(canvas, *e, kMarkNone); });
  if (added) *added = e;
  return ElementAdded::kAdded;
}

GroupPiece LinePiece(ModelPoint a, ModelPoint b) { return {kLine, {a.x, a.y, b.x, b.y, 0}}; }

GroupPiece CirclePiece(ModelPoint centre, double radius) { return {kCircle, {centre.x, centre.y, radius, 0, 0}}; }

GroupPiece ArcPiece(ModelPoint centre, double radius, double startDegrees, double endDegrees) {
  return {kArc, {centre.x, centre.y, radius, startDegrees, endDegrees}};
}

ElementAdded AddToolGroup(CFeedbackTool& tool, ToolView& view, ModelPoint reference, std::span<const GroupPiece> pieces,
                          GroupMembers members) {
  static constexpr int16_t kHeaderCodes[4] = {10, 20, 10, 20};
  static constexpr int16_t kLineCodes[4] = {10, 20, 11, 22};
  static constexpr int16_t kRoundCodes[5] = {10, 20, 40, 50, 51};
  const double header[4] = {reference.x, reference.y, 1, 0};
  if (!ToolElementStorable(kGroupHeader, header)) return ElementAdded::kDropped;
  std::vector<const GroupPiece*> kept;
  kept.reserve(pieces.size());
  for (const GroupPiece& piece : pieces) {
    if (ToolElementStorable(piece.kind, piece.valueSpan())) {
      kept.push_back(&piece);
    } else if (members == GroupMembers::kWhole) {
      return ElementAdded::kDropped;
    }
  }
  if (kept.empty()) return ElementAdded::kDropped;
  CPlenwickDoc& d = view.doc();
  const EntityAttr headerAttr{kGroupHeader, 0, 0, view.settings().CurrentLayer, 4};
  if (d.protection == kNotProtected) BeginOperation(d.entities, d.snapPoints);
  DrawEntity* owner = nullptr;
  if (d.AddDocumentEntity(headerAttr, nullptr, kHeaderCodes, 0, header, nullptr, &owner) != 0) {
    return d.protection == kNotProtected ? ElementAdded::kDropped : ElementAdded::kRefused;
  }
  for (const GroupPiece* piece : kept) {
    const bool line = piece->kind == kLine;
    const std::span<const int16_t> codes = line ? std::span<const int16_t>(kLineCodes)
                                                : std::span<const int16_t>(kRoundCodes).first(piece->valueSpan().size());
    // Arcs of a figure run counter-clockwise.
    const auto subKind = static_cast<int16_t>(piece->kind == kArc ? 1 : 0);
    AddToolElement(tool, view, {.kind = piece->kind, .subKind = subKind, .codes = codes, .values = piece->valueSpan(),
                                .owner = owner},
                   nullptr, false);
  }
  return ElementAdded::kAdded;
}

ElementAdded AddToolFigure(CFeedbackTool& tool, ToolView& view, ModelPoint reference,
                           std::span<const ModelPoint> vertices) {
  if (vertices.size() < 3) return ElementAdded::kDropped;
  std::vector<GroupPiece> sides;
  sides.reserve(vertices.size());
  for (std::size_t i = 0; i < vertices.size(); ++i) sides.push_back(LinePiece(vertices[i], vertices[(i + 1) % vertices.size()]));
  return AddToolGroup(tool, view, reference, sides, GroupMembers::kWhole);
}

}  // namespace plenwick
