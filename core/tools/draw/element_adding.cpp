// The drawing tools' one way of adding an element.
#include "tools/draw/element_adding.h"

#include <cmath>

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
  const auto lineAttr = static_cast<int16_t>(element.penOnly ? s.CurrentPen : s.CurrentLineType * 100 + s.CurrentPen);
  const EntityAttr attr{element.kind, element.subKind, lineAttr,
                        s.CurrentLayer, static_cast<int16_t>(element.values.size())};
  // A protected drawing refuses with its message; the recorded step stays undoable then.
  if (d.protection == kNotProtected && newStep) BeginOperation(d.entities, d.snapPoints);
  DrawEntity* e = nullptr;
  const int16_t* codes = element.codes.empty() ? nullptr : element.codes.data();
  if (d.AddDocumentEntity(attr, element.font, codes, s.CurrentColour, element.values.data(), element.text, &e) != 0) {
    return d.protection == kNotProtected ? ElementAdded::kDropped : ElementAdded::kRefused;
  }
  tool.DrawUnderneath(view, [&](Canvas& canvas) { view.view().DrawElement(canvas, *e, kMarkNone); });
  if (added) *added = e;
  return ElementAdded::kAdded;
}

}  // namespace plenwick
