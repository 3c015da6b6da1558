// The window-deletion dialog's state and which of its boxes each element kind belongs to.
#include "tools/edit/delete_group_dlg.h"

#include "model/draw_entity.h"

namespace plenwick {

bool DeleteKindBoxOf(int kind, DeleteKindBox* box) {
  switch (kind) {
    case kPoint: *box = DeleteKindBox::kPoints; return true;
    case kLine: case kHorizontalInfiniteLine: case kVerticalInfiniteLine: case kAngledInfiniteLine: case 27:
      *box = DeleteKindBox::kLines;
      return true;
    case kBezierCurve: case kFreeCurve: *box = DeleteKindBox::kCurves; return true;
    case kCircle: case kArc: case 32: case 33: *box = DeleteKindBox::kCircles; return true;
    case kText: case kLeaderText: *box = DeleteKindBox::kTexts; return true;
    case kDimension: *box = DeleteKindBox::kDimensions; return true;
    case kPaint: case kHatch: *box = DeleteKindBox::kHatches; return true;
    case kImage: *box = DeleteKindBox::kImages; return true;
    case kPolygon: *box = DeleteKindBox::kPolygons; return true;
    default: return false;
  }
}

bool DeleteChoice::TakesKind(int kind) const {
  if (kind == kGrid) return false;
  if (allKinds) return true;
  DeleteKindBox box;
  return DeleteKindBoxOf(kind, &box) && kinds[static_cast<std::size_t>(box)];
}

void CDeleteGroupDlg::SetKind(DeleteKindBox box, bool ticked) {
  if (KindsEnabled()) choice_.kinds[static_cast<std::size_t>(box)] = ticked;
}

}  // namespace plenwick
