// Services of the line tool to its sub-modes.
#include "tools/draw/line_session.h"

#include <cmath>

#include "model/entity_core.h"
#include "model/undo.h"
#include "tools/draw/element_adding.h"
#include "tools/draw/line_tool.h"
#include "view/render_context.h"
#include "view/tool_framework/point_entry.h"

namespace plenwick {

namespace {

constexpr int16_t kLineCodes[4] = {10, 20, 11, 22};

}  // namespace

void LineSession::SetStep(int step) const {
  InteractionState& s = state();
  s.InputStep = step < CDrawTool::kPointSlots ? step : CDrawTool::kPointSlots - 1;
  s.phaseFlag = 1;
}

ModelPoint LineSession::ClickPoint(PixelPoint click, int magnetFilter) const {
  return ClickedPoint(tool_, view_, click, magnetFilter);
}

ModelPoint LineSession::CursorPoint(PixelPoint cursor) const { return plenwick::CursorPoint(tool_, view_, cursor); }

std::optional<ModelPoint> LineSession::MagnetPoint() const {
  if (settings().Magnet && tool_.snapHit) return tool_.snapModel;
  return std::nullopt;
}

PixelPoint LineSession::MousePixel() const { return tool_.lastPoint; }

ModelPoint LineSession::MousePoint() const { return view_.view().ScreenToModel(tool_.lastPoint.x, tool_.lastPoint.y); }

void LineSession::ShowCross(ModelPoint at) const { tool_.ShowCross(view_, at); }

void LineSession::ShowGuide(const LineEnds& guide) const { tool_.ShowGuide(view_, guide); }

void LineSession::Highlight(DrawEntity& e) const { tool_.Highlight(view_, e); }

LineAdded LineSession::AddLine(int16_t kind, const LineEnds& ends, DrawEntity** added, bool newStep) const {
  const double values[4] = {ends.a.x, ends.a.y, ends.b.x, ends.b.y};
  return AddToolElement(tool_, view_, {kind, 0, kLineCodes, values}, added, newStep);
}

DrawEntity* LineSession::ReplaceLine(DrawEntity& old, const LineEnds& ends) const {
  // Checked first: once removed, `old` would vanish with nothing in its place.
  if (!Storable(ends)) return nullptr;
  CPlenwickDoc& d = doc();
  RemoveToUndo(d.entities, &old);
  const double values[4] = {ends.a.x, ends.a.y, ends.b.x, ends.b.y};
  const EntityAttr attr{old.kind, old.subKind, old.lineAttr, old.layer, 4};
  DrawEntity* copy = nullptr;
  d.AddDocumentEntity(attr, nullptr, kLineCodes, old.colour, values, nullptr, &copy);
  tool_.DrawUnderneath(view_, [&](Canvas& canvas) {
    view_.view().DrawElement(canvas, old, kStateErase);
    if (copy) view_.view().DrawElement(canvas, *copy, kMarkNone);
  });
  return copy;
}

bool LineSession::Storable(const LineEnds& ends) {
  const double values[4] = {ends.a.x, ends.a.y, ends.b.x, ends.b.y};
  return ToolElementStorable(kLine, values);
}

void LineSession::Finish(std::optional<std::string_view> prompt) const { tool_.EndOperation(view_, prompt); }

bool StoredEnds(const DrawEntity& e, LineEnds* ends) {
  if (!e.values || e.valueCount < 4) return false;
  const double* v = e.values.get();
  for (int i = 0; i < 4; ++i) {
    if (!std::isfinite(v[i])) return false;
  }
  *ends = {{v[0], v[1]}, {v[2], v[3]}};
  return true;
}

}  // namespace plenwick
