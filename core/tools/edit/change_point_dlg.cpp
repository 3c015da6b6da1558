// The point attribute dialog's edits and the point they make.
#include "tools/edit/change_point_dlg.h"

namespace plenwick {

CChangePointDlg::CChangePointDlg(const DrawEntity& point, double originX, double originY)
    : AttributeDialogModel(point, originX, originY, {{"Ｘ座標", FieldKind::kX}, {"Ｙ座標", FieldKind::kY}},
                           GeometryOf(point).values) {
  AddChoice({" 点形状・サイズ ", {"　点形状", "　円形状", "　矩形形状"}, true}, point.subKind);
}

RecordGeometry CChangePointDlg::Build(const std::vector<double>& v, const std::vector<std::string>&) const {
  return {kPoint, static_cast<int16_t>(choice(kShapeChoice)), {v[0], v[1]}, {10, 20}};
}

}  // namespace plenwick
