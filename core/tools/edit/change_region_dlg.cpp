// The hatching and paint attribute dialogs.
#include "tools/edit/change_region_dlg.h"

namespace plenwick {

CChangeHatDlg::CChangeHatDlg(const DrawEntity& hatch)
    : AttributeDialogModel(hatch, 0, 0,
                           {{"縦間隔", FieldKind::kLength}, {"横間隔", FieldKind::kLength}, {"角度", FieldKind::kAngle}},
                           GeometryOf(hatch).values) {
  AddChoice({" ハッチング形状 ", {"縦  線", "横  線", "格  子", "レンガ"}}, hatch.subKind);
}

RecordGeometry CChangeHatDlg::Build(const std::vector<double>& v, const std::vector<std::string>&) const {
  RecordGeometry g = GeometryOf(record());
  g.subKind = static_cast<int16_t>(choice(kPatternChoice));
  // A record too short to hold the spacings keeps what it has (the drawing refuses it anyway).
  for (std::size_t i = 0; i < 3 && i < g.values.size(); ++i) g.values[i] = v[i];
  return g;
}

CChangePaintDlg::CChangePaintDlg(const DrawEntity& paint) : AttributeDialogModel(paint, 0, 0, {}, {}) {
  AddChoice({" 塗りつぶしパターン ", {"0", "1", "2", "3", "4", "5", "6"}}, look().lineType);
  look().lineType = choice(kPatternChoice);
}

void CChangePaintDlg::ChoiceChanged(int group) {
  if (group == kPatternChoice) look().lineType = choice(kPatternChoice);
}

}  // namespace plenwick
