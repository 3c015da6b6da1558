// The line attribute dialog's edits and the line they make.
#include "tools/edit/change_line_dlg.h"

#include "tools/draw/line_geometry.h"

namespace plenwick {

CChangeLineDlg::CChangeLineDlg(const DrawEntity& line, double originX, double originY)
    : AttributeDialogModel(line, originX, originY,
                           {{"始端側Ｘ座標", FieldKind::kX},
                            {"始端側Ｙ座標", FieldKind::kY},
                            {"終端側Ｘ座標", FieldKind::kX},
                            {"終端側Ｙ座標", FieldKind::kY}},
                           GeometryOf(line).values) {
  const int shape = line.kind == kHorizontalInfiniteLine ? kHorizontal
                    : line.kind == kVerticalInfiniteLine ? kVertical
                                                         : kFree;
  AddChoice({" 作図種別 ", {"自由線", "水平線", "垂直線"}}, shape);
  // The fixed ends of an infinite line are shown as stored: they are no position.
  const std::vector<double> stored = GeometryOf(line).values;
  for (int field = kStartX; field <= kEndY && static_cast<std::size_t>(field) < stored.size(); ++field) {
    const bool isX = field % 2 == 0;
    if ((shape == kHorizontal && isX) || (shape == kVertical && !isX)) {
      SetInitialText(field, AttributeNumberText(stored[static_cast<std::size_t>(field)]));
    }
  }
}

bool CChangeLineDlg::FieldEnabled(int field) const {
  switch (choice(kShapeChoice)) {
    case kHorizontal: return field == kStartY;
    case kVertical: return field == kStartX;
    default: return field >= kStartX && field <= kEndY;
  }
}

RecordGeometry CChangeLineDlg::Build(const std::vector<double>& v, const std::vector<std::string>&) const {
  LineEnds ends{{v[0], v[1]}, {v[2], v[3]}};
  int16_t kind = record().kind == kAngledInfiniteLine ? kAngledInfiniteLine : kLine;
  if (choice(kShapeChoice) == kHorizontal) {
    ends = HorizontalInfiniteLine(ends.a.y);
    kind = kHorizontalInfiniteLine;
  } else if (choice(kShapeChoice) == kVertical) {
    ends = VerticalInfiniteLine(ends.a.x);
    kind = kVerticalInfiniteLine;
  }
  return {kind, record().subKind, {ends.a.x, ends.a.y, ends.b.x, ends.b.y}, {10, 20, 11, 22}};
}

}  // namespace plenwick
