// The circle attribute dialog's edits and the circle or arc they make.
#include "tools/edit/change_arc_dlg.h"

namespace plenwick {

namespace {

std::vector<double> Shown(const DrawEntity& round) {
  std::vector<double> values = GeometryOf(round).values;
  if (round.kind == kCircle) values.resize(3);
  values.resize(5, 0.0);
  if (round.kind == kCircle) values[4] = 360;
  return values;
}

}  // namespace

CChangeArcDlg::CChangeArcDlg(const DrawEntity& round, double originX, double originY)
    : AttributeDialogModel(round, originX, originY,
                           {{"中心Ｘ座標", FieldKind::kX},
                            {"中心Ｙ座標", FieldKind::kY},
                            {"半径", FieldKind::kLength},
                            {"開始角度", FieldKind::kAngle},
                            {"終了角度", FieldKind::kAngle}},
                           Shown(round)) {
  AddChoice({" 作図種別 ", {"真\u3000円", "円\u3000弧"}}, round.kind == kArc ? kArcShape : kCircleShape);
  AddChoice({" 回転方向 ", {"時計回り", "反時計回り"}},
            round.kind == kCircle || round.subKind == 1 ? kCounterClockwise : kClockwise);
}

bool CChangeArcDlg::FieldEnabled(int field) const {
  return field < kStartAngle || choice(kShapeChoice) == kArcShape;
}

bool CChangeArcDlg::ChoiceEnabled(int group) const {
  return group != kDirectionChoice || choice(kShapeChoice) == kArcShape;
}

RecordGeometry CChangeArcDlg::Build(const std::vector<double>& v, const std::vector<std::string>&) const {
  if (choice(kShapeChoice) == kCircleShape) return {kCircle, 0, {v[0], v[1], v[2]}, {10, 20, 40}};
  const int16_t direction = choice(kDirectionChoice) == kCounterClockwise ? 1 : -1;
  return {kArc, direction, {v[0], v[1], v[2], v[3], v[4]}, {10, 20, 40, 50, 51}};
}

}  // namespace plenwick
