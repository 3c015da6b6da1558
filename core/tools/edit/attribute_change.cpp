// Dispatch of the attribute dialogs by kind, and the replacement that applies them.
#include "tools/edit/attribute_change.h"

#include <memory>
#include <optional>
#include <vector>

#include "model/draw_entity.h"
#include "model/entity_core.h"
#include "model/program_settings.h"
#include "tools/draw/feedback_tool.h"
#include "tools/edit/change_arc_dlg.h"
#include "tools/edit/change_dim_dlg.h"
#include "tools/edit/change_image_dlg.h"
#include "tools/edit/change_line_dlg.h"
#include "tools/edit/change_look_dlg.h"
#include "tools/edit/change_point_dlg.h"
#include "tools/edit/change_region_dlg.h"
#include "tools/edit/change_text_dlg.h"
#include "tools/edit/record_replacement.h"
#include "tools/edit/select_tool.h"
#include "view/plenwick_view.h"
#include "view/render_context.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

std::unique_ptr<AttributeDialogModel> DialogFor(const DrawEntity& e, ToolView& view) {
  const double originX = view.doc().originX, originY = view.doc().originY;
  switch (e.kind) {
    case kPoint: return std::make_unique<CChangePointDlg>(e, originX, originY);
    case kLine:
    case kHorizontalInfiniteLine:
    case kVerticalInfiniteLine:
    case kAngledInfiniteLine: return std::make_unique<CChangeLineDlg>(e, originX, originY);
    case kBezierCurve:
    case kFreeCurve: return std::make_unique<CChangeSplineDlg>(e);
    case kCircle:
    case kArc: return std::make_unique<CChangeArcDlg>(e, originX, originY);
    case kText: return std::make_unique<CChangeTextDlg>(e, originX, originY, view.ui().FontFamilies());
    case kLeaderText: return std::make_unique<CChangeLineTextDlg>(e, view.ui().FontFamilies());
    case kDimension:
      return std::make_unique<CChangeDimDLg>(e, FindDimensionFont(view.doc().entities, &e), view.ui().FontFamilies());
    case kImage: return std::make_unique<CChangeImageDlg>(e, originX, originY, view.ui());
    case kPaint: return std::make_unique<CChangePaintDlg>(e);
    case kHatch: return std::make_unique<CChangeHatDlg>(e);
    case kPolygon: return std::make_unique<CChangePolyDlg>(e);
    default: return nullptr;
  }
}

// The records to replace for `e`: itself, or its whole group (header first), since a group's
// members must follow their header in the list.
std::vector<DrawEntity*> WithItsGroup(DrawEntity& e) {
  DrawEntity* header = e.owner && e.owner->kind == kGroupHeader ? e.owner : nullptr;
  if (!header) return {&e};
  std::vector<DrawEntity*> records{header};
  // A grouped dimension's parts lie between it and the next member: they go with the dimension.
  for (DrawEntity* member = header->next; member && (member->owner == header || IsDimensionPart(*member));
       member = member->next) {
    if (member->owner == header) records.push_back(member);
  }
  return records;
}

// Replaces `e` by a record of the dialog's geometry and look in one undo step; the drawing's
// protection is checked before anything leaves the list.
void Replace(DrawEntity& e, AttributeDialogModel& dialog, ToolView& view, CFeedbackTool& tool) {
  std::vector<Replacement> set = WithWholeGroups(WithItsGroup(e), [&](DrawEntity& r) -> std::optional<RecordGeometry> {
    if (&r != &e) return std::nullopt;
    return dialog.geometry();
  });
  for (Replacement& r : set) {
    if (r.old != &e) continue;
    r.lineAttr = dialog.look().lineAttr();
    r.colour = dialog.look().colour;
    r.strings = dialog.strings();
  }
  // A dimension's parts take the dimension-text font of the settings as they are made: the font
  // chosen becomes that setting, and stays what it was when the drawing refuses the change.
  FixedText<ParameterBlock::kFontWidth>& partsFont = CurrentSettings().DimFont;
  const FixedText<ParameterBlock::kFontWidth> previousFont = partsFont;
  const std::optional<std::string> chosenFont = dialog.PartsFont();
  if (chosenFont) partsFont.assign(*chosenFont);
  const ReplaceResult result = ReplaceRecords(tool, view, std::move(set));
  if (result != ReplaceResult::kReplaced) {
    partsFont = previousFont;
    return;
  }
  dialog.Applied();
}

// A curve keeps its place in the list and no undo step is made; the drawing is changed all the
// same.
void ChangeInPlace(DrawEntity& e, const AttributeDialogModel& dialog, ToolView& view, CFeedbackTool& tool) {
  CPlenwickDoc& doc = view.doc();
  if (doc.RefuseIfProtected()) return;
  tool.DrawUnderneath(view, [&](Canvas& canvas) { view.view().DrawElement(canvas, e, kStateErase); });
  e.lineAttr = dialog.look().lineAttr();
  e.colour = dialog.look().colour;
  e.mark = kMarkNone;
  doc.SetModifiedFlag();
  tool.DrawUnderneath(view, [&](Canvas& canvas) { view.view().DrawElement(canvas, e, kMarkNone); });
}

}  // namespace

int ChangeEntityAttributes(DrawEntity& picked, ToolView& view, CFeedbackTool& tool) {
  // A dimension's part is changed through its dimension, which makes the parts.
  DrawEntity& element = IsDimensionPart(picked) ? *picked.owner : picked;
  const std::unique_ptr<AttributeDialogModel> dialog = DialogFor(element, view);
  if (!dialog) return 0;
  if (!view.ui().RunAttributeDialog(*dialog)) return 1;
  if (dialog->InPlace()) {
    ChangeInPlace(element, *dialog, view, tool);
  } else {
    Replace(element, *dialog, view, tool);
  }
  return 0;
}

void InstallAttributeDialogs(CSelectTool& tool) {
  // The editor lives in the tool it draws with, so the tool outlives every call.
  tool.SetAttributeEditor([&tool](ToolView& view, DrawEntity& record) { ChangeEntityAttributes(record, view, tool); });
}

}  // namespace plenwick
